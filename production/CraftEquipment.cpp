// Equipment and crafted books (アイテム製作Ｂ): each made once, for 2 action
// points. Armour, swords, knives and the large gear follow the tools; the
// books have no growth and ready their flag for the item and study screens.

#include "production/CraftStores.h"

namespace kotou {
namespace {

using namespace stores;

constexpr const char* kDefenceUp = "※戦闘時の防御力が更にアップした！！";
constexpr const char* kStudyNote = "※このアイテムは『勉強』欄で使用できます";

// As a tool: remaining counts and a wait, the note, the flag, maybe dexterity.
constexpr Steps equipped(const char* text) {
    return steps({kRemaining, kWait, note(text), kMake, kDexterityChance});
}
// A reference book: as a tool but without growth.
constexpr Steps listed(const char* text) {
    return steps({kRemaining, kWait, note(text), kMake});
}
// A book of magic is ready for the study screen before its remaining counts.
constexpr Steps studied() {
    return steps({kMake, kRemaining, kWait, note(kStudyNote)});
}

constexpr CraftRow kRows[] = {
    {.button = "yoroi_b",
     .bench = Bench::ToolsB,
     .name = "鎧",
     .tests = {dex(8)},
     .uses = {{{kIron, 2}}},
     .costs = {.stress = 20, .stamina = 1},
     .product = setTo(WorldFlag::Armour),
     .finish = equipped("※戦闘時の防御力がアップした！！")},
    {.button = "kawanoyoroi_b",
     .bench = Bench::ToolsB,
     .name = "皮の鎧",
     .tests = {dex(16)},
     .uses = {{{kIron, 2}, {kHide, 5}}},
     .costs = {.stress = 20, .stamina = 1},
     .product = setTo(WorldFlag::LeatherArmour),
     .finish = equipped(kDefenceUp)},
    {.button = "tetunoyoroi_b",
     .bench = Bench::ToolsB,
     .name = "鉄の鎧",
     .tests = {dex(30)},
     .uses = {{{kIron, 3}, {kMagicStone, 5}, {kSunStoneShort, 5}}},
     .costs = {.stress = 20, .stamina = 1},
     .product = setTo(WorldFlag::IronArmour),
     .finish = equipped(kDefenceUp)},
    {.button = "ken_b",
     .bench = Bench::ToolsB,
     .name = "剣",
     .tests = {dex(6)},
     .uses = {{{kGem, 4}, {kTimeSand, 3}}},
     .costs = {.stress = 8, .stamina = 1},
     .product = setTo(WorldFlag::Sword),
     .finish = equipped("※戦闘時の『攻撃』の威力に、【動物学】が反映されるようになった！！")},
    {.button = "bigken_b",
     .bench = Bench::ToolsB,
     .name = "大剣",
     .tests = {dex(33)},
     .uses = {{{kGem, 6}, {kTimeSand, 6}}},
     .costs = {.stress = 8, .stamina = 1},
     .product = setTo(WorldFlag::GreatSword),
     .finish = equipped("※戦闘コマンド【攻撃】の威力がアップした！！")},
    {.button = "deba_b",
     .bench = Bench::ToolsB,
     .name = "でば包丁",
     .tests = {dex(2)},
     .uses = {{{kStone, 5}}},
     .costs = {.stress = 6, .stamina = 1},
     .product = setTo(WorldFlag::FishKnife),
     .finish = equipped("※『海の幸』が食べられるようになった！！！")},
    {.button = "nikugiri_b",
     .bench = Bench::ToolsB,
     .name = "肉きり包丁",
     .tests = {dex(5)},
     .uses = {{{kStone, 6}, {kBlackFruit, 1}}},
     .costs = {.stress = 6, .stamina = 1},
     .product = setTo(WorldFlag::MeatKnife),
     .finish = equipped("※『山の幸』が食べられるようになった！！！")},
    // The large gear names the drops first.
    {.button = "bigkago_b",
     .bench = Bench::ToolsB,
     .name = "大きなカゴ",
     .tests = {dex(28)},
     .uses = {{{kDrop, 7}, {kObsidian, 15}, {kBone, 5}}},
     .costs = {.stress = 50, .stamina = 1},
     .product = setTo(ExtraItem::BigBasket),
     .finish = equipped("※【林】の探索で、１度に更にもう１つ物を持ち帰れるになった！")},
    {.button = "bigbaketu_b",
     .bench = Bench::ToolsB,
     .name = "大きなバケツ",
     .tests = {dex(18)},
     .uses = {{{kDrop, 5}, {kFlotsam, 50}, {kBone, 6}}},
     .costs = {.stress = 50, .stamina = 1},
     .product = setTo(ExtraItem::BigBucket),
     .finish = equipped("※【浜辺】の探索で、１度に更にもう１つ物を持ち帰れるになった！")},
    {.button = "bigami_b",
     .bench = Bench::ToolsB,
     .name = "大きな網",
     .tests = {dex(25)},
     .uses = {{{kDrop, 6}, {kLeaf, 50}, {kBone, 6}}},
     .costs = {.stress = 50, .stamina = 1},
     .product = setTo(ExtraItem::BigNet),
     .finish = equipped("※【海】の探索で、１度に更にもう１つ物を持ち帰れるになった！")},
    // Reference books count up their flag. Only the supplement waits after
    // its dotted lines.
    {.button = "bessatu_b",
     .bench = Bench::ToolsB,
     .name = "別冊百科辞典",
     .uses = {{{kGlowMoss, 1}, {kSeaBream, 1}}},
     .costs = {.stress = 6, .stamina = 1},
     .product = addTo(WorldFlag::SupplementEncyclopedia, 1),
     .finish = listed("※『アイテム』欄に、コマンド【その他一覧】が新たに加わった！！！"),
     .finishText = "が１つ完成した！"},
    {.button = "syokuzai_b",
     .bench = Bench::ToolsB,
     .name = "食材百科辞典",
     .uses = {{{kWonderFruit, 2}}},
     .costs = {.stress = 6, .stamina = 1},
     .product = addTo(WorldFlag::FoodEncyclopedia, 1),
     .finish = listed("※『アイテム』欄に、コマンド【食材一覧】が新たに加わった！！！"),
     .waitAfterDots = false,
     .finishText = "が１つ完成した！"},
    {.button = "sizai_b",
     .bench = Bench::ToolsB,
     .name = "資材百科辞典",
     .uses = {{{kVine, 1}, {kBranch, 3}}},
     .costs = {.stress = 6, .stamina = 1},
     .product = addTo(WorldFlag::MaterialEncyclopedia, 1),
     .finish = listed("※『アイテム』欄に、コマンド【資材一覧】が新たに加わった！！！"),
     .waitAfterDots = false,
     .finishText = "が１つ完成した！"},
    // Books of magic: clicked on channel 1, read later in the study screen.
    {.button = "magicbook_b",
     .bench = Bench::ToolsB,
     .name = "魔術書",
     .tests = {dex(8)},
     .uses = {{{kMagicStone, 4}, {kTimeSand, 2}}},
     .costs = {.stress = 6, .stamina = 1},
     .product = setTo(WorldFlag::MagicBook),
     .finish = studied(),
     .waitAfterDots = false,
     .clickChannel = 1,
     .finishText = "が１つ完成した！"},
    {.button = "magicbook2_b",
     .bench = Bench::ToolsB,
     .name = "上級魔術書",
     .tests = {dex(16)},
     .uses = {{{kMagicStone, 8}, {kMoonShadow, 5}}},
     .costs = {.stress = 6, .stamina = 1},
     .product = setTo(WorldFlag::HighMagicBook),
     .finish = studied(),
     .waitAfterDots = false,
     .clickChannel = 1,
     .finishText = "が１つ完成した！"},
    {.button = "sinpi_b",
     .bench = Bench::ToolsB,
     .name = "神秘学書",
     .tests = {dex(18)},
     .uses = {{{kSunStoneShort, 4}, {kTimeSand, 4}}},
     .costs = {.stress = 6, .stamina = 1},
     .product = setTo(WorldFlag::MysticBook),
     .finish = studied(),
     .waitAfterDots = false,
     .clickChannel = 1,
     .finishText = "が１つ完成した！"},
};

}  // namespace

std::span<const CraftRow> equipmentRows() {
    return kRows;
}

}  // namespace kotou
