// Image conversion driven by the branch-target positions the code generator recorded,
// so operands and glyph words are never taken for codes and never replaced.
#include "hex_converter.h"

#include <cstdio>
#include <optional>

#include "record_writer.h"
#include "symbol_table.h"

namespace tarvo::compiler {
namespace {

struct Record {
    uint16_t address = 0;
    uint8_t type = 0;
    std::vector<uint8_t> data;
};

int hexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

std::optional<Record> parseRecord(const std::string& line) {
    auto byteAt = [&](size_t pos) -> int {
        if (pos + 1 >= line.size()) return -1;
        int high = hexDigit(line[pos]), low = hexDigit(line[pos + 1]);
        return high < 0 || low < 0 ? -1 : high * 16 + low;
    };
    if (line.empty() || line[0] != ':') return std::nullopt;
    int length = byteAt(1), addrHigh = byteAt(3), addrLow = byteAt(5), type = byteAt(7);
    if (length < 0 || addrHigh < 0 || addrLow < 0 || type < 0) return std::nullopt;
    Record record;
    record.address = static_cast<uint16_t>(addrHigh << 8 | addrLow);
    record.type = static_cast<uint8_t>(type);
    for (int i = 0; i < length; ++i) {
        int value = byteAt(9 + 2 * i);
        if (value < 0) return std::nullopt;
        record.data.push_back(static_cast<uint8_t>(value));
    }
    return record;
}

void appendHeader(std::string& out, const ConversionInput& input) {
    const uint8_t zeros[4] = {0, 0, 0, 0};
    out += formatRecord(0, 0x01, zeros, 4);
    const uint8_t count[2] = {static_cast<uint8_t>((input.nodeCount >> 8) & 0xFF),
                              static_cast<uint8_t>(input.nodeCount & 0xFF)};
    out += formatRecord(0, 0x01, count, 2);
    if (input.modelText == "Strix VK61" || input.modelText == "Strix VK81") {
        const char* tag = input.modelText == "Strix VK61" ? "VK61" : "VK81";
        out += formatRecord(0, 0x01, reinterpret_cast<const uint8_t*>(tag), 4);
    }
}

}  // namespace

std::string convertToImage(const ConversionInput& input) {
    std::string out;
    appendHeader(out, input);

    size_t wordIndex = 0;
    size_t nextResolved = 0;
    uint32_t byteSum = 0;
    int dataRecord = 0;
    size_t start = 0;
    while (start < input.recordText.size()) {
        size_t end = input.recordText.find('\n', start);
        if (end == std::string::npos) end = input.recordText.size();
        std::string line = input.recordText.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        auto record = parseRecord(line);
        if (!record) return {};
        if (record->type != 0x00) {
            out += line + "\r\n";
            continue;
        }
        if (record->data.size() % 2 != 0) return {};
        std::vector<uint8_t>& data = record->data;
        for (size_t i = 0; i + 1 < data.size(); i += 2, ++wordIndex) {
            while (nextResolved < input.resolvedWords.size() && input.resolvedWords[nextResolved] < wordIndex)
                ++nextResolved;
            if (nextResolved < input.resolvedWords.size() && input.resolvedWords[nextResolved] == wordIndex) {
                int symbol = data[i] << 8 | data[i + 1];
                int slot = symbol - kFirstSymbol;
                if (slot >= 0 && slot < static_cast<int>(input.labels.size())) {
                    data[i] = static_cast<uint8_t>(input.labels[slot] >> 8);
                    data[i + 1] = static_cast<uint8_t>(input.labels[slot] & 0xFF);
                }
            }
        }
        size_t summed = data.size();
        if (dataRecord == input.endOfCodeRecord && data.size() >= 2) {
            summed -= 2;
            for (size_t i = 0; i < summed; ++i) byteSum += data[i];
            uint16_t checksum = static_cast<uint16_t>(0x100 - (byteSum & 0xFF));
            data[data.size() - 2] = static_cast<uint8_t>(checksum >> 8);
            data[data.size() - 1] = static_cast<uint8_t>(checksum & 0xFF);
        } else {
            for (size_t i = 0; i < summed; ++i) byteSum += data[i];
        }
        for (size_t i = 0; i + 1 < data.size(); i += 2) std::swap(data[i], data[i + 1]);
        out += formatRecord(record->address, 0x00, data.data(), data.size());
        ++dataRecord;
    }
    return out;
}

}  // namespace tarvo::compiler
