// The file-level driver and the tarvocomp command line.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "script_builder.h"
#include "tarvo/compiler/compile_driver.h"

namespace tarvo::compiler {
namespace {

namespace fs = std::filesystem;
using testing::kReturnNode;
using testing::scriptWithNodes;

class Driver : public ::testing::Test {
protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() / ("tarvocomp driver " + std::to_string(getpid()));
        fs::create_directories(folder_);
    }
    void TearDown() override { fs::remove_all(folder_); }

    std::string writeScript(const std::string& name, const std::string& text) {
        std::ofstream(folder_ / name, std::ios::binary) << text;
        return (folder_ / name).string();
    }
    bool exists(const std::string& name) const { return fs::exists(folder_ / name); }

    fs::path folder_;
    CollectedMessages messages_;
    CompileDriver driver_{messages_};
};

TEST_F(Driver, SplitsFolderAndBaseName) {
    const struct { std::string path; std::string folder; std::string base; } cases[] = {
        {"/a/b/orders.old.scr", "/a/b", "orders.old"},
        {"/a b/my app.scr", "/a b", "my app"},
        {"/x/noext", "/x", "noext"},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(driver_.splitPath(c.path));
        EXPECT_EQ(driver_.folder(), c.folder);
        EXPECT_EQ(driver_.baseName(), c.base);
    }
    EXPECT_FALSE(driver_.splitPath("/a/b/"));
    EXPECT_EQ(driver_.baseName(), "noext") << "an empty base name keeps the old names";
    ASSERT_TRUE(driver_.splitPath("rel.scr"));
    EXPECT_EQ(driver_.folder(), fs::current_path().string());
}

TEST_F(Driver, ListingKeepsRecordFileAndListing) {
    std::string path = writeScript("Orders.Old.scr", scriptWithNodes(kReturnNode));
    for (bool listing : {false, true}) {
        driver_.setListing(listing);
        ASSERT_TRUE(driver_.compile(path));
        EXPECT_TRUE(exists("Orders.Old.hex"));
        EXPECT_EQ(exists("Orders.Old.loc"), listing);
        EXPECT_EQ(exists("Orders.Old.lst"), listing);
    }
    EXPECT_EQ(messages_.logLines.front(), "Compiling " + lowerCase(path));
}

TEST_F(Driver, WindowsLineEndsCompileLikeLinuxOnes) {
    std::string script = scriptWithNodes("Copy )", "Portable \"VK7100\"\nLanguage \"Wst8\"\nSystemFontSize 8\n");
    std::string crlf;
    for (char c : script) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    EXPECT_FALSE(driver_.compile(writeScript("w.scr", crlf)));
    EXPECT_EQ(messages_.logLines.back(), "Syntax Error (line 8)");
}

TEST_F(Driver, SyntaxErrorLeavesNoOutputs) {
    driver_.setListing(true);
    EXPECT_FALSE(driver_.compile(writeScript("bad.scr", scriptWithNodes(kReturnNode) + ";")));
    EXPECT_FALSE(exists("bad.hex"));
    EXPECT_FALSE(exists("bad.loc"));
    EXPECT_FALSE(exists("bad.lst"));
}

TEST_F(Driver, MissingAndEmptyScripts) {
    EXPECT_FALSE(driver_.compile((folder_ / "none.scr").string()));
    EXPECT_NE(messages_.consoleText.find("Error opening none.scr\n"), std::string::npos);
    EXPECT_FALSE(driver_.compile(writeScript("empty.scr", "")));
    EXPECT_NE(messages_.consoleText.find("Error empty.scr is empty\n"), std::string::npos);
}

// Frames of Display nodes with three texts of `textLength` characters each.
std::string bigScript(int nodes, int textLength) {
    std::string text = "LITERAL \"" + std::string(textLength, 't') + "\"";
    std::string script = "Declarations (\nREG \"R\"\n)\nFrame \"F\" (\n";
    for (int i = 0; i < nodes; ++i)
        script += "Display \"F.D" + std::to_string(i) + "\" ( Source( " + text + ", " + text + ", " + text +
                  " ), Special(), Destination(), Branch( Return \"F.R\" ) ),\n";
    return script + kReturnNode + " )";
}

TEST_F(Driver, ImageOverTheSizeLimitIsRefused) {
    std::string path = writeScript("big.scr", bigScript(220, 100));
    std::ofstream(folder_ / "big.hex") << "stale";
    EXPECT_FALSE(driver_.compile(path));
    EXPECT_GT(driver_.lastResult().imageBytes, kMaxImageBytes);
    EXPECT_EQ(messages_.logLines.back(), "Error: HEX File Exceeds Application Size Limit.");
    EXPECT_FALSE(exists("big.hex"));
}

// Code is written in whole words, so the largest possible image holds 65,534 bytes.
TEST_F(Driver, SizeLimitBoundary) {
    // 199 big Display nodes and 22 Return nodes (4 bytes each) come close to the limit; a
    // trailing Copy text of k characters adds k + 1 bytes rounded up to even: search the
    // lengths that land exactly on 65,534 and 65,536 bytes.
    auto scriptWithTail = [](int k) {
        std::string script = bigScript(199, 100);
        std::string returns;
        for (int i = 0; i < 22; ++i) returns += std::string(kReturnNode) + ",\n";
        script.insert(script.rfind("Return \"F.R\""), returns + "Copy \"F.C\" ( Source( LITERAL \"" + std::string(k, 'c') +
                      "\" ), Special(), Destination( REG \"R\" ), Branch( Return \"F.R\" ) ),\n");
        return script;
    };
    std::map<uint64_t, int> lengthForSize;
    for (int k = 100; k < 130; ++k) {
        CollectedMessages quiet;
        lengthForSize.emplace(testing::compileText(scriptWithTail(k), quiet).imageBytes, k);
    }
    ASSERT_TRUE(lengthForSize.count(65534) && lengthForSize.count(65536))
        << "adjust the base script: sizes " << lengthForSize.begin()->first << " to " << lengthForSize.rbegin()->first;

    ASSERT_TRUE(driver_.compile(writeScript("fits.scr", scriptWithTail(lengthForSize[65534]))));
    EXPECT_TRUE(exists("fits.hex"));
    EXPECT_FALSE(driver_.compile(writeScript("over.scr", scriptWithTail(lengthForSize[65536]))));
    EXPECT_FALSE(exists("over.hex"));
}

int runTarvocomp(const std::string& arguments, std::string* output) {
    // tarvocomp is built beside the test program. It runs without any display,
    // as in a build job: with one, the plain form would open its window and wait.
    std::string program = (fs::read_symlink("/proc/self/exe").parent_path() / "tarvocomp").string();
    std::string command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + program + " " +
                          arguments + " > out.txt 2>&1 < /dev/null";
    int status = std::system(command.c_str());
    std::ifstream in("out.txt");
    if (output) output->assign(std::istreambuf_iterator<char>(in), {});
    std::remove("out.txt");
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(Driver, BatchCommandLineJoinsArgumentsIntoOnePath) {
    writeScript("my app.scr", scriptWithNodes(kReturnNode));
    fs::path previous = fs::current_path();
    fs::current_path(folder_);
    std::string output;
    EXPECT_EQ(runTarvocomp("--batch my app.scr", &output), 0);
    EXPECT_NE(output.find("Compiling my app.scr"), std::string::npos);
    EXPECT_NE(output.find("Node Count = 1"), std::string::npos);
    EXPECT_TRUE(exists("my app.hex"));
    EXPECT_EQ(runTarvocomp("--batch no such.scr", &output), 1);
    EXPECT_NE(output.find("Syntax Error (line 1)"), std::string::npos);
    EXPECT_EQ(runTarvocomp("", &output), 2);
    fs::current_path(previous);
}

}  // namespace
}  // namespace tarvo::compiler
