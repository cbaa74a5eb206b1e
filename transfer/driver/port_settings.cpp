// Reading and writing the remembered serial port.
#include "driver/port_settings.h"

#include "tarvo/common/ini_store.h"
#include "tarvo/common/paths.h"

namespace tarvo::xfer {

namespace {
constexpr const char* kSection = "TarvoXfer";
constexpr const char* kKey = "SerialPort";
}  // namespace

PortSettings::PortSettings(std::string path) : path_(std::move(path)) {}

std::string PortSettings::defaultPath() { return joinPath(userConfigDir(), "tarvoxfer.ini"); }

PortChoice PortSettings::load() const {
    IniStore ini;
    ini.load(path_);
    std::string value = ini.getString(kSection, kKey);
    PortChoice choice;
    if (!value.empty() && (value[0] == '/' || value == "virtual")) {
        choice.device = value;
        return choice;
    }
    long n = ini.getInt(kSection, kKey, 0);
    choice.number = n >= 1 && n <= 254 ? int(n) : 1;
    return choice;
}

bool PortSettings::save(const PortChoice& choice) const {
    IniStore ini;
    ini.load(path_);
    if (!choice.device.empty()) ini.setString(kSection, kKey, choice.device);
    else ini.setInt(kSection, kKey, choice.number);
    return ini.save(path_);
}

}  // namespace tarvo::xfer
