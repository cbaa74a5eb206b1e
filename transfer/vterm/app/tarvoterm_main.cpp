// tarvoterm: serves one download session as a virtual hand-held terminal on
// a pseudo-terminal.
#include <poll.h>
#include <signal.h>
#include <sys/prctl.h>
#include <time.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tarvo/common/safe_file.h"
#include "tarvo/vterm/command_line.h"
#include "tarvo/vterm/line_pacer.h"
#include "tarvo/vterm/pseudo_terminal.h"
#include "tarvo/vterm/transcript.h"
#include "tarvo/vterm/virtual_terminal.h"

namespace {

using namespace tarvo::vterm;

enum ExitCode {
    kResetReached = 0,
    kNoReset = 1,
    kBadCommandLine = 2,
    kPtyFailed = 3,
    kOutputFailed = 4
};

// How long to wait, after the reset, for the host to read the last answer
// before the line is closed under it.
constexpr int kDrainLimitMillis = 2000;
constexpr int kDrainPollMillis = 10;
constexpr std::size_t kReadChunk = 4096;

volatile sig_atomic_t stopRequested = 0;

void onStopSignal(int) {
    stopRequested = 1;
}

void installSignalHandlers() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = 0;  // no restart: poll returns so the loop sees the flag
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

void sleepUntil(std::int64_t nanos) {
    timespec target{};
    target.tv_sec = static_cast<time_t>(nanos / 1'000'000'000);
    target.tv_nsec = static_cast<long>(nanos % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &target, nullptr) == EINTR &&
           !stopRequested) {
    }
}

bool writeAll(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR || errno == EAGAIN) continue;
            return false;
        }
        done += static_cast<std::size_t>(written);
    }
    return true;
}

// Runs the session until the reset, the idle limit, a signal or a line error.
void serve(PseudoTerminal& line, VirtualTerminal& terminal, const TermOptions& options,
           const Clock& clock) {
    LinePacer fromHost, toHost;
    std::vector<char> buffer(kReadChunk);
    while (!terminal.finished() && !stopRequested) {
        pollfd waitFor{line.masterFd(), POLLIN, 0};
        const int timeout = options.idleLimitSeconds > 0 ? options.idleLimitSeconds * 1000 : -1;
        const int ready = ::poll(&waitFor, 1, timeout);
        if (ready < 0) {
            if (errno == EINTR) continue;
            std::fprintf(stderr, "tarvoterm: poll: %s\n", std::strerror(errno));
            return;
        }
        if (ready == 0) {
            std::fprintf(stderr, "tarvoterm: no byte from the host for %d s\n",
                         options.idleLimitSeconds);
            return;
        }
        const ssize_t count = ::read(line.masterFd(), buffer.data(), buffer.size());
        if (count < 0 && (errno == EINTR || errno == EAGAIN)) continue;
        if (count <= 0) {
            std::fprintf(stderr, "tarvoterm: read: %s\n",
                         count == 0 ? "end of file" : std::strerror(errno));
            return;
        }
        const int baud = line.lineBaud();
        if (options.throttle)
            sleepUntil(fromHost.schedule(clock.nowNanos(), static_cast<std::size_t>(count), baud));
        const std::string answer = terminal.receive(
            std::string_view(buffer.data(), static_cast<std::size_t>(count)), baud);
        if (answer.empty()) continue;
        if (options.throttle) sleepUntil(toHost.schedule(clock.nowNanos(), answer.size(), baud));
        if (!writeAll(line.masterFd(), answer)) {
            std::fprintf(stderr, "tarvoterm: write: %s\n", std::strerror(errno));
            return;
        }
    }
}

// The throttle sleeps until each byte would have left the wire. The kernel
// may let a sleep overrun by its timer slack (50 us by default), twice per
// record and answer; every overrun lengthens the session beyond the line's
// own time, so the throttle asks for the least slack there is.
void tightenTimerSlack() {
    constexpr unsigned long kLeastSlackNanos = 1;
    ::prctl(PR_SET_TIMERSLACK, kLeastSlackNanos, 0, 0, 0);
}

// Gives the host a moment to read the answer to the reset.
void drain(const PseudoTerminal& line) {
    for (int waited = 0; waited < kDrainLimitMillis && line.unreadByPeer() > 0 && !stopRequested;
         waited += kDrainPollMillis) {
        ::poll(nullptr, 0, kDrainPollMillis);
    }
}

bool writeOutput(const std::string& path, const std::string& text, const char* what) {
    if (path.empty()) return true;
    const tarvo::FileResult result = tarvo::writeFileSafely(path, text);
    if (!result.ok)
        std::fprintf(stderr, "tarvoterm: cannot write the %s %s: %s\n", what, path.c_str(),
                     result.error.c_str());
    return result.ok;
}

}  // namespace

int main(int argc, char** argv) {
    TermOptions options;
    std::string error;
    if (!parseCommandLine(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::fprintf(stderr, "tarvoterm: %s\nTry 'tarvoterm --help'.\n", error.c_str());
        return kBadCommandLine;
    }
    if (options.showHelp) {
        std::fputs(usageText().c_str(), stdout);
        return kResetReached;
    }

    installSignalHandlers();
    if (options.throttle) tightenTimerSlack();
    PseudoTerminal line;
    if (!line.open(options.terminal.startBaud, error)) {
        std::fprintf(stderr, "tarvoterm: %s\n", error.c_str());
        return kPtyFailed;
    }
    std::printf("PTY %s\n", line.devicePath().c_str());
    std::fflush(stdout);

    SteadyClock clock;
    VirtualTerminal terminal(options.terminal, clock);
    serve(line, terminal, options, clock);
    if (terminal.finished()) drain(line);

    const bool written =
        writeOutput(options.transcriptPath, transcriptJson(terminal), "transcript") &
        writeOutput(options.hexOutPath, receivedImageHex(terminal.log()), "image");
    if (!written) return kOutputFailed;
    return terminal.finished() ? kResetReached : kNoReset;
}
