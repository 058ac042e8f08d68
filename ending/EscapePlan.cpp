#include "ending/EscapePlan.h"

#include <string>

#include "daycycle/Night.h"
#include "gains/Growth.h"
#include "shell/Messages.h"
#include "shell/Screens.h"
#include "story/Script.h"

namespace kotou {
namespace {

constexpr const char* kPanel = "dassyutu_box";

constexpr EscapeBuild kBuilds[] = {
    {"ikada_b",
     "イカダ",
     10,
     &Character::strength,
     "腕力",
     25,
     {{{&GameState::lumberCount, 7, "材木"},
       {&GameState::driftwoodCount, 5, "流木"},
       {&GameState::vineCount, 6, "つる"},
       {&GameState::hideCount, 3, "皮"}}},
     6,
     EscapePart::Raft,
     2,
     "イカダがついに完成した！！！！！！",
     chanceStrengthUp},
    {"all_b",
     "オール",
     5,
     &Character::dexterity,
     "器用さ",
     25,
     {{{&GameState::driftwoodCount, 2, "流木"},
       {&GameState::rainStoneCount, 1, "雨石"},
       {&GameState::ironCount, 1, "鉄"},
       {}}},
     5,
     EscapePart::Oar,
     2,
     "オールがついに全て揃った！！！！！！",
     chanceDexterityUp},
    {"singou_b",
     "信号灯",
     7,
     &Character::botany,
     "植物学",
     10,
     {{{&GameState::glowMossCount, 3, "ヒカリゴケ"},
       {&GameState::obsidianCount, 5, "黒曜石"},
       {},
       {}}},
     7,
     EscapePart::SignalLight,
     3,
     "信号灯がついに完成した！！！！！！",
     chanceBotanyUp},
    {"buki_b",
     "武器",
     5,
     &Character::dexterity,
     "器用さ",
     20,
     {{{&GameState::dropCount, 1, "雫"},
       {&GameState::magicStoneCount, 1, "魔法石"},
       {&GameState::boneCount, 1, "骨"},
       {&GameState::branchCount, 3, "枝"}}},
     7,
     EscapePart::Weapon,
     4,
     "武器がついに完成した！！！！！！",
     chanceDexterityUp},
};

void build(Game& g, const EscapeBuild& b) {
    playSound(g, 0, "1.wav");
    Character& c = g.s.cur();
    if (c.actionPoints < b.actionCost) {
        showMessage(g, "製作に必要な行動力が低過ぎます");
        return;
    }
    if (c.*b.skill < b.skillNeeded) {
        showMessage(g, std::string("製作に必要なパラメーター【") + b.skillLabel + "】が低過ぎます");
        return;
    }
    g.form.hide(kPanel);
    c.actionPoints -= b.actionCost;
    showScene(g, "背景・脱出.jpg");
    playSound(g, 2, "hanmer.wav");
    showMessage(g, c.name + "は「" + b.thing + "」の製作に取りかかった！");

    for (const BuildMaterial& m : b.materials)
        if (m.count) m.count(g.s) -= m.amount;
    c.stress -= b.stressCost;
    c.stamina -= 1;
    c.hygiene -= 5;
    int32_t& progress = g.s.progress(b.progress);
    progress += 1;

    appendMessage(g, "・・・・・・・・・・・・・・・・・・・");
    appendMessage(g, "・・・・・・・・・・・・・・・・・・・");
    waitForClick(g);
    showMessage(g, std::string("★") + b.thing + "　＞　" + std::to_string(progress) + "/" +
                       std::to_string(b.goal));
    appendMessage(g, remainingLine(g.s, b));
    if (progress >= b.goal) {
        waitForClick(g);
        playSound(g, 3, "seisaku.wav");
        showMessage(g, b.completion);
        waitForClick(g);
    }
    b.growth(g);
    g.form.show(kPanel);
}

}  // namespace

std::span<const EscapeBuild> escapeBuilds() {
    return kBuilds;
}

std::string remainingLine(const GameState& s, const EscapeBuild& b) {
    std::string line = "（残：";
    for (size_t i = 0; i < b.materials.size() && b.materials[i].count; ++i) {
        if (i > 0) line += "、";
        line += b.materials[i].label;
        line += std::to_string(b.materials[i].count(s));
    }
    return line + "）";
}

std::vector<RowRequirement> escapeRequirements() {
    std::vector<RowRequirement> out;
    for (const EscapeBuild& b : kBuilds) {
        RowRequirement& r = out.emplace_back();
        r.button = b.button;
        for (const BuildMaterial& m : b.materials)
            if (m.count) r.materials.push_back({m.label, m.count, m.amount});
        r.minimums = {{b.skillLabel, b.skillNeeded}, {"行動力", b.actionCost}};
    }
    return out;
}

namespace {

void openPlan(Game& g) {
    playSound(g, 0, "1.wav");
    openPanelOver(g, kPanel, "com_box");
}

void closePlan(Game& g) {
    playSound(g, 0, "1.wav");
    // The builds leave their picture up; like every way back to the command
    // panel, this one puts it away.
    showScene(g, "");
    g.form.hide(kPanel);
    g.form.show("com_box");
}

void escape(Game& g) {
    // From here on the window shows the story: no scene picture, no turn
    // name, no condition marks, no score.
    g.s.runtime.endingStarted = true;
    showScene(g, "");
    for (const char* label : {"turn_name_l", "ill_l", "poison_l", "point_l"}) g.form.hide(label);
    playSound(g, 0, "start.wav");
    g.form.hide(kPanel);
    g.s.storyPhase = kEscapeChapter;
    showMessage(g, "とうとう脱出をはかった！！！");
    waitForClick(g);
    showPortrait(g, "");
    showMessage(
        g, "しかし夜明け前の沖合では、ゴルドスの大軍が霧にまぎれ、島を出る者を待ち伏せていた……。");
    waitForClick(g);
    playNightEvent(g);
}

}  // namespace

void registerEscapeHandlers(HandlerRegistry& r) {
    r.add("dassyutu_b", Guard::Command, openPlan);
    r.add("BitBtn34", Guard::Command, closePlan);
    for (const EscapeBuild& b : kBuilds)
        r.add(b.button, Guard::Command, [&b](Game& g) { build(g, b); });
    r.add("clear_b", Guard::Command, escape);
}

}  // namespace kotou
