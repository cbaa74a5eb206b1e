// Builders for small synthetic application and OS images in the compiler's format.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "image/hex_record.h"

namespace tarvo::xfer::testing {

inline std::string line(const std::string& record) { return record + "\r\n"; }

struct ImageSpec {
    std::string model = "VK7100";   // "VK7100", "VK61" or "VK81"
    std::uint16_t nodes = 3;
    std::vector<std::uint8_t> code;  // bytes from 0x8000 upward
    bool font = false;
    int fontRecords = 2;
};

// Data records of at most 32 bytes from `address` on, as the compiler writes them.
inline std::string dataRecords(std::uint16_t address, const std::vector<std::uint8_t>& bytes) {
    std::string out;
    for (std::size_t i = 0; i < bytes.size(); i += 32) {
        std::vector<std::uint8_t> chunk(bytes.begin() + long(i),
                                        bytes.begin() + long(std::min(bytes.size(), i + 32)));
        out += line(formatHexRecord(std::uint16_t(address + i), 0x00, chunk));
    }
    return out;
}

inline std::string makeImage(const ImageSpec& layout) {
    std::string out;
    out += line(":0400000100000000FB");
    out += line(formatHexRecord(0, 0x01, {std::uint8_t(layout.nodes >> 8), std::uint8_t(layout.nodes)}));
    if (layout.model == "VK61") out += line(":04000001564B3631F3");
    if (layout.model == "VK81") out += line(":04000001564B3831F1");
    out += line(":020000023000CC");
    std::vector<std::uint8_t> code = layout.code;
    if (code.empty()) code = {0x4F, 0x01, 0x00, 0x01, 0x70, 0x01, 0x70, 0x01, 0x14, 0x00};
    out += dataRecords(0x8000, code);
    if (layout.font) {
        std::uint16_t at = std::uint16_t(0x8000 + code.size());
        // marker record: "QOR_FONT" with swapped words, zero, and one more word
        out += line(formatHexRecord(at, 0x00, {0x4F, 0x51, 0x5F, 0x52, 0x4F, 0x46, 0x54, 0x4E,
                                                0x00, 0x00}));
        at = std::uint16_t(at + 10);
        for (int r = 0; r < layout.fontRecords; ++r) {
            std::vector<std::uint8_t> glyph(24, std::uint8_t(0x10 + r));
            out += line(formatHexRecord(at, 0x00, glyph));
            at = std::uint16_t(at + 24);
        }
    }
    out += line(":00000001FF");
    return out;
}

// An OS image whose second record carries the version like the terminal's record.
inline std::string makeOsImage(int version, char typeLetter = 'C') {
    std::string out;
    out += line(":0400000100000000FB");
    std::vector<std::uint8_t> ver = {'V', std::uint8_t(typeLetter),
                                     std::uint8_t('0' + version / 100), '.',
                                     std::uint8_t('0' + version / 10 % 10),
                                     std::uint8_t('0' + version % 10)};
    out += line(formatHexRecord(0, 0x01, ver));
    out += line(":020000020000FC");
    out += dataRecords(0x8000, {1, 2, 3, 4});
    out += line(":020000021000EC");
    out += dataRecords(0x8000, {5, 6});
    out += line(":0400000300001000E9");
    out += line(":00000001FF");
    return out;
}

}  // namespace tarvo::xfer::testing

namespace tarvo::xfer::testing {
inline std::string makeImageOf(const std::string& model, bool font = false, int fontRecords = 2,
                               std::uint16_t nodes = 3, std::vector<std::uint8_t> code = {}) {
    ImageSpec layout;
    layout.model = model;
    layout.font = font;
    layout.fontRecords = fontRecords;
    layout.nodes = nodes;
    layout.code = std::move(code);
    return makeImage(layout);
}
}  // namespace tarvo::xfer::testing
