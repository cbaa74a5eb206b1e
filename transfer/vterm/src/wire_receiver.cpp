// Line assembly of the host's transmissions.
#include "tarvo/vterm/wire_receiver.h"

#include "tarvo/vterm/hex_record.h"

namespace tarvo::vterm {
namespace {
constexpr char kProbe[] = {0x2F, 0x2E, 0x0D, 0x6A};
constexpr std::size_t kProbeLength = sizeof(kProbe);
}  // namespace

WireEvent WireReceiver::push(std::uint8_t byte) {
    if (inRecord_) {
        if (byte == '\r') {
            inRecord_ = false;
            return WireEvent::Record;
        }
        if (byte == ':') {
            // A new colon means the line before it was cut short: start over.
            line_.assign(1, ':');
            return WireEvent::None;
        }
        if (line_.size() >= kMaxRecordLineChars) {
            inRecord_ = false;
            line_.clear();
            return WireEvent::Overlong;
        }
        line_ += static_cast<char>(byte);
        return WireEvent::None;
    }

    if (byte == ':') {
        probeMatched_ = 0;
        inRecord_ = true;
        line_.assign(1, ':');
        return WireEvent::None;
    }
    if (byte == static_cast<std::uint8_t>(kProbe[probeMatched_])) {
        if (++probeMatched_ == kProbeLength) {
            probeMatched_ = 0;
            return WireEvent::Probe;
        }
        return WireEvent::None;
    }
    probeMatched_ = byte == static_cast<std::uint8_t>(kProbe[0]) ? 1 : 0;
    if (probeMatched_ == 1 || byte == '\n') return WireEvent::None;
    return WireEvent::Noise;
}

void WireReceiver::reset() {
    inRecord_ = false;
    probeMatched_ = 0;
    line_.clear();
}

}  // namespace tarvo::vterm
