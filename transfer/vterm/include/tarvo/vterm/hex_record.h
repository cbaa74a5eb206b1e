// One Intel HEX record as the terminal sees it on the wire: parsing (either
// letter case, checksum checked) and formatting (upper case).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::vterm {

/// The count field is one byte, so no record carries more data than this.
inline constexpr std::size_t kMaxRecordDataBytes = 255;
/// ':' + count + address + type + data + checksum, without the carriage return.
inline constexpr std::size_t kMaxRecordLineChars = 1 + 2 + 4 + 2 + 2 * kMaxRecordDataBytes + 2;

struct HexRecord {
    std::uint8_t type = 0;
    std::uint16_t address = 0;
    std::vector<std::uint8_t> data;
};

enum class HexParseResult {
    Ok,
    NoColon,      // the text does not start with ':'
    BadDigit,     // a character that is not a hexadecimal digit
    BadLength,    // the text is not as long as its count field says
    BadChecksum,  // well formed, but the checksum does not match
};

/// Parses `text` (no carriage return). On anything but Ok, `out` is unspecified.
HexParseResult parseHexRecord(std::string_view text, HexRecord& out);

/// The two's complement of the 8-bit sum of count, address, type and data.
std::uint8_t recordChecksum(const HexRecord& record);

/// Formats the record in upper case without line end. With `corruptChecksum`
/// the checksum is deliberately wrong (for fault injection).
std::string formatHexRecord(const HexRecord& record, bool corruptChecksum = false);

}  // namespace tarvo::vterm
