#include <gtest/gtest.h>

#include "shell/Inventory.h"
#include "state/Text.h"

namespace kotou {
namespace {

TEST(InventoryTest, LinesArePaddedToSevenFullWidthCharacters) {
    EXPECT_EQ(inventoryLine("石", 12), "石　　　　　　：12");
    EXPECT_EQ(inventoryLine("煌く時の砂", 3), "煌く時の砂　　：3");
    EXPECT_EQ(inventoryLine("パーセウルフ", 1), "パーセウルフ　：1");
    EXPECT_EQ(inventoryLine("おもちゃの椅子", 1), "おもちゃの椅子：1");
    // Every padded line puts its colon at the same byte offset in code page 932.
    for (const char* label : {"石", "ヒカリゴケ", "さよならの石", "人食い魚"}) {
        const std::string line = inventoryLine(label, 5);
        EXPECT_EQ(cp932Length(line), 14 + 2 + 1) << label;
    }
}

TEST(InventoryTest, MaterialsInOrderWithoutEmptyStores) {
    GameState s;
    s.stoneCount = 4;
    s.leafCount = 0;
    s.branchCount = 9;
    s.ironCount = -1;
    s.thanksStoneCount = 1;
    s.flowerWreathCount = 2;
    EXPECT_EQ(inventoryLines(s, InventoryList::Materials),
              (std::vector<std::string>{"石　　　　　　：4", "枝　　　　　　：9",
                                        "花飾り　　　　：2", "ありがとうの石　：1"}));
    EXPECT_EQ(inventoryTitle(InventoryList::Materials), "□資材一覧");
    EXPECT_TRUE(inventoryLines(GameState{}, InventoryList::Materials).empty());
}

TEST(InventoryTest, FoodSharesLeafAndGrassWithMaterials) {
    GameState s;
    s.seawaterCount = 20;
    s.leafCount = 3;
    s.fireFruitCount = 1;
    s.kiwiCount = 5;  // not on the food list
    s.grassCount = 2;
    EXPECT_EQ(inventoryLines(s, InventoryList::Food),
              (std::vector<std::string>{"火の実　　　　：1", "葉っぱ　　　　：3",
                                        "草　　　　　　：2", "海水　　　　　：20"}));
    EXPECT_EQ(inventoryLines(s, InventoryList::Materials).size(), 2u);
    EXPECT_EQ(inventoryTitle(InventoryList::Food), "□食材一覧");
}

TEST(InventoryTest, OtherListsProtectionsThenCarvings) {
    GameState s;
    s.carvingMade[13] = 1;
    s.carvingMade[0] = 1;
    s.carvingMade[14] = 1;  // the rings are not listed
    s.extra(ExtraItem::PreservedFood) = 1;
    EXPECT_EQ(
        inventoryLines(s, InventoryList::Other),
        (std::vector<std::string>{"保存食　　　　：1", "石人形　　　　：1", "雨乞い神様　　：1"}));
    EXPECT_EQ(inventoryTitle(InventoryList::Other), "□その他一覧");
}

}  // namespace
}  // namespace kotou
