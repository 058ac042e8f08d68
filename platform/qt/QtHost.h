#pragma once
// The Host of the real game: the Qt window, the sound cues and the music.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "shell/Host.h"

class QTimer;

namespace kotou {

class MusicPlayer;
class TForm1;

struct QtHostOptions {
    // Folder with cg/ and dat/; empty = the executable's folder.
    std::filesystem::path baseDir;
    // Where saves are written and read (see Host); empty = baseDir.
    std::filesystem::path saveDir;
    std::filesystem::path loadDir;
    // Plays a sound cue: mixer channel 0..3 and the wave's file name in the
    // dat folder, as the game gives it (MixerSoundCues::playSound takes
    // exactly these). Should not throw; QtHost swallows anything it throws.
    // Empty = no sound.
    std::function<void(int channel, const std::string& fileName)> soundCue;
    // The music player (not owned); nullptr = no music.
    MusicPlayer* music = nullptr;
    // Answers yes/no questions without a dialog (tests, scripted runs).
    std::function<bool(const std::string& text)> confirm;
    // Receives errors instead of a dialog (tests, scripted runs).
    std::function<void(const std::string& text)> error;
};

// The host also keeps the message history of the window (HostObserver), and
// carries out the player's reading settings: the text speed, automatic
// reading and skipping with Ctrl.
class QtHost : public Host, public HostObserver {
  public:
    explicit QtHost(QtHostOptions options = {});
    ~QtHost() override;

    // The window to draw and to own dialogs; set once it exists.
    void attach(TForm1* window) { window_ = window; }
    TForm1* window() const { return window_; }
    QtHostOptions& options() { return options_; }

    void repaint() override;
    void repaintForm() override;
    void processEvents() override;
    // The typewriter's step at the player's text speed.
    void sleepMs(int ms) override;
    bool revealAtOnce() const override;
    // Blocks in the event loop until an event is processed or timeoutMs pass.
    // A waiting message is advanced as by a click when Ctrl is held, and
    // after the player's automatic reading time.
    int waitForEvents(int timeoutMs) override;
    void playSound(int channel, const std::string& file) override;
    void playMusic(const std::string& file) override;
    bool confirm(const std::string& text) override;
    void showError(const std::string& text) override;
    void flash(const Flash& f) override;
    void closeWindow() override;
    std::filesystem::path baseDir() const override;
    std::filesystem::path saveDir() const override;
    std::filesystem::path loadDir() const override;

    void messageShown(std::string_view text, bool appended) override;
    void pictureShown(std::string_view, std::string_view) override {}

  private:
    void advance();
    QtHostOptions options_;
    TForm1* window_ = nullptr;
    std::unique_ptr<QTimer> wake_;
    long long waitStartedMs_ = -1;  // when the message now waiting began to wait
};

}  // namespace kotou
