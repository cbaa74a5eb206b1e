// The misbehaviours the virtual terminal is told to show, parsed from
// --fault texts, and the bookkeeping of how often each is still due.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::vterm {

enum class FaultAction {
    None,
    Nak,         // answer NAK instead of ACK
    Drop,        // give no answer at all
    Bel,         // answer BEL (the host aborts)
    Stray,       // answer a byte that is neither ACK, NAK nor BEL
    Silent,      // from here on answer nothing, ever
    BadVersion,  // send the version record with a wrong checksum
};

/// What a host transmission is, for matching it against faults.
enum class TargetKind { Any, Probe, Command, OsRecord, AppRecord, FontRecord };

struct FaultTarget {
    TargetKind kind = TargetKind::Any;
    std::uint8_t commandType = 0;  // Command: the record type F1..FF
    unsigned index = 0;            // Os/App/FontRecord: 1-based position in its part
};

struct Fault {
    FaultAction action = FaultAction::None;
    FaultTarget target;
    unsigned remaining = 1;
};

/// The byte a Stray fault answers with.
inline constexpr std::uint8_t kStrayByte = 0x3F;
/// The largest repeat count accepted in a fault text.
inline constexpr unsigned kMaxFaultRepeats = 1000;

class FaultPlan {
  public:
    /// Adds one fault text; on a syntax error returns false and says why.
    /// Syntax: nak:SEL[:N]  drop:SEL[:N]  bel:SEL  stray:SEL[:N]  silent[:SEL]
    /// badversion[:N], where SEL is probe, a command type F1..FF, or
    /// osK, appK, fontK (the K-th record of that image part, from 1).
    bool add(std::string_view text, std::string& error);

    /// The fault due for this transmission, if any; uses up one repeat.
    FaultAction take(const FaultTarget& transmission);

    /// True when the next version record is to go out with a bad checksum.
    bool takeBadVersion();

    const std::vector<Fault>& faults() const { return faults_; }

    /// The help text describing the syntax above.
    static std::string_view syntaxHelp();

  private:
    std::vector<Fault> faults_;
};

}  // namespace tarvo::vterm
