// The interface of the language component as the generator sees it.
#pragma once

#include <cstdint>
#include <string>

#include "tarvo/langinfo/vernel_result.h"

namespace tarvo::langinfo {

/// Answers which terminal languages the desktop can show and, per language,
/// its locale code, character set, code page, font and double-byte need.
///
/// Operations taking `text` and `isLocaleCode` first select a language: the
/// text is a language name, or a locale code when isLocaleCode is non-zero;
/// an empty or unknown text selects "English". They then answer for the
/// selected language. Every operation answers VernelResult::PointerError for
/// a null result pointer, before selecting anything.
///
/// Objects are reference counted (they start with one reference) and are
/// used on the thread that created them. Strings are UTF-8.
class ILanguageInfo {
public:
    virtual void addRef() = 0;
    /// Drops one reference; the object frees itself with the last one.
    virtual void release() = 0;

    /// The supported language names joined by "|".
    virtual VernelResult languageList(std::string* list) = 0;
    /// The delimiter of languageList(), "|".
    virtual VernelResult listDelimiter(std::string* delimiter) = 0;
    /// The number of names in languageList().
    virtual VernelResult getLanguageCount(int16_t* count) = 0;

    virtual VernelResult charSet(const std::string& text, int32_t isLocaleCode, int16_t* value) = 0;
    virtual VernelResult codepage(const std::string& text, int32_t isLocaleCode, int16_t* value) = 0;
    virtual VernelResult fontName(const std::string& text, int32_t isLocaleCode,
                                  std::string* value) = 0;
    virtual VernelResult fontSize(const std::string& text, int32_t isLocaleCode, int16_t* value) = 0;
    virtual VernelResult doublebyte(const std::string& text, int32_t isLocaleCode,
                                    int16_t* value) = 0;
    virtual VernelResult isSupported(const std::string& text, int32_t isLocaleCode,
                                     int16_t* value) = 0;
    /// The locale code of a language, always looked up by name.
    virtual VernelResult localeCode(const std::string& name, std::string* value) = 0;
    /// The name of a language, always looked up by locale code.
    virtual VernelResult getName(const std::string& localeCode, std::string* value) = 0;
    /// The table index of the language selected by the text.
    virtual VernelResult getLanguageIdx(const std::string& text, int32_t isLocaleCode,
                                        int16_t* index) = 0;

    virtual VernelResult getAllowDoublebyte(int32_t* value) = 0;
    /// 0 drops the double-byte languages from the list for good; a non-zero
    /// value does not bring them back (a new object does).
    virtual VernelResult putAllowDoublebyte(int32_t value) = 0;

protected:
    ~ILanguageInfo() = default;  // objects die through release(), never through delete
};

}  // namespace tarvo::langinfo
