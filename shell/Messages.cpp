#include "shell/Messages.h"

#include <array>
#include <exception>

#include "shell/StatusRefresh.h"
#include "state/Text.h"

namespace kotou {
namespace {

constexpr int kClosing = -1;
constexpr int kWaiting = 0;
constexpr int kIdle = 1;

// The click marker swells and shrinks around a fixed centre: font size, left
// and top of each step of one cycle.
struct MarkerStep {
    int fontSize, left, top;
};
constexpr std::array<MarkerStep, 8> kMarkerSteps = {{{13, 12, 458},
                                                     {15, 10, 457},
                                                     {17, 8, 456},
                                                     {19, 6, 455},
                                                     {21, 4, 454},
                                                     {19, 6, 455},
                                                     {17, 8, 456},
                                                     {15, 10, 457}}};

bool closing(const Game& g) {
    return g.s.runtime.clickState == kClosing;
}

// Hosts that keep a transcript (the headless host) hear of every message and
// picture as a whole, not only of the reveal steps.
HostObserver* observer(Game& g) {
    return dynamic_cast<HostObserver*>(&g.host);
}

// Reveals `text` byte by byte after `head` (the earlier lines of the message,
// or nothing), then shows the whole result and refreshes the status.
void reveal(Game& g, std::string_view head, std::string_view text, bool appended) {
    if (closing(g)) return;
    std::string t(text);
    // The reveal shows two bytes per full-width character; an even length
    // keeps the last character from being cut in half.
    if (cp932Length(t) % 2 != 0) t += ' ';
    if (HostObserver* o = observer(g)) o->messageShown(text, appended);

    const ComponentId label = g.form.id("moji_l");
    const std::string lead = head.empty() ? std::string() : std::string(head) + "\r";
    const size_t n = cp932Length(t);
    for (size_t i = g.host.revealAtOnce() ? n : 0; i <= n; ++i) {
        g.form.setCaption(label, lead + cp932Prefix(t, i));
        g.host.repaint();
        g.host.processEvents();
        // Closing the window mid-reveal: nothing more is worth drawing.
        if (closing(g)) return;
        g.host.sleepMs(1);
    }
    g.form.setCaption(label, lead + t);
    refreshStatus(g);
}

void setPictureOf(Game& g, const char* component, const std::string& file) {
    g.form.setPicture(g.form.id(component), file);
    if (HostObserver* o = observer(g)) o->pictureShown(component, file);
}

}  // namespace

void showMessage(Game& g, std::string_view text) {
    reveal(g, {}, text, false);
}

void appendMessage(Game& g, std::string_view text) {
    if (closing(g)) return;
    const std::string current = g.form.at("moji_l").caption;
    reveal(g, current, text, true);
}

void waitForClick(Game& g) {
    refreshStatus(g);
    if (closing(g)) return;
    g.s.runtime.clickState = kWaiting;
    const ComponentId marker = g.form.id("click_l");
    g.form.setVisible(marker, true);
    g.host.repaint();

    // The marker takes its next step every kStepMs, one swell-and-shrink
    // cycle in 1.6 seconds. In between the host sleeps until something
    // happens, so a player who leaves a message waiting costs the processor
    // almost nothing; a click, a key or the closing of the window ends the
    // wait at once. A step due within kSlackMs is taken at once rather than
    // waking the program once more for it.
    constexpr int kStepMs = 200;
    constexpr int kSlackMs = 5;
    size_t step = 0;
    int untilStep = kStepMs;
    while (g.s.runtime.clickState == kWaiting) {
        untilStep -= g.host.waitForEvents(untilStep);
        if (g.s.runtime.clickState != kWaiting) break;
        if (untilStep > kSlackMs) continue;
        const MarkerStep& st = kMarkerSteps[step];
        g.form.setFontSize(marker, st.fontSize);
        g.form.setPosition(marker, st.left, st.top);
        g.host.repaintForm();
        step = (step + 1) % kMarkerSteps.size();
        untilStep = kStepMs;
    }
    g.form.setVisible(marker, false);
}

void showMessageAtOnce(Game& g, std::string_view text) {
    g.form.setCaption(g.form.id("moji_l"), text);
    if (HostObserver* o = observer(g)) o->messageShown(text, false);
    g.host.repaint();
}

void clickToContinue(Game& g) {
    if (g.s.runtime.clickState == kWaiting) {
        const int channel = g.rng.random(2) == 1 ? 3 : 2;
        playSound(g, channel, "1.wav");
    }
    // A click never reopens a closing window's waits.
    if (!closing(g)) g.s.runtime.clickState = kIdle;
}

void playSound(Game& g, int channel, const std::string& file) {
    if (channel < 0 || channel > 3) return;
    try {
        g.host.playSound(channel, file);
    } catch (...) {
        // A missing sound leaves the game silent but running.
    }
}

void playMusic(Game& g, const std::string& file) {
    if (file.empty()) return;
    try {
        g.host.playMusic(file);
    } catch (...) {
        // Missing music is as harmless as missing sound.
    }
}

void showPortrait(Game& g, const std::string& name) {
    setPictureOf(g, "pic", name.empty() ? std::string() : "cg/" + name + ".jpg");
}

void showScene(Game& g, const std::string& file) {
    const ComponentId cg = g.form.id("cg");
    if (file.empty()) {
        g.form.setVisible(cg, false);
        if (HostObserver* o = observer(g)) o->pictureShown("cg", "");
        return;
    }
    g.form.setVisible(cg, true);
    setPictureOf(g, "cg", "cg/" + file);
}

void showPicture(Game& g, const std::string& file) {
    setPictureOf(g, "cg2", file.empty() ? std::string() : "cg/" + file);
}

void loadBackground(Game& g, const std::string& name) {
    setPictureOf(g, "bak", name.empty() ? std::string() : "cg/" + name + ".bmp");
}

void showBackdrop(Game& g, const std::string& file, bool stretch) {
    g.form.setStretch(g.form.id("bak"), stretch);
    setPictureOf(g, "bak", file.empty() ? std::string() : "cg/" + file);
}

}  // namespace kotou
