// Pseudo-terminal creation and line-state queries.
#include "tarvo/vterm/pseudo_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace tarvo::vterm {
namespace {
struct SpeedEntry {
    speed_t speed;
    int baud;
};
constexpr SpeedEntry kSpeeds[] = {
    {B50, 50},       {B75, 75},         {B110, 110},       {B134, 134},     {B150, 150},
    {B200, 200},     {B300, 300},       {B600, 600},       {B1200, 1200},   {B1800, 1800},
    {B2400, 2400},   {B4800, 4800},     {B9600, 9600},     {B19200, 19200}, {B38400, 38400},
    {B57600, 57600}, {B115200, 115200}, {B230400, 230400},
};
}  // namespace

int baudOfSpeed(unsigned speed) {
    for (const SpeedEntry& entry : kSpeeds) {
        if (entry.speed == speed) return entry.baud;
    }
    return 0;
}

unsigned speedOfBaud(int baud) {
    for (const SpeedEntry& entry : kSpeeds) {
        if (entry.baud == baud) return entry.speed;
    }
    return 0;
}

PseudoTerminal::~PseudoTerminal() {
    if (slaveFd_ >= 0) ::close(slaveFd_);
    if (masterFd_ >= 0) ::close(masterFd_);
}

bool PseudoTerminal::open(int baud, std::string& error) {
    masterFd_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (masterFd_ < 0 || ::grantpt(masterFd_) != 0 || ::unlockpt(masterFd_) != 0) {
        error = std::string("cannot create a pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    const char* name = ::ptsname(masterFd_);
    if (name == nullptr) {
        error = std::string("cannot name the pseudo-terminal: ") + std::strerror(errno);
        return false;
    }
    devicePath_ = name;
    slaveFd_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (slaveFd_ < 0) {
        error = "cannot open " + devicePath_ + ": " + std::strerror(errno);
        return false;
    }
    termios settings{};
    if (::tcgetattr(slaveFd_, &settings) != 0) {
        error = std::string("cannot read the line settings: ") + std::strerror(errno);
        return false;
    }
    ::cfmakeraw(&settings);
    settings.c_cflag |= CLOCAL | CREAD;
    settings.c_cflag &= ~(CRTSCTS | CSTOPB | PARENB);
    const speed_t speed = speedOfBaud(baud);
    if (speed != 0) {
        ::cfsetispeed(&settings, speed);
        ::cfsetospeed(&settings, speed);
    }
    if (::tcsetattr(slaveFd_, TCSANOW, &settings) != 0) {
        error = std::string("cannot set the line settings: ") + std::strerror(errno);
        return false;
    }
    return true;
}

int PseudoTerminal::lineBaud() const {
    termios settings{};
    if (::tcgetattr(slaveFd_, &settings) != 0) return 0;
    return baudOfSpeed(::cfgetospeed(&settings));
}

std::size_t PseudoTerminal::unreadByPeer() const {
    // Bytes written to the master reach the slave's input queue through a
    // kernel work item; polling the slave runs that work first, so the count
    // below includes bytes still on their way.
    pollfd flush{slaveFd_, POLLIN, 0};
    ::poll(&flush, 1, 0);
    int waiting = 0;
    if (::ioctl(slaveFd_, FIONREAD, &waiting) != 0 || waiting < 0) return 0;
    return static_cast<std::size_t>(waiting);
}

}  // namespace tarvo::vterm
