// Screen geometry by prompt language and model, and the double-byte test.
#include "tarvo/model/app_settings.h"

#include "tarvo/common/vocabulary.h"

namespace tarvo {

namespace {

bool storeWithin(std::u16string& field, std::u16string_view text, std::size_t limit) {
    if (text.size() > limit) return false;
    field = text;
    return true;
}

} // namespace

bool AppSettings::setPromptLanguage(std::u16string_view code) {
    return storeWithin(promptLanguage, code, kMaxLanguageCodeLength);
}

bool AppSettings::setOtherLanguage(std::u16string_view code) {
    return storeWithin(otherLanguage, code, kMaxLanguageCodeLength);
}

bool AppSettings::setFontFace(std::u16string_view face) {
    return storeWithin(fontFace, face, kMaxFontFaceLength);
}

bool isDoubleByteLanguage(std::u16string_view code) { return code == u"Chs" || code == u"Cht"; }

ScreenGeometry screenGeometry(std::u16string_view promptLanguage, std::uint8_t model) {
    const std::uint8_t language = lookupWord(words::languageCodes(), promptLanguage);
    switch (language) {
    case static_cast<std::uint8_t>(Language::Wst12):
        return {model == 1 ? 5 : 4, 12};
    case static_cast<std::uint8_t>(Language::Wst8):
        switch (model) {
        case 0: return {6, 16};
        case 1: return {8, 16};
        case 2: return {4, 16};
        default: return {8, 16}; // 8 rows; the columns stay those of this language
        }
    case static_cast<std::uint8_t>(Language::Chs):
    case static_cast<std::uint8_t>(Language::Cht):
        switch (model) {
        case 0: return {3, 8};
        case 1: return {4, 8};
        default: return {4, 12};
        }
    default:
        return {4, 12};
    }
}

} // namespace tarvo
