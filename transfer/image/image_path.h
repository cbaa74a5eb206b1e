// ImagePath: an image file split into its folder and its file name.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tarvo::xfer {

/// Longest folder and longest file name an image path may have.
inline constexpr std::size_t kMaxPathPart = 259;

struct ImagePath {
    std::string dir;   // without trailing slash; empty for a file at the root
    std::string name;  // file name alone, ".hex" added when it had no "."

    /// Folder and name joined with one slash.
    std::string full() const { return dir + "/" + name; }
    bool empty() const { return dir.empty() && name.empty(); }
};

/// Splits `path` at its last slash. Without a slash the folder is `cwd`. An
/// empty name, or a folder or name longer than kMaxPathPart, is refused.
std::optional<ImagePath> splitImagePath(std::string_view path, const std::string& cwd);

/// The current working folder, or "." when it cannot be read.
std::string currentDir();

}  // namespace tarvo::xfer
