// The interfaces through which the protocol engine reaches the world: the
// program around it (log, dialogs, title, progress), the reply timer and a clock.
#pragma once
#include <array>
#include <cstdint>
#include <string>

namespace tarvo::xfer {

class SessionHost {
public:
    virtual ~SessionHost() = default;
    virtual void log(const std::string& line) = 0;
    /// The slot dialog: 0..3, or -1 for Cancel.
    virtual int chooseLoadSlot(const std::array<std::string, 4>& storedNames) = 0;
    /// The download-options dialog: 1 OS and application, 2 application only, 0 cancel.
    virtual int chooseDownloadOptions() = 0;
    virtual void warning(const std::string& text) = 0;
    virtual void setTitle(const std::string& title) = 0;
    /// Progress of the part being sent, 0..100; -1 removes the bar.
    virtual void progress(int percent) = 0;
    /// The port is open and the exchange begins (menus greyed, "&Abort" added).
    virtual void transferStarted() {}
};

class ReplyTimer {
public:
    virtual ~ReplyTimer() = default;
    /// (Re)starts the single reply timer; false when it cannot be started.
    virtual bool start(int milliseconds) = 0;
    virtual void stop() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual std::uint64_t nowMs() = 0;
};

}  // namespace tarvo::xfer
