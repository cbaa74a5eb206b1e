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
    std::u16string promptLanguage = u"Wst12";
    std::u16string otherLanguage = u"Wst12";
    /// Copied from the configuration; not used by the model.
    int unnamedValue = 0;
    int borderSize = 2;
    int frameWidth = 100;
    int frameHeight = 25;
    int nodeWidth = 80;
    int nodeHeight = 38;
    int gridWidth = 10;
    int gridHeight = 10;
    std::u16string fontFace = u"Arial";
    int fontSize = 9;

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
