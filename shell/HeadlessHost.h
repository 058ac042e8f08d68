#pragma once
// A host without a window, for tests and for the random-play soak.
//
// It never sleeps, records everything the game asks of it (messages as whole
// texts, sound cues, music, pictures, flashes, dialogs) and, once attached to
// a Game, ends every wait for a click at once by clicking the message area
// itself. Typical use:
//
//     HeadlessHost host;
//     ScriptedRandom rng{...};
//     Game g(host, rng);
//     buildForm(g.form);        // or a small form of the components a test needs
//     host.attach(g);
//     dispatch(g, "hayasi_b");
//     EXPECT_TRUE(host.saw("【りんご】を"));
//     EXPECT_EQ(host.lastMessage(), "...");
//
// Every automatic click is a real click (clickToContinue), so it draws one
// random number for the channel of its sound; a ScriptedRandom needs one draw
// per wait, unless silentClicks is set. Set autoClick = false and use
// onProcessEvents to script clicks, the closing of the window or anything else
// that happens "meanwhile".

#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "shell/Host.h"

namespace kotou {

struct Game;

class HeadlessHost : public Host, public HostObserver {
  public:
    struct Sound {
        int channel = 0;
        std::string file;
        bool operator==(const Sound&) const = default;
    };
    struct Message {
        std::string text;
        bool appended = false;  // appendMessage rather than showMessage
    };
    struct Picture {
        std::string component;  // "pic", "cg", "cg2" or "bak"
        std::string file;
    };

    explicit HeadlessHost(std::filesystem::path baseDir = std::filesystem::path("."));

    // The game whose waits processEvents ends. Without one, processEvents
    // only runs onProcessEvents.
    void attach(Game& g) { game_ = &g; }
    Game* game() const { return game_; }

    // --- Options -------------------------------------------------------------
    // Click as soon as a wait runs (clickState 0). On by default.
    bool autoClick = true;
    // End automatic waits without the click itself (no draw, no click sound),
    // so a scripted random source sees only the draws of the rules under test.
    bool silentClicks = false;
    // Answers of confirm(), used in order; when none is left, defaultConfirm.
    std::deque<bool> confirmAnswers;
    bool defaultConfirm = true;
    // Keep a human-readable transcript (one line per event). Off by default
    // because a long soak would collect millions of lines.
    bool keepTranscript = false;
    // Called at the start of every processEvents, before the automatic click:
    // a test's way to click, close the window or change the state meanwhile.
    std::function<void(Game&)> onProcessEvents;
    // A wait that is still running after this many passes without a click is
    // a test that forgot to click: processEvents throws std::runtime_error
    // instead of hanging. 0 = no limit.
    int64_t maxWaitPasses = 1'000'000;
    // Thrown by playSound / playMusic when set, to check that the game
    // swallows sound failures.
    bool failSounds = false;

    // --- Records ------------------------------------------------------------
    std::vector<Message> messages;
    std::vector<Sound> sounds;
    std::vector<std::string> music;  // "not" for a stop
    std::vector<Picture> pictures;
    std::vector<Flash> flashes;
    std::vector<std::string> confirms;  // the questions asked
    std::vector<std::string> errors;    // showError texts
    std::vector<std::string> transcript;
    int64_t repaints = 0;
    int64_t eventPasses = 0;  // processEvents calls
    int64_t clicks = 0;       // waits ended automatically (with or without a click)
    int64_t sleptMs = 0;      // requested, not slept
    int closeRequests = 0;    // closeWindow calls (each also ends the waits)

    // Forgets every record (options stay).
    void clearRecords();

    // Conveniences over the records.
    std::string lastMessage() const { return messages.empty() ? "" : messages.back().text; }
    // True when some message contains `part`.
    bool saw(std::string_view part) const;
    // Number of messages containing `part`.
    int count(std::string_view part) const;
    // Index of the first message containing `part`, or -1.
    int indexOf(std::string_view part) const;
    // True when the cue was played (any channel when channel < 0).
    bool played(std::string_view file, int channel = -1) const;
    // The message texts alone, in order.
    std::vector<std::string> messageTexts() const;
    // The transcript joined with line feeds.
    std::string transcriptText() const;

    // --- Host ---------------------------------------------------------------
    void repaint() override { ++repaints; }
    void processEvents() override;
    void sleepMs(int ms) override { sleptMs += ms; }
    // One pass of processEvents; the time asked for counts as passed.
    int waitForEvents(int timeoutMs) override {
        processEvents();
        return timeoutMs;
    }
    void playSound(int channel, const std::string& file) override;
    void playMusic(const std::string& file) override;
    bool confirm(const std::string& text) override;
    void showError(const std::string& text) override;
    void flash(const Flash& f) override;
    void closeWindow() override;
    std::filesystem::path baseDir() const override { return baseDir_; }
    void setBaseDir(std::filesystem::path dir) { baseDir_ = std::move(dir); }
    // Save and load folders apart from the data folder (empty = baseDir).
    std::filesystem::path saveDir() const override {
        return saveDir_.empty() ? baseDir_ : saveDir_;
    }
    std::filesystem::path loadDir() const override {
        return loadDir_.empty() ? saveDir() : loadDir_;
    }
    void setSaveFolders(std::filesystem::path save, std::filesystem::path load) {
        saveDir_ = std::move(save);
        loadDir_ = std::move(load);
    }

    // --- HostObserver -------------------------------------------------------
    void messageShown(std::string_view text, bool appended) override;
    void pictureShown(std::string_view component, std::string_view file) override;

  private:
    void note(std::string line);

    Game* game_ = nullptr;
    std::filesystem::path baseDir_;
    std::filesystem::path saveDir_, loadDir_;
    int64_t waitPasses_ = 0;
};

}  // namespace kotou
