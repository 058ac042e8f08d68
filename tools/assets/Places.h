#pragma once
// The layers and the light of the places (see Places.cpp); the monsters'
// pictures stand on the same ground.

#include <cstdint>

#include "tools/assets/AssetList.h"
#include "tools/assets/Vector.h"

namespace kotou::assets {

// Every place is drawn in this frame of units.
inline constexpr float kPlaceW = 320, kPlaceH = 240;

enum class Mood : uint8_t { Day, Dusk, Night, Dawn, Storm, Overcast, Scorch, Dark, Indoor };

// The light of a mood: the sky from top to horizon, the key light, the haze
// far things fade into, the rim light, and a last wash of the top colour.
struct Light {
    Mood mood;
    Rgb top, horizon, key, haze, rim;
    float wash;
};
Light lightOf(Mood m);
Mood moodOf(Scene s);

// A place being drawn: the layers' building blocks under one light.
struct Place {
    Place(Painter& painter, Mood mood, uint64_t seed);
    Painter& p;
    Light light;
    Rng rng;

    Rgb far(Rgb c, float depth) const;  // faded into the haze
    void sky(float horizon);
    void cloud(float x, float y, float size);
    void sun(float x, float y, float r);  // the moon at night
    void moon(float x, float y, float r);
    void stars(int n, float maxY);
    void ridge(float base, float amp, Rgb c, float jag, float alpha = 1);
    void sea(float top, float bottom);
    void sunPath(float x, float top, float bottom);
    void ground(float top, Rgb c0, Rgb c1);
    void pine(float x, float ground, float h, Rgb c);
    void broadleaf(float x, float ground, float h, Rgb c);
    void palm(float x, float ground, float h, float lean);
    void rock(float x, float y, float size, Rgb c);
    void grass(float y0, float y1, int n, Rgb c, float x0 = -5, float x1 = kPlaceW + 5);
    void hut(float x, float ground, float size);
    void raft(float x, float y, float size);
    void fish(float x, float y, float size, Rgb c, bool left = false);
    void flames(float x, float ground, float size);
    void rain(int n, float slant, float alpha);
    void rays(float x, float y, int n, float alpha);
    // The mood's wash and a vignette.
    void finish();
};

void paintPlace(Place& place, Scene s);

}  // namespace kotou::assets
