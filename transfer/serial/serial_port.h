// SerialPort: the port object the protocol engine talks through.
#pragma once
#include <cstdint>

namespace tarvo::xfer {

/// Port errors, stored by a failing operation and answered by statusCheck().
enum PortError : int {
    kPortOk = 0,
    kPortGeneralFailure = -1,
    kPortNoData = -2,
    kPortNotSupported = -3,
    kPortWriteIncomplete = -4,
    kPortAlreadyOpen = -5,
    kPortBadParity = -6,
    kPortBadDataBits = -7,
    kPortBadStopBits = -8,
};

inline constexpr int kReceiveQueueSize = 4096;
inline constexpr int kSendQueueSize = 2048;
/// How long a read waits for a byte the port reports as queued.
inline constexpr int kByteDeadlineMs = 100;

enum class ReadStatus { Byte, None, Failure };
struct ReadResult {
    ReadStatus status = ReadStatus::None;
    std::uint8_t byte = 0;
};

class SerialPort {
public:
    virtual ~SerialPort() = default;
    /// Changes the rate only; a refused rate leaves the previous one in force.
    virtual bool setRate(int bitsPerSecond) = 0;
    /// Writes everything; answers the bytes of the last chunk, or -1 on failure.
    virtual int write(const char* data, int count) = 0;
    /// Received bytes queued, -1 when the port failed.
    virtual int bytesWaiting() = 0;
    /// The protocol's one-byte read: none at once when nothing is queued,
    /// otherwise one byte waited for at most kByteDeadlineMs.
    virtual ReadResult readByte() = 0;
    /// Discards every received byte.
    virtual void purgeInput() = 0;
    /// The last error (0 when none), cleared by the call.
    virtual int statusCheck() = 0;
    /// A descriptor that becomes readable when bytes arrive, or -1.
    virtual int pollFd() const { return -1; }
    virtual void close() = 0;
};

}  // namespace tarvo::xfer
