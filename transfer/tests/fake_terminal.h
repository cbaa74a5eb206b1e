// FakeTerminal: a scripted terminal behind a fake port, with a fake timer and
// clock, so the protocol engine can be stepped through any path of its table.
#pragma once
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "image/hex_record.h"
#include "protocol/transfer_session.h"

namespace tarvo::xfer::testing {

class FakeTimer : public ReplyTimer {
public:
    bool start(int ms) override { running = true; lastMs = ms; return true; }
    void stop() override { running = false; }
    bool running = false;
    int lastMs = 0;
};

class FakeClock : public Clock {
public:
    std::uint64_t nowMs() override { return now; }
    std::uint64_t now = 1000000;
};

class RecordingHost : public SessionHost {
public:
    void log(const std::string& line) override { logs.push_back(line); }
    int chooseLoadSlot(const std::array<std::string, 4>& names) override {
        shownNames = names;
        ++slotDialogs;
        return slotAnswer;
    }
    int chooseDownloadOptions() override { ++optionDialogs; return optionsAnswer; }
    void warning(const std::string& text) override { warnings.push_back(text); }
    void setTitle(const std::string& t) override { title = t; }
    void progress(int p) override { if (p >= 0) lastProgress = p; }
    bool logged(const std::string& line) const {
        for (const auto& l : logs) if (l == line) return true;
        return false;
    }
    std::vector<std::string> logs, warnings;
    std::array<std::string, 4> shownNames;
    std::string title;
    int slotDialogs = 0, optionDialogs = 0, slotAnswer = 1, optionsAnswer = 2, lastProgress = -1;
};

// The far end. Answers every line from the host with one byte, sends its version
// record after F3 and its four name records after F8, one per ACK.
struct TerminalState {
    char typeLetter = 'C';
    std::string version = "120";  // three digits
    std::array<std::string, 4> names = {"alpha", "beta", "", "delta"};
    int listenRate = 19200;        // answers the probe only at this rate
    int rate = 9600;               // current port rate set by the host
    std::vector<std::string> lines;  // every line the host sent, as sent
    std::vector<int> lineRates;      // rate in force when each line was sent
    std::deque<std::string> toSend;  // records waiting for the host's ACK
    std::string outgoing;            // bytes the host can read
    int purges = 0;
    std::vector<std::uint8_t> answersFromHost;  // ACK/NAK the host gave to our records
    // Fault hook: for a line and how often the same line came before, the
    // bytes to answer instead of ACK ("" = silence, nullopt = normal answer).
    std::function<std::optional<std::string>(const std::string& line, int repeat)> fault;
    std::map<std::string, int> seen;
    bool refuseRates = false;      // setRate fails for every rate but 9600
    bool refuseAllRates = false;
    int corruptRecords = 0;        // the next N records the terminal sends carry a bad checksum
};

inline std::string versionRecord(const TerminalState& t, bool corrupt = false) {
    std::vector<std::uint8_t> data = {'V', std::uint8_t(t.typeLetter), std::uint8_t(t.version[0]), '.',
                                      std::uint8_t(t.version[1]), std::uint8_t(t.version[2])};
    std::string rec = formatHexRecord(0, 0x00, data);
    if (corrupt) rec[rec.size() - 1] = rec[rec.size() - 1] == '0' ? '1' : '0';
    return rec + "\r";
}

inline std::string nameRecord(int slot, const std::string& name) {
    std::vector<std::uint8_t> data = {std::uint8_t(slot)};
    for (std::size_t i = 0; i < 14; ++i) data.push_back(i < name.size() ? std::uint8_t(name[i]) : 0);
    return formatHexRecord(0, 0x00, data) + "\r";
}

class FakePort : public SerialPort {
public:
    explicit FakePort(TerminalState& t) : t_(t) {}
    bool setRate(int bps) override {
        if (t_.refuseAllRates || (t_.refuseRates && bps != 9600)) return false;
        t_.rate = bps;
        return true;
    }
    int write(const char* data, int count) override {
        std::string text(data, std::size_t(count));
        if (count == 1 && (text[0] == 0x06 || text[0] == 0x15)) {
            answerFromHost(std::uint8_t(text[0]));
            return 1;
        }
        t_.lines.push_back(text);
        t_.lineRates.push_back(t_.rate);
        int repeat = t_.seen[text]++;
        if (t_.fault) {
            if (auto answer = t_.fault(text, repeat)) {
                t_.outgoing += *answer;
                return count;
            }
        }
        if (text == "/.\rj") {
            if (t_.rate == t_.listenRate) t_.outgoing += '\x06';
            return count;  // silence at a wrong rate
        }
        t_.outgoing += '\x06';
        if (text.rfind(":010000F4", 0) == 0) {
            auto rec = parseHexRecord(text);
            t_.listenRate = rec->data[0] == 0x05 ? 38400 : rec->data[0] == 0x17 ? 9600 : 19200;
        }
        if (text == ":010000F3010B\r") {
            t_.toSend.push_back(versionRecord(t_, false));
            sendNextRecord();
        }
        if (text == ":000000F808\r") {
            for (int i = 0; i < 4; ++i) t_.toSend.push_back(nameRecord(i, t_.names[std::size_t(i)]));
            sendNextRecord();
        }
        return count;
    }
    int bytesWaiting() override { return int(t_.outgoing.size()); }
    ReadResult readByte() override {
        if (t_.outgoing.empty()) return {ReadStatus::None, 0};
        std::uint8_t b = std::uint8_t(t_.outgoing[0]);
        t_.outgoing.erase(0, 1);
        return {ReadStatus::Byte, b};
    }
    void purgeInput() override { ++t_.purges; t_.outgoing.clear(); }
    int statusCheck() override { return 0; }
    void close() override {}

private:
    void sendNextRecord() {
        if (t_.toSend.empty()) return;
        std::string rec = t_.toSend.front();
        if (t_.corruptRecords > 0) {
            --t_.corruptRecords;
            char& c = rec[rec.size() - 2];  // last checksum digit
            c = c == '0' ? '1' : '0';
        }
        t_.outgoing += rec;
    }
    void answerFromHost(std::uint8_t b) {
        t_.answersFromHost.push_back(b);
        if (t_.toSend.empty()) return;
        if (b == 0x06) t_.toSend.pop_front();
        sendNextRecord();  // the next record after ACK, the same again after NAK
    }
    TerminalState& t_;
};

}  // namespace tarvo::xfer::testing
