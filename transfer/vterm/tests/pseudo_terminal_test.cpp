// The pseudo-terminal line: the rate the host sets and the bytes it has not
// read yet, as the program relies on them.
#include "tarvo/vterm/pseudo_terminal.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

namespace tarvo::vterm {
namespace {

class PseudoTerminalTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(line_.open(19200, error)) << error;
        host_ = ::open(line_.devicePath().c_str(), O_RDWR | O_NOCTTY);
        ASSERT_GE(host_, 0) << line_.devicePath();
    }
    void TearDown() override {
        if (host_ >= 0) ::close(host_);
    }
    PseudoTerminal line_;
    int host_ = -1;
};

TEST_F(PseudoTerminalTest, ReportsTheRateTheHostSets) {
    EXPECT_EQ(line_.lineBaud(), 19200) << "the starting rate";
    for (speed_t speed : {B9600, B38400, B19200}) {
        termios settings{};
        ASSERT_EQ(::tcgetattr(host_, &settings), 0);
        ::cfsetispeed(&settings, speed);
        ::cfsetospeed(&settings, speed);
        ASSERT_EQ(::tcsetattr(host_, TCSANOW, &settings), 0);
        EXPECT_EQ(line_.lineBaud(), baudOfSpeed(speed));
    }
}

TEST_F(PseudoTerminalTest, CountsBytesTheHostHasNotRead) {
    ASSERT_EQ(::write(line_.masterFd(), "\x06\x06\x06", 3), 3);
    // Asked at once after the write, while the bytes may still be on their
    // way to the host's queue.
    EXPECT_EQ(line_.unreadByPeer(), 3u);
    char buffer[3];
    ASSERT_EQ(::read(host_, buffer, sizeof buffer), 3);
    EXPECT_EQ(line_.unreadByPeer(), 0u);
}

TEST(SpeedTable, ConvertsBothWays) {
    for (int baud : {9600, 19200, 38400}) EXPECT_EQ(baudOfSpeed(speedOfBaud(baud)), baud);
    EXPECT_EQ(speedOfBaud(12345), 0u);
    EXPECT_EQ(baudOfSpeed(0xFFFFu), 0);
}

}  // namespace
}  // namespace tarvo::vterm
