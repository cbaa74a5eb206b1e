// Standard-output front end of a transfer.
#include "driver/headless_host.h"

namespace tarvo::xfer {

namespace {
constexpr int kProgressStep = 10;  // percent between progress lines
}

HeadlessHost::HeadlessHost(LogList& log, std::FILE* out, std::FILE* err)
    : log_(log), out_(out), err_(err) {
    log_.onLine = [this](const std::string& line) {
        std::fprintf(out_, "%s\n", line.c_str());
        std::fflush(out_);
    };
}

void HeadlessHost::warning(const std::string& text) {
    std::fprintf(err_, "TarvoXfer Error: %s\n", text.c_str());
}

void HeadlessHost::progress(int percent) {
    if (percent < 0) {
        lastShown_ = -1;
        return;
    }
    if (lastShown_ >= 0 && percent / kProgressStep == lastShown_ / kProgressStep) return;
    lastShown_ = percent;
    std::fprintf(out_, "%d%%\n", percent);
    std::fflush(out_);
}

}  // namespace tarvo::xfer
