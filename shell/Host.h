#pragma once
// What the game rules need from the program around them. The Qt window
// implements it for play; a headless host implements it for tests and for
// the random-play soak. Nothing here names a toolkit.

#include <filesystem>
#include <string>
#include <string_view>

namespace kotou {

// A short visual effect drawn over the window (a battle hit, a lightning
// flash, the stamina gauge flashing). Headless hosts record them.
struct Flash {
    std::string kind;  // e.g. "red", "white", "hp"
    int durationMs = 0;
};

class Host {
  public:
    virtual ~Host() = default;

    // Draw the form model now (the window repaints what changed).
    virtual void repaint() = 0;
    // Draw a change of the form model alone, the game state being as it was
    // at the last repaint (the click marker's step): a window may skip the
    // status refresh it runs before drawing.
    virtual void repaintForm() { repaint(); }
    // Process pending events: timers, clicks, key presses. A click on the
    // message area ends up in clickToContinue; closing sets clickState -1.
    virtual void processEvents() = 0;
    // Sleep for the given milliseconds (the typewriter effect's step).
    virtual void sleepMs(int ms) = 0;
    // Whether a message appears whole at once instead of byte by byte (the
    // player's text speed, or skipping). Changes only what is drawn.
    virtual bool revealAtOnce() const { return false; }
    // Waits, without using the processor, until something happens (a click,
    // a key, a timer, the window closing) or `timeoutMs` have passed, and
    // processes what happened. Returns the milliseconds that passed. A host
    // without a player (tests) returns at once, as if the time had passed.
    virtual int waitForEvents(int timeoutMs) = 0;

    // Sound cue: a wave file of the dat folder on mixer channel 0..3. Never
    // throws; a missing file or device leaves the game silent.
    virtual void playSound(int channel, const std::string& file) = 0;
    // Music: a MIDI file of the dat folder played once; "not" stops it.
    virtual void playMusic(const std::string& file) = 0;

    // A yes/no question; true for yes.
    virtual bool confirm(const std::string& text) = 0;
    // An error the player must see (a failed load or save).
    virtual void showError(const std::string& text) = 0;
    // A visual effect.
    virtual void flash(const Flash& f) = 0;
    // Close the window (the end of the game).
    virtual void closeWindow() = 0;

    // The game's data folder, holding cg/ and dat/.
    virtual std::filesystem::path baseDir() const = 0;
    // The folder saves are written to (dat/my.dat and the records file): the
    // game folder, or the player's data folder when the game folder is not
    // writable (an installed game).
    virtual std::filesystem::path saveDir() const { return baseDir(); }
    // The folder つづける reads dat/my.dat from: the save folder, or the game
    // folder when an older save lies only there.
    virtual std::filesystem::path loadDir() const { return saveDir(); }
};

// Optional second interface of a host: told of every message and picture as
// a whole, not only of the steps that reveal them. The message operations
// report to a host that implements it (the headless host keeps a transcript).
class HostObserver {
  public:
    virtual ~HostObserver() = default;
    // `text` as the handler passed it (before the padding to an even length).
    virtual void messageShown(std::string_view text, bool appended) = 0;
    // `file` relative to the game folder ("cg/ルル.jpg"); "" = cleared or hidden.
    virtual void pictureShown(std::string_view component, std::string_view file) = 0;
};

}  // namespace kotou
