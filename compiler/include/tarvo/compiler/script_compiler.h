// Compiles one script text into the record file, the listing and the image, all in memory.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "tarvo/compiler/compile_messages.h"
#include "tarvo/compiler/compile_settings.h"

namespace tarvo::compiler {

inline constexpr uint64_t kMaxImageBytes = 65535;

struct CompileOptions {
    bool listing = false;        // also produce the listing
    std::string fontDirectory;   // folder holding the glyph files
};

struct CompileResult {
    bool accepted = false;       // the parser accepted the script
    bool hexGenerated = false;   // code generation, fonts and conversion succeeded
    uint64_t imageBytes = 0;     // data bytes of the image
    int nodeCount = 0;
    CompileSettings settings;
    std::string recordText;      // .loc
    std::string listingText;     // .lst (listing option only)
    std::string imageText;       // .hex
};

// Script lines as the desktop's text mode reads them: each CR LF becomes a newline.
std::string normalizeLineEnds(std::string_view raw);

// Scans, parses and, once the script is accepted, generates the outputs.
CompileResult compileScript(std::string_view script, const CompileOptions& options, CompileMessages& messages);

}  // namespace tarvo::compiler
