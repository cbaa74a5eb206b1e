// Loading and saving the generator settings through INI files.
#include "tarvo/shell/config_store.h"

#include "tarvo/common/ini_store.h"
#include "tarvo/common/paths.h"

namespace tarvo::shell {

namespace {

constexpr const char* kSystem = "System";

// An integer key whose value must lie in [lo, hi]; anything else keeps `value`.
void readBounded(const IniStore& ini, const char* section, const char* key, long lo, long hi,
                 int& value) {
    if (!ini.find(section, key)) return;
    long v = ini.getInt(section, key, value);
    if (v >= lo && v <= hi) value = static_cast<int>(v);
}

void readSize(const IniStore& ini, const char* key, int& value) {
    readBounded(ini, kSystem, key, 1, kMaxConfigSize, value);
}

// Window coordinates may be negative (a second screen left of the first).
void readCoordinate(const IniStore& ini, const char* key, int& value) {
    readBounded(ini, kSystem, key, -kMaxConfigSize, kMaxConfigSize, value);
}

void readFlag(const IniStore& ini, const char* key, bool& value) {
    if (!ini.find(kSystem, key)) return;
    value = ini.getInt(kSystem, key, value ? 1 : 0) != 0;
}

// A string key that is missing or empty takes its default; so does a code
// the generator does not know.
void readCode(const IniStore& ini, const char* key, bool (*valid)(const std::string&),
              std::string& value) {
    std::string v = ini.getString(kSystem, key);
    if (!v.empty() && valid(v)) value = v;
}

void readColor(const IniStore& ini, const std::string& section, const char* key,
               ColorRef& value) {
    if (!ini.find(section, key)) return;
    long v = ini.getInt(section, key, static_cast<long>(value));
    if (v >= 0 && v <= static_cast<long>(kMaxColor)) value = static_cast<ColorRef>(v);
}

void loadAppearance(const IniStore& ini, NodeAppearance& a, const std::string& section) {
    readBounded(ini, section.c_str(), "Type", 0, kAppearanceTypeCount - 1, a.type);
    int shape = static_cast<int>(a.shape);
    readBounded(ini, section.c_str(), "Shape", 0, kShapeCount - 1, shape);
    a.shape = static_cast<NodeShape>(shape);
    readColor(ini, section, "Border", a.border);
    readColor(ini, section, "Fill", a.fill);
    readColor(ini, section, "Text", a.text);
}

bool isDecimal(const std::string& text) {
    size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size()) return false;
    for (; i < text.size(); ++i)
        if (text[i] < '0' || text[i] > '9') return false;
    return true;
}

void loadRecent(const IniStore& ini, RecentFileList& recent) {
    // Only a count that is a number counts; otherwise the list stays empty
    // with its built-in maximum.
    auto count = ini.find(kRecentSection, "DocumentCount");
    if (!count || !isDecimal(*count)) return;
    recent.setMaximum(ini.getInt(kRecentSection, "DocumentCount", kDefaultRecentFiles));
    // Number 1 is the newest; appending in ascending order keeps that order.
    for (int i = 1; i <= recent.maximum(); ++i) {
        auto path = ini.find(kRecentSection, "Document" + std::to_string(i));
        if (path) recent.appendOldest(*path);
    }
}

}  // namespace

ConfigStore::ConfigStore(std::string folder) : folder_(std::move(folder)) {
    if (folder_.empty()) folder_ = settingsDir();
}

std::string ConfigStore::configPath() const { return joinPath(folder_, kConfigFileName); }
std::string ConfigStore::recentPath() const { return joinPath(folder_, kRecentFileName); }

GeneratorConfig ConfigStore::load() const {
    GeneratorConfig c;
    IniStore ini;
    ini.load(configPath());  // a missing or unreadable file leaves every default

    readBounded(ini, kSystem, "DefaultPDTType", 0, kModelCount - 1, c.defaultModel);
    readCode(ini, "DefaultLanguage", isPromptLanguageCode, c.defaultLanguage);
    readCode(ini, "DefaultSysFontSize", isSystemFontCode, c.defaultSysFontSize);
    std::string font = ini.getString(kSystem, "Font");
    if (!font.empty()) c.fontName = font;
    readSize(ini, "FontSize", c.fontSize);
    readFlag(ini, "ShowToolbar", c.showToolbar);
    readFlag(ini, "ShowNodesToolbar", c.showNodesToolbar);
    readFlag(ini, "ShowTree", c.showTree);
    readFlag(ini, "ShowStatus", c.showStatus);
    readFlag(ini, "ShowGrid", c.showGrid);
    readFlag(ini, "SnapToGrid", c.snapToGrid);
    readSize(ini, "GridSizeX", c.gridSizeX);
    readSize(ini, "GridSizeY", c.gridSizeY);
    readBounded(ini, kSystem, "BorderSize", 0, kMaxConfigSize, c.borderSize);
    readSize(ini, "NodeSizeX", c.nodeSizeX);
    readSize(ini, "NodeSizeY", c.nodeSizeY);
    readSize(ini, "FrameSizeX", c.frameSizeX);
    readSize(ini, "FrameSizeY", c.frameSizeY);
    readCoordinate(ini, "StateMinX", c.placement.minX);
    readCoordinate(ini, "StateMinY", c.placement.minY);
    readCoordinate(ini, "StateMaxX", c.placement.maxX);
    readCoordinate(ini, "StateMaxY", c.placement.maxY);
    readCoordinate(ini, "PosLeft", c.placement.left);
    readCoordinate(ini, "PosTop", c.placement.top);
    readCoordinate(ini, "PosRight", c.placement.right);
    readCoordinate(ini, "PosBottom", c.placement.bottom);

    for (int i = 0; i < kAppearanceTypeCount; ++i)
        loadAppearance(ini, c.appearances[i], std::string(kAppearanceSectionNames[i]));

    IniStore recentIni;
    recentIni.load(recentPath());
    loadRecent(recentIni, c.recentFiles);
    return c;
}

bool ConfigStore::save(const GeneratorConfig& c) const {
    // Start from the file as it is, so keys of other versions survive.
    IniStore ini;
    ini.load(configPath());
    ini.setInt(kSystem, "DefaultPDTType", c.defaultModel);
    ini.setString(kSystem, "DefaultLanguage", c.defaultLanguage);
    ini.setString(kSystem, "DefaultSysFontSize", c.defaultSysFontSize);
    ini.setString(kSystem, "Font", c.fontName);
    ini.setInt(kSystem, "FontSize", c.fontSize);
    ini.setInt(kSystem, "ShowToolbar", c.showToolbar);
    ini.setInt(kSystem, "ShowNodesToolbar", c.showNodesToolbar);
    ini.setInt(kSystem, "ShowTree", c.showTree);
    ini.setInt(kSystem, "ShowStatus", c.showStatus);
    ini.setInt(kSystem, "ShowGrid", c.showGrid);
    ini.setInt(kSystem, "SnapToGrid", c.snapToGrid);
    ini.setInt(kSystem, "GridSizeX", c.gridSizeX);
    ini.setInt(kSystem, "GridSizeY", c.gridSizeY);
    ini.setInt(kSystem, "BorderSize", c.borderSize);
    ini.setInt(kSystem, "NodeSizeX", c.nodeSizeX);
    ini.setInt(kSystem, "NodeSizeY", c.nodeSizeY);
    ini.setInt(kSystem, "FrameSizeX", c.frameSizeX);
    ini.setInt(kSystem, "FrameSizeY", c.frameSizeY);
    ini.setInt(kSystem, "StateMinX", c.placement.minX);
    ini.setInt(kSystem, "StateMinY", c.placement.minY);
    ini.setInt(kSystem, "StateMaxX", c.placement.maxX);
    ini.setInt(kSystem, "StateMaxY", c.placement.maxY);
    ini.setInt(kSystem, "PosLeft", c.placement.left);
    ini.setInt(kSystem, "PosTop", c.placement.top);
    ini.setInt(kSystem, "PosRight", c.placement.right);
    ini.setInt(kSystem, "PosBottom", c.placement.bottom);
    for (int i = 0; i < kAppearanceTypeCount; ++i) {
        const NodeAppearance& a = c.appearances[i];
        std::string section(kAppearanceSectionNames[i]);
        ini.setInt(section, "Type", a.type);
        ini.setInt(section, "Shape", static_cast<int>(a.shape));
        ini.setInt(section, "Border", static_cast<long>(a.border));
        ini.setInt(section, "Fill", static_cast<long>(a.fill));
        ini.setInt(section, "Text", static_cast<long>(a.text));
    }
    bool ok = ini.save(configPath());

    IniStore recent;
    recent.load(recentPath());
    const auto& entries = c.recentFiles.entries();
    recent.setInt(kRecentSection, "DocumentCount", c.recentFiles.maximum());
    for (size_t i = 0; i < entries.size(); ++i)
        recent.setString(kRecentSection, "Document" + std::to_string(i + 1), entries[i]);
    // Remove every number above the list, up to the largest possible list, so
    // no stale entry comes back when the list is read again.
    for (int i = static_cast<int>(entries.size()) + 1; i <= kMaxRecentFiles; ++i)
        recent.removeKey(kRecentSection, "Document" + std::to_string(i));
    return recent.save(recentPath()) && ok;
}

}  // namespace tarvo::shell
