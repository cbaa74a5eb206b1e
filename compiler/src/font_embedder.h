// Appends the glyphs of a Chinese application's character set after the end of code.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "record_writer.h"
#include "tarvo/compiler/compile_settings.h"

namespace tarvo::compiler {

inline constexpr int kGlyphBytes = 24;

// Glyph index of a UTF-16 code value in the glyph file of code page 936 or 950.
std::optional<long> glyphIndexOf(uint16_t codeValue, int codePage);

// Writes the marker and one record per character; false (after logging) on failure.
bool embedFonts(const CompileSettings& settings, const std::string& fontDirectory, RecordWriter& writer,
                CompileMessages& messages);

}  // namespace tarvo::compiler
