#pragma once
// The escape plan: the 脱出計画 panel, the four things built on it (raft,
// oars, signal light, weapons) and the escape that starts the last chapter.

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "shell/Availability.h"
#include "shell/Game.h"

namespace kotou {

// One material a build takes, with the word its remaining-stock line uses.
struct BuildMaterial {
    Counter count;
    int32_t amount;
    const char* label;
};

// One of the four things of the plan. Each build click is one stage.
struct EscapeBuild {
    const char* button;
    const char* thing;          // 「イカダ」 in the messages
    int32_t actionCost;         // also the action points it needs
    int32_t Character::*skill;  // the skill it needs ...
    const char* skillLabel;     // ... by its status name
    int32_t skillNeeded;
    std::array<BuildMaterial, 4> materials;  // unused entries have no count
    int32_t stressCost;
    EscapePart progress;
    int32_t goal;            // stages until it is complete
    const char* completion;  // the message once complete
    void (*growth)(Game&);   // the chance of a skill point afterwards
};

// The four builds in the panel's order (raft, oars, signal light, weapons).
std::span<const EscapeBuild> escapeBuilds();

// The remaining-stock line of a build after it took its materials:
// "（残：材木3、流木0、つる6、皮1）".
std::string remainingLine(const GameState& s, const EscapeBuild& b);

// The materials, skill and 行動力 of every build.
std::vector<RowRequirement> escapeRequirements();

// 脱出計画 on the command panel, 戻る of the plan's panel, the four builds,
// and ＜脱出！！！！！＞: the escape; it plays the last chapter, which ends in
// the final pair's choice.
void registerEscapeHandlers(HandlerRegistry& r);

}  // namespace kotou
