// Feeds arbitrary host bytes to the virtual terminal: line assembly, record
// parsing and command handling must neither crash nor grow without bound.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "tarvo/vterm/hex_record.h"
#include "tarvo/vterm/virtual_terminal.h"

namespace {
class FixedClock : public tarvo::vterm::Clock {
  public:
    std::int64_t nowNanos() const override { return 0; }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tarvo::vterm;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);

    tarvo::vterm::HexRecord record;
    if (parseHexRecord(bytes, record) == HexParseResult::Ok) {
        // A record that parses formats back to the same text, up to case.
        const std::string again = formatHexRecord(record);
        if (again.size() != bytes.size()) __builtin_trap();
    }

    FixedClock clock;
    TerminalConfig config;
    config.names = {"ONE", "TWO", "", "FOUR"};
    VirtualTerminal terminal(config, clock);
    // The terminal follows speed commands, so feed each byte at its rate.
    for (std::size_t i = 0; i < size; ++i)
        terminal.receive(bytes.substr(i, 1), terminal.currentBaud());
    return 0;
}
