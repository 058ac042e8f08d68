#include "shell/Inventory.h"

#include <span>

namespace kotou {
namespace {

constexpr std::string_view kFullWidthSpace = "　";
constexpr size_t kLabelWidth = 7;

struct Item {
    const char* label;
    int32_t (*count)(const GameState&);
};
#define COUNT(expr) [](const GameState& s) -> int32_t { return (expr); }

const Item kMaterials[] = {
    {"石", COUNT(s.stoneCount)},
    {"枝", COUNT(s.branchCount)},
    {"葉っぱ", COUNT(s.leafCount)},
    {"草", COUNT(s.grassCount)},
    {"骨", COUNT(s.boneCount)},
    {"皮", COUNT(s.hideCount)},
    {"つる", COUNT(s.vineCount)},
    {"火炎石", COUNT(s.flameStoneCount)},
    {"黒曜石", COUNT(s.obsidianCount)},
    {"太陽の石", COUNT(s.sunStoneCount)},
    {"雨石", COUNT(s.rainStoneCount)},
    {"魔法石", COUNT(s.magicStoneCount)},
    {"宝石", COUNT(s.gemCount)},
    {"材木", COUNT(s.lumberCount)},
    {"流木", COUNT(s.driftwoodCount)},
    {"漂流物", COUNT(s.flotsamCount)},
    {"ヒカリゴケ", COUNT(s.glowMossCount)},
    {"花飾り", COUNT(s.flowerWreathCount)},
    {"煌く時の砂", COUNT(s.timeSandCount)},
    {"月の影", COUNT(s.moonShadowCount)},
    {"鉄", COUNT(s.ironCount)},
    {"雫", COUNT(s.dropCount)},
    {"泥", COUNT(s.mudCount)},
    {"機械", COUNT(s.machineCount)},
    {"天使の涙", COUNT(s.angelTearCount)},
    {"さよならの石", COUNT(s.farewellStoneCount)},
    // The one label whose line is a character wider than the others.
    {"ありがとうの石　", COUNT(s.thanksStoneCount)},
};

const Item kFood[] = {
    {"火の実", COUNT(s.fireFruitCount)},
    {"りんご", COUNT(s.appleCount)},
    {"不思実", COUNT(s.wonderFruitCount)},
    {"黒き実", COUNT(s.blackFruitCount)},
    {"七つ実", COUNT(s.sevenFruitCount)},
    {"緑キノコ", COUNT(s.greenMushroomCount)},
    {"動くキノコ", COUNT(s.walkingMushroomCount)},
    {"巨大キノコ", COUNT(s.giantMushroomCount)},
    {"葉っぱ", COUNT(s.leafCount)},
    {"草", COUNT(s.grassCount)},
    {"水", COUNT(s.waterCount)},
    {"しお", COUNT(s.saltCount)},
    {"さとう", COUNT(s.sugarCount)},
    {"ハーブ", COUNT(s.herbCount)},
    {"貝", COUNT(s.shellCount)},
    {"人魚", COUNT(s.mermaidCount)},
    {"かっぱ", COUNT(s.kappaCount)},
    {"青い鳥", COUNT(s.blueBirdCount)},
    {"小ガニ", COUNT(s.smallCrabCount)},
    {"海藻", COUNT(s.seaweedCount)},
    {"小魚", COUNT(s.smallFishCount)},
    {"フナ", COUNT(s.crucianCount)},
    {"タイ", COUNT(s.seaBreamCount)},
    {"ピンク兎", COUNT(s.pinkRabbitCount)},
    {"木蛇", COUNT(s.treeSnakeCount)},
    {"パーセウルフ", COUNT(s.perseWolfCount)},
    {"黒虎", COUNT(s.blackTigerCount)},
    {"巨人", COUNT(s.giantCount)},
    {"人食い魚", COUNT(s.maneaterFishCount)},
    {"トカゲ", COUNT(s.lizardCount)},
    {"海水", COUNT(s.seawaterCount)},
};

const Item kOther[] = {
    {"消火用の水", COUNT(s.extraItems[7])},       {"保存用の水", COUNT(s.extraItems[8])},
    {"保存食", COUNT(s.extraItems[9])},           {"石人形", COUNT(s.carvingMade[0])},
    {"おもちゃの家", COUNT(s.carvingMade[1])},    {"おもちゃの椅子", COUNT(s.carvingMade[2])},
    {"おもちゃの机", COUNT(s.carvingMade[3])},    {"おもちゃの車", COUNT(s.carvingMade[4])},
    {"木の人形", COUNT(s.carvingMade[5])},        {"貝のペンダント", COUNT(s.carvingMade[6])},
    {"葉っぱ船", COUNT(s.carvingMade[7])},        {"木彫りの鳥", COUNT(s.carvingMade[8])},
    {"木彫りのルル", COUNT(s.carvingMade[9])},    {"木彫りの嵐", COUNT(s.carvingMade[10])},
    {"木彫りスパーク", COUNT(s.carvingMade[11])}, {"木彫りの残響", COUNT(s.carvingMade[12])},
    {"雨乞い神様", COUNT(s.carvingMade[13])},
};
#undef COUNT

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
