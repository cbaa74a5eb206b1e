// Splitting image paths with the slash rule.
#include "image/image_path.h"

#include <unistd.h>

#include <vector>

namespace tarvo::xfer {

std::optional<ImagePath> splitImagePath(std::string_view path, const std::string& cwd) {
    ImagePath out;
    std::size_t slash = path.rfind('/');
    if (slash == std::string_view::npos) {
        out.dir = cwd;
        out.name = std::string(path);
    } else {
        out.dir = std::string(path.substr(0, slash));
        out.name = std::string(path.substr(slash + 1));
    }
    if (out.name.empty()) return std::nullopt;
    if (out.name.find('.') == std::string::npos) out.name += ".hex";
    if (out.dir.size() > kMaxPathPart || out.name.size() > kMaxPathPart) return std::nullopt;
    return out;
}

std::string currentDir() {
    std::vector<char> buf(4096);
    if (getcwd(buf.data(), buf.size()) == nullptr) return ".";
    return buf.data();
}

}  // namespace tarvo::xfer
