// Safe file replacement: write to a temporary file in the target's folder,
// flush it to disk, then rename it over the target. A failed write (full disk,
// no permission) leaves the previous file untouched.
#pragma once

#include <string>
#include <string_view>

namespace tarvo {

struct FileResult {
    bool ok = false;
    std::string error;  // the system's reason when !ok
};

/// Replaces `path` with `data`, or leaves it as it was and reports why not.
FileResult writeFileSafely(const std::string& path, std::string_view data);

/// Reads a whole file. Fails with the system's reason.
FileResult readWholeFile(const std::string& path, std::string& data);

}  // namespace tarvo
