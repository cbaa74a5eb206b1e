// RecordSource: hands out the record lines of one part of an image held in memory.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace tarvo::xfer {

class RecordSource {
public:
    /// Starts reading `length` bytes of `image` from `offset` (clamped to the image).
    void open(std::string image, std::size_t offset, std::size_t length);
    void close();
    bool isOpen() const { return open_; }

    /// The next line, carriage return included, line feed not. Nothing at the
    /// end of the part: the end of its bytes, a zero byte where a line starts
    /// or inside it, or a last line without line feed.
    std::optional<std::string> nextLine();

    /// Lines handed out since open(); progress counts all but the first.
    std::size_t linesTaken() const { return linesTaken_; }

private:
    std::string image_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::size_t linesTaken_ = 0;
    bool open_ = false;
};

}  // namespace tarvo::xfer
