// Tests of the tarvoxfer program: its command line and exit codes, and whole
// downloads into the virtual terminal tarvoterm over a pseudo-terminal.
#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "driver/virtual_terminal_process.h"
#include "image/image_scan.h"
#include "protocol/result_code.h"
#include "run_program.h"
#include "test_images.h"
#include "test_terminal.h"

namespace tarvo::xfer {
namespace {

using namespace testing;
namespace fs = std::filesystem;

class ProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("xfer_prog_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "cfg");
        xfer_ = binDir() + "/tarvoxfer";
        term_ = binDir() + "/tarvoterm";
        ASSERT_TRUE(fs::exists(xfer_)) << "TARVO_BIN_DIR must name the build's bin folder";
    }
    void TearDown() override {
        vterm_.stop();
        fs::remove_all(dir_);
    }
    void write(const std::string& name, const std::string& text) {
        std::ofstream out(dir_ / name, std::ios::binary);
        out << text;
    }
    std::string read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        return ss.str();
    }
    ProgramRun xfer(const std::vector<std::string>& args) {
        return runProgram(xfer_, args, dir_.string(), {"XDG_CONFIG_HOME=" + (dir_ / "cfg").string()});
    }
    // Starts tarvoterm with a transcript and the received image; answers its device.
    std::string startTerminal(std::vector<std::string> args) {
        return startTestTerminal(vterm_, term_, dir_, std::move(args));
    }
    // The terminal ends by itself after the reset; after a failed transfer it
    // is stopped at once (it writes its transcript on the signal too).
    std::string transcript(bool resetExpected) {
        vterm_.stop(resetExpected ? 5000 : 0);
        return read("t.json");
    }
    bool haveTerminal() const { return fs::exists(term_); }

    fs::path dir_;
    std::string xfer_, term_;
    VirtualTerminalProcess vterm_;
};

TEST_F(ProgramTest, CommandLineRefusals) {
    write("app.hex", makeImageOf("VK61"));
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* text;  // expected on standard error
    };
    const Case cases[] = {
        {{"app.hex", "-Q"}, kResultInvalidParameter, "Invalid parameter specified."},
        {{"app.hex", "-A1", "-Z3"}, kResultInvalidParameter, "Invalid parameter specified."},
        {{"-A1", "-C"}, 1, "The file specified could not be found."},
        {{"missing.hex", "-C"}, 1, "The file specified could not be found."},
        {{"app.hex", "-L0"}, 1, "The application number specified to launch is invalid."},
        {{"app.hex", "-L5"}, 1, "The application number specified to launch is invalid."},
    };
    for (const auto& c : cases) {
        ProgramRun run = xfer(c.args);
        EXPECT_EQ(run.exitCode, c.exitCode) << c.args.back();
        EXPECT_NE(run.err.find(c.text), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("Tarvo Xfer Command Line Usage"), std::string::npos);
    }
    ProgramRun usage = xfer({"-?"});
    EXPECT_EQ(usage.exitCode, 0);
    EXPECT_NE(usage.out.find("-P\tIndicates which serial port (defined by n) to use."), std::string::npos);
}

TEST_F(ProgramTest, PortThatCannotBeOpened) {
    write("app.hex", makeImageOf("VK61"));
    ProgramRun batch = xfer({"app.hex", "-C", "-P/dev/no-such-tty"});
    EXPECT_EQ(batch.exitCode, kResultOpenComError);
    ProgramRun compact = xfer({"app.hex", "-P/dev/no-such-tty"});
    EXPECT_EQ(compact.exitCode, 0) << "without batch mode the exit code is 0 whatever the result";
    EXPECT_NE(compact.out.find("Open com error"), std::string::npos);
    // The port was remembered.
    EXPECT_NE(read("cfg/tarvo/tarvoxfer.ini").find("SerialPort=/dev/no-such-tty"), std::string::npos);
}

TEST_F(ProgramTest, FileModeWritesBothOutputFiles) {
    write("app.hex", makeImageOf("VK61", false, 0, 3, std::vector<std::uint8_t>(40, 0x22)));
    write("BRSYS01.HEX", std::string(5000, 'Z'));  // an older, longer file
    ProgramRun run = xfer({"app.hex", "-F", "-C"});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(read("BRSYS01.HEX"), "");
    EXPECT_EQ(read("BRSYS02.HEX"),
              formatHexRecord(0x8000, 0, std::vector<std::uint8_t>(32, 0x22)) + "\r\n" +
                  formatHexRecord(0x8020, 0, std::vector<std::uint8_t>(8, 0x22)) + "\r\n");
}

struct ModelRun {
    const char* model;
    char osLetter;
    bool font;
    std::vector<std::string> extra;
    std::vector<const char*> present;  // command records the terminal must have seen
    std::vector<const char*> absent;
};

// The image without its font marker record, which is never sent.
std::string withoutMarkerRecord(const std::string& image) {
    std::size_t marker = image.find(std::string(kFontMarker));
    if (marker == std::string::npos) return image;
    std::size_t start = marker - kRecordHeadChars;
    return image.substr(0, start) + image.substr(image.find('\n', start) + 1);
}

TEST_F(ProgramTest, DownloadsIntoTheVirtualTerminalForEachModel) {
    if (!haveTerminal()) GTEST_SKIP() << "tarvoterm is not built";
    const ModelRun runs[] = {
        {"VK7100", 'T', false, {"-A2", "-L1"}, {},
         {":000000F808", ":100000F6", ":010000F9", ":000000F709"}},
        {"VK61", 'C', false, {"-A3"}, {":000000F808", ":100000F602"}, {":010000F9", ":000000F709"}},
        {"VK81", 'X', true, {"-A2", "-L2"}, {":000000F808", ":100000F601", ":010000F90204", ":000000F709"}, {}},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(r.model);
        std::string image = makeImageOf(r.model, r.font, 3, 7, std::vector<std::uint8_t>(100, 0x5A));
        write("app.hex", image);
        write("os.bhb", makeOsImage(120, r.osLetter));
        std::string device = startTerminal({"--model", r.model, "--version", "1.20"});
        std::vector<std::string> args = {"app.hex", "-C", "-P" + device, "-Oos.bhb"};
        args.insert(args.end(), r.extra.begin(), r.extra.end());
        ProgramRun run = xfer(args);
        EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
        std::string t = transcript(true);
        EXPECT_EQ(read("got.hex"), withoutMarkerRecord(image)) << "the received records equal the image's";
        for (const char* cmd : r.present) EXPECT_NE(t.find(cmd), std::string::npos) << cmd;
        for (const char* cmd : r.absent) EXPECT_EQ(t.find(cmd), std::string::npos) << cmd;
        if (r.font) {
            ImageScan scan = scanImage(image);
            std::string firstFont = image.substr(scan.fontOffset, image.find('\r', scan.fontOffset) - scan.fontOffset);
            EXPECT_LT(t.find(":010000F90204"), t.find(":000000F709")) << "launch, then fonts";
            EXPECT_NE(t.find("\"fontFlag\": 1"), std::string::npos);
            EXPECT_NE(t.find(firstFont), std::string::npos);
        }
    }
}

struct FaultRun {
    std::vector<std::string> termArgs;
    std::vector<std::string> xferArgs;
    const char* image;
    int exitCode;
    const char* transcriptHas;  // "" for no check
};

TEST_F(ProgramTest, FaultsThroughTheVirtualTerminal) {
    if (!haveTerminal()) GTEST_SKIP() << "tarvoterm is not built";
    const FaultRun runs[] = {
        {{"--model", "VK61", "--fault", "nak:app2:9"}, {}, "VK61", 0, ""},
        {{"--model", "VK61", "--fault", "nak:app2:10"}, {}, "VK61", kResultTooManyNaks, ""},
        {{"--model", "VK61", "--fault", "stray:app2"}, {}, "VK61", 0, ""},
        {{"--model", "VK61", "--fault", "bel:F3"}, {}, "VK61", kResultBelReceived, ""},
        {{"--model", "VK61", "--fault", "badversion:2"}, {}, "VK61", 0, ""},
        {{"--model", "VK81", "--fault", "nak:F9"}, {"-L1"}, "VK81", 0, ":000000F20E"},
        {{"--model", "VK7100"}, {}, "VK61", kResultWrongModelVK7100, ""},
        {{"--model", "VK81"}, {}, "VK61", kResultWrongModelVK81, ""},
        {{"--model", "VK61"}, {}, "VK81", kResultWrongModelVK61, ""},
        {{"--model", "VK81", "--version", "none"}, {"-Oos.bhb"}, "VK81", 0, "\"erase\": \"all\""},
        {{"--model", "VK61", "--baud", "19200"}, {"-7"}, "VK61", 0, ":010000F40B00"},
        {{"--model", "VK61", "--baud", "9600"}, {"-6"}, "VK61", 0, ":010000F417F4"},
    };
    for (const auto& r : runs) {
        SCOPED_TRACE(r.termArgs.back());
        std::string image = makeImageOf(r.image, false, 0, 3, std::vector<std::uint8_t>(100, 0x33));
        write("app.hex", image);
        write("os.bhb", makeOsImage(120, 'X'));
        std::vector<std::string> termArgs = r.termArgs;
        if (std::find(termArgs.begin(), termArgs.end(), "--version") == termArgs.end())
            termArgs.insert(termArgs.end(), {"--version", "1.20"});
        std::string device = startTerminal(termArgs);
        std::vector<std::string> args = {"app.hex", "-C", "-A1", "-P" + device};
        args.insert(args.end(), r.xferArgs.begin(), r.xferArgs.end());
        ProgramRun run = xfer(args);
        EXPECT_EQ(run.exitCode, r.exitCode) << run.out << run.err;
        std::string t = transcript(r.exitCode == 0);
        EXPECT_NE(t.find("\"model\""), std::string::npos) << "no transcript";
        if (r.exitCode == 0) {
            EXPECT_EQ(read("got.hex"), image);
        }
        if (r.exitCode >= kResultWrongModelVK7100 && r.exitCode <= kResultWrongModelVK61) {
            EXPECT_EQ(t.find(":020000F1"), std::string::npos) << "refused before any erase";
        }
        if (*r.transcriptHas) {
            EXPECT_NE(t.find(r.transcriptHas), std::string::npos) << t;
        }
    }
}

}  // namespace
}  // namespace tarvo::xfer
