// FileWriter: in file mode, writes the data records of a transfer into the two
// local HEX files, one per pair of memory banks.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace tarvo::xfer {

inline constexpr std::string_view kOutputFileLow = "BRSYS01.HEX";   // banks 0 and 1
inline constexpr std::string_view kOutputFileHigh = "BRSYS02.HEX";  // banks 2 and 3

class FileWriter {
public:
    explicit FileWriter(std::string dir = ".") : dir_(std::move(dir)) {}
    ~FileWriter() { close(); }
    FileWriter(const FileWriter&) = delete;
    FileWriter& operator=(const FileWriter&) = delete;

    void setDir(std::string dir) { dir_ = std::move(dir); }
    /// Creates both files, replacing older ones whole. On failure names the
    /// file that could not be created in `failed` and answers false.
    bool create(std::string& failed);
    /// Takes one line as the protocol would send it. Data records go to the
    /// file of the current bank; segment and bank records switch banks; every
    /// other record is dropped. Answers false only when a write failed.
    bool writeLine(std::string_view line);
    void close();
    int bank() const { return bank_; }

private:
    std::string dir_;
    std::FILE* low_ = nullptr;
    std::FILE* high_ = nullptr;
    int bank_ = 0;
};

}  // namespace tarvo::xfer
