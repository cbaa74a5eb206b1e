// VernelLoader: first-use loading, the failure message, and prompt-language lookups.
#include "tarvo/langinfo/loader/vernel_loader.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

namespace tarvo::langinfo {
namespace {

struct ShownMessage {
    std::string text;
    std::string caption;
    MessageIcon icon;
};

struct RecordingReporter : MessageReporter {
    void showMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override {
        shown.push_back({text, caption, icon});
    }
    std::vector<ShownMessage> shown;
};

const std::string kMissingPath = "/nonexistent/tarvo/libvernel.so";

struct FailureCase {
    const char* title;
    std::vector<std::string> paths;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.title; }

class LoaderFailureTest : public ::testing::TestWithParam<FailureCase> {};

TEST_P(LoaderFailureTest, ReportsOncePerAttemptAndGoesOn) {
    RecordingReporter reporter;
    VernelLoader loader(reporter, GetParam().paths);

    EXPECT_EQ(loader.languageInfo(), nullptr);
    ASSERT_EQ(reporter.shown.size(), 1u);
    EXPECT_EQ(reporter.shown[0].text, "Fatal error with VERNEL.DLL.\nCall Engineering.");
    EXPECT_EQ(reporter.shown[0].caption, "DLL Error");
    EXPECT_EQ(reporter.shown[0].icon, MessageIcon::Warning);
    EXPECT_EQ(loader.lastLanguageIndex(), -1);
    EXPECT_TRUE(loader.loadedPath().empty());

    // The next request is a new attempt with its own single message.
    EXPECT_FALSE(loader.promptLanguage("Chs").has_value());
    EXPECT_EQ(reporter.shown.size(), 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Libraries, LoaderFailureTest,
    ::testing::Values(FailureCase{"NoPaths", {}}, FailureCase{"Missing", {kMissingPath}},
                      FailureCase{"NotTheComponent", {VERNEL_NO_ENTRY_PATH}},
                      FailureCase{"WrongVersion", {VERNEL_WRONG_VERSION_PATH}},
                      FailureCase{"WrongClass", {VERNEL_WRONG_CLASS_PATH}},
                      FailureCase{"AllWrong",
                                  {kMissingPath, VERNEL_NO_ENTRY_PATH, VERNEL_WRONG_VERSION_PATH,
                                   VERNEL_WRONG_CLASS_PATH}}),
    [](const auto& info) { return std::string(info.param.title); });

TEST(VernelLoader, TakesTheFirstRightLibraryAndKeepsIt) {
    RecordingReporter reporter;
    VernelLoader loader(reporter, {kMissingPath, VERNEL_WRONG_VERSION_PATH, VERNEL_LIBRARY_PATH});

    ILanguageInfo* info = loader.languageInfo();
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(reporter.shown.empty());
    EXPECT_EQ(loader.loadedPath(), VERNEL_LIBRARY_PATH);
    EXPECT_EQ(loader.languageInfo(), info);

    int32_t allow = 0;
    EXPECT_EQ(info->getAllowDoublebyte(&allow), VernelResult::Ok);
    EXPECT_EQ(allow, 1);
    int16_t count = 0;
    info->getLanguageCount(&count);
    EXPECT_GE(count, 4);
    EXPECT_EQ(loader.lastLanguageIndex(), count - 1);
}

TEST(VernelLoader, SearchesBesideTheProgramThenTheLibraryFolder) {
    const std::vector<std::string> paths = VernelLoader::defaultLibraryPaths();
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_NE(paths[0].find("/libvernel.so"), std::string::npos);
    EXPECT_EQ(paths[0].find("../lib"), std::string::npos);
    EXPECT_NE(paths[1].find("/../lib/libvernel.so"), std::string::npos);
}

struct PromptCase {
    const char* title;
    std::string code;
    PromptLanguageInfo expected;
};

void PrintTo(const PromptCase& c, std::ostream* os) { *os << c.title; }

class PromptLanguageTest : public ::testing::TestWithParam<PromptCase> {};

TEST_P(PromptLanguageTest, LowerCasesTheCodeAndAsksByLocaleCode) {
    RecordingReporter reporter;
    VernelLoader loader(reporter, {VERNEL_LIBRARY_PATH});
    auto answer = loader.promptLanguage(GetParam().code);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->fontName, GetParam().expected.fontName);
    EXPECT_EQ(answer->charSet, GetParam().expected.charSet);
    EXPECT_EQ(answer->doublebyte, GetParam().expected.doublebyte);
    EXPECT_EQ(answer->codepage, GetParam().expected.codepage);
    EXPECT_TRUE(reporter.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Codes, PromptLanguageTest,
    ::testing::Values(PromptCase{"Western12", "Wst12", {"Tahoma", 0, 0, 850}},
                      PromptCase{"Western12LowerCase", "wst12", {"Tahoma", 0, 0, 850}},
                      PromptCase{"Western8", "Wst8", {"Tahoma", 0, 0, 850}},
                      PromptCase{"ChineseSimplified", "Chs", {"SimSun", 134, 1, 936}},
                      PromptCase{"ChineseTraditional", "CHT", {"MingliU", 136, 1, 950}},
                      PromptCase{"Empty", "", {"Tahoma", 0, 0, 850}}),
    [](const auto& info) { return std::string(info.param.title); });

TEST(VernelLoader, PromptLookupsDoNotDependOnThePreviousOne) {
    RecordingReporter reporter;
    VernelLoader loader(reporter, {VERNEL_LIBRARY_PATH});
    ASSERT_EQ(loader.promptLanguage("Chs")->charSet, 134);
    auto western = loader.promptLanguage("Wst12");
    ASSERT_TRUE(western.has_value());
    EXPECT_EQ(western->charSet, 0);
    EXPECT_EQ(western->fontName, "Tahoma");
}

}  // namespace
}  // namespace tarvo::langinfo
