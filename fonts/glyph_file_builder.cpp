// Build-time tool: renders the glyph file of code page 936 or 950 from a CJK font.
//
// File layout: glyphs of 24 bytes, no header. Glyph 0-94 are the characters 0x20-0x7E;
// the double-byte characters follow in code-page order (lead byte, then trail byte).
// Each glyph is 12 rows of 16 bits, top row first, two bytes per row (high byte first),
// the most significant bit the leftmost pixel; the baseline is below row 9.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iconv.h>
#include <string>
#include <vector>

namespace {

constexpr int kGlyphBytes = 24;
constexpr int kGlyphRows = 12;
constexpr int kGlyphColumns = 16;
constexpr int kPixelSize = 12;
constexpr int kBaselineRow = 10;  // rows above the baseline

struct CodePage {
    int number;
    int leadFirst, leadLast, trailsPerLead;
};

// Code-page bytes of glyph index `index` (one or two bytes).
std::string bytesOfIndex(const CodePage& page, long index) {
    if (index < 95) return std::string(1, static_cast<char>(0x20 + index));
    long k = index - 95;
    int lead = page.leadFirst + static_cast<int>(k / page.trailsPerLead);
    int t = static_cast<int>(k % page.trailsPerLead);
    int trail = t < 63 ? 0x40 + t : (page.number == 936 ? t + 0x41 : t + 0x62);
    return std::string{static_cast<char>(lead), static_cast<char>(trail)};
}

// Unicode code point of the code-page bytes, 0 when they map to none.
uint32_t codePointOf(iconv_t cd, const std::string& bytes) {
    char in[4];
    std::memcpy(in, bytes.data(), bytes.size());
    uint32_t out[2] = {0, 0};
    char* inPtr = in;
    char* outPtr = reinterpret_cast<char*>(out);
    size_t inLeft = bytes.size(), outLeft = sizeof out;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1) || inLeft != 0) return 0;
    return sizeof out - outLeft == 4 ? out[0] : 0;
}

void renderGlyph(FT_Face face, uint32_t codePoint, uint8_t* glyph) {
    std::memset(glyph, 0, kGlyphBytes);
    if (codePoint == 0 || FT_Get_Char_Index(face, codePoint) == 0) return;
    // Bitmap strikes come out as they are; outlines are rendered in grey and thresholded.
    if (FT_Load_Char(face, codePoint, FT_LOAD_RENDER) != 0) return;
    const FT_Bitmap& bitmap = face->glyph->bitmap;
    int left = face->glyph->bitmap_left < 0 ? 0 : face->glyph->bitmap_left;
    int top = kBaselineRow - face->glyph->bitmap_top;
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        int y = top + static_cast<int>(row);
        if (y < 0 || y >= kGlyphRows) continue;
        for (unsigned column = 0; column < bitmap.width; ++column) {
            int x = left + static_cast<int>(column);
            if (x >= kGlyphColumns) break;
            const uint8_t* line = bitmap.buffer + row * bitmap.pitch;
            bool on = bitmap.pixel_mode == FT_PIXEL_MODE_MONO ? (line[column / 8] >> (7 - column % 8)) & 1
                                                               : line[column] >= 64;
            if (on) glyph[2 * y + x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: tarvo_fontgen FONT 936|950 OUTPUT\n");
        return 2;
    }
    std::string which = argv[2];
    CodePage page = which == "936" ? CodePage{936, 0x81, 0xFE, 190} : CodePage{950, 0xA1, 0xF9, 157};
    if (which != "936" && which != "950") return 2;

    FT_Library library;
    FT_Face face = nullptr;
    if (FT_Init_FreeType(&library) != 0) return 1;
    // The third face of the collection ("Sharp") carries the bitmap strikes; fall back to the first.
    if (FT_New_Face(library, argv[1], 2, &face) != 0 && FT_New_Face(library, argv[1], 0, &face) != 0) {
        std::fprintf(stderr, "tarvo_fontgen: cannot open %s\n", argv[1]);
        return 1;
    }
    FT_Set_Pixel_Sizes(face, 0, kPixelSize);
    iconv_t cd = iconv_open("UTF-32LE", page.number == 936 ? "CP936" : "CP950");
    if (cd == reinterpret_cast<iconv_t>(-1)) return 1;

    long glyphs = 95 + static_cast<long>(page.leadLast - page.leadFirst + 1) * page.trailsPerLead;
    std::vector<uint8_t> file(static_cast<size_t>(glyphs) * kGlyphBytes);
    for (long index = 0; index < glyphs; ++index)
        renderGlyph(face, codePointOf(cd, bytesOfIndex(page, index)), &file[static_cast<size_t>(index) * kGlyphBytes]);

    iconv_close(cd);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    std::string temporary = std::string(argv[3]) + ".tmp";
    std::ofstream out(temporary, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
    out.close();
    if (!out || std::rename(temporary.c_str(), argv[3]) != 0) {
        std::fprintf(stderr, "tarvo_fontgen: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
