#pragma once
// The enemies of every battle area, as data.

#include <array>
#include <cstdint>

namespace kotou {

struct Enemy {
    const char* name;
    const char* picture;  // file under cg/
    int32_t hp;
    int32_t attack;
    int32_t resistance;  // 0 none, 1 against 攻撃, 2 against 魔法
};

// An exploration area: three enemies always, a fourth only for a character
// whose strength reaches the threshold.
struct ExplorationEnemies {
    int32_t strengthThreshold;
    std::array<Enemy, 4> rows;
};

// By area code 0..4: jungle, sea, cave, cliff, forest.
extern const std::array<ExplorationEnemies, 5> kExplorationEnemies;
// Colosseum opponents 1..10 (areas 5..14).
extern const std::array<Enemy, 10> kColosseumEnemies;
// Survival courses 1..7 (areas 16..22): three enemies each.
extern const std::array<std::array<Enemy, 3>, 7> kCourseEnemies;

}  // namespace kotou
