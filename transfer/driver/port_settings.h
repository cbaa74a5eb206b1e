// PortSettings: the serial port remembered between runs ("SerialPort" in the
// settings file of the user's config folder): a port number or a device path.
#pragma once
#include <string>

namespace tarvo::xfer {

struct PortChoice {
    int number = 1;       // used when device is empty
    std::string device;   // "/dev/ttyUSB0", "virtual", or empty
};

class PortSettings {
public:
    /// The settings file; by default tarvoxfer.ini in the user's config folder.
    explicit PortSettings(std::string path = defaultPath());
    /// The stored port; port 1 when the value is missing, 0 or not a port.
    PortChoice load() const;
    bool save(const PortChoice& choice) const;
    static std::string defaultPath();

private:
    std::string path_;
};

}  // namespace tarvo::xfer
