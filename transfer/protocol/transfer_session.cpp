// The download engine: one pass per call, driven by the step table.
#include "protocol/transfer_session.h"

#include <cstdio>

#include "image/hex_record.h"
#include "protocol/result_code.h"

namespace tarvo::xfer {

namespace {
constexpr int kDialogTimeoutMs = 3000;
constexpr int kStartTimeoutMs = 5000;
constexpr std::uint32_t kImageLimit = 0x10000;
constexpr std::uint32_t kCodeBase = 0x8000;

std::string format(const char* fmt, auto... args) {
    char buf[512];
    std::snprintf(buf, sizeof buf, fmt, args...);
    return buf;
}

// Text of received data bytes from `from`, up to the first NUL.
std::string dataText(const std::vector<std::uint8_t>& data, std::size_t from, std::size_t max) {
    std::string out;
    for (std::size_t i = from; i < data.size() && out.size() < max; ++i) {
        if (data[i] == 0) break;
        out += char(data[i]);
    }
    return out;
}

int modelFromLetter(std::uint8_t letter) {
    switch (letter) {
    case 'T': return kModelVK7100;
    case 'C': return kModelVK61;
    case 'X':
    case 0xFF: return kModelVK81;
    default: return kModelUnknown;
    }
}

const char* osImageName(int model) {
    switch (model) {
    case kModelVK7100: return "opsys.bhb";
    case kModelVK61: return "opsys61.bhb";
    default: return "opsys81.bhb";
    }
}
}  // namespace

TransferSession::TransferSession(SessionHost& host, ReplyTimer& timer, Clock& clock)
    : host_(host), timer_(timer), clock_(clock) {}

// ---------------------------------------------------------------------------
// Records built by the host

std::string TransferSession::applicationNameRecord(int loadSlot, const std::string& fileName,
                                                   bool font) {
    std::string name = fileName.substr(0, kF6NameChars);
    if (auto dot = name.find('.'); dot != std::string::npos) name.resize(dot);
    std::vector<std::uint8_t> bytes = {0x10, 0x00, 0x00, 0xF6, std::uint8_t(loadSlot)};
    std::string text = ":100000F6" + format("%.2i", loadSlot);
    for (unsigned char c : name) {
        text += format("%02x", unsigned(c));  // two digits even for bytes above 0x7F
        bytes.push_back(c);
    }
    for (std::size_t i = name.size(); i < kF6NameChars; ++i) {
        text += "20";
        bytes.push_back(0x20);
    }
    text += "00" + format("%.2i", font ? 1 : 0);
    bytes.push_back(0x00);
    bytes.push_back(font ? 1 : 0);
    return text + format("%2.2X\r", unsigned(recordChecksum(bytes)));
}

std::string TransferSession::launchRecord(int launchSlot) {
    std::vector<std::uint8_t> bytes = {0x01, 0x00, 0x00, 0xF9, std::uint8_t(launchSlot)};
    return format(":010000F9%.2X", unsigned(launchSlot)) +
           format("%2.2X\r", unsigned(recordChecksum(bytes)));
}

std::optional<std::string> TransferSession::convertOsRecord(const std::string& line) {
    auto rec = parseHexRecord(line);
    if (!rec) return line;
    if (rec->type == 0x03) return std::nullopt;
    if (rec->type == 0x02 && line.size() >= 13 && line.compare(0, 1, ":") == 0) {
        std::string digits = line.substr(9, 4);
        if (digits[0] >= '0' && digits[0] <= '7' && digits.compare(1, 3, "000") == 0)
            return formatHexRecord(0, 0xFF, {0x00, std::uint8_t(digits[0] - '0')}) + "\r";
    }
    return line;
}

// ---------------------------------------------------------------------------
// Control from the driver

void TransferSession::start(const TransferOptions& options) {
    options_ = options;
    current_ = steps::kInit;
    phase_ = Phase::Send;
    prepare_ = true;
    hasLine_ = false;
    result_ = kResultRunning;
    terminalType_ = kModelUnknown;
    imageModel_ = kModelUnknown;
}

void TransferSession::abort() {
    if (active() && result_ == kResultRunning) result_ = kResultUserAborted;
}

int TransferSession::finish() {
    timer_.stop();
    if (port_) {
        port_->close();
        port_.reset();
    }
    closePart();
    writer_.close();
    phase_ = Phase::Idle;
    int code = result_;
    result_ = kResultRunning;
    return code;
}

void TransferSession::endWith(int code) {
    if (result_ == kResultRunning) result_ = code;
}

void TransferSession::trace(const std::string& line) {
    if (options_.traceLevel > 0) host_.log(line);
}

void TransferSession::onTimeout() {
    if (!active() || result_ != kResultRunning) return;
    int timedOut = current_;
    current_ = table_[timedOut].onTimeout;
    timer_.stop();
    phase_ = Phase::Send;
    // A record that got no answer goes out again, without charging the NAK budget.
    prepare_ = !(timedOut >= steps::kOsRecords && timedOut <= steps::kFontRecords);
    if (!prepare_ && !hasLine_) prepare_ = true;
}

void TransferSession::pass() {
    if (!active() || result_ != kResultRunning) return;
    if (current_ == steps::kProbeStart) probeStartMs_ = clock_.nowMs();
    switch (phase_) {
    case Phase::Send: sendPhase(); break;
    case Phase::Wait: waitPhase(); break;
    case Phase::Receive: receivePhase(); break;
    case Phase::ProcessReceived: processReceived(); break;
    case Phase::Idle: break;
    }
    if (options_.probeLimitSeconds > 0 && result_ == kResultRunning &&
        (current_ == 2 || current_ == 3 || current_ == 5 || current_ == 7) &&
        clock_.nowMs() - probeStartMs_ > std::uint64_t(options_.probeLimitSeconds) * 1000)
        endWith(kResultTimeOutExceeded);
}

// ---------------------------------------------------------------------------
// Phases

void TransferSession::sendPhase() {
    if (prepare_ || !hasLine_) {
        nakBudget_ = kNakBudget;
        auto line = prepareStep();
        hasLine_ = line.has_value();
        if (hasLine_) line_ = *line;
        if (result_ != kResultRunning || phase_ != Phase::Send) {
            if (phase_ == Phase::Receive && !timer_.start(timeoutMs_)) host_.log("Problem setting timer");
            return;
        }
    }
    if (!options_.fileMode && !timer_.start(timeoutMs_)) host_.log("Problem setting timer");
    if (!hasLine_) {
        prepare_ = true;
        return;
    }
    if (options_.fileMode) {
        if (!writer_.writeLine(line_)) host_.warning("Error writing to output file");
        afterAck(false);
        return;
    }
    std::string out = line_;
    if (current_ == steps::kOsRecords) {
        auto converted = convertOsRecord(line_);
        if (!converted) {
            prepare_ = true;  // dropped: the next pass takes the next OS record
            return;
        }
        out = *converted;
    }
    if (!port_) {
        endWith(kResultWriteError);
        return;
    }
    int written = port_->write(out.data(), int(out.size()));
    if (written != int(out.size())) {
        host_.log(kMsgCommPortError);
        endWith(kResultWriteError);
        return;
    }
    phase_ = Phase::Wait;
}

void TransferSession::waitPhase() {
    if (!port_) return;
    int waiting = port_->bytesWaiting();
    if (waiting < 0) {
        port_->statusCheck();
        host_.log(kMsgCommPortError);
        return;
    }
    if (waiting == 0) return;
    ReadResult r = port_->readByte();
    // The terminal may NAK while it gathers its names: those NAKs are no answer.
    while (r.status == ReadStatus::Byte && current_ == steps::kInquireApps && r.byte == kNak)
        r = port_->readByte();
    if (r.status == ReadStatus::Failure) {
        host_.log(kMsgCommPortError);
        return;
    }
    if (r.status == ReadStatus::None) return;

    const Step& step = table_[current_];
    if (r.byte == kAck) {
        afterAck(true);
    } else if (r.byte == kBel) {
        endWith(kResultBelReceived);
        current_ = step.onBel;
    } else if (r.byte == kNak && current_ == steps::kLaunch) {
        current_ = steps::kLaunchNaked;
        port_->purgeInput();
    } else if (r.byte == kNak) {
        current_ = step.onNak;
        if (--nakBudget_ <= 0) {
            endWith(kResultTooManyNaks);
        } else {
            prepare_ = false;
            trace(kMsgNakResending);
        }
        port_->purgeInput();
    } else {
        bool recordStep = current_ >= steps::kOsRecords && current_ <= steps::kFontRecords;
        current_ = step.onNak;
        trace(format("%x", unsigned(r.byte)));
        if (recordStep) {
            // A garbled answer to a record: send the same record again, so that
            // no record is silently skipped; the NAK budget bounds the repeats.
            if (--nakBudget_ <= 0) endWith(kResultTooManyNaks);
            else prepare_ = false;
        }
        port_->purgeInput();
    }
    timer_.stop();
    phase_ = Phase::Send;
}

void TransferSession::receivePhase() {
    if (!port_) return;
    for (;;) {
        ReadResult r = port_->readByte();
        if (r.status == ReadStatus::Failure) {
            host_.log(kMsgCommPortError);
            return;
        }
        if (r.status == ReadStatus::None) return;
        rx_ += char(r.byte);
        if (r.byte == '\r' || rx_.size() >= kReceiveBufferSize) {
            phase_ = Phase::ProcessReceived;
            return;
        }
    }
}

void TransferSession::processReceived() {
    auto rec = parseHexRecord(rx_, /*upperOnly=*/true);
    rx_.clear();
    bool valid = rec && rec->complete && rec->checksumOk;
    if (valid) {
        bool nameStep = current_ >= steps::kFirstName && current_ <= steps::kLastName;
        trace(dataText(rec->data, nameStep ? 1 : 0, kReceiveBufferSize));
        phase_ = Phase::Send;
    } else {
        phase_ = Phase::Receive;
    }
    if (!writeAnswer(valid ? kAck : kNak)) {
        host_.log(kMsgCommPortError);
        endWith(kResultWriteError);
        return;
    }
    if (!valid) return;
    if (current_ >= steps::kFirstName && current_ <= steps::kLastName)
        names_[std::size_t(current_ - steps::kFirstName)] = dataText(rec->data, 1, kNameBytes);
    if (current_ == steps::kVersionDecision) versionData_ = rec->data;
}

bool TransferSession::writeAnswer(std::uint8_t byte) {
    if (!port_) return false;
    char c = char(byte);
    return port_->write(&c, 1) == 1;
}

// ---------------------------------------------------------------------------
// Moving through the table

void TransferSession::moveTo(int step) {
    // The font question is skipped when there is nothing to ask about.
    if (step == steps::kSendFonts && (!scan_.hasFont || terminalType_ == kModelVK7100))
        step = steps::kReset;
    current_ = step;
}

void TransferSession::afterAck(bool modelCheck) {
    if (modelCheck && terminalType_ != kModelUnknown) {
        if (imageModel_ == kModelUnknown) imageModel_ = imageModel(appImage_);
        if (imageModel_ != terminalType_) {
            current_ = table_[current_].onNak;
            endWith(terminalType_ == kModelVK7100 ? kResultWrongModelVK7100
                    : terminalType_ == kModelVK81 ? kResultWrongModelVK81
                                                  : kResultWrongModelVK61);
            return;
        }
    }
    if (current_ == steps::kAppRecords) appCount_ += line_.size() + 1;
    if (current_ == steps::kEraseAll || current_ == steps::kEraseApps) programmed_ = true;
    moveTo(table_[current_].onAck);
    prepare_ = true;
}

std::optional<std::string> TransferSession::prepareStep() {
    const Step& step = table_[current_];
    switch (step.kind) {
    case StepKind::Command:
        trace(format("Transmitting %s (%d)", std::string(step.name).c_str(), current_));
        return std::string(step.record);
    case StepKind::EraseCommand:
        current_ = sendOs_ ? steps::kEraseAll : steps::kEraseApps;
        host_.log(std::string(table_[current_].name));
        return std::string(table_[current_].record);
    case StepKind::OsRecords:
        if (sendOs_) {
            if (auto line = nextPartLine(Part::Os)) return line;
            closePart();
        }
        current_ = steps::kAppRecords;
        return std::nullopt;
    case StepKind::ApplicationRecords:
        if (sendApp_) {
            if (appCount_ < scan_.appPartLength)
                if (auto line = nextPartLine(Part::Application)) return line;
            closePart();
        }
        moveTo(options_.launchSlot ? steps::kLaunch : steps::kSendFonts);
        return std::nullopt;
    case StepKind::FontRecords:
        if (scan_.hasFont) {
            if (auto line = nextPartLine(Part::Font)) return line;
            closePart();
        }
        // F9 runs once: after the application records, or here when it has not run.
        current_ = options_.launchSlot && !launchSent_ ? steps::kLaunch : steps::kReset;
        return std::nullopt;
    case StepKind::Action: {
        trace(format("Executing %s (%d)", std::string(step.name).c_str(), current_));
        std::string line;
        switch (runAction(step, line)) {
        case Outcome::Prepared: return line;
        case Outcome::Success: moveTo(table_[current_].onAck); break;
        case Outcome::Failure: moveTo(table_[current_].onNak); break;
        case Outcome::Stop: break;
        }
        return std::nullopt;
    }
    }
    return std::nullopt;
}

// ---------------------------------------------------------------------------
// Actions

TransferSession::Outcome TransferSession::runAction(const Step& step, std::string& line) {
    bool vk7100 = terminalType_ == kModelVK7100;
    switch (step.action) {
    case StepAction::InitState: return initState();
    case StepAction::SetTimeout:
        timeoutMs_ = step.param;
        return Outcome::Success;
    case StepAction::SetBaud:
        if (!port_ || !port_->setRate(step.param)) {
            if (port_) port_->statusCheck();
            host_.log("Set com state error");
            endWith(kResultSetComStateError);
            if (port_) {
                port_->close();
                port_.reset();
            }
            return Outcome::Stop;
        }
        port_->purgeInput();
        return Outcome::Success;
    case StepAction::Receive:
        if (current_ != 22 && vk7100) return Outcome::Success;
        phase_ = Phase::Receive;
        rx_.clear();
        timeoutMs_ = step.param;
        return Outcome::Success;
    case StepAction::UpdateSystem: return updateSystem();
    case StepAction::InquireApps:
        if (vk7100) return Outcome::Success;
        line = ":000000F808\r";
        return Outcome::Prepared;
    case StepAction::GetApplicationInfo:
        if (vk7100 || options_.batchMode) return Outcome::Success;
        timer_.stop();
        if (options_.showSlotDialog) {
            int slot = host_.chooseLoadSlot(names_);
            if (slot < 0 || slot > 3) {
                endWith(kResultUserAborted);
                return Outcome::Stop;
            }
            options_.loadSlot = slot;
        }
        if (port_) port_->purgeInput();
        timeoutMs_ = kDialogTimeoutMs;
        if (!timer_.start(timeoutMs_)) host_.log("Problem setting timer");
        return Outcome::Success;
    case StepAction::SetApplicationName:
        if (vk7100) return Outcome::Success;
        // No slot chosen (batch mode without option A): the first slot, as the dialog proposes.
        if (options_.loadSlot < 0 || options_.loadSlot > 3) options_.loadSlot = 0;
        line = applicationNameRecord(options_.loadSlot, options_.image.name, scan_.hasFont);
        return Outcome::Prepared;
    case StepAction::GetFilesSize:
        progressTotal_ = measure();
        if (result_ != kResultRunning) return Outcome::Stop;
        return progressTotal_ ? Outcome::Success : Outcome::Failure;
    case StepAction::SendFonts:
        if (scan_.hasFont && !vk7100) {
            line = ":000000F709\r";
            return Outcome::Prepared;
        }
        return Outcome::Success;
    case StepAction::EndState:
        closePart();
        if (options_.fileMode) writer_.close();
        if (!programmed_ && !options_.fileMode) {
            // Reached through a time-out before the erase was answered.
            endWith(kResultNoAnswer);
            return Outcome::Stop;
        }
        host_.setTitle("Qor TarvoXfer Programmer [" + options_.image.name + "]");
        endWith(kResultSuccess);
        return Outcome::Stop;
    case StepAction::EndStateNotProgrammed:
        closePart();
        endWith(kResultNotReprogrammed);
        return Outcome::Stop;
    case StepAction::LaunchApplication:
        if (vk7100 || options_.launchSlot == 0) return Outcome::Success;
        line = launchRecord(options_.launchSlot);
        trace(format("Sending Launch Application %d", options_.launchSlot));
        trace(line);
        launchSent_ = true;
        return Outcome::Prepared;
    case StepAction::Nothing:
    case StepAction::None: return Outcome::Success;
    }
    return Outcome::Success;
}

TransferSession::Outcome TransferSession::initState() {
    sendApp_ = true;
    // Every transfer starts from the override flags: an earlier decision to
    // send the operating system never carries over.
    sendOs_ = (options_.overrideFlags & kOverrideSendOs) != 0;
    terminalType_ = terminalVersion_ = kModelUnknown;
    imageModel_ = kModelUnknown;
    launchSent_ = false;
    programmed_ = false;
    appCount_ = 0;
    names_ = {};
    versionData_.reset();
    osLoaded_ = false;
    osImage_.clear();
    osPath_.clear();
    timeoutMs_ = kStartTimeoutMs;
    progressTotal_ = progressDone_ = 0;
    lastPercent_ = -1;

    const std::string path = options_.image.full();
    appImage_.clear();
    if (!loadFile_ || !loadFile_(path, appImage_)) {
        host_.log(format("Error opening %s file", path.c_str()));
        endWith(kResultHexFileError);
        return Outcome::Stop;
    }
    scan_ = scanImage(appImage_);

    table_.setUp(maxBaud_, options_.fileMode);
    if (options_.fileMode) {
        writer_.setDir(options_.outputDir);
        std::string failed;
        if (!writer_.create(failed)) {
            host_.log(format("Error creating output file %s", failed.c_str()));
            endWith(kResultHexFileError);
            return Outcome::Stop;
        }
        programmed_ = true;
        if (sendOs_) osPath_ = options_.osImagePath;
        progressTotal_ = measure();  // file mode skips the step that measures
        if (result_ != kResultRunning) return Outcome::Stop;
    } else {
        PortError err = kPortGeneralFailure;
        port_ = openPort_ ? openPort_(err) : nullptr;
        if (!port_) {
            endWith(kResultOpenComError);
            return Outcome::Stop;
        }
        if (!port_->setRate(StepTable::startRate(maxBaud_))) {
            port_->statusCheck();
            maxBaud_ = kMaxBaud19200;
            table_.setUp(maxBaud_, false);
            if (!port_->setRate(19200)) {
                port_->statusCheck();
                host_.log("Set com state error");
                endWith(kResultSetComStateError);
                return Outcome::Stop;
            }
        }
        host_.transferStarted();
    }
    host_.log(format("%s, %d Nodes.", path.c_str(), int(scan_.nodeCount)));
    if (scan_.endAddress > kImageLimit) {
        host_.log(format("Application size %04XH Bytes.", unsigned(scan_.endAddress + kCodeBase)));
        endWith(kResultTooLarge);
        return Outcome::Stop;
    }
    host_.log(format("Application size %04XH Bytes.",
                     unsigned((scan_.endAddress - kCodeBase) % kImageLimit)));
    host_.log("Programming the portable");
    host_.log("");
    host_.log("Press <Esc> to abort");
    return Outcome::Success;
}

TransferSession::Outcome TransferSession::updateSystem() {
    std::uint8_t letter = versionData_ && versionData_->size() > 1 ? (*versionData_)[1] : 0;
    terminalType_ = modelFromLetter(letter);
    terminalVersion_ = 0;
    if (letter != 0xFF && versionData_ && versionData_->size() >= 6) {
        auto d = [&](std::size_t i) { return int((*versionData_)[i]) - '0'; };
        terminalVersion_ = 100 * d(2) + 10 * d(4) + d(5);
    }
    if (!options_.osImagePath.empty()) osPath_ = options_.osImagePath;
    else if (terminalType_ != kModelUnknown)
        osPath_ = options_.programDir + "/" + osImageName(terminalType_);
    else osPath_.clear();

    if (terminalType_ == kModelUnknown) {
        host_.warning("Unrecognized PDT. Cancelling download.");
        endWith(kResultUserAborted);
        return Outcome::Stop;
    }
    if (measure() == 0) {
        endWith(kResultProgrammingAborted);
        return Outcome::Stop;
    }
    int diskVersion = loadOsImage() ? osImageVersion(osImage_) : 0;
    if (options_.overrideFlags) {
        sendOs_ = (options_.overrideFlags & kOverrideSendOs) != 0;
        sendApp_ = (options_.overrideFlags & kOverrideSendApp) != 0;
    }
    trace(format("    Version Disk=%d, Loaded=%d", diskVersion, terminalVersion_));
    if (terminalType_ == kModelVK7100) {
        if (diskVersion != terminalVersion_) sendOs_ = true;
        return Outcome::Success;
    }
    if (terminalVersion_ == 0) {
        sendOs_ = true;
    } else if (sendOs_ || terminalVersion_ < diskVersion) {
        if (!options_.batchMode) {
            timer_.stop();
            switch (host_.chooseDownloadOptions()) {
            case 1: sendOs_ = true; break;
            case 2: sendOs_ = false; break;
            default:
                endWith(kResultUserAborted);
                return Outcome::Stop;
            }
        }
        if (port_) port_->purgeInput();
        if (!options_.batchMode) {
            timeoutMs_ = kDialogTimeoutMs;
            if (!timer_.start(timeoutMs_)) host_.log("Problem setting timer");
        }
    }
    return Outcome::Success;
}

// ---------------------------------------------------------------------------
// Image parts

bool TransferSession::loadOsImage() {
    if (osLoaded_) return true;
    if (osPath_.empty() || !loadFile_ || !loadFile_(osPath_, osImage_)) {
        osImage_.clear();
        return false;
    }
    osLoaded_ = true;
    return true;
}

std::uint64_t TransferSession::measure() {
    std::uint64_t total = 0;
    if (sendOs_) {
        if (!loadOsImage()) {
            host_.log(format("Error opening %s file", osPath_.c_str()));
            return 0;
        }
        if (osImage_.empty()) return 0;
        total += osImage_.size();
    }
    if (sendApp_) {
        std::size_t app = scan_.appPartLength + scan_.fontLength;
        if (app == 0) return 0;
        total += app;
    }
    return total;
}

std::optional<std::string> TransferSession::nextPartLine(Part part) {
    if (part_ != part) {
        closePart();
        std::string path = part == Part::Os ? osPath_ : options_.image.full();
        const std::string& bytes = part == Part::Os ? osImage_ : appImage_;
        if ((part == Part::Os && !loadOsImage()) || bytes.empty()) {
            host_.log(format("Error opening %s file", path.c_str()));
            return std::nullopt;  // the part counts as empty
        }
        host_.log(format("Transmitting %s file", path.c_str()));
        if (part == Part::Os) source_.open(bytes, 0, bytes.size());
        else if (part == Part::Application) source_.open(bytes, 0, scan_.appPartLength);
        else source_.open(bytes, scan_.fontOffset, scan_.fontLength);
        part_ = part;
        host_.progress(0);
    }
    auto line = source_.nextLine();
    if (line && source_.linesTaken() > 1) {
        progressDone_ += line->size() + 1;
        if (progressTotal_ == 0) {
            host_.warning("Divide by zero error");
        } else {
            int percent = int(progressDone_ * 100 / progressTotal_);
            if (percent != lastPercent_) {
                lastPercent_ = percent;
                host_.progress(percent > 100 ? 100 : percent);
            }
        }
    }
    return line;
}

void TransferSession::closePart() {
    if (part_ == Part::None) return;
    source_.close();
    part_ = Part::None;
    host_.progress(-1);
}

}  // namespace tarvo::xfer
