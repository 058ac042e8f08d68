#pragma once
// An exploration location as data. Every location runs the same skeleton
// (field/Exploration.h): checks, background, cost, number of finds, companion
// assist, the find loop with its monsters, discovery draws and the geography
// growth. What differs between locations is described here; the few steps
// that are not a stored find (hazards, getting lost, several finds at once)
// are find actions.

#include <cstdint>
#include <vector>

#include "shell/Game.h"

namespace kotou {

// A counter of the island's stores, addressed as a function so that both
// plain members and the named entries of the blocks can be used.
using Counter = int32_t& (*)(GameState&);
template <int32_t GameState::*Member>
int32_t& counterOf(GameState& s) {
    return s.*Member;
}

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

struct Find {
    enum class Kind { Store, Monster, Action };
    Kind kind = Kind::Store;
    const char* item = nullptr;              // Store: the name in the message
    Counter store = nullptr;                 // Store: the counter that grows
    bool drawnAmount = true;                 // Store: the amount drawn for this find, else 1
    FindOutcome (*action)(Game&) = nullptr;  // Action: runs the find

    static constexpr Find stored(const char* item, Counter c) { return {Kind::Store, item, c}; }
    static constexpr Find single(const char* item, Counter c) {
        return {Kind::Store, item, c, false};
    }
    static constexpr Find monster() { return {Kind::Monster}; }
    static constexpr Find run(FindOutcome (*fn)(Game&)) {
        return {Kind::Action, nullptr, nullptr, true, fn};
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

// A new location discovered with probability 1 in `chance` while its unlock
// entry of worldFlags is still 0.
struct Discovery {
    int32_t chance;
    int flagEntry;
    const char* message;
};

struct Location {
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

// The forest, open from the start.
const Location& forestLocation();

}  // namespace kotou
