#include "state/GameState.h"

#include <algorithm>
#include <numeric>

namespace kotou {

void initNewGame(GameState& s) {
    s = GameState{};
    for (int k = 1; k <= kCharacterCount; ++k) {
        Character& c = s.ch(k);
        c.obesity = 100;
        c.strandedPhase = 0;
        c.actionPoints = 10;
        c.maxActionPoints = 10;
        c.stamina = 10;
        c.maxStamina = 10;
        c.level = 1;
        c.phantom = 0;
        c.hygiene = 100;
        c.bowel = 100;
        c.stress = 100;
        c.name = kCharacterNames[static_cast<size_t>(k)];
    }
    s.currentCharacter = 1;
    s.dayNumber = 1;
    s.weather = kClear;
    s.storyPhase = 0;
    s.bestDays = 9999;
    s.bestScore = 0;
    s.score = 0;
}

int pairIndex(int a, int b) {
    if (a > b) std::swap(a, b);
    if (a < 1 || b > kCharacterCount || a == b) return -1;
    static constexpr int kBase[] = {0, 0, 3, 5};  // first pair index of a = 1, 2, 3
    return kBase[a] + (b - a - 1);
}

std::array<int, 3> partnersOf(int k) {
    std::array<int, 3> out{};
    size_t n = 0;
    for (int j = 1; j <= kCharacterCount && n < out.size(); ++j)
        if (j != k) out[n++] = j;
    return out;
}

std::array<int, 2> pairMembers(int p) {
    static constexpr std::array<std::array<int, 2>, kPairCount> kPairs = {
        {{1, 2}, {1, 3}, {1, 4}, {2, 3}, {2, 4}, {3, 4}}};
    if (p < 0 || p >= kPairCount) return {0, 0};
    return kPairs[static_cast<size_t>(p)];
}

int32_t teamwork(const GameState& s) {
    int64_t sum = std::accumulate(s.pairIntimacy.begin(), s.pairIntimacy.end(), int64_t{0});
    return static_cast<int32_t>(std::min<int64_t>(60, sum));
}

}  // namespace kotou
