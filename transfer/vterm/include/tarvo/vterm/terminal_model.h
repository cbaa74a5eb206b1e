// The terminal types the virtual terminal can play and what each reports.
#pragma once

#include <cstdint>
#include <string_view>

namespace tarvo::vterm {

enum class TerminalModel { VK7100, VK61, VK81 };

/// Accepts "VK7100", "VK61" and "VK81" (case-insensitive).
bool parseTerminalModel(std::string_view text, TerminalModel& model);

std::string_view modelName(TerminalModel model);

/// The type letter of the version record: 'T', 'C' or 'X'.
std::uint8_t typeLetter(TerminalModel model);

/// The VK7100 knows no application names, launch or font commands.
bool supportsApplicationSlots(TerminalModel model);

}  // namespace tarvo::vterm
