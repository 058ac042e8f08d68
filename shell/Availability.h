#pragma once
// Which command buttons are shown and enabled, as one table of rules that the
// status refresh applies in order, every time, from the game state alone.
//
// A row's condition and its needs decide whether the button is shown; a
// shown button whose needs are met is enabled. A row that decides nothing of either
// leaves it alone (the button keeps its form default, or whatever its own
// handler set).

#include <array>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "shell/FormModel.h"
#include "state/GameState.h"

namespace kotou {

using Condition = bool (*)(const GameState&);

// A stored count a command needs at least `minimum` of.
struct Need {
    Counter counter;  // none: an unused slot
    int32_t minimum = 0;
};
using Needs = std::array<Need, 4>;

struct AvailabilityRow {
    const char* panel;   // the panel the button lies on
    const char* button;  // the button's component name
    Condition shown;     // nullptr: no condition besides the needs
    // The materials the command needs (unused slots last). They enable the
    // shown button (a craft is listed and stays greyed out until its
    // materials are there) or, with needsShow, show it (a dish is listed
    // only once its ingredients are there).
    Needs needs{};
    bool needsShow = false;

    // Whether the row decides the button's visibility or enabled state.
    bool decidesShown() const;
    bool decidesEnabled() const;
    bool shownIn(const GameState& s) const;
    bool enabledIn(const GameState& s) const;
};

// Every rule, in evaluation order.
std::span<const AvailabilityRow> availabilityRows();

// The rules with their buttons' component ids looked up once.
class Availability {
  public:
    // Rows whose button is not in the form are left out (a partial form in a
    // test); the full window holds every button of the table.
    explicit Availability(const FormModel& form);

    // Sets visibility and enabled state of every button, in table order.
    void apply(const GameState& s, FormModel& form) const;

  private:
    struct Resolved {
        ComponentId id;
        const AvailabilityRow* row;
    };
    std::vector<Resolved> rows_;
};

// Whether the table offers `button` now: a character has the turn, and the
// button's rows of the table, evaluated in order over the current state,
// leave it shown and enabled. What no row decides stays as the form holds
// it, so a button without rows is
// available exactly when the form shows and enables it. The state may have
// moved on since the last refresh: the table is evaluated anew.
bool commandAvailable(const GameState& s, const FormModel& form, std::string_view button);

// The guard of a command (Guard::Command, run by the dispatcher): the table
// offers the button now (commandAvailable) and every panel it lies on is
// shown. A handler hides its panel while its messages run, so a second click
// that arrives through the message pump is refused here too.
bool commandOffered(const GameState& s, const FormModel& form, std::string_view button);

// What the row of an engine (a craft, a dish, a song, a book, an escape
// build, an offer of the trader) asks of the player, as the row states it:
// the materials it takes, under the words of its messages, and the minimum
// of each value it tests, under its status label ("器用さ", "料理", "行動力").
// The engines list them so that their rows, the availability table and the
// captions can be held against each other.
struct RowRequirement {
    struct Material {
        std::string word;
        Counter counter;
        int32_t amount = 0;
    };
    std::string button;
    std::vector<Material> materials;
    std::vector<std::pair<std::string, int32_t>> minimums;
};

// The saw needs these materials at least; the tool's build takes from them.
inline constexpr int kSawBones = 2;
inline constexpr int kSawObsidian = 2;
inline constexpr int kSawBranches = 2;

}  // namespace kotou
