// Terminal types and their properties.
#include "tarvo/vterm/terminal_model.h"

#include <cctype>

namespace tarvo::vterm {
namespace {
bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}
}  // namespace

bool parseTerminalModel(std::string_view text, TerminalModel& model) {
    for (TerminalModel candidate :
         {TerminalModel::VK7100, TerminalModel::VK61, TerminalModel::VK81}) {
        if (equalsIgnoringCase(text, modelName(candidate))) {
            model = candidate;
            return true;
        }
    }
    return false;
}

std::string_view modelName(TerminalModel model) {
    switch (model) {
        case TerminalModel::VK7100:
            return "VK7100";
        case TerminalModel::VK61:
            return "VK61";
        case TerminalModel::VK81:
            return "VK81";
    }
    return "VK7100";
}

std::uint8_t typeLetter(TerminalModel model) {
    switch (model) {
        case TerminalModel::VK7100:
            return 'T';
        case TerminalModel::VK61:
            return 'C';
        case TerminalModel::VK81:
            return 'X';
    }
    return 'T';
}

bool supportsApplicationSlots(TerminalModel model) {
    return model != TerminalModel::VK7100;
}

}  // namespace tarvo::vterm
