#pragma once
// A small reader of integer settings in "[section]" / "key=value" files.
// Section and key names match without regard to ASCII case; a value is read
// as an optionally signed decimal number (text that is not a number reads as
// 0); a missing file, section or key gives the caller's default.

#include <map>
#include <string>

namespace kotou {

class IniFile {
  public:
    IniFile() = default;
    // Reads `path`; a file that cannot be opened leaves the settings empty.
    static IniFile load(const std::string& path);
    static IniFile parse(const std::string& text);

    int readInt(const std::string& section, const std::string& key, int defaultValue) const;

  private:
    std::map<std::string, std::map<std::string, std::string>> sections_;  // lower-case names
};

// The user's settings folder: $XDG_CONFIG_HOME, else $HOME/.config; empty if
// neither is set.
std::string userSettingsFolder();

}  // namespace kotou
