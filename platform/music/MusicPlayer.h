#pragma once
// Background music: a MIDI file played once to its end through FluidSynth.
// Music is a nicety, never a reason to stop the game: without a soundfont,
// an audio device or the file itself the player stays silent and says so
// once.

#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
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
    // Loudness, 0 (silent) to 100 (full); kept for music played later.
    virtual void setVolume(int percent) { (void)percent; }
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
    // The synthesiser's output gain. The tunes are written to one loudness at
    // this gain, some 8 LU under the event cues of the sound effects.
    double gain = 1.0;
    // Whether the first play() starts FluidSynth. When false, requests are
    // kept until prepare() is called (a program that wants its window on the
    // screen first).
    bool startOnPlay = true;
    // Receives each warning; the default writes to standard error. It may be
    // called on the player's start-up thread (never on two threads at once).
    std::function<void(const std::string&)> warn;
};

// Plays through FluidSynth. Starting FluidSynth (loading the library and the
// soundfont, opening the audio driver) takes tens of milliseconds, so it runs
// on a thread of its own, begun by prepare() or by the first play(); a game
// that never plays music never loads FluidSynth nor opens a device. Requests made meanwhile are
// kept, the latest play() or stop() winning, and carried out once FluidSynth is ready. Every member
// may be called from the owner thread at any time, including stop() and destruction while
// FluidSynth is still starting.
class FluidMusicPlayer : public MusicPlayer {
  public:
    explicit FluidMusicPlayer(MusicOptions options = {});
    // Waits for a start-up still running, then stops the music.
    ~FluidMusicPlayer() override;
    FluidMusicPlayer(const FluidMusicPlayer&) = delete;
    FluidMusicPlayer& operator=(const FluidMusicPlayer&) = delete;

    // Begins starting FluidSynth in the background; does nothing the second
    // time.
    void prepare();
    // Starts FluidSynth if needed and waits until the start-up has ended.
    // True when music can play.
    bool waitUntilReady();

    // Before FluidSynth is ready, a readable MIDI file is remembered and true
    // returned; it starts playing when FluidSynth is ready, unless another
    // play() or a stop() came in between (or the start-up fails). A missing file is refused at once
    // (and stops the music, as any new file does).
    bool play(const std::filesystem::path& midiFile) override;
    void stop() override;
    // True while a file plays, or waits for the start-up to play.
    bool playing() const override;
    void setVolume(int percent) override;

    // The driver in use once ready, or "" when none could start (or the
    // start-up is still running).
    std::string driverName() const;
    size_t warningCount() const;

  private:
    struct Fluid;
    struct Started;
    enum class State { Idle, Starting, Ready, Failed };

    void startLocked();
    void run();
    Started startFluid() const;
    bool playLocked(const std::string& path);
    void warnLocked(const std::string& key, const std::string& text);
    void applyVolumeLocked();

    MusicOptions options_;
    mutable std::mutex mutex_;
    std::condition_variable ended_;
    State state_ = State::Idle;
    bool closing_ = false;
    // The request to carry out once ready: a file, or nothing for silence.
    std::optional<std::string> pending_;
    std::unique_ptr<Fluid> fluid_;
    std::string driverName_;
    std::set<std::string> warned_;
    size_t warnings_ = 0;
    int volume_ = 100;
    std::thread worker_;
};

// Plays nothing; for hosts without music.
class SilentMusicPlayer : public MusicPlayer {
  public:
    bool play(const std::filesystem::path&) override { return false; }
    void stop() override {}
    bool playing() const override { return false; }
};

}  // namespace kotou
