// The terminal's side of the protocol, driven byte by byte with no line and
// no real time: rates, probes, commands, its own records, image parts, faults.
#include "tarvo/vterm/virtual_terminal.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

#include "fake_clock.h"

namespace tarvo::vterm {

// Found by GoogleTest through the argument's namespace.
void PrintTo(const LineTraffic& t, std::ostream* out) {
    *out << "{" << t.baud << ": " << t.fromHost << " in, " << t.toHost << " out}";
}

namespace {

const std::string kAckText(1, '\x06');
const std::string kNakText(1, '\x15');
const std::string kBelText(1, '\x07');
const std::string kStrayText(1, '\x3F');

// The host's transmissions, as the host writes them.
const std::string kProbe = "/.\rj";
const std::string kBank2 = ":020000FF0002FD\r";
const std::string kBank0 = ":020000FF0000FF\r";
const std::string kTo38400 = ":010000F40506\r";
const std::string kTo19200 = ":010000F40B00\r";
const std::string kTo9600 = ":010000F417F4\r";
const std::string kTo19200Emulator = ":010000F40CFF\r";
const std::string kInquireVersion = ":010000F3010B\r";
const std::string kInquireNames = ":000000F808\r";
const std::string kEraseAll = ":020000F100FF0E\r";
const std::string kEraseApplications = ":020000F100C04D\r";
const std::string kFontsFollow = ":000000F709\r";
const std::string kReset = ":000000F20E\r";
// Load slot 0, image "ab.hex", font block present.
const std::string kNameAbSlot0Font = ":100000F600616220202020202020202020200001D6\r";
const std::string kLaunchSlot2 = ":010000F90204\r";

std::string dataLine(std::uint16_t address, std::vector<std::uint8_t> data, std::uint8_t type = 0) {
    HexRecord record;
    record.type = type;
    record.address = address;
    record.data = std::move(data);
    return formatHexRecord(record) + "\r";
}

std::string withoutCr(const std::string& line) {
    return line.substr(0, line.size() - 1);
}

// Decodes a version record the way the host does.
struct DecodedVersion {
    std::uint8_t type = 0;
    int version = -1;
};
DecodedVersion decodeVersion(const std::string& line) {
    HexRecord record;
    DecodedVersion decoded;
    if (parseHexRecord(withoutCr(line), record) != HexParseResult::Ok || record.data.size() < 6)
        return decoded;
    decoded.type = record.data[1];
    decoded.version =
        100 * (record.data[2] - '0') + 10 * (record.data[4] - '0') + (record.data[5] - '0');
    return decoded;
}

class TerminalTest : public ::testing::Test {
  protected:
    void start(TerminalConfig config = TerminalConfig{}) {
        terminal_ = std::make_unique<VirtualTerminal>(std::move(config), clock_);
    }
    void startWithFaults(const std::vector<const char*>& faults,
                         TerminalConfig config = TerminalConfig{}) {
        std::string error;
        for (const char* fault : faults) EXPECT_TRUE(config.faults.add(fault, error)) << error;
        start(std::move(config));
    }
    // Feeds one byte at a time at the terminal's own rate.
    std::string send(const std::string& bytes) { return sendAt(bytes, terminal_->currentBaud()); }
    std::string sendAt(const std::string& bytes, int baud) {
        std::string answer;
        for (char c : bytes) answer += terminal_->receive(std::string_view(&c, 1), baud);
        return answer;
    }
    // Brings the terminal to the point where image records are taken.
    void eraseFor(const std::string& erase) { ASSERT_EQ(send(erase), kAckText); }

    testing::FakeClock clock_;
    std::unique_ptr<VirtualTerminal> terminal_;
};

TEST_F(TerminalTest, AnswersTheProbeOnlyAtItsOwnRate) {
    for (int own : {9600, 19200, 38400}) {
        for (int line : {9600, 19200, 38400}) {
            TerminalConfig config;
            config.startBaud = own;
            start(config);
            EXPECT_EQ(sendAt(kProbe, line), own == line ? kAckText : "") << own << " " << line;
            EXPECT_EQ(terminal_->log().garbledBytes, own == line ? 0u : kProbe.size());
        }
    }
}

TEST_F(TerminalTest, GarbledBytesSpoilAHalfReadLine) {
    start();
    EXPECT_EQ(send(":020000FF00"), "");
    EXPECT_EQ(sendAt("x", 19200), "");
    // The rest of the line alone is not a record.
    EXPECT_EQ(send("02FD\r"), "");
    EXPECT_EQ(send(kBank2), kAckText);
}

TEST_F(TerminalTest, SpeedCommandsAnswerThenSwitch) {
    struct Case {
        const std::string* command;
        int rate;
    };
    for (const Case& c : {Case{&kTo38400, 38400}, Case{&kTo19200, 19200}, Case{&kTo9600, 9600},
                          Case{&kTo19200Emulator, 19200}}) {
        TerminalConfig config;
        config.startBaud = c.rate == 9600 ? 19200 : 9600;
        const int before = config.startBaud;
        start(config);
        EXPECT_EQ(send(*c.command), kAckText);
        EXPECT_EQ(terminal_->currentBaud(), c.rate);
        EXPECT_EQ(terminal_->log().rateChanges, std::vector<int>{c.rate});
        EXPECT_EQ(sendAt(kProbe, before), "") << "the old rate is no longer understood";
        EXPECT_EQ(sendAt(kProbe, c.rate), kAckText);
    }
}

// Wire time is reckoned from these counts, so every byte must land under
// the rate the line had when it moved: refused and unreadable bytes too.
TEST_F(TerminalTest, TrafficCountsEveryByteEachWayUnderItsLineRate) {
    start();
    const std::string refused = ":020000FF0002FE\r";  // wrong checksum
    std::string answers = sendAt(kProbe, 38400);      // unreadable at our 9600
    for (const std::string* line :
         {&kProbe, &refused, &kTo38400, &kInquireVersion, &kAckText, &kReset})
        answers += send(*line);
    const std::string late = kBank0;  // after the reset: ignored, yet sent
    answers += send(late);

    // ":06", address, type, six data bytes, checksum and CR.
    constexpr std::size_t versionRecord = 3 + 4 + 2 + 12 + 2 + 1;
    const std::vector<LineTraffic> expected = {
        {38400, kProbe.size() + kInquireVersion.size() + 1 + kReset.size() + late.size(),
         1 + versionRecord + 1},
        {9600, kProbe.size() + refused.size() + kTo38400.size(), 3},
    };
    // The first rate used is 38400 (the unreadable probe); the answer to the
    // speed command still goes at 9600.
    EXPECT_EQ(terminal_->log().traffic, expected);
    std::uint64_t sentToHost = 0;
    for (const LineTraffic& t : terminal_->log().traffic) sentToHost += t.toHost;
    EXPECT_EQ(sentToHost, answers.size());
}

TEST_F(TerminalTest, TrafficIsCountedForWholeChunksAsForSingleBytes) {
    start();
    const std::string session = kProbe + kTo19200;
    const std::string answer = terminal_->receive(session, 9600);
    EXPECT_EQ(answer, kAckText + kAckText);
    EXPECT_EQ(terminal_->log().traffic,
              (std::vector<LineTraffic>{{9600, session.size(), answer.size()}}));
}

TEST_F(TerminalTest, VersionRecordCarriesTypeLetterAndDigits) {
    struct Case {
        TerminalModel model;
        const char* version;
        std::uint8_t type;
        int decoded;
    };
    for (const Case& c :
         {Case{TerminalModel::VK7100, "1.23", 'T', 123},
          Case{TerminalModel::VK61, "2.05", 'C', 205}, Case{TerminalModel::VK81, "0.09", 'X', 9},
          Case{TerminalModel::VK81, "none", 0xFF, 0}, Case{TerminalModel::VK61, "none", 0xFF, 0}}) {
        TerminalConfig config;
        config.model = c.model;
        config.version = c.version;
        start(config);
        const std::string answer = send(kInquireVersion);
        ASSERT_EQ(answer.substr(0, 1), kAckText);
        ASSERT_EQ(answer.back(), '\r');
        const DecodedVersion decoded = decodeVersion(answer.substr(1));
        EXPECT_EQ(decoded.type, c.type) << c.version;
        EXPECT_EQ(decoded.version, c.decoded) << c.version;
        EXPECT_EQ(send(kAckText), "") << "acknowledged: nothing more to send";
    }
}

TEST_F(TerminalTest, VersionRecordResentOnNakUntilTheLimit) {
    start();
    const std::string first = send(kInquireVersion).substr(1);
    for (unsigned i = 0; i < kMaxResends; ++i) EXPECT_EQ(send(kNakText), first) << i;
    EXPECT_EQ(send(kNakText), "") << "given up after the limit";
    EXPECT_EQ(send(kBank2), kAckText) << "and ready for commands again";
}

TEST_F(TerminalTest, NameRecordsOneAfterAnotherWithResendOnNak) {
    TerminalConfig config;
    config.names = {"STOCK", "", "FOURTEEN_CHARS", "Z"};
    start(config);
    std::string answer = send(kInquireNames);
    ASSERT_EQ(answer.substr(0, 1), kAckText);
    std::vector<std::string> names;
    std::string record = answer.substr(1);
    for (unsigned slot = 0; slot < kApplicationSlots; ++slot) {
        if (slot == 1) {
            EXPECT_EQ(send(kNakText), record) << "a NAK repeats the same record";
        }
        HexRecord parsed;
        ASSERT_EQ(parseHexRecord(withoutCr(record), parsed), HexParseResult::Ok);
        ASSERT_EQ(parsed.data.size(), 1 + kStoredNameBytes);
        EXPECT_EQ(parsed.data[0], slot);
        std::string name;
        for (std::size_t i = 1; i < parsed.data.size() && parsed.data[i] != 0; ++i)
            name += char(parsed.data[i]);
        names.push_back(name);
        record = send(kAckText);
    }
    EXPECT_EQ(record, "") << "nothing after the fourth name";
    EXPECT_EQ(names, (std::vector<std::string>{"STOCK", "", "FOURTEEN_CHARS", "Z"}));
}

TEST_F(TerminalTest, WholeSessionKeepsEveryPartAndSlot) {
    start();
    const std::string osSegment = ":020000FF0001FE\r";  // a segment record as the host converts it
    const std::string os1 = dataLine(0x0000, {0x01, 0x02, 0x03});
    const std::string os2 = dataLine(0x0010, {0x04});
    const std::string osEnd = ":00000001FF\r";
    const std::string appHeader = ":0400000100000000FB\r";
    const std::string appNodes = ":020000010003FA\r";
    const std::string appModel = ":04000001564B3831F1\r";
    const std::string appSegment = ":020000023000CC\r";
    const std::string app1 = dataLine(0x8000, {0x26, 0x01, 0x00, 0x01});
    const std::string font1 = dataLine(0x8100, std::vector<std::uint8_t>(24, 0x55));

    std::string answers;
    for (const std::string* line : {&kProbe, &kBank2, &kBank0, &kTo38400}) answers += send(*line);
    ASSERT_EQ(answers, kAckText + kAckText + kAckText + kAckText);
    ASSERT_EQ(terminal_->currentBaud(), 38400);
    ASSERT_EQ(send(kInquireVersion).substr(0, 1), kAckText);
    send(kAckText);
    send(kInquireNames);
    for (int i = 0; i < 4; ++i) send(kAckText);
    answers.clear();
    for (const std::string* line :
         {&kNameAbSlot0Font, &kBank2, &kBank0, &kEraseAll, &osSegment, &os1, &os2, &osEnd,
          &appHeader, &appNodes, &appModel, &appSegment, &app1, &kLaunchSlot2, &kFontsFollow,
          &font1, &kReset}) {
        answers += send(*line);
    }
    EXPECT_EQ(answers, std::string(17, '\x06'));
    EXPECT_TRUE(terminal_->finished());

    const SessionLog& log = terminal_->log();
    EXPECT_EQ(log.erase, "all");
    EXPECT_EQ(log.osRecords, (std::vector<std::string>{withoutCr(osSegment), withoutCr(os1),
                                                       withoutCr(os2), withoutCr(osEnd)}));
    EXPECT_EQ(log.appRecords, (std::vector<std::string>{withoutCr(appHeader), withoutCr(appNodes),
                                                        withoutCr(appModel), withoutCr(appSegment),
                                                        withoutCr(app1)}));
    EXPECT_EQ(log.fontRecords, std::vector<std::string>{withoutCr(font1)});
    EXPECT_EQ(log.loadSlot, 0);
    EXPECT_EQ(log.applicationName, "ab");
    EXPECT_EQ(log.fontFlag, 1);
    EXPECT_EQ(log.launchSlot, 2);
    EXPECT_EQ(log.commands.size(), 13u) << "every accepted command, OS banks included";
    EXPECT_EQ(log.commands.front(), withoutCr(kBank2));
    EXPECT_EQ(log.commands.back(), withoutCr(kReset));

    EXPECT_EQ(send(kProbe), "") << "after the reset nothing is answered";
}

TEST_F(TerminalTest, ApplicationEraseSendsRecordsStraightToTheApplication) {
    start();
    eraseFor(kEraseApplications);
    EXPECT_EQ(send(":00000001FF\r"), kAckText);
    EXPECT_EQ(terminal_->log().erase, "applications");
    EXPECT_TRUE(terminal_->log().osRecords.empty());
    EXPECT_EQ(terminal_->log().appRecords.size(), 1u);
}

TEST_F(TerminalTest, BadChecksumIsRefusedAndNotKept) {
    start();
    eraseFor(kEraseApplications);
    EXPECT_EQ(send(":0400000100000000FC\r"), kNakText);
    EXPECT_EQ(send(":04000001000000\r"), kNakText);
    EXPECT_EQ(send(":0400000100000000FB\r"), kAckText);
    EXPECT_EQ(terminal_->log().appRecords, std::vector<std::string>{":0400000100000000FB"});
}

TEST_F(TerminalTest, CommandsWithNonsenseDataAreRefused) {
    for (const std::string& line :
         {dataLine(0, {0x99}, 0xF4), dataLine(0, {0x00, 0x11}, 0xF1), dataLine(0, {0x05}, 0xF9),
          dataLine(0, {0x00}, 0xF9), dataLine(0, {0x01, 0x00}, 0xFF),
          dataLine(0, {0x00, 0x04}, 0xFF), dataLine(0, {0x00}, 0xF6), dataLine(0, {}, 0xF5),
          dataLine(0, {0x02}, 0xF3), dataLine(0x0010, {}, 0xF2), dataLine(0, {0x00}, 0xF2)}) {
        start();
        EXPECT_EQ(send(line), kNakText) << line;
        EXPECT_FALSE(terminal_->finished()) << line;
        EXPECT_TRUE(terminal_->log().commands.empty()) << line;
    }
}

TEST_F(TerminalTest, Vk7100RefusesNamesLaunchAndFonts) {
    TerminalConfig config;
    config.model = TerminalModel::VK7100;
    for (const std::string* line :
         {&kInquireNames, &kNameAbSlot0Font, &kLaunchSlot2, &kFontsFollow}) {
        start(config);
        EXPECT_EQ(send(*line), kNakText) << *line;
    }
    start(config);
    EXPECT_EQ(send(kEraseAll), kAckText);
    EXPECT_EQ(send(kReset), kAckText);
    EXPECT_TRUE(terminal_->finished());
}

// One table of record faults: the lines the host sends in order and the
// answer expected to each.
struct FaultCase {
    const char* name;
    std::vector<const char*> faults;
    std::vector<std::pair<std::string, std::string>> exchange;
    std::size_t keptAppRecords;
};

void PrintTo(const FaultCase& c, std::ostream* os) {
    *os << c.name;
}

const std::string kApp1 = ":0400000100000000FB\r";
const std::string kApp2 = ":020000010003FA\r";

class TerminalFault : public TerminalTest, public ::testing::WithParamInterface<FaultCase> {};

TEST_P(TerminalFault, AnswersAsTheFaultSays) {
    startWithFaults(GetParam().faults);
    eraseFor(kEraseApplications);
    for (const auto& [line, expected] : GetParam().exchange)
        EXPECT_EQ(send(line), expected) << line;
    EXPECT_EQ(terminal_->log().appRecords.size(), GetParam().keptAppRecords);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, TerminalFault,
    ::testing::Values(
        FaultCase{"nine_naks_then_ack",
                  {"nak:app2:9"},
                  {{kApp1, kAckText},
                   {kApp2, kNakText},
                   {kApp2, kNakText},
                   {kApp2, kNakText},
                   {kApp2, kNakText},
                   {kApp2, kNakText},
                   {kApp2, kNakText},
                   {kApp2, kNakText},
                   {kApp2, kNakText},
                   {kApp2, kNakText},
                   {kApp2, kAckText}},
                  2},
        FaultCase{"drop_then_resend",
                  {"drop:app1"},
                  {{kApp1, ""}, {kApp1, kAckText}, {kApp2, kAckText}},
                  2},
        FaultCase{"bel", {"bel:app2"}, {{kApp1, kAckText}, {kApp2, kBelText}}, 1},
        FaultCase{"stray_twice",
                  {"stray:app1:2"},
                  {{kApp1, kStrayText}, {kApp1, kStrayText}, {kApp1, kAckText}},
                  1},
        FaultCase{"silent_from_a_record",
                  {"silent:app2"},
                  {{kApp1, kAckText}, {kApp2, ""}, {kApp2, ""}, {kReset, ""}, {":00\r", ""}},
                  1},
        FaultCase{"command_fault",
                  {"nak:F2:2"},
                  {{kReset, kNakText}, {kReset, kNakText}, {kReset, kAckText}},
                  0},
        FaultCase{"first_due_fault_wins",
                  {"drop:app1", "nak:app1"},
                  {{kApp1, ""}, {kApp1, kNakText}, {kApp1, kAckText}},
                  1}),
    [](const ::testing::TestParamInfo<FaultCase>& info) { return std::string(info.param.name); });

TEST_F(TerminalTest, FaultsOnTheProbe) {
    startWithFaults({"nak:probe:2"});
    EXPECT_EQ(send(kProbe), kNakText);
    EXPECT_EQ(send(kProbe), kNakText);
    EXPECT_EQ(send(kProbe), kAckText);

    startWithFaults({"silent"});
    EXPECT_EQ(send(kProbe), "");
    EXPECT_EQ(send(kBank2), "");
    EXPECT_EQ(send(kReset), "");
    EXPECT_FALSE(terminal_->finished());
}

TEST_F(TerminalTest, FaultsCountRecordsOfEachPartSeparately) {
    startWithFaults({"nak:os2", "nak:app1", "nak:font1"});
    eraseFor(kEraseAll);
    EXPECT_EQ(send(kApp1), kAckText) << "first OS record";
    EXPECT_EQ(send(kApp2), kNakText) << "second OS record";
    EXPECT_EQ(send(kApp2), kAckText);
    EXPECT_EQ(send(":00000001FF\r"), kAckText) << "end of the OS part";
    EXPECT_EQ(send(kApp1), kNakText) << "first application record";
    EXPECT_EQ(send(kApp1), kAckText);
    EXPECT_EQ(send(kFontsFollow), kAckText);
    EXPECT_EQ(send(kApp1), kNakText) << "first font record";
    EXPECT_EQ(send(kApp1), kAckText);
    EXPECT_EQ(terminal_->log().osRecords.size(), 3u);
    EXPECT_EQ(terminal_->log().appRecords.size(), 1u);
    EXPECT_EQ(terminal_->log().fontRecords.size(), 1u);
}

TEST_F(TerminalTest, BadVersionRecordsThenAGoodOne) {
    startWithFaults({"badversion:2"});
    const std::string first = send(kInquireVersion).substr(1);
    HexRecord record;
    EXPECT_EQ(parseHexRecord(withoutCr(first), record), HexParseResult::BadChecksum);
    EXPECT_EQ(parseHexRecord(withoutCr(send(kNakText)), record), HexParseResult::BadChecksum);
    EXPECT_EQ(parseHexRecord(withoutCr(send(kNakText)), record), HexParseResult::Ok);
    EXPECT_EQ(decodeVersion(first.substr(0)).version, -1);
}

TEST_F(TerminalTest, RecordWhileAwaitingAnAnswerIsHandledNormally) {
    start();
    send(kInquireVersion);
    // The host gave up on the version record and goes on with commands.
    EXPECT_EQ(send(kBank2), kAckText);
    EXPECT_EQ(send(kAckText), "") << "a late ACK is no longer an answer to anything";
}

}  // namespace
}  // namespace tarvo::vterm

namespace tarvo::vterm {
namespace {

TEST_F(TerminalTest, EventLogStopsAtItsLimitButAnswersGoOn) {
    start();
    // Each probe logs two events: the probe and the answer.
    const std::size_t probes = kMaxSessionEvents / 2 + 1;
    std::string bytes;
    for (std::size_t i = 0; i < probes; ++i) bytes += kProbe;
    const std::string answers = terminal_->receive(bytes, terminal_->currentBaud());
    EXPECT_EQ(answers, std::string(probes, '\x06'));
    EXPECT_EQ(terminal_->log().events.size(), kMaxSessionEvents);
    EXPECT_EQ(terminal_->log().eventsNotKept, 2u);
}

}  // namespace
}  // namespace tarvo::vterm
