// Starting and ending transfers for the headless program and the window.
#include "driver/transfer_controller.h"

#include "image/image_scan.h"
#include "protocol/result_code.h"
#include "serial/port_list.h"
#include "serial/termios_port.h"
#include "tarvo/common/paths.h"
#include "tarvo/common/safe_file.h"

namespace tarvo::xfer {

namespace {
// Time the virtual terminal gets to finish its files after the reset.
constexpr int kVirtualTerminalGraceMs = 2000;

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

ProgramSettings settingsFromCommandLine(const CommandLine& cl, const PortChoice& remembered,
                                        const std::string& cwd) {
    ProgramSettings s;
    if (!cl.portDevice.empty()) s.port.device = cl.portDevice;
    else if (cl.port != kPortNotGiven) s.port.number = cl.port;
    else s.port = remembered;
    if (!cl.imagePath.empty()) {
        if (auto image = splitImagePath(cl.imagePath, cwd)) s.image = *image;
    }
    s.loadSlot = cl.loadSlot;
    s.showSlotDialog = cl.showSlotDialog;
    s.launchSlot = cl.launchSlot;
    s.osImagePath = cl.osImagePath;
    s.overrideFlags = cl.overrideFlags;
    s.maxBaud = cl.maxBaud;
    s.fileMode = cl.fileMode;
    s.traceLevel = cl.traceLevel;
    s.batch = cl.batch;
    s.exitAfterTransfer = cl.compact;
    s.probeLimitSeconds = cl.probeLimitSeconds;
    return s;
}

TransferController::TransferController(SessionHost& host, ReplyTimer& timer, Clock& clock,
                                       LogList& log, ProgramSettings settings)
    : host_(host), log_(log), settings_(std::move(settings)), session_(host, timer, clock) {
    session_.setMaxBaud(settings_.maxBaud);
    // The image was read once to check it before the start: step 0 takes
    // those bytes instead of reading the file again.
    session_.setFileLoader([this](const std::string& path, std::string& bytes) {
        if (!checkedImage_.empty() && path == checkedPath_) {
            bytes = std::move(checkedImage_);
            checkedImage_.clear();
            return true;
        }
        return readImage(path, bytes);
    });
    session_.setPortOpener([this](PortError& err) { return openPort(err); });
}

TransferController::~TransferController() {
    if (session_.active()) session_.finish();
    vterm_.stop();
}

bool TransferController::chooseImage(const std::string& path, const std::string& cwd) {
    auto image = splitImagePath(path, cwd);
    if (!image) return false;
    settings_.image = *image;
    return true;
}

int TransferController::pollFd() const {
    SerialPort* port = session_.port();
    return port ? port->pollFd() : -1;
}

StartOutcome TransferController::startTransfer() {
    if (session_.active() || resultDue_) return StartOutcome::AlreadyActive;
    if (settings_.image.empty()) return StartOutcome::NeedImage;
    const std::string path = settings_.image.full();
    std::string bytes;
    if (!readImage(path, bytes) || bytes.empty()) {
        log_.add("Error opening " + path + " file");
        if (!settings_.batch) return StartOutcome::NeedImage;
        resultDue_ = true;
        startResult_ = kResultHexFileError;
        return StartOutcome::Failed;
    }
    imageModel_ = imageModel(bytes);
    checkedPath_ = path;
    checkedImage_ = std::move(bytes);

    TransferOptions opts;
    opts.image = settings_.image;
    opts.osImagePath = settings_.osImagePath;
    opts.programDir = programDir();
    opts.outputDir = outputDir_;
    opts.overrideFlags = settings_.overrideFlags;
    opts.loadSlot = settings_.loadSlot;
    opts.showSlotDialog = settings_.showSlotDialog;
    opts.launchSlot = settings_.launchSlot;
    opts.fileMode = settings_.fileMode;
    opts.batchMode = settings_.batch;
    opts.traceLevel = settings_.traceLevel;
    opts.probeLimitSeconds = settings_.probeLimitSeconds;
    session_.start(opts);
    return StartOutcome::Started;
}

bool TransferController::abort() {
    if (!beyondStart()) return false;
    session_.abort();
    return true;
}

TransferEnding TransferController::endTransfer() {
    TransferEnding ending;
    if (resultDue_) {
        ending.result = startResult_;
        resultDue_ = false;
        startResult_ = kResultRunning;
    } else {
        ending.result = session_.finish();
    }
    // After the reset the terminal ends by itself once its files are written;
    // after a failure there is nothing to wait for.
    vterm_.stop(ending.result == kResultSuccess ? kVirtualTerminalGraceMs : 0);
    log_.add(resultMessage(ending.result));
    if (settings_.batch) {
        ending.exitProgram = true;
        ending.exitCode = ending.result == kResultSuccess ? 0 : ending.result;
    } else if (settings_.exitAfterTransfer) {
        ending.exitProgram = true;
        ending.exitCode = 0;
    }
    return ending;
}

std::unique_ptr<SerialPort> TransferController::openPort(PortError& err) {
    std::string device = settings_.port.device;
    if (device == "virtual") {
        // A new terminal for every transfer: the one before ended at its reset.
        vterm_.stop();
        std::string program = VirtualTerminalProcess::findProgram();
        std::string why;
        device = program.empty()
                     ? std::string()
                     : vterm_.start(program, {"--model", virtualTerminalModel(imageModel_)}, why);
        if (device.empty()) {
            host_.log(program.empty() ? "tarvoterm not found" : why);
            err = kPortGeneralFailure;
            return nullptr;
        }
    } else if (device.empty()) {
        device = portDevice(settings_.port.number, listPorts());
    }
    return TermiosPort::open(device, err);
}

}  // namespace tarvo::xfer
