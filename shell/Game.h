#pragma once
// The context every handler receives: the game state, the form model, the
// host and the random source, plus the few values the window keeps for the
// shared operations. One Game exists per window (or per headless run).

#include <array>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "shell/FormModel.h"
#include "shell/Host.h"
#include "state/GameState.h"
#include "state/Random.h"

namespace kotou {

struct Game;
using Handler = std::function<void(Game&)>;

// What must hold before a registered handler runs. The dispatcher
// (shell/Dispatch.h) checks it; handlers do not, because messages pump events
// and a click may arrive after the state moved on or while the handler's own
// panel is hidden for its messages.
enum class Guard {
    // A command: a character has the turn, the button's rows of the
    // availability table offer it over the current state (a button without
    // rows: the form shows and enables it), and every panel it lies on is
    // shown. The handler still checks any cost its own rule asks for.
    Command,
    // A back button, an opener, the title's buttons, the name box and the
    // inventory list: the component is shown on shown panels.
    Navigation,
    // The battle panel's commands: a command whose battle is still running.
    Battle,
    // The level-up panel's points: a character has the turn, points are left
    // to give and the button is shown on a shown panel.
    LevelUp,
    // A click on the pictures or the message area: it only ends a wait, so
    // it always runs.
    Wait,
};

// Click handlers by component name ("hayasi_b" -> the exploration of the
// forest), each with its guard. A component whose handler is not registered
// does nothing when clicked.
class HandlerRegistry {
  public:
    struct Entry {
        Guard guard;
        Handler run;
    };

    // Registers `component`; a name registered twice is a mistake of the
    // program and throws std::logic_error naming it (at start-up).
    void add(const std::string& component, Guard guard, Handler h);
    const Entry* find(std::string_view component) const;
    size_t size() const { return handlers_.size(); }
    const std::map<std::string, Entry, std::less<>>& all() const { return handlers_; }

  private:
    std::map<std::string, Entry, std::less<>> handlers_;
};

struct Game {
    Game(Host& h, Random& r) : host(h), rng(r) {}

    GameState s;
    FormModel form;
    Host& host;
    Random& rng;
    HandlerRegistry handlers;

    // Kept by the status refresh between runs: the stamina gauge keeps its
    // colour while the value lies between two colour bands.
    Rgb hpColor{255, 0, 0};
};

}  // namespace kotou
