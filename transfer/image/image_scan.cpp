// The scans of an application image. The image is held in memory, so each
// search runs over the bytes directly instead of reading the file per offset.
#include "image/image_scan.h"

#include <optional>

#include "image/hex_record.h"

namespace tarvo::xfer {

namespace {
constexpr std::size_t kHeaderWindow = 126;   // bytes read for the node count and OS version
constexpr std::size_t kModelOffsets = 200;   // offsets searched for a model header
constexpr std::size_t kModelCompare = 17;    // bytes compared at each of them
constexpr std::size_t kEndWindow = 128;      // bytes read for the end address
constexpr std::string_view kModelVK61Text = ":04000001564B3631";
constexpr std::string_view kModelVK81Text = ":04000001564B3831";
constexpr std::string_view kVK81CodeStart = "8000002601";

// The record that starts at the first ':' after the first character of the header window.
std::optional<HexRecord> secondRecord(std::string_view image) {
    std::string_view head = image.substr(0, kHeaderWindow);
    std::size_t colon = head.find(':', 1);
    if (colon == std::string_view::npos) return std::nullopt;
    return parseHexRecord(head.substr(colon));
}
}  // namespace

std::uint16_t imageNodeCount(std::string_view image) {
    auto rec = secondRecord(image);
    if (!rec || rec->data.size() < 2) return 0;
    return std::uint16_t(rec->data[0] * 256 + rec->data[1]);
}

int imageModel(std::string_view image) {
    for (std::size_t off = 0; off < kModelOffsets; ++off) {
        if (off + kModelCompare > image.size()) break;  // a short read ends the search
        std::string_view at = image.substr(off, kModelCompare);
        if (at == kModelVK61Text) return kModelVK61;
        if (at == kModelVK81Text) return kModelVK81;
        if (at.substr(0, kVK81CodeStart.size()) == kVK81CodeStart) return kModelVK81;
    }
    return kModelVK7100;
}

std::uint32_t imageEndAddress(std::string_view image, std::size_t limit) {
    if (limit > image.size()) limit = image.size();
    std::size_t start = limit > kEndWindow ? limit - kEndWindow : 0;
    std::string_view window = image.substr(start, limit - start);
    std::size_t colon = window.rfind(':');
    if (colon == std::string_view::npos) return 0;
    auto rec = parseHexRecord(window.substr(colon));
    std::uint32_t end = rec ? rec->endAddress() : 0;
    bool stepBack = !rec || rec->address == 0 ||
                    window.substr(colon).find(kFontMarker) != std::string_view::npos;
    while (stepBack) {
        window = window.substr(0, colon);
        colon = window.rfind(':');
        if (colon == std::string_view::npos) break;
        rec = parseHexRecord(window.substr(colon));
        if (rec) end = rec->endAddress();
        stepBack = !rec || rec->type != 0x00;
    }
    return end;
}

ImageScan scanImage(std::string_view image) {
    ImageScan scan;
    scan.fileSize = image.size();
    scan.nodeCount = imageNodeCount(image);
    scan.model = imageModel(image);
    scan.appPartLength = image.size();
    std::size_t marker = image.find(kFontMarker);
    if (marker != std::string_view::npos) {
        scan.hasFont = true;
        scan.appPartLength = marker >= kRecordHeadChars ? marker - kRecordHeadChars : 0;
        scan.fontOffset = std::min(marker + kFontMarkerTail, image.size());
        scan.fontLength = image.size() - scan.fontOffset;
    }
    scan.endAddress = imageEndAddress(image, scan.hasFont ? scan.fontOffset : image.size());
    return scan;
}

int osImageVersion(std::string_view osImage) {
    auto rec = secondRecord(osImage);
    if (!rec || rec->data.size() < 6) return 0;
    auto digit = [](std::uint8_t c) { return int(c) - '0'; };
    return 100 * digit(rec->data[2]) + 10 * digit(rec->data[4]) + digit(rec->data[5]);
}

}  // namespace tarvo::xfer
