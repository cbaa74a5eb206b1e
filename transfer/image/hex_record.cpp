// HexRecord parsing and formatting shared by the image scan, the file writer
// and the protocol engine's receive path.
#include "image/hex_record.h"

#include <cstdio>

namespace tarvo::xfer {

int hexDigitValue(char c, bool upperOnly) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (!upperOnly && c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

namespace {
// Reads the byte written as two hex digits at `pos`; -1 when not possible.
int byteAt(std::string_view text, std::size_t pos, bool upperOnly) {
    if (pos + 2 > text.size()) return -1;
    int hi = hexDigitValue(text[pos], upperOnly);
    int lo = hexDigitValue(text[pos + 1], upperOnly);
    if (hi < 0 || lo < 0) return -1;
    return hi * 16 + lo;
}
}  // namespace

std::optional<HexRecord> parseHexRecord(std::string_view text, bool upperOnly) {
    std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) return std::nullopt;
    std::string_view body = text.substr(colon + 1);
    int header[4];
    for (int i = 0; i < 4; ++i) {
        header[i] = byteAt(body, std::size_t(i) * 2, upperOnly);
        if (header[i] < 0) return std::nullopt;
    }
    HexRecord rec;
    rec.count = std::uint8_t(header[0]);
    rec.address = std::uint16_t(header[1] * 256 + header[2]);
    rec.type = std::uint8_t(header[3]);
    unsigned sum = unsigned(header[0] + header[1] + header[2] + header[3]);
    std::size_t pos = 8;
    for (unsigned i = 0; i < rec.count; ++i, pos += 2) {
        int b = byteAt(body, pos, upperOnly);
        if (b < 0) return rec;  // short data: header is still useful to the scans
        rec.data.push_back(std::uint8_t(b));
        sum += unsigned(b);
    }
    int check = byteAt(body, pos, upperOnly);
    if (check < 0) return rec;
    rec.complete = true;
    rec.checksumOk = ((sum + unsigned(check)) & 0xFF) == 0;
    return rec;
}

std::uint8_t recordChecksum(const std::vector<std::uint8_t>& bytes) {
    unsigned sum = 0;
    for (auto b : bytes) sum += b;
    return std::uint8_t((0x100 - (sum & 0xFF)) & 0xFF);
}

std::string formatHexRecord(std::uint16_t address, std::uint8_t type,
                            const std::vector<std::uint8_t>& data) {
    std::string out = ":";
    unsigned sum = 0;
    char buf[3];
    auto put = [&](unsigned byte) {
        std::snprintf(buf, sizeof buf, "%02X", byte & 0xFF);
        out += buf;
        sum += byte & 0xFF;
    };
    put(unsigned(data.size()));
    put(address >> 8);
    put(address & 0xFF);
    put(type);
    for (auto b : data) put(b);
    put((0x100 - (sum & 0xFF)) & 0xFF);
    return out;
}

}  // namespace tarvo::xfer
