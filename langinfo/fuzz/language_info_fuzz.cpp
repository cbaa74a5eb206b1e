// Feeds arbitrary texts and calls to a LanguageInfo object; every answer
// must come from the table and nothing may crash.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tarvo/langinfo/language_info.h"

namespace {

struct AlternatingFontCheck : tarvo::langinfo::FontCheck {
    bool canCreateFont(const tarvo::langinfo::LanguageEntry& entry) override {
        return entry.charSet % 2 == 0;
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tarvo::langinfo;
    AlternatingFontCheck fonts;
    LanguageInfo* info = LanguageInfo::create(fonts);
    if (info == nullptr) return 0;
    // Each call: one byte chooses the operation, one its flag, one the text
    // length, then that many bytes of text.
    size_t at = 0;
    while (at + 3 <= size) {
        const uint8_t operation = data[at] % 8;
        const int32_t isLocaleCode = data[at + 1] & 1;
        size_t length = data[at + 2];
        at += 3;
        if (length > size - at) length = size - at;
        const std::string text(reinterpret_cast<const char*>(data + at), length);
        at += length;

        int16_t value = 0;
        std::string answer;
        switch (operation) {
            case 0: info->charSet(text, isLocaleCode, &value); break;
            case 1: info->fontName(text, isLocaleCode, &answer); break;
            case 2: info->localeCode(text, &answer); break;
            case 3: info->getName(text, &answer); break;
            case 4: info->isSupported(text, isLocaleCode, &value); break;
            case 5: info->putAllowDoublebyte(isLocaleCode); break;
            case 6: info->languageList(&answer); break;
            default: info->getLanguageIdx(text, isLocaleCode, &value); break;
        }
        int16_t index = -1;
        info->getLanguageIdx("Thai", 0, &index);
        if (index < 0 || static_cast<size_t>(index) >= kLanguageCount ||
            languageTable()[static_cast<size_t>(index)].fontSize == 0) {
            std::abort();  // the current language must always be a selectable entry
        }
    }
    info->release();
    return 0;
}
