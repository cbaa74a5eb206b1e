// Font block: code-page conversion with iconv and glyph lookup in the .bmf files.
#include "font_embedder.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iconv.h>
#include <vector>

namespace tarvo::compiler {
namespace {

// Converts one UTF-16 code value to its bytes in the code page (one or two).
std::optional<std::vector<uint8_t>> toCodePage(uint16_t codeValue, int codePage) {
    iconv_t cd = iconv_open(codePage == 936 ? "CP936" : "CP950", "UTF-16LE");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    char in[2] = {static_cast<char>(codeValue & 0xFF), static_cast<char>(codeValue >> 8)};
    char out[4];
    char* inPtr = in;
    char* outPtr = out;
    size_t inLeft = 2, outLeft = sizeof out;
    size_t done = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
    iconv_close(cd);
    size_t produced = sizeof out - outLeft;
    if (done == static_cast<size_t>(-1) || inLeft != 0 || produced == 0 || produced > 2) return std::nullopt;
    return std::vector<uint8_t>(reinterpret_cast<uint8_t*>(out), reinterpret_cast<uint8_t*>(out) + produced);
}

}  // namespace

std::optional<long> glyphIndexOf(uint16_t codeValue, int codePage) {
    auto bytes = toCodePage(codeValue, codePage);
    if (!bytes) return std::nullopt;
    if (bytes->size() == 1) {
        int c = (*bytes)[0];
        if (c >= 0x20 && c <= 0x80) return c - 0x20;
        return std::nullopt;
    }
    int lead = (*bytes)[0], trail = (*bytes)[1];
    if (codePage == 936) {
        if (lead < 0x81 || lead > 0xFE) return std::nullopt;
        if (trail >= 0x40 && trail <= 0x7E) return 95 + 190L * (lead - 0x81) + (trail - 0x40);
        if (trail >= 0x80 && trail <= 0xFE) return 95 + 190L * (lead - 0x81) + (trail - 0x41);
        return std::nullopt;
    }
    if (lead < 0xA1 || lead > 0xF9 || lead == 0xC7 || lead == 0xC8) return std::nullopt;
    if (trail >= 0x40 && trail <= 0x7E) return 95 + 157L * (lead - 0xA1) + (trail - 0x40);
    if (trail >= 0xA1 && trail <= 0xFE) return 95 + 157L * (lead - 0xA1) + (trail - 0x62);
    return std::nullopt;
}

bool embedFonts(const CompileSettings& settings, const std::string& fontDirectory, RecordWriter& writer,
                CompileMessages& messages) {
    int language = settings.languageIndex;
    if (language == 0 || language == 1) return true;
    if (language != 2 && language != 3) {
        messages.log("Language not supported");
        return true;
    }
    const int codePage = language == 2 ? 936 : 950;
    const std::vector<uint8_t> marker = {'Q', 'O', 'R', '_', 'F', 'O', 'N', 'T', 0, 0};
    writer.writeBlock(marker);

    std::string path = (fontDirectory.empty() ? std::string(".") : fontDirectory) + "/" +
                       (codePage == 936 ? "cp936all.bmf" : "cp950all.bmf");
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        messages.log("Error locating bitmap file");
        return false;
    }
    for (int i = 0; i < settings.characterCount; ++i) {
        std::string entry = settings.characterSet.substr(5 * static_cast<size_t>(i), 4);
        char* end = nullptr;
        unsigned long code = std::strtoul(entry.c_str(), &end, 16);
        std::optional<long> index;
        if (entry.size() == 4 && end == entry.c_str() + 4 && code <= 0xFFFF)
            index = glyphIndexOf(static_cast<uint16_t>(code), codePage);
        std::vector<uint8_t> glyph(kGlyphBytes);
        bool found = false;
        if (index) {
            file.clear();
            file.seekg(static_cast<std::streamoff>(*index) * kGlyphBytes);
            file.read(reinterpret_cast<char*>(glyph.data()), kGlyphBytes);
            found = file.gcount() == kGlyphBytes;
        }
        if (!found) {
            messages.log("Error finding character");
            return false;
        }
        writer.writeBlock(glyph);
    }
    return true;
}

}  // namespace tarvo::compiler
