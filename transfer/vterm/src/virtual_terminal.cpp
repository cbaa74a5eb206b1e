// The terminal's behaviour in the download protocol.
#include "tarvo/vterm/virtual_terminal.h"

#include <algorithm>
#include <utility>

namespace tarvo::vterm {
namespace {

constexpr std::uint8_t kEraseCommand = 0xF1;
constexpr std::uint8_t kResetCommand = 0xF2;
constexpr std::uint8_t kVersionCommand = 0xF3;
constexpr std::uint8_t kSpeedCommand = 0xF4;
constexpr std::uint8_t kNameCommand = 0xF6;
constexpr std::uint8_t kFontCommand = 0xF7;
constexpr std::uint8_t kListNamesCommand = 0xF8;
constexpr std::uint8_t kLaunchCommand = 0xF9;
constexpr std::uint8_t kBankCommand = 0xFF;
constexpr std::uint8_t kFirstCommandType = 0xF1;
constexpr std::uint8_t kEndOfFileType = 0x01;
// Name command: load slot, 13 name bytes, a zero byte, the font flag.
constexpr std::size_t kNameCommandBytes = 16;
constexpr std::size_t kNameCommandNameBytes = 13;
constexpr std::uint8_t kNoOsTypeByte = 0xFF;
// First data byte of the version record; the type letter and the version
// digits follow it.
constexpr std::uint8_t kVersionRecordTag = 'V';

std::string describeByte(std::uint8_t byte) {
    static constexpr char kDigits[] = "0123456789abcdef";
    return std::string("0x") + kDigits[byte >> 4] + kDigits[byte & 0x0F];
}

// The rate a speed command selects, or 0 for an unknown code.
int rateOfSpeedCode(std::uint8_t code) {
    switch (code) {
        case 0x05:
            return 38400;
        case 0x0B:
            return 19200;
        case 0x17:
            return 9600;
        case 0x0C:
            return 19200;  // the emulator's variant
        default:
            return 0;
    }
}

}  // namespace

VirtualTerminal::VirtualTerminal(TerminalConfig config, const Clock& clock)
    : config_(std::move(config)),
      clock_(clock),
      startNanos_(clock.nowNanos()),
      currentBaud_(config_.startBaud) {}

std::string VirtualTerminal::receive(std::string_view bytes, int lineBaud) {
    std::string out = answerTo(bytes, lineBaud);
    countTraffic(lineBaud, bytes.size(), out.size());
    return out;
}

void VirtualTerminal::countTraffic(int lineBaud, std::size_t fromHost, std::size_t toHost) {
    if (fromHost == 0 && toHost == 0) return;
    // The list holds one entry per rate the line was ever set to: a handful.
    auto entry = std::find_if(log_.traffic.begin(), log_.traffic.end(),
                              [lineBaud](const LineTraffic& t) { return t.baud == lineBaud; });
    if (entry == log_.traffic.end())
        entry = log_.traffic.insert(entry, LineTraffic{lineBaud, 0, 0});
    entry->fromHost += fromHost;
    entry->toHost += toHost;
}

std::string VirtualTerminal::answerTo(std::string_view bytes, int lineBaud) {
    std::string out;
    if (bytes.empty() || finished()) return out;
    if (lineBaud != currentBaud_) {
        // At the wrong rate the bytes come out as garbage: nothing can be
        // made of them, and any half-read line is spoilt.
        log_.garbledBytes += bytes.size();
        receiver_.reset();
        note(true, "garbled",
             std::to_string(bytes.size()) + " bytes at " + std::to_string(lineBaud));
        return out;
    }
    for (char c : bytes) {
        if (finished()) break;
        handleByte(static_cast<std::uint8_t>(c), out);
    }
    return out;
}

void VirtualTerminal::handleByte(std::uint8_t byte, std::string& out) {
    if (outgoing_ != Outgoing::None && (byte == kAck || byte == kNak)) {
        handleHostAnswer(byte, out);
        return;
    }
    switch (receiver_.push(byte)) {
        case WireEvent::None:
            return;
        case WireEvent::Noise:
            ++log_.noiseBytes;
            return;
        case WireEvent::Probe:
            handleProbe(out);
            return;
        case WireEvent::Record:
            handleRecordLine(receiver_.line(), out);
            return;
        case WireEvent::Overlong:
            note(true, "overlong",
                 "record line longer than " + std::to_string(kMaxRecordLineChars));
            if (!silent_) answer(kNak, out);
            return;
    }
}

void VirtualTerminal::handleHostAnswer(std::uint8_t byte, std::string& out) {
    if (byte == kAck) {
        note(true, "ack", "");
        resends_ = 0;
        if (outgoing_ == Outgoing::Names && ++nameIndex_ < kApplicationSlots) {
            sendOwnRecord(out);
        } else {
            outgoing_ = Outgoing::None;
        }
        return;
    }
    note(true, "nak", "");
    if (++resends_ > kMaxResends) {
        note(false, "give-up", "own record refused too often");
        outgoing_ = Outgoing::None;
        resends_ = 0;
        return;
    }
    sendOwnRecord(out);
}

void VirtualTerminal::handleProbe(std::string& out) {
    note(true, "probe", "");
    FaultTarget target;
    target.kind = TargetKind::Probe;
    if (applyFault(target, out)) return;
    answer(kAck, out);
}

FaultTarget VirtualTerminal::targetOf(const HexRecord& record) const {
    FaultTarget target;
    if (record.type >= kFirstCommandType &&
        !(record.type == kBankCommand && part_ == ImagePart::Os)) {
        target.kind = TargetKind::Command;
        target.commandType = record.type;
        return target;
    }
    switch (part_) {
        case ImagePart::Os:
            target.kind = TargetKind::OsRecord;
            target.index = static_cast<unsigned>(log_.osRecords.size()) + 1;
            break;
        case ImagePart::Font:
            target.kind = TargetKind::FontRecord;
            target.index = static_cast<unsigned>(log_.fontRecords.size()) + 1;
            break;
        case ImagePart::None:
        case ImagePart::Application:
            target.kind = TargetKind::AppRecord;
            target.index = static_cast<unsigned>(log_.appRecords.size()) + 1;
            break;
    }
    return target;
}

void VirtualTerminal::handleRecordLine(const std::string& line, std::string& out) {
    note(true, "record", line);
    HexRecord record;
    if (parseHexRecord(line, record) != HexParseResult::Ok) {
        note(false, "bad-record", line);
        if (!silent_) answer(kNak, out);
        return;
    }
    if (applyFault(targetOf(record), out)) return;

    if (record.type >= kFirstCommandType) {
        if (!runCommand(record, line, out)) answer(kNak, out);
        return;
    }
    acceptDataRecord(record, line);
    answer(kAck, out);
}

bool VirtualTerminal::applyFault(const FaultTarget& target, std::string& out) {
    if (silent_) return true;
    switch (config_.faults.take(target)) {
        case FaultAction::None:
        case FaultAction::BadVersion:
            return false;
        case FaultAction::Nak:
            answer(kNak, out);
            return true;
        case FaultAction::Drop:
            note(false, "drop", "");
            return true;
        case FaultAction::Bel:
            answer(kBel, out);
            return true;
        case FaultAction::Stray:
            answer(kStrayByte, out);
            return true;
        case FaultAction::Silent:
            silent_ = true;
            note(false, "silent", "");
            return true;
    }
    return false;
}

void VirtualTerminal::acceptDataRecord(const HexRecord& record, const std::string& line) {
    switch (part_) {
        case ImagePart::Os:
            log_.osRecords.push_back(line);
            // The operating system image ends with its end-of-file record; the
            // application image follows without a command in between.
            if (record.type == kEndOfFileType && record.data.empty())
                part_ = ImagePart::Application;
            break;
        case ImagePart::Font:
            log_.fontRecords.push_back(line);
            break;
        case ImagePart::None:
        case ImagePart::Application:
            log_.appRecords.push_back(line);
            break;
    }
}

bool VirtualTerminal::runCommand(const HexRecord& record, const std::string& line,
                                 std::string& out) {
    const auto& data = record.data;
    if (record.address != 0) return false;
    const bool slots = supportsApplicationSlots(config_.model);
    switch (record.type) {
        case kBankCommand:
            if (data.size() != 2 || data[0] != 0 || data[1] > 3) return false;
            if (part_ == ImagePart::Os) log_.osRecords.push_back(line);
            break;
        case kEraseCommand:
            if (data.size() != 2 || data[0] != 0) return false;
            if (data[1] == 0xFF) {
                log_.erase = "all";
                part_ = ImagePart::Os;
            } else if (data[1] == 0xC0) {
                log_.erase = "applications";
                part_ = ImagePart::Application;
            } else {
                return false;
            }
            break;
        case kResetCommand:
            if (!data.empty()) return false;
            break;
        case kVersionCommand:
            if (data.size() != 1 || data[0] != 0x01) return false;
            break;
        case kSpeedCommand:
            if (data.size() != 1 || rateOfSpeedCode(data[0]) == 0) return false;
            break;
        case kNameCommand:
            if (!slots || data.size() != kNameCommandBytes || data[0] > 3 || data[15] > 1)
                return false;
            break;
        case kFontCommand:
            if (!slots || !data.empty()) return false;
            part_ = ImagePart::Font;
            break;
        case kListNamesCommand:
            if (!slots || !data.empty()) return false;
            break;
        case kLaunchCommand:
            if (!slots || data.size() != 1 || data[0] < 1 || data[0] > kApplicationSlots)
                return false;
            break;
        default:
            return false;
    }

    log_.commands.push_back(line);
    answer(kAck, out);
    switch (record.type) {
        case kResetCommand:
            log_.reset = true;
            break;
        case kVersionCommand:
            outgoing_ = Outgoing::Version;
            resends_ = 0;
            sendOwnRecord(out);
            break;
        case kListNamesCommand:
            outgoing_ = Outgoing::Names;
            nameIndex_ = 0;
            resends_ = 0;
            sendOwnRecord(out);
            break;
        case kSpeedCommand:
            // The answer still goes out at the old rate; the switch follows it.
            currentBaud_ = rateOfSpeedCode(data[0]);
            log_.rateChanges.push_back(currentBaud_);
            break;
        case kNameCommand: {
            log_.loadSlot = data[0];
            std::string name(data.begin() + 1, data.begin() + 1 + kNameCommandNameBytes);
            while (!name.empty() && (name.back() == ' ' || name.back() == '\0')) name.pop_back();
            log_.applicationName = name;
            log_.fontFlag = data[15];
            break;
        }
        case kLaunchCommand:
            log_.launchSlot = data[0];
            break;
        default:
            break;
    }
    return true;
}

std::string VirtualTerminal::versionRecordText() {
    HexRecord record;
    const bool noOs = config_.version == kNoOperatingSystem;
    const std::string digits = noOs ? std::string("0.00") : config_.version;
    record.data.push_back(kVersionRecordTag);
    record.data.push_back(noOs ? kNoOsTypeByte : typeLetter(config_.model));
    record.data.insert(record.data.end(), digits.begin(), digits.end());
    return formatHexRecord(record, config_.faults.takeBadVersion());
}

std::string VirtualTerminal::nameRecordText(unsigned slot) const {
    HexRecord record;
    record.data.push_back(static_cast<std::uint8_t>(slot));
    const std::string& name = config_.names[slot];
    for (std::size_t i = 0; i < kStoredNameBytes; ++i) {
        record.data.push_back(i < name.size() ? static_cast<std::uint8_t>(name[i]) : 0);
    }
    return formatHexRecord(record);
}

void VirtualTerminal::sendOwnRecord(std::string& out) {
    const std::string text =
        outgoing_ == Outgoing::Version ? versionRecordText() : nameRecordText(nameIndex_);
    note(false, "record", text);
    out += text;
    out += '\r';
}

void VirtualTerminal::answer(std::uint8_t byte, std::string& out) {
    switch (byte) {
        case kAck:
            note(false, "ack", "");
            break;
        case kNak:
            note(false, "nak", "");
            break;
        case kBel:
            note(false, "bel", "");
            break;
        default:
            note(false, "stray", describeByte(byte));
            break;
    }
    out += static_cast<char>(byte);
}

void VirtualTerminal::note(bool fromHost, std::string kind, std::string text) {
    if (log_.events.size() >= kMaxSessionEvents) {
        ++log_.eventsNotKept;
        return;
    }
    log_.events.push_back(
        {clock_.nowNanos() - startNanos_, fromHost, std::move(kind), std::move(text)});
}

}  // namespace tarvo::vterm
