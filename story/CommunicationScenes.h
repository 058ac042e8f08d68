#pragma once
// The short scenes of the two night activities of the communication panel:
// one for every ordered pair (who starts, who is visited) and activity. The
// scenes are data; the communication routine plays them line by line.

#include <span>

namespace kotou::companions {

enum class NightActivity { Walk, BedVisit };

// Pseudo speakers of a beat that changes a picture instead of speaking.
inline constexpr int kBlushPartner = -1;  // the partner's blushing picture in cg2
inline constexpr int kBlushSelf = -2;     // the current character's blushing portrait

// One beat: a spoken line of character `speaker` (1..4), or a picture change.
struct SceneBeat {
    int speaker;
    const char* words;  // without the 『』; nullptr for a picture change
};

struct NightScene {
    int current;  // who starts the activity (1..4)
    int partner;  // who is walked with or visited
    NightActivity activity;
    std::span<const SceneBeat> beats;
};

// All 24 scenes.
std::span<const NightScene> nightScenes();
// The scene of (current, partner, activity), or nullptr.
const NightScene* findNightScene(int current, int partner, NightActivity activity);

}  // namespace kotou::companions
