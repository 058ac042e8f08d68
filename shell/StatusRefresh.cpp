#include "shell/StatusRefresh.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "shell/Availability.h"

namespace kotou {
namespace {

constexpr Rgb kRed{255, 0, 0};
constexpr Rgb kWhite{255, 255, 255};

// The status column: gauge, number label and the character value it shows.
struct GaugeRow {
    const char* gauge;
    const char* number;
    int32_t Character::*value;
};
constexpr std::array<GaugeRow, 13> kGaugeRows = {{
    {"koudou_l", "koudou_l2", &Character::actionPoints},
    {"hp_l", "hp_l2", &Character::stamina},
    {"str_l", "str_l2", &Character::strength},
    {"dex_l", "dex_l2", &Character::dexterity},
    {"cook_l", "cook_l2", &Character::cooking},
    {"eisei_l", "eisei_l2", &Character::hygiene},
    {"beni_l", "beni_l2", &Character::bowel},
    {"stress_l", "stress_l2", &Character::stress},
    {"himan_l", "himan_l2", &Character::obesity},
    {"syokubutu_l", "syokubutu_l2", &Character::botany},
    {"doubutu_l", "doubutu_l2", &Character::zoology},
    {"tiri_l", "tiri_l2", &Character::geography},
    {"pp_l", "pp_l2", &Character::phantom},
}};
constexpr size_t kActionRow = 0, kStaminaRow = 1, kHygieneRow = 5, kBowelRow = 6, kStressRow = 7,
                 kObesityRow = 8;

// Values kept between 0 and 100 (a value of 0 stays 0, anything below 1 becomes 0).
constexpr std::array<int32_t Character::*, 12> kPercentValues = {
    &Character::strength, &Character::dexterity, &Character::cooking, &Character::geography,
    &Character::hygiene,  &Character::obesity,   &Character::stress,  &Character::bowel,
    &Character::botany,   &Character::zoology,   &Character::phantom, &Character::trainingLevel};

// Buttons whose caption carries a count: fruit (only while shown) and the
// usable items (always).
struct CountButton {
    const char* button;
    const char* name;
    Counter count;
};
const CountButton kFruitButtons[] = {
    {"kyuui_b", "キュウイ", &GameState::kiwiCount},
    {"hinomi_b", "火の実", &GameState::fireFruitCount},
    {"ringo_b", "りんご", &GameState::appleCount},
    {"fusimi_b", "不思実", &GameState::wonderFruitCount},
    {"kurokimi_b", "黒き実", &GameState::blackFruitCount},
    {"nanatumi_b", "七つ実", &GameState::sevenFruitCount},
};
const CountButton kItemButtons[] = {
    {"yakusou_use_b", "薬草", &GameState::medicinalHerbCount},
    {"dokukesisou_use_b", "毒消し草", &GameState::antidoteHerbCount},
    {"hanakazari_use_b", "花飾り", &GameState::flowerWreathCount},
    {"gezai_use_b", "下剤", &GameState::laxativeCount},
    {"kousui_use_b", "香水", ExtraItem::Perfume},
    {"hosikuzu_use_b", "星屑の香水", ExtraItem::StardustPerfume},
    {"seisin_use_b", "精神安定剤", ExtraItem::Tranquilizer},
    {"oogetu_b", "おおげつ姫", RareItem::Ogetsu},
    {"konohana_b", "この花の咲くや姫", RareItem::Konohana},
    {"omoi_b", "おもいかねの神", RareItem::Omoikane},
    {"susano_b", "すさのおの命", RareItem::Susanoo},
    {"take_b", "たけみかづちの命", RareItem::Takemikazuchi},
    {"tuku_b", "つくよみの命", RareItem::Tsukuyomi},
    {"toki_b", "ときはかしの神", RareItem::Tokihakashi},
    {"yomo_b", "よもつおお神", RareItem::Yomotsu},
    {"wata_b", "わたつみの神", RareItem::Watatsumi},
    {"hetu_b", "へつなぎさびこの神", RareItem::Hetsunagisabiko},
    {"honoka_b", "ほのかぐつちの神", RareItem::Honokagutsuchi},
    {"araha_b", "アラハバキ神", RareItem::Arahabaki},
    {"osira_b", "オシラさま", RareItem::Oshira},
    {"ao_b", "青空の歌", ExtraItem::BlueSkySong},
    {"iyasi_b", "癒しの歌", ExtraItem::HealingSong},
    {"kaze_b", "風の歌", ExtraItem::WindSong},
    {"kibou_song_b", "希望の歌", ExtraItem::HopeSong},
    {"tikara_b", "力の歌", ExtraItem::PowerSong},
    {"kemono_b", "獣の歌", ExtraItem::BeastSong},
    {"mirai_b", "未来の歌", ExtraItem::FutureSong},
    {"tikyu_b", "地球の歌", ExtraItem::EarthSong},
};

constexpr std::array<const char*, kCharacterCount + 1> kTurnNames = {"", "ルル", "嵐", "スパーク",
                                                                     "残響"};
constexpr std::array<const char*, 4> kWeatherWords = {"晴れ", "雨", "日照り", "台風"};

// The intimacy lines of each character: the label of each partner (aligned
// with full-width spaces) and the pair it reads, in the partners' index order.
struct IntimacyLine {
    const char* label;
    int pair;
};
constexpr std::array<std::array<IntimacyLine, 3>, kCharacterCount + 1> kIntimacyLines = {{
    {},
    {{{"　　ルルと　　　嵐の親密度：", 0},
      {"　　ルルとスパークの親密度：", 1},
      {"　　ルルと　　残響の親密度：", 2}}},
    {{{"　　　嵐と　　ルルの親密度：", 0},
      {"　　　嵐とスパークの親密度：", 3},
      {"　　　嵐と　　残響の親密度：", 4}}},
    {{{"スパークと　　ルルの親密度：", 1},
      {"スパークと　　　嵐の親密度：", 3},
      {"スパークと　　残響の親密度：", 5}}},
    {{{"　　残響と　　ルルの親密度：", 2},
      {"　　残響と　　　嵐の親密度：", 4},
      {"　　残響とスパークの親密度：", 5}}},
}};

// Colour of a condition gauge (hygiene, bowel, stress, obesity) by its
// progress; a value outside 0..100 is coloured like the nearest end.
Rgb conditionColor(int32_t p) {
    if (p >= 100) return {0, 255, 0};
    if (p >= 90) return {255, 255, 0};
    if (p >= 60) return {254, 203, 1};
    if (p >= 30) return {255, 159, 0};
    if (p >= 15) return {182, 77, 73};
    if (p >= 5) return {113, 47, 140};
    return {0, 0, 0};
}

// Colour of the stamina gauge; between the bands it keeps its colour.
Rgb staminaColor(int32_t p, int32_t max, Rgb previous) {
    const int64_t m = max / 10;
    Rgb c = previous;
    if (p == max) c = {255, 0, 0};
    if (8 * m <= p && p < max) c = {236, 19, 68};
    if (6 * m <= p && p <= 7 * m) c = {227, 28, 153};
    if (3 * m <= p && p <= 5 * m) c = {200, 32, 162};
    if (0 <= p && p <= 2 * m) c = {141, 39, 180};
    return c;
}

void clampCharacter(GameState& s, Character& c) {
    if (s.dayNumber > 9999) s.dayNumber = 9999;
    if (c.stamina >= c.maxStamina) c.stamina = c.maxStamina;
    if (c.maxStamina >= 199) c.maxStamina = 199;
    if (c.actionPoints >= c.maxActionPoints) c.actionPoints = c.maxActionPoints;
    if (c.maxActionPoints >= 199) c.maxActionPoints = 199;
    if (c.stamina < 1) c.stamina = 0;
    if (c.actionPoints < 1) c.actionPoints = 0;
    for (int32_t Character::*v : kPercentValues) {
        if (c.*v >= 100) c.*v = 100;
        if (c.*v < 1) c.*v = 0;
    }
    for (int32_t& i : s.pairIntimacy)
        if (i >= 100) i = 100;
}

int32_t computeScore(const GameState& s) {
    int64_t sum = 0;
    for (int k = 1; k <= kCharacterCount; ++k) {
        const Character& c = s.ch(k);
        sum += int64_t{c.level} + c.strength + c.dexterity + c.cooking + c.maxStamina +
               c.maxActionPoints + c.geography + c.botany + c.zoology + c.trainingLevel;
    }
    for (int32_t i : s.pairIntimacy) sum += i;
    for (int32_t f : s.worldFlags) sum += f;
    const int64_t score = sum - 108;
    return static_cast<int32_t>(std::clamp<int64_t>(score, 0, INT32_MAX));
}

// Component ids of everything the refresh writes, looked up once per form.
// A component missing from the form (a partial form in a test) is skipped.
class StatusView {
  public:
    explicit StatusView(const FormModel& f)
        : form_(&f),
          size_(f.size()),
          lastName_(f.size() ? f.all().back().name : std::string()),
          availability_(f) {
        for (size_t i = 0; i < kGaugeRows.size(); ++i) {
            gauge_[i] = f.find(kGaugeRows[i].gauge);
            number_[i] = f.find(kGaugeRows[i].number);
        }
        hpCaption_ = f.find("hp_l3");
        ill_ = f.find("ill_l");
        poison_ = f.find("poison_l");
        turnName_ = f.find("turn_name_l");
        day_ = f.find("day_l");
        level_ = f.find("lv_l");
        stranded_ = f.find("sounan_l");
        training_ = f.find("kunren_l");
        intimacy_ = f.find("cominu_l");
        escape_ = f.find("dassyutu_l");
        trader_ = f.find("mara_l");
        allocation_ = f.find("nouryoku_l");
        point_ = f.find("point_l");
        for (size_t i = 0; i < std::size(kFruitButtons); ++i)
            fruit_[i] = f.find(kFruitButtons[i].button);
        for (size_t i = 0; i < std::size(kItemButtons); ++i)
            items_[i] = f.find(kItemButtons[i].button);
    }

    // True when this view was made for this form as it is now.
    bool fits(const FormModel& f) const {
        return form_ == &f && size_ == f.size() && (size_ == 0 || f.all().back().name == lastName_);
    }

    void refresh(Game& g) const;

  private:
    const FormModel* form_;
    size_t size_;
    std::string lastName_;
    Availability availability_;
    std::array<ComponentId, kGaugeRows.size()> gauge_{}, number_{};
    ComponentId hpCaption_, ill_, poison_, turnName_, day_, level_, stranded_, training_, intimacy_,
        escape_, trader_, allocation_, point_;
    std::array<ComponentId, std::size(kFruitButtons)> fruit_{};
    std::array<ComponentId, std::size(kItemButtons)> items_{};
};

bool has(ComponentId id) {
    return id != kNoComponent;
}

// Text assembled in a buffer that keeps its capacity between refreshes; the
// form copies it only when it differs from the caption shown.
class Text {
  public:
    Text& operator<<(std::string_view s) {
        buf_.append(s);
        return *this;
    }
    Text& operator<<(int32_t n) {
        buf_.append(std::to_string(n));
        return *this;
    }
    void setCaption(FormModel& f, ComponentId id) {
        if (has(id)) f.setCaption(id, buf_);
        buf_.clear();
    }

  private:
    std::string buf_;
};

void StatusView::refresh(Game& g) const {
    GameState& s = g.s;
    FormModel& f = g.form;
    const int k = s.currentCharacter;
    Character& c = s.ch(k);
    thread_local Text text;

    // Gauges and number labels show the values as they are before the clamps.
    std::array<int32_t, kGaugeRows.size()> shown{};
    for (size_t i = 0; i < kGaugeRows.size(); ++i) shown[i] = c.*kGaugeRows[i].value;
    const int32_t maxAction = c.maxActionPoints, maxStamina = c.maxStamina;
    for (size_t i = 0; i < kGaugeRows.size(); ++i) {
        const int32_t max = i == kActionRow ? maxAction : i == kStaminaRow ? maxStamina : 100;
        if (has(gauge_[i])) f.setGauge(gauge_[i], max, shown[i]);
        text << shown[i];
        if (i == kActionRow || i == kStaminaRow) text << "/" << max;
        text.setCaption(f, number_[i]);
    }

    clampCharacter(s, c);

    // The ending shows the story, not the current character's condition.
    const bool marks = !s.runtime.endingStarted;
    if (has(ill_)) f.setVisible(ill_, marks && c.illness >= 1);
    if (has(poison_)) f.setVisible(poison_, marks && c.poison >= 1);

    for (size_t i : {kHygieneRow, kStressRow, kObesityRow, kBowelRow})
        if (has(gauge_[i])) f.setColor(gauge_[i], conditionColor(shown[i]));
    // The colour bands follow the maximum as clamped just above (a maximum of
    // 200 is already 199 here); the gauge itself showed the value before.
    g.hpColor = staminaColor(shown[kStaminaRow], c.maxStamina, g.hpColor);
    if (has(gauge_[kStaminaRow])) f.setColor(gauge_[kStaminaRow], g.hpColor);
    const Rgb staminaFont = c.stamina == 0 ? kRed : kWhite;
    if (has(number_[kStaminaRow])) f.setFontColor(number_[kStaminaRow], staminaFont);
    if (has(hpCaption_)) f.setFontColor(hpCaption_, staminaFont);

    text << kTurnNames[static_cast<size_t>(k)];
    text.setCaption(f, turnName_);
    text << s.dayNumber << "日目／";
    if (s.weather >= 0 && s.weather < static_cast<int32_t>(kWeatherWords.size()))
        text << kWeatherWords[static_cast<size_t>(s.weather)];
    text.setCaption(f, day_);
    text << "Lv:" << c.level;
    text.setCaption(f, level_);
    text << "遭難フェイズ＞" << c.strandedPhase;
    text.setCaption(f, stranded_);

    availability_.apply(s, f);
    for (size_t i = 0; i < std::size(kFruitButtons); ++i) {
        if (!has(fruit_[i]) || !f.at(fruit_[i]).visible) continue;
        text << kFruitButtons[i].name << "（" << kFruitButtons[i].count(s) << "）";
        text.setCaption(f, fruit_[i]);
    }
    for (size_t i = 0; i < std::size(kItemButtons); ++i) {
        text << kItemButtons[i].name << "（" << kItemButtons[i].count(s) << "）";
        text.setCaption(f, items_[i]);
    }

    text << "訓練度：" << c.trainingLevel;
    text.setCaption(f, training_);

    const auto& lines = kIntimacyLines[static_cast<size_t>(k)];
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0) text << "\r";
        text << lines[i].label << s.pairIntimacy[static_cast<size_t>(lines[i].pair)];
    }
    text.setCaption(f, intimacy_);

    text << "◇イカダ　　　　＞　" << s.progress(EscapePart::Raft) << "/2\r"
         << "◇オール　　　　＞　" << s.progress(EscapePart::Oar) << "/2\r"
         << "◇信号灯　　　　＞　" << s.progress(EscapePart::SignalLight) << "/3\r"
         << "◇武器　　　　　＞　" << s.progress(EscapePart::Weapon) << "/4\r"
         << "◇チームワーク　＞　" << teamwork(s) << "/60";
    text.setCaption(f, escape_);

    text << "所持している石：" << s.stoneCount << "\r所持している枝：" << s.branchCount;
    text.setCaption(f, trader_);

    text << "【" << c.name << "】のステータス振り分け\r（残り能力値：" << s.runtime.statPointsLeft
         << "）";
    text.setCaption(f, allocation_);

    s.score = computeScore(s);
    text << "得点：" << s.score << "点";
    text.setCaption(f, point_);
}

}  // namespace

void refreshStatus(Game& g) {
    if (!GameState::isCharacterIndex(g.s.currentCharacter)) return;
    // One view per thread, rebuilt when the refresh meets another form or the
    // form has grown since; the ids are stable because rows are never removed.
    thread_local std::unique_ptr<StatusView> view;
    if (!view || !view->fits(g.form)) view = std::make_unique<StatusView>(g.form);
    view->refresh(g);
}

}  // namespace kotou
