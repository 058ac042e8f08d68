#pragma once
// The context every handler receives: the game state, the form model, the
// host and the random source, plus the few values the window keeps for the
// shared operations. One Game exists per window (or per headless run).

#include <array>
#include <functional>
#include <map>
#include <string>

#include "shell/FormModel.h"
#include "shell/Host.h"
#include "state/GameState.h"
#include "state/Random.h"

namespace kotou {

struct Game;
using Handler = std::function<void(Game&)>;

// Click handlers by component name ("hayasi_b" -> hayasi_bClick). A
// component whose handler is not registered does nothing when clicked.
class HandlerRegistry {
  public:
    void add(const std::string& component, Handler h) { handlers_[component] = std::move(h); }
    const Handler* find(const std::string& component) const {
        auto it = handlers_.find(component);
        return it == handlers_.end() ? nullptr : &it->second;
    }
    size_t size() const { return handlers_.size(); }

  private:
    std::map<std::string, Handler> handlers_;
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
