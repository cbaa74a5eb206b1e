// The language table: names, locale codes, character sets, code pages and fonts.
#include "tarvo/langinfo/language_table.h"

namespace tarvo::langinfo {

const std::array<LanguageEntry, kLanguageCount>& languageTable() {
    // Thai, Korean and Maylay carry font size 0: the terminals cannot show them
    // yet, so they can never be selected nor offered.
    static constexpr std::array<LanguageEntry, kLanguageCount> table{{
        {"English", "usa", 0, 850, "Tahoma", 12, false},
        {"French", "fra", 0, 850, "Tahoma", 12, false},
        {"Spanish", "esp", 0, 850, "Tahoma", 12, false},
        {"German", "deu", 0, 850, "Tahoma", 12, false},
        {"Chinese Simplified", "chs", 134, 936, "SimSun", 12, true},
        {"Chinese Traditional", "cht", 136, 950, "MingliU", 12, true},
        {"Japanese", "jpn", 128, 932, "MS Gothic", 12, true},
        {"Thai", "", 222, 0, "Mingliu", 0, true},
        {"Korean", "kor", 130, 0, "", 0, true},
        {"Maylay", "", 0, 0, "", 0, true},
    }};
    return table;
}

}  // namespace tarvo::langinfo
