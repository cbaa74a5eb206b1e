// LogList: the transfer's log of at most 100 lines, with the trace file at the
// highest trace level.
#pragma once
#include <cstdio>
#include <deque>
#include <functional>
#include <string>

namespace tarvo::xfer {

inline constexpr std::size_t kLogLines = 100;
inline constexpr const char* kTraceFileName = "TarvoXfer_logFile.txt";

class LogList {
public:
    explicit LogList(std::string traceFilePath = {});
    ~LogList();
    LogList(const LogList&) = delete;
    LogList& operator=(const LogList&) = delete;

    void setTraceLevel(int level) { traceLevel_ = level; }
    /// Adds a line (the 101st drops the first); at trace level 2 also writes it
    /// to the trace file, opened (emptied) on first use; "NO LOG" is added when
    /// the file cannot be opened.
    void add(const std::string& line);
    const std::deque<std::string>& lines() const { return lines_; }
    /// Called for every line added to the list (the window or standard output).
    std::function<void(const std::string&)> onLine;

private:
    void append(const std::string& line);
    std::deque<std::string> lines_;
    std::string tracePath_;
    std::FILE* trace_ = nullptr;
    int traceLevel_ = 0;
};

}  // namespace tarvo::xfer
