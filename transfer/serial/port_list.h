// PortList: the serial devices of this machine, numbered as users know them.
#pragma once
#include <string>
#include <vector>

namespace tarvo::xfer {

struct PortEntry {
    std::string name;    // "ttyS0", "ttyUSB0", ...
    std::string device;  // "/dev/ttyS0"
    int number = 0;      // 1-based
};

/// Serial devices listed in `sysClassTty`: ttyS<N> is port N+1; USB adapters
/// (ttyUSB) and then ACM modems (ttyACM) follow the highest ttyS number, each
/// kind in the order of its own number. Devices without a "device" entry
/// (virtual consoles, pseudo-terminals) are not serial ports.
std::vector<PortEntry> listPorts(const std::string& sysClassTty = "/sys/class/tty",
                                 const std::string& devDir = "/dev");

/// The device of a port number: the listed one, else /dev/ttyS<number-1>.
std::string portDevice(int number, const std::vector<PortEntry>& ports);

}  // namespace tarvo::xfer
