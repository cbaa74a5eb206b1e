// Parsing the tarvoxfer command line.
#include "driver/command_line.h"

#include <cctype>
#include <cstdint>

#include "image/image_path.h"
#include "protocol/step_table.h"
#include "protocol/transfer_session.h"

namespace tarvo::xfer {

const char* const kUsageText =
    "Tarvo Xfer Command Line Usage\n\nTARVOXFER hexfile [/An] [-Ln][-Pn][-Ofile][-?]\n\n"
    "hexfile\tThe hex file to load on the VK.\n"
    "-A\tIndicates what application slot (defined by n) to load hexfile.\n"
    "-L\tIndicates what application slot (defined by n) to launch.\n"
    "-P\tIndicates which serial port (defined by n) to use.\n"
    "-O\tIndicates which VK OS file to download on the device.\n"
    "-?\tLoads this command line reference.";

unsigned parseOptionNumber(std::string_view text) {
    unsigned base = 10;
    std::size_t i = 0;
    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        i = 2;
    } else if (!text.empty() && text[0] == '0') {
        base = 8;
    }
    std::uint64_t value = 0;
    for (; i < text.size(); ++i) {
        char c = text[i];
        unsigned digit;
        if (c >= '0' && c <= '9') digit = unsigned(c - '0');
        else if (c >= 'a' && c <= 'f') digit = unsigned(c - 'a' + 10);
        else if (c >= 'A' && c <= 'F') digit = unsigned(c - 'A' + 10);
        else break;
        if (digit >= base) break;
        value = value * base + digit;
        if (value > 0xFFFFFFFFu) value = 0xFFFFFFFFu;  // saturate instead of wrapping
    }
    return unsigned(value);
}

std::vector<std::string> splitCommandLine(std::string_view text) {
    std::vector<std::string> pieces;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ' && i + 1 < text.size() && (text[i + 1] == '-' || text[i + 1] == '/')) {
            pieces.push_back(current);
            current.clear();
            continue;
        }
        current += text[i];
    }
    pieces.push_back(current);
    for (auto& p : pieces)
        while (!p.empty() && p.back() == ' ') p.pop_back();
    return pieces;
}

namespace {
// On Linux an image path starts with "/" too: a piece beginning with "/" is an
// option only when it holds no other "/" and no "." (such as "/A2" or "/?").
bool isOption(const std::string& piece) {
    if (piece.size() < 2) return !piece.empty() && (piece[0] == '-' || piece[0] == '/');
    if (piece[0] == '-') return true;
    if (piece[0] != '/') return false;
    return piece.find('/', 1) == std::string::npos && piece.find('.') == std::string::npos;
}
}  // namespace

CommandLine parseCommandLine(std::string_view text) {
    CommandLine cl;
    if (text.size() >= kMaxCommandLine) text = {};
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return cl;
    cl.empty = false;
    auto pieces = splitCommandLine(text.substr(first));
    std::size_t i = 0;
    if (!isOption(pieces[0])) {
        cl.imagePath = pieces[0];
        cl.compact = true;
        if (cl.imagePath.size() > 2 * kMaxPathPart + 1) cl.tooLong = true;
        i = 1;
    }
    for (; i < pieces.size(); ++i) {
        const std::string& p = pieces[i];
        if (p.size() < 2 || (p[0] != '-' && p[0] != '/')) {
            cl.valid = false;
            return cl;
        }
        char letter = char(std::toupper(static_cast<unsigned char>(p[1])));
        std::string value = p.substr(2);
        unsigned n = parseOptionNumber(value);
        switch (letter) {
        case 'A':
            if (n >= 1 && n <= 4) {
                cl.loadSlot = int(n - 1);
                cl.showSlotDialog = false;
            }
            break;
        case 'L':
            cl.launchSlot = n > 255 ? 255 : int(n);
            cl.launchGiven = true;
            break;
        case 'P':
            if (!value.empty() && (value[0] == '/' || value == "virtual")) cl.portDevice = value;
            else cl.port = n > 255 ? 255 : int(n);
            break;
        case '1': case '2': case '3': case '4':
            cl.port = letter - '0';
            cl.portDevice.clear();
            break;
        case 'O':
            if (value.size() > kMaxPathPart) cl.tooLong = true;
            cl.osImagePath = value;
            break;
        case '?': cl.showUsage = true; break;
        case 'S': cl.overrideFlags = kOverrideSendOs | kOverrideSendApp; break;
        case '$': cl.overrideFlags = (cl.overrideFlags ^ kOverrideSendOs) | kOverrideSendApp; break;
        case '6': cl.maxBaud = kMaxBaud9600; break;
        case '7': cl.maxBaud = kMaxBaud19200; break;
        case '8': cl.maxBaud = kMaxBaud38400; break;
        case 'E': cl.maxBaud = kMaxBaudEmulator; break;
        case 'F': cl.fileMode = true; break;
        case 'T': cl.traceLevel = 1; break;
        case 'U':
            if (n == kTraceAccessCode) cl.traceLevel = 2;
            break;
        case 'C': cl.batch = true; break;
        case 'D': cl.probeLimitSeconds = int(n > 1000000 ? 1000000 : n); break;
        case 'X': cl.compact = true; break;
        case 'B': break;
        default:
            cl.valid = false;
            return cl;
        }
    }
    return cl;
}

std::string joinArguments(int argc, const char* const* argv) {
    std::string out;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) out += ' ';
        out += argv[i];
    }
    return out;
}

}  // namespace tarvo::xfer
