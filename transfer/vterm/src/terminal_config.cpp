// Checks of the terminal's configuration values.
#include "tarvo/vterm/terminal_config.h"

#include <cctype>

namespace tarvo::vterm {

bool isValidVersionText(std::string_view text) {
    if (text == kNoOperatingSystem) return true;
    auto digit = [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; };
    return text.size() == 4 && digit(text[0]) && text[1] == '.' && digit(text[2]) && digit(text[3]);
}

bool isSupportedBaud(int baud) {
    return baud == 9600 || baud == 19200 || baud == 38400;
}

}  // namespace tarvo::vterm
