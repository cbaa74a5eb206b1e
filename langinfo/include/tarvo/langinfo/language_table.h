// The fixed table of terminal languages the component answers for.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace tarvo::langinfo {

/// One language of the table. The supported flag is not part of the table:
/// it depends on the desktop's fonts and belongs to each LanguageInfo object.
struct LanguageEntry {
    std::string_view name;        ///< shown to the designer, e.g. "English"
    std::string_view localeCode;  ///< e.g. "usa"; empty for languages without one
    int16_t charSet;              ///< font character-set code (0 ANSI, 128 Shift-JIS, 134 GB2312, ...)
    int16_t codepage;             ///< code page of the terminal texts, 0 when unknown
    std::string_view fontName;    ///< editing font; empty when none
    int16_t fontSize;             ///< 0 marks a language that cannot be selected
    bool doublebyte;              ///< needs double-byte characters
};

/// Number of entries in the table.
inline constexpr std::size_t kLanguageCount = 10;

/// The entry selected by an empty or unknown text, and initially.
inline constexpr std::size_t kDefaultLanguageIndex = 0;

/// Joins the names of the language list.
inline constexpr std::string_view kListDelimiter = "|";

/// The table in its fixed order; indexes into it are the language indexes.
const std::array<LanguageEntry, kLanguageCount>& languageTable();

}  // namespace tarvo::langinfo
