// Record writer: 32-byte records from 0x8000, wrapping to 0x0000, end-of-code checksum.
#include "record_writer.h"

#include <cstdio>

namespace tarvo::compiler {

std::string formatRecord(uint16_t address, uint8_t type, const uint8_t* data, size_t length) {
    std::string line;
    char digits[16];
    unsigned sum = static_cast<unsigned>(length) + (address >> 8) + (address & 0xFF) + type;
    std::snprintf(digits, sizeof digits, ":%02X%04X%02X", static_cast<unsigned>(length), address, type);
    line += digits;
    for (size_t i = 0; i < length; ++i) {
        std::snprintf(digits, sizeof digits, "%02X", data[i]);
        line += digits;
        sum += data[i];
    }
    std::snprintf(digits, sizeof digits, "%02X\r\n", (0x100 - (sum & 0xFF)) & 0xFF);
    line += digits;
    return line;
}

RecordWriter::RecordWriter(CompileMessages& messages, int languageIndex)
    : messages_(messages), languageIndex_(languageIndex) {
    text_ = ":020000023000CC\r\n";
}

void RecordWriter::writeByte(uint8_t byte) {
    if (recordStart_ + record_.size() + 1 > 0x10000) closeRecord();
    record_.push_back(byte);
    byteSum_ += byte;
    ++bytesWritten_;
    if (record_.size() == kMaxRecordBytes) closeRecord();
}

void RecordWriter::writeWord(uint16_t word) {
    if (record_.size() + 2 > kMaxRecordBytes || recordStart_ + record_.size() + 2 > 0x10000) closeRecord();
    writeByte(static_cast<uint8_t>(word >> 8));
    writeByte(static_cast<uint8_t>(word & 0xFF));
}

void RecordWriter::writeTextBytes(const std::vector<uint8_t>& bytes) {
    if (2 * record_.size() + 2 * bytes.size() > 63) closeRecord();
    for (uint8_t byte : bytes) writeByte(byte);
}

void RecordWriter::writeBlock(const std::vector<uint8_t>& bytes) {
    writeTextBytes(bytes);
    closeRecord();
}

void RecordWriter::closeRecord() {
    if (record_.empty()) return;
    if (recordStart_ < kCodeStartAddress && languageIndex_ == 5 && !warned_) {
        messages_.console("WARNING - Application will occupy RAM.\n");
        warned_ = true;
    }
    text_ += formatRecord(static_cast<uint16_t>(recordStart_), 0x00, record_.data(), record_.size());
    imageBytes_ += record_.size();
    recordStart_ = (recordStart_ + static_cast<uint32_t>(record_.size())) & 0xFFFF;
    record_.clear();
    ++recordsClosed_;
}

void RecordWriter::writeEndOfCode() {
    closeRecord();
    writeWord(0x0170);
    writeWord(0x0170);
    unsigned low = byteSum_ & 0xFF;
    writeWord(static_cast<uint16_t>(0x100 - low));
    endOfCodeRecord_ = recordsClosed_;
    closeRecord();
}

void RecordWriter::finish() {
    closeRecord();
    text_ += ":00000001FF\r\n";
}

}  // namespace tarvo::compiler
