// The headless tarvoxfer: one transfer driven by a poll loop.
#include "driver/transfer_program.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "driver/deadline_timer.h"
#include "driver/headless_host.h"
#include "driver/log_list.h"
#include "driver/port_settings.h"
#include "driver/virtual_terminal_process.h"
#include "image/image_path.h"
#include "image/image_scan.h"
#include "protocol/result_code.h"
#include "protocol/transfer_session.h"
#include "serial/port_list.h"
#include "serial/termios_port.h"
#include "tarvo/common/paths.h"
#include "tarvo/common/safe_file.h"

namespace tarvo::xfer {

namespace {
volatile sig_atomic_t gInterrupted = 0;
void onInterrupt(int) { gInterrupted = 1; }

// The longest the loop sleeps when nothing is due, so an interrupt is seen soon.
constexpr int kMaxPollMs = 250;
// Time the virtual terminal gets to finish its files after the reset.
constexpr int kVirtualTerminalGraceMs = 2000;

void printUsageError(const char* message) {
    std::fprintf(stderr, "%s\n\n%s\n", message, kUsageText);
}

bool readImage(const std::string& path, std::string& bytes) {
    return readWholeFile(path, bytes).ok;
}
}  // namespace

std::string virtualTerminalModel(int imageModel) {
    switch (imageModel) {
    case kModelVK61: return "VK61";
    case kModelVK81: return "VK81";
    default: return "VK7100";
    }
}

int runTransferProgram(int argc, const char* const* argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::printf("%s\n", kUsageText);
        return 0;
    }
    CommandLine cl = parseCommandLine(joinArguments(argc, argv));
    if (!cl.valid || cl.tooLong) {
        printUsageError("Invalid parameter specified.");
        return kResultInvalidParameter;
    }
    if (cl.showUsage || cl.empty) {
        std::printf("%s\n", kUsageText);
        return 0;
    }
    auto image = splitImagePath(cl.imagePath, currentDir());
    std::string imageBytes;
    if (cl.imagePath.empty() || !image || !readImage(image->full(), imageBytes)) {
        printUsageError("The file specified could not be found.");
        return kExitBadStart;
    }
    if (cl.launchSlotInvalid()) {
        printUsageError("The application number specified to launch is invalid.");
        return kExitBadStart;
    }

    PortSettings settings;
    PortChoice port;
    if (!cl.portDevice.empty()) port.device = cl.portDevice;
    else if (cl.port != kPortNotGiven) port.number = cl.port;
    else port = settings.load();

    LogList log;
    log.setTraceLevel(cl.traceLevel);
    HeadlessHost host(log);
    SteadyClock clock;
    DeadlineTimer timer(clock);
    TransferSession session(host, timer, clock);
    session.setMaxBaud(cl.maxBaud);
    session.setFileLoader(readImage);

    VirtualTerminalProcess vterm;
    int imageModelCode = imageModel(imageBytes);
    session.setPortOpener([&](PortError& err) -> std::unique_ptr<SerialPort> {
        std::string device = port.device;
        if (device == "virtual") {
            std::string program = VirtualTerminalProcess::findProgram();
            std::string why;
            device = program.empty() ? std::string()
                                     : vterm.start(program, {"--model", virtualTerminalModel(imageModelCode)}, why);
            if (device.empty()) {
                host.log(program.empty() ? "tarvoterm not found" : why);
                err = kPortGeneralFailure;
                return nullptr;
            }
        } else if (device.empty()) {
            device = portDevice(port.number, listPorts());
        }
        return TermiosPort::open(device, err);
    });

    TransferOptions opts;
    opts.image = *image;
    opts.osImagePath = cl.osImagePath;
    opts.programDir = programDir();
    opts.overrideFlags = cl.overrideFlags;
    opts.loadSlot = cl.loadSlot;
    opts.showSlotDialog = cl.showSlotDialog;
    opts.launchSlot = cl.launchSlot;
    opts.fileMode = cl.fileMode;
    opts.batchMode = true;  // no window: nobody to answer a dialog
    opts.traceLevel = cl.traceLevel;
    opts.probeLimitSeconds = cl.probeLimitSeconds;

    struct sigaction sa {};
    sa.sa_handler = onInterrupt;
    ::sigaction(SIGINT, &sa, nullptr);
    ::sigaction(SIGTERM, &sa, nullptr);
    gInterrupted = 0;

    session.start(opts);
    int code = kResultRunning;
    while (session.active()) {
        session.pass();
        if (gInterrupted && session.currentStep() != steps::kInit) session.abort();
        if (session.result() != kResultRunning) {
            code = session.finish();
            break;
        }
        if (session.wantsPass()) continue;
        if (timer.due()) {
            session.onTimeout();
            continue;
        }
        int wait = timer.msUntilDue();
        if (wait < 0 || wait > kMaxPollMs) wait = kMaxPollMs;
        pollfd p{session.port() ? session.port()->pollFd() : -1, POLLIN, 0};
        ::poll(&p, 1, wait);
        if (timer.due()) session.onTimeout();
    }
    vterm.stop(kVirtualTerminalGraceMs);
    log.add(resultMessage(code));
    settings.save(port);
    if (cl.batch) return code == kResultSuccess ? 0 : code;
    return 0;
}

}  // namespace tarvo::xfer
