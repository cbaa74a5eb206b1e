// ConfigStore: reads and writes GeneratorConfig as "TarvoCfg.ini" and the
// recent-file list as "TarvoRecent.ini", both in one settings folder.
#pragma once

#include <string>

#include "tarvo/shell/generator_config.h"

namespace tarvo::shell {

inline constexpr const char* kConfigFileName = "TarvoCfg.ini";
/// The recent-file list lives in its own file, in the section the desktop
/// registry used as its subkey.
inline constexpr const char* kRecentFileName = "TarvoRecent.ini";
inline constexpr const char* kRecentSection = "Recent Document List";

class ConfigStore {
public:
    /// A store on `folder`. An empty folder means the default: the program's
    /// folder when writable, otherwise $XDG_CONFIG_HOME/tarvo.
    explicit ConfigStore(std::string folder = {});

    const std::string& folder() const { return folder_; }
    std::string configPath() const;
    std::string recentPath() const;

    /// Loads the settings. A missing or unreadable file or key gives defaults;
    /// values out of their range keep the default.
    GeneratorConfig load() const;
    /// Writes every key. Answers false when a file could not be written (the
    /// previous file then stays as it was).
    bool save(const GeneratorConfig& config) const;

private:
    std::string folder_;
};

}  // namespace tarvo::shell
