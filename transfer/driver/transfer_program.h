// TransferProgram: tarvoxfer without a window: the command line, the port
// choice, the poll-based main loop and the exit code.
#pragma once
#include <string>
#include <vector>

#include "driver/command_line.h"

namespace tarvo::xfer {

/// Exit code when the image or the launch slot on the command line is refused.
inline constexpr int kExitBadStart = 1;

/// Runs tarvoxfer headless; answers the process exit code.
int runTransferProgram(int argc, const char* const* argv);

/// The model option of tarvoterm for an image model code.
std::string virtualTerminalModel(int imageModel);

}  // namespace tarvo::xfer
