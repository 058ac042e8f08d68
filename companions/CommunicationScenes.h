#pragma once
// The short scenes of the two night activities of the communication panel:
// one for every ordered pair (who starts, who is visited) and activity. The
// scenes are data; the communication routine plays them line by line.
//
// A scene may be played at any point of the story. Where the words depend on
// how far the story has come, a pair has a later variant of its scene with
// the same speakers and pictures, played from the story phase it names.

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
    int fromPhase = 0;  // played from this story phase on, until a later variant
};

// All scenes: the 24 pairs and activities, and the later variants.
std::span<const NightScene> nightScenes();
// The scene of (current, partner, activity) at `storyPhase`, or nullptr.
const NightScene* findNightScene(int current, int partner, NightActivity activity, int storyPhase);

}  // namespace kotou::companions
