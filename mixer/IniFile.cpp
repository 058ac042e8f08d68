#include "mixer/IniFile.h"

#include <cctype>
#include <climits>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace kotou {

namespace {

std::string lower(std::string s) {
    for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return {};
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

int toInt(const std::string& text) {
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long v = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        v = v * 10 + (text[i] - '0');
        if (v > INT_MAX) v = INT_MAX;  // saturate rather than overflow
    }
    return int(negative ? -v : v);
}

}  // namespace

IniFile IniFile::load(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

IniFile IniFile::parse(const std::string& text) {
    IniFile ini;
    std::istringstream in(text);
    std::string line, section;
    bool inSection = false;
    while (std::getline(in, line)) {
        line = trim(line);
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            section = lower(
                trim(line.substr(1, close == std::string::npos ? std::string::npos : close - 1)));
            inSection = true;
            continue;
        }
        size_t eq = line.find('=');
        if (!inSection || eq == std::string::npos) continue;
        std::string key = lower(trim(line.substr(0, eq)));
        auto& keys = ini.sections_[section];
        if (!keys.count(key)) keys[key] = trim(line.substr(eq + 1));  // the first one counts
    }
    return ini;
}

int IniFile::readInt(const std::string& section, const std::string& key, int defaultValue) const {
    auto s = sections_.find(lower(section));
    if (s == sections_.end()) return defaultValue;
    auto k = s->second.find(lower(key));
    if (k == s->second.end()) return defaultValue;
    return toInt(k->second);
}

std::string userSettingsFolder() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg) return xdg;
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + "/.config";
    return {};
}

}  // namespace kotou
