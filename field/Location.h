#pragma once
// An exploration location as data. Every location runs the same skeleton
// (field/Exploration.h): checks, background, cost, number of finds, companion
// assist, the find loop with its monsters, discovery draws and the geography
// growth. What differs between locations is described here: a find is a
// stored item, a monster, a run of the shared find operations, or a hazard
// table (injuries, poison, one-time books, getting lost).

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "shell/Game.h"

namespace kotou {

// A condition on the state (a tool owned, a statistic of the current
// character reached). The skeleton only evaluates it while a current
// character exists.
using Condition = bool (*)(const GameState&);

// What the find loop does after a find.
enum class FindOutcome {
    Wait,    // wait for a click before the next find
    NoWait,  // go straight on to the next find (finds that append their lines)
    End,     // the exploration is over (a battle, getting lost)
};

// One row of a hazard table: what befalls the explorer on a bad find.
struct Hazard {
    enum class Kind {
        Injury,  // the two lines and the losses
        Poison,  // as an injury, then a wait and the poison
        Book,    // a one-time book; found while its state is below 1
        Lost,    // the stranded phase begins
    };
    Kind kind = Kind::Injury;
    const char* text = nullptr;      // Injury, Poison: what happened; Book: the find's line
    const char* damage = nullptr;    // Injury, Poison: the damage line
    int32_t stress = 0;              // Injury, Poison: added to ストレス (a loss is negative)
    int32_t stamina = 0;             // Injury, Poison: added to 体力
    Counter book = nullptr;          // Book: its state
    bool lostOnceFound = false;      // Book: once found, this row means getting lost
    bool refreshBackground = false;  // getting lost here shows the stranded background at once

    static constexpr Hazard injury(const char* text, const char* damage, int32_t stress,
                                   int32_t stamina) {
        return {Kind::Injury, text, damage, stress, stamina};
    }
    static constexpr Hazard poison(const char* text, const char* damage, int32_t stress,
                                   int32_t stamina) {
        return {Kind::Poison, text, damage, stress, stamina};
    }
    static constexpr Hazard bookOnce(const char* text, Counter state) {
        return {Kind::Book, text, nullptr, 0, 0, state};
    }
    // A book whose corner, once the book is found, leads astray; lost there,
    // the stranded background shows at once.
    static constexpr Hazard bookThenLost(const char* text, Counter state) {
        return {Kind::Book, text, nullptr, 0, 0, state, true, true};
    }
    static constexpr Hazard lost() { return {Kind::Lost}; }
};

// A find that runs the shared find operations (gains/Finds.h); each appends
// its own line, so there is no wait after it.
using FindOperation = void (*)(Game&);

struct Find {
    enum class Kind { Store, Monster, Operations, Hazards };
    Kind kind = Kind::Store;
    const char* item = nullptr;                 // Store: the name in the message
    Counter store = nullptr;                    // Store: the counter that grows
    bool drawnAmount = true;                    // Store: the amount drawn for this find, else 1
    std::array<FindOperation, 2> operations{};  // Operations: run in order (second may be empty)
    std::span<const Hazard> hazards{};          // Hazards: one further draw picks the row

    static constexpr Find stored(const char* item, Counter c) { return {Kind::Store, item, c}; }
    static constexpr Find single(const char* item, Counter c) {
        return {Kind::Store, item, c, false};
    }
    static constexpr Find monster() { return {Kind::Monster}; }
    static constexpr Find run(FindOperation first, FindOperation second = nullptr) {
        return {Kind::Operations, nullptr, nullptr, true, {first, second}};
    }
    static constexpr Find hazard(std::span<const Hazard> rows) {
        return {Kind::Hazards, nullptr, nullptr, true, {}, rows};
    }
};

// A requirement tested before anything is spent.
struct Requirement {
    int32_t (*value)(const GameState&);
    int32_t minimum;
    const char* message;  // shown when value < minimum
};

// One change of the current character's values: stat += delta, plus a
// uniform draw 0..drawSpan-1 when drawSpan > 0.
struct CostStep {
    int32_t Character::*stat;
    int32_t delta;
    int32_t drawSpan = 0;
};

// The size of the find draw when a condition holds; the last applicable
// entry wins, and an entry without a condition always applies.
struct FindRange {
    Condition when;
    int32_t size;
};

// A new location discovered with probability 1 in `chance` while it is still
// unknown.
struct Discovery {
    int32_t chance;
    WorldFlag place;
    const char* message;
};

struct Location {
    const char* name;  // the place as the player knows it
    std::vector<Requirement> checks;
    const char* background;
    std::vector<CostStep> cost;
    std::vector<Condition> extraFinds;  // each one that holds adds one find
    int32_t amountMin = 1;
    int32_t amountMax = 1;  // the amount is drawn only when max > min
    std::vector<FindRange> ranges;
    std::vector<Find> finds;  // by draw value
    int battleArea = -1;      // -1: no monsters here
    std::vector<Discovery> discoveries;
};

// The seven locations, from the forest, open from the start, to the cliff.
const Location& forestLocation();
const Location& beachLocation();
const Location& seaLocation();
const Location& caveLocation();
const Location& jungleLocation();
const Location& lakeLocation();
const Location& cliffLocation();

}  // namespace kotou
