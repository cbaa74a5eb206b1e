// Packs the word stream into Intel HEX data records of the intermediate record file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tarvo/compiler/compile_messages.h"

namespace tarvo::compiler {

inline constexpr int kMaxRecordBytes = 32;
inline constexpr uint32_t kCodeStartAddress = 0x8000;

class RecordWriter {
public:
    RecordWriter(CompileMessages& messages, int languageIndex);

    void writeWord(uint16_t word);
    void writeTextBytes(const std::vector<uint8_t>& bytes);  // even length
    void writeBlock(const std::vector<uint8_t>& bytes);      // one record of its own
    void closeRecord();
    void writeEndOfCode();
    void finish();

    // Address the next written byte will have, and its index in the word stream.
    uint16_t nextAddress() const { return static_cast<uint16_t>((recordStart_ + record_.size()) & 0xFFFF); }
    size_t nextWordIndex() const { return bytesWritten_ / 2; }

    const std::string& text() const { return text_; }
    uint64_t imageBytes() const { return imageBytes_; }
    int endOfCodeRecord() const { return endOfCodeRecord_; }

private:
    void writeByte(uint8_t byte);

    CompileMessages& messages_;
    int languageIndex_;
    std::string text_;
    std::vector<uint8_t> record_;
    uint32_t recordStart_ = kCodeStartAddress;
    uint32_t byteSum_ = 0;
    uint64_t imageBytes_ = 0;
    uint64_t bytesWritten_ = 0;
    int recordsClosed_ = 0;
    int endOfCodeRecord_ = -1;
    bool warned_ = false;
};

// One Intel HEX record line with its checksum and line end.
std::string formatRecord(uint16_t address, uint8_t type, const uint8_t* data, size_t length);

}  // namespace tarvo::compiler
