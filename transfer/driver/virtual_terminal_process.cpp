// Starting and stopping the virtual terminal program.
#include "driver/virtual_terminal_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <sstream>

#include "tarvo/common/paths.h"

extern char** environ;

namespace tarvo::xfer {

namespace {
constexpr const char* kProgramName = "tarvoterm";
constexpr std::size_t kMaxFirstLine = 512;
}  // namespace

std::string VirtualTerminalProcess::findProgram() {
    std::string beside = joinPath(programDir(), kProgramName);
    if (::access(beside.c_str(), X_OK) == 0) return beside;
    const char* path = std::getenv("PATH");
    if (!path) return {};
    std::stringstream dirs(path);
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        if (dir.empty()) continue;
        std::string candidate = joinPath(dir, kProgramName);
        if (::access(candidate.c_str(), X_OK) == 0) return candidate;
    }
    return {};
}

std::string VirtualTerminalProcess::start(const std::string& program,
                                          const std::vector<std::string>& args,
                                          std::string& error, int waitMs) {
    stop();
    int pipeFds[2];
    if (::pipe2(pipeFds, O_CLOEXEC) != 0) {
        error = "cannot create a pipe";
        return {};
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    std::vector<std::string> all = {program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = -1;
    int rc = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(pipeFds[1]);
    if (rc != 0) {
        ::close(pipeFds[0]);
        error = "cannot start " + program;
        return {};
    }
    pid_ = pid;
    outFd_ = pipeFds[0];

    std::string first;
    auto begin = std::chrono::steady_clock::now();
    while (first.find('\n') == std::string::npos && first.size() < kMaxFirstLine) {
        int elapsed = int(std::chrono::duration_cast<std::chrono::milliseconds>(
                              std::chrono::steady_clock::now() - begin).count());
        if (elapsed >= waitMs) break;
        pollfd p{outFd_, POLLIN, 0};
        if (::poll(&p, 1, waitMs - elapsed) <= 0) continue;
        char c;
        if (::read(outFd_, &c, 1) != 1) break;
        first += c;
    }
    const std::string prefix = "PTY ";
    if (first.rfind(prefix, 0) != 0 || first.find('\n') == std::string::npos) {
        error = "the virtual terminal did not report its device";
        stop();
        return {};
    }
    std::string device = first.substr(prefix.size());
    while (!device.empty() && (device.back() == '\n' || device.back() == '\r')) device.pop_back();
    return device;
}

void VirtualTerminalProcess::stop(int graceMs) {
    if (pid_ > 0) {
        int status = 0;
        auto begin = std::chrono::steady_clock::now();
        bool ended = false;
        for (;;) {
            if (::waitpid(pid_, &status, WNOHANG) == pid_) {
                ended = true;
                break;
            }
            int elapsed = int(std::chrono::duration_cast<std::chrono::milliseconds>(
                                  std::chrono::steady_clock::now() - begin).count());
            if (elapsed >= graceMs) break;
            pollfd none{-1, 0, 0};
            ::poll(&none, 0, 10);
        }
        if (!ended) {
            ::kill(pid_, SIGTERM);
            ::waitpid(pid_, &status, 0);
        }
        pid_ = -1;
    }
    if (outFd_ >= 0) {
        ::close(outFd_);
        outFd_ = -1;
    }
}

}  // namespace tarvo::xfer
