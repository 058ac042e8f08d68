#pragma once
// The one path from a click to a handler: the window, the headless tools and
// the tests call dispatch() with a component's name; it runs the component's
// guard (shell/Game.h) and then its handler.

#include <string_view>

#include "shell/Game.h"

namespace kotou {

// Whether the guard of `component` lets its handler act now. An unknown
// name is never allowed.
bool guardAllows(const Game& g, std::string_view component);

// Runs the handler registered for `component` when its guard allows it.
// Returns whether the handler ran; a refused click changes nothing.
bool dispatch(Game& g, std::string_view component);

}  // namespace kotou
