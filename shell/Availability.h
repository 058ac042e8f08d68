#pragma once
// Which command buttons are shown and enabled, as one table of rules that the
// status refresh applies in order, every time, from the game state alone.
//
// A row without a `shown` condition leaves the button's visibility alone (it
// keeps its form default, or whatever its own handler set); a row without an
// `enabled` condition never touches the enabled state.

#include <span>
#include <string_view>
#include <vector>

#include "shell/FormModel.h"
#include "state/GameState.h"

namespace kotou {

using Condition = bool (*)(const GameState&);

struct AvailabilityRow {
    const char* panel;   // the panel the button lies on
    const char* button;  // the button's component name
    Condition shown;     // nullptr: leave the visibility as it is
    Condition enabled;   // nullptr: never disabled by the refresh
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
        Condition shown;
        Condition enabled;
    };
    std::vector<Resolved> rows_;
};

// Whether the table offers `button` now: a character has the turn, and the
// button's rows of the table, evaluated in order over the current state,
// leave it shown and enabled. A row without a `shown` (or `enabled`)
// condition leaves what the form holds, so a button without rows is
// available exactly when the form shows and enables it. The state may have
// moved on since the last refresh: the table is evaluated anew.
bool commandAvailable(const GameState& s, const FormModel& form, std::string_view button);

// The guard of a command (Guard::Command, run by the dispatcher): the table
// offers the button now (commandAvailable) and every panel it lies on is
// shown. A handler hides its panel while its messages run, so a second click
// that arrives through the message pump is refused here too.
bool commandOffered(const GameState& s, const FormModel& form, std::string_view button);

// The saw needs these materials at least; the tool's build takes from them.
inline constexpr int kSawBones = 2;
inline constexpr int kSawObsidian = 2;
inline constexpr int kSawBranches = 2;

}  // namespace kotou
