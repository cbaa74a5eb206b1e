// The desktop's font check through fontconfig.
#include "tarvo/langinfo/fontconfig_font_check.h"

#include <fontconfig/fontconfig.h>

#include <string>

namespace tarvo::langinfo {

std::string_view FontconfigFontCheck::languageTagOf(int charSet) {
    switch (charSet) {
        case 128: return "ja";     // Shift-JIS
        case 129: return "ko";     // Hangul (Wansung)
        case 130: return "ko";     // Johab
        case 134: return "zh-cn";  // GB2312
        case 136: return "zh-tw";  // Big5
        case 222: return "th";     // Thai
        default: return {};
    }
}

bool FontconfigFontCheck::canCreateFont(const LanguageEntry& entry) {
    std::string_view tag = languageTagOf(entry.charSet);
    if (tag.empty()) return true;

    // A private configuration, destroyed again, leaves nothing behind in the
    // process between checks (and keeps leak checkers quiet).
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (config == nullptr) return false;

    bool found = false;
    FcPattern* pattern = FcPatternCreate();
    FcLangSet* langs = FcLangSetCreate();
    FcObjectSet* objects = FcObjectSetBuild(FC_FAMILY, nullptr);
    const std::string tagText(tag);
    if (pattern != nullptr && langs != nullptr && objects != nullptr &&
        FcLangSetAdd(langs, reinterpret_cast<const FcChar8*>(tagText.c_str())) &&
        FcPatternAddLangSet(pattern, FC_LANG, langs)) {
        FcFontSet* fonts = FcFontList(config, pattern, objects);
        if (fonts != nullptr) {
            found = fonts->nfont > 0;
            FcFontSetDestroy(fonts);
        }
    }
    if (objects != nullptr) FcObjectSetDestroy(objects);
    if (langs != nullptr) FcLangSetDestroy(langs);
    if (pattern != nullptr) FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    return found;
}

}  // namespace tarvo::langinfo
