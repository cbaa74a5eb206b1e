// Tests of the command line, the log list, the remembered port and the reply timer.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "driver/command_line.h"
#include "driver/deadline_timer.h"
#include "driver/log_list.h"
#include "driver/port_settings.h"
#include "fake_terminal.h"
#include "protocol/step_table.h"
#include "protocol/transfer_session.h"

namespace tarvo::xfer {
namespace {

TEST(OptionNumber, DecimalHexOctalAndStopAtTheFirstMisfit) {
    struct Case { const char* text; unsigned want; };
    const Case cases[] = {
        {"12", 12}, {"0x1F", 31}, {"0X2", 2}, {"017", 15}, {"08", 0}, {"3abc", 3},
        {"", 0}, {"x", 0}, {"0x", 0}, {"99999999999999", 0xFFFFFFFFu}, {"-1", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(parseOptionNumber(c.text), c.want) << c.text;
}

TEST(CommandLineSplit, SplitsOnlyAtBlankBeforeDashOrSlash) {
    EXPECT_EQ(splitCommandLine("my app.hex -A1 /L2"),
              (std::vector<std::string>{"my app.hex", "-A1", "/L2"}));
    EXPECT_EQ(splitCommandLine("-Omy os.bhb -C"), (std::vector<std::string>{"-Omy os.bhb", "-C"}));
}

TEST(CommandLineParse, OptionsTable) {
    struct Case {
        const char* text;
        std::function<bool(const CommandLine&)> check;
        const char* what;
    };
    const Case cases[] = {
        {"a.hex", [](auto& c) { return c.imagePath == "a.hex" && c.compact && c.valid; }, "image"},
        {"a.hex -A5", [](auto& c) { return c.showSlotDialog && c.loadSlot == 255; }, "A5 keeps the dialog"},
        {"a.hex -A2", [](auto& c) { return !c.showSlotDialog && c.loadSlot == 1; }, "A2 slot 1"},
        {"a.hex /a4", [](auto& c) { return !c.showSlotDialog && c.loadSlot == 3; }, "lower case, slash"},
        {"a.hex -p0x2", [](auto& c) { return c.port == 2; }, "p0x2 port 2"},
        {"a.hex -P010", [](auto& c) { return c.port == 8; }, "octal port"},
        {"a.hex -3", [](auto& c) { return c.port == 3; }, "digit port"},
        {"a.hex -P/dev/ttyUSB0", [](auto& c) { return c.portDevice == "/dev/ttyUSB0"; }, "device"},
        {"a.hex -Pvirtual", [](auto& c) { return c.portDevice == "virtual"; }, "virtual"},
        {"a.hex -L0", [](auto& c) { return c.launchSlotInvalid(); }, "L0 refused"},
        {"a.hex -L5", [](auto& c) { return c.launchSlotInvalid(); }, "L5 refused"},
        {"a.hex -L4", [](auto& c) { return !c.launchSlotInvalid() && c.launchSlot == 4; }, "L4"},
        {"a.hex", [](auto& c) { return !c.launchSlotInvalid(); }, "no L"},
        {"a.hex -S", [](auto& c) { return c.overrideFlags == (kOverrideSendOs | kOverrideSendApp); }, "S"},
        {"a.hex -$", [](auto& c) { return c.overrideFlags == (kOverrideSendOs | kOverrideSendApp); }, "$"},
        {"a.hex -$ -$", [](auto& c) { return c.overrideFlags == kOverrideSendApp; }, "$ toggles"},
        {"a.hex -6", [](auto& c) { return c.maxBaud == kMaxBaud9600; }, "6"},
        {"a.hex -7", [](auto& c) { return c.maxBaud == kMaxBaud19200; }, "7"},
        {"a.hex -7 -8", [](auto& c) { return c.maxBaud == kMaxBaud38400; }, "8"},
        {"a.hex -e", [](auto& c) { return c.maxBaud == kMaxBaudEmulator; }, "E"},
        {"a.hex -F -T -C -D30 -B", [](auto& c) {
             return c.fileMode && c.traceLevel == 1 && c.batch && c.probeLimitSeconds == 30; }, "flags"},
        {"a.hex -U58306", [](auto& c) { return c.traceLevel == 2; }, "U access code"},
        {"a.hex -U1", [](auto& c) { return c.traceLevel == 0; }, "U wrong code"},
        {"a.hex -O/opt/os.bhb", [](auto& c) { return c.osImagePath == "/opt/os.bhb"; }, "O"},
        {"-A1 -C", [](auto& c) { return c.imagePath.empty() && !c.empty && c.valid; }, "no image"},
        {"/?", [](auto& c) { return c.showUsage; }, "slash option first"},
        {"/home/u/a.hex -?", [](auto& c) { return c.imagePath == "/home/u/a.hex" && c.showUsage; }, "abs path"},
        {"a.hex -Q", [](auto& c) { return !c.valid; }, "unknown letter"},
        {"a.hex -", [](auto& c) { return !c.valid; }, "lone dash"},
        {"   ", [](auto& c) { return c.empty; }, "blank"},
    };
    for (const auto& c : cases) EXPECT_TRUE(c.check(parseCommandLine(c.text))) << c.what << ": " << c.text;
    EXPECT_TRUE(parseCommandLine(std::string(kMaxCommandLine, 'a')).empty) << "overlong line is empty";
    EXPECT_TRUE(parseCommandLine("a.hex -O" + std::string(300, 'o')).tooLong);
}

TEST(LogListTest, KeepsTheLastHundredLines) {
    LogList log("/nonexistent-dir/trace.txt");
    std::vector<std::string> shown;
    log.onLine = [&](const std::string& l) { shown.push_back(l); };
    for (int i = 1; i <= 101; ++i) log.add("line " + std::to_string(i));
    ASSERT_EQ(log.lines().size(), kLogLines);
    EXPECT_EQ(log.lines().front(), "line 2") << "the 101st line removes the first";
    EXPECT_EQ(shown.size(), 101u);
    log.setTraceLevel(2);
    log.add("traced");
    EXPECT_EQ(log.lines()[log.lines().size() - 2], "NO LOG") << "trace file cannot be opened";
    EXPECT_EQ(log.lines().back(), "traced");
}

TEST(LogListTest, TraceFileAtLevelTwoOnly) {
    auto path = std::filesystem::temp_directory_path() / ("xfer_trace_" + std::to_string(::getpid()));
    {
        std::ofstream old(path);
        old << "old contents\n";
    }
    {
        LogList log(path.string());
        log.add("level zero");
        log.setTraceLevel(2);
        log.add("first");
        log.add("second");
    }
    std::ifstream in(path);
    std::stringstream ss;
    ss << in.rdbuf();
    EXPECT_EQ(ss.str(), "first\nsecond\n");
    std::filesystem::remove(path);
}

TEST(PortSettingsTest, NumberOrDevicePath) {
    auto path = (std::filesystem::temp_directory_path() / ("xfer_ini_" + std::to_string(::getpid()))).string();
    std::filesystem::remove(path);
    PortSettings settings(path);
    EXPECT_EQ(settings.load().number, 1) << "missing value";
    ASSERT_TRUE(settings.save({3, ""}));
    EXPECT_EQ(settings.load().number, 3);
    EXPECT_TRUE(settings.load().device.empty());
    ASSERT_TRUE(settings.save({1, "/dev/ttyUSB0"}));
    EXPECT_EQ(settings.load().device, "/dev/ttyUSB0");
    ASSERT_TRUE(settings.save({0, ""}));
    EXPECT_EQ(settings.load().number, 1) << "0 means port 1";
    std::filesystem::remove(path);
}

TEST(DeadlineTimerTest, DueOnTheInjectedClock) {
    testing::FakeClock clock;
    DeadlineTimer timer(clock);
    EXPECT_EQ(timer.msUntilDue(), -1);
    timer.start(500);
    EXPECT_FALSE(timer.due());
    EXPECT_EQ(timer.msUntilDue(), 500);
    clock.now += 499;
    EXPECT_FALSE(timer.due());
    clock.now += 1;
    EXPECT_TRUE(timer.due());
    timer.stop();
    EXPECT_FALSE(timer.due());
}

}  // namespace
}  // namespace tarvo::xfer
