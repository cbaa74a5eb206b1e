#include "tarvo/common/safe_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>

namespace tarvo {
namespace {

class SafeFile : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("tarvo_safe_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override {
        std::filesystem::permissions(dir_, std::filesystem::perms::owner_all);
        std::filesystem::remove_all(dir_);
    }
    std::filesystem::path dir_;
};

TEST_F(SafeFile, ReplacesContentAndKeepsNoTemporaryFiles) {
    std::string path = (dir_ / "a.txt").string();
    ASSERT_TRUE(writeFileSafely(path, "a much longer first content").ok);
    ASSERT_TRUE(writeFileSafely(path, "short").ok);
    std::string data;
    ASSERT_TRUE(readWholeFile(path, data).ok);
    EXPECT_EQ(data, "short");  // no stale tail of the longer file
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1);
}

TEST_F(SafeFile, FailedWriteLeavesPreviousFileIntact) {
    // A file-size limit makes the write fail part way, as a full disk does,
    // and works for root too. The save runs in a child so the limit stays there.
    std::string path = (dir_ / "keep.txt").string();
    ASSERT_TRUE(writeFileSafely(path, "precious").ok);
    pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit lim {4, 4};
        ::setrlimit(RLIMIT_FSIZE, &lim);
        FileResult r = writeFileSafely(path, "a new content longer than the limit");
        ::_exit(!r.ok && !r.error.empty() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save did not report failure";
    std::string data;
    ASSERT_TRUE(readWholeFile(path, data).ok);
    EXPECT_EQ(data, "precious");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), {}), 1)
        << "temporary file left behind";
}

TEST_F(SafeFile, UnusableFolderFailsAndTouchesNothing) {
    // A save that cannot create its temporary file reports the reason and
    // leaves every other file alone.
    std::string path = (dir_ / "target").string();
    ASSERT_TRUE(writeFileSafely(path, "old").ok);
    FileResult r = writeFileSafely("/nonexistent-folder/x", "new");
    EXPECT_FALSE(r.ok);
    std::string data;
    ASSERT_TRUE(readWholeFile(path, data).ok);
    EXPECT_EQ(data, "old");
}

TEST_F(SafeFile, ReadingMissingFileFails) {
    std::string data = "x";
    FileResult r = readWholeFile((dir_ / "missing").string(), data);
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(data.empty());
}

}  // namespace
}  // namespace tarvo
