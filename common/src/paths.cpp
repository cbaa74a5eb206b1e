// Program, data and settings locations.
#include "tarvo/common/paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace tarvo {

namespace {

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// mkdir -p: creates every missing folder of `dir`.
void makeDirs(const std::string& dir) {
    for (size_t i = 1; i <= dir.size(); ++i) {
        if (i == dir.size() || dir[i] == '/') {
            std::string part = dir.substr(0, i);
            if (!exists(part)) ::mkdir(part.c_str(), 0755);
        }
    }
}

}  // namespace

std::string joinPath(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    if (dir.back() == '/') return dir + name;
    return dir + "/" + name;
}

std::string programDir() {
    char buf[PATH_MAX];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) return ".";
    std::string path(buf, static_cast<size_t>(n));
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string userConfigDir() {
    std::string base;
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/') {
        base = xdg;
    } else {
        const char* home = std::getenv("HOME");
        base = joinPath(home && home[0] ? home : "/tmp", ".config");
    }
    std::string dir = joinPath(base, "tarvo");
    makeDirs(dir);
    return dir;
}

bool isWritableDir(const std::string& dir) {
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
    return ::access(dir.c_str(), W_OK | X_OK) == 0;
}

std::string settingsDir() {
    std::string prog = programDir();
    return isWritableDir(prog) ? prog : userConfigDir();
}

std::string findDataFile(const std::string& name) {
    std::string prog = programDir();
    std::string beside = joinPath(prog, name);
    if (exists(beside)) return beside;
    std::string shared = joinPath(prog, "../share/tarvo/" + name);
    if (exists(shared)) return shared;
    return beside;
}

std::string tempDir() {
    const char* t = std::getenv("TMPDIR");
    if (t && t[0] == '/') return t;
    return "/tmp";
}

}  // namespace tarvo
