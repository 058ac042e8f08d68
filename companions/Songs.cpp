// The music shop: the old musician composes songs for materials. Each song
// is an item sung later from the item panel; four of them together reveal
// the shop's own song, performed on the spot for everyone.

#include <array>
#include <string>

#include "companions/CompanionHandlers.h"
#include "gains/Growth.h"
#include "shell/Messages.h"
#include "shell/Screens.h"

namespace kotou {
namespace {

using companions::dotLine;

constexpr int32_t kComposeCost = 5;
constexpr const char* kTooTired = "製作に必要な行動力が足りません";
constexpr const char* kZoologyTooLow = "【動物学】が低過ぎます";

struct Material {
    const char* name;  // as the remaining-stock line names it
    Counter store;
    int32_t amount;
};

struct Song {
    const char* button;
    const char* name;
    int32_t zoology;                    // the composer's minimum 動物学
    std::array<Material, 4> materials;  // unused entries have no store
    Counter count;
    int organFlag;  // entry of organFlags set once composed; -1 none
};

const std::array<Song, 8> kSongs = {{
    {"uta_b1",
     "青空の歌",
     9,
     {{{"太陽の石", &GameState::sunStoneCount, 2}, {"雨の石", &GameState::rainStoneCount, 1}}},
     ExtraItem::BlueSkySong,
     -1},
    {"uta_b2",
     "癒しの歌",
     20,
     {{{"天使の涙", &GameState::angelTearCount, 3},
       {"雨の石", &GameState::rainStoneCount, 1},
       {"魔法石", &GameState::magicStoneCount, 3}}},
     ExtraItem::HealingSong,
     -1},
    {"uta_b3",
     "風の歌",
     15,
     {{{"月の影", &GameState::moonShadowCount, 2},
       {"太陽石", &GameState::sunStoneCount, 1},
       {"煌く時の砂", &GameState::timeSandCount, 2}}},
     ExtraItem::WindSong,
     -1},
    {"uta_b4",
     "希望の歌",
     30,
     {{{"雫", &GameState::dropCount, 3},
       {"天使の涙", &GameState::angelTearCount, 5},
       {"宝石", &GameState::gemCount, 3}}},
     ExtraItem::HopeSong,
     2},
    {"uta_b5",
     "力の歌",
     25,
     {{{"巨人", &GameState::giantCount, 1},
       {"青い鳥", &GameState::blueBirdCount, 1},
       {"機械", &GameState::machineCount, 3}}},
     ExtraItem::PowerSong,
     3},
    {"uta_b6",
     "獣の歌",
     5,
     {{{"ほのかぐつちの神", RareItem::Honokagutsuchi, 2},
       {"黒虎", &GameState::blackTigerCount, 3}}},
     ExtraItem::BeastSong,
     -1},
    {"uta_b7",
     "未来の歌",
     50,
     {{{"かっぱ", &GameState::kappaCount, 1},
       {"人魚", &GameState::mermaidCount, 3},
       {"機械", &GameState::machineCount, 5},
       {"魔法石", &GameState::magicStoneCount, 3}}},
     ExtraItem::FutureSong,
     1},
    {"uta_b8",
     "地球の歌",
     50,
     {{{"月の影", &GameState::moonShadowCount, 3},
       {"煌く時の砂", &GameState::timeSandCount, 3},
       {"天使の涙", &GameState::angelTearCount, 6}}},
     ExtraItem::EarthSong,
     0},
}};

constexpr std::array<Material, 3> kOrganSongMaterials = {{
    {"天使の涙", &GameState::angelTearCount, 10},
    {"機械", &GameState::machineCount, 10},
    {"ありがとうの石", &GameState::thanksStoneCount, 1},
}};
constexpr int32_t kOrganSongZoology = 60;

// "（残：name count、name count）" over the materials that have a store.
template <size_t N>
std::string remainingLine(GameState& s, const std::array<Material, N>& materials) {
    std::string line = "（残：";
    bool first = true;
    for (const Material& m : materials) {
        if (m.store == nullptr) continue;
        if (!first) line += "、";
        line += m.name + std::to_string(m.store(s));
        first = false;
    }
    return line + "）";
}

template <size_t N>
void spend(GameState& s, const std::array<Material, N>& materials) {
    for (const Material& m : materials)
        if (m.store != nullptr) m.store(s) -= m.amount;
}

// The shop's refusal: the zoology minimum. The button itself is enabled only
// while the materials are held, and the points were tested when the shop
// opened (a second song with fewer left drives them below zero, which the
// status refresh floors at 0).
bool refused(Game& g, int32_t zoology) {
    if (g.s.cur().zoology < zoology) {
        showMessage(g, kZoologyTooLow);
        return true;
    }
    return false;
}

void appendDots(Game& g) {
    appendMessage(g, dotLine(19));
    appendMessage(g, dotLine(19));
}

void compose(Game& g, const Song& song) {
    GameState& s = g.s;
    playSound(g, 0, "1.wav");
    if (refused(g, song.zoology)) return;
    g.form.hide("uta_box");
    s.cur().actionPoints -= kComposeCost;
    showMessage(g, std::string("オルガンに「") + song.name + "」を作曲してもらった！");
    appendDots(g);
    waitForClick(g);
    spend(s, song.materials);
    playSound(g, 1, "seisaku.wav");
    int32_t& count = song.count(s);
    count += 1;
    showMessage(g, std::string("「") + song.name + "」が１つ完成した！（所持：" +
                       std::to_string(count) + "）");
    appendMessage(g, remainingLine(s, song.materials));
    appendMessage(g, "※このアイテムは、［アイテム］コマンド内［通常アイテム］で使用できます");
    waitForClick(g);
    if (song.organFlag >= 0) s.organFlags[static_cast<size_t>(song.organFlag)] = 1;
    chanceZoologyUp(g);
    g.form.show("uta_box");
}

void openMusicShop(Game& g) {
    playSound(g, 0, "1.wav");
    if (g.s.cur().actionPoints < kComposeCost) {
        showMessage(g, kTooTired);
        return;
    }
    showScene(g, "背景・歌.jpg");
    openPanelOver(g, "uta_box", "seisaku_box");
}

void hearOrganSong(Game& g) {
    GameState& s = g.s;
    playSound(g, 0, "1.wav");
    if (refused(g, kOrganSongZoology)) return;
    g.form.hide("uta_box");
    s.cur().actionPoints -= kComposeCost;
    showMessage(g, "オルガンに「オルガンの歌」を歌ってもらった！");
    appendDots(g);
    waitForClick(g);
    spend(s, kOrganSongMaterials);
    playSound(g, 1, "seisaku.wav");
    showMessage(g, "「オルガンの歌」を聞かせてもらった！");
    appendMessage(g, remainingLine(s, kOrganSongMaterials));
    waitForClick(g);
    playSound(g, 1, "uta2.wav");
    for (int k = 1; k <= kCharacterCount; ++k) {
        Character& c = s.ch(k);
        c.stamina = c.maxStamina;
        c.actionPoints = c.maxActionPoints;
        c.stress = 100;
        c.hygiene = 100;
    }
    appendMessage(g, "全員の【体力・行動力・ストレス・衛生】が完全回復した！");
    waitForClick(g);
    s.organTitle = 1;
    g.form.show("uta_box");
}

void leaveMusicShop(Game& g) {
    closePanelTo(g, "uta_box", "seisaku_box");
}

}  // namespace

std::vector<RowRequirement> songRequirements() {
    std::vector<RowRequirement> out;
    auto add = [&out](const char* button, const auto& materials, int32_t zoology) {
        RowRequirement& r = out.emplace_back();
        r.button = button;
        for (const Material& m : materials)
            if (m.store) r.materials.push_back({m.name, m.store, m.amount});
        r.minimums.emplace_back("動物学", zoology);
    };
    for (const Song& song : kSongs) add(song.button, song.materials, song.zoology);
    add("uta_b9", kOrganSongMaterials, kOrganSongZoology);
    return out;
}

void registerSongHandlers(HandlerRegistry& r) {
    r.add("organ_b", Guard::Command, openMusicShop);
    for (const Song& song : kSongs)
        r.add(song.button, Guard::Command, [&song](Game& g) { compose(g, song); });
    r.add("uta_b9", Guard::Command, hearOrganSong);
    r.add("BitBtn42", Guard::Command, leaveMusicShop);
}

}  // namespace kotou
