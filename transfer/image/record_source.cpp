// Line reading over an image part in memory.
#include "image/record_source.h"

#include <algorithm>

namespace tarvo::xfer {

void RecordSource::open(std::string image, std::size_t offset, std::size_t length) {
    image_ = std::move(image);
    pos_ = std::min(offset, image_.size());
    end_ = pos_ + std::min(length, image_.size() - pos_);
    linesTaken_ = 0;
    open_ = true;
}

void RecordSource::close() {
    open_ = false;
    image_.clear();
    pos_ = end_ = 0;
}

std::optional<std::string> RecordSource::nextLine() {
    if (!open_ || pos_ >= end_) return std::nullopt;
    std::string_view rest(image_.data() + pos_, end_ - pos_);
    std::size_t lf = rest.find('\n');
    std::size_t zero = rest.find('\0');
    // A zero byte before any line feed ends the part, and so does a missing line feed.
    if (lf == std::string_view::npos || (zero != std::string_view::npos && zero < lf)) {
        pos_ = end_;
        return std::nullopt;
    }
    std::string line(rest.substr(0, lf));
    pos_ += lf + 1;
    ++linesTaken_;
    return line;
}

}  // namespace tarvo::xfer
