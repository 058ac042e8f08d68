#include "ending/Ending.h"

#include <utility>

#include "daycycle/Night.h"
#include "shell/Messages.h"
#include "shell/Screens.h"
#include "state/Text.h"
#include "story/Scene.h"
#include "story/Script.h"

namespace kotou {
namespace {

// bestDays before the first clear.
constexpr int32_t kNoBestDays = 9999;

// Both buttons are commands: a click counts only while the panel shows it
// (messages pump events, so a second click may arrive after the first hid
// the panel).
void choose(Game& g, int option) {
    playSound(g, 0, "key2.wav");
    g.form.hide("select_box");
    const int phase = g.s.storyPhase;
    if (phase >= kFirstFinalPhase && phase <= kLastFinalPhase) {
        playFarewell(g, option);
        return;
    }
    const Chapter* c = chapterAt(phase);
    if (c != nullptr && c->choice != nullptr)
        playScene(g, c->choice->scenes.at(static_cast<size_t>(option)));
    endStoryChapter(g);
}

}  // namespace

std::array<int32_t, 2> bestCoupleOf(int phase, int option) {
    // pairMembers answers {0, 0} for a phase outside the final ones.
    const std::array<int, 2> m = pairMembers(phase - kFirstFinalPhase);
    if (option < 0 || option > 1) return {0, 0};
    if (option == 0) return {m[0], m[1]};
    return {m[1], m[0]};
}

std::string characterName(const GameState& s, int32_t k) {
    return GameState::isCharacterIndex(k) ? s.ch(k).name : std::string();
}

void recordBests(GameState& s) {
    if (s.bestDays <= 0 || s.bestDays >= s.dayNumber) s.bestDays = s.dayNumber;
    if (s.score >= s.bestScore) s.bestScore = s.score;
}

void playFarewell(Game& g, int option) {
    const int phase = g.s.storyPhase;
    const std::array<int32_t, 2> couple = bestCoupleOf(phase, option);
    if (couple[0] == 0) return;
    const FinalPairScene* f = finalPairScene(phase - kFirstFinalPhase);
    const auto o = static_cast<size_t>(option);
    showMessage(g, spokenLine(f->speaker, f->captions[o]));
    waitForClick(g);
    playScene(g, f->partings[o]);
    g.s.runtime.bestCoupleFirst = couple[0];
    g.s.runtime.bestCoupleSecond = couple[1];
    showClearScreen(g);
}

void registerChoiceHandlers(HandlerRegistry& r) {
    r.add("select_b1", Guard::Command, [](Game& g) { choose(g, 0); });
    r.add("select_b2", Guard::Command, [](Game& g) { choose(g, 1); });
}

void showClearScreen(Game& g) {
    GameState& s = g.s;
    recordBests(s);
    s.bestCoupleText = characterName(s, s.runtime.bestCoupleFirst) + "×" +
                       characterName(s, s.runtime.bestCoupleSecond);
    // Nothing waits for the player after this screen: a failed save is
    // shown and the game still ends.
    saveWithReport(g);
    showPortrait(g, "");
    showPicture(g, "");
    showMessage(g, "★★★　クリア　★★★");
    waitForClick(g);
    showMessage(g, "クリアタイム：" + num(s.dayNumber) + "日目");
    if (s.bestDays != 0 && s.bestDays != kNoBestDays)
        appendMessage(g, "（これまでの最短記録：" + num(s.bestDays) + "日）");
    waitForClick(g);
    showMessage(g, "得点：" + num(s.score) + "点");
    appendMessage(g, "（これまでの最高得点：" + num(s.bestScore) + "点）");
    waitForClick(g);
    showMessage(g, "ベストカップルリング：" + s.bestCoupleText);
    waitForClick(g);
    appendMessage(g, "ここまでゲームしてくれてありがとうございました☆");
    appendMessage(g, "ＴＨＥ ＥＮＤ");
    waitForClick(g);
    g.host.closeWindow();
}

}  // namespace kotou
