#include "shell/Background.h"

#include <array>

#include "shell/Messages.h"

namespace kotou {

void showWeatherBackground(Game& g) {
    const GameState& s = g.s;
    const char* name = "背景";
    if (s.weather == kRain || s.weather == kTyphoon)
        name = "背景・雨";
    else if (s.weather == kDrought)
        name = "背景・日照り";
    if (GameState::isCharacterIndex(s.currentCharacter) && s.cur().strandedPhase > 0)
        name = "背景・遭難";
    loadBackground(g, name);
}

void playDayMusic(Game& g) {
    const GameState& s = g.s;
    if (s.weather == kRain || s.weather == kTyphoon) {
        playMusic(g, "ame.mid");
        return;
    }
    static constexpr std::array<const char*, 7> kTunes = {
        "tanken.mid", "tanken2.mid", "tanken3.mid", "tanken4.mid",
        "bokura.mid", "voice.mid",   "sorairo.mid"};
    const int n = s.flag(WorldFlag::OrganShop) >= 1 ? 7 : (s.dayNumber < 30 ? 5 : 6);
    playMusic(g, kTunes[static_cast<size_t>(g.rng.random(n))]);
}

}  // namespace kotou
