// Tokens of one script line.
#include "tarvo/script/line_tokenizer.h"

#include <charconv>

namespace tarvo::script {

std::string LineTokenizer::next(std::string_view delimiters) {
    while (pos_ < line_.size() && delimiters.find(line_[pos_]) != std::string_view::npos) ++pos_;
    size_t start = pos_;
    while (pos_ < line_.size() && delimiters.find(line_[pos_]) == std::string_view::npos) ++pos_;
    std::string token(line_.substr(start, pos_ - start));
    if (pos_ < line_.size()) ++pos_;  // the delimiter that ended the token
    return token;
}

bool LineTokenizer::quoted(std::string& text) {
    size_t open = line_.find('"', pos_);
    if (open == std::string_view::npos) return false;
    size_t close = line_.find('"', open + 1);
    if (close == std::string_view::npos) return false;
    text.assign(line_.substr(open + 1, close - open - 1));
    pos_ = close + 1;
    return true;
}

std::string LineTokenizer::upToQuote() {
    size_t quote = line_.find('"', pos_);
    if (quote == std::string_view::npos) quote = line_.size();
    std::string run(line_.substr(pos_, quote - pos_));
    pos_ = quote;
    return run;
}

bool LineTokenizer::number(long& value) { return parseDecimal(next(delims::kWord), value); }

char LineTokenizer::peek() {
    while (pos_ < line_.size() && line_[pos_] == ' ') ++pos_;
    return pos_ < line_.size() ? line_[pos_] : '\0';
}

bool parseDecimal(std::string_view text, long& value) {
    if (text.empty()) return false;
    size_t start = text[0] == '+' ? 1 : 0;
    auto [end, ec] = std::from_chars(text.data() + start, text.data() + text.size(), value);
    return ec == std::errc() && end == text.data() + text.size();
}

}  // namespace tarvo::script
