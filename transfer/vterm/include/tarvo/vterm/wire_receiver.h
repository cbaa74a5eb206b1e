// Splits the byte stream from the host into baud probes and record lines.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvo::vterm {

enum class WireEvent {
    None,      // the byte was taken into the line being assembled (or was a line feed)
    Probe,     // the four probe bytes "/.\rj" have just completed
    Record,    // a line that starts with ':' has ended with a carriage return; see line()
    Overlong,  // a record line grew past the longest possible record and was dropped
    Noise,     // a byte outside any record or probe
};

/// Byte-at-a-time line assembler. A record starts at ':' and ends at the
/// carriage return; the probe is recognised only as the exact four bytes.
class WireReceiver {
  public:
    WireEvent push(std::uint8_t byte);

    /// The text of the record that the last Record event completed (no CR).
    const std::string& line() const { return line_; }

    /// Forgets any half-assembled line or probe (after garbled bytes).
    void reset();

  private:
    bool inRecord_ = false;
    std::size_t probeMatched_ = 0;
    std::string line_;
};

}  // namespace tarvo::vterm
