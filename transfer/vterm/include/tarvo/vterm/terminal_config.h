// What the virtual terminal is told to be: type, system version, stored
// application names, starting line rate and the faults to show.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "tarvo/vterm/fault_plan.h"
#include "tarvo/vterm/terminal_model.h"

namespace tarvo::vterm {

inline constexpr std::size_t kApplicationSlots = 4;
/// Bytes of one stored application name in a name record.
inline constexpr std::size_t kStoredNameBytes = 14;
/// The version text "none" reports a terminal without operating system.
inline constexpr std::string_view kNoOperatingSystem = "none";

struct TerminalConfig {
    TerminalModel model = TerminalModel::VK81;
    std::string version = "1.00";  // "D.DD", or "none"
    std::array<std::string, kApplicationSlots> names;
    int startBaud = 9600;
    FaultPlan faults;
};

/// A version is three digits written "D.DD", or "none".
bool isValidVersionText(std::string_view text);

/// The line rates the terminal can run at: 9600, 19200 and 38400.
bool isSupportedBaud(int baud);

}  // namespace tarvo::vterm
