// AppSettings: the per-application settings (model, languages, figure sizes, font).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace tarvo {

/// Longest language code ("Wst12") and canvas font face.
inline constexpr std::size_t kMaxLanguageCodeLength = 5;
inline constexpr std::size_t kMaxFontFaceLength = 49;

/// Indexes of the language-code table.
enum class Language : std::uint8_t { Wst12 = 0, Wst8 = 1, Chs = 2, Cht = 3 };

struct AppSettings {
    /// Set while a script without the Portable, Language and SystemFontSize
    /// lines is loaded; cleared by those lines and by every save.
    int previousVersion = 0;
    /// Index into the model table; 255 for a model the table lacks.
    std::uint8_t model = 0;
    // The defaults are those of a configuration file that lacks the keys.
    std::u16string promptLanguage = u"Wst8";
    std::u16string otherLanguage = u"Wst8";
    /// Copied from the configuration; not used by the model.
    int unnamedValue = 0;
    int borderSize = 2;
    int frameWidth = 100;
    int frameHeight = 25;
    int nodeWidth = 80;
    int nodeHeight = 38;
    int gridWidth = 10;
    int gridHeight = 10;
    std::u16string fontFace = u"Microsoft Sans Serif";
    int fontSize = 9;

    /// Checked stores for the texts read from scripts and configuration: a
    /// text over its limit is refused and the old value kept.
    bool setPromptLanguage(std::u16string_view code);
    bool setOtherLanguage(std::u16string_view code);
    bool setFontFace(std::u16string_view face);

    bool operator==(const AppSettings&) const = default;
};

/// True for the double-byte prompt languages "Chs" and "Cht".
bool isDoubleByteLanguage(std::u16string_view code);

/// Rows and columns of the terminal screen for a prompt language and model.
struct ScreenGeometry {
    int rows = 4;
    int columns = 12;
};
ScreenGeometry screenGeometry(std::u16string_view promptLanguage, std::uint8_t model);

} // namespace tarvo
