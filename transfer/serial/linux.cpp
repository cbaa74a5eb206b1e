// The Linux port: termios for the line, poll for the byte deadline, ioctl for
// queue sizes and modem lines.
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <mutex>
#include <set>

#include "serial/termios_port.h"

namespace tarvo::xfer {

namespace {
std::mutex gOpenMutex;
std::set<std::string>& openDevices() {
    static std::set<std::string> devices;
    return devices;
}

std::string canonical(const std::string& device) {
    char* real = ::realpath(device.c_str(), nullptr);
    if (!real) return device;
    std::string out = real;
    std::free(real);
    return out;
}

bool speedFor(int rate, speed_t& speed) {
    switch (rate) {
    case 1200: speed = B1200; return true;
    case 2400: speed = B2400; return true;
    case 4800: speed = B4800; return true;
    case 9600: speed = B9600; return true;
    case 19200: speed = B19200; return true;
    case 38400: speed = B38400; return true;
    case 57600: speed = B57600; return true;
    case 115200: speed = B115200; return true;
    default: return false;
    }
}

// Pseudo-terminals have no modem lines; the ioctl answers ENOTTY or EINVAL there.
void setModemLines(int fd, bool raise) {
    int bits = TIOCM_DTR | TIOCM_RTS;
    if (::ioctl(fd, raise ? TIOCMBIS : TIOCMBIC, &bits) != 0 && errno != ENOTTY && errno != EINVAL) {
        // Nothing else to do: the protocol needs no modem lines to work.
    }
}

int millisSince(std::chrono::steady_clock::time_point start) {
    return int(std::chrono::duration_cast<std::chrono::milliseconds>(
                   std::chrono::steady_clock::now() - start).count());
}
}  // namespace

std::unique_ptr<TermiosPort> TermiosPort::open(const std::string& device, PortError& error) {
    std::string key = canonical(device);
    {
        std::lock_guard lock(gOpenMutex);
        if (openDevices().count(key)) {
            error = kPortAlreadyOpen;
            return nullptr;
        }
    }
    int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = kPortGeneralFailure;
        return nullptr;
    }
    std::unique_ptr<TermiosPort> port(new TermiosPort(fd, key));
    if (::tcgetattr(fd, &port->saved_) != 0) {
        ::close(fd);
        port->fd_ = -1;
        error = kPortGeneralFailure;
        return nullptr;
    }
    port->haveSaved_ = true;
    {
        std::lock_guard lock(gOpenMutex);
        openDevices().insert(key);
    }
    if (!port->apply(LineSettings{})) {
        error = kPortGeneralFailure;
        return nullptr;  // the destructor closes and forgets the device
    }
    setModemLines(fd, true);
    error = kPortOk;
    return port;
}

TermiosPort::~TermiosPort() { close(); }

bool TermiosPort::apply(const LineSettings& s) {
    speed_t speed;
    if (!speedFor(s.rate, speed)) return false;
    termios t{};
    if (::tcgetattr(fd_, &t) != 0) return false;
    ::cfmakeraw(&t);
    t.c_cflag |= CLOCAL | CREAD;
    t.c_cflag &= ~tcflag_t(CRTSCTS | CSIZE | CSTOPB | PARENB | PARODD | CMSPAR);
    t.c_iflag &= ~tcflag_t(IXON | IXOFF | IXANY);
    switch (s.dataBits) {
    case 5: t.c_cflag |= CS5; break;
    case 6: t.c_cflag |= CS6; break;
    case 7: t.c_cflag |= CS7; break;
    case 8: t.c_cflag |= CS8; break;
    default: return false;  // 4 data bits: no Linux line supports them
    }
    if (s.stopBits == 2) t.c_cflag |= CSTOPB;
    switch (s.parity) {
    case 'O': t.c_cflag |= PARENB | PARODD; break;
    case 'E': t.c_cflag |= PARENB; break;
    case 'M': t.c_cflag |= PARENB | PARODD | CMSPAR; break;
    case 'S': t.c_cflag |= PARENB | CMSPAR; break;
    default: break;
    }
    t.c_cc[VMIN] = 0;
    t.c_cc[VTIME] = 0;
    ::cfsetispeed(&t, speed);
    ::cfsetospeed(&t, speed);
    if (::tcsetattr(fd_, TCSANOW, &t) != 0) return false;
    line_ = s;
    return true;
}

bool TermiosPort::setLine(const LineSettings& settings) {
    PortError check = checkLineSettings(settings);
    if (check != kPortOk) {
        lastError_ = check;
        return false;
    }
    if (fd_ < 0 || !apply(settings)) {
        lastError_ = kPortGeneralFailure;
        return false;
    }
    return true;
}

bool TermiosPort::setRate(int bitsPerSecond) {
    LineSettings wanted = line_;
    wanted.rate = bitsPerSecond;
    if (fd_ < 0 || !apply(wanted)) {  // line_ keeps the previous rate
        lastError_ = kPortGeneralFailure;
        return false;
    }
    return true;
}

int TermiosPort::bytesWaiting() {
    int n = 0;
    if (fd_ < 0 || ::ioctl(fd_, FIONREAD, &n) != 0) {
        lastError_ = kPortGeneralFailure;
        return -1;
    }
    return n;
}

int TermiosPort::bytesQueuedForSending() {
    int n = 0;
    if (fd_ < 0 || ::ioctl(fd_, TIOCOUTQ, &n) != 0) return 0;
    return n;
}

int TermiosPort::readBlock(std::uint8_t* buffer, int count) {
    if (fd_ < 0 || count <= 0) return 0;
    ssize_t got = ::read(fd_, buffer, std::size_t(count));
    if (got < 0) {
        if (errno != EAGAIN && errno != EINTR) lastError_ = kPortGeneralFailure;
        return 0;
    }
    return int(got);
}

ReadResult TermiosPort::readByte() {
    int queued = bytesWaiting();
    if (statusCheck() != kPortOk || queued < 0) return {ReadStatus::Failure, 0};
    if (queued == 0) return {ReadStatus::None, 0};
    auto start = std::chrono::steady_clock::now();
    for (;;) {
        std::uint8_t b = 0;
        if (readBlock(&b, 1) == 1) return {ReadStatus::Byte, b};
        if (lastError_ != kPortOk) return {ReadStatus::Failure, 0};
        int left = kByteDeadlineMs - millisSince(start);
        if (left <= 0) break;
        pollfd p{fd_, POLLIN, 0};
        ::poll(&p, 1, left);
    }
    lastError_ = kPortNoData;
    return {ReadStatus::None, 0};
}

int TermiosPort::write(const char* data, int count) {
    int lastChunk = 0;
    int done = 0;
    while (done < count) {
        int room = (kSendQueueSize - 1) - bytesQueuedForSending();
        if (room <= 0) room = 1;
        int chunk = std::min(room, count - done);
        int written = 0;
        auto start = std::chrono::steady_clock::now();
        while (written < chunk) {
            ssize_t n = ::write(fd_, data + done + written, std::size_t(chunk - written));
            if (n > 0) {
                written += int(n);
                continue;
            }
            if (n < 0 && errno != EAGAIN && errno != EINTR) break;
            // The device buffer is full: wait until it takes more, but not forever.
            int left = 2000 - millisSince(start);
            if (left <= 0) break;
            pollfd p{fd_, POLLOUT, 0};
            ::poll(&p, 1, left);
        }
        if (::tcdrain(fd_) != 0 && errno != EINVAL && errno != ENOTTY && errno != EINTR) {
            lastError_ = kPortGeneralFailure;
        }
        if (written < chunk) lastError_ = kPortWriteIncomplete;
        lastChunk = written;
        done += written;
        if (statusCheck() != kPortOk) return -1;
    }
    return lastChunk;
}

void TermiosPort::purgeInput() {
    if (fd_ >= 0) ::tcflush(fd_, TCIFLUSH);
}

int TermiosPort::statusCheck() {
    int e = lastError_;
    lastError_ = kPortOk;
    return e;
}

void TermiosPort::close() {
    if (fd_ < 0) return;
    if (haveSaved_) ::tcsetattr(fd_, TCSANOW, &saved_);
    ::tcflush(fd_, TCIOFLUSH);
    setModemLines(fd_, false);
    ::close(fd_);
    fd_ = -1;
    std::lock_guard lock(gOpenMutex);
    openDevices().erase(key_);
}

}  // namespace tarvo::xfer
