// The language component's object: selection rules and answers over the table.
#include "tarvo/langinfo/language_info.h"

#include <new>

namespace tarvo::langinfo {

namespace {

std::atomic<long> liveObjectCount{0};

// Copies a result string. A failed allocation leaves the result empty, the
// way the component answers a null string, instead of throwing out of it.
void copyResult(std::string_view from, std::string* to) {
    try {
        to->assign(from);
    } catch (const std::bad_alloc&) {
        to->clear();
    }
}

}  // namespace

LanguageInfo* LanguageInfo::create(FontCheck& fontCheck) {
    return new (std::nothrow) LanguageInfo(fontCheck);
}

long LanguageInfo::liveObjects() { return liveObjectCount.load(); }

LanguageInfo::LanguageInfo(FontCheck& fontCheck) {
    const auto& table = languageTable();
    for (std::size_t i = 0; i < kLanguageCount; ++i) {
        const LanguageEntry& entry = table[i];
        if (!entry.doublebyte) {
            supported_[i] = true;
        } else if (entry.fontSize == 0) {
            supported_[i] = false;
        } else {
            supported_[i] = fontCheck.canCreateFont(entry);
        }
    }
    rebuildList();
    ++liveObjectCount;
}

LanguageInfo::~LanguageInfo() { --liveObjectCount; }

void LanguageInfo::addRef() { ++references_; }

void LanguageInfo::release() {
    if (--references_ == 0) delete this;
}

void LanguageInfo::rebuildList() {
    std::string list;
    int16_t count = 0;
    try {
        const auto& table = languageTable();
        for (std::size_t i = 0; i < kLanguageCount; ++i) {
            if (!supported_[i]) continue;
            if (!list.empty()) list += kListDelimiter;
            list += table[i].name;
            ++count;
        }
    } catch (const std::bad_alloc&) {
        list.clear();
        count = 0;
    }
    list_ = std::move(list);
    count_ = count;
}

void LanguageInfo::select(const std::string& text, bool byLocaleCode) {
    auto keyOf = [byLocaleCode](const LanguageEntry& entry) {
        return byLocaleCode ? entry.localeCode : entry.name;
    };
    // Texts are UTF-8, so a byte-wise comparison is exact, case-sensitive and
    // never matches half of a multi-byte character.
    if (text == keyOf(current())) return;
    if (text.empty()) {
        currentIndex_ = kDefaultLanguageIndex;
        return;
    }
    const auto& table = languageTable();
    for (std::size_t i = 0; i < kLanguageCount; ++i) {
        if (text != keyOf(table[i])) continue;
        // A language that cannot be selected leaves the current one in place.
        if (table[i].fontSize != 0) currentIndex_ = i;
        return;
    }
    currentIndex_ = kDefaultLanguageIndex;
}

VernelResult LanguageInfo::languageList(std::string* list) {
    if (list == nullptr) return VernelResult::PointerError;
    copyResult(list_, list);
    return VernelResult::Ok;
}

VernelResult LanguageInfo::listDelimiter(std::string* delimiter) {
    if (delimiter == nullptr) return VernelResult::PointerError;
    copyResult(kListDelimiter, delimiter);
    return VernelResult::Ok;
}

VernelResult LanguageInfo::getLanguageCount(int16_t* count) {
    if (count == nullptr) return VernelResult::PointerError;
    *count = count_;
    return VernelResult::Ok;
}

VernelResult LanguageInfo::charSet(const std::string& text, int32_t isLocaleCode, int16_t* value) {
    if (value == nullptr) return VernelResult::PointerError;
    select(text, isLocaleCode != 0);
    *value = current().charSet;
    return VernelResult::Ok;
}

VernelResult LanguageInfo::codepage(const std::string& text, int32_t isLocaleCode, int16_t* value) {
    if (value == nullptr) return VernelResult::PointerError;
    select(text, isLocaleCode != 0);
    *value = current().codepage;
    return VernelResult::Ok;
}

VernelResult LanguageInfo::fontName(const std::string& text, int32_t isLocaleCode,
                                    std::string* value) {
    if (value == nullptr) return VernelResult::PointerError;
    select(text, isLocaleCode != 0);
    copyResult(current().fontName, value);
    return VernelResult::Ok;
}

VernelResult LanguageInfo::fontSize(const std::string& text, int32_t isLocaleCode, int16_t* value) {
    if (value == nullptr) return VernelResult::PointerError;
    select(text, isLocaleCode != 0);
    *value = current().fontSize;
    return VernelResult::Ok;
}

VernelResult LanguageInfo::doublebyte(const std::string& text, int32_t isLocaleCode,
                                      int16_t* value) {
    if (value == nullptr) return VernelResult::PointerError;
    select(text, isLocaleCode != 0);
    *value = current().doublebyte ? 1 : 0;
    return VernelResult::Ok;
}

VernelResult LanguageInfo::isSupported(const std::string& text, int32_t isLocaleCode,
                                       int16_t* value) {
    if (value == nullptr) return VernelResult::PointerError;
    select(text, isLocaleCode != 0);
    *value = supported_[currentIndex_] ? 1 : 0;
    return VernelResult::Ok;
}

VernelResult LanguageInfo::localeCode(const std::string& name, std::string* value) {
    if (value == nullptr) return VernelResult::PointerError;
    select(name, false);
    copyResult(current().localeCode, value);
    return VernelResult::Ok;
}

VernelResult LanguageInfo::getName(const std::string& localeCode, std::string* value) {
    if (value == nullptr) return VernelResult::PointerError;
    select(localeCode, true);
    copyResult(current().name, value);
    return VernelResult::Ok;
}

VernelResult LanguageInfo::getLanguageIdx(const std::string& text, int32_t isLocaleCode,
                                          int16_t* index) {
    if (index == nullptr) return VernelResult::PointerError;
    select(text, isLocaleCode != 0);
    *index = static_cast<int16_t>(currentIndex_);
    return VernelResult::Ok;
}

VernelResult LanguageInfo::getAllowDoublebyte(int32_t* value) {
    if (value == nullptr) return VernelResult::PointerError;
    *value = allowDoublebyte_;
    return VernelResult::Ok;
}

VernelResult LanguageInfo::putAllowDoublebyte(int32_t value) {
    allowDoublebyte_ = value;
    if (value == 0) {
        const auto& table = languageTable();
        for (std::size_t i = 0; i < kLanguageCount; ++i) {
            if (table[i].doublebyte) supported_[i] = false;
        }
    }
    rebuildList();
    return VernelResult::Ok;
}

}  // namespace tarvo::langinfo
