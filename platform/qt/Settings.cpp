#include "platform/qt/Settings.h"

#include <pwd.h>
#include <unistd.h>

#include <charconv>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string_view>
#include <system_error>

namespace kotou {
namespace {

constexpr const char* kSection = "[kotou]";
// Larger files are not settings files.
constexpr std::uintmax_t kMaxFileBytes = 64 * 1024;

struct SpeedName {
    TextSpeed speed;
    const char* name;
};
constexpr SpeedName kSpeedNames[] = {{TextSpeed::Slow, "slow"},
                                     {TextSpeed::Normal, "normal"},
                                     {TextSpeed::Fast, "fast"},
                                     {TextSpeed::Instant, "instant"}};

// One integer setting: its name, where it lives and its range.
struct IntField {
    const char* name;
    int Settings::*field;
    int low, high;
};
constexpr IntField kIntFields[] = {
    {"scale", &Settings::scale, 0, Settings::kMaxScale},
    {"bgm", &Settings::bgmVolume, 0, 100},
    {"sound", &Settings::soundVolume, 0, 100},
    {"auto", &Settings::autoSeconds, 0, Settings::kMaxAutoSeconds},
};
struct BoolField {
    const char* name;
    bool Settings::*field;
};
constexpr BoolField kBoolFields[] = {{"fullscreen", &Settings::fullscreen},
                                     {"mute", &Settings::mute}};

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

bool parseInt(std::string_view t, int& v) {
    const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
    return !t.empty() && ec == std::errc() && end == t.data() + t.size();
}

// Sets one named value; false with `why` for a bad value. An unknown name is
// not an error (a newer game may write more).
bool assign(Settings& s, std::string_view name, std::string_view value, std::string& why) {
    for (const IntField& f : kIntFields) {
        if (name != f.name) continue;
        int v = 0;
        if (!parseInt(value, v) || v < f.low || v > f.high) {
            why = std::string(name) + "=" + std::string(value) + " is not " +
                  std::to_string(f.low) + ".." + std::to_string(f.high);
            return false;
        }
        s.*f.field = v;
        return true;
    }
    for (const BoolField& f : kBoolFields) {
        if (name != f.name) continue;
        if (value != "0" && value != "1") {
            why = std::string(name) + "=" + std::string(value) + " is not 0 or 1";
            return false;
        }
        s.*f.field = value == "1";
        return true;
    }
    if (name == "textSpeed") {
        for (const SpeedName& n : kSpeedNames)
            if (value == n.name) {
                s.textSpeed = n.speed;
                return true;
            }
        why = "textSpeed=" + std::string(value) + " is not slow, normal, fast or instant";
        return false;
    }
    return true;
}

std::string homeFolder() {
    if (const char* h = std::getenv("HOME"); h && *h) return h;
    if (const passwd* pw = getpwuid(getuid()); pw && pw->pw_dir) return pw->pw_dir;
    return {};
}

}  // namespace

std::string formatSettings(const Settings& s) {
    std::ostringstream out;
    out << kSection << '\n';
    for (const IntField& f : kIntFields) out << f.name << '=' << s.*f.field << '\n';
    for (const BoolField& f : kBoolFields) out << f.name << '=' << (s.*f.field ? 1 : 0) << '\n';
    for (const SpeedName& n : kSpeedNames)
        if (n.speed == s.textSpeed) out << "textSpeed=" << n.name << '\n';
    return out.str();
}

bool parseSettings(const std::string& text, Settings& out, std::string& why) {
    Settings s;
    out = Settings{};
    if (text.find('\0') != std::string::npos) {
        why = "not a text file";
        return false;
    }
    std::istringstream in(text);
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        const std::string_view t = trim(line);
        if (t.empty() || t.front() == '#' || t.front() == ';' || t.front() == '[') continue;
        const size_t eq = t.find('=');
        std::string problem;
        if (eq == std::string_view::npos) {
            problem = "expected name=value";
        } else if (!assign(s, trim(t.substr(0, eq)), trim(t.substr(eq + 1)), problem)) {
            // problem is set
        } else {
            continue;
        }
        why = "line " + std::to_string(number) + ": " + problem;
        return false;
    }
    out = s;
    return true;
}

std::filesystem::path settingsFile(const std::string& xdgConfigHome, const std::string& home) {
    namespace fs = std::filesystem;
    if (!xdgConfigHome.empty() && fs::path(xdgConfigHome).is_absolute())
        return fs::path(xdgConfigHome) / "kotou" / "settings.ini";
    if (!home.empty()) return fs::path(home) / ".config" / "kotou" / "settings.ini";
    return {};
}

std::filesystem::path settingsFile() {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    return settingsFile(xdg ? xdg : "", homeFolder());
}

Settings loadSettings(const std::filesystem::path& file, std::string& warning) {
    namespace fs = std::filesystem;
    warning.clear();
    Settings s;
    if (file.empty()) {
        warning = "no settings folder is known (HOME is not set); using the defaults";
        return s;
    }
    std::error_code ec;
    const bool exists = fs::exists(file, ec);
    if (!exists && !ec) {
        warning = file.string() + " does not exist yet; using the defaults";
        return s;
    }
    const std::uintmax_t size = fs::is_regular_file(file, ec) ? fs::file_size(file, ec) : 0;
    std::ifstream in(file, std::ios::binary);
    if (ec || !fs::is_regular_file(file) || !in) {
        warning = file.string() + " cannot be read; using the defaults";
        return s;
    }
    if (size > kMaxFileBytes) {
        warning = file.string() + " is damaged (too large); using the defaults";
        return s;
    }
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) {
        warning = file.string() + " cannot be read; using the defaults";
        return s;
    }
    std::string why;
    if (!parseSettings(text, s, why))
        warning = file.string() + " is damaged (" + why + "); using the defaults";
    return s;
}

bool saveSettings(const std::filesystem::path& file, const Settings& s, std::string& error) {
    namespace fs = std::filesystem;
    if (file.empty()) {
        error = "no settings folder is known";
        return false;
    }
    std::error_code ec;
    fs::create_directories(file.parent_path(), ec);
    const fs::path tmp = file.string() + ".tmp" + std::to_string(getpid());
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        out << formatSettings(s);
        out.flush();
        if (!out) {
            error = file.parent_path().string() + " cannot be written";
            out.close();
            fs::remove(tmp, ec);
            return false;
        }
    }
    fs::rename(tmp, file, ec);
    if (ec) {
        error = file.string() + " cannot be written: " + ec.message();
        fs::remove(tmp, ec);
        return false;
    }
    return true;
}

}  // namespace kotou
