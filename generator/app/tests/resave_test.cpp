// Runs the tarvo program as a user would: its exit codes, messages and files.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tarvo/common/safe_file.h"

namespace {

namespace fs = std::filesystem;

class TarvoProgram : public ::testing::Test {
protected:
    void SetUp() override {
        const char* bin = std::getenv("TARVO_BIN_DIR");
        ASSERT_NE(bin, nullptr);
        program_ = std::string(bin) + "/tarvo";
        dir_ = fs::temp_directory_path() /
               ("tarvo_app_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }

    // Runs tarvo with `args`; answers the exit code and keeps stderr.
    int run(const std::string& args) {
        std::string errFile = (dir_ / "stderr.txt").string();
        std::string command = "'" + program_ + "' " + args + " >/dev/null 2>'" + errFile + "'";
        int status = std::system(command.c_str());
        stderr_.clear();
        tarvo::readWholeFile(errFile, stderr_);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string read(const std::string& p) {
        std::string data;
        tarvo::readWholeFile(p, data);
        return data;
    }
    static std::string withoutFirstLine(const std::string& text) {
        size_t nl = text.find('\n');
        return nl == std::string::npos ? std::string() : text.substr(nl + 1);
    }

    std::string program_;
    fs::path dir_;
    std::string stderr_;
};

TEST_F(TarvoProgram, UsageAndExitCodes) {
    EXPECT_EQ(run(""), 0);
    EXPECT_EQ(run("--help"), 0);
    EXPECT_EQ(run("--bogus"), 2);
    EXPECT_NE(stderr_.find("Usage: tarvo"), std::string::npos);
    EXPECT_EQ(run("--resave"), 2);
    EXPECT_EQ(run("--resave a b c"), 2);
}

TEST_F(TarvoProgram, ResaveOfTheExampleGivesTheSameScript) {
    const std::string example = std::string(TARVO_EXAMPLES_DIR) + "/hello.scr";
    ASSERT_FALSE(read(example).empty());
    EXPECT_EQ(run("--resave '" + example + "' '" + path("hello.scr") + "'"), 0) << stderr_;
    EXPECT_EQ(stderr_, "");
    std::string saved = read(path("hello.scr"));
    EXPECT_NE(saved.find("/* Tarvo Script Program : " + path("hello.scr") + " @ "), std::string::npos);
    EXPECT_EQ(withoutFirstLine(saved), withoutFirstLine(read(example)));
}

TEST_F(TarvoProgram, ResaveUpgradesOldFormatInPlace) {
    std::ofstream(path("old.scr"), std::ios::binary)
        << "/* Tarvo Script Program : old.scr @ 10 10 5 5 100 25 80 38 \"Arial\" -13 C00 3 */\r\n"
           "Declarations (\r\n    FIELD \"F\".2,\r\n    TEMPLATE \"T\" (\r\n        \"F\" ) )\r\n"
           "Frame \"Main\"( /* 10 20 */\r\n    /* Entry \"Main\"( 50 30 )*/\r\n        Branch ( ))\r\n";
    EXPECT_EQ(run("--resave '" + path("old.scr") + "'"), 0) << stderr_;
    EXPECT_NE(stderr_.find("previous version"), std::string::npos);
    std::string saved = read(path("old.scr"));
    EXPECT_NE(saved.find("\r\nPortable \"Strix VK81\"\r\n"), std::string::npos);
    EXPECT_NE(saved.find("\r\nFrame \"old.Main\"( /* 10 20 */"), std::string::npos) << saved;
}

TEST_F(TarvoProgram, FailuresExitWithOneAndSayWhy) {
    EXPECT_EQ(run("--resave '" + path("missing.scr") + "'"), 1);
    EXPECT_NE(stderr_.find("Error opening file"), std::string::npos);

    std::ofstream(path("bad.scr"), std::ios::binary)
        << "/* header */\r\nDeclarations (\r\n    TEMPLATE \"T\" ( ) )\r\n"
           "Frame \"A\"( /* 1 */\r\n";
    EXPECT_EQ(run("--resave '" + path("bad.scr") + "' '" + path("out.scr") + "'"), 1);
    EXPECT_NE(stderr_.find("Syntax error on line 4."), std::string::npos) << stderr_;
    EXPECT_FALSE(fs::exists(path("out.scr")));
}

}  // namespace
