// DisplayCharset: the distinct characters of all double-byte display rows, with counters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace tarvo {

inline constexpr std::size_t kMaxDisplayCharacters = 255;
/// Shown when a row would bring the set past kMaxDisplayCharacters.
inline constexpr int kMessageCharsetFull = 330;

class DisplayCharset {
public:
    /// Counts every character of `text` once per occurrence. Answers false
    /// when the set was full: the characters from the first one that did not
    /// fit onwards are not added (the caller shows message 330).
    bool addText(std::u16string_view text);
    /// Lowers the counter of every character of `text`; a counter reaching
    /// zero removes the character.
    void removeText(std::u16string_view text);
    /// Adds one character without a text (the Charset lines of a script);
    /// answers false when the set is full.
    bool addCharacter(char16_t ch, std::uint16_t count = 0);

    bool contains(char16_t ch) const { return counts_.count(ch) != 0; }
    /// 1-based position in ascending character order, or 0 when missing.
    std::size_t positionOf(char16_t ch) const;
    /// The character at a 1-based position, or false.
    bool characterAt(std::size_t position, char16_t& ch) const;
    std::uint16_t countOf(char16_t ch) const;
    std::size_t size() const { return counts_.size(); }
    bool empty() const { return counts_.empty(); }
    /// The characters in ascending order.
    std::vector<char16_t> characters() const;
    void clear() { counts_.clear(); }

    bool operator==(const DisplayCharset&) const = default;

private:
    std::map<char16_t, std::uint16_t> counts_;
};

} // namespace tarvo
