// TermiosPort: a SerialPort on a Linux tty device (serial adapters and pseudo-terminals).
#pragma once
#include <memory>
#include <string>

#include <termios.h>

#include "serial/line_settings.h"
#include "serial/serial_port.h"

namespace tarvo::xfer {

class TermiosPort : public SerialPort {
public:
    /// Opens `device` raw 8N1 at 9600 without flow control and with DTR and RTS
    /// raised where the device has modem lines. Answers nothing and sets
    /// `error` when it fails (already open in this program, or a device error).
    static std::unique_ptr<TermiosPort> open(const std::string& device, PortError& error);
    ~TermiosPort() override;

    bool setRate(int bitsPerSecond) override;
    /// Sets all four line values; refused values never reach the device.
    bool setLine(const LineSettings& settings);
    const LineSettings& line() const { return line_; }
    int write(const char* data, int count) override;
    int bytesWaiting() override;
    int bytesQueuedForSending();
    ReadResult readByte() override;
    /// Reads up to `count` bytes that have arrived, without waiting.
    int readBlock(std::uint8_t* buffer, int count);
    void purgeInput() override;
    int statusCheck() override;
    int pollFd() const override { return fd_; }
    void close() override;

private:
    TermiosPort(int fd, std::string key) : fd_(fd), key_(std::move(key)) {}
    bool apply(const LineSettings& settings);

    int fd_ = -1;
    std::string key_;       // canonical device path, for the "already open" rule
    termios saved_{};       // settings found at opening, restored at closing
    bool haveSaved_ = false;
    LineSettings line_;
    int lastError_ = kPortOk;
};

}  // namespace tarvo::xfer
