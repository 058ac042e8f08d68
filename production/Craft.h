#pragma once
// The craft engine. Every facility, tool, piece of equipment, book, material
// and carving is one row of a table, and one engine runs every row:
//
//   click sound -> action points -> skill tests (each with its refusal) ->
//   hide the panel -> hammer sound and start message -> take the materials
//   and the costs -> two dotted lines (and a wait, where the row says so) ->
//   finish sound and message -> the row's finish steps -> show a panel again.
//
// What differs between the items (notes, waits, growth, when the product is
// made, the name box of the name ring) is data of the row: its finish steps
// and a few options. The tables live in CraftFacilities.cpp, CraftTools.cpp,
// CraftEquipment.cpp, CraftRefining.cpp and CraftCarving.cpp.

#include <array>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "shell/Availability.h"
#include "shell/Game.h"

namespace kotou {

// A material under the word the remaining-count line uses for it.
struct Material {
    const char* word;
    Counter counter;
};
struct Use {
    Material material;
    int32_t amount = 0;  // 0: an unused slot of the row
};

// A character value a row tests, under its status label.
struct Skill {
    int32_t Character::*value = nullptr;
    const char* label = nullptr;
};
inline constexpr Skill kStrength{&Character::strength, "腕力"};
inline constexpr Skill kDexterity{&Character::dexterity, "器用さ"};
inline constexpr Skill kCooking{&Character::cooking, "料理"};
inline constexpr Skill kBotany{&Character::botany, "植物学"};
inline constexpr Skill kZoology{&Character::zoology, "動物学"};

struct SkillTest {
    Skill skill;  // no value: an unused slot
    int32_t minimum = 0;
};
constexpr SkillTest atLeast(Skill s, int32_t minimum) {
    return {s, minimum};
}

// What a row costs the character besides the action points of its panel.
struct Costs {
    int32_t stress = 0;
    int32_t stamina = 0;
    int32_t hygiene = 0;
};

// What a row makes: the count set to `value`, or raised by it.
struct Product {
    Counter counter;
    int32_t value = 1;
    bool add = false;
};
constexpr Product setTo(Counter c, int32_t v = 1) {
    return {c, v, false};
}
constexpr Product addTo(Counter c, int32_t v) {
    return {c, v, true};
}

// The panels a row can lie on. Each has its action-point cost and the panel
// shown again after an item is made.
enum class Bench : uint8_t { Facilities, ToolsA, ToolsB, Materials, Carving };

enum class Op : uint8_t {
    End,
    Remaining,        // append "（残：..." with the counts left of every material taken
    Wait,             // wait for a click
    Note,             // show the step's text
    Line,             // append the step's text
    Make,             // make the product
    DexterityChance,  // chanceDexterityUp
    BotanyChance,     // chanceBotanyUp
    DexterityUp,      // dexterity +1 for sure, with its line
    NameBox,          // open the island-name box; the panel stays hidden
};
struct Step {
    Op op = Op::End;
    const char* text = nullptr;
};
inline constexpr size_t kMaxSteps = 8;
using Steps = std::array<Step, kMaxSteps>;

constexpr Steps steps(std::initializer_list<Step> list) {
    Steps out{};
    size_t i = 0;
    for (const Step& s : list) out[i++] = s;
    return out;
}
inline constexpr Step kRemaining{Op::Remaining};
inline constexpr Step kWait{Op::Wait};
inline constexpr Step kMake{Op::Make};
inline constexpr Step kDexterityChance{Op::DexterityChance};
inline constexpr Step kBotanyChance{Op::BotanyChance};
inline constexpr Step kDexterityUp{Op::DexterityUp};
inline constexpr Step kNameBox{Op::NameBox};
constexpr Step note(const char* text) {
    return {Op::Note, text};
}
constexpr Step line(const char* text) {
    return {Op::Line, text};
}

struct CraftRow {
    const char* button;
    Bench bench;
    const char* name;  // between 「」 in the start and finish messages
    std::array<SkillTest, 2> tests{};
    std::array<Use, 4> uses{};
    Costs costs{};
    Product product{};
    Steps finish{};
    // Materials are made together with the taking of what they are made of.
    bool makeWithMaterials = false;
    bool waitAfterDots = true;
    int clickChannel = 0;
    const char* startText = "の製作に取りかかった！";
    const char* finishText = "が完成した！";
    // The finish message ends with "（所持：" + the product's count + "）".
    bool showHeld = false;
};

// The tables, one per panel.
std::span<const CraftRow> facilityRows();
std::span<const CraftRow> toolRows();
std::span<const CraftRow> equipmentRows();
std::span<const CraftRow> materialRows();
std::span<const CraftRow> carvingRows();

// Every table, in the order of the craft menu.
std::array<std::span<const CraftRow>, 5> craftTables();

// What every row takes and tests, for the checks against the availability
// table and the captions.
std::vector<RowRequirement> craftRequirements();

// Runs one row for the current character (the handler of its button).
void craft(Game& g, const CraftRow& row);

// Registers the craft menu's openers (施設の製作 BitBtn29, アイテム製作Ａ
// BitBtn30, アイテム製作Ｂ BitBtn14, 素材の製作 BitBtn31, 工作 kousaku_b) and
// the handler of every row under its button.
void registerCraftHandlers(HandlerRegistry& r);

}  // namespace kotou
