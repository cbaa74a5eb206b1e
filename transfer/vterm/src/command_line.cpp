// Option parsing for tarvoterm.
#include "tarvo/vterm/command_line.h"

#include <cctype>

namespace tarvo::vterm {
namespace {

bool parseNumber(const std::string& text, int limit, int& value) {
    if (text.empty() || text.size() > 9) return false;
    int result = 0;
    for (char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return false;
        result = result * 10 + (c - '0');
    }
    if (result > limit) return false;
    value = result;
    return true;
}

bool parseNames(const std::string& text, TerminalConfig& config, std::string& error) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (true) {
        const std::size_t comma = text.find(',', start);
        names.push_back(text.substr(start, comma == std::string::npos ? comma : comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    if (names.size() > kApplicationSlots) {
        error = "--names takes at most " + std::to_string(kApplicationSlots) + " names";
        return false;
    }
    for (std::size_t i = 0; i < kApplicationSlots; ++i) {
        const std::string name = i < names.size() ? names[i] : std::string();
        if (name.size() > kStoredNameBytes) {
            error = "application name '" + name + "' is longer than " +
                    std::to_string(kStoredNameBytes) + " characters";
            return false;
        }
        config.names[i] = name;
    }
    return true;
}

}  // namespace

bool parseCommandLine(const std::vector<std::string>& args, TermOptions& options,
                      std::string& error) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        std::string option = args[i];
        std::string value;
        bool hasValue = false;
        if (const std::size_t equals = option.find('=');
            option.rfind("--", 0) == 0 && equals != std::string::npos) {
            value = option.substr(equals + 1);
            option = option.substr(0, equals);
            hasValue = true;
        }
        auto takeValue = [&]() {
            if (hasValue) return true;
            if (i + 1 >= args.size()) {
                error = option + " needs a value";
                return false;
            }
            value = args[++i];
            return true;
        };
        auto noValue = [&]() {
            if (hasValue) error = option + " takes no value";
            return !hasValue;
        };

        if (option == "--help" || option == "-h") {
            if (!noValue()) return false;
            options.showHelp = true;
        } else if (option == "--throttle") {
            if (!noValue()) return false;
            options.throttle = true;
        } else if (option == "--model") {
            if (!takeValue()) return false;
            if (!parseTerminalModel(value, options.terminal.model)) {
                error = "unknown model '" + value + "' (VK7100, VK61 or VK81)";
                return false;
            }
        } else if (option == "--version") {
            if (!takeValue()) return false;
            if (!isValidVersionText(value)) {
                error = "bad version '" + value + "' (D.DD, such as 1.23, or none)";
                return false;
            }
            options.terminal.version = value;
        } else if (option == "--names") {
            if (!takeValue() || !parseNames(value, options.terminal, error)) return false;
        } else if (option == "--baud") {
            if (!takeValue()) return false;
            int baud = 0;
            if (!parseNumber(value, 1000000, baud) || !isSupportedBaud(baud)) {
                error = "bad rate '" + value + "' (9600, 19200 or 38400)";
                return false;
            }
            options.terminal.startBaud = baud;
        } else if (option == "--transcript") {
            if (!takeValue()) return false;
            options.transcriptPath = value;
        } else if (option == "--hex-out") {
            if (!takeValue()) return false;
            options.hexOutPath = value;
        } else if (option == "--fault") {
            if (!takeValue() || !options.terminal.faults.add(value, error)) return false;
        } else if (option == "--idle-limit") {
            if (!takeValue()) return false;
            if (!parseNumber(value, kMaxIdleLimitSeconds, options.idleLimitSeconds)) {
                error = "bad idle limit '" + value + "' (seconds, 0 to " +
                        std::to_string(kMaxIdleLimitSeconds) + ")";
                return false;
            }
        } else {
            error = "unknown option '" + args[i] + "'";
            return false;
        }
    }
    return true;
}

std::string usageText() {
    return std::string(
               "Usage: tarvoterm [OPTION]...\n"
               "Plays a hand-held terminal on a pseudo-terminal for the transfer utility.\n"
               "The first line of standard output is \"PTY /dev/pts/N\": open that device as\n"
               "the serial port. One session is served; it ends at the reset command.\n"
               "\n"
               "  --model VK7100|VK61|VK81  terminal type (default VK81)\n"
               "  --version D.DD|none       system software version (default 1.00);\n"
               "                            none: no operating system loaded\n"
               "  --names A,B,C,D           stored application names, slots 1 to 4\n"
               "                            (up to 14 characters each)\n"
               "  --baud 9600|19200|38400   starting line rate (default 9600)\n"
               "  --transcript FILE.json    write the session as JSON\n"
               "  --hex-out FILE            write the received application image as HEX\n"
               "  --throttle                move bytes no faster than the line rate\n"
               "                            (10 bits per byte)\n"
               "  --fault SPEC              misbehave as SPEC says (repeatable), see below\n"
               "  --idle-limit SECONDS      give up when the host sends nothing for this\n"
               "                            long (default 0: wait forever)\n"
               "  --help                    show this text\n"
               "\n"
               "Fault SPECs:\n") +
           std::string(FaultPlan::syntaxHelp()) +
           "\n"
           "Exit status: 0 the session ended with the reset command; 1 it ended\n"
           "without one (idle limit, signal, line error); 2 bad command line;\n"
           "3 the pseudo-terminal could not be set up; 4 an output file could not\n"
           "be written.\n";
}

}  // namespace tarvo::vterm
