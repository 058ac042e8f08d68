#include "daycycle/ItemUse.h"

#include <array>
#include <optional>
#include <string>

#include "shell/Background.h"
#include "shell/Messages.h"
#include "state/Text.h"

namespace kotou {
namespace {

constexpr const char* kPanel = "nomal_item_box";

std::string left(int32_t count) {
    return "（残：" + num(count) + "）";
}

// Hides the panel, plays the item's sound and takes one item; returns the
// count left.
int32_t takeOne(Game& g, Counter count, const char* sound) {
    g.form.hide(kPanel);
    if (sound != nullptr) playSound(g, 0, sound);
    return --count(g.s);
}

// A change to one statistic of a character.
struct Effect {
    int32_t Character::*stat = nullptr;      // nullptr: no change
    int32_t amount = 0;                      // added to the statistic
    int32_t Character::*fillFrom = nullptr;  // set: the statistic becomes this one

    bool adds() const { return stat != nullptr && fillFrom == nullptr; }
};

constexpr Effect kNoEffect{};
constexpr Effect raise(int32_t Character::*stat, int32_t amount) {
    return {stat, amount, nullptr};
}
constexpr Effect fill(int32_t Character::*stat, int32_t Character::*from) {
    return {stat, 0, from};
}

void apply(Character& c, const Effect& e) {
    if (e.stat == nullptr) return;
    if (e.fillFrom != nullptr)
        c.*e.stat = c.*e.fillFrom;
    else
        c.*e.stat += e.amount;
}

// --- Remedies and cosmetics -------------------------------------------------

// The start of a cure: refused, with nothing used, while the character has
// no such affliction; otherwise the herb is eaten. Returns the count left.
std::optional<int32_t> eatHerb(Game& g, int32_t Character::*affliction, const char* refusal,
                               Counter herbs, const char* herb) {
    const Character& c = g.s.cur();
    playSound(g, 1, "1.wav");
    if (c.*affliction < 1) {
        showMessage(g, c.name + refusal);
        return std::nullopt;
    }
    const int32_t count = takeOne(g, herbs, "taberu.wav");
    showMessage(g, c.name + "は【" + herb + "】を食べた！");
    return count;
}

// 薬草 lowers the illness by 2..3 and cures it at 0.
void useHerb(Game& g) {
    const auto count = eatHerb(g, &Character::illness, "は病気になっていません",
                               &GameState::medicinalHerbCount, "薬草");
    if (!count) return;
    Character& c = g.s.cur();
    c.illness -= 2 + g.rng.random(2);
    if (c.illness > 0) {
        showMessage(g, c.name + "の病気が、少しだけ良くなった・・・" + left(*count));
    } else {
        playSound(g, 2, "3.wav");
        c.illness = 0;
        showMessage(g, c.name + "は病気が『完治』した！！！" + left(*count));
    }
    g.form.show(kPanel);
}

// 毒消し草 clears the poison, and the illness with it.
void useAntidote(Game& g) {
    const auto count = eatHerb(g, &Character::poison, "は毒になっていません",
                               &GameState::antidoteHerbCount, "毒消し草");
    if (!count) return;
    Character& c = g.s.cur();
    c.poison = 0;
    playSound(g, 2, "3.wav");
    c.illness = 0;
    showMessage(g, c.name + "の体から毒が完全に消えた！！！" + left(*count));
    g.form.show(kPanel);
}

// The remedies that raise one condition meter by base + 0..9.
struct MeterRemedy {
    const char* button;
    const char* item;
    const char* verb;
    const char* sound;
    Counter count;
    int32_t Character::*meter;
    const char* label;
    int32_t base;
};

constexpr int32_t kMeterSpread = 10;

const MeterRemedy kMeterRemedies[] = {
    {"gezai_use_b", "下剤", "飲んだ", "taberu.wav", &GameState::laxativeCount, &Character::bowel,
     "便意", 70},
    {"kousui_use_b", "香水", "使った", "good.wav", ExtraItem::Perfume, &Character::hygiene, "衛生",
     25},
    {"hosikuzu_use_b", "星屑の香水", "使った", "good.wav", ExtraItem::StardustPerfume,
     &Character::hygiene, "衛生", 65},
    {"seisin_use_b", "精神安定剤", "使った", "taberu.wav", ExtraItem::Tranquilizer,
     &Character::stress, "ストレス", 65},
};

void useMeterRemedy(Game& g, const MeterRemedy& r) {
    Character& c = g.s.cur();
    playSound(g, 1, "1.wav");
    const int32_t count = takeOne(g, r.count, r.sound);
    showMessage(g, c.name + "は【" + r.item + "】を" + r.verb + "！" + left(count));
    waitForClick(g);
    const int32_t n = r.base + g.rng.random(kMeterSpread);
    c.*r.meter += n;
    showMessage(g, std::string("『") + r.label + "』が" + num(n) + "回復した！");
    g.form.show(kPanel);
}

// --- The flower ornament ----------------------------------------------------

// How each character takes the ornament, by character 1..4: a shy thanks, a
// gruff one, speechless, an admiring one.
constexpr std::array<const char*, kCharacterCount + 1> kWreathThanks = {
    "",         "『わ、わたしに？　ありがとう、大事にするね』",   "『……俺にか。ふん、悪くない』",
    "『…………』", "『まあ、なんて素敵な花飾り。……似合いますか？』",
};

void useWreath(Game& g) {
    const int giver = g.s.currentCharacter;
    playSound(g, 1, "1.wav");
    const int32_t count = takeOne(g, &GameState::flowerWreathCount, nullptr);
    // Any of the three others, equally likely.
    int recipient = giver;
    while (recipient == giver) recipient = 1 + g.rng.random(kCharacterCount);
    const std::string& from = g.s.ch(giver).name;
    const std::string& to = g.s.ch(recipient).name;
    showMessage(g, from + "は【花飾り】を" + to + "にプレゼントした！");
    waitForClick(g);
    const int32_t n = 1 + g.rng.random(2);
    g.s.pairIntimacy[static_cast<size_t>(pairIndex(giver, recipient))] += n;
    showMessage(g, "【" + to + "】" + wreathThanks(recipient));
    waitForClick(g);
    showMessage(g, from + "と" + to + "の【親密度】が" + num(n) + "上がった！！");
    appendMessage(g, left(count));
    g.form.show(kPanel);
}

// --- Rare god items ---------------------------------------------------------

struct GodItem {
    const char* button;
    RareItem item;
    const char* name;
    Effect effect;
    const char* line;  // followed by the new value when the effect adds
};

constexpr GodItem kGodItems[] = {
    {"oogetu_b", RareItem::Ogetsu, "おおげつ姫", raise(&Character::maxActionPoints, 1),
     "【行動力の最大値】が１上昇した！！→"},
    {"konohana_b", RareItem::Konohana, "この花の咲くや姫", raise(&Character::maxStamina, 1),
     "【体力の最大値】が１上昇した！！→"},
    {"omoi_b", RareItem::Omoikane, "おもいかねの神", raise(&Character::strength, 1),
     "【腕力】が１上昇した！！→"},
    {"susano_b", RareItem::Susanoo, "すさのおの命", raise(&Character::dexterity, 1),
     "【器用さ】が１上昇した！！→"},
    {"take_b", RareItem::Takemikazuchi, "たけみかづちの命", raise(&Character::cooking, 1),
     "【料理】が１上昇した！！→"},
    {"tuku_b", RareItem::Tsukuyomi, "つくよみの命", raise(&Character::botany, 1),
     "【植物学】が１上昇した！！→"},
    // A blessing that changes nothing; its line keeps its closing bracket.
    {"toki_b", RareItem::Tokihakashi, "ときはかしの神", kNoEffect, "【裏切り】が１上昇した！！）"},
    {"yomo_b", RareItem::Yomotsu, "よもつおお神", raise(&Character::zoology, 1),
     "【動物学】が１上昇した！！→"},
    {"wata_b", RareItem::Watatsumi, "わたつみの神", raise(&Character::geography, 1),
     "【地理学】が１上昇した！！→"},
    {"hetu_b", RareItem::Hetsunagisabiko, "へつなぎさびこの神", raise(&Character::phantom, 10),
     "【ファントム】が10上昇した！！→"},
    {"honoka_b", RareItem::Honokagutsuchi, "ほのかぐつちの神",
     fill(&Character::stamina, &Character::maxStamina), "【体力】が完全回復した！！"},
    {"araha_b", RareItem::Arahabaki, "アラハバキ神",
     fill(&Character::actionPoints, &Character::maxActionPoints), "【行動力】が完全回復した！！"},
    {"osira_b", RareItem::Oshira, "オシラさま", raise(&Character::phantom, 20),
     "【ファントム】が20上昇した！！→"},
};

// Raised to the sky: the panel stays up and nothing waits. The value shown
// is the one the player now has: the message's status refresh has clamped it
// into its range (腕力 100 stays 100).
void useRareItem(Game& g, const GodItem& r) {
    playSound(g, 1, "1.wav");
    playSound(g, 0, "up.wav");
    g.s.rare(r.item) -= 1;
    Character& c = g.s.cur();
    apply(c, r.effect);
    showMessage(g, std::string("レアアイテム【") + r.name + "】をお空に掲げた！");
    appendMessage(g, r.effect.adds() ? r.line + num(c.*r.effect.stat) : r.line);
    g.form.show(kPanel);
}

// --- Songs ------------------------------------------------------------------

struct Song {
    const char* button;
    const char* name;
    Counter count;
    const char* line;
    bool clearsSky;  // the weather turns fine
    Effect effect;   // on each of the four characters
    Effect also;
};

constexpr int32_t kSongRelief = 60;

const Song kSongs[] = {
    {"ao_b", "青空の歌", ExtraItem::BlueSkySong, "天気が【晴れ】に変わった！", true, kNoEffect,
     kNoEffect},
    {"iyasi_b", "癒しの歌", ExtraItem::HealingSong, "全員の【ストレス】が60ずつ回復した！", false,
     raise(&Character::stress, kSongRelief), kNoEffect},
    {"kaze_b", "風の歌", ExtraItem::WindSong, "全員の【衛生・便意】が60ずつ回復した！", false,
     raise(&Character::hygiene, kSongRelief), raise(&Character::bowel, kSongRelief)},
    {"kibou_song_b", "希望の歌", ExtraItem::HopeSong, "全員の【最大行動力】が１ずつ上がった！",
     false, raise(&Character::maxActionPoints, 1), kNoEffect},
    {"tikara_b", "力の歌", ExtraItem::PowerSong, "全員の【腕力】が1ずつ上がった！", false,
     raise(&Character::strength, 1), kNoEffect},
    {"kemono_b", "獣の歌", ExtraItem::BeastSong, "全員の【動物学】が1ずつ上がった！", false,
     raise(&Character::zoology, 1), kNoEffect},
    {"mirai_b", "未来の歌", ExtraItem::FutureSong, "全員の【体力】が完全回復した！！", false,
     fill(&Character::stamina, &Character::maxStamina), kNoEffect},
    {"tikyu_b", "地球の歌", ExtraItem::EarthSong, "全員の【行動力】が完全回復した！！", false,
     fill(&Character::actionPoints, &Character::maxActionPoints), kNoEffect},
};

void sing(Game& g, const Song& s) {
    playSound(g, 1, "uta2.wav");
    const int32_t count = takeOne(g, s.count, nullptr);
    showMessage(g, std::string("【") + s.name + "】を歌った！" + left(count));
    waitForClick(g);
    if (s.clearsSky) {
        // Sung in the middle of the day, the song changes the day's weather.
        g.s.weather = kClear;
        showWeatherBackground(g);
    }
    for (int k = 1; k <= kCharacterCount; ++k) {
        apply(g.s.ch(k), s.effect);
        apply(g.s.ch(k), s.also);
    }
    appendMessage(g, s.line);
    g.form.show(kPanel);
}

}  // namespace

const char* wreathThanks(int character) {
    if (character < 1 || character > kCharacterCount) return "";
    return kWreathThanks[static_cast<size_t>(character)];
}

void registerItemUseHandlers(HandlerRegistry& r) {
    r.add("yakusou_use_b", Guard::Command, useHerb);
    r.add("dokukesisou_use_b", Guard::Command, useAntidote);
    r.add("hanakazari_use_b", Guard::Command, useWreath);
    for (const MeterRemedy& m : kMeterRemedies)
        r.add(m.button, Guard::Command, [&m](Game& g) { useMeterRemedy(g, m); });
    for (const GodItem& i : kGodItems)
        r.add(i.button, Guard::Command, [&i](Game& g) { useRareItem(g, i); });
    for (const Song& s : kSongs) r.add(s.button, Guard::Command, [&s](Game& g) { sing(g, s); });
}

}  // namespace kotou
