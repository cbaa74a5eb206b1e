// Everything the virtual terminal saw and did in one session.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tarvo::vterm {

/// Events kept per session; a host that talks for ever cannot exhaust memory.
inline constexpr std::size_t kMaxSessionEvents = 1'000'000;

struct SessionEvent {
    std::int64_t timeNanos = 0;  // since the terminal was created
    bool fromHost = false;
    std::string kind;  // probe, record, ack, nak, bel, stray, garbled, noise, overlong, bad-record
    std::string text;  // the record text, or a short description
};

/// Bytes that crossed the line at one rate, each way. Everything the host
/// sends and everything the terminal answers counts, unreadable bytes too,
/// because all of them take wire time.
struct LineTraffic {
    int baud = 0;
    std::uint64_t fromHost = 0;
    std::uint64_t toHost = 0;
    bool operator==(const LineTraffic&) const = default;
};

struct SessionLog {
    std::vector<SessionEvent> events;
    std::vector<std::string> commands;     // accepted command records (types F1..FF), as received
    std::vector<std::string> osRecords;    // accepted records of the operating-system part
    std::vector<std::string> appRecords;   // accepted records of the application part
    std::vector<std::string> fontRecords;  // accepted records after the font command
    std::string erase;                     // "", "all" or "applications"
    int loadSlot = -1;                     // from the name command, 0..3
    std::string applicationName;           // from the name command, padding removed
    int fontFlag = -1;                     // from the name command, 0 or 1
    int launchSlot = 0;                    // from the launch command, 1..4
    std::vector<int> rateChanges;          // every rate the terminal switched to
    bool reset = false;                    // the session ended with the reset command
    std::uint64_t garbledBytes = 0;        // bytes that arrived at another rate than ours
    std::uint64_t noiseBytes = 0;          // bytes outside any record or probe
    std::uint64_t eventsNotKept = 0;       // events beyond kMaxSessionEvents
    std::vector<LineTraffic> traffic;      // per line rate, in the order the rates were first used
};

}  // namespace tarvo::vterm
