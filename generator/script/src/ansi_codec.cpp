// Windows-1252 conversion.
#include "tarvo/script/ansi_codec.h"

#include <array>

namespace tarvo::script {

namespace {

// Bytes 0x80..0x9F; everything else maps to the character of the same code.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

bool toAnsi(char16_t ch, unsigned char& byte) {
    if (ch < 0x80 || (ch >= 0xA0 && ch <= 0xFF)) {
        byte = static_cast<unsigned char>(ch);
        return true;
    }
    for (size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == ch) {
            byte = static_cast<unsigned char>(0x80 + i);
            return true;
        }
    }
    return false;
}

}  // namespace

char16_t ansiToWide(unsigned char byte) {
    if (byte >= 0x80 && byte < 0xA0) return kHighControls[byte - 0x80];
    return byte;
}

std::u16string ansiToWide(std::string_view bytes) {
    std::u16string out;
    out.reserve(bytes.size());
    for (char b : bytes) out.push_back(ansiToWide(static_cast<unsigned char>(b)));
    return out;
}

bool isAnsiRepresentable(std::u16string_view text) {
    unsigned char byte = 0;
    for (char16_t ch : text)
        if (!toAnsi(ch, byte)) return false;
    return true;
}

std::string wideToAnsi(std::u16string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char16_t ch : text) {
        unsigned char byte = '?';
        if (!toAnsi(ch, byte)) byte = '?';
        out.push_back(static_cast<char>(byte));
    }
    return out;
}

}  // namespace tarvo::script
