// Building the port list from the kernel's tty class folder.
#include "serial/port_list.h"

#include <algorithm>
#include <cctype>
#include <filesystem>

namespace tarvo::xfer {

namespace {
// Kinds in the order they are numbered.
constexpr const char* kKinds[] = {"ttyS", "ttyUSB", "ttyACM"};

// The kind index and trailing number of a name such as "ttyUSB3"; false for others.
bool classify(const std::string& name, int& kind, int& index) {
    for (int k = 0; k < 3; ++k) {
        std::string prefix = kKinds[k];
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        std::string digits = name.substr(prefix.size());
        if (digits.size() > 6 ||
            !std::all_of(digits.begin(), digits.end(), [](unsigned char c) { return std::isdigit(c); }))
            return false;
        kind = k;
        index = std::stoi(digits);
        return true;
    }
    return false;
}
}  // namespace

std::vector<PortEntry> listPorts(const std::string& sysClassTty, const std::string& devDir) {
    struct Found { int kind; int index; std::string name; };
    std::vector<Found> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(sysClassTty, ec)) {
        std::string name = entry.path().filename().string();
        int kind = 0, index = 0;
        if (!classify(name, kind, index)) continue;
        if (!std::filesystem::exists(entry.path() / "device", ec)) continue;
        found.push_back({kind, index, name});
    }
    std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return a.kind != b.kind ? a.kind < b.kind : a.index < b.index;
    });
    std::vector<PortEntry> ports;
    int next = 1;
    for (const auto& f : found) {
        int number = 0;
        if (f.kind == 0) {
            number = f.index + 1;
            next = std::max(next, number + 1);
        } else {
            number = next++;
        }
        ports.push_back({f.name, devDir + "/" + f.name, number});
    }
    return ports;
}

std::string portDevice(int number, const std::vector<PortEntry>& ports) {
    for (const auto& p : ports)
        if (p.number == number) return p.device;
    return "/dev/ttyS" + std::to_string(number > 0 ? number - 1 : 0);
}

}  // namespace tarvo::xfer
