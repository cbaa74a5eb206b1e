// Recent file list: most recent first, bounded, without duplicates.
#include "tarvo/shell/recent_file_list.h"

#include <algorithm>

namespace tarvo::shell {

void RecentFileList::setMaximum(long count) {
    maximum_ = static_cast<int>(std::clamp<long>(count, kMinRecentFiles, kMaxRecentFiles));
    if (entries_.size() > static_cast<size_t>(maximum_)) entries_.resize(maximum_);
}

// Paths compare exactly: Linux file names are case-sensitive, so two names
// differing only in case are two different applications.
void RecentFileList::remove(const std::string& path) {
    entries_.erase(std::remove(entries_.begin(), entries_.end(), path), entries_.end());
}

void RecentFileList::add(const std::string& path) {
    if (path.empty()) return;
    remove(path);
    entries_.insert(entries_.begin(), path);
    if (entries_.size() > static_cast<size_t>(maximum_)) entries_.resize(maximum_);
}

void RecentFileList::appendOldest(const std::string& path) {
    if (path.empty() || entries_.size() >= static_cast<size_t>(maximum_)) return;
    if (std::find(entries_.begin(), entries_.end(), path) != entries_.end()) return;
    entries_.push_back(path);
}

std::string RecentFileList::menuLabel(size_t index) const {
    if (index >= entries_.size()) return {};
    return "&" + std::to_string(index + 1) + " " + entries_[index];
}

}  // namespace tarvo::shell
