// The command line of tarvoterm, parsed into a terminal configuration and
// the program's own options.
#pragma once

#include <string>
#include <vector>

#include "tarvo/vterm/terminal_config.h"

namespace tarvo::vterm {

struct TermOptions {
    TerminalConfig terminal;
    std::string transcriptPath;
    std::string hexOutPath;
    bool throttle = false;
    int idleLimitSeconds = 0;  // 0: wait for the host as long as it takes
    bool showHelp = false;
};

/// The longest idle limit accepted, one day.
inline constexpr int kMaxIdleLimitSeconds = 86400;

/// Parses the arguments (without the program name). False with a message
/// in `error` on any bad or unknown option.
bool parseCommandLine(const std::vector<std::string>& args, TermOptions& options,
                      std::string& error);

/// The text --help prints.
std::string usageText();

}  // namespace tarvo::vterm
