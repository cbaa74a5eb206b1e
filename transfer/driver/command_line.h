// CommandLine: the options of tarvoxfer as typed after the program name.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::xfer {

/// A command line this long or longer is treated as empty.
inline constexpr std::size_t kMaxCommandLine = 780;
/// Option U turns on the trace file only with this access code.
inline constexpr unsigned kTraceAccessCode = 58306;
inline constexpr int kPortNotGiven = 255;

extern const char* const kUsageText;

struct CommandLine {
    bool empty = true;            // nothing after the program name
    bool valid = true;            // false: an unknown option letter
    bool tooLong = false;         // an option value longer than the field that holds it
    std::string imagePath;        // first piece, unless it is an option
    bool compact = false;         // image given (or X): small window, exit after the transfer
    int loadSlot = 255;           // 0..3, 255 = ask
    bool showSlotDialog = true;
    int launchSlot = 0;
    bool launchGiven = false;
    int port = kPortNotGiven;
    std::string portDevice;       // a device path or "virtual" given with option P
    std::string osImagePath;
    bool showUsage = false;
    int overrideFlags = 0;
    int maxBaud = 0;
    bool fileMode = false;
    int traceLevel = 0;
    bool batch = false;
    int probeLimitSeconds = 0;

    /// A launch slot above 4, or 0 given with option L.
    bool launchSlotInvalid() const { return launchSlot > 4 || (launchGiven && launchSlot == 0); }
};

/// Reads an unsigned number: hexadecimal after "0x", octal after a leading 0,
/// decimal otherwise; reading stops at the first character that does not fit.
unsigned parseOptionNumber(std::string_view text);

/// Splits at every blank followed by "-" or "/".
std::vector<std::string> splitCommandLine(std::string_view text);

CommandLine parseCommandLine(std::string_view text);

/// The program's arguments joined with single blanks, as one command line.
std::string joinArguments(int argc, const char* const* argv);

}  // namespace tarvo::xfer
