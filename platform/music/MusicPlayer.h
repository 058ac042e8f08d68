#pragma once
// Background music: a MIDI file played once to its end through FluidSynth.
// Music is a nicety, never a reason to stop the game: without a soundfont,
// an audio device or the file itself the player stays silent and says so
// once.

#include <filesystem>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace kotou {

class MusicPlayer {
  public:
    virtual ~MusicPlayer() = default;
    // Starts the file from its beginning, replacing whatever was playing.
    // Returns false (silently after the first warning) when it cannot play.
    virtual bool play(const std::filesystem::path& midiFile) = 0;
    // Stops the music; harmless when nothing plays.
    virtual void stop() = 0;
    // True while a file is being played.
    virtual bool playing() const = 0;
};

struct MusicOptions {
    // Soundfonts tried in order; the first that loads is used.
    std::vector<std::filesystem::path> soundfonts{"/usr/share/sounds/sf2/TimGM6mb.sf2",
                                                  "/usr/share/sounds/sf2/default-GM.sf2"};
    // FluidSynth audio drivers tried in order. "none" renders nothing (the
    // player still advances no further than its start); "file" writes to
    // fileName. The environment variable KOTOU_MUSIC_DRIVER, when set,
    // replaces this list with its one value.
    std::vector<std::string> drivers{"pulseaudio", "alsa", "sdl2"};
    std::string fileName = "kotou-music.wav";
    // Receives each warning; the default writes to standard error.
    std::function<void(const std::string&)> warn;
};

// Plays through FluidSynth. The synthesizer and the audio driver start with
// the first play() call, so a game that never plays music never opens a
// device.
class FluidMusicPlayer : public MusicPlayer {
  public:
    explicit FluidMusicPlayer(MusicOptions options = {});
    ~FluidMusicPlayer() override;
    FluidMusicPlayer(const FluidMusicPlayer&) = delete;
    FluidMusicPlayer& operator=(const FluidMusicPlayer&) = delete;

    bool play(const std::filesystem::path& midiFile) override;
    void stop() override;
    bool playing() const override;

    // The driver in use after the first play(), or "" when none could start.
    const std::string& driverName() const { return driverName_; }
    size_t warningCount() const { return warnings_; }

  private:
    struct Fluid;
    bool start();
    void warnOnce(const std::string& key, const std::string& text);

    MusicOptions options_;
    std::unique_ptr<Fluid> fluid_;
    bool started_ = false;
    bool usable_ = false;
    std::string driverName_;
    std::set<std::string> warned_;
    size_t warnings_ = 0;
};

// Plays nothing; for hosts without music.
class SilentMusicPlayer : public MusicPlayer {
  public:
    bool play(const std::filesystem::path&) override { return false; }
    void stop() override {}
    bool playing() const override { return false; }
};

}  // namespace kotou
