// The master side of a pseudo-terminal that the host opens as its serial port.
#pragma once

#include <cstddef>
#include <string>

namespace tarvo::vterm {

class PseudoTerminal {
  public:
    PseudoTerminal() = default;
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    /// Creates the pair, puts the line in raw mode 8N1 at `baud`. False with
    /// the system's reason in `error` on failure.
    bool open(int baud, std::string& error);

    /// The device path the host opens, such as /dev/pts/3.
    const std::string& devicePath() const { return devicePath_; }
    int masterFd() const { return masterFd_; }

    /// The rate the host last configured on the line, or 0 when unknown.
    /// A pseudo-terminal moves bytes at any rate but keeps the setting.
    int lineBaud() const;

    /// Bytes written by us that the host has not read yet.
    std::size_t unreadByPeer() const;

  private:
    int masterFd_ = -1;
    // Held open for the whole session so the line and its settings survive
    // while the host has not opened it yet or reopens it.
    int slaveFd_ = -1;
    std::string devicePath_;
};

/// Converts a termios speed constant to bits per second (0 when unknown).
int baudOfSpeed(unsigned speed);
/// Converts bits per second to a termios speed constant (0 when unknown).
unsigned speedOfBaud(int baud);

}  // namespace tarvo::vterm
