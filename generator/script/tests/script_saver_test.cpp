#include "tarvo/script/script_saver.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "recording_prompter.h"
#include "tarvo/common/safe_file.h"
#include "tarvo/script/script_messages.h"
#include "test_apps.h"

namespace tarvo::script {
namespace {

namespace fs = std::filesystem;
using namespace testing;
using Ids = std::vector<int>;

class ScriptSaverTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("tarvo_saver_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override {
        fs::permissions(dir_, fs::perms::owner_all, fs::perm_options::add);
        fs::remove_all(dir_);
    }
    std::string path(const std::string& name) const { return (dir_ / name).string(); }
    static std::string read(const std::string& p) {
        std::string data;
        readWholeFile(p, data);
        return data;
    }
    static void write(const std::string& p, const std::string& data) {
        std::ofstream(p, std::ios::binary) << data;
    }

    fs::path dir_;
    RecordingPrompter prompter_;
};

TEST_F(ScriptSaverTest, NewApplicationSavesToTheGoldenText) {
    auto doc = CDocContext::createNew(defaultSettings());
    std::string target = path("Hello.scr");
    prompter_.paths = {path("Hello")};  // the extension is added
    ASSERT_EQ(ScriptSaver(prompter_).save(*doc, true), SaveResult::Saved);

    std::string golden = read("tests/golden/new_application.scr");
    ASSERT_FALSE(golden.empty());
    golden.replace(golden.find("{{PATH}}"), 8, target);
    EXPECT_EQ(read(target), golden);
    EXPECT_EQ(doc->rootFrame().name(), u"Hello");
    EXPECT_EQ(narrowLatin1(doc->path()), target);
    EXPECT_TRUE(prompter_.asked.empty());
}

TEST_F(ScriptSaverTest, LongFileNameAsksAndNoCancels) {
    auto doc = newApp();
    // 14 characters before the extension.
    prompter_.paths = {path("ABCDEFGHIJKLMN.scr")};
    prompter_.answers = {Answer::No};
    EXPECT_EQ(ScriptSaver(prompter_).save(*doc, true), SaveResult::Cancelled);
    EXPECT_EQ(prompter_.asked, Ids{kMsgLongFileName});
    EXPECT_FALSE(fs::exists(path("ABCDEFGHIJKLMN.scr")));
    EXPECT_EQ(doc->rootFrame().name(), u"App");

    // 13 characters need no question; any case of the extension is kept.
    RecordingPrompter quiet;
    quiet.paths = {path("ABCDEFGHIJKLM.SCR")};
    EXPECT_EQ(ScriptSaver(quiet).save(*doc, true), SaveResult::Saved);
    EXPECT_TRUE(quiet.asked.empty());
    EXPECT_TRUE(fs::exists(path("ABCDEFGHIJKLM.SCR")));
}

TEST_F(ScriptSaverTest, SaveAsOverExistingFileAsksAndNoKeepsIt) {
    auto doc = newApp();
    write(path("App.scr"), "previous");
    ASSERT_TRUE(doc->setPath(widenLatin1(path("App.scr"))));
    prompter_.answers = {Answer::No};
    EXPECT_EQ(ScriptSaver(prompter_).save(*doc, true), SaveResult::Cancelled);
    EXPECT_EQ(prompter_.asked, Ids{kMsgOverwrite});
    EXPECT_EQ(read(path("App.scr")), "previous");

    // A plain save of the same path does not ask.
    RecordingPrompter quiet;
    EXPECT_EQ(ScriptSaver(quiet).save(*doc, false), SaveResult::Saved);
    EXPECT_TRUE(quiet.asked.empty());
    EXPECT_NE(read(path("App.scr")), "previous");
}

TEST_F(ScriptSaverTest, PreviousVersionAsksAndNoChoosesAnotherFile) {
    auto doc = newApp();
    doc->settings.previousVersion = 1;
    write(path("Old.scr"), "old format");
    ASSERT_TRUE(doc->setPath(widenLatin1(path("Old.scr"))));
    prompter_.answers = {Answer::No};
    prompter_.paths = {path("New.scr")};
    EXPECT_EQ(ScriptSaver(prompter_).save(*doc, false), SaveResult::Saved);
    EXPECT_EQ(prompter_.asked, Ids{kMsgPreviousVersion});
    EXPECT_EQ(read(path("Old.scr")), "old format");
    EXPECT_TRUE(fs::exists(path("New.scr")));
    EXPECT_EQ(doc->rootFrame().name(), u"New");
    EXPECT_EQ(doc->settings.previousVersion, 0);

    // Yes overwrites in place, and the flag is gone for the next save.
    auto doc2 = newApp();
    doc2->settings.previousVersion = 1;
    ASSERT_TRUE(doc2->setPath(widenLatin1(path("Old.scr"))));
    RecordingPrompter yes;
    EXPECT_EQ(ScriptSaver(yes).save(*doc2, false), SaveResult::Saved);
    EXPECT_EQ(yes.asked, Ids{kMsgPreviousVersion});
    EXPECT_NE(read(path("Old.scr")), "old format");
    RecordingPrompter again;
    EXPECT_EQ(ScriptSaver(again).save(*doc2, false), SaveResult::Saved);
    EXPECT_TRUE(again.asked.empty());
}

TEST_F(ScriptSaverTest, ReadOnlyFileAsksForAnotherName) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write read-only files";
    auto doc = newApp();
    write(path("Locked.scr"), "locked");
    ::chmod(path("Locked.scr").c_str(), 0444);
    ASSERT_TRUE(doc->setPath(widenLatin1(path("Locked.scr"))));

    prompter_.answers = {Answer::No};
    EXPECT_EQ(ScriptSaver(prompter_).save(*doc, false), SaveResult::Cancelled);
    EXPECT_EQ(prompter_.asked, Ids{kMsgReadOnly});

    RecordingPrompter yes;
    yes.paths = {path("Free.scr")};
    EXPECT_EQ(ScriptSaver(yes).save(*doc, false), SaveResult::Saved);
    EXPECT_EQ(read(path("Locked.scr")), "locked");
    EXPECT_TRUE(fs::exists(path("Free.scr")));
    EXPECT_EQ(doc->rootFrame().name(), u"Free");
}

TEST_F(ScriptSaverTest, CancelledDialogWritesNothing) {
    auto doc = newApp();
    EXPECT_EQ(ScriptSaver(prompter_).save(*doc, false), SaveResult::Cancelled);
    EXPECT_EQ(prompter_.chooserCalls, 1);
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(ScriptSaverTest, FailedWriteKeepsPreviousFileAndApplication) {
    auto doc = newApp();
    doc->settings.previousVersion = 1;
    write(path("Keep.scr"), "previous");
    ASSERT_TRUE(doc->setPath(widenLatin1(path("Keep.scr"))));
    // A file-size limit makes the write fail part way, as a full disk does (and
    // unlike folder permissions it binds root too). Only the soft limit moves,
    // so it can be put back.
    struct rlimit saved {};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    auto oldHandler = ::signal(SIGXFSZ, SIG_IGN);
    struct rlimit tiny = saved;
    tiny.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &tiny), 0);
    SaveResult result = ScriptSaver(prompter_).save(*doc, true);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    ::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(result, SaveResult::Failed);
    EXPECT_EQ(prompter_.shownIds(), Ids{kMsgWriteFailed});
    EXPECT_EQ(read(path("Keep.scr")), "previous");
    EXPECT_EQ(doc->rootFrame().name(), u"App");
    EXPECT_EQ(doc->settings.previousVersion, 1);
}

TEST_F(ScriptSaverTest, FailedWriteIntoMissingFolderRestoresRootName) {
    auto doc = newApp();
    prompter_.paths = {path("missing/Other.scr")};
    EXPECT_EQ(ScriptSaver(prompter_).save(*doc, true), SaveResult::Failed);
    EXPECT_EQ(prompter_.shownIds(), Ids{kMsgWriteFailed});
    EXPECT_EQ(doc->rootFrame().name(), u"App");
    EXPECT_TRUE(doc->path().empty());
}

TEST(ScriptMessages, PlaceholdersTakeTheDetailLines) {
    EXPECT_EQ(formatMessage(kMsgSyntaxError, "/a/b.scr\n12"),
              "The Tarvo file '/a/b.scr' cannot be loaded.\n\nSyntax error on line 12.");
    EXPECT_EQ(formatMessage(kMsgErrorOpeningFile, "/x.scr"), "Error opening file: /x.scr");
    EXPECT_EQ(formatMessage(kMsgNoActiveFrame, ""), "No active frame");
    EXPECT_EQ(formatMessage(12345, ""), "Unknown message");
}

TEST_F(ScriptSaverTest, ApplicationWithoutTemplateIsRefused) {
    CDocContext doc;  // an empty application: no declarations at all
    ASSERT_TRUE(doc.setPath(widenLatin1(path("Empty.scr"))));
    EXPECT_EQ(ScriptSaver(prompter_).save(doc, false), SaveResult::Failed);
    EXPECT_EQ(prompter_.shownIds(), Ids{kMsgNoTemplate});
    EXPECT_FALSE(fs::exists(path("Empty.scr")));
}

TEST_F(ScriptSaverTest, UnrepresentableTextIsReportedBeforeTheSave) {
    auto doc = newApp();
    auto* d = add<CDisplayNode>(*doc, doc->rootFrame(), u"D1");
    ASSERT_TRUE(d->setDescription(u"\u4E2D\u6587"));
    write(path("App.scr"), "previous");
    ASSERT_TRUE(doc->setPath(widenLatin1(path("App.scr"))));
    EXPECT_EQ(ScriptSaver(prompter_).save(*doc, false), SaveResult::Failed);
    ASSERT_EQ(prompter_.shown.size(), 1u);
    EXPECT_EQ(prompter_.shown[0].messageId, kMsgUnrepresentableText);
    EXPECT_EQ(prompter_.shown[0].detail, "App.D1 description");
    EXPECT_EQ(read(path("App.scr")), "previous");
}

TEST_F(ScriptSaverTest, CallToMissingSubroutineIsClearedOnSave) {
    auto doc = newApp();
    auto* call = add<CCallNode>(*doc, doc->rootFrame(), u"Call1");
    call->subroutine.setTarget(NodeType::Subroutine, u"Gone");
    ASSERT_TRUE(doc->setPath(widenLatin1(path("App.scr"))));
    EXPECT_EQ(ScriptSaver(prompter_).save(*doc, false), SaveResult::Saved);
    EXPECT_TRUE(call->subroutine.isEmpty());
    EXPECT_NE(read(path("App.scr")).find("Branch(,  ) )"), std::string::npos);
}

TEST(ScriptBaseName, CutsFolderAndExtension) {
    const std::pair<const char*, const char*> cases[] = {
        {"/a/b/App.scr", "App"}, {"App.scr", "App"}, {"/a.b/App", "App"},
        {"/a/x.y.scr", "x.y"},   {"/a/", ""}};
    for (auto [in, out] : cases) EXPECT_EQ(scriptBaseName(in), out) << in;
}

}  // namespace
}  // namespace tarvo::script
