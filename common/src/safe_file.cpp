// Safe file replacement through a temporary file and rename.
#include "tarvo/common/safe_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

namespace tarvo {

namespace {

std::string folderOf(const std::string& path) {
    size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

FileResult failure(const std::string& what) {
    return FileResult{false, what + ": " + std::strerror(errno)};
}

}  // namespace

FileResult writeFileSafely(const std::string& path, std::string_view data) {
    std::string tmpl = folderOf(path) + "/.tarvo-XXXXXX";
    std::vector<char> name(tmpl.begin(), tmpl.end());
    name.push_back('\0');
    int fd = ::mkstemp(name.data());
    if (fd < 0) return failure(path);

    // Keep the permissions of the file we replace; a new file gets 0666 & ~umask.
    struct stat st {};
    mode_t mode;
    if (::stat(path.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(fd, mode);

    const char* p = data.data();
    size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            FileResult r = failure(path);
            ::close(fd);
            ::unlink(name.data());
            return r;
        }
        p += n;
        left -= static_cast<size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        FileResult r = failure(path);
        ::unlink(name.data());
        return r;
    }
    if (::rename(name.data(), path.c_str()) != 0) {
        FileResult r = failure(path);
        ::unlink(name.data());
        return r;
    }
    return FileResult{true, {}};
}

FileResult readWholeFile(const std::string& path, std::string& data) {
    data.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return failure(path);
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            FileResult r = failure(path);
            ::close(fd);
            return r;
        }
        if (n == 0) break;
        data.append(buf, static_cast<size_t>(n));
    }
    ::close(fd);
    return FileResult{true, {}};
}

}  // namespace tarvo
