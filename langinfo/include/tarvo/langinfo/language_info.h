// The language component's object: selection rules and answers over the table.
#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <string>

#include "tarvo/langinfo/font_check.h"
#include "tarvo/langinfo/i_language_info.h"
#include "tarvo/langinfo/language_table.h"

namespace tarvo::langinfo {

/// Implements ILanguageInfo over the language table. The supported flags
/// are computed once, at creation, with the given font check, and kept per
/// object, so objects on different threads never share mutable state.
class LanguageInfo final : public ILanguageInfo {
public:
    /// Creates an object with one reference. The font check is asked once
    /// per selectable double-byte language, here, and not kept.
    static LanguageInfo* create(FontCheck& fontCheck);

    /// Number of LanguageInfo objects alive in this process.
    static long liveObjects();

    void addRef() override;
    void release() override;

    VernelResult languageList(std::string* list) override;
    VernelResult listDelimiter(std::string* delimiter) override;
    VernelResult getLanguageCount(int16_t* count) override;
    VernelResult charSet(const std::string& text, int32_t isLocaleCode, int16_t* value) override;
    VernelResult codepage(const std::string& text, int32_t isLocaleCode, int16_t* value) override;
    VernelResult fontName(const std::string& text, int32_t isLocaleCode,
                          std::string* value) override;
    VernelResult fontSize(const std::string& text, int32_t isLocaleCode, int16_t* value) override;
    VernelResult doublebyte(const std::string& text, int32_t isLocaleCode,
                            int16_t* value) override;
    VernelResult isSupported(const std::string& text, int32_t isLocaleCode,
                             int16_t* value) override;
    VernelResult localeCode(const std::string& name, std::string* value) override;
    VernelResult getName(const std::string& localeCode, std::string* value) override;
    VernelResult getLanguageIdx(const std::string& text, int32_t isLocaleCode,
                                int16_t* index) override;
    VernelResult getAllowDoublebyte(int32_t* value) override;
    VernelResult putAllowDoublebyte(int32_t value) override;

private:
    explicit LanguageInfo(FontCheck& fontCheck);
    ~LanguageInfo();

    /// Makes the language named by `text` the current one (see ILanguageInfo).
    void select(const std::string& text, bool byLocaleCode);
    /// Rebuilds the list and its count from the supported flags.
    void rebuildList();
    const LanguageEntry& current() const { return languageTable()[currentIndex_]; }

    std::atomic<long> references_{1};
    std::array<bool, kLanguageCount> supported_{};
    std::size_t currentIndex_ = kDefaultLanguageIndex;
    std::string list_;
    int16_t count_ = 0;
    int32_t allowDoublebyte_ = 1;
};

}  // namespace tarvo::langinfo
