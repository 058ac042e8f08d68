#include "daycycle/LevelUp.h"

#include <array>
#include <string>

#include "daycycle/Night.h"
#include "shell/Messages.h"
#include "shell/StatusRefresh.h"

namespace kotou {
namespace {

// One statistic of the panel: its field, the channel of its chime and the
// text before the new value.
struct StatButton {
    int32_t Character::*field;
    int channel;
    const char* text;
};

enum Stat {
    kActionPoints,
    kStamina,
    kStrength,
    kDexterity,
    kCooking,
    kZoology,
    kBotany,
    kGeography
};

constexpr std::array<StatButton, 8> kStatButtons = {{
    {&Character::maxActionPoints, 0, "【行動力の最大値】が１上昇した！　→"},
    {&Character::maxStamina, 1, "【体力の最大値】が１上昇した！　→"},
    {&Character::strength, 2, "【腕力】が１上昇した！　→"},
    {&Character::dexterity, 0, "【器用さ】が１上昇した！　→"},
    {&Character::cooking, 1, "【料理】が１上昇した！　→"},
    {&Character::zoology, 2, "【動物学】が１上昇した！　→"},
    {&Character::botany, 0, "【植物学】が１上昇した！　→"},
    {&Character::geography, 1, "【地理学】が１上昇した！　→"},
}};

// What happens once the last point of a character is given.
void allocationDone(Game& g) {
    RuntimeState& rt = g.s.runtime;
    playSound(g, 3, "ok.wav");
    if (rt.levelUpMode == kLevelUpNight) {
        g.form.hide("lv_up_box");
        rt.levelUpMode = kLevelUpNone;
        endTurn(g);
    } else if (rt.levelUpMode >= kCreationFirst && rt.levelUpMode < kCreationLast) {
        rt.levelUpMode += 1;
        g.s.currentCharacter = rt.levelUpMode;
        rt.statPointsLeft = kCreationPoints;
        const Character& c = g.s.cur();
        showPortrait(g, c.name);
        showMessage(g, c.name + "の能力値を振り分けてください");
    } else if (rt.levelUpMode == kCreationLast) {
        rt.levelUpMode = kCreationDone;
        g.form.hide("lv_up_box");
        g.s.currentCharacter = 0;
        startNextTurn(g);
    } else {
        g.form.hide("lv_up_box");
    }
}

void givePoint(Game& g, Stat stat) {
    GameState& s = g.s;
    const StatButton& b = kStatButtons[stat];

    g.form.hide("lv_up_box2");
    s.cur().*b.field += 1;
    s.runtime.statPointsLeft -= 1;
    refreshStatus(g);
    playSound(g, b.channel, "up.wav");
    // The value after the refresh: a point beyond the cap is shown as lost.
    showMessage(g, b.text + std::to_string(s.cur().*b.field));
    g.form.show("lv_up_box2");

    if (s.runtime.statPointsLeft >= 1) return;
    allocationDone(g);
}

}  // namespace

void registerLevelUpHandlers(HandlerRegistry& r) {
    struct Entry {
        const char* button;
        Stat stat;
    };
    static constexpr Entry kEntries[] = {
        {"Button3", kActionPoints}, {"Button4", kStamina},  {"Button5", kStrength},
        {"Button6", kDexterity},    {"Button7", kCooking},  {"Button8", kGeography},
        {"Button9", kBotany},       {"Button10", kZoology},
    };
    for (const Entry& e : kEntries)
        r.add(e.button, Guard::LevelUp, [stat = e.stat](Game& g) { givePoint(g, stat); });
}

}  // namespace kotou
