// Tests of the serial layer against a pseudo-terminal pair and a fake tty class folder.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "serial/line_settings.h"
#include "serial/port_list.h"
#include "serial/termios_port.h"

namespace tarvo::xfer {
namespace {

// A pty pair: the test plays the terminal on the master, the port opens the slave.
class PtyPair : public ::testing::Test {
protected:
    void SetUp() override {
        master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(master_, 0);
        ASSERT_EQ(::grantpt(master_), 0);
        ASSERT_EQ(::unlockpt(master_), 0);
        slave_ = ::ptsname(master_);
    }
    void TearDown() override {
        if (master_ >= 0) ::close(master_);
    }
    void sendToPort(const std::string& bytes) {
        ASSERT_EQ(::write(master_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
    }
    // Waits (bounded) until the port reports `n` bytes waiting.
    bool waitForBytes(TermiosPort& port, int n) {
        for (int i = 0; i < 100; ++i) {
            if (port.bytesWaiting() >= n) return true;
            pollfd p{port.pollFd(), POLLIN, 0};
            ::poll(&p, 1, 20);
        }
        return false;
    }
    std::string readFromPort() {
        std::string out;
        char buf[256];
        for (int i = 0; i < 50; ++i) {
            ssize_t n = ::read(master_, buf, sizeof buf);
            if (n > 0) out.append(buf, std::size_t(n));
            else if (!out.empty()) break;
            pollfd p{master_, POLLIN, 0};
            ::poll(&p, 1, 20);
        }
        return out;
    }
    int master_ = -1;
    std::string slave_;
};

TEST_F(PtyPair, MovesBytesBothWays) {
    PortError err = kPortGeneralFailure;
    auto port = TermiosPort::open(slave_, err);
    ASSERT_TRUE(port) << "modem-line ioctls failing on a pty must not fail the open";
    EXPECT_EQ(err, kPortOk);

    EXPECT_EQ(port->readByte().status, ReadStatus::None) << "nothing queued: none at once";
    sendToPort("\x06\x15");
    ASSERT_TRUE(waitForBytes(*port, 2));
    EXPECT_EQ(port->bytesWaiting(), 2);
    ReadResult r = port->readByte();
    EXPECT_EQ(r.status, ReadStatus::Byte);
    EXPECT_EQ(r.byte, 0x06);

    const std::string line = ":010000F40506\r";
    EXPECT_EQ(port->write(line.data(), int(line.size())), int(line.size()));
    EXPECT_EQ(readFromPort(), line);
    EXPECT_EQ(port->statusCheck(), kPortOk);
}

TEST_F(PtyPair, PurgeDiscardsReceivedBytes) {
    PortError err;
    auto port = TermiosPort::open(slave_, err);
    ASSERT_TRUE(port);
    sendToPort(":0A0000\r");
    ASSERT_TRUE(waitForBytes(*port, 8));
    port->purgeInput();
    EXPECT_EQ(port->bytesWaiting(), 0);
    EXPECT_EQ(port->readByte().status, ReadStatus::None);
}

TEST_F(PtyPair, SecondOpenOfTheSameDeviceIsRefused) {
    PortError err;
    auto first = TermiosPort::open(slave_, err);
    ASSERT_TRUE(first);
    PortError second = kPortOk;
    EXPECT_FALSE(TermiosPort::open(slave_, second));
    EXPECT_EQ(second, kPortAlreadyOpen);
    first->close();
    EXPECT_TRUE(TermiosPort::open(slave_, second)) << "closing releases the device";
}

TEST_F(PtyPair, RatesAndLineSettings) {
    PortError err;
    auto port = TermiosPort::open(slave_, err);
    ASSERT_TRUE(port);
    for (int rate : {9600, 19200, 38400}) {
        EXPECT_TRUE(port->setRate(rate)) << rate;
        EXPECT_EQ(port->line().rate, rate);
    }
    EXPECT_FALSE(port->setRate(12345));
    EXPECT_EQ(port->line().rate, 38400) << "a refused rate leaves the previous one";
    EXPECT_EQ(port->statusCheck(), kPortGeneralFailure);
    EXPECT_EQ(port->statusCheck(), kPortOk) << "the status check clears the error";

    LineSettings bad;
    bad.parity = 'X';
    EXPECT_FALSE(port->setLine(bad));
    EXPECT_EQ(port->statusCheck(), kPortBadParity);
    EXPECT_TRUE(port->setLine({19200, 'E', 7, 2}));
}

TEST(PortOpen, MissingDeviceIsAGeneralFailure) {
    PortError err = kPortOk;
    EXPECT_FALSE(TermiosPort::open("/dev/no-such-tty-here", err));
    EXPECT_EQ(err, kPortGeneralFailure);
    EXPECT_FALSE(TermiosPort::open("/dev/null", err)) << "not a terminal";
}

TEST(LineSettingsCheck, RefusesBadValuesBeforeTheDevice) {
    struct Case { LineSettings s; PortError want; };
    const Case cases[] = {
        {{9600, 'N', 8, 1}, kPortOk},   {{9600, 'S', 4, 2}, kPortOk},
        {{9600, 'n', 8, 1}, kPortBadParity}, {{9600, 'N', 3, 1}, kPortBadDataBits},
        {{9600, 'N', 9, 1}, kPortBadDataBits}, {{9600, 'N', 8, 0}, kPortBadStopBits},
        {{9600, 'N', 8, 3}, kPortBadStopBits},
    };
    for (const auto& c : cases)
        EXPECT_EQ(checkLineSettings(c.s), c.want) << c.s.parity << c.s.dataBits << c.s.stopBits;
}

TEST(PortListing, NumbersSerialThenUsbThenAcm) {
    namespace fs = std::filesystem;
    fs::path root = fs::temp_directory_path() / ("xfer_tty_" + std::to_string(::getpid()));
    fs::remove_all(root);
    for (const char* name : {"ttyS0", "ttyS1", "ttyS10", "ttyUSB1", "ttyUSB0", "ttyACM0"})
        fs::create_directories(root / name / "device");
    fs::create_directories(root / "tty0");        // a console: no device entry
    fs::create_directories(root / "ttyS2");       // no device entry: skipped
    fs::create_directories(root / "ttySx" / "device");  // no number: skipped
    auto ports = listPorts(root.string(), "/dev");
    fs::remove_all(root);
    std::vector<std::pair<std::string, int>> got;
    for (const auto& p : ports) got.emplace_back(p.name, p.number);
    std::vector<std::pair<std::string, int>> want = {
        {"ttyS0", 1}, {"ttyS1", 2}, {"ttyS10", 11}, {"ttyUSB0", 12}, {"ttyUSB1", 13}, {"ttyACM0", 14}};
    EXPECT_EQ(got, want);
    EXPECT_EQ(portDevice(12, ports), "/dev/ttyUSB0");
    EXPECT_EQ(portDevice(4, ports), "/dev/ttyS3") << "an unlisted number still names ttyS";
    EXPECT_TRUE(listPorts("/no/such/folder").empty());
}

}  // namespace
}  // namespace tarvo::xfer
