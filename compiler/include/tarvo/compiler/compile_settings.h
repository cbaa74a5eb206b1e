// Header settings of one compile, recorded by the parser and read by later phases.
#pragma once

#include <string>

namespace tarvo::compiler {

inline constexpr int kLanguageNone = 5;
inline constexpr int kMaxCharsetCharacters = 255;

struct CompileSettings {
    std::string modelText = "VK7100";
    int languageIndex = kLanguageNone;  // 0 Wst8, 1 Wst12, 2 Chs, 3 Cht, 4 Jpn, 5 none/other
    int fontSizeIndex = 2;              // 0 size 8, 1 size 12, 2 otherwise
    std::string characterSet;           // code lists of the Charset lines, each followed by a blank
    int characterCount = 0;
};

int languageIndexOf(const std::string& languageText);
int fontSizeIndexOf(int size);

}  // namespace tarvo::compiler
