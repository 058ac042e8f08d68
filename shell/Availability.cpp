#include "shell/Availability.h"

#include <algorithm>
#include <array>

namespace kotou {
namespace {

// Entries of the extraItems and escape blocks (the named accessors of
// GameState are non-const, the conditions read a const state).
enum Extra : size_t {
    kBigBasket = 0,
    kBigBucket = 1,
    kBigNet = 2,
    kBlueSkySong = 3,
    kPerfume = 4,
    kStardustPerfume = 5,
    kTranquilizer = 6,
    kFireWater = 7,
    kStoredWater = 8,
    kPreservedFood = 9,
    kHealingSong = 10,
    kWindSong = 11,
    kHopeSong = 12,
    kPowerSong = 13,
    kBeastSong = 14,
    kFutureSong = 15,
    kEarthSong = 16,
};
enum Escape : size_t { kRaft = 0, kOar = 1, kSignalLight = 2, kWeapon = 3 };

int32_t W(const GameState& s, size_t i) {
    return s.worldFlags[i];
}
int32_t X(const GameState& s, Extra i) {
    return s.extraItems[i];
}
int32_t C(const GameState& s, size_t i) {
    return s.carvingMade[i];
}
int32_t E(const GameState& s, Escape i) {
    return s.escape[i];
}

bool anyIllOrPoisoned(const GameState& s) {
    for (int k = 1; k <= kCharacterCount; ++k)
        if (s.ch(k).illness >= 1 || s.ch(k).poison >= 1) return true;
    return false;
}
bool anyStranded(const GameState& s) {
    for (int k = 1; k <= kCharacterCount; ++k)
        if (s.ch(k).strandedPhase >= 1) return true;
    return false;
}
bool allOrganSongs(const GameState& s) {
    return std::all_of(s.organFlags.begin(), s.organFlags.end(), [](int32_t f) { return f >= 1; });
}

// A condition over the state `s`.
#define IF(expr) [](const GameState& s) -> bool { return (expr); }
#define ALWAYS nullptr
#define NEVER_DISABLED nullptr

const AvailabilityRow kRows[] = {
    // Exploration places.
    {"tansaku_box", "umi_b", IF(W(s, 0) >= 1), NEVER_DISABLED},
    {"tansaku_box", "hamabe_b", IF(W(s, 1) >= 1), NEVER_DISABLED},
    {"tansaku_box", "jungle_b", IF(W(s, 2) >= 1), NEVER_DISABLED},
    {"tansaku_box", "doukutu_b", IF(W(s, 3) >= 1), NEVER_DISABLED},
    {"tansaku_box", "mizuumi_b", IF(W(s, 4) >= 1), NEVER_DISABLED},
    {"tansaku_box", "gake_b", IF(W(s, 9) >= 1), NEVER_DISABLED},
    // Meals.
    {"cook_box", "uminosati_b", IF(W(s, 18) >= 1), NEVER_DISABLED},
    {"cook_box", "yamanosati_b", IF(W(s, 19) >= 1), NEVER_DISABLED},
    {"desert_box", "kyuui_b", IF(s.kiwiCount >= 1), NEVER_DISABLED},
    {"desert_box", "hinomi_b", IF(s.fireFruitCount >= 1), NEVER_DISABLED},
    {"desert_box", "ringo_b", IF(s.appleCount >= 1), NEVER_DISABLED},
    {"desert_box", "fusimi_b", IF(s.wonderFruitCount >= 1), NEVER_DISABLED},
    {"desert_box", "kurokimi_b", IF(s.blackFruitCount >= 1), NEVER_DISABLED},
    {"desert_box", "nanatumi_b", IF(s.sevenFruitCount >= 1), NEVER_DISABLED},
    {"desert_box", "kibou_b",
     IF(s.fireFruitCount >= 1 && s.wonderFruitCount >= 2 && s.blackFruitCount >= 1 &&
        s.sevenFruitCount >= 2),
     NEVER_DISABLED},
    {"desert_box", "risou_b",
     IF(s.hasKnife >= 1 && s.greenMushroomCount >= 1 && s.wonderFruitCount >= 3 &&
        s.blackFruitCount >= 2 && s.sevenFruitCount >= 3),
     NEVER_DISABLED},
    {"desert_box", "kiken_b",
     IF(s.hasKnife >= 1 && s.walkingMushroomCount >= 3 && s.treeSnakeCount >= 3 &&
        s.blackFruitCount >= 5),
     NEVER_DISABLED},
    {"desert_box", "kirameku_b",
     IF(s.giantMushroomCount >= 9 && s.blueBirdCount >= 1 && s.kappaCount >= 1), NEVER_DISABLED},
    {"desert_box", "kinoko_b",
     IF(s.greenMushroomCount >= 5 && s.walkingMushroomCount >= 5 && s.waterCount >= 5),
     NEVER_DISABLED},
    {"desert_box", "mixjuce_b",
     IF(s.sevenFruitCount >= 3 && s.greenMushroomCount >= 3 && s.waterCount >= 3), NEVER_DISABLED},
    {"desert_box", "cake_b",
     IF(s.cakeBookState >= 2 && s.greenMushroomCount >= 2 && s.wonderFruitCount >= 2 &&
        s.sugarCount >= 3),
     NEVER_DISABLED},
    {"desert_box", "harbtea_b",
     IF(s.herbTeaBookState >= 2 && s.herbCount >= 3 && s.waterCount >= 2 && s.sugarCount >= 2),
     NEVER_DISABLED},
    {"desert_box", "kudamono_b", IF(s.fireFruitCount >= 5 && s.appleCount >= 2), NEVER_DISABLED},
    {"desert_box", "kinoko_b2",
     IF(s.greenMushroomCount >= 1 && s.walkingMushroomCount >= 1 && s.giantMushroomCount >= 1),
     NEVER_DISABLED},
    {"desert_box", "water_b", IF(s.waterCount >= 1), NEVER_DISABLED},
    {"uminosati_box", "kaisou_b", IF(s.seaweedCount >= 4), NEVER_DISABLED},
    {"uminosati_box", "nibosi_b", IF(s.smallFishCount >= 3), NEVER_DISABLED},
    {"uminosati_box", "yakisakana_b",
     IF(s.crucianCount >= 1 && s.seaBreamCount >= 1 && s.hasFireStarter >= 1), NEVER_DISABLED},
    {"uminosati_box", "kaisoucook_b",
     IF(s.seaBreamCount >= 2 && s.seaweedCount >= 4 && s.hasKnife >= 1), NEVER_DISABLED},
    {"uminosati_box", "kogani_b", IF(s.smallCrabCount >= 3 && s.hasPot >= 1), NEVER_DISABLED},
    {"uminosati_box", "hamabenosati_b", IF(s.smallCrabCount >= 1 && s.shellCount >= 2),
     NEVER_DISABLED},
    {"uminosati_box", "tainosasimi_b", IF(s.seaBreamCount >= 4), NEVER_DISABLED},
    {"uminosati_box", "ningyo_b", IF(s.sugarCount >= 3 && s.mermaidCount >= 1 && s.hasPot >= 1),
     NEVER_DISABLED},
    {"yamanosati_box", "nikuc_b",
     IF(s.pinkRabbitCount >= 4 && s.hasKnife >= 1 && s.hasFireStarter >= 1), NEVER_DISABLED},
    {"yamanosati_box", "nikub_b",
     IF(s.pinkRabbitCount >= 3 && s.perseWolfCount >= 3 && s.hasStove >= 1 && s.hasKnife >= 1 &&
        s.hasFireStarter >= 1),
     NEVER_DISABLED},
    {"yamanosati_box", "nikua_b",
     IF(s.blackTigerCount >= 3 && s.perseWolfCount >= 3 && s.hasStove >= 1 && s.hasKnife >= 1),
     NEVER_DISABLED},
    {"yamanosati_box", "nikus_b",
     IF(s.giantCount >= 3 && s.mermaidCount >= 2 && s.pinkRabbitCount >= 2 && s.hasStove >= 1 &&
        s.hasKnife >= 1),
     NEVER_DISABLED},
    {"yamanosati_box", "nikusp_b",
     IF(s.giantCount >= 3 && s.maneaterFishCount >= 2 && s.blackTigerCount >= 3 &&
        s.hasStove >= 1 && s.hasKnife >= 1),
     NEVER_DISABLED},
    {"yamanosati_box", "sansai_b",
     IF(s.grassCount >= 2 && s.leafCount >= 3 && s.hasPot >= 1 && s.hasStove >= 1), NEVER_DISABLED},
    {"yamanosati_box", "kusa_b",
     IF(s.grassCount >= 3 && s.stoneCount >= 3 && s.hasFireStarter >= 1), NEVER_DISABLED},
    {"yamanosati_box", "hebi_b",
     IF(s.saltCount >= 2 && s.lizardCount >= 1 && s.treeSnakeCount >= 1), NEVER_DISABLED},
    {"yamanosati_box", "kyodaigohan_b",
     IF(s.sugarCount >= 3 && s.giantCount >= 1 && s.giantMushroomCount >= 2), NEVER_DISABLED},
    // Facilities.
    {"sisetu_box", "tento_b",
     IF(s.hasTent == 0 && s.hasNeedle >= 1 && s.hasHut == 0 && s.hasHouse == 0),
     IF(s.hasTent == 0 && s.hasNeedle >= 1 && s.hasHut == 0 && s.hasHouse == 0 &&
        s.branchCount >= 2 && s.flotsamCount >= 7 && s.leafCount >= 5)},
    {"sisetu_box", "koya_b", IF(s.hasHut == 0 && s.hasSaw >= 1 && s.hasAxe >= 1 && s.hasHouse == 0),
     IF(s.hasHut == 0 && s.hasSaw >= 1 && s.hasAxe >= 1 && s.hasHouse == 0 && s.lumberCount >= 3 &&
        s.driftwoodCount >= 5 && s.leafCount >= 3)},
    {"sisetu_box", "ikkenya_b", IF(s.hasHouse == 0 && s.hasSaw >= 1 && s.hasAxe >= 1),
     IF(s.hasHouse == 0 && s.hasSaw >= 1 && s.hasAxe >= 1 && s.lumberCount >= 9 &&
        s.ironCount >= 4 && s.stoneCount >= 9)},
    {"sisetu_box", "kamado_b", IF(s.hasStove == 0 && s.hasFireStarter >= 1),
     IF(s.hasStove == 0 && s.hasFireStarter >= 1 && s.flameStoneCount >= 3 && s.mudCount >= 3 &&
        s.stoneCount >= 9)},
    {"sisetu_box", "kanitoile_b", IF(s.hasSimpleToilet == 0 && W(s, 12) >= 1),
     IF(s.hasSimpleToilet == 0 && W(s, 12) >= 1 && s.shellCount >= 2 && s.stoneCount >= 3)},
    {"sisetu_box", "midtoile_b", IF(s.hasMidToilet == 0 && s.hasSimpleToilet >= 1),
     IF(s.hasMidToilet == 0 && s.hasSimpleToilet >= 1 && s.flameStoneCount >= 6 &&
        s.driftwoodCount >= 3 && s.stoneCount >= 6)},
    {"sisetu_box", "hightoile_b", IF(s.hasLuxuryToilet == 0 && s.hasMidToilet >= 1),
     IF(s.hasLuxuryToilet == 0 && s.hasMidToilet >= 1 && s.stoneCount >= 9 && s.lumberCount >= 6 &&
        s.mudCount >= 6 && s.hideCount >= 3)},
    {"sisetu_box", "nebukuro_b", IF(s.hasSleepingBag == 0 && s.hasNeedle >= 1),
     IF(s.hasSleepingBag == 0 && s.hasNeedle >= 1 && s.leafCount >= 9 && s.vineCount >= 2 &&
        s.shellCount >= 2)},
    {"sisetu_box", "syawaa_b", IF(s.hasShower == 0 && s.hasWaterSupply >= 1 && W(s, 42) >= 1),
     IF(s.hasShower == 0 && s.hasWaterSupply >= 1 && W(s, 42) >= 1 && s.stoneCount >= 3 &&
        s.branchCount >= 9 && s.leafCount >= 3)},
    {"sisetu_box", "drumhuro_b", IF(s.hasDrumBath == 0 && s.hasWaterSupply >= 1),
     IF(s.hasDrumBath == 0 && s.hasWaterSupply >= 1 && s.stoneCount >= 8 &&
        s.flameStoneCount >= 5 && s.flotsamCount >= 8)},
    {"sisetu_box", "suidou_b", IF(s.hasWaterSupply == 0 && s.hasBucket >= 1),
     IF(s.hasWaterSupply == 0 && s.hasBucket >= 1 && s.seawaterCount >= 20 && s.waterCount >= 9 &&
        s.flotsamCount >= 9)},
    {"sisetu_box", "sokusekisyawaa_b", IF(W(s, 11) == 0),
     IF(W(s, 11) == 0 && s.stoneCount >= 2 && s.branchCount >= 1)},
    {"sisetu_box", "sokusekitoile_b", IF(W(s, 12) == 0), IF(W(s, 12) == 0 && s.stoneCount >= 2)},
    {"sisetu_box", "syuukaijyou_b", IF(W(s, 14) == 0),
     IF(W(s, 14) == 0 && s.stoneCount >= 5 && s.branchCount >= 3)},
    {"sisetu_box", "kunrenjyou_b", IF(W(s, 17) == 0),
     IF(W(s, 17) == 0 && s.stoneCount >= 3 && s.leafCount >= 3)},
    {"sisetu_box", "kanisyawaa_b", IF(W(s, 42) == 0 && W(s, 11) >= 1 && s.hasBucket >= 1),
     IF(W(s, 42) == 0 && W(s, 11) >= 1 && s.hasBucket >= 1 && s.seawaterCount >= 5 &&
        s.branchCount >= 5 && s.flotsamCount >= 5)},
    {"sisetu_box", "asobiba_b", IF(W(s, 43) == 0 && W(s, 14) >= 1),
     IF(W(s, 43) == 0 && W(s, 14) >= 1 && s.leafCount >= 5 && s.vineCount >= 5 &&
        s.branchCount >= 3)},
    {"sisetu_box", "bed_b", IF(W(s, 45) == 0 && s.hasTent >= 1),
     IF(W(s, 45) == 0 && s.hasTent >= 1 && s.sunStoneCount >= 1 && s.branchCount >= 5)},
    {"sisetu_box", "tougi_b", IF(W(s, 50) == 0 && W(s, 17) >= 1),
     IF(s.ironCount >= 1 && s.blackFruitCount >= 20)},
    {"sisetu_box", "chosui_b", IF(s.hasWaterSupply >= 1 && W(s, 50) >= 1 && s.hasReservoir == 0),
     IF(s.waterCount >= 10 && s.seawaterCount >= 20 && s.rainStoneCount >= 1)},
    // Tools.
    {"item_seisaku_box", "old_radio_b", IF(W(s, 10) >= 1 && s.radioState == 0),
     IF(s.flotsamCount >= 10)},
    {"item_seisaku_box", "new_radio_b", IF(W(s, 10) >= 1 && s.radioState == 1),
     IF(s.flotsamCount >= 50)},
    {"item_seisaku_box", "turi_b", IF(s.hasFishingTackle == 0),
     IF(s.boneCount >= 1 && s.branchCount >= 1)},
    {"item_seisaku_box", "ami_b", IF(s.hasNet == 0 && s.hasNeedle >= 1), IF(s.vineCount >= 15)},
    {"item_seisaku_box", "boat_b", IF(s.hasBoat == 0 && s.hasSaw >= 1 && s.hasNet >= 1),
     IF(s.vineCount >= 5 && s.lumberCount >= 1 && s.driftwoodCount >= 2)},
    {"item_seisaku_box", "hiokosiki_b", IF(s.hasFireStarter == 0), IF(s.branchCount >= 2)},
    {"item_seisaku_box", "hari_b", IF(s.hasNeedle == 0), IF(s.boneCount >= 2)},
    {"item_seisaku_box", "ono_b", IF(s.hasAxe == 0),
     IF(s.stoneCount >= 1 && s.branchCount >= 1 && s.vineCount >= 1)},
    // The caption asks bones and obsidian, the build takes branches and
    // obsidian: requiring all three keeps every count it may take above zero.
    {"item_seisaku_box", "nokogiri_b", IF(s.hasSaw == 0),
     IF(s.boneCount >= kSawBones && s.obsidianCount >= kSawObsidian &&
        s.branchCount >= kSawBranches)},
    {"item_seisaku_box", "baketu_b", IF(s.hasBucket == 0),
     IF(s.vineCount >= 3 && s.flotsamCount >= 3)},
    {"item_seisaku_box", "kago_b", IF(s.hasBasket == 0), IF(s.vineCount >= 9)},
    {"item_seisaku_box", "ryukku_b", IF(s.hasRucksack == 0 && s.hasBasket >= 1),
     IF(s.vineCount >= 8 && s.hideCount >= 8)},
    {"item_seisaku_box", "naifu_b", IF(s.hasKnife == 0 && W(s, 19) >= 1),
     IF(s.obsidianCount >= 1 && s.boneCount >= 1)},
    {"item_seisaku_box", "gun_b", IF(s.hasGun == 0 && s.hasKnife >= 1 && s.hasAxe >= 1),
     IF(s.flameStoneCount >= 18 && s.fireFruitCount >= 9 && s.flotsamCount >= 8)},
    {"item_seisaku_box", "ranpu_b", IF(s.hasLamp == 0 && s.hasFireStarter >= 1 && W(s, 3) >= 1),
     IF(s.flotsamCount >= 1 && s.fireFruitCount >= 5)},
    {"item_seisaku_box", "nabe_b", IF(s.hasPot == 0 && s.hasStove >= 1),
     IF(s.flotsamCount >= 1 && s.leafCount >= 1)},
    {"item_seisaku_box", "sekken_b", IF(s.hasSoap == 0),
     IF(s.flotsamCount >= 1 && s.shellCount >= 1)},
    {"item_seisaku_box", "tukue_b", IF(W(s, 13) == 0), IF(s.branchCount >= 5)},
    // Equipment.
    {"item_seisaku2_box", "yoroi_b", IF(W(s, 25) == 0), IF(s.ironCount >= 2)},
    {"item_seisaku2_box", "kawanoyoroi_b", IF(W(s, 26) == 0 && W(s, 25) >= 1),
     IF(s.ironCount >= 2 && s.hideCount >= 5)},
    {"item_seisaku2_box", "deba_b", IF(W(s, 18) == 0 && W(s, 1) >= 1), IF(s.stoneCount >= 5)},
    {"item_seisaku2_box", "nikugiri_b", IF(W(s, 19) == 0 && W(s, 18) >= 1 && W(s, 3) >= 1),
     IF(s.stoneCount >= 6 && s.blackFruitCount >= 1)},
    {"item_seisaku2_box", "ken_b", IF(W(s, 20) == 0), IF(s.gemCount >= 4 && s.timeSandCount >= 3)},
    {"item_seisaku2_box", "tetunoyoroi_b", IF(W(s, 27) == 0 && W(s, 26) >= 1),
     IF(s.ironCount >= 3 && s.magicStoneCount >= 5 && s.sunStoneCount >= 5)},
    {"item_seisaku2_box", "bigkago_b",
     IF(X(s, kBigBasket) == 0 && s.hasBasket >= 1 && s.hasNeedle >= 1 && s.hasKnife >= 1 &&
        W(s, 2) >= 1),
     IF(s.dropCount >= 7 && s.obsidianCount >= 15 && s.boneCount >= 5)},
    {"item_seisaku2_box", "bigbaketu_b",
     IF(X(s, kBigBucket) == 0 && s.hasBucket >= 1 && s.hasNeedle >= 1 && s.hasKnife >= 1 &&
        W(s, 2) >= 1),
     IF(s.boneCount >= 6 && s.flotsamCount >= 50 && s.dropCount >= 5)},
    {"item_seisaku2_box", "bigken_b", IF(W(s, 24) == 0 && W(s, 20) >= 1),
     IF(s.gemCount >= 6 && s.timeSandCount >= 6)},
    {"item_seisaku2_box", "bigami_b",
     IF(X(s, kBigNet) == 0 && s.hasNet >= 1 && s.hasNeedle >= 1 && s.hasKnife >= 1 && W(s, 2) >= 1),
     IF(s.dropCount >= 6 && s.leafCount >= 50 && s.boneCount >= 6)},
    // Materials.
    {"sozai_box", "sio_b", ALWAYS, IF(s.seawaterCount >= 10)},
    {"sozai_box", "satou_b", ALWAYS, IF(s.wonderFruitCount >= 10)},
    {"sozai_box", "harb_b", ALWAYS, IF(s.grassCount >= 10)},
    {"sozai_box", "yakusou_b", IF(s.medicineBookState >= 2),
     IF(s.grassCount >= 5 && s.leafCount >= 5 && s.glowMossCount >= 2)},
    {"sozai_box", "dokukesisou_b", IF(s.medicineBookState >= 2),
     IF(s.grassCount >= 5 && s.leafCount >= 4 && s.blackFruitCount >= 5)},
    {"sozai_box", "hanakazari_b", ALWAYS,
     IF(s.grassCount >= 5 && s.leafCount >= 3 && s.vineCount >= 3 && s.shellCount >= 1)},
    {"sozai_box", "tetu_b", ALWAYS,
     IF(s.gemCount >= 1 && s.moonShadowCount >= 1 && s.timeSandCount >= 1)},
    {"sozai_box", "gezai_b", IF(s.medicineBookState >= 2),
     IF(s.glowMossCount >= 2 && s.treeSnakeCount >= 2 && s.lizardCount >= 2)},
    {"sozai_box", "kousui_b", ALWAYS, IF(s.leafCount >= 5)},
    {"sozai_box", "hosikuzu_b", IF(W(s, 7) >= 1 && W(s, 44) >= 1),
     IF(s.herbCount >= 3 && s.sunStoneCount >= 1 && s.lizardCount >= 1)},
    {"sozai_box", "seisin_b", IF(s.medicineBookState >= 2),
     IF(s.sunStoneCount >= 1 && s.rainStoneCount >= 1 && s.lizardCount >= 3)},
    {"sozai_box", "syouka_b", IF(s.dayNumber >= 5 && X(s, kFireWater) == 0),
     IF(s.leafCount >= 3 && s.seawaterCount >= 3 && s.kiwiCount >= 3)},
    {"sozai_box", "hozon_b", IF(s.dayNumber >= 10 && X(s, kStoredWater) == 0),
     IF(s.waterCount >= 5 && s.seawaterCount >= 10)},
    {"sozai_box", "hozonsyoku_b", IF(s.dayNumber >= 15 && X(s, kPreservedFood) == 0),
     IF(s.treeSnakeCount >= 3 && s.lizardCount >= 3 && s.timeSandCount >= 1)},
    // Books.
    {"item_seisaku2_box", "bessatu_b", IF(W(s, 44) == 0 && W(s, 16) >= 1),
     IF(s.glowMossCount >= 1 && s.seaBreamCount >= 1)},
    {"item_seisaku2_box", "syokuzai_b", IF(W(s, 15) == 0 && W(s, 13) >= 1),
     IF(s.wonderFruitCount >= 2)},
    {"item_seisaku2_box", "sizai_b", IF(W(s, 16) == 0 && W(s, 15) >= 1),
     IF(s.vineCount >= 1 && s.branchCount >= 3)},
    {"item_seisaku2_box", "magicbook_b", IF(W(s, 21) == 0 && W(s, 16) >= 1),
     IF(s.magicStoneCount >= 4 && s.timeSandCount >= 2)},
    {"item_seisaku2_box", "magicbook2_b", IF(W(s, 22) == 0 && W(s, 21) >= 2),
     IF(s.magicStoneCount >= 8 && s.moonShadowCount >= 5)},
    {"item_seisaku2_box", "sinpi_b", IF(W(s, 23) == 0 && W(s, 16) >= 1),
     IF(s.sunStoneCount >= 4 && s.timeSandCount >= 4)},
    {"sozai_box", "yobou_b", IF(s.medicineBookState >= 2 && s.hasVaccine == 0),
     IF(s.glowMossCount >= 1 && s.leafCount >= 20)},
    // Songs.
    {"uta_box", "uta_b1", ALWAYS, IF(s.sunStoneCount >= 2 && s.rainStoneCount >= 1)},
    {"uta_box", "uta_b2", ALWAYS,
     IF(s.rainStoneCount >= 1 && s.angelTearCount >= 3 && s.magicStoneCount >= 3)},
    {"uta_box", "uta_b3", ALWAYS,
     IF(s.moonShadowCount >= 2 && s.sunStoneCount >= 1 && s.timeSandCount >= 2)},
    {"uta_box", "uta_b4", ALWAYS, IF(s.dropCount >= 3 && s.angelTearCount >= 5 && s.gemCount >= 3)},
    {"uta_box", "uta_b5", ALWAYS,
     IF(s.giantCount >= 1 && s.blueBirdCount >= 1 && s.machineCount >= 3)},
    {"uta_box", "uta_b6", ALWAYS, IF(s.rareItems[10] >= 2 && s.blackTigerCount >= 3)},
    {"uta_box", "uta_b7", ALWAYS,
     IF(s.kappaCount >= 1 && s.mermaidCount >= 3 && s.machineCount >= 5 && s.magicStoneCount >= 3)},
    {"uta_box", "uta_b8", ALWAYS,
     IF(s.moonShadowCount >= 3 && s.timeSandCount >= 3 && s.angelTearCount >= 6)},
    {"uta_box", "uta_b9", IF(allOrganSongs(s)),
     IF(s.angelTearCount >= 10 && s.machineCount >= 10 && s.thanksStoneCount >= 1)},
    // Study.
    {"study_box", "cat_book_b", IF(s.catBookFound >= 1), NEVER_DISABLED},
    {"study_box", "world_book_b", IF(s.worldBookFound >= 1), NEVER_DISABLED},
    {"study_box", "flower_book_b", IF(s.flowerBookFound >= 1), NEVER_DISABLED},
    {"study_box", "cake_book_b", IF(s.cakeBookState == 1), NEVER_DISABLED},
    {"study_box", "harb_book_b", IF(s.herbTeaBookState == 1), NEVER_DISABLED},
    {"study_box", "kusuri_book_b", IF(s.medicineBookState == 1), NEVER_DISABLED},
    {"study_box", "magic_book_b", IF(W(s, 21) == 1), NEVER_DISABLED},
    {"study_box", "magic_book2_b", IF(W(s, 22) == 1), NEVER_DISABLED},
    {"study_box", "sinpi_book_b", IF(W(s, 23) == 1), NEVER_DISABLED},
    // Usable items, god items and songs.
    {"nomal_item_box", "yakusou_use_b", IF(s.medicinalHerbCount >= 1), NEVER_DISABLED},
    {"nomal_item_box", "dokukesisou_use_b", IF(s.antidoteHerbCount >= 1), NEVER_DISABLED},
    {"nomal_item_box", "hanakazari_use_b", IF(s.flowerWreathCount >= 1), NEVER_DISABLED},
    {"nomal_item_box", "gezai_use_b", IF(s.laxativeCount >= 1), NEVER_DISABLED},
    {"nomal_item_box", "kousui_use_b", IF(X(s, kPerfume) >= 1), NEVER_DISABLED},
    {"nomal_item_box", "hosikuzu_use_b", IF(X(s, kStardustPerfume) >= 1), NEVER_DISABLED},
    {"nomal_item_box", "seisin_use_b", IF(X(s, kTranquilizer) >= 1), NEVER_DISABLED},
    {"nomal_item_box", "oogetu_b", IF(s.rareItems[0] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "konohana_b", IF(s.rareItems[1] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "omoi_b", IF(s.rareItems[2] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "susano_b", IF(s.rareItems[3] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "take_b", IF(s.rareItems[4] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "tuku_b", IF(s.rareItems[5] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "toki_b", IF(s.rareItems[6] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "yomo_b", IF(s.rareItems[7] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "wata_b", IF(s.rareItems[8] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "hetu_b", IF(s.rareItems[9] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "honoka_b", IF(s.rareItems[10] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "araha_b", IF(s.rareItems[11] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "osira_b", IF(s.rareItems[12] >= 1), NEVER_DISABLED},
    {"nomal_item_box", "ao_b", IF(X(s, kBlueSkySong) >= 1), NEVER_DISABLED},
    {"nomal_item_box", "iyasi_b", IF(X(s, kHealingSong) >= 1), NEVER_DISABLED},
    {"nomal_item_box", "kaze_b", IF(X(s, kWindSong) >= 1), NEVER_DISABLED},
    {"nomal_item_box", "kibou_song_b", IF(X(s, kHopeSong) >= 1), NEVER_DISABLED},
    {"nomal_item_box", "tikara_b", IF(X(s, kPowerSong) >= 1), NEVER_DISABLED},
    {"nomal_item_box", "kemono_b", IF(X(s, kBeastSong) >= 1), NEVER_DISABLED},
    {"nomal_item_box", "mirai_b", IF(X(s, kFutureSong) >= 1), NEVER_DISABLED},
    {"nomal_item_box", "tikyu_b", IF(X(s, kEarthSong) >= 1), NEVER_DISABLED},
    // Carvings.
    {"kousaku_box", "isidoll_b", IF(C(s, 0) == 0), IF(s.stoneCount >= 3)},
    {"kousaku_box", "toy_house_b", IF(C(s, 1) == 0 && C(s, 3) >= 1 && C(s, 2) >= 1),
     IF(s.branchCount >= 5 && s.leafCount >= 2 && s.stoneCount >= 5)},
    {"kousaku_box", "toy_chair_b", IF(C(s, 2) == 0), IF(s.branchCount >= 4 && s.vineCount >= 2)},
    {"kousaku_box", "toy_desk_b", IF(C(s, 3) == 0),
     IF(s.branchCount >= 4 && s.vineCount >= 1 && s.shellCount >= 3)},
    {"kousaku_box", "toy_car_b", IF(C(s, 4) == 0 && C(s, 1) >= 1),
     IF(s.branchCount >= 8 && s.vineCount >= 5 && s.boneCount >= 3 && s.stoneCount >= 3)},
    {"kousaku_box", "wooddoll_b", IF(C(s, 5) == 0), IF(s.branchCount >= 5 && s.vineCount >= 3)},
    {"kousaku_box", "kai_b", IF(C(s, 6) == 0), IF(s.shellCount >= 2)},
    {"kousaku_box", "happa_b", IF(C(s, 7) == 0), IF(s.leafCount >= 3)},
    {"kousaku_box", "kibori_bird_b", IF(C(s, 8) == 0 && s.hasKnife >= 1), IF(s.branchCount >= 5)},
    {"kousaku_box", "kibori_ruru_b", IF(C(s, 9) == 0 && s.hasKnife >= 1),
     IF(s.branchCount >= 8 && s.shellCount >= 5)},
    {"kousaku_box", "kibori_arashi_b", IF(C(s, 10) == 0 && s.hasKnife >= 1 && C(s, 9) >= 1),
     IF(s.branchCount >= 8 && s.flameStoneCount >= 3 && s.boneCount >= 1)},
    {"kousaku_box", "kibori_spark_b", IF(C(s, 11) == 0 && s.hasKnife >= 1 && C(s, 10) >= 1),
     IF(s.driftwoodCount >= 3 && s.obsidianCount >= 3 && s.mudCount >= 5)},
    {"kousaku_box", "kibori_zankyou_b", IF(C(s, 12) == 0 && s.hasKnife >= 1 && C(s, 11) >= 1),
     IF(s.lumberCount >= 3 && s.grassCount >= 9 && s.blueBirdCount >= 2)},
    {"kousaku_box", "amagoi_b", IF(C(s, 13) == 0 && s.hasKnife >= 1 && C(s, 9) >= 1),
     IF(s.flameStoneCount >= 5 && s.vineCount >= 10 && s.sunStoneCount >= 3)},
    {"kousaku_box", "phantom_b", IF(C(s, 14) == 0 && W(s, 8) >= 1),
     IF(s.farewellStoneCount >= 1 && s.thanksStoneCount >= 1)},
    {"kousaku_box", "namering_b", IF(C(s, 15) == 0 && W(s, 9) >= 1),
     IF(s.machineCount >= 1 && s.angelTearCount >= 1 && s.kappaCount >= 1 && s.mermaidCount >= 1)},
    // Colosseum.
    {"colo_box", "colo_b1", IF(W(s, 51) == 0), NEVER_DISABLED},
    {"colo_box", "colo_b2", IF(W(s, 52) == 0), NEVER_DISABLED},
    {"colo_box", "colo_b3", IF(W(s, 53) == 0), NEVER_DISABLED},
    {"colo_box", "colo_b4", IF(W(s, 54) == 0 && W(s, 52) >= 1), NEVER_DISABLED},
    {"colo_box", "colo_b5", IF(W(s, 55) == 0 && W(s, 53) >= 1), NEVER_DISABLED},
    {"colo_box", "colo_b6", IF(W(s, 56) == 0 && W(s, 54) >= 1), NEVER_DISABLED},
    {"colo_box", "colo_b7", IF(W(s, 57) == 0 && W(s, 55) >= 1), NEVER_DISABLED},
    {"colo_box", "colo_b8", IF(W(s, 58) == 0 && W(s, 56) >= 1 && W(s, 57) >= 1), NEVER_DISABLED},
    {"colo_box", "colo_b9", IF(W(s, 59) == 0 && W(s, 58) >= 1), NEVER_DISABLED},
    {"colo_box", "colo_b10", IF(W(s, 60) == 0 && W(s, 59) >= 1), NEVER_DISABLED},
    {"cominu_box2", "asobu_b", IF(W(s, 43) >= 1), NEVER_DISABLED},
    // Escape plan.
    {"dassyutu_box", "ikada_b", IF(E(s, kRaft) <= 1 && s.hasSaw >= 1 && s.hasAxe >= 1),
     IF(s.lumberCount >= 7 && s.driftwoodCount >= 5 && s.vineCount >= 6 && s.hideCount >= 3)},
    {"dassyutu_box", "all_b", IF(E(s, kOar) <= 1 && s.hasSaw >= 1),
     IF(s.driftwoodCount >= 2 && s.rainStoneCount >= 1 && s.ironCount >= 1)},
    {"dassyutu_box", "singou_b", IF(E(s, kSignalLight) <= 2),
     IF(s.glowMossCount >= 3 && s.obsidianCount >= 5)},
    {"dassyutu_box", "buki_b", IF(E(s, kWeapon) <= 3 && s.hasNeedle >= 1),
     IF(s.dropCount >= 1 && s.magicStoneCount >= 1 && s.boneCount >= 1 && s.branchCount >= 3)},
    {"dassyutu_box", "clear_b",
     IF(E(s, kRaft) >= 2 && E(s, kOar) >= 2 && E(s, kSignalLight) >= 3 && E(s, kWeapon) >= 4 &&
        teamwork(s) >= 60 && s.storyPhase >= 17),
     NEVER_DISABLED},
    // Menus and the command panel.
    {"seisaku_box", "organ_b", IF(W(s, 10) >= 1), NEVER_DISABLED},
    {"seisaku_box", "kousaku_b", IF(W(s, 13) >= 1), NEVER_DISABLED},
    {"com_box", "bath_b", IF(W(s, 11) >= 1), NEVER_DISABLED},
    {"com_box", "toile_b", IF(W(s, 12) >= 1), NEVER_DISABLED},
    {"com_box", "kunren_b", IF(W(s, 17) >= 1), NEVER_DISABLED},
    {"kunren_box", "colo_b", IF(W(s, 50) >= 1), NEVER_DISABLED},
    {"com_box", "study_b", IF(W(s, 13) >= 1), NEVER_DISABLED},
    {"com_box", "cominu_b", IF(W(s, 14) >= 1), NEVER_DISABLED},
    {"com_box", "svival_b", IF(s.dayNumber % 5 == 0), NEVER_DISABLED},
    {"com_box", "mara_b", IF(s.dayNumber % 4 == 0 && s.dayNumber >= 10), NEVER_DISABLED},
    {"com_box", "kanbyou_b", IF(anyIllOrPoisoned(s)), NEVER_DISABLED},
    {"com_box", "kyuujyo_b", IF(anyStranded(s)), NEVER_DISABLED},
    {"com_box", "dassyutu_b", IF(s.storyPhase >= 16), NEVER_DISABLED},
    {"battle_box", "lazer_b", IF(s.currentCharacter == 3 && W(s, 32) >= 1), NEVER_DISABLED},
    {"svival_box", "svival_b2", IF(W(s, 5) >= 1), NEVER_DISABLED},
    {"svival_box", "svival_b3", IF(W(s, 6) >= 1), NEVER_DISABLED},
    {"svival_box", "svival_b4", IF(W(s, 7) >= 1), NEVER_DISABLED},
    {"svival_box", "svival_b5", IF(W(s, 8) >= 1), NEVER_DISABLED},
    {"svival_box", "svival_b6", IF(C(s, 14) >= 1), NEVER_DISABLED},
    {"svival_box", "svival_b7", IF(s.finalCourseClears >= 1 && s.organTitle >= 1), NEVER_DISABLED},
    {"item_box", "syokuzai_list_b", IF(W(s, 15) >= 1), NEVER_DISABLED},
    {"item_box", "sizai_list_b", IF(W(s, 16) >= 1), NEVER_DISABLED},
    {"item_box", "etc_b", IF(W(s, 44) >= 1), NEVER_DISABLED},
    {"item_box", "radio_b", IF(s.radioState >= 1), NEVER_DISABLED},
};

#undef IF
#undef ALWAYS
#undef NEVER_DISABLED

}  // namespace

std::span<const AvailabilityRow> availabilityRows() {
    return kRows;
}

Availability::Availability(const FormModel& form) {
    rows_.reserve(std::size(kRows));
    for (const AvailabilityRow& r : kRows) {
        const ComponentId id = form.find(r.button);
        if (id != kNoComponent) rows_.push_back({id, r.shown, r.enabled});
    }
}

bool commandAvailable(const GameState& s, const FormModel& form, std::string_view button) {
    if (!GameState::isCharacterIndex(s.currentCharacter)) return false;
    const ComponentId id = form.find(button);
    bool shown = id != kNoComponent && form.at(id).visible;
    bool enabled = id != kNoComponent && form.at(id).enabled;
    for (const AvailabilityRow& r : kRows) {
        if (button != r.button) continue;
        if (r.shown) shown = r.shown(s);
        if (r.enabled) enabled = r.enabled(s);
    }
    return shown && enabled;
}

bool commandOffered(const GameState& s, const FormModel& form, std::string_view button) {
    const ComponentId id = form.find(button);
    if (id == kNoComponent || !commandAvailable(s, form, button)) return false;
    const ComponentId panel = form.at(id).parent;
    return panel == kNoComponent || form.effectivelyVisible(panel);
}

void Availability::apply(const GameState& s, FormModel& form) const {
    for (const Resolved& r : rows_) {
        if (r.shown) form.setVisible(r.id, r.shown(s));
        if (r.enabled) form.setEnabled(r.id, r.enabled(s));
    }
}

}  // namespace kotou
