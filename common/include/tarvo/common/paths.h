// Where the programs find themselves, their data and their settings on Linux.
#pragma once

#include <string>

namespace tarvo {

/// The folder of the running program (from /proc/self/exe), without a trailing slash.
std::string programDir();

/// The per-user settings folder of the tool chain: $XDG_CONFIG_HOME/tarvo, or
/// ~/.config/tarvo when XDG_CONFIG_HOME is unset or not absolute. Created on demand.
std::string userConfigDir();

/// True when the folder exists and the current user may create files in it.
bool isWritableDir(const std::string& dir);

/// The folder for settings files that desktop tools kept beside their program:
/// the program folder when writable, else userConfigDir().
std::string settingsDir();

/// A data file shipped with the tool chain: beside the program first (build
/// tree), then in ../share/tarvo. Answers the first path that exists, or the
/// path beside the program when neither does.
std::string findDataFile(const std::string& name);

/// The system's folder for temporary files ($TMPDIR, else /tmp).
std::string tempDir();

/// Joins a folder and a name with one slash.
std::string joinPath(const std::string& dir, const std::string& name);

}  // namespace tarvo
