// The desktop's font check through fontconfig.
#pragma once

#include <string_view>

#include "tarvo/langinfo/font_check.h"

namespace tarvo::langinfo {

/// Asks fontconfig for any installed font that covers the language of the
/// entry's character set (GB2312 -> "zh-cn", Big5 -> "zh-tw", Shift-JIS ->
/// "ja", Johab -> "ko", Thai -> "th"). The Windows face names of the table
/// rarely exist on Linux; what matters is that the glyphs can be shown, and
/// fontconfig substitutes any font that covers the language.
class FontconfigFontCheck : public FontCheck {
public:
    bool canCreateFont(const LanguageEntry& entry) override;

    /// The fontconfig language tag for a character-set code; empty for the
    /// single-byte sets, which every font covers.
    static std::string_view languageTagOf(int charSet);
};

}  // namespace tarvo::langinfo
