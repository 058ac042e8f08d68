#include "platform/music/MusicPlayer.h"

#include <fluidsynth.h>

#include <cstdlib>
#include <iostream>
#include <mutex>

namespace kotou {

namespace {

// FluidSynth reports its errors through a process-wide log function. The
// player gives its own single warning instead, so the library's messages are
// kept (the last one explains the warning) rather than printed each time.
std::mutex gLogMutex;
std::string gLastFluidMessage;

extern "C" void keepFluidMessage(int, const char* message, void*) {
    std::lock_guard lock(gLogMutex);
    gLastFluidMessage = message ? message : "";
}

std::string takeFluidMessage() {
    std::lock_guard lock(gLogMutex);
    std::string m;
    m.swap(gLastFluidMessage);
    return m;
}

void routeFluidLog() {
    static std::once_flag once;
    std::call_once(once, [] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN})
            fluid_set_log_function(level, keepFluidMessage, nullptr);
    });
}

std::string withReason(std::string text) {
    const std::string reason = takeFluidMessage();
    if (!reason.empty()) text += " (" + reason + ")";
    return text;
}

}  // namespace

struct FluidMusicPlayer::Fluid {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;
    fluid_player_t* player = nullptr;

    void dropPlayer() {
        if (!player) return;
        fluid_player_stop(player);
        delete_fluid_player(player);
        player = nullptr;
        fluid_synth_all_sounds_off(synth, -1);
    }

    ~Fluid() {
        dropPlayer();
        if (driver) delete_fluid_audio_driver(driver);
        if (synth) delete_fluid_synth(synth);
        if (settings) delete_fluid_settings(settings);
    }
};

FluidMusicPlayer::FluidMusicPlayer(MusicOptions options) : options_(std::move(options)) {
    if (!options_.warn) {
        options_.warn = [](const std::string& text) {
            std::cerr << "kotou: warning: " << text << '\n';
        };
    }
    if (const char* env = std::getenv("KOTOU_MUSIC_DRIVER"); env && *env) options_.drivers = {env};
}

FluidMusicPlayer::~FluidMusicPlayer() = default;

void FluidMusicPlayer::warnOnce(const std::string& key, const std::string& text) {
    if (!warned_.insert(key).second) return;
    ++warnings_;
    options_.warn(text);
}

bool FluidMusicPlayer::start() {
    started_ = true;
    routeFluidLog();
    auto fluid = std::make_unique<Fluid>();
    fluid->settings = new_fluid_settings();
    if (!fluid->settings) {
        warnOnce("init", withReason("music disabled: FluidSynth could not start"));
        return false;
    }
    fluid_settings_setstr(fluid->settings, "audio.file.name", options_.fileName.c_str());
    fluid->synth = new_fluid_synth(fluid->settings);
    if (!fluid->synth) {
        warnOnce("init", withReason("music disabled: FluidSynth could not start"));
        return false;
    }

    bool haveFont = false;
    for (const auto& font : options_.soundfonts) {
        const std::string path = font.string();
        if (fluid_is_soundfont(path.c_str()) &&
            fluid_synth_sfload(fluid->synth, path.c_str(), 1) != FLUID_FAILED) {
            haveFont = true;
            break;
        }
    }
    if (!haveFont) {
        warnOnce("soundfont",
                 "music disabled: no General MIDI soundfont found "
                 "(install timgm6mb-soundfont)");
        return false;
    }

    for (const auto& driver : options_.drivers) {
        if (driver == "none") {
            driverName_ = driver;
            break;
        }
        fluid_settings_setstr(fluid->settings, "audio.driver", driver.c_str());
        fluid->driver = new_fluid_audio_driver(fluid->settings, fluid->synth);
        if (fluid->driver) {
            driverName_ = driver;
            break;
        }
    }
    if (driverName_.empty()) {
        warnOnce("driver", withReason("music disabled: no audio device could be opened"));
        return false;
    }
    takeFluidMessage();  // failed attempts before the driver that worked
    fluid_ = std::move(fluid);
    return true;
}

bool FluidMusicPlayer::play(const std::filesystem::path& midiFile) {
    if (!started_) usable_ = start();
    if (!usable_) return false;
    fluid_->dropPlayer();

    const std::string path = midiFile.string();
    if (!fluid_is_midifile(path.c_str())) {
        warnOnce("file:" + path, "music " + path + " is missing or not a MIDI file");
        return false;
    }
    fluid_->player = new_fluid_player(fluid_->synth);
    if (!fluid_->player || fluid_player_add(fluid_->player, path.c_str()) != FLUID_OK ||
        fluid_player_play(fluid_->player) != FLUID_OK) {
        warnOnce("file:" + path, withReason("music " + path + " could not be played"));
        fluid_->dropPlayer();
        return false;
    }
    return true;
}

void FluidMusicPlayer::stop() {
    if (fluid_) fluid_->dropPlayer();
}

bool FluidMusicPlayer::playing() const {
    return fluid_ && fluid_->player &&
           fluid_player_get_status(fluid_->player) == FLUID_PLAYER_PLAYING;
}

}  // namespace kotou
