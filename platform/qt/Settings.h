#pragma once
// The player's settings: window scale, full screen, volumes, text speed and
// automatic reading. They live in $XDG_CONFIG_HOME/kotou/settings.ini
// (~/.config/kotou/settings.ini), never in the save, and they change only how
// the game is shown and heard: no rule and no random draw depends on them.

#include <filesystem>
#include <string>

namespace kotou {

enum class TextSpeed { Slow, Normal, Fast, Instant };

struct Settings {
    static constexpr int kMaxScale = 3;
    static constexpr int kMaxAutoSeconds = 5;

    int scale = 0;  // 1..kMaxScale; 0: not chosen yet (the largest that fits the screen)
    bool fullscreen = false;
    int bgmVolume = 100;    // 0..100
    int soundVolume = 100;  // 0..100
    bool mute = false;
    TextSpeed textSpeed = TextSpeed::Normal;
    int autoSeconds = 0;  // 0: a waiting message waits for the player; else 1..kMaxAutoSeconds

    // What is heard: 0 while muted.
    int heardBgm() const { return mute ? 0 : bgmVolume; }
    int heardSound() const { return mute ? 0 : soundVolume; }

    bool operator==(const Settings&) const = default;
};

// The settings file: ini lines "name=value" under "[kotou]". Reading takes
// every known name with a valid value; an unknown name is skipped. A value out
// of range, a line that is not name=value, or a file that is not text makes
// the whole file "damaged".
std::string formatSettings(const Settings& s);
// False (and `why` says what is wrong) when the text is damaged; `out` then
// holds the defaults.
bool parseSettings(const std::string& text, Settings& out, std::string& why);

// $XDG_CONFIG_HOME/kotou/settings.ini when that variable is an absolute path,
// else home/.config/kotou/settings.ini; empty when neither is known.
std::filesystem::path settingsFile(const std::string& xdgConfigHome, const std::string& home);
// The file of this process's environment.
std::filesystem::path settingsFile();

// Reads the file. A missing, unreadable or damaged file gives the defaults
// and `warning` says why, in one line (empty when the file was read).
Settings loadSettings(const std::filesystem::path& file, std::string& warning);
// Writes the file (creating its folder) through a temporary file, so a failed
// write leaves the old file whole. False, with `error` set, when it cannot.
bool saveSettings(const std::filesystem::path& file, const Settings& s, std::string& error);

}  // namespace kotou
