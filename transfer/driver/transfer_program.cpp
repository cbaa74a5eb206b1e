// tarvoxfer as a process: startup checks, then the window or one headless
// transfer driven by a poll loop.
#include "driver/transfer_program.h"

#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "driver/deadline_timer.h"
#include "driver/headless_host.h"
#include "driver/log_list.h"
#include "driver/port_settings.h"
#include "driver/transfer_controller.h"
#include "image/image_path.h"

namespace tarvo::xfer {

namespace {
volatile sig_atomic_t gInterrupted = 0;
void onInterrupt(int) { gInterrupted = 1; }

// The longest the loop sleeps when nothing is due, so an interrupt and the
// probe time limit are seen soon.
constexpr int kMaxPollMs = 250;

bool readableFile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}
}  // namespace

bool displayAvailable() {
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("QT_QPA_PLATFORM");
}

StartupCheck checkStartup(const CommandLine& cl, const std::string& cwd) {
    StartupCheck check;
    if (!cl.valid || cl.tooLong) {
        check.kind = StartupCheck::Refuse;
        check.exitCode = kResultInvalidParameter;
        check.message = "Invalid parameter specified.";
        return check;
    }
    if (cl.empty) return check;
    if (cl.showUsage) {
        check.kind = StartupCheck::ShowUsage;
        return check;
    }
    auto image = cl.imagePath.empty() ? std::nullopt : splitImagePath(cl.imagePath, cwd);
    if (!image || !readableFile(image->full())) {
        check.kind = StartupCheck::Refuse;
        check.exitCode = kExitBadStart;
        check.message = "The file specified could not be found.";
        return check;
    }
    if (cl.launchSlotInvalid()) {
        check.kind = StartupCheck::Refuse;
        check.exitCode = kExitBadStart;
        check.message = "The application number specified to launch is invalid.";
    }
    return check;
}

int runTransferProgram(int argc, char** argv, WindowRunner window) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf("%s\n", kUsageText);
        return 0;
    }
    CommandLine cl = parseCommandLine(joinArguments(argc, argv));
    if (window && !cl.batch && displayAvailable()) return window(argc, argv, cl);

    StartupCheck check = checkStartup(cl, currentDir());
    if (check.kind == StartupCheck::Refuse) {
        std::fprintf(stderr, "%s\n\n%s\n", check.message.c_str(), kUsageText);
        return check.exitCode;
    }
    if (check.kind == StartupCheck::ShowUsage || cl.empty) {
        std::printf("%s\n", kUsageText);
        return 0;
    }
    return runHeadless(cl);
}

int runHeadless(const CommandLine& cl) {
    PortSettings store;
    LogList log;
    log.setTraceLevel(cl.traceLevel);
    HeadlessHost host(log);
    SteadyClock clock;
    DeadlineTimer timer(clock);
    ProgramSettings settings = settingsFromCommandLine(cl, store.load(), currentDir());
    // Without a window nobody can answer a dialog.
    settings.batch = true;
    TransferController controller(host, timer, clock, log, settings);

    struct sigaction sa {};
    sa.sa_handler = onInterrupt;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    gInterrupted = 0;

    controller.startTransfer();
    while (controller.active() && !controller.resultDue()) {
        controller.pass();
        if (gInterrupted) controller.abort();
        if (controller.resultDue()) break;
        if (controller.wantsPass()) continue;
        if (timer.due()) {
            controller.onTimeout();
            continue;
        }
        int wait = timer.msUntilDue();
        if (wait < 0 || wait > kMaxPollMs) wait = kMaxPollMs;
        pollfd p{controller.pollFd(), POLLIN, 0};
        ::poll(&p, 1, wait);
        if (timer.due()) controller.onTimeout();
    }
    TransferEnding ending = controller.endTransfer();
    controller.savePort(store);
    // Only -C turns the result into the exit code.
    if (cl.batch) return ending.exitCode;
    return 0;
}

}  // namespace tarvo::xfer
