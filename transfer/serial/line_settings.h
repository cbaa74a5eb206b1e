// LineSettings: rate, parity, data bits and stop bits of a serial line, with
// the checks made before anything reaches the device.
#pragma once

#include "serial/serial_port.h"

namespace tarvo::xfer {

struct LineSettings {
    int rate = 9600;
    char parity = 'N';   // 'N', 'O', 'E', 'M' or 'S'
    int dataBits = 8;    // 4 to 8
    int stopBits = 1;    // 1 or 2
};

/// kPortOk, or the error that refuses the settings (bad parity, data or stop bits).
PortError checkLineSettings(const LineSettings& s);

/// Rates the port layer knows how to set.
bool isKnownRate(int bitsPerSecond);

}  // namespace tarvo::xfer
