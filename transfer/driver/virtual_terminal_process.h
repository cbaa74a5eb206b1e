// VirtualTerminalProcess: starts tarvoterm for the port name "virtual" and
// learns the pseudo-terminal it serves.
#pragma once
#include <string>
#include <vector>
#include <sys/types.h>

namespace tarvo::xfer {

class VirtualTerminalProcess {
public:
    VirtualTerminalProcess() = default;
    ~VirtualTerminalProcess() { stop(); }
    VirtualTerminalProcess(const VirtualTerminalProcess&) = delete;
    VirtualTerminalProcess& operator=(const VirtualTerminalProcess&) = delete;

    /// tarvoterm beside this program, else the first on PATH; empty when none.
    static std::string findProgram();
    /// Starts `program` with `args` and reads "PTY <device>" from the first line
    /// of its output (waiting at most `waitMs`). Answers the device, or empty
    /// with `error` set.
    std::string start(const std::string& program, const std::vector<std::string>& args,
                      std::string& error, int waitMs = 5000);
    /// Ends the process: gives it `graceMs` to end by itself (it does after
    /// the reset), then sends SIGTERM and waits for it.
    void stop(int graceMs = 0);
    pid_t pid() const { return pid_; }

private:
    pid_t pid_ = -1;
    int outFd_ = -1;
};

}  // namespace tarvo::xfer
