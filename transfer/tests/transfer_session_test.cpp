// Tests of the download engine, driven through a fake port, timer and clock.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "fake_terminal.h"
#include "protocol/result_code.h"
#include "protocol/transfer_session.h"
#include "test_images.h"

namespace tarvo::xfer {
namespace {

using namespace testing;

constexpr const char* kProbe = "/.\rj";
constexpr const char* kBank2 = ":020000FF0002FD\r";
constexpr const char* kBank0 = ":020000FF0000FF\r";
constexpr const char* kF3 = ":010000F3010B\r";
constexpr const char* kF8 = ":000000F808\r";
constexpr const char* kF7 = ":000000F709\r";
constexpr const char* kF2 = ":000000F20E\r";
constexpr const char* kEraseAll = ":020000F100FF0E\r";
constexpr const char* kEraseApps = ":020000F100C04D\r";

// Record lines of an image part, carriage return kept, as the engine sends them.
std::vector<std::string> recordsOf(const std::string& text, std::size_t from, std::size_t length) {
    std::vector<std::string> out;
    std::istringstream in(text.substr(from, length));
    std::string l;
    while (std::getline(in, l)) out.push_back(l);
    return out;
}

bool startsWith(const std::string& s, const char* p) { return s.rfind(p, 0) == 0; }

class SessionTest : public ::testing::Test {
protected:
    void SetUp() override {
        session.setFileLoader([this](const std::string& path, std::string& bytes) {
            auto it = files.find(path);
            if (it == files.end()) return false;
            bytes = it->second;
            return true;
        });
        session.setPortOpener([this](PortError& e) -> std::unique_ptr<SerialPort> {
            if (portFails) {
                e = kPortGeneralFailure;
                return nullptr;
            }
            e = kPortOk;
            return std::make_unique<FakePort>(term);
        });
        opts.image = {"/img", "app.hex"};
        opts.programDir = "/prog";
        opts.loadSlot = 1;
        opts.showSlotDialog = false;
        useTerminal('C', "120", makeImageOf("VK61"));
    }

    void useTerminal(char letter, const std::string& version, const std::string& image) {
        term.typeLetter = letter;
        term.version = version;
        files["/img/app.hex"] = image;
        files["/prog/opsys.bhb"] = makeOsImage(std::stoi(version), 'T');
        files["/prog/opsys61.bhb"] = makeOsImage(std::stoi(version), 'C');
        files["/prog/opsys81.bhb"] = makeOsImage(std::stoi(version), 'X');
    }

    // Runs the transfer to its end; the reply timer fires whenever the engine
    // waits and the terminal has nothing more to say.
    int run(int maxPasses = 200000) {
        session.start(opts);
        for (int i = 0; i < maxPasses; ++i) {
            session.pass();
            if (session.result() != kResultRunning) return session.finish();
            bool waiting = session.phase() == Phase::Wait || session.phase() == Phase::Receive;
            if (waiting && term.outgoing.empty() && timer.running) {
                clock.now += std::uint64_t(timer.lastMs);
                ++timeouts;
                session.onTimeout();
            }
        }
        ADD_FAILURE() << "transfer did not end, step " << session.currentStep();
        return -1;
    }

    std::vector<std::string> commands() const {
        std::vector<std::string> out;
        for (const auto& l : term.lines)
            if (l == kProbe || parseHexRecord(l)->type >= 0xF1) out.push_back(l);
        return out;
    }
    std::vector<std::string> dataLines() const {
        std::vector<std::string> out;
        for (const auto& l : term.lines)
            if (l != kProbe && parseHexRecord(l)->type < 0xF1) out.push_back(l);
        return out;
    }
    int countLine(const std::string& line) const {
        return int(std::count(term.lines.begin(), term.lines.end(), line));
    }
    std::size_t indexOf(const std::string& line) const {
        return std::size_t(std::find(term.lines.begin(), term.lines.end(), line) - term.lines.begin());
    }

    RecordingHost host;
    FakeTimer timer;
    FakeClock clock;
    TerminalState term;
    TransferSession session{host, timer, clock};
    std::map<std::string, std::string> files;
    TransferOptions opts;
    bool portFails = false;
    int timeouts = 0;
};

TEST_F(SessionTest, CompleteDownloadToVK61InTableOrder) {
    term.listenRate = 9600;
    std::string image = files["/img/app.hex"];
    ASSERT_EQ(run(), kResultSuccess);
    std::vector<std::string> want = {
        kProbe, kBank2, kBank0, ":010000F40506\r", kBank2, kBank0, kF3, kF8,
        TransferSession::applicationNameRecord(1, "app.hex", false), kBank2, kBank0, kEraseApps, kF2};
    EXPECT_EQ(commands(), want);
    EXPECT_EQ(dataLines(), recordsOf(image, 0, image.size())) << "every image line, unchanged";
    EXPECT_EQ(term.rate, 38400) << "the agreed rate after F4 05";
    EXPECT_EQ(host.title, "Qor TarvoXfer Programmer [app.hex]");
    EXPECT_EQ(session.storedNames()[0], "alpha");
    EXPECT_EQ(session.storedNames()[3], "delta");
    EXPECT_GT(host.lastProgress, 50) << "progress moved while the records went out";
    EXPECT_TRUE(host.logged("Erasing application Flash"));
    EXPECT_TRUE(host.logged("/img/app.hex, 3 Nodes."));
}

TEST_F(SessionTest, VK7100PathHasNoNamesLaunchOrFonts) {
    useTerminal('T', "105", makeImageOf("VK7100", /*font=*/true));
    opts.launchSlot = 2;
    ASSERT_EQ(run(), kResultSuccess);
    for (const auto& c : commands()) {
        auto type = parseHexRecord(c) ? parseHexRecord(c)->type : 0;
        EXPECT_TRUE(type != 0xF8 && type != 0xF6 && type != 0xF9 && type != 0xF7) << c;
    }
    EXPECT_EQ(countLine(kF2), 1);
}

TEST_F(SessionTest, LaunchAndFontsEachRunOnceInOrder) {
    std::string image = makeImageOf("VK81", /*font=*/true, 3);
    useTerminal('X', "120", image);
    opts.launchSlot = 3;
    ASSERT_EQ(run(), kResultSuccess);
    ImageScan scan = scanImage(image);
    auto appRecords = recordsOf(image, 0, scan.appPartLength);
    auto fontRecords = recordsOf(image, scan.fontOffset, scan.fontLength);
    std::string f9 = TransferSession::launchRecord(3);
    EXPECT_EQ(f9, ":010000F90303\r");
    EXPECT_EQ(countLine(f9), 1);
    EXPECT_EQ(countLine(kF7), 1);
    EXPECT_EQ(countLine(kF2), 1);
    EXPECT_LT(indexOf(appRecords.back()), indexOf(f9));
    EXPECT_LT(indexOf(f9), indexOf(kF7));
    EXPECT_EQ(indexOf(kF7) + 1, indexOf(fontRecords.front())) << "the font part follows F7";
    EXPECT_LT(indexOf(fontRecords.back()), indexOf(kF2));
    for (const auto& l : term.lines) EXPECT_EQ(l.find("4F515F52"), std::string::npos) << "marker sent";
}

struct NakCase {
    int naks;
    int want;
};

TEST_F(SessionTest, NakBudgetPerRecord) {
    for (NakCase c : {NakCase{9, kResultSuccess}, NakCase{10, kResultTooManyNaks}}) {
        SCOPED_TRACE(c.naks);
        term = TerminalState{};
        term.typeLetter = 'C';
        const std::string target = recordsOf(files["/img/app.hex"], 0, 10000)[4];
        term.fault = [&](const std::string& line, int repeat) -> std::optional<std::string> {
            if (line == target && repeat < c.naks) return std::string("\x15");
            return std::nullopt;
        };
        EXPECT_EQ(run(), c.want);
        EXPECT_EQ(countLine(target), std::min(c.naks + 1, 10));
    }
}

TEST_F(SessionTest, NineNaksOnTwoRecordsEachGetAFreshBudget) {
    auto records = recordsOf(files["/img/app.hex"], 0, 10000);
    term.fault = [&](const std::string& line, int repeat) -> std::optional<std::string> {
        if ((line == records[3] || line == records[4]) && repeat < 9) return std::string("\x15");
        return std::nullopt;
    };
    EXPECT_EQ(run(), kResultSuccess);
}

TEST_F(SessionTest, TimeOutDuringARecordResendsThatRecord) {
    const std::string target = recordsOf(files["/img/app.hex"], 0, 10000)[5];
    term.fault = [&](const std::string& line, int repeat) -> std::optional<std::string> {
        if (line == target && repeat < 2) return std::string();  // silence
        return std::nullopt;
    };
    EXPECT_EQ(run(), kResultSuccess);
    EXPECT_EQ(countLine(target), 3);
    auto data = dataLines();
    EXPECT_EQ(std::count(data.begin(), data.end(), target), 3);
}

TEST_F(SessionTest, GarbledAnswerToARecordRepeatsTheRecord) {
    const std::string target = recordsOf(files["/img/app.hex"], 0, 10000)[4];
    term.fault = [&](const std::string& line, int repeat) -> std::optional<std::string> {
        if (line == target && repeat == 0) return std::string("\x42");
        return std::nullopt;
    };
    EXPECT_EQ(run(), kResultSuccess);
    EXPECT_EQ(countLine(target), 2) << "the record is not skipped";
}

TEST_F(SessionTest, BelEndsWithThree) {
    term.fault = [&](const std::string& line, int) -> std::optional<std::string> {
        if (line == kF3) return std::string("\x07");
        return std::nullopt;
    };
    EXPECT_EQ(run(), kResultBelReceived);
}

struct ModelCase {
    char letter;
    const char* imageModel;
    int want;
};

TEST_F(SessionTest, ModelMismatchIsRefusedBeforeTheErase) {
    const ModelCase cases[] = {
        {'T', "VK61", kResultWrongModelVK7100},
        {'X', "VK61", kResultWrongModelVK81},
        {'C', "VK81", kResultWrongModelVK61},
        {'C', "VK7100", kResultWrongModelVK61},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.letter);
        term = TerminalState{};
        useTerminal(c.letter, "120", makeImageOf(c.imageModel));
        EXPECT_EQ(run(), c.want);
        EXPECT_EQ(countLine(kEraseAll) + countLine(kEraseApps), 0);
        EXPECT_TRUE(dataLines().empty());
    }
}

TEST_F(SessionTest, VersionZeroSendsTheOsWithoutAskingAndConvertsItsRecords) {
    useTerminal('X', "120", makeImageOf("VK81"));
    term.typeLetter = char(0xFF);
    ASSERT_EQ(run(), kResultSuccess);
    EXPECT_EQ(host.optionDialogs, 0);
    EXPECT_EQ(countLine(kEraseAll), 1);
    EXPECT_EQ(countLine(kEraseApps), 0);
    // Segment records went out as bank records; the type 03 record was not sent.
    EXPECT_EQ(countLine(":020000FF0000FF\r"), 4) << "two bank-0 commands per group plus the OS record";
    EXPECT_EQ(countLine(":020000FF0001FE\r"), 1);
    // The application's own segment record goes out unchanged; the OS ones do not.
    const std::string firstAppData = recordsOf(files["/img/app.hex"], 0, 1000)[4];
    ASSERT_TRUE(startsWith(firstAppData, ":0A800000"));
    std::size_t appStart = indexOf(firstAppData) - 4;  // the image's own four header lines
    for (std::size_t i = 0; i < appStart && i < term.lines.size(); ++i) {
        EXPECT_FALSE(startsWith(term.lines[i], ":04000003")) << "type 03 sent";
        EXPECT_FALSE(startsWith(term.lines[i], ":02000002")) << "unconverted: " << term.lines[i];
    }
    EXPECT_LT(indexOf(":020000FF0001FE\r"), appStart) << "OS before application";
}

TEST_F(SessionTest, OsRecordConversion) {
    EXPECT_EQ(TransferSession::convertOsRecord(":020000020000FC\r"), ":020000FF0000FF\r");
    EXPECT_EQ(TransferSession::convertOsRecord(":020000021000EC\r"), ":020000FF0001FE\r");
    EXPECT_EQ(TransferSession::convertOsRecord(":0200000270008C\r"), ":020000FF0007F8\r");
    EXPECT_EQ(TransferSession::convertOsRecord(":0400000300001000E9\r"), std::nullopt);
    EXPECT_EQ(TransferSession::convertOsRecord(":0200000280007C\r"), ":0200000280007C\r")
        << "segments above 7000 are not bank numbers";
    EXPECT_EQ(TransferSession::convertOsRecord(":020000021200EA\r"), ":020000021200EA\r");
    EXPECT_EQ(TransferSession::convertOsRecord(":02800000AABBCF\r"), ":02800000AABBCF\r");
}

TEST_F(SessionTest, LowerTerminalVersionAsksAndHonoursTheAnswer) {
    useTerminal('C', "110", makeImageOf("VK61"));
    files["/prog/opsys61.bhb"] = makeOsImage(130, 'C');
    struct Case { int answer; int want; bool os; };
    for (Case c : {Case{1, kResultSuccess, true}, Case{2, kResultSuccess, false},
                   Case{0, kResultUserAborted, false}}) {
        SCOPED_TRACE(c.answer);
        term.lines.clear();
        host.optionDialogs = 0;
        host.optionsAnswer = c.answer;
        EXPECT_EQ(run(), c.want);
        EXPECT_EQ(host.optionDialogs, 1);
        EXPECT_EQ(countLine(kEraseAll), c.os ? 1 : 0);
    }
}

TEST_F(SessionTest, OsDecisionDoesNotCarryOverToTheNextTransfer) {
    // A VK7100 whose version differs gets the OS; the same session then talks
    // to a VK7100 whose version matches: no OS, no whole-flash erase.
    useTerminal('T', "100", makeImageOf("VK7100"));
    files["/prog/opsys.bhb"] = makeOsImage(101, 'T');
    ASSERT_EQ(run(), kResultSuccess);
    EXPECT_EQ(countLine(kEraseAll), 1);
    term.lines.clear();
    term.version = "101";
    ASSERT_EQ(run(), kResultSuccess);
    EXPECT_EQ(countLine(kEraseAll), 0);
    EXPECT_EQ(countLine(kEraseApps), 1);
}

TEST_F(SessionTest, ProbeTimeLimitEndsWithSixteen) {
    term.listenRate = 0;  // never answers the probe
    opts.probeLimitSeconds = 2;
    EXPECT_EQ(run(), kResultTimeOutExceeded);
    EXPECT_GT(countLine(kProbe), 2);
}

struct ProbeCase {
    int maxBaud;
    std::vector<int> rates;  // rates of the first probes
    const char* speedCommand;
};

TEST_F(SessionTest, ProbeCycleAndSpeedCommandPerMaximumBaud) {
    const ProbeCase cases[] = {
        {kMaxBaud38400, {9600, 19200, 38400, 9600}, ":010000F40506\r"},
        {kMaxBaud19200, {9600, 19200, 9600, 19200}, ":010000F40B00\r"},
        {kMaxBaud9600, {9600, 9600, 9600, 9600}, ":010000F417F4\r"},
        {kMaxBaudEmulator, {9600, 19200, 9600, 19200}, ":010000F40CFF\r"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.maxBaud);
        term = TerminalState{};
        session.setMaxBaud(c.maxBaud);
        int probes = 0;
        term.fault = [&](const std::string& line, int) -> std::optional<std::string> {
            if (line != kProbe) return std::nullopt;
            return ++probes <= 4 ? std::string() : std::string("\x06");
        };
        EXPECT_EQ(run(), kResultSuccess);
        std::vector<int> rates;
        for (std::size_t i = 0; i < term.lines.size() && rates.size() < 4; ++i)
            if (term.lines[i] == kProbe) rates.push_back(term.lineRates[i]);
        EXPECT_EQ(rates, c.rates);
        EXPECT_EQ(countLine(c.speedCommand), 1);
    }
}

TEST_F(SessionTest, NaksWhileTheNamesAreGatheredAreIgnored) {
    term.fault = [&](const std::string& line, int) -> std::optional<std::string> {
        if (line != kF8) return std::nullopt;
        std::string answer = "\x15\x15\x15\x06";
        for (int i = 0; i < 4; ++i) term.toSend.push_back(nameRecord(i, term.names[std::size_t(i)]));
        answer += term.toSend.front();
        return answer;
    };
    EXPECT_EQ(run(), kResultSuccess);
    EXPECT_EQ(countLine(kF8), 1);
    EXPECT_EQ(session.storedNames()[1], "beta");
}

TEST_F(SessionTest, NakToLaunchGoesOnWithoutChargingTheBudget) {
    useTerminal('X', "120", makeImageOf("VK81", true));
    opts.launchSlot = 1;
    std::string f9 = TransferSession::launchRecord(1);
    term.fault = [&](const std::string& line, int) -> std::optional<std::string> {
        if (line == f9) return std::string("\x15");
        return std::nullopt;
    };
    EXPECT_EQ(run(), kResultSuccess);
    EXPECT_EQ(countLine(f9), 1) << "not resent";
    EXPECT_EQ(countLine(kF7), 1);
}

TEST_F(SessionTest, BadReceivedChecksumIsAnsweredWithNak) {
    term.corruptRecords = 1;  // the version record comes first with a bad checksum
    EXPECT_EQ(run(), kResultSuccess);
    ASSERT_GE(term.answersFromHost.size(), 2u);
    EXPECT_EQ(term.answersFromHost[0], kNak);
    EXPECT_EQ(term.answersFromHost[1], kAck);
    EXPECT_EQ(session.terminalVersion(), 120);
}

TEST_F(SessionTest, TimeOutBeforeProgrammingIsNotASuccess) {
    term.fault = [&](const std::string& line, int) -> std::optional<std::string> {
        if (line == kF3) return std::string();  // the terminal goes quiet
        return std::nullopt;
    };
    EXPECT_EQ(run(), kResultNoAnswer);
    EXPECT_EQ(host.title, "");
}

TEST_F(SessionTest, TimeOutAwaitingF7RepeatsF7) {
    useTerminal('X', "120", makeImageOf("VK81", true));
    term.fault = [&](const std::string& line, int repeat) -> std::optional<std::string> {
        if (line == kF7 && repeat == 0) return std::string();
        return std::nullopt;
    };
    EXPECT_EQ(run(), kResultSuccess);
    EXPECT_EQ(countLine(kF7), 2);
    EXPECT_EQ(countLine(kF2), 1);
}

TEST_F(SessionTest, SlotDialogChoosesTheSlotAndCancelAborts) {
    opts.showSlotDialog = true;
    host.slotAnswer = 2;
    EXPECT_EQ(run(), kResultSuccess);
    EXPECT_EQ(host.shownNames[1], "beta");
    EXPECT_EQ(countLine(TransferSession::applicationNameRecord(2, "app.hex", false)), 1);
    host.slotAnswer = -1;
    EXPECT_EQ(run(), kResultUserAborted);
}

TEST_F(SessionTest, BatchModeAsksNothing) {
    opts.batchMode = true;
    opts.showSlotDialog = true;
    opts.loadSlot = kNoSlot;
    useTerminal('C', "110", makeImageOf("VK61"));
    files["/prog/opsys61.bhb"] = makeOsImage(130, 'C');
    EXPECT_EQ(run(), kResultSuccess);
    EXPECT_EQ(host.slotDialogs + host.optionDialogs, 0);
    EXPECT_EQ(countLine(TransferSession::applicationNameRecord(0, "app.hex", false)), 1);
}

TEST_F(SessionTest, StartFailures) {
    portFails = true;
    EXPECT_EQ(run(), kResultOpenComError);
    portFails = false;
    term.refuseRates = true;  // neither 38400 nor 19200
    EXPECT_EQ(run(), kResultSetComStateError);
    EXPECT_EQ(session.maxBaud(), kMaxBaud19200) << "lowered for later transfers";
    term.refuseRates = false;
    files.erase("/img/app.hex");
    EXPECT_EQ(run(), kResultHexFileError);
    EXPECT_TRUE(host.logged("Error opening /img/app.hex file"));
}

TEST_F(SessionTest, ImageEndingPastTheAddressSpaceIsTooLarge) {
    std::string image = testing::line(":0400000100000000FB") + testing::line(":020000010003FA") +
                        testing::line(formatHexRecord(0xFFF0, 0, std::vector<std::uint8_t>(32, 1))) +
                        testing::line(":00000001FF");
    useTerminal('C', "120", image);
    EXPECT_EQ(run(), kResultTooLarge);
    EXPECT_TRUE(host.logged("Application size 18010H Bytes."));
}

TEST_F(SessionTest, MissingOsImageWhenNeededEndsNotReprogrammed) {
    useTerminal('T', "100", makeImageOf("VK7100"));
    files.erase("/prog/opsys.bhb");  // version differs (disk 0), OS cannot be measured
    EXPECT_EQ(run(), kResultNotReprogrammed);
    EXPECT_EQ(countLine(kF2), 1);
}

TEST_F(SessionTest, AbortEndsWithTwelve) {
    session.start(opts);
    for (int i = 0; i < 5; ++i) session.pass();
    session.abort();
    EXPECT_EQ(session.result(), kResultUserAborted);
    EXPECT_EQ(session.finish(), kResultUserAborted);
    EXPECT_FALSE(session.active());
}

TEST(ApplicationNameRecord, BuildsTheF6Text) {
    std::string rec = TransferSession::applicationNameRecord(0, "ab.hex", true);
    std::string body = ":100000F6006162";
    for (int i = 0; i < 11; ++i) body += "20";
    body += "0001";
    ASSERT_EQ(rec.substr(0, body.size()), body);
    EXPECT_EQ(rec.back(), '\r');
    EXPECT_TRUE(parseHexRecord(rec)->checksumOk);
    // Lower-case name digits, name cut to 13 characters and then at the first dot.
    EXPECT_EQ(TransferSession::applicationNameRecord(3, "jjjjjjjjjjjjjjjj.hex", false).substr(9, 4 + 26),
              "03" + std::string("6a6a6a6a6a6a6a6a6a6a6a6a6a") + "00");
    EXPECT_TRUE(parseHexRecord(TransferSession::applicationNameRecord(1, "\xe9t\xe9.hex", false))
                    ->checksumOk);
}

class FileModeTest : public SessionTest {
protected:
    void SetUp() override {
        SessionTest::SetUp();
        dir = std::filesystem::temp_directory_path() / ("xfer_fm_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
        opts.fileMode = true;
        opts.outputDir = dir.string();
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string read(std::string_view name) {
        std::ifstream in(dir / name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    std::filesystem::path dir;
};

TEST_F(FileModeTest, WritesDataRecordsWithBankRules) {
    opts.overrideFlags = kOverrideSendOs | kOverrideSendApp;
    opts.osImagePath = "/prog/opsys61.bhb";
    files["/img/app.hex"] = makeImageOf("VK61", false, 0, 3, std::vector<std::uint8_t>(40, 0x11));
    EXPECT_EQ(run(), kResultSuccess);
    EXPECT_TRUE(term.lines.empty()) << "nothing goes to a port in file mode";
    // OS: bank 0 record at 0x8000 -> 0x0000; segment 1000 -> bank 1, address kept.
    // Application: after the segment 3000 record, bank 3, address kept, file 2.
    std::string low = formatHexRecord(0x0000, 0, {1, 2, 3, 4}) + "\r\n" +
                      formatHexRecord(0x8000, 0, {5, 6}) + "\r\n";
    EXPECT_EQ(read(kOutputFileLow), low);
    std::string high = formatHexRecord(0x8000, 0, std::vector<std::uint8_t>(32, 0x11)) + "\r\n" +
                       formatHexRecord(0x8020, 0, std::vector<std::uint8_t>(8, 0x11)) + "\r\n";
    EXPECT_EQ(read(kOutputFileHigh), high);
}

}  // namespace
}  // namespace tarvo::xfer
