// LineTokenizer: cuts one script line into tokens by sets of delimiter characters.
#pragma once

#include <string>
#include <string_view>

namespace tarvo::script {

/// The delimiter sets of the script reader.
namespace delims {
inline constexpr std::string_view kWord = " (*/,)|\".;";
inline constexpr std::string_view kWordLineEnds = " (*/,)|\".;\r\n";
inline constexpr std::string_view kName = "(*/,)|\".;";
inline constexpr std::string_view kComment = " */";
inline constexpr std::string_view kSpace = " ";
}  // namespace delims

class LineTokenizer {
public:
    explicit LineTokenizer(std::string_view line) : line_(line) {}

    /// Skips leading delimiters, answers the run of characters up to the next
    /// delimiter and consumes that delimiter. Empty at the end of the line.
    std::string next(std::string_view delimiters);

    /// The text between the next pair of double quotes ("" gives an empty
    /// text); false when the line holds no complete pair.
    bool quoted(std::string& text);

    /// The run up to the next double quote, without consuming it: the
    /// unquoted word before a quoted name ("Display " in `Display "A.B"`).
    std::string upToQuote();

    /// Next word-set token as a decimal number; false when it is not one.
    bool number(long& value);

    /// Skips spaces and answers the next character without consuming it.
    char peek();
    void skip(size_t count) { pos_ = pos_ + count > line_.size() ? line_.size() : pos_ + count; }
    std::string_view rest() const { return line_.substr(pos_); }
    bool atEnd() const { return pos_ >= line_.size(); }

private:
    std::string_view line_;
    size_t pos_ = 0;
};

/// A decimal number with an optional sign and nothing else.
bool parseDecimal(std::string_view text, long& value);

}  // namespace tarvo::script
