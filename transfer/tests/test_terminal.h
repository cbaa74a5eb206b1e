// Starts the virtual terminal for a test, recording its transcript and the
// image it receives in the test's folder.
#pragma once
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "driver/virtual_terminal_process.h"

namespace tarvo::xfer::testing {

/// Starts `program` (tarvoterm) with `args`, writing t.json and got.hex into
/// `dir`; answers the pseudo-terminal's device, empty (and a test failure) when
/// it did not start.
inline std::string startTestTerminal(VirtualTerminalProcess& process, const std::string& program,
                                     const std::filesystem::path& dir, std::vector<std::string> args) {
    args.insert(args.end(), {"--transcript", (dir / "t.json").string(), "--hex-out", (dir / "got.hex").string(),
                             "--idle-limit", "20"});
    std::string why;
    std::string device = process.start(program, args, why);
    EXPECT_FALSE(device.empty()) << why;
    return device;
}

}  // namespace tarvo::xfer::testing
