// ImageScan: what the transfer needs to know about an application image before
// sending it (size, node count, end address, model, font block).
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace tarvo::xfer {

/// Image model and terminal type codes.
enum ModelCode : int { kModelUnknown = 0, kModelVK7100 = 2, kModelVK61 = 3, kModelVK81 = 4 };

/// The font-block marker as it stands in the image (words byte-swapped, then a zero byte).
inline constexpr std::string_view kFontMarker = "4F515F524F46544E00";
/// Characters from the marker text to the start of the record after the marker record.
inline constexpr std::size_t kFontMarkerTail = 24;
/// Characters of a record before its data: colon, count, address and type.
inline constexpr std::size_t kRecordHeadChars = 9;

struct ImageScan {
    std::size_t fileSize = 0;
    std::uint16_t nodeCount = 0;
    std::uint32_t endAddress = 0;
    int model = kModelUnknown;
    bool hasFont = false;
    std::size_t appPartLength = 0;  // bytes before the font marker record (whole file without one)
    std::size_t fontOffset = 0;     // first byte of the font part (0 without one)
    std::size_t fontLength = 0;
};

/// Node count from the second record of the image (first ':' after the first character).
std::uint16_t imageNodeCount(std::string_view image);
/// Model from the header records within the first 200 offsets; VK7100 without one.
int imageModel(std::string_view image);
/// Scans the whole image held in memory.
ImageScan scanImage(std::string_view image);
/// End address of the last data record before `limit` (font part or end of file).
std::uint32_t imageEndAddress(std::string_view image, std::size_t limit);
/// Version of an operating-system image: data bytes 2, 4 and 5 of its second record as digits.
int osImageVersion(std::string_view osImage);

}  // namespace tarvo::xfer
