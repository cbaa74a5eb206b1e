// Intel HEX record parsing and formatting for the virtual terminal.
#include "tarvo/vterm/hex_record.h"

namespace tarvo::vterm {
namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

// Reads the byte written as two hex digits at `pos`; false on a bad digit.
bool readByte(std::string_view text, std::size_t pos, std::uint8_t& value) {
    const int high = hexValue(text[pos]);
    const int low = hexValue(text[pos + 1]);
    if (high < 0 || low < 0) return false;
    value = static_cast<std::uint8_t>(high * 16 + low);
    return true;
}

void appendByte(std::string& out, std::uint8_t value) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    out += kDigits[value >> 4];
    out += kDigits[value & 0x0F];
}

}  // namespace

HexParseResult parseHexRecord(std::string_view text, HexRecord& out) {
    if (text.empty() || text[0] != ':') return HexParseResult::NoColon;
    // The header (count, address, type) needs 8 digits, the checksum 2 more.
    if (text.size() < 11 || text.size() % 2 == 0) return HexParseResult::BadLength;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (hexValue(text[i]) < 0) return HexParseResult::BadDigit;
    }
    std::uint8_t count = 0, addressHigh = 0, addressLow = 0, type = 0;
    readByte(text, 1, count);
    readByte(text, 3, addressHigh);
    readByte(text, 5, addressLow);
    readByte(text, 7, type);
    if (text.size() != 11 + 2 * static_cast<std::size_t>(count)) return HexParseResult::BadLength;

    out.type = type;
    out.address = static_cast<std::uint16_t>(addressHigh << 8 | addressLow);
    out.data.assign(count, 0);
    for (std::size_t i = 0; i < count; ++i) readByte(text, 9 + 2 * i, out.data[i]);
    std::uint8_t checksum = 0;
    readByte(text, 9 + 2 * static_cast<std::size_t>(count), checksum);
    return checksum == recordChecksum(out) ? HexParseResult::Ok : HexParseResult::BadChecksum;
}

std::uint8_t recordChecksum(const HexRecord& record) {
    unsigned sum = static_cast<unsigned>(record.data.size()) + (record.address >> 8) +
                   (record.address & 0xFF) + record.type;
    for (std::uint8_t byte : record.data) sum += byte;
    return static_cast<std::uint8_t>(0x100 - (sum & 0xFF));
}

std::string formatHexRecord(const HexRecord& record, bool corruptChecksum) {
    std::string out = ":";
    appendByte(out, static_cast<std::uint8_t>(record.data.size()));
    appendByte(out, static_cast<std::uint8_t>(record.address >> 8));
    appendByte(out, static_cast<std::uint8_t>(record.address & 0xFF));
    appendByte(out, record.type);
    for (std::uint8_t byte : record.data) appendByte(out, byte);
    const std::uint8_t checksum = recordChecksum(record);
    appendByte(out, corruptChecksum ? static_cast<std::uint8_t>(checksum ^ 0x5A) : checksum);
    return out;
}

}  // namespace tarvo::vterm
