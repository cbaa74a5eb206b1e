// IniStore: private-profile style INI files.
#include "tarvo/common/ini_store.h"

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "tarvo/common/safe_file.h"

namespace tarvo {

namespace {

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

}  // namespace

bool equalsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

bool IniStore::load(const std::string& path) {
    sections_.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::ifstream probe(path);
        // A missing file is simply an empty store.
        return !probe.is_open();
    }
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad()) return false;
    parse(buf.str());
    return true;
}

void IniStore::parse(std::string_view text) {
    sections_.clear();
    sections_.push_back(Section{});
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(pos, end - pos);
        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        pos = end + 1;

        std::string_view t = trim(raw);
        if (t.size() >= 2 && t.front() == '[') {
            size_t close = t.find(']');
            if (close != std::string_view::npos) {
                Section s;
                s.name = std::string(trim(t.substr(1, close - 1)));
                sections_.push_back(std::move(s));
                continue;
            }
        }
        Line line;
        line.raw = std::string(raw);
        if (!t.empty() && t.front() != ';' && t.front() != '#') {
            size_t eq = t.find('=');
            if (eq != std::string_view::npos && eq > 0) {
                line.key = std::string(trim(t.substr(0, eq)));
                line.value = std::string(trim(t.substr(eq + 1)));
            }
        }
        sections_.back().lines.push_back(std::move(line));
    }
}

std::string IniStore::text() const {
    std::string out;
    for (const Section& s : sections_) {
        if (!s.name.empty()) out += "[" + s.name + "]\n";
        for (const Line& l : s.lines) {
            out += l.key.empty() ? l.raw : l.key + "=" + l.value;
            out += '\n';
        }
    }
    return out;
}

bool IniStore::save(const std::string& path) const {
    return writeFileSafely(path, text()).ok;
}

IniStore::Section* IniStore::findSection(std::string_view name) {
    for (Section& s : sections_)
        if (!s.name.empty() && equalsNoCase(s.name, name)) return &s;
    return nullptr;
}

const IniStore::Section* IniStore::findSection(std::string_view name) const {
    return const_cast<IniStore*>(this)->findSection(name);
}

std::optional<std::string> IniStore::find(std::string_view section, std::string_view key) const {
    const Section* s = findSection(section);
    if (!s) return std::nullopt;
    for (const Line& l : s->lines)
        if (!l.key.empty() && equalsNoCase(l.key, key)) return l.value;
    return std::nullopt;
}

std::string IniStore::getString(std::string_view section, std::string_view key,
                                std::string_view def) const {
    auto v = find(section, key);
    return v ? *v : std::string(def);
}

long IniStore::getInt(std::string_view section, std::string_view key, long def) const {
    auto v = find(section, key);
    if (!v) return def;
    const char* p = v->c_str();
    char* end = nullptr;
    long n = std::strtol(p, &end, 10);
    return end == p ? 0 : n;
}

void IniStore::setString(std::string_view section, std::string_view key, std::string_view value) {
    Section* s = findSection(section);
    if (!s) {
        sections_.push_back(Section{std::string(section), {}});
        s = &sections_.back();
    }
    for (Line& l : s->lines) {
        if (!l.key.empty() && equalsNoCase(l.key, key)) {
            l.value = std::string(value);
            return;
        }
    }
    // New keys go after the last key of the section, before trailing blank lines.
    size_t at = s->lines.size();
    while (at > 0 && trim(s->lines[at - 1].raw).empty() && s->lines[at - 1].key.empty()) --at;
    Line line;
    line.key = std::string(key);
    line.value = std::string(value);
    s->lines.insert(s->lines.begin() + static_cast<long>(at), std::move(line));
}

void IniStore::setInt(std::string_view section, std::string_view key, long value) {
    setString(section, key, std::to_string(value));
}

void IniStore::removeKey(std::string_view section, std::string_view key) {
    Section* s = findSection(section);
    if (!s) return;
    std::erase_if(s->lines, [&](const Line& l) { return !l.key.empty() && equalsNoCase(l.key, key); });
}

void IniStore::removeSection(std::string_view section) {
    std::erase_if(sections_, [&](const Section& s) { return !s.name.empty() && equalsNoCase(s.name, section); });
}

std::vector<std::string> IniStore::sections() const {
    std::vector<std::string> out;
    for (const Section& s : sections_)
        if (!s.name.empty()) out.push_back(s.name);
    return out;
}

std::vector<std::string> IniStore::keys(std::string_view section) const {
    std::vector<std::string> out;
    if (const Section* s = findSection(section))
        for (const Line& l : s->lines)
            if (!l.key.empty()) out.push_back(l.key);
    return out;
}

}  // namespace tarvo
