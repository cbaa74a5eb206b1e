// What a text editor needs to know about an application's prompt language.
#pragma once

#include <cstdint>
#include <string>

namespace tarvo::langinfo {

/// The font and character set the component answers for a language code.
struct PromptLanguageInfo {
    std::string fontName;
    int16_t charSet = 0;
    int16_t doublebyte = 0;
    int16_t codepage = 0;
};

}  // namespace tarvo::langinfo
