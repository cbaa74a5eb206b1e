// RecentFileList: the most recently opened or saved application files, newest first.
#pragma once

#include <string>
#include <vector>

namespace tarvo::shell {

/// Bounds of the list's maximum length as stored in "DocumentCount".
inline constexpr int kMinRecentFiles = 2;
inline constexpr int kMaxRecentFiles = 16;
/// The maximum length used until a stored count says otherwise.
inline constexpr int kDefaultRecentFiles = 4;

class RecentFileList {
public:
    RecentFileList() = default;

    /// The largest number of entries kept.
    int maximum() const { return maximum_; }
    /// Sets the maximum, clamped to kMinRecentFiles..kMaxRecentFiles; entries
    /// beyond it (the oldest) are dropped.
    void setMaximum(long count);

    /// Puts `path` first. An entry with the same path is removed first; when
    /// the list is full the oldest entry is dropped. Empty paths are ignored.
    void add(const std::string& path);
    /// Adds `path` as the oldest entry, as loading does (ignored when full,
    /// empty or already listed).
    void appendOldest(const std::string& path);
    void remove(const std::string& path);
    void clear() { entries_.clear(); }

    /// Newest first.
    const std::vector<std::string>& entries() const { return entries_; }

    /// The File menu's label of entry `index` (0-based): "&1 /path/app.scr".
    std::string menuLabel(size_t index) const;

private:
    int maximum_ = kDefaultRecentFiles;
    std::vector<std::string> entries_;
};

}  // namespace tarvo::shell
