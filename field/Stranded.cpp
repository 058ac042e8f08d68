#include "field/Stranded.h"

#include <array>
#include <string>

#include "gains/Finds.h"
#include "shell/Background.h"
#include "shell/Messages.h"
#include "shell/Screens.h"

namespace kotou {
namespace {

// Both commands of the stranded panel cost this much.
constexpr int32_t kStrandedCommandCost = 3;
// A rescue costs the rescuer this much and needs this much intimacy.
constexpr int32_t kRescueCost = 10;
constexpr int32_t kRescueIntimacy = 10;
// The cliff lies beyond the surroundings a lost character searches.
constexpr int32_t kCliffChance = 15;

// The rescue buttons by target character.
constexpr std::array<const char*, kCharacterCount + 1> kRescueButtons = {
    "", "kyu_ruru_b", "kyu_arashi_b", "kyu_spark_b", "kyu_zankyou_b"};

constexpr const char* kRescueTrail =
    "・・・・・・・・・・・・・・・・・・・・・・・・・・・・・・・・・";

void click(Game& g) {
    playSound(g, 0, "1.wav");
}

bool stranded(const GameState& s) {
    return GameState::isCharacterIndex(s.currentCharacter) && s.cur().strandedPhase != 0;
}

// Refuses (after the click) when the character lacks the action points.
bool canSpend(Game& g, int32_t cost) {
    if (g.s.cur().actionPoints >= cost) return true;
    showMessage(g, "行動力が足りません");
    return false;
}

void rescue(Game& g, int target) {
    GameState& s = g.s;
    const int k = s.currentCharacter;
    // A button for the rescuer itself or for someone who is not lost has
    // nobody to rescue.
    if (!GameState::isCharacterIndex(k) || k == target || s.ch(target).strandedPhase < 1) return;
    Character& rescuer = s.cur();
    Character& lost = s.ch(target);

    click(g);
    if (s.pairIntimacy[static_cast<size_t>(pairIndex(k, target))] < kRescueIntimacy) {
        showMessage(g, lost.name + "との親密度が低過ぎて、救助はできません");
        return;
    }
    if (!canSpend(g, kRescueCost)) return;
    g.form.hide("kyuujyo_box");
    rescuer.actionPoints -= kRescueCost;
    showMessage(g, rescuer.name + "は" + lost.name + "の救助に向かった！");
    appendMessage(g, kRescueTrail);
    waitForClick(g);
    playSound(g, 2, "ok.wav");

    const int32_t r = 3 + g.rng.random(2);
    lost.strandedPhase -= r;
    if (lost.strandedPhase > 0) {
        showMessage(g, lost.name + "の遭難フェイズが" + std::to_string(r) + "減った");
        waitForClick(g);
        g.form.show("kyuujyo_box");
        return;
    }
    lost.strandedPhase = 0;
    playSound(g, 0, "3.wav");
    showMessage(g, rescuer.name + "は" + lost.name + "を無事救助し、連れ返った！！！");
    waitForClick(g);
    g.form.show("com_box");
}

}  // namespace

void getLost(Game& g, bool refreshBackground) {
    Character& c = g.s.cur();
    showMessage(g, "なんと・・・・" + c.name + "は遭難してしまった！！！");
    showScene(g, "");
    playMusic(g, "tensai.mid");
    c.strandedPhase = kStrandedStart;
    if (refreshBackground) showWeatherBackground(g);
    g.form.show("sounan_box");
}

namespace {

void searchSurroundings(Game& g) {
    // The panel is shown for a lost character only.
    if (!stranded(g.s)) return;
    GameState& s = g.s;
    Character& c = s.cur();
    click(g);
    if (!canSpend(g, kStrandedCommandCost)) return;
    showScene(g, "");
    g.form.hide("sounan_box");
    c.actionPoints -= kStrandedCommandCost;
    c.stamina -= 1;
    showMessage(g, "");

    static constexpr std::array<void (*)(Game&), 3> kSurroundings = {findFruit, findSeaCatch,
                                                                     findAnimal};
    kSurroundings[static_cast<size_t>(g.rng.random(3))](g);

    if (g.rng.random(kCliffChance) == 0 && s.flag(WorldFlag::Cliff) == 0) {
        s.flag(WorldFlag::Cliff) = 1;
        showMessage(g, "島の最果てまで来てしまったようだ・・・・");
        waitForClick(g);
        playSound(g, 1, "place.wav");
        appendMessage(g, "ＭＡＰ【崖】を発見した！");
        waitForClick(g);
    }
    g.form.show("sounan_box");
}

void callForHelp(Game& g) {
    if (!stranded(g.s)) return;
    Character& c = g.s.cur();
    click(g);
    if (!canSpend(g, kStrandedCommandCost)) return;
    g.form.hide("sounan_box");
    c.actionPoints -= kStrandedCommandCost;
    showMessage(g, "大声で助けを呼んだ・・・・！");
    waitForClick(g);
    appendMessage(g, "【体力】が1減った");
    appendMessage(g, "【遭難フェイズ】が1減った");
    c.strandedPhase -= 1;
    c.stamina -= 1;
    waitForClick(g);
    if (c.strandedPhase > 0) {
        g.form.show("sounan_box");
        return;
    }
    c.strandedPhase = 0;
    showMessage(g, c.name + "は、みんなに救助され無事もどることが出来た！！");
    waitForClick(g);
    showWeatherBackground(g);
    g.form.show("com_box");
}

void openRescue(Game& g) {
    GameState& s = g.s;
    click(g);
    for (int t = 1; t <= kCharacterCount; ++t) {
        const bool offered = s.ch(t).strandedPhase >= 1 && t != s.currentCharacter;
        g.form.setVisible(g.form.id(kRescueButtons[static_cast<size_t>(t)]), offered);
    }
    openPanelOver(g, "kyuujyo_box", "com_box");
    showMessage(g, std::string("誰を救助しますか？（要：行動10・親密度10）\r") +
                       g.form.at("cominu_l").caption);
}

void closeRescue(Game& g) {
    click(g);
    g.form.hide("kyuujyo_box");
    g.form.show(stranded(g.s) ? "sounan_box" : "com_box");
}

}  // namespace

void registerStrandedHandlers(HandlerRegistry& r) {
    r.add("BitBtn8", Guard::Command, searchSurroundings);
    r.add("BitBtn10", Guard::Command, callForHelp);
    r.add("kyuujyo_b", Guard::Command, openRescue);
    r.add("BitBtn43", Guard::Command, closeRescue);
    for (int t = 1; t <= kCharacterCount; ++t)
        r.add(kRescueButtons[static_cast<size_t>(t)], Guard::Command,
              [t](Game& g) { rescue(g, t); });
}

}  // namespace kotou
