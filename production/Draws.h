#pragma once
// The range draw the production commands share.

#include <cstdint>

#include "shell/Game.h"

namespace kotou {

// A uniform value lo..hi: one draw, or none when the range is one value.
inline int32_t drawRange(Game& g, int32_t lo, int32_t hi) {
    return hi > lo ? lo + g.rng.random(hi - lo + 1) : lo;
}

}  // namespace kotou
