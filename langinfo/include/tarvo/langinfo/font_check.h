// The question whether the desktop can show a double-byte language.
#pragma once

#include "tarvo/langinfo/language_table.h"

namespace tarvo::langinfo {

/// Decides whether a font for a language's character set can be had on this
/// desktop. Injected into LanguageInfo so its rules can be tested without
/// depending on the machine's fonts.
class FontCheck {
public:
    virtual ~FontCheck() = default;
    /// True when a font for the entry's character set exists.
    virtual bool canCreateFont(const LanguageEntry& entry) = 0;
};

}  // namespace tarvo::langinfo
