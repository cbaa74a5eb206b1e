// The log list and its trace file.
#include "driver/log_list.h"

#include "tarvo/common/paths.h"

namespace tarvo::xfer {

LogList::LogList(std::string traceFilePath)
    : tracePath_(traceFilePath.empty() ? joinPath(tempDir(), kTraceFileName) : std::move(traceFilePath)) {}

LogList::~LogList() {
    if (trace_) std::fclose(trace_);
}

void LogList::append(const std::string& line) {
    if (lines_.size() >= kLogLines) lines_.pop_front();
    lines_.push_back(line);
    if (onLine) onLine(line);
}

void LogList::add(const std::string& line) {
    if (traceLevel_ >= 2) {
        if (!trace_) trace_ = std::fopen(tracePath_.c_str(), "w");
        if (trace_) {
            std::fprintf(trace_, "%s\n", line.c_str());
            std::fflush(trace_);
        } else {
            append("NO LOG");
        }
    }
    append(line);
}

}  // namespace tarvo::xfer
