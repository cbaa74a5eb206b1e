// HexRecord: one Intel HEX record as the terminal and the image files carry it.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo::xfer {

/// The longest record data the parser accepts (the count field is one byte).
inline constexpr std::size_t kMaxRecordData = 255;

struct HexRecord {
    std::uint8_t count = 0;
    std::uint16_t address = 0;
    std::uint8_t type = 0;
    std::vector<std::uint8_t> data;  // as many data bytes as the text held, at most count
    bool complete = false;           // all `count` data bytes and the checksum were present
    bool checksumOk = false;         // complete and the checksum matches

    /// Address plus byte count: where the next record of the image starts.
    std::uint32_t endAddress() const { return std::uint32_t(address) + count; }
};

/// Reads the record that starts at the first ':' of `text`. Hex digits may be
/// upper or lower case unless `upperOnly`. Answers nothing when the header
/// (count, address, type) is not complete; the data may be short (then
/// `complete` is false).
std::optional<HexRecord> parseHexRecord(std::string_view text, bool upperOnly = false);

/// Two's complement of the low byte of the sum of `bytes`.
std::uint8_t recordChecksum(const std::vector<std::uint8_t>& bytes);

/// ":" count address type data checksum in upper-case hex, without a line end.
std::string formatHexRecord(std::uint16_t address, std::uint8_t type,
                            const std::vector<std::uint8_t>& data);

/// Value of one hex digit, -1 for any other character.
int hexDigitValue(char c, bool upperOnly = false);

}  // namespace tarvo::xfer
