#include "platform/music/MusicPlayer.h"

#include <dlfcn.h>
#include <fluidsynth.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iostream>
#include <mutex>

namespace kotou {

namespace {

// FluidSynth and the many libraries it needs are loaded when the music
// starts, on the start-up thread, not when the program starts: loading them
// costs the game's start-up several milliseconds.
#define KOTOU_FLUID_FUNCTIONS(X)  \
    X(new_fluid_settings)         \
    X(delete_fluid_settings)      \
    X(fluid_settings_setstr)      \
    X(fluid_settings_setnum)      \
    X(new_fluid_synth)            \
    X(delete_fluid_synth)         \
    X(fluid_synth_sfload)         \
    X(fluid_synth_all_sounds_off) \
    X(fluid_synth_set_gain)       \
    X(fluid_is_soundfont)         \
    X(new_fluid_audio_driver)     \
    X(delete_fluid_audio_driver)  \
    X(new_fluid_player)           \
    X(delete_fluid_player)        \
    X(fluid_player_add)           \
    X(fluid_player_play)          \
    X(fluid_player_stop)          \
    X(fluid_player_get_status)    \
    X(fluid_set_log_function)

struct FluidApi {
#define KOTOU_FLUID_MEMBER(name) decltype(&::name) name = nullptr;
    KOTOU_FLUID_FUNCTIONS(KOTOU_FLUID_MEMBER)
#undef KOTOU_FLUID_MEMBER
};

// The library's functions, or nullptr when it cannot be loaded (`error`
// then says why). Loaded once; the library stays loaded.
const FluidApi* loadFluid(std::string& error) {
    static std::string loadError;
    static const FluidApi* api = []() -> const FluidApi* {
        void* lib = nullptr;
        for (const char* name :
             {KOTOU_FLUIDSYNTH_LIBRARY, "libfluidsynth.so.3", "libfluidsynth.so"}) {
            if ((lib = dlopen(name, RTLD_NOW | RTLD_LOCAL))) break;
        }
        if (!lib) {
            const char* why = dlerror();
            loadError = why ? why : "libfluidsynth not found";
            return nullptr;
        }
        static FluidApi loaded;
        bool complete = true;
#define KOTOU_FLUID_LOAD(name)                                            \
    loaded.name = reinterpret_cast<decltype(&::name)>(dlsym(lib, #name)); \
    if (!loaded.name) {                                                   \
        complete = false;                                                 \
        loadError = "libfluidsynth lacks " #name;                         \
    }
        KOTOU_FLUID_FUNCTIONS(KOTOU_FLUID_LOAD)
#undef KOTOU_FLUID_LOAD
        return complete ? &loaded : nullptr;
    }();
    error = loadError;
    return api;
}

// A standard MIDI file starts with its header chunk. Checked without the
// library, which may still be loading.
bool isMidiFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char magic[4] = {};
    return in.read(magic, sizeof magic) && std::memcmp(magic, "MThd", 4) == 0;
}

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

void routeFluidLog(const FluidApi* fl) {
    static std::once_flag once;
    std::call_once(once, [fl] {
        for (int level : {FLUID_PANIC, FLUID_ERR, FLUID_WARN})
            fl->fluid_set_log_function(level, keepFluidMessage, nullptr);
    });
}

std::string withReason(std::string text) {
    const std::string reason = takeFluidMessage();
    if (!reason.empty()) text += " (" + reason + ")";
    return text;
}

}  // namespace

struct FluidMusicPlayer::Fluid {
    const FluidApi* fl = nullptr;
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    fluid_audio_driver_t* driver = nullptr;
    fluid_player_t* player = nullptr;

    void dropPlayer() {
        if (!player) return;
        fl->fluid_player_stop(player);
        fl->delete_fluid_player(player);
        player = nullptr;
        fl->fluid_synth_all_sounds_off(synth, -1);
    }

    ~Fluid() {
        if (!fl) return;
        dropPlayer();
        if (driver) fl->delete_fluid_audio_driver(driver);
        if (synth) fl->delete_fluid_synth(synth);
        if (settings) fl->delete_fluid_settings(settings);
    }
};

// What the start-up thread hands over: FluidSynth ready to play, or the
// warning that says why music is off.
struct FluidMusicPlayer::Started {
    std::unique_ptr<Fluid> fluid;
    std::string driver;
    std::string warnKey, warnText;
};

FluidMusicPlayer::FluidMusicPlayer(MusicOptions options) : options_(std::move(options)) {
    if (!options_.warn) {
        options_.warn = [](const std::string& text) {
            std::cerr << "kotou: warning: " << text << '\n';
        };
    }
    if (const char* env = std::getenv("KOTOU_MUSIC_DRIVER"); env && *env) options_.drivers = {env};
}

FluidMusicPlayer::~FluidMusicPlayer() {
    {
        std::lock_guard lock(mutex_);
        closing_ = true;
        pending_.reset();
    }
    // FluidSynth cannot be interrupted while it loads the soundfont; the
    // start-up ends by itself and plays nothing once closing_ is set.
    if (worker_.joinable()) worker_.join();
    fluid_.reset();
}

void FluidMusicPlayer::warnLocked(const std::string& key, const std::string& text) {
    if (!warned_.insert(key).second) return;
    ++warnings_;
    options_.warn(text);
}

void FluidMusicPlayer::prepare() {
    std::lock_guard lock(mutex_);
    startLocked();
}

void FluidMusicPlayer::startLocked() {
    if (state_ != State::Idle) return;
    state_ = State::Starting;
    worker_ = std::thread(&FluidMusicPlayer::run, this);
}

bool FluidMusicPlayer::waitUntilReady() {
    std::unique_lock lock(mutex_);
    startLocked();
    ended_.wait(lock, [this] { return state_ == State::Ready || state_ == State::Failed; });
    return state_ == State::Ready;
}

// The start-up thread: the slow part runs unlocked, then the request made
// meanwhile (if any) is carried out.
void FluidMusicPlayer::run() {
    Started started = startFluid();
    {
        std::lock_guard lock(mutex_);
        if (!started.warnKey.empty()) warnLocked(started.warnKey, started.warnText);
        if (started.fluid) {
            fluid_ = std::move(started.fluid);
            driverName_ = started.driver;
            state_ = State::Ready;
            applyVolumeLocked();
            if (pending_ && !closing_) playLocked(*pending_);
        } else {
            state_ = State::Failed;
        }
        pending_.reset();
    }
    ended_.notify_all();
}

FluidMusicPlayer::Started FluidMusicPlayer::startFluid() const {
    Started out;
    auto fail = [&out](std::string key, std::string text) {
        out.fluid.reset();
        out.warnKey = std::move(key);
        out.warnText = std::move(text);
        return std::move(out);
    };
    std::string loadError;
    const FluidApi* fl = loadFluid(loadError);
    if (!fl)
        return fail("init", "music disabled: FluidSynth could not be loaded (" + loadError + ")");
    routeFluidLog(fl);
    auto fluid = std::make_unique<Fluid>();
    fluid->fl = fl;
    fluid->settings = fl->new_fluid_settings();
    if (!fluid->settings)
        return fail("init", withReason("music disabled: FluidSynth could not start"));
    fl->fluid_settings_setstr(fluid->settings, "audio.file.name", options_.fileName.c_str());
    fl->fluid_settings_setnum(fluid->settings, "synth.gain", options_.gain);
    fluid->synth = fl->new_fluid_synth(fluid->settings);
    if (!fluid->synth)
        return fail("init", withReason("music disabled: FluidSynth could not start"));

    bool haveFont = false;
    for (const auto& font : options_.soundfonts) {
        const std::string path = font.string();
        if (fl->fluid_is_soundfont(path.c_str()) &&
            fl->fluid_synth_sfload(fluid->synth, path.c_str(), 1) != FLUID_FAILED) {
            haveFont = true;
            break;
        }
    }
    if (!haveFont) {
        return fail("soundfont",
                    "music disabled: no General MIDI soundfont found "
                    "(install timgm6mb-soundfont)");
    }

    for (const auto& driver : options_.drivers) {
        if (driver == "none") {
            out.driver = driver;
            break;
        }
        fl->fluid_settings_setstr(fluid->settings, "audio.driver", driver.c_str());
        fluid->driver = fl->new_fluid_audio_driver(fluid->settings, fluid->synth);
        if (fluid->driver) {
            out.driver = driver;
            break;
        }
    }
    if (out.driver.empty())
        return fail("driver", withReason("music disabled: no audio device could be opened"));
    takeFluidMessage();  // failed attempts before the driver that worked
    out.fluid = std::move(fluid);
    return out;
}

// FluidSynth's own gain at full volume.
constexpr float kFullGain = 0.2f;

void FluidMusicPlayer::setVolume(int percent) {
    std::lock_guard lock(mutex_);
    volume_ = std::clamp(percent, 0, 100);
    applyVolumeLocked();
}

void FluidMusicPlayer::applyVolumeLocked() {
    if (fluid_ && fluid_->synth)
        fluid_->fl->fluid_synth_set_gain(fluid_->synth,
                                         kFullGain * static_cast<float>(volume_) / 100);
}

bool FluidMusicPlayer::play(const std::filesystem::path& midiFile) {
    std::lock_guard lock(mutex_);
    if (state_ == State::Failed || closing_) return false;
    const std::string path = midiFile.string();
    if (!isMidiFile(path)) {
        warnLocked("file:" + path, "music " + path + " is missing or not a MIDI file");
        // A new file replaces the old one even when it cannot play.
        pending_.reset();
        if (fluid_) fluid_->dropPlayer();
        return false;
    }
    if (state_ == State::Ready) return playLocked(path);
    pending_ = path;
    if (options_.startOnPlay) startLocked();
    return true;
}

bool FluidMusicPlayer::playLocked(const std::string& path) {
    fluid_->dropPlayer();
    const FluidApi* fl = fluid_->fl;
    fluid_->player = fl->new_fluid_player(fluid_->synth);
    if (!fluid_->player || fl->fluid_player_add(fluid_->player, path.c_str()) != FLUID_OK ||
        fl->fluid_player_play(fluid_->player) != FLUID_OK) {
        warnLocked("file:" + path, withReason("music " + path + " could not be played"));
        fluid_->dropPlayer();
        return false;
    }
    return true;
}

void FluidMusicPlayer::stop() {
    std::lock_guard lock(mutex_);
    pending_.reset();
    if (fluid_) fluid_->dropPlayer();
}

bool FluidMusicPlayer::playing() const {
    std::lock_guard lock(mutex_);
    if (state_ == State::Idle || state_ == State::Starting) return pending_.has_value();
    return fluid_ && fluid_->player &&
           fluid_->fl->fluid_player_get_status(fluid_->player) == FLUID_PLAYER_PLAYING;
}

std::string FluidMusicPlayer::driverName() const {
    std::lock_guard lock(mutex_);
    return driverName_;
}

size_t FluidMusicPlayer::warningCount() const {
    std::lock_guard lock(mutex_);
    return warnings_;
}

}  // namespace kotou
