// Fuzz target: arbitrary bytes as an application image, through the scan and
// the line source of each part.
#include <cstddef>
#include <cstdint>
#include <string>

#include "image/image_scan.h"
#include "image/record_source.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string image(reinterpret_cast<const char*>(data), size);
    tarvo::xfer::ImageScan scan = tarvo::xfer::scanImage(image);
    if (scan.appPartLength > size || scan.fontOffset + scan.fontLength > size) __builtin_trap();
    (void)tarvo::xfer::osImageVersion(image);
    tarvo::xfer::RecordSource source;
    source.open(image, 0, scan.appPartLength);
    while (source.nextLine()) {
    }
    source.open(image, scan.fontOffset, scan.fontLength);
    while (source.nextLine()) {
    }
    return 0;
}
