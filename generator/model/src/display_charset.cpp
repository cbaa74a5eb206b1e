// DisplayCharset: counting the characters of double-byte display rows.
#include "tarvo/model/display_charset.h"

#include <limits>

namespace tarvo {

bool DisplayCharset::addText(std::u16string_view text) {
    for (char16_t ch : text) {
        auto it = counts_.find(ch);
        if (it != counts_.end()) {
            if (it->second < std::numeric_limits<std::uint16_t>::max()) ++it->second;
            continue;
        }
        if (counts_.size() >= kMaxDisplayCharacters) return false;
        counts_.emplace(ch, 1);
    }
    return true;
}

void DisplayCharset::removeText(std::u16string_view text) {
    for (char16_t ch : text) {
        auto it = counts_.find(ch);
        if (it == counts_.end()) continue;
        if (it->second <= 1)
            counts_.erase(it);
        else
            --it->second;
    }
}

bool DisplayCharset::addCharacter(char16_t ch, std::uint16_t count) {
    if (counts_.count(ch) != 0) return true;
    if (counts_.size() >= kMaxDisplayCharacters) return false;
    counts_.emplace(ch, count);
    return true;
}

std::size_t DisplayCharset::positionOf(char16_t ch) const {
    auto it = counts_.find(ch);
    if (it == counts_.end()) return 0;
    return static_cast<std::size_t>(std::distance(counts_.begin(), it)) + 1;
}

bool DisplayCharset::characterAt(std::size_t position, char16_t& ch) const {
    if (position == 0 || position > counts_.size()) return false;
    auto it = counts_.begin();
    std::advance(it, static_cast<std::ptrdiff_t>(position - 1));
    ch = it->first;
    return true;
}

std::uint16_t DisplayCharset::countOf(char16_t ch) const {
    auto it = counts_.find(ch);
    return it == counts_.end() ? 0 : it->second;
}

std::vector<char16_t> DisplayCharset::characters() const {
    std::vector<char16_t> out;
    out.reserve(counts_.size());
    for (const auto& entry : counts_) out.push_back(entry.first);
    return out;
}

} // namespace tarvo
