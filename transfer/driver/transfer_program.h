// TransferProgram: tarvoxfer as a process: the command line, then either the
// window or the headless poll loop, and the exit code.
#pragma once
#include <string>

#include "driver/command_line.h"

namespace tarvo::xfer {

/// Exit code when the image or the launch slot on the command line is refused.
inline constexpr int kExitBadStart = 1;

/// What the command line allows before any window or transfer starts.
struct StartupCheck {
    enum Kind { Run, ShowUsage, Refuse } kind = Run;
    int exitCode = 0;
    std::string message;  // for Refuse: shown above the usage text
};

/// Checks the options, then the image, then the launch slot. An empty command
/// line passes (the window starts idle).
StartupCheck checkStartup(const CommandLine& cl, const std::string& cwd);

/// The window's entry point, given by the Qt front end when it is built.
using WindowRunner = int (*)(int argc, char** argv, const CommandLine& cl);

/// Runs tarvoxfer; answers the process exit code. With a window runner, a
/// display and no batch option the window runs; otherwise the transfer runs
/// headless and logs to standard output.
int runTransferProgram(int argc, char** argv, WindowRunner window = nullptr);

/// Runs one transfer headless for an already checked command line.
int runHeadless(const CommandLine& cl);

/// True when a window can be shown (a display or a Qt platform is named).
bool displayAvailable();

}  // namespace tarvo::xfer
