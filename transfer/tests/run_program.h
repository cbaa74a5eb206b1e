// Runs a program of the build with arguments and captures its output and exit code.
#pragma once
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

extern char** environ;

namespace tarvo::xfer::testing {

inline std::string binDir() {
    const char* dir = std::getenv("TARVO_BIN_DIR");
    return dir ? dir : "";
}

struct ProgramRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs `program` in `cwd` with extra environment entries ("NAME=value").
inline ProgramRun runProgram(const std::string& program, const std::vector<std::string>& args,
                             const std::string& cwd, const std::vector<std::string>& env = {}) {
    ProgramRun run;
    int outPipe[2], errPipe[2];
    if (::pipe(outPipe) != 0 || ::pipe(errPipe) != 0) return run;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, outPipe[1], 1);
    posix_spawn_file_actions_adddup2(&actions, errPipe[1], 2);
    posix_spawn_file_actions_addclose(&actions, outPipe[0]);
    posix_spawn_file_actions_addclose(&actions, errPipe[0]);
    std::vector<std::string> all = {program};
    all.insert(all.end(), args.begin(), args.end());
    std::vector<char*> argv;
    for (auto& a : all) argv.push_back(a.data());
    argv.push_back(nullptr);
    // The program runs without a display unless the test names one: a window
    // would wait for a user.
    std::vector<std::string> envStrings(env);
    for (char** e = environ; *e; ++e) {
        std::string entry = *e;
        std::string name = entry.substr(0, entry.find('='));
        bool display = name == "DISPLAY" || name == "WAYLAND_DISPLAY" || name == "QT_QPA_PLATFORM";
        bool given = false;
        for (const auto& g : env) given = given || g.compare(0, name.size() + 1, name + "=") == 0;
        if (!display && !given) envStrings.push_back(entry);
    }
    std::vector<char*> envp;
    for (auto& e : envStrings) envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string oldCwd(4096, '\0');
    if (!::getcwd(oldCwd.data(), oldCwd.size())) oldCwd = "/";
    if (::chdir(cwd.c_str()) != 0) return run;
    pid_t pid = -1;
    int rc = ::posix_spawn(&pid, program.c_str(), &actions, nullptr, argv.data(), envp.data());
    if (::chdir(oldCwd.c_str()) != 0) {}
    posix_spawn_file_actions_destroy(&actions);
    ::close(outPipe[1]);
    ::close(errPipe[1]);
    if (rc != 0) {
        ::close(outPipe[0]);
        ::close(errPipe[0]);
        return run;
    }
    pollfd fds[2] = {{outPipe[0], POLLIN, 0}, {errPipe[0], POLLIN, 0}};
    int open = 2;
    while (open > 0) {
        if (::poll(fds, 2, -1) < 0) break;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            char buf[4096];
            ssize_t n = ::read(fds[i].fd, buf, sizeof buf);
            if (n <= 0) {
                ::close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            } else {
                (i == 0 ? run.out : run.err).append(buf, std::size_t(n));
            }
        }
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

}  // namespace tarvo::xfer::testing
