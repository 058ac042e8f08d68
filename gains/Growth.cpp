#include "gains/Growth.h"

#include <string>

#include "shell/Messages.h"
#include "shell/StatusRefresh.h"

namespace kotou {

namespace {

struct StatGrowth {
    int32_t chance;            // 1 in chance
    int32_t Character::*stat;  // the statistic that grows
    const char* label;         // its status label
    bool alwaysWait;           // wait even while a meal panel is open
};

constexpr StatGrowth kStrength{4, &Character::strength, "腕力", false};
constexpr StatGrowth kDexterity{4, &Character::dexterity, "器用さ", false};
constexpr StatGrowth kCooking{8, &Character::cooking, "料理", false};
constexpr StatGrowth kGeography{15, &Character::geography, "地理学", true};
constexpr StatGrowth kMaxStamina{5, &Character::maxStamina, "体力の最大値", false};
constexpr StatGrowth kBotany{6, &Character::botany, "植物学", false};
constexpr StatGrowth kZoology{7, &Character::zoology, "動物学", false};

bool panelShown(const Game& g, const char* name) {
    const ComponentId id = g.form.find(name);
    return id != kNoComponent && g.form.at(id).visible;
}

void grow(Game& g, const StatGrowth& growth) {
    if (!GameState::isCharacterIndex(g.s.currentCharacter)) return;
    if (g.rng.random(growth.chance) != 0) return;
    int32_t& value = g.s.cur().*growth.stat;
    value += 1;
    // The line shows the value the player now has: at the top of its range
    // the refresh keeps it there (器用さ 100 reads "→100").
    refreshStatus(g);
    appendMessage(g,
                  std::string("【") + growth.label + "】が1アップした！→" + std::to_string(value));
    if (growth.alwaysWait || !mealPanelVisible(g)) waitForClick(g);
}

}  // namespace

bool mealPanelVisible(const Game& g) {
    return panelShown(g, "desert_box") || panelShown(g, "uminosati_box") ||
           panelShown(g, "yamanosati_box");
}

void chanceStrengthUp(Game& g) {
    grow(g, kStrength);
}
void chanceDexterityUp(Game& g) {
    grow(g, kDexterity);
}
void chanceCookingUp(Game& g) {
    grow(g, kCooking);
}
void chanceGeographyUp(Game& g) {
    grow(g, kGeography);
}
void chanceMaxStaminaUp(Game& g) {
    grow(g, kMaxStamina);
}
void chanceBotanyUp(Game& g) {
    grow(g, kBotany);
}
void chanceZoologyUp(Game& g) {
    grow(g, kZoology);
}

void chanceTimeSandFind(Game& g) {
    if (g.rng.random(6) != 0) return;
    g.s.timeSandCount += 1;
    appendMessage(
        g, "素材【煌く時の砂】を１コ入手した！（所持：" + std::to_string(g.s.timeSandCount) + "）");
    waitForClick(g);
}

}  // namespace kotou
