// HeadlessHost: the program around a transfer when there is no window: log
// lines and warnings go to standard output and standard error.
#pragma once
#include <cstdio>

#include "driver/log_list.h"
#include "protocol/session_host.h"

namespace tarvo::xfer {

class HeadlessHost : public SessionHost {
public:
    HeadlessHost(LogList& log, std::FILE* out = stdout, std::FILE* err = stderr);
    void log(const std::string& line) override { log_.add(line); }
    /// Without a window nobody can answer: the first slot, as the dialog proposes.
    int chooseLoadSlot(const std::array<std::string, 4>&) override { return 0; }
    /// Without a window the operating system is sent only when asked for.
    int chooseDownloadOptions() override { return 2; }
    void warning(const std::string& text) override;
    void setTitle(const std::string&) override {}
    void progress(int percent) override;

private:
    LogList& log_;
    std::FILE* out_;
    std::FILE* err_;
    int lastShown_ = -1;
};

}  // namespace tarvo::xfer
