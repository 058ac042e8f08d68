#include "shell/Inventory.h"

#include <span>

namespace kotou {
namespace {

constexpr std::string_view kFullWidthSpace = "　";
constexpr size_t kLabelWidth = 7;

struct Item {
    const char* label;
    Counter count;
};

const Item kMaterials[] = {
    {"石", &GameState::stoneCount},
    {"枝", &GameState::branchCount},
    {"葉っぱ", &GameState::leafCount},
    {"草", &GameState::grassCount},
    {"骨", &GameState::boneCount},
    {"皮", &GameState::hideCount},
    {"つる", &GameState::vineCount},
    {"火炎石", &GameState::flameStoneCount},
    {"黒曜石", &GameState::obsidianCount},
    {"太陽の石", &GameState::sunStoneCount},
    {"雨石", &GameState::rainStoneCount},
    {"魔法石", &GameState::magicStoneCount},
    {"宝石", &GameState::gemCount},
    {"材木", &GameState::lumberCount},
    {"流木", &GameState::driftwoodCount},
    {"漂流物", &GameState::flotsamCount},
    {"ヒカリゴケ", &GameState::glowMossCount},
    {"花飾り", &GameState::flowerWreathCount},
    {"煌く時の砂", &GameState::timeSandCount},
    {"月の影", &GameState::moonShadowCount},
    {"鉄", &GameState::ironCount},
    {"雫", &GameState::dropCount},
    {"泥", &GameState::mudCount},
    {"機械", &GameState::machineCount},
    {"天使の涙", &GameState::angelTearCount},
    {"さよならの石", &GameState::farewellStoneCount},
    // The one label whose line is a character wider than the others.
    {"ありがとうの石　", &GameState::thanksStoneCount},
};

const Item kFood[] = {
    {"火の実", &GameState::fireFruitCount},
    {"りんご", &GameState::appleCount},
    {"不思実", &GameState::wonderFruitCount},
    {"黒き実", &GameState::blackFruitCount},
    {"七つ実", &GameState::sevenFruitCount},
    {"緑キノコ", &GameState::greenMushroomCount},
    {"動くキノコ", &GameState::walkingMushroomCount},
    {"巨大キノコ", &GameState::giantMushroomCount},
    {"葉っぱ", &GameState::leafCount},
    {"草", &GameState::grassCount},
    {"水", &GameState::waterCount},
    {"しお", &GameState::saltCount},
    {"さとう", &GameState::sugarCount},
    {"ハーブ", &GameState::herbCount},
    {"貝", &GameState::shellCount},
    {"人魚", &GameState::mermaidCount},
    {"かっぱ", &GameState::kappaCount},
    {"青い鳥", &GameState::blueBirdCount},
    {"小ガニ", &GameState::smallCrabCount},
    {"海藻", &GameState::seaweedCount},
    {"小魚", &GameState::smallFishCount},
    {"フナ", &GameState::crucianCount},
    {"タイ", &GameState::seaBreamCount},
    {"ピンク兎", &GameState::pinkRabbitCount},
    {"木蛇", &GameState::treeSnakeCount},
    {"パーセウルフ", &GameState::perseWolfCount},
    {"黒虎", &GameState::blackTigerCount},
    {"巨人", &GameState::giantCount},
    {"人食い魚", &GameState::maneaterFishCount},
    {"トカゲ", &GameState::lizardCount},
    {"海水", &GameState::seawaterCount},
};

const Item kOther[] = {
    {"消火用の水", ExtraItem::FireWater},     {"保存用の水", ExtraItem::StoredWater},
    {"保存食", ExtraItem::PreservedFood},     {"石人形", Carving::StoneDoll},
    {"おもちゃの家", Carving::ToyHouse},      {"おもちゃの椅子", Carving::ToyChair},
    {"おもちゃの机", Carving::ToyDesk},       {"おもちゃの車", Carving::ToyCar},
    {"木の人形", Carving::WoodDoll},          {"貝のペンダント", Carving::ShellPendant},
    {"葉っぱ船", Carving::LeafBoat},          {"木彫りの鳥", Carving::CarvedBird},
    {"木彫りのルル", Carving::CarvedRuru},    {"木彫りの嵐", Carving::CarvedArashi},
    {"木彫りスパーク", Carving::CarvedSpark}, {"木彫りの残響", Carving::CarvedZankyo},
    {"雨乞い神様", Carving::RainGod},
};

std::span<const Item> itemsOf(InventoryList list) {
    switch (list) {
        case InventoryList::Materials:
            return kMaterials;
        case InventoryList::Food:
            return kFood;
        case InventoryList::Other:
            return kOther;
    }
    return {};
}

// Characters of a UTF-8 text (every byte that does not continue a sequence).
size_t characterCount(std::string_view text) {
    size_t n = 0;
    for (unsigned char ch : text)
        if ((ch & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

std::string_view inventoryTitle(InventoryList list) {
    switch (list) {
        case InventoryList::Materials:
            return "□資材一覧";
        case InventoryList::Food:
            return "□食材一覧";
        case InventoryList::Other:
            return "□その他一覧";
    }
    return {};
}

std::string inventoryLine(std::string_view label, int32_t count) {
    std::string line(label);
    const size_t length = characterCount(label);
    for (size_t i = length; i < kLabelWidth; ++i) line += kFullWidthSpace;
    line += "：";
    line += std::to_string(count);
    return line;
}

std::vector<std::string> inventoryLines(const GameState& s, InventoryList list) {
    std::vector<std::string> lines;
    for (const Item& item : itemsOf(list)) {
        const int32_t n = item.count(s);
        if (n > 0) lines.push_back(inventoryLine(item.label, n));
    }
    return lines;
}

}  // namespace kotou
