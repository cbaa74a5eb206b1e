// File-mode output: data records rewritten with bank-relative addresses.
#include "image/file_writer.h"

#include "image/hex_record.h"

namespace tarvo::xfer {

namespace {
constexpr std::uint16_t kBankWindowBase = 0x8000;  // banks 0 and 2 are seen at 0x8000
}

bool FileWriter::create(std::string& failed) {
    close();
    bank_ = 0;
    std::string lowPath = dir_ + "/" + std::string(kOutputFileLow);
    std::string highPath = dir_ + "/" + std::string(kOutputFileHigh);
    // "wb" truncates: a longer file from an earlier run leaves no stale tail.
    low_ = std::fopen(lowPath.c_str(), "wb");
    if (!low_) {
        failed = std::string(kOutputFileLow);
        return false;
    }
    high_ = std::fopen(highPath.c_str(), "wb");
    if (!high_) {
        failed = std::string(kOutputFileHigh);
        close();
        return false;
    }
    return true;
}

bool FileWriter::writeLine(std::string_view line) {
    auto rec = parseHexRecord(line);
    if (!rec) return true;
    switch (rec->type) {
    case 0x02:
        if (!rec->data.empty() && (rec->data[0] & 0x0F) == 0 && rec->data[0] <= 0x30)
            bank_ = rec->data[0] >> 4;
        return true;
    case 0xFF:
        if (rec->data.size() >= 2 && rec->data[1] <= 3) bank_ = rec->data[1];
        return true;
    case 0x00: {
        std::uint16_t address = rec->address;
        if (bank_ == 0 || bank_ == 2) address = std::uint16_t(address - kBankWindowBase);
        std::string text = formatHexRecord(address, 0x00, rec->data) + "\r\n";
        std::FILE* out = bank_ < 2 ? low_ : high_;
        if (!out) return false;
        return std::fwrite(text.data(), 1, text.size(), out) == text.size() &&
               std::fflush(out) == 0;
    }
    default:
        return true;  // end of file, commands and the probe are not data
    }
}

void FileWriter::close() {
    if (low_) std::fclose(low_);
    if (high_) std::fclose(high_);
    low_ = high_ = nullptr;
}

}  // namespace tarvo::xfer
