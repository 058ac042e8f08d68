// Materials (素材の製作): refined again and again, for 2 action points; the
// four protections against disasters only while none is held.

#include "production/CraftStores.h"

namespace kotou {
namespace {

using namespace stores;

constexpr const char* kItemNote =
    "※このアイテムは、［アイテム］コマンド内［通常アイテム］で使用できます";

// The five ways a material ends.
constexpr Steps kNoteThenCounts = steps({kWait, note(kItemNote), kBotanyChance, kRemaining});
constexpr Steps kCountsThenNote = steps({kRemaining, kWait, note(kItemNote), kBotanyChance});
constexpr Steps kCountsOnly = steps({kRemaining});
constexpr Steps kCountsThenDexterity = steps({kRemaining, kDexterityChance});
constexpr Steps protection(const char* text, const char* second) {
    return steps({kRemaining, kWait, note(text), line(second)});
}

constexpr std::array<SkillTest, 2> needs(int32_t dexterity, Skill second = {},
                                         int32_t minimum = 0) {
    return {atLeast(kDexterity, dexterity), atLeast(second, minimum)};
}

constexpr CraftRow kRows[] = {
    {.button = "sio_b",
     .bench = Bench::Materials,
     .name = "しお",
     .tests = needs(5, kCooking, 9),
     .uses = {{{kSeawater, 10}}},
     .costs = {.stress = 10, .stamina = 1},
     .product = addTo(&GameState::saltCount, 5),
     .finish = kCountsOnly,
     .makeWithMaterials = true,
     .showHeld = true},
    {.button = "satou_b",
     .bench = Bench::Materials,
     .name = "さとう",
     .tests = needs(18, kCooking, 26),
     .uses = {{{kWonderFruit, 10}}},
     .costs = {.stress = 9, .stamina = 1},
     .product = addTo(&GameState::sugarCount, 5),
     .finish = kCountsOnly,
     .makeWithMaterials = true,
     .finishText = "が５つ完成した！",
     .showHeld = true},
    {.button = "harb_b",
     .bench = Bench::Materials,
     .name = "ハーブ",
     .tests = needs(11, kBotany, 30),
     .uses = {{{kGrass, 10}}},
     .costs = {.stress = 8, .stamina = 1},
     .product = addTo(&GameState::herbCount, 2),
     .finish = kCountsOnly,
     .makeWithMaterials = true,
     .finishText = "が２つ完成した！",
     .showHeld = true},
    {.button = "yakusou_b",
     .bench = Bench::Materials,
     .name = "薬草",
     .tests = needs(15, kBotany, 39),
     .uses = {{{kGrass, 5}, {kLeaf, 5}, {kGlowMoss, 2}}},
     .costs = {.stress = 8, .stamina = 1},
     .product = addTo(&GameState::medicinalHerbCount, 1),
     .finish = kNoteThenCounts,
     .makeWithMaterials = true,
     .finishText = "が１つ完成した！",
     .showHeld = true},
    {.button = "dokukesisou_b",
     .bench = Bench::Materials,
     .name = "毒消し草",
     .tests = needs(10, kBotany, 10),
     .uses = {{{kGrass, 5}, {kLeaf, 4}, {kBlackFruit, 5}}},
     .costs = {.stress = 9, .stamina = 1},
     .product = addTo(&GameState::antidoteHerbCount, 1),
     .finish = kNoteThenCounts,
     .makeWithMaterials = true,
     .finishText = "が１つ完成した！",
     .showHeld = true},
    // Offered with a shell that it does not take.
    {.button = "hanakazari_b",
     .bench = Bench::Materials,
     .name = "花飾り",
     .tests = needs(5, kBotany, 5),
     .uses = {{{kGrass, 5}, {kLeaf, 3}, {kVine, 2}}},
     .costs = {.stress = 6, .stamina = 1},
     .product = addTo(&GameState::flowerWreathCount, 1),
     .finish = kCountsThenNote,
     .makeWithMaterials = true,
     .finishText = "が１つ完成した！",
     .showHeld = true},
    {.button = "tetu_b",
     .bench = Bench::Materials,
     .name = "鉄",
     .tests = needs(6),
     .uses = {{{kGem, 1}, {kMoonShadow, 1}, {kTimeSand, 1}}},
     .costs = {.stress = 9, .stamina = 1},
     .product = addTo(&GameState::ironCount, 2),
     .finish = kCountsThenDexterity,
     .makeWithMaterials = true,
     .finishText = "が２つ完成した！",
     .showHeld = true},
    {.button = "gezai_b",
     .bench = Bench::Materials,
     .name = "下剤",
     .tests = needs(10, kBotany, 3),
     .uses = {{{kGlowMoss, 2}, {kTreeSnake, 2}, {kLizard, 2}}},
     .costs = {.stress = 12, .stamina = 1},
     .product = addTo(&GameState::laxativeCount, 1),
     .finish = kCountsThenNote,
     .makeWithMaterials = true,
     .finishText = "が１つ完成した！",
     .showHeld = true},
    {.button = "kousui_b",
     .bench = Bench::Materials,
     .name = "香水",
     .tests = needs(2, kBotany, 1),
     .uses = {{{kLeaf, 5}}},
     .costs = {.stress = 2, .stamina = 1},
     .product = addTo(ExtraItem::Perfume, 1),
     .finish = kCountsThenNote,
     .makeWithMaterials = true,
     .finishText = "が１つ完成した！",
     .showHeld = true},
    {.button = "hosikuzu_b",
     .bench = Bench::Materials,
     .name = "星屑の香水",
     .tests = needs(1, kBotany, 21),
     .uses = {{{kHerb, 3}, {kSunStoneShort, 1}, {kLizard, 1}}},
     .costs = {.stress = 12, .stamina = 1},
     .product = addTo(ExtraItem::StardustPerfume, 1),
     .finish = kCountsThenNote,
     .makeWithMaterials = true,
     .finishText = "が１つ完成した！",
     .showHeld = true},
    {.button = "seisin_b",
     .bench = Bench::Materials,
     .name = "精神安定剤",
     .tests = needs(11, kBotany, 16),
     .uses = {{{kRainStone, 1}, {kSunStoneShort, 1}, {kLizard, 3}}},
     .costs = {.stress = 5, .stamina = 1},
     .product = addTo(ExtraItem::Tranquilizer, 1),
     .finish = kCountsThenNote,
     .makeWithMaterials = true,
     .finishText = "が１つ完成した！",
     .showHeld = true},
    // The protections: one held at a time, used up by their disaster.
    {.button = "syouka_b",
     .bench = Bench::Materials,
     .name = "消火用の水",
     .tests = needs(1),
     .uses = {{{kSeawater, 3}, {kLeaf, 3}, {kKiwi, 3}}},
     .costs = {.stress = 5, .stamina = 1},
     .product = addTo(ExtraItem::FireWater, 1),
     .finish = protection("※このアイテムは、『火災』時の【ストレス】減少を１回だけ半減させます",
                          "次の『火災』が起きるまで、再度このアイテムを製作することできません"),
     .makeWithMaterials = true,
     .finishText = "が１つ完成した！"},
    {.button = "hozon_b",
     .bench = Bench::Materials,
     .name = "保存用の水",
     .tests = needs(1),
     .uses = {{{kSeawater, 10}, {kWater, 5}}},
     .costs = {.stress = 5, .stamina = 1},
     .product = addTo(ExtraItem::StoredWater, 1),
     .finish = protection("※このアイテムは、『干ばつ』時の【行動力】減少を１回だけ回避させます",
                          "次の『干ばつ』が起きるまで、再度このアイテムを製作することできませ"
                          "ん"),
     .makeWithMaterials = true,
     .finishText = "が１つ完成した！"},
    {.button = "hozonsyoku_b",
     .bench = Bench::Materials,
     .name = "保存食",
     .tests = needs(1, kBotany, 5),
     .uses = {{{kTreeSnake, 3}, {kLizard, 3}, {kTimeSand, 1}}},
     .costs = {.stress = 5, .stamina = 1},
     .product = addTo(ExtraItem::PreservedFood, 1),
     .finish = protection("※このアイテムは、『地震』時の【体力】減少を１回だけ回避させます",
                          "次の『地震』が起きるまで、再度このアイテムを製作することできません"),
     .makeWithMaterials = true,
     .finishText = "が１つ完成した！"},
    {.button = "yobou_b",
     .bench = Bench::Materials,
     .name = "予防注射",
     .tests = needs(1, kBotany, 10),
     .uses = {{{kGlowMoss, 1}, {kLeaf, 20}}},
     .costs = {.stress = 5, .stamina = 1},
     .product = addTo(&GameState::hasVaccine, 1),
     .finish = steps({line("みんなで予防注射をうけた"), kRemaining, kWait,
                      note("※このアイテムは、『疫病』時に、１回だけ病気から回避"
                           "させられます"),
                      line("次の『疫病』が起きるまで、再度このアイテムを製作す"
                           "ることできません")}),
     .makeWithMaterials = true},
};

}  // namespace

std::span<const CraftRow> materialRows() {
    return kRows;
}

}  // namespace kotou
