#pragma once
// The order of the values in the save file. The order of the lines is the
// whole format (no header, no version), so this one table drives saving,
// loading and the save tool's names.

#include <initializer_list>
#include <string>
#include <utility>

#include "state/GameState.h"

namespace kotou {

inline constexpr int kSaveLineCount = 460;

// Calls visitor.integer(name, value&) or visitor.text(name, value&) for each
// saved value in file order. Works on const and non-const states.
template <class State, class Visitor>
void visitSaved(State& s, Visitor&& v) {
    auto ints = [&](std::initializer_list<std::pair<const char*, decltype(&s.appleCount)>> list) {
        for (auto& [name, ptr] : list) v.integer(std::string(name), *ptr);
    };
    auto block = [&](const char* name, auto& arr) {
        for (size_t i = 0; i < arr.size(); ++i)
            v.integer(std::string(name) + "[" + std::to_string(i) + "]", arr[i]);
    };
#define KOTOU_F(field) {#field, &s.field}
    ints({KOTOU_F(appleCount)});
    block("rareItems", s.rareItems);
    ints({KOTOU_F(leafCount), KOTOU_F(stoneCount), KOTOU_F(branchCount), KOTOU_F(vineCount),
          KOTOU_F(fireFruitCount), KOTOU_F(blackFruitCount), KOTOU_F(wonderFruitCount),
          KOTOU_F(sevenFruitCount)});
    ints({KOTOU_F(greenMushroomCount), KOTOU_F(sugarCount), KOTOU_F(herbCount), KOTOU_F(waterCount),
          KOTOU_F(blueBirdCount), KOTOU_F(kappaCount), KOTOU_F(treeSnakeCount),
          KOTOU_F(walkingMushroomCount), KOTOU_F(giantMushroomCount)});
    ints({KOTOU_F(sunStoneCount), KOTOU_F(seawaterCount), KOTOU_F(mudCount),
          KOTOU_F(flameStoneCount), KOTOU_F(ironCount), KOTOU_F(lumberCount),
          KOTOU_F(driftwoodCount), KOTOU_F(flotsamCount), KOTOU_F(shellCount)});
    ints({KOTOU_F(hasDrumBath),      KOTOU_F(hasWaterSupply),  KOTOU_F(hasSimpleToilet),
          KOTOU_F(hasMidToilet),     KOTOU_F(hasLuxuryToilet), KOTOU_F(hasShower),
          KOTOU_F(hasFireStarter),   KOTOU_F(hasSaw),          KOTOU_F(hasAxe),
          KOTOU_F(hasHut),           KOTOU_F(hasNeedle),       KOTOU_F(hasBucket),
          KOTOU_F(hasTent),          KOTOU_F(hasStove),        KOTOU_F(hasHouse),
          KOTOU_F(hasSleepingBag),   KOTOU_F(hasKnife),        KOTOU_F(cakeBookState),
          KOTOU_F(herbTeaBookState), KOTOU_F(hasSoap)});
    ints({KOTOU_F(dropCount), KOTOU_F(hasGun), KOTOU_F(machineCount), KOTOU_F(angelTearCount),
          KOTOU_F(obsidianCount), KOTOU_F(glowMossCount), KOTOU_F(medicineBookState),
          KOTOU_F(flowerBookFound), KOTOU_F(catBookFound), KOTOU_F(worldBookFound),
          KOTOU_F(hasRucksack), KOTOU_F(hasLamp), KOTOU_F(hasBoat), KOTOU_F(hasFishingTackle),
          KOTOU_F(hasNet)});
    ints({KOTOU_F(gemCount), KOTOU_F(magicStoneCount), KOTOU_F(moonShadowCount),
          KOTOU_F(lizardCount), KOTOU_F(saltCount), KOTOU_F(grassCount), KOTOU_F(pinkRabbitCount),
          KOTOU_F(blackTigerCount), KOTOU_F(perseWolfCount), KOTOU_F(mermaidCount),
          KOTOU_F(maneaterFishCount), KOTOU_F(giantCount), KOTOU_F(hasPot), KOTOU_F(smallCrabCount),
          KOTOU_F(seaBreamCount), KOTOU_F(crucianCount), KOTOU_F(smallFishCount),
          KOTOU_F(seaweedCount), KOTOU_F(hasBasket)});
    ints({KOTOU_F(laxativeCount), KOTOU_F(flowerWreathCount), KOTOU_F(medicinalHerbCount),
          KOTOU_F(antidoteHerbCount), KOTOU_F(dayNumber), KOTOU_F(rainStoneCount),
          KOTOU_F(timeSandCount), KOTOU_F(farewellStoneCount), KOTOU_F(thanksStoneCount),
          KOTOU_F(storyPhase)});
#undef KOTOU_F
    for (int k = 1; k <= kCharacterCount; ++k) {
        auto& c = s.character[static_cast<size_t>(k)];
        const std::string p = "character[" + std::to_string(k) + "].";
        v.text(p + "name", c.name);
#define KOTOU_C(field) v.integer(p + #field, c.field)
        KOTOU_C(level);
        KOTOU_C(strength);
        KOTOU_C(cooking);
        KOTOU_C(maxActionPoints);
        KOTOU_C(actionPoints);
        KOTOU_C(stamina);
        KOTOU_C(maxStamina);
        KOTOU_C(dexterity);
        KOTOU_C(hygiene);
        KOTOU_C(bowel);
        KOTOU_C(stress);
        KOTOU_C(geography);
        KOTOU_C(botany);
        KOTOU_C(zoology);
        KOTOU_C(trainingLevel);
        KOTOU_C(illness);
        KOTOU_C(poison);
        KOTOU_C(phantom);
        KOTOU_C(strandedPhase);
        KOTOU_C(obesity);
#undef KOTOU_C
    }
    v.integer(std::string("currentCharacter"), s.currentCharacter);
    v.integer(std::string("weather"), s.weather);
    block("worldFlags", s.worldFlags);
    block("pairIntimacy", s.pairIntimacy);
    block("extraItems", s.extraItems);
    block("carvingMade", s.carvingMade);
    block("escape", s.escape);
    v.integer(std::string("radioState"), s.radioState);
    v.integer(std::string("kiwiCount"), s.kiwiCount);
    v.integer(std::string("hideCount"), s.hideCount);
    v.integer(std::string("boneCount"), s.boneCount);
    v.integer(std::string("hasVaccine"), s.hasVaccine);
    v.integer(std::string("hasReservoir"), s.hasReservoir);
    v.text(std::string("islandName"), s.islandName);
    v.text(std::string("bestCoupleText"), s.bestCoupleText);
    v.integer(std::string("bestDays"), s.bestDays);
    v.integer(std::string("bestScore"), s.bestScore);
    v.integer(std::string("finalCourseClears"), s.finalCourseClears);
    block("organFlags", s.organFlags);
    v.integer(std::string("organTitle"), s.organTitle);
}

}  // namespace kotou
