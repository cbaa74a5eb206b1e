// Checks of line settings, shared by every port implementation.
#include "serial/line_settings.h"

#include <array>

namespace tarvo::xfer {

PortError checkLineSettings(const LineSettings& s) {
    switch (s.parity) {
    case 'N': case 'O': case 'E': case 'M': case 'S': break;
    default: return kPortBadParity;
    }
    if (s.dataBits < 4 || s.dataBits > 8) return kPortBadDataBits;
    if (s.stopBits != 1 && s.stopBits != 2) return kPortBadStopBits;
    return kPortOk;
}

bool isKnownRate(int bitsPerSecond) {
    constexpr std::array<int, 8> kRates = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200};
    for (int r : kRates)
        if (r == bitsPerSecond) return true;
    return false;
}

}  // namespace tarvo::xfer
