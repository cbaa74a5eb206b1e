// IniStore: a small INI file with the semantics of the desktop private-profile
// functions. Sections and keys compare without case, a missing key answers the
// caller's default, and writing one key keeps every other line of the file.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvo {

class IniStore {
public:
    IniStore() = default;

    /// Reads `path`. A missing file is an empty store (not an error); a file
    /// that exists but cannot be read answers false and leaves the store empty.
    bool load(const std::string& path);
    /// Parses INI text (lines ending in LF or CR LF).
    void parse(std::string_view text);

    /// Writes the store to `path` through a temporary file in the same folder,
    /// so a failed write never destroys the previous file.
    bool save(const std::string& path) const;
    std::string text() const;

    /// The value of `key` in `section`, or `def` when either is missing.
    std::string getString(std::string_view section, std::string_view key,
                          std::string_view def = {}) const;
    /// The leading decimal integer of the value (optional sign), `def` when the
    /// key is missing, 0 when the value does not start with a number.
    long getInt(std::string_view section, std::string_view key, long def) const;
    std::optional<std::string> find(std::string_view section, std::string_view key) const;

    /// Sets `key` in `section`, adding the section or key at its end when new.
    void setString(std::string_view section, std::string_view key, std::string_view value);
    void setInt(std::string_view section, std::string_view key, long value);
    void removeKey(std::string_view section, std::string_view key);
    void removeSection(std::string_view section);

    std::vector<std::string> sections() const;
    std::vector<std::string> keys(std::string_view section) const;

private:
    struct Line {
        std::string raw;      // the line as read, kept for comments and blank lines
        std::string key;      // empty for lines that are not key=value
        std::string value;
    };
    struct Section {
        std::string name;     // empty name: lines before the first section header
        std::vector<Line> lines;
    };

    Section* findSection(std::string_view name);
    const Section* findSection(std::string_view name) const;

    std::vector<Section> sections_;
};

/// Case-insensitive ASCII comparison, as the profile functions compare names.
bool equalsNoCase(std::string_view a, std::string_view b);

}  // namespace tarvo
