// The vernelinfo program: its output and exit codes, run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <ostream>
#include <string>

namespace {

namespace fs = std::filesystem;

struct RunResult {
    int exitCode = -1;
    std::string out;
    std::string err;
};

std::string readText(const fs::path& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

class VernelinfoTest : public ::testing::Test {
protected:
    void SetUp() override {
        program_ = VERNELINFO_PATH;
        ASSERT_TRUE(fs::exists(program_)) << program_;
        scratch_ = fs::temp_directory_path() /
                   ("vernelinfo_test_" + std::to_string(::getpid()) + "_" +
                    ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(scratch_);
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(scratch_, ignored);
    }

    // Runs `environment program args` through the shell; args are already quoted.
    RunResult run(const fs::path& program, const std::string& args,
                  const std::string& environment = "") {
        const fs::path out = scratch_ / "out.txt";
        const fs::path err = scratch_ / "err.txt";
        const std::string command = environment + " '" + program.string() + "' " + args + " >'" + out.string() +
                                    "' 2>'" + err.string() + "'";
        RunResult result;
        int status = std::system(command.c_str());
        if (status != -1 && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
        result.out = readText(out);
        result.err = readText(err);
        return result;
    }

    fs::path program_;
    fs::path scratch_;
};

TEST_F(VernelinfoTest, WithoutArgumentsPrintsTheListAndItsCount) {
    RunResult r = run(program_, "");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    const std::string prefix = "Languages: English|French|Spanish|German";
    ASSERT_EQ(r.out.rfind(prefix, 0), 0u) << r.out;
    const std::string listLine = r.out.substr(0, r.out.find('\n'));
    int names = 1;
    for (char c : listLine) names += c == '|' ? 1 : 0;
    EXPECT_NE(r.out.find("\nCount: " + std::to_string(names) + "\n"), std::string::npos) << r.out;
    for (const char* never : {"Thai", "Korean", "Maylay"}) {
        EXPECT_EQ(listLine.find(never), std::string::npos) << never;
    }
}

struct QueryCase {
    const char* title;
    std::string args;
    int exitCode;
    std::vector<std::string> outLines;
    std::string errPart;
};

void PrintTo(const QueryCase& c, std::ostream* os) { *os << c.title; }

class VernelinfoQueryTest : public VernelinfoTest,
                           public ::testing::WithParamInterface<QueryCase> {};

TEST_P(VernelinfoQueryTest, PrintsTheValuesAndExitCode) {
    const QueryCase& c = GetParam();
    RunResult r = run(program_, c.args);
    EXPECT_EQ(r.exitCode, c.exitCode) << r.out << r.err;
    for (const std::string& line : c.outLines) {
        EXPECT_NE(r.out.find(line + "\n"), std::string::npos) << line << "\nin:\n" << r.out;
    }
    if (c.errPart.empty()) {
        EXPECT_EQ(r.err, "");
    } else {
        EXPECT_NE(r.err.find(c.errPart), std::string::npos) << r.err;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, VernelinfoQueryTest,
    ::testing::Values(
        QueryCase{"Name",
                  "Japanese",
                  0,
                  {"Name: Japanese", "Index: 6", "Locale code: jpn", "Character set: 128",
                   "Code page: 932", "Font name: MS Gothic", "Font size: 12", "Double-byte: 1"},
                  ""},
        QueryCase{"NameWithBlank",
                  "'Chinese Simplified'",
                  0,
                  {"Name: Chinese Simplified", "Character set: 134", "Code page: 936"},
                  ""},
        QueryCase{"LocaleCode",
                  "-l deu",
                  0,
                  {"Name: German", "Index: 3", "Font name: Tahoma", "Supported: 1"},
                  ""},
        QueryCase{"WrongCaseName",
                  "english",
                  3,
                  {"Name: English", "Index: 0"},
                  "name \"english\" selects no language"},
        QueryCase{"UnselectableName", "Thai", 3, {"Name: English"}, "\"Thai\" selects no language"},
        QueryCase{"UnknownCode", "-l wst12", 3, {"Name: English", "Code page: 850"},
                  "locale code \"wst12\""},
        QueryCase{"Help", "--help", 0, {"Usage: vernelinfo            print the languages offered and their count"}, ""},
        QueryCase{"UnknownOption", "-x", 1, {}, "bad command line"},
        QueryCase{"MissingCode", "-l", 1, {}, "bad command line"},
        QueryCase{"TooManyArguments", "English French", 1, {}, "bad command line"}),
    [](const auto& info) { return std::string(info.param.title); });

TEST_F(VernelinfoTest, WithoutDoublebyteFontsListsOnlyWesternLanguages) {
    // fontconfig pointed at a configuration that knows no fonts.
    const fs::path config = scratch_ / "no-fonts.conf";
    std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n";
    RunResult r = run(program_, "", "FONTCONFIG_FILE='" + config.string() + "'");
    ASSERT_EQ(r.exitCode, 0) << r.err;
    EXPECT_EQ(r.out, "Languages: English|French|Spanish|German\nCount: 4\n");

    r = run(program_, "-l chs", "FONTCONFIG_FILE='" + config.string() + "'");
    EXPECT_EQ(r.exitCode, 0) << r.err;
    EXPECT_NE(r.out.find("Supported: 0\n"), std::string::npos) << r.out;
}

TEST_F(VernelinfoTest, WithoutTheComponentReportsTheDllError) {
    // A copy of the program with no libvernel.so beside it nor in ../lib.
    const fs::path lonely = scratch_ / "bin" / "vernelinfo";
    fs::create_directories(lonely.parent_path());
    fs::copy_file(program_, lonely);
    RunResult r = run(lonely, "");
    EXPECT_EQ(r.exitCode, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "vernelinfo: DLL Error: Fatal error with VERNEL.DLL.\nCall Engineering.\n");
}

}  // namespace
