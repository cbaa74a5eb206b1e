// Runs the tarvoterm program and talks to it over a real pseudo-terminal.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {

// A guard against a hung program, not a measurement: generous on purpose.
constexpr int kGuardMillis = 10000;

std::string programPath() {
    return TARVOTERM_PATH;
}

struct Running {
    pid_t pid = -1;
    int stdoutFd = -1;
};

Running spawnTerm(const std::vector<std::string>& args) {
    Running running;
    int pipeFds[2];
    if (pipe(pipeFds) != 0) return running;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);
    std::vector<std::string> all{programPath()};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (std::string& arg : all) argv.push_back(arg.data());
    argv.push_back(nullptr);
    if (posix_spawn(&running.pid, all[0].c_str(), &actions, nullptr, argv.data(), environ) != 0)
        running.pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    running.stdoutFd = pipeFds[0];
    return running;
}

int waitExit(pid_t pid) {
    int status = 0;
    if (waitpid(pid, &status, 0) != pid || !WIFEXITED(status)) return -1;
    return WEXITSTATUS(status);
}

// Reads until `count` bytes or a line end (when `untilNewline`), within the guard.
std::string readFrom(int fd, std::size_t count, bool untilNewline = false) {
    std::string text;
    while (text.size() < count) {
        pollfd waitFor{fd, POLLIN, 0};
        if (poll(&waitFor, 1, kGuardMillis) <= 0) break;
        char c;
        if (read(fd, &c, 1) != 1) break;
        text += c;
        if (untilNewline && c == '\n') break;
    }
    return text;
}

bool setLine(int fd, speed_t speed) {
    termios settings{};
    if (tcgetattr(fd, &settings) != 0) return false;
    cfmakeraw(&settings);
    cfsetispeed(&settings, speed);
    cfsetospeed(&settings, speed);
    return tcsetattr(fd, TCSANOW, &settings) == 0;
}

void writeText(int fd, const std::string& text) {
    ASSERT_EQ(write(fd, text.data(), text.size()), ssize_t(text.size()));
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    return buffer.str();
}

// One short session over the pseudo-terminal, with or without the throttle.
void serveOneSession(bool throttle) {
    const std::filesystem::path dir =
        std::filesystem::temp_directory_path() / ("tarvoterm_test_" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    const std::string transcript = (dir / "session.json").string();
    const std::string image = (dir / "received.hex").string();

    std::vector<std::string> args{
        "--model",   "VK61",         "--version", "1.07",      "--baud", "19200",        "--names",
        "INV,PRICE", "--transcript", transcript,  "--hex-out", image,    "--idle-limit", "20"};
    if (throttle) args.push_back("--throttle");
    Running term = spawnTerm(args);
    ASSERT_GT(term.pid, 0);
    const std::string first = readFrom(term.stdoutFd, 200, true);
    ASSERT_EQ(first.rfind("PTY /dev/pts/", 0), 0u) << first;
    const std::string device = first.substr(4, first.size() - 5);

    const int line = open(device.c_str(), O_RDWR | O_NOCTTY);
    ASSERT_GE(line, 0) << device;
    ASSERT_TRUE(setLine(line, B19200));

    writeText(line, "/.\rj");
    EXPECT_EQ(readFrom(line, 1), "\x06");
    writeText(line, ":010000F40506\r");
    EXPECT_EQ(readFrom(line, 1), "\x06");
    ASSERT_TRUE(setLine(line, B38400));
    writeText(line, ":010000F3010B\r");
    const std::string version = readFrom(line, 1 + 24);
    EXPECT_EQ(version.substr(0, 1), "\x06");
    EXPECT_EQ(version.substr(1, 11), ":0600000056") << "version record";
    EXPECT_EQ(version[version.size() - 1], '\r');
    writeText(line, "\x06");
    writeText(line, ":020000F100C04D\r");
    EXPECT_EQ(readFrom(line, 1), "\x06");
    writeText(line, ":0400000100000000FB\r");
    EXPECT_EQ(readFrom(line, 1), "\x06");
    writeText(line, ":00000001FF\r");
    EXPECT_EQ(readFrom(line, 1), "\x06");
    writeText(line, ":000000F20E\r");
    EXPECT_EQ(readFrom(line, 1), "\x06");

    EXPECT_EQ(waitExit(term.pid), 0);
    close(line);
    close(term.stdoutFd);

    EXPECT_EQ(readFile(image), ":0400000100000000FB\r\n:00000001FF\r\n");
    const std::string json = readFile(transcript);
    EXPECT_NE(json.find("\"finalBaud\": 38400"), std::string::npos) << json;
    EXPECT_NE(json.find("\"names\": [\"INV\", \"PRICE\", \"\", \"\"]"), std::string::npos) << json;
    EXPECT_NE(json.find("\"reset\": true"), std::string::npos) << json;
    std::filesystem::remove_all(dir);
}

TEST(TarvotermProgram, ServesASessionOnAPseudoTerminal) {
    for (bool throttle : {false, true}) {
        SCOPED_TRACE(throttle ? "throttled" : "full speed");
        serveOneSession(throttle);
    }
}

TEST(TarvotermProgram, CommandLineExitCodes) {
    struct Case {
        std::vector<std::string> args;
        int exitCode;
        const char* stdoutStart;
    };
    for (const Case& c : {Case{{"--help"}, 0, "Usage: tarvoterm"}, Case{{"--model", "VK99"}, 2, ""},
                          Case{{"--fault", "boom"}, 2, ""}}) {
        Running term = spawnTerm(c.args);
        ASSERT_GT(term.pid, 0);
        const std::string out = readFrom(term.stdoutFd, 16);
        EXPECT_EQ(waitExit(term.pid), c.exitCode) << c.args[0];
        EXPECT_EQ(out.substr(0, std::string(c.stdoutStart).size()), c.stdoutStart);
        close(term.stdoutFd);
    }
}

TEST(TarvotermProgram, UnwritableTranscriptIsAFailure) {
    Running term =
        spawnTerm({"--idle-limit", "1", "--transcript", "/nonexistent-dir/tarvoterm/t.json"});
    ASSERT_GT(term.pid, 0);
    EXPECT_EQ(readFrom(term.stdoutFd, 200, true).rfind("PTY ", 0), 0u);
    EXPECT_EQ(waitExit(term.pid), 4);
    close(term.stdoutFd);
}

TEST(TarvotermProgram, GivesUpWithoutResetAndStillWritesTheTranscript) {
    const std::string transcript = (std::filesystem::temp_directory_path() /
                                    ("tarvoterm_idle_" + std::to_string(getpid()) + ".json"))
                                       .string();
    Running term = spawnTerm({"--idle-limit", "1", "--transcript", transcript});
    ASSERT_GT(term.pid, 0);
    EXPECT_EQ(readFrom(term.stdoutFd, 200, true).rfind("PTY ", 0), 0u);
    EXPECT_EQ(waitExit(term.pid), 1);
    close(term.stdoutFd);
    EXPECT_NE(readFile(transcript).find("\"reset\": false"), std::string::npos);
    std::filesystem::remove(transcript);
}

}  // namespace
