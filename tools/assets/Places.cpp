// Places, events and the full-window backgrounds. Every place is built from
// three layers (far: sky, sea, distant mountains; middle: hills, trees,
// buildings; near: ground, plants, props) under one light: the time of day
// or the weather sets the sky, the haze that far layers fade into, the side
// the light comes from and a last colour wash. All places are drawn in a
// 320 x 240 unit frame (both picture sizes are 4:3).

#include "tools/assets/Places.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assets/Art.h"

namespace kotou::assets {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
constexpr float W = kPlaceW, H = kPlaceH;
const Rgb kWhite{255, 255, 255};

}  // namespace

Light lightOf(Mood m) {
    switch (m) {
        case Mood::Day:
            return {m,
                    {70, 140, 225},
                    {200, 230, 245},
                    {255, 250, 230},
                    {190, 220, 240},
                    {255, 250, 235},
                    0.0f};
        case Mood::Dusk:
            return {m,
                    {70, 60, 130},
                    {255, 160, 110},
                    {255, 200, 140},
                    {230, 150, 130},
                    {255, 190, 130},
                    0.12f};
        case Mood::Night:
            return {m,   {8, 12, 40}, {40, 50, 100}, {200, 210, 255}, {40, 50, 90}, {120, 140, 220},
                    0.3f};
        case Mood::Dawn:
            return {m,
                    {110, 130, 200},
                    {255, 200, 170},
                    {255, 220, 180},
                    {230, 190, 190},
                    {255, 210, 170},
                    0.08f};
        case Mood::Storm:
            return {m,
                    {40, 44, 55},
                    {100, 105, 115},
                    {200, 205, 215},
                    {90, 95, 105},
                    {150, 160, 180},
                    0.25f};
        case Mood::Overcast:
            return {m,
                    {110, 120, 135},
                    {180, 188, 196},
                    {230, 232, 235},
                    {165, 172, 182},
                    {220, 225, 230},
                    0.1f};
        case Mood::Scorch:
            return {m,
                    {240, 160, 60},
                    {255, 230, 150},
                    {255, 240, 190},
                    {245, 200, 130},
                    {255, 220, 140},
                    0.15f};
        case Mood::Dark:
            return {
                m,    {14, 10, 18}, {40, 32, 36}, {150, 200, 210}, {30, 26, 30}, {120, 170, 190},
                0.35f};
        case Mood::Indoor:
            return {m,
                    {120, 86, 56},
                    {176, 132, 88},
                    {255, 220, 170},
                    {150, 110, 74},
                    {255, 210, 150},
                    0.08f};
    }
    return lightOf(Mood::Day);
}

Place::Place(Painter& painter, Mood mood, uint64_t seed)
    : p(painter), light(lightOf(mood)), rng(seed) {}

Rgb Place::far(Rgb c, float depth) const {
    return mix(c, light.haze, depth);
}

void Place::sky(float horizon) {
    p.fill(Path::rect(0, 0, W, horizon + 2),
           Paint::linear({0, 0}, light.top, {0, horizon}, light.horizon));
    if (light.mood == Mood::Night || light.mood == Mood::Dark) return;
    // Soft banks of cloud lit from the light's side.
    const int n = light.mood == Mood::Storm || light.mood == Mood::Overcast ? 9 : 4;
    for (int i = 0; i < n; ++i) {
        const float x = rng.range(0, W), y = rng.range(horizon * 0.1f, horizon * 0.7f);
        const float s = rng.range(20, 46);
        cloud(x, y, s);
    }
}

void Place::cloud(float x, float y, float s) {
    const bool heavy = light.mood == Mood::Storm || light.mood == Mood::Overcast;
    const Rgb body = heavy ? mix(light.top, {30, 30, 40}, 0.3f) : mix(light.horizon, kWhite, 0.55f);
    const Rgb under = mix(body, light.top, 0.45f);
    // A heap of round puffs on a flat base, the biggest in the middle.
    Mask m;
    const float puffs[][3] = {{-0.75f, 0.05f, 0.3f},
                              {-0.4f, -0.15f, 0.42f},
                              {0.05f, -0.3f, 0.5f},
                              {0.45f, -0.12f, 0.4f},
                              {0.8f, 0.06f, 0.28f}};
    for (const auto& f : puffs) m = m | p.mask(Path::circle(x + f[0] * s, y + f[1] * s, f[2] * s));
    m = m & p.mask(Path::rect(x - 2 * s, y - 2 * s, x + 2 * s, y + s * 0.28f));
    p.fill(m, body, heavy ? 0.9f : 0.75f);
    p.fill(m - m.shifted(0, -p.px(s * 0.25f)), under, 0.6f);
    p.fill(m - m.shifted(p.px(2), p.px(3)), light.key, 0.5f);
}

void Place::sun(float x, float y, float r) {
    if (light.mood == Mood::Night) {
        moon(x, y, r);
        return;
    }
    p.glow(x, y, r * 6, light.key, 0.5f);
    p.glow(x, y, r * 2.5f, light.key, 0.7f);
    p.fill(Path::circle(x, y, r), mix(light.key, kWhite, 0.6f));
}

void Place::moon(float x, float y, float r) {
    p.glow(x, y, r * 5, {200, 210, 255}, 0.25f);
    const Mask disc = p.mask(Path::circle(x, y, r));
    p.fill(disc, {250, 245, 220});
    p.fill(disc & p.mask(Path::circle(x + r * 0.45f, y - r * 0.2f, r * 0.85f)),
           mix(light.top, light.horizon, 0.3f));
}

void Place::stars(int n, float maxY) {
    for (int i = 0; i < n; ++i) {
        const float x = rng.range(0, W), y = rng.range(0, maxY), r = rng.range(0.3f, 1.1f);
        p.fill(Path::circle(x, y, r), {255, 250, 230}, rng.range(0.4f, 1.0f));
        if (r > 0.95f) p.glow(x, y, r * 5, {200, 220, 255}, 0.35f);
    }
}

void Place::ridge(float base, float amp, Rgb c, float jag, float alpha) {
    std::vector<Point> pts{{-10, H + 5}};
    const float ph = rng.range(0, 6.28f);
    for (float x = -10; x <= W + 10; x += 8) {
        const float y = base -
                        amp * (0.55f + 0.3f * std::sin(ph + x * 0.021f) +
                               0.15f * std::sin(ph * 2 + x * 0.07f)) -
                        jag * rng.range(0, 1);
        pts.push_back({x, y});
    }
    pts.push_back({W + 10, H + 5});
    const Mask m = p.mask(Path::polygon(pts));
    p.fill(m, c, alpha);
    // The lit edge of the ridge.
    p.fill(m - m.shifted(p.px(1.5f), p.px(1.5f)), mix(c, light.key, 0.35f), alpha * 0.8f);
}

void Place::sea(float top, float bottom) {
    const Rgb deep =
        light.mood == Mood::Night ? Rgb{10, 20, 50} : mix({20, 80, 150}, light.top, 0.3f);
    const Rgb near =
        light.mood == Mood::Night ? Rgb{20, 35, 70} : mix({40, 140, 190}, light.horizon, 0.25f);
    p.fill(Path::rect(0, top, W, bottom),
           Paint::linear({0, top}, mix(light.horizon, deep, 0.5f), {0, bottom}, deep));
    p.fill(Path::rect(0, top, W, bottom),
           Paint::linear({0, top}, near, {0, bottom}, near, 0.0f, 0.4f));
    // Glints in lines, longer and thicker nearer the viewer.
    for (int i = 0; i < 70; ++i) {
        const float t = rng.uniform(), y = top + (bottom - top) * t * t;
        const float x = rng.range(-10, W), len = 3 + 16 * t;
        p.fill(Path::ribbon({{x, y}, {x + len, y}}, {0.4f + t, 0.4f + t}),
               mix(light.key, kWhite, 0.3f), 0.25f + 0.4f * t);
    }
}

void Place::sunPath(float x, float top, float bottom) {
    for (int i = 0; i < 40; ++i) {
        const float t = rng.uniform(), y = top + (bottom - top) * t;
        const float w = 4 + 30 * t;
        const float cx = x + rng.range(-w, w);
        p.fill(Path::ribbon({{cx - 3 - 6 * t, y}, {cx + 3 + 6 * t, y}}, {0.6f + t, 0.6f + t}),
               light.key, 0.6f);
    }
}

void Place::ground(float top, Rgb c0, Rgb c1) {
    std::vector<Point> pts{{-5, H + 5}};
    for (float x = -5; x <= W + 5; x += 16) pts.push_back({x, top + rng.range(-2, 2)});
    pts.push_back({W + 5, H + 5});
    p.fill(Path::polygon(pts), Paint::linear({0, top}, c0, {0, H}, c1));
}

void Place::pine(float x, float ground, float h, Rgb c) {
    const Tones t = tonesOf(c);
    p.fill(Path::rect(x - h * 0.03f, ground - h * 0.3f, x + h * 0.03f, ground), shade(c, 0.5f));
    for (int i = 0; i < 4; ++i) {
        const float top = ground - h * (1.0f - i * 0.19f), bottom = ground - h * (0.5f - i * 0.13f);
        const float half = h * (0.16f + i * 0.06f);
        const Mask m = p.mask(Path::polygon({{x, top},
                                             {x + half, bottom},
                                             {x + half * 0.2f, bottom - h * 0.04f},
                                             {x - half * 0.2f, bottom - h * 0.04f},
                                             {x - half, bottom}}));
        p.fill(m, t.base);
        p.fill(
            m & p.mask(Path::polygon({{x, top}, {x + half * 1.1f, bottom + 2}, {x, bottom + 2}})),
            t.shadow);
        p.fill(m - m.shifted(p.px(1), 0), t.rim, 0.7f);
    }
}

void Place::broadleaf(float x, float ground, float h, Rgb c) {
    const Tones t = tonesOf(c);
    p.fill(
        Path::ribbon(
            {{x, ground}, {x - h * 0.02f, ground - h * 0.4f}, {x + h * 0.03f, ground - h * 0.6f}},
            {h * 0.09f, h * 0.06f, h * 0.04f}),
        {90, 62, 40});
    const float r = h * 0.28f;
    const Point lobes[] = {
        {0, -0.78f}, {-0.22f, -0.62f}, {0.24f, -0.6f}, {-0.1f, -0.95f}, {0.15f, -0.9f}};
    Mask crown;
    for (auto l : lobes) crown = crown | p.mask(Path::circle(x + l.x * h, ground + l.y * h, r));
    p.fill(crown, t.base);
    p.fill(crown - crown.shifted(-p.px(r * 0.35f), -p.px(r * 0.35f)), t.shadow);
    p.fill(crown - crown.shifted(p.px(r * 0.2f), p.px(r * 0.2f)), t.light, 0.8f);
}

void Place::palm(float x, float ground, float h, float lean) {
    const float tx = x + lean * h, ty = ground - h;
    p.fill(Path::ribbon({{x, ground}, {x + lean * h * 0.3f, ground - h * 0.5f}, {tx, ty}},
                        {h * 0.07f, h * 0.055f, h * 0.04f}),
           mix({130, 90, 55}, light.haze, 0.05f));
    for (int i = 0; i < 6; ++i)
        p.fill(Path::ribbon({{x + lean * h * 0.3f - h * 0.03f, ground - h * (0.1f + i * 0.14f)},
                             {x + lean * h * 0.3f + h * 0.03f, ground - h * (0.1f + i * 0.14f)}},
                            {1, 1}),
               {90, 60, 35}, 0.6f);
    const Tones leaf = tonesOf(mix({50, 140, 60}, light.haze, 0.1f));
    for (int i = 0; i < 7; ++i) {
        const float a = kPi * (-0.1f - i * 0.135f) + lean;
        const float len = h * (0.45f + 0.05f * (i % 2));
        const Point mid{tx + std::cos(a) * len * 0.5f, ty + std::sin(a) * len * 0.5f - h * 0.08f};
        const Point end{tx + std::cos(a) * len, ty + std::sin(a) * len * 0.4f + h * 0.12f};
        const Mask m =
            p.mask(Path::ribbon({{tx, ty}, mid, end}, {h * 0.04f, h * 0.09f, h * 0.01f}));
        p.fill(m, i % 2 ? leaf.base : leaf.shadow);
        p.fill(m - m.shifted(0, p.px(1.2f)), leaf.light, 0.8f);
    }
    p.fill(Path::circle(tx, ty + h * 0.03f, h * 0.035f), {100, 70, 40});
}

void Place::rock(float x, float y, float s, Rgb c) {
    const Tones t = tonesOf(c);
    const Mask m = p.mask(Path::blob({{x - s, y},
                                      {x - s * 0.8f, y - s * 0.6f},
                                      {x - s * 0.2f, y - s},
                                      {x + s * 0.5f, y - s * 0.8f},
                                      {x + s, y - s * 0.1f},
                                      {x + s * 0.6f, y + s * 0.1f}}));
    p.fill(m, t.base);
    p.fill(m & p.mask(Path::polygon({{x, y - s * 1.2f},
                                     {x + s * 1.2f, y - s * 1.2f},
                                     {x + s * 1.2f, y + s},
                                     {x + s * 0.1f, y + s}})),
           t.shadow);
    p.fill(m - m.shifted(p.px(s * 0.15f), p.px(s * 0.15f)), t.light, 0.7f);
    p.shadow(x + s * 0.2f, y + s * 0.05f, s * 1.2f, s * 0.2f, 0.35f);
}

void Place::grass(float y0, float y1, int n, Rgb c, float x0, float x1) {
    for (int i = 0; i < n; ++i) {
        const float x = rng.range(x0, x1), y = rng.range(y0, y1);
        const float h = 4 + 10 * (y - y0) / std::max(1.0f, y1 - y0);
        const Rgb g = mix(c, light.key, rng.range(0, 0.25f));
        for (int k = -1; k <= 1; ++k)
            p.fill(Path::ribbon({{x + k * 1.5f, y}, {x + k * 3.5f + rng.range(-1, 1), y - h}},
                                {1.4f, 0.2f}),
                   g);
    }
}

void Place::hut(float x, float ground, float s) {
    const Tones wall = tonesOf({160, 118, 74}), roof = tonesOf({200, 168, 90});
    p.shadow(x, ground, s * 1.3f, s * 0.12f, 0.4f);
    p.part(Path::rect(x - s * 0.8f, ground - s * 0.75f, x + s * 0.8f, ground), wall, 3, false);
    for (int i = 0; i < 5; ++i)
        p.fill(Path::rect(x - s * 0.8f, ground - s * (0.15f + i * 0.14f), x + s * 0.8f,
                          ground - s * (0.14f + i * 0.14f) + 0.6f),
               shade(wall.base, 0.7f));
    p.part(Path::polygon({{x - s * 1.1f, ground - s * 0.68f},
                          {x, ground - s * 1.45f},
                          {x + s * 1.1f, ground - s * 0.68f}}),
           roof, 4, false);
    p.fill(Path::rect(x - s * 0.2f, ground - s * 0.5f, x + s * 0.2f, ground), {70, 46, 30});
}

void Place::raft(float x, float y, float s) {
    const Tones wood = tonesOf({160, 112, 64});
    for (int i = -3; i <= 3; ++i)
        p.part(Path::ellipse(x + i * s * 0.2f, y, s * 0.11f, s * 0.07f), wood, 1, false);
    p.fill(Path::ribbon({{x, y}, {x, y - s * 1.1f}}, {1.6f, 1.4f}), {110, 75, 40});
    p.part(
        Path::blob({{x + 1, y - s * 1.05f}, {x + s * 0.7f, y - s * 0.5f}, {x + 1, y - s * 0.28f}}),
        tonesOf({236, 230, 212}), 2, false);
}

void Place::fish(float x, float y, float s, Rgb c, bool left) {
    const float d = left ? -1.0f : 1.0f;
    const Tones t = tonesOf(c);
    p.part(Path::blob({{x - d * s, y},
                       {x - d * s * 0.3f, y - s * 0.38f},
                       {x + d * s * 0.6f, y - s * 0.25f},
                       {x + d * s, y},
                       {x + d * s * 0.5f, y + s * 0.3f},
                       {x - d * s * 0.3f, y + s * 0.3f}}),
           t, 2, true);
    p.part(Path::polygon({{x - d * s * 0.9f, y},
                          {x - d * s * 1.5f, y - s * 0.45f},
                          {x - d * s * 1.4f, y + s * 0.45f}}),
           t, 1, true);
    p.fill(Path::circle(x + d * s * 0.6f, y - s * 0.05f, s * 0.12f), kWhite);
    p.fill(Path::circle(x + d * s * 0.62f, y - s * 0.05f, s * 0.07f), {20, 20, 30});
}

void Place::flames(float x, float ground, float s) {
    p.glow(x, ground - s * 0.4f, s * 2.2f, {255, 160, 60}, 0.5f);
    for (int i = 0; i < 6; ++i) {
        const float fx = x + rng.range(-0.5f, 0.5f) * s, fh = s * rng.range(0.7f, 1.3f),
                    fw = s * 0.28f;
        p.fill(Path::blob({{fx - fw, ground},
                           {fx - fw * 0.5f, ground - fh * 0.5f},
                           {fx + rng.range(-0.2f, 0.2f) * fw, ground - fh},
                           {fx + fw * 0.6f, ground - fh * 0.45f},
                           {fx + fw, ground}}),
               {240, 110, 30}, 0.9f);
        p.fill(Path::blob(
                   {{fx - fw * 0.5f, ground}, {fx, ground - fh * 0.6f}, {fx + fw * 0.5f, ground}}),
               {255, 225, 110}, 0.95f);
    }
}

void Place::rain(int n, float slant, float alpha) {
    for (int i = 0; i < n; ++i) {
        const float x = rng.range(-20, W + 20), y = rng.range(-10, H), len = rng.range(8, 16);
        p.fill(Path::ribbon({{x, y}, {x + slant * len, y + len}}, {0.5f, 0.5f}), {210, 220, 235},
               alpha);
    }
}

void Place::rays(float x, float y, int n, float alpha) {
    for (int i = 0; i < n; ++i) {
        const float a = kPi * (0.15f + 0.7f * i / std::max(1, n - 1));
        const float spread = 0.05f;
        p.fill(Path::polygon({{x, y},
                              {x + std::cos(a - spread) * 400, y + std::sin(a - spread) * 400},
                              {x + std::cos(a + spread) * 400, y + std::sin(a + spread) * 400}}),
               Paint::radial({x, y}, 300, light.key, light.key, alpha, 0));
    }
}

void Place::finish() {
    // The mood's colour over everything, darkening to the corners.
    p.wash(Paint::radial({W / 2, H / 2}, W * 0.72f, light.top, {0, 0, 0}, light.wash, 0.45f));
}

namespace {

// --- The places ------------------------------------------------------------------

void forest(Place& pl, bool path) {
    pl.sky(110);
    pl.sun(250, 40, 10);
    pl.ridge(120, 40, pl.far({80, 120, 110}, 0.55f), 2);
    for (int i = 0; i < 14; ++i)
        pl.pine(pl.rng.range(0, W), pl.rng.range(118, 128), pl.rng.range(30, 50),
                pl.far({50, 100, 70}, 0.4f));
    pl.ground(126, {90, 140, 70}, {50, 90, 40});
    pl.rays(250, 20, 5, 0.18f);
    if (path)
        pl.p.fill(Path::blob({{150, 128}, {172, 128}, {230, 240}, {90, 240}}),
                  Paint::linear({0, 128}, {190, 160, 110}, {0, 240}, {150, 120, 80}));
    for (int i = 0; i < 7; ++i) {
        float x = pl.rng.range(0, W);
        if (path && x > 110 && x < 210) x = x < 160 ? x - 60 : x + 60;
        pl.pine(x, pl.rng.range(160, 200), pl.rng.range(90, 130), {40, 110, 55});
    }
    pl.broadleaf(20, 250, 130, {50, 120, 50});
    pl.broadleaf(300, 250, 120, {60, 130, 50});
    pl.grass(200, 245, 70, {60, 130, 50});
    for (int i = 0; i < 16; ++i)
        pl.p.glow(pl.rng.range(0, W), pl.rng.range(40, 200), 2.5f, {255, 250, 200}, 0.6f);
}

void beach(Place& pl, int extra) {
    pl.sky(112);
    pl.sun(240, 40, 11);
    pl.ridge(112, 14, pl.far({90, 140, 130}, 0.6f), 1);
    pl.sea(110, 170);
    pl.sunPath(240, 112, 168);
    // Foam where the sea meets the sand.
    pl.p.fill(Path::blob({{-10, 168}, {100, 160}, {200, 170}, {330, 162}, {330, 180}, {-10, 182}}),
              {240, 248, 250}, 0.8f);
    pl.ground(172, {238, 218, 168}, {214, 188, 132});
    pl.palm(40, 236, 150, 0.25f);
    if (extra != 1) pl.palm(292, 240, 120, -0.3f);
    if (extra == 2) {
        // The catch, heaped in a basket above the name band.
        pl.p.place(0, -40, 1);
        pl.p.part(Path::blob({{70, 236}, {60, 206}, {260, 206}, {250, 236}}),
                  tonesOf({150, 110, 70}), 4, true);
        for (int k = 0; k < 4; ++k)
            pl.p.fill(Path::ribbon({{66, 212 + k * 6.0f}, {254, 212 + k * 6.0f}}, {1, 1}),
                      {110, 78, 48});
        for (int i = 0; i < 16; ++i)
            pl.fish(pl.rng.range(80, 240), pl.rng.range(186, 206), pl.rng.range(10, 14),
                    mix({110, 150, 190}, {220, 120, 90}, pl.rng.uniform()), pl.rng.below(2) == 0);
        pl.p.place(0, 0, 1);
    } else {
        pl.rock(230, 214, 16, {150, 140, 132});
        for (int i = 0; i < 6; ++i) {
            const float x = pl.rng.range(100, 300), y = pl.rng.range(190, 235);
            pl.p.fill(Path::blob({{x - 4, y}, {x, y - 4}, {x + 4, y}, {x, y + 1}}),
                      {250, 235, 225});
        }
    }
}

void seaPlace(Place& pl) {
    pl.sky(90);
    pl.sun(70, 34, 9);
    pl.ridge(92, 10, pl.far({100, 150, 140}, 0.6f), 1);
    pl.sea(88, 240);
    pl.sunPath(70, 90, 240);
    // Under the surface: fish in the clear water.
    for (int i = 0; i < 5; ++i)
        pl.fish(pl.rng.range(40, 300), pl.rng.range(150, 225), pl.rng.range(8, 12), {90, 170, 210},
                i % 2 == 0);
    pl.p.fill(Path::blob({{250, 95}, {262, 80}, {280, 86}, {290, 95}}), {60, 110, 80});
    pl.raft(120, 130, 30);
}

void cave(Place& pl, bool mouth) {
    pl.p.wash(Paint::linear({0, 0}, pl.light.top, {0, H}, pl.light.horizon));
    if (mouth) {
        // Daylight through the mouth of the cave: the sky, the sea and the
        // beach outside, and the light falling in.
        const Mask mouth = pl.p.mask(
            Path::blob({{106, 206}, {112, 120}, {140, 86}, {176, 80}, {204, 108}, {214, 206}}));
        pl.p.fill(mouth, Paint::linear({0, 80}, {170, 215, 245}, {0, 150}, {235, 240, 230}));
        pl.p.fill(mouth & pl.p.mask(Path::rect(0, 150, W, 172)), {70, 150, 190});
        pl.p.fill(mouth & pl.p.mask(Path::rect(0, 168, W, 240)), {225, 205, 160});
        pl.p.fill(mouth & pl.p.mask(Path::rect(0, 166, W, 170)), {245, 250, 250}, 0.8f);
        pl.p.glow(160, 150, 130, {190, 235, 245}, 0.3f);
    }
    // Rock walls, stalactites and stalagmites in three depths.
    for (int layer = 0; layer < 3; ++layer) {
        const Rgb c = mix({70, 60, 62}, pl.light.haze, 0.45f - layer * 0.2f);
        for (int i = 0; i < 8; ++i) {
            const float x = pl.rng.range(-10, W + 10),
                        len = pl.rng.range(20, 60) * (1 + layer * 0.3f), w = pl.rng.range(6, 14);
            pl.p.fill(
                Path::blob({{x - w, -5}, {x + w, -5}, {x + w * 0.2f, len}, {x - w * 0.2f, len}}),
                c);
            pl.p.fill(
                Path::blob({{x + 10 - w, H + 5}, {x + 10 + w, H + 5}, {x + 10, H - len * 0.7f}}),
                shade(c, 0.8f));
        }
    }
    pl.p.fill(Path::blob({{-20, 0}, {60, 0}, {40, 120}, {70, 250}, {-20, 250}}), {30, 24, 26});
    pl.p.fill(Path::blob({{340, 0}, {270, 0}, {290, 120}, {250, 250}, {340, 250}}), {34, 28, 30});
    // Glowing crystals.
    for (int i = 0; i < 5; ++i) {
        const float x = i < 3 ? pl.rng.range(20, 90) : pl.rng.range(230, 300);
        const float y = pl.rng.range(150, 196);
        pl.p.glow(x, y - 6, 18, {120, 220, 230}, 0.45f);
        pl.p.part(Path::polygon({{x - 4, y}, {x - 2, y - 14}, {x + 1, y - 18}, {x + 4, y}}),
                  tonesOf({130, 220, 235}), 1, false);
    }
    pl.ground(214, {60, 50, 48}, {30, 24, 24});
    for (int i = 0; i < 4; ++i)
        pl.rock(pl.rng.range(10, 310), pl.rng.range(222, 238), pl.rng.range(8, 16), {90, 78, 76});
}

void jungle(Place& pl) {
    pl.p.wash(Paint::linear({0, 0}, {90, 160, 110}, {0, H}, {40, 90, 50}));
    pl.p.glow(200, 50, 160, {230, 255, 200}, 0.5f);
    pl.rays(210, -10, 6, 0.2f);
    // Leaves in three depths, darker and sharper nearer.
    for (int layer = 0; layer < 3; ++layer) {
        const Rgb c = mix({30, 110, 50}, {120, 180, 130}, 0.5f - layer * 0.25f);
        for (int i = 0; i < 12 + layer * 4; ++i) {
            const float x = pl.rng.range(-20, W + 20), y = pl.rng.range(-20, H + 20);
            const float a = pl.rng.range(0, 2 * kPi),
                        len = pl.rng.range(30, 60) * (1 + layer * 0.3f);
            const Point tip{x + std::cos(a) * len, y + std::sin(a) * len};
            const Mask m = pl.p.mask(Path::ribbon(
                {{x, y}, {(x + tip.x) / 2, (y + tip.y) / 2 - 6}, tip}, {2, len * 0.4f, 0.5f}));
            pl.p.fill(m, c);
            pl.p.fill(m - m.shifted(pl.p.px(1.5f), pl.p.px(1.5f)), mix(c, {230, 255, 200}, 0.4f),
                      0.7f);
            pl.p.fill(pl.p.mask(Path::ribbon({{x, y}, tip}, {0.6f, 0.3f})) & m, shade(c, 0.7f));
        }
        if (layer == 1) {
            for (int i = 0; i < 5; ++i) {
                const float x = pl.rng.range(0, W);
                pl.p.fill(Path::ribbon({{x, -5},
                                        {x + pl.rng.range(-20, 20), 120},
                                        {x + pl.rng.range(-10, 10), pl.rng.range(150, 220)}},
                                       {2, 2, 1.5f}),
                          {70, 90, 40});
            }
        }
    }
    const Rgb flowers[] = {{240, 70, 90}, {250, 200, 50}, {240, 120, 200}};
    for (int i = 0; i < 5; ++i) {
        const float x = pl.rng.range(20, 300), y = pl.rng.range(60, 220);
        for (int k = 0; k < 5; ++k) {
            const float a = k * 2 * kPi / 5;
            pl.p.fill(Path::circle(x + 4 * std::cos(a), y + 4 * std::sin(a), 3.5f), flowers[i % 3]);
        }
        pl.p.fill(Path::circle(x, y, 2), {255, 240, 150});
    }
}

void lake(Place& pl) {
    pl.sky(120);
    pl.sun(90, 36, 10);
    pl.ridge(120, 70, pl.far({110, 120, 160}, 0.5f), 4);
    // Snow on the highest peak.
    pl.p.fill(Path::polygon({{170, 62}, {184, 46}, {198, 62}, {190, 60}, {184, 66}, {176, 60}}),
              {250, 250, 255}, 0.9f);
    pl.ridge(130, 22, pl.far({70, 120, 80}, 0.3f), 2);
    pl.p.fill(Path::blob({{20, 150}, {160, 132}, {300, 150}, {290, 200}, {160, 212}, {30, 200}}),
              Paint::linear({0, 135}, mix({120, 180, 220}, pl.light.horizon, 0.3f), {0, 210},
                            {50, 110, 160}));
    // The mountains mirrored in the still water.
    for (int i = 0; i < 16; ++i) {
        const float y = pl.rng.range(140, 205), x = pl.rng.range(40, 280);
        pl.p.fill(Path::ribbon({{x, y}, {x + pl.rng.range(8, 20), y}}, {0.8f, 0.8f}), kWhite,
                  0.45f);
    }
    pl.ground(205, {90, 150, 80}, {50, 100, 45});
    pl.broadleaf(30, 240, 110, {60, 130, 60});
    pl.broadleaf(290, 236, 100, {70, 140, 60});
    for (int i = 0; i < 6; ++i) {
        const float x = pl.rng.range(70, 250);
        pl.p.fill(Path::ribbon({{x, 214}, {x + 1, 190}}, {1.2f, 0.6f}), {80, 120, 50});
        pl.p.fill(Path::ellipse(x + 1, 192, 1.8f, 5), {110, 70, 40});
    }
    pl.grass(214, 240, 40, {70, 140, 60});
}

void cliff(Place& pl) {
    pl.sky(150);
    pl.sun(270, 48, 10);
    pl.sea(150, 240);
    pl.sunPath(270, 150, 240);
    const Tones stone = tonesOf({130, 108, 90});
    const Mask m = pl.p.mask(
        Path::polygon({{-10, 70}, {130, 80}, {150, 110}, {142, 160}, {166, 250}, {-10, 250}}));
    pl.p.fill(m, stone.base);
    pl.p.fill(m & pl.p.mask(Path::polygon({{100, 80}, {160, 80}, {170, 250}, {120, 250}})),
              stone.shadow);
    for (int i = 0; i < 10; ++i) {
        const float x = pl.rng.range(0, 130), y = pl.rng.range(90, 240);
        pl.p.fill(pl.p.mask(Path::ribbon(
                      {{x, y}, {x + pl.rng.range(-10, 20), y + pl.rng.range(10, 30)}}, {1, 0.5f})) &
                      m,
                  shade(stone.base, 0.6f));
    }
    pl.p.fill(Path::blob({{-10, 64}, {80, 66}, {134, 78}, {132, 88}, {60, 84}, {-10, 86}}),
              {90, 150, 70});
    pl.grass(66, 84, 20, {90, 160, 70}, 0, 126);
    // Birds wheeling over the sea.
    for (int i = 0; i < 4; ++i) {
        const float x = pl.rng.range(180, 300), y = pl.rng.range(60, 120);
        pl.p.fill(Path::ribbon({{x - 6, y - 2}, {x, y + 1}, {x + 6, y - 2}}, {0.8f, 1.2f, 0.8f}),
                  {50, 50, 60});
    }
    pl.p.fill(Path::blob({{150, 238}, {190, 226}, {240, 232}, {330, 236}, {330, 250}, {150, 250}}),
              {240, 248, 250}, 0.7f);
}

void colosseum(Place& pl) {
    pl.sky(90);
    pl.sun(60, 30, 9);
    // Tiers of the arena curving around, then the sand.
    for (int tier = 0; tier < 3; ++tier) {
        const float y = 60 + tier * 22;
        const Rgb c = mix({200, 170, 130}, pl.light.haze, 0.3f - tier * 0.1f);
        pl.p.fill(Path::blob({{-20, y + 30},
                              {160, y - 8},
                              {340, y + 30},
                              {340, y + 52},
                              {160, y + 16},
                              {-20, y + 52}}),
                  c);
        for (int a = 0; a < 12; ++a) {
            const float x = a * 30.0f + tier * 10;
            pl.p.fill(Path::ellipse(x, y + 18 + std::abs(x - 160) * 0.12f, 6, 8), shade(c, 0.55f));
        }
    }
    pl.ground(150, {220, 190, 140}, {180, 150, 100});
    // Banners.
    const Rgb banners[] = {{200, 50, 50}, {60, 90, 180}, {230, 180, 50}};
    for (int i = 0; i < 5; ++i) {
        const float x = 30 + i * 65.0f;
        pl.p.fill(Path::rect(x - 1, 20, x + 1, 70), {90, 70, 50});
        pl.p.fill(Path::polygon({{x + 1, 22}, {x + 22, 26}, {x + 1, 36}}), banners[i % 3]);
    }
}

}  // namespace

void paintPlace(Place& pl, Scene s) {
    Painter& p = pl.p;
    Rng& rng = pl.rng;
    switch (s) {
        case Scene::None:
        case Scene::Forest:
            forest(pl, false);
            break;
        case Scene::Explore:
            forest(pl, true);
            break;
        case Scene::Beach:
        case Scene::Clear:
            beach(pl, s == Scene::Clear ? 0 : 1);
            break;
        case Scene::BigCatch:
            beach(pl, 2);
            break;
        case Scene::Sea:
            seaPlace(pl);
            break;
        case Scene::Cave:
            cave(pl, true);
            break;
        case Scene::Stranded:
            pl.sky(140);
            pl.ridge(140, 40, pl.far({40, 60, 60}, 0.5f), 3);
            for (int i = 0; i < 10; ++i)
                pl.pine(rng.range(0, W), rng.range(150, 250), rng.range(80, 150), {30, 60, 50});
            p.wash(Paint::linear({0, 0}, {200, 210, 220}, {0, H}, {60, 70, 80}), 0.35f);
            pl.grass(210, 245, 60, {40, 80, 50});
            break;
        case Scene::Jungle:
            jungle(pl);
            break;
        case Scene::Lake:
            lake(pl);
            break;
        case Scene::Cliff:
            cliff(pl);
            break;
        case Scene::Colosseum:
            colosseum(pl);
            break;
        case Scene::Sleep:
        case Scene::Night: {
            pl.sky(170);
            pl.stars(s == Scene::Night ? 220 : 90, 160);
            pl.sun(250, 50, 10);
            pl.sea(170, 200);
            pl.ground(196, {30, 40, 55}, {12, 16, 24});
            if (s == Scene::Sleep) {
                // The shelter with a lamp in the window, the fire burning low.
                pl.hut(110, 192, 54);
                pl.p.fill(Path::rect(70, 160, 90, 172), {255, 200, 120}, 0.85f);
                pl.p.glow(80, 166, 30, {255, 190, 110}, 0.5f);
                pl.flames(226, 192, 16);
                pl.p.glow(226, 184, 80, {255, 160, 70}, 0.3f);
                for (int i = 0; i < 3; ++i)
                    pl.p.part(Path::ribbon({{206 + i * 10.0f, 196}, {236 - i * 8.0f, 190}}, {4, 4}),
                              tonesOf({110, 70, 40}), 1, true);
            } else {
                pl.palm(50, 240, 170, 0.2f);
                pl.p.fill(Path::ellipse(250, 185, 50, 3), {220, 220, 190}, 0.3f);
            }
            break;
        }
        case Scene::Morning:
            pl.sky(130);
            pl.sun(160, 124, 16);
            pl.sea(130, 240);
            pl.sunPath(160, 132, 240);
            pl.palm(30, 250, 190, 0.25f);
            break;
        case Scene::OpenSea:
            pl.sky(120);
            pl.sun(100, 112, 12);
            pl.sea(120, 240);
            pl.sunPath(100, 122, 240);
            pl.raft(190, 190, 50);
            pl.p.fill(Path::polygon({{260, 118}, {300, 118}, {296, 123}, {264, 123}}),
                      {30, 20, 40});
            pl.p.fill(Path::ribbon({{280, 118}, {280, 100}}, {1, 1}), {30, 20, 40});
            break;
        case Scene::Last:
            p.wash(Paint::linear({0, 0}, {0, 0, 0}, {0, H}, {14, 6, 26}));
            for (int i = 0; i < 70; ++i) {
                const float x = rng.range(0, W), y = rng.range(0, H), r = rng.range(0.6f, 2.4f);
                p.glow(x, y, r * 4, {120, 160, 255}, 0.35f);
                p.fill(Path::circle(x, y, r), {210, 225, 255}, 0.7f);
            }
            break;
        case Scene::Rain:
        case Scene::BlessedRain:
        case Scene::Typhoon: {
            const bool storm = s == Scene::Typhoon;
            pl.sky(140);
            pl.sea(140, 175);
            pl.ground(170, {90, 110, 80}, {50, 70, 45});
            pl.palm(80, 236, 150, storm ? 0.7f : 0.1f);
            pl.hut(230, 220, 50);
            if (s == Scene::BlessedRain) {
                pl.rays(160, -20, 5, 0.25f);
                for (int i = 0; i < 8; ++i)
                    pl.p.glow(rng.range(20, 300), rng.range(20, 140), 4, {255, 255, 220}, 0.8f);
            }
            if (storm)
                pl.p.fill(Path::polygon({{210, 0},
                                         {200, 40},
                                         {214, 42},
                                         {196, 96},
                                         {222, 36},
                                         {208, 34},
                                         {220, 0}}),
                          {255, 255, 220});
            pl.rain(storm ? 420 : 220, storm ? 0.7f : 0.15f, storm ? 0.6f : 0.45f);
            break;
        }
        case Scene::Drought:
            pl.sky(130);
            pl.sun(160, 50, 22);
            pl.ridge(130, 20, pl.far({190, 140, 80}, 0.4f), 2);
            pl.ground(128, {210, 160, 100}, {170, 110, 60});
            for (int i = 0; i < 30; ++i) {
                const float x = rng.range(0, W), y = rng.range(140, 240);
                p.fill(Path::ribbon({{x, y},
                                     {x + rng.range(-16, 16), y + rng.range(4, 12)},
                                     {x + rng.range(-20, 20), y + rng.range(10, 20)}},
                                    {1.2f, 0.8f, 0.3f}),
                       {110, 70, 40});
            }
            pl.palm(260, 200, 110, -0.3f);
            p.fill(Path::rect(0, 120, W, 140), {255, 230, 170}, 0.3f);
            break;
        case Scene::Flood:
            pl.sky(110);
            pl.pine(60, 160, 80, {40, 90, 50});
            pl.pine(260, 150, 90, {40, 90, 50});
            pl.hut(160, 160, 40);
            p.fill(Path::rect(0, 130, W, H),
                   Paint::linear({0, 130}, {130, 120, 90}, {0, H}, {80, 70, 50}), 0.92f);
            for (int i = 0; i < 40; ++i) {
                const float x = rng.range(-10, W), y = rng.range(135, 235);
                p.fill(Path::ribbon({{x, y}, {x + 8, y - 2}, {x + 16, y}}, {0.8f, 1.2f, 0.8f}),
                       {210, 200, 170}, 0.6f);
            }
            pl.rain(160, 0.1f, 0.35f);
            break;
        case Scene::Fire:
            p.wash(Paint::linear({0, 0}, {50, 16, 10}, {0, H}, {210, 90, 30}));
            for (int i = 0; i < 8; ++i)
                pl.pine(20 + i * 40.0f, 200, rng.range(70, 110), {30, 24, 20});
            pl.ground(196, {50, 30, 20}, {20, 10, 6});
            pl.flames(90, 210, 60);
            pl.flames(230, 214, 70);
            for (int i = 0; i < 50; ++i)
                p.fill(Path::circle(rng.range(0, W), rng.range(0, 200), rng.range(0.6f, 1.4f)),
                       {255, 210, 90}, 0.8f);
            p.wash(Paint::linear({0, 0}, {60, 50, 50}, {0, 120}, {60, 50, 50}, 0.5f, 0.0f));
            break;
        case Scene::Earthquake: {
            pl.sky(120);
            pl.ridge(120, 30, pl.far({130, 110, 90}, 0.4f), 3);
            pl.ground(120, {160, 130, 90}, {110, 85, 55});
            float x = 120, y = 124;
            for (int i = 0; i < 9; ++i) {
                const float nx = x + rng.range(-12, 20), ny = y + 13;
                p.fill(Path::ribbon({{x, y}, {nx, ny}}, {5.0f - i * 0.3f, 4.5f - i * 0.3f}),
                       {40, 25, 15});
                x = nx;
                y = ny;
            }
            for (int i = 0; i < 7; ++i)
                pl.rock(rng.range(0, W), rng.range(40, 150), rng.range(5, 12), {110, 92, 76});
            pl.hut(250, 190, 40);
            break;
        }
        case Scene::Epidemic:
            pl.sky(150);
            pl.hut(160, 210, 60);
            pl.ground(200, {80, 90, 60}, {50, 60, 40});
            for (int i = 0; i < 26; ++i)
                p.glow(rng.range(0, W), rng.range(0, H), rng.range(10, 30), {150, 200, 90}, 0.35f);
            for (int i = 0; i < 40; ++i)
                p.fill(Path::circle(rng.range(0, W), rng.range(0, H), 1.5f), {190, 240, 130}, 0.7f);
            break;
        case Scene::Rainbow: {
            pl.sky(170);
            const Rgb bands[] = {{230, 60, 60}, {240, 150, 50}, {240, 230, 70},
                                 {80, 190, 80}, {70, 130, 220}, {120, 80, 190}};
            for (int i = 0; i < 6; ++i) {
                const float r = 150 - i * 7.0f;
                const Mask ring = p.mask(Path::ellipse(160, 190, r, r * 1.1f)) -
                                  p.mask(Path::ellipse(160, 190, r - 7, (r - 7) * 1.1f));
                p.fill(ring, bands[i], 0.55f);
            }
            pl.ridge(180, 30, pl.far({80, 150, 80}, 0.3f), 2);
            pl.ground(200, {90, 160, 80}, {60, 120, 60});
            pl.grass(205, 240, 50, {80, 150, 60});
            break;
        }
        case Scene::ShootingStar:
            pl.sky(200);
            pl.stars(160, 190);
            p.fill(
                Path::ribbon({{70, 40}, {150, 80}, {170, 90}}, {0.3f, 2.0f, 4.0f}),
                Paint::linear({70, 40}, {255, 250, 200}, {170, 90}, {255, 255, 255}, 0.0f, 1.0f));
            p.glow(170, 90, 14, {255, 255, 220}, 0.9f);
            pl.ridge(200, 16, {16, 20, 36}, 2);
            break;
        case Scene::Bath:
            p.wash(Paint::linear({0, 0}, {200, 215, 225}, {0, H}, {150, 170, 185}));
            for (int i = 0; i < 10; ++i)
                p.fill(Path::rect(i * 32.0f, 0, i * 32.0f + 2, 140), {140, 160, 175});
            pl.ground(140, {130, 108, 84}, {90, 70, 55});
            p.part(Path::ellipse(160, 170, 90, 40), tonesOf({110, 110, 122}), 5, false);
            p.fill(Path::ellipse(160, 164, 76, 28),
                   Paint::linear({0, 140}, {150, 210, 230}, {0, 190}, {90, 160, 200}));
            pl.flames(160, 236, 16);
            for (int i = 0; i < 14; ++i)
                p.glow(rng.range(80, 240), rng.range(20, 150), rng.range(10, 24), kWhite, 0.35f);
            break;
        case Scene::Toilet:
            pl.sky(160);
            pl.ground(160, {100, 140, 70}, {70, 110, 50});
            pl.broadleaf(40, 236, 130, {60, 130, 60});
            pl.broadleaf(280, 232, 120, {70, 140, 60});
            p.part(Path::rect(120, 80, 200, 220), tonesOf({160, 120, 75}), 6, true);
            p.part(Path::polygon({{110, 86}, {160, 50}, {210, 86}}), tonesOf({120, 85, 50}), 4,
                   true);
            p.fill(Path::rect(134, 100, 186, 220), {130, 92, 58});
            pl.moon(160, 124, 8);
            break;
        case Scene::Meal:
        case Scene::Fish:
        case Scene::Meat: {
            p.wash(Paint::linear({0, 0}, {130, 96, 64}, {0, H}, {90, 64, 40}));
            for (int i = 0; i < 7; ++i)
                p.fill(Path::rect(0, i * 20.0f, W, i * 20.0f + 1.5f), {100, 74, 50}, 0.6f);
            pl.ground(130, {190, 140, 90}, {150, 105, 65});
            // The dish sits above the name band.
            p.place(0, -34, 1);
            p.glow(160, 170, 130, {255, 220, 170}, 0.4f);
            p.part(Path::ellipse(160, 178, 100, 46), tonesOf({240, 240, 236}), 6, true);
            p.fill(Path::ellipse(160, 174, 76, 32), {228, 228, 224});
            if (s == Scene::Fish) {
                pl.fish(160, 172, 44, {110, 150, 190});
            } else if (s == Scene::Meat) {
                p.part(Path::blob({{110, 172}, {140, 150}, {190, 156}, {200, 180}, {150, 196}}),
                       tonesOf({170, 80, 50}), 5, true);
                p.fill(Path::ellipse(155, 172, 26, 12), {210, 120, 80});
                p.part(Path::ribbon({{196, 168}, {230, 150}}, {7, 6}, true),
                       tonesOf({240, 235, 220}), 2, true);
            } else {
                const Rgb fruit[] = {
                    {220, 40, 40}, {240, 140, 30}, {120, 60, 140}, {240, 200, 60}, {120, 190, 70}};
                for (int i = 0; i < 5; ++i)
                    p.part(Path::circle(118 + i * 21.0f, 170 - (i % 2) * 8.0f, 12),
                           tonesOf(fruit[i]), 4, true);
            }
            for (int i = 0; i < 3; ++i)
                p.fill(Path::ribbon(
                           {{140 + i * 20.0f, 140}, {146 + i * 20.0f, 110}, {138 + i * 20.0f, 80}},
                           {2, 3, 1}),
                       kWhite, 0.3f);
            p.place(0, 0, 1);
            break;
        }
        case Scene::Facility:
            pl.sky(160);
            pl.ridge(150, 20, pl.far({90, 140, 90}, 0.4f), 2);
            pl.ground(160, {150, 160, 90}, {110, 120, 60});
            pl.hut(100, 214, 70);
            for (int i = 0; i < 4; ++i)
                p.part(Path::rect(196 + i * 28.0f, 110, 202 + i * 28.0f, 214),
                       tonesOf({150, 110, 70}), 2, true);
            p.part(Path::rect(190, 120, 290, 126), tonesOf({150, 110, 70}), 2, true);
            p.part(Path::rect(190, 170, 290, 176), tonesOf({150, 110, 70}), 2, true);
            pl.grass(200, 240, 40, {90, 140, 60});
            break;
        case Scene::Craft:
        case Scene::Carving:
        case Scene::Material: {
            // A plank wall, the workbench in front, the light of a lamp.
            p.wash(Paint::linear({0, 0}, {150, 110, 72}, {0, H}, {100, 72, 46}));
            for (int i = 0; i < 12; ++i)
                p.fill(Path::rect(0, i * 20.0f + 6, W, i * 20.0f + 7.5f), {90, 64, 40}, 0.5f);
            p.part(Path::polygon({{-10, 150}, {330, 150}, {340, 200}, {-20, 200}}),
                   tonesOf({190, 150, 100}), 3, false);
            p.fill(Path::rect(-10, 200, 330, 240), {80, 56, 36});
            for (int i = 0; i < 5; ++i)
                p.fill(Path::ribbon({{-10, 158 + i * 9.0f}, {330, 156 + i * 9.5f}}, {0.8f, 0.8f}),
                       {150, 110, 70}, 0.6f);
            p.glow(160, 100, 140, {255, 230, 180}, 0.35f);
            p.place(0, -30, 1);
            if (s == Scene::Craft) {
                p.part(Path::ribbon({{80, 200}, {150, 90}}, {8, 7}), tonesOf({150, 100, 60}), 2,
                       true);
                p.part(Path::rect(126, 62, 186, 100).transformed(156, 81, 1, 0.5f),
                       tonesOf({140, 140, 150}), 4, true);
                p.part(Path::ribbon({{200, 210}, {250, 110}}, {4, 2}), tonesOf({210, 210, 220}), 1,
                       true);
                p.part(Path::rect(188, 200, 214, 226), tonesOf({120, 70, 40}), 3, true);
            } else if (s == Scene::Carving) {
                p.part(Path::ellipse(160, 90, 22, 28), tonesOf({210, 170, 110}), 4, true);
                p.part(Path::polygon({{136, 116}, {184, 116}, {196, 214}, {124, 214}}),
                       tonesOf({200, 160, 100}), 5, true);
                for (int i = 0; i < 10; ++i)
                    p.fill(Path::ellipse(rng.range(50, 270), rng.range(216, 234), 8, 3),
                           {230, 200, 150});
                p.part(Path::ribbon({{220, 130}, {260, 180}}, {4, 3}), tonesOf({190, 190, 200}), 1,
                       true);
            } else {
                for (int i = 0; i < 4; ++i)
                    p.part(Path::rect(30, 120 + i * 24.0f, 160, 140 + i * 24.0f),
                           tonesOf(Rgb{static_cast<uint8_t>(150 - i * 10), 100, 60}), 3, true);
                for (int i = 0; i < 6; ++i)
                    pl.rock(rng.range(190, 300), rng.range(150, 230), rng.range(10, 18),
                            {150, 146, 146});
            }
            p.place(0, 0, 1);
            break;
        }
        case Scene::Song: {
            p.wash(Paint::linear({0, 0}, {50, 30, 80}, {0, H}, {150, 90, 150}));
            p.glow(160, 60, 150, {255, 200, 240}, 0.4f);
            for (int i = 0; i < 5; ++i)
                p.fill(
                    Path::ribbon({{0, 70 + i * 10.0f}, {160, 60 + i * 10.0f}, {W, 74 + i * 10.0f}},
                                 {1, 1, 1}),
                    {240, 220, 250}, 0.6f);
            const Rgb tones[] = {{255, 220, 120}, {150, 220, 255}, {255, 160, 200}};
            for (int i = 0; i < 6; ++i) {
                const float x = 30 + i * 46.0f, y = 90 + (i % 3) * 10.0f;
                p.fill(Path::ellipse(x, y, 7, 5).transformed(x, y, 1, -0.4f), tones[i % 3]);
                p.fill(Path::rect(x + 5, y - 24, x + 7, y), tones[i % 3]);
            }
            p.part(Path::rect(40, 160, 280, 250), tonesOf({90, 50, 30}), 6, true);
            for (int i = 0; i < 14; ++i)
                p.fill(Path::rect(46 + i * 16.5f, 166, 60 + i * 16.5f, 230), kWhite);
            for (int i = 0; i < 14; ++i)
                if (i % 7 != 2 && i % 7 != 6)
                    p.fill(Path::rect(57 + i * 16.5f, 166, 65 + i * 16.5f, 206), {30, 22, 18});
            break;
        }
        case Scene::Escape:
            pl.sky(110);
            pl.sun(260, 40, 10);
            pl.sea(108, 180);
            pl.ground(176, {232, 212, 160}, {210, 184, 128});
            pl.raft(160, 206, 80);
            p.part(Path::ribbon({{40, 236}, {90, 180}}, {4, 3}), tonesOf({140, 100, 60}), 1, true);
            p.part(Path::ribbon({{260, 230}, {300, 170}}, {4, 3}), tonesOf({140, 100, 60}), 1,
                   true);
            break;
    }
}

Mood moodOf(Scene s) {
    switch (s) {
        case Scene::Cave:
            return Mood::Dark;
        case Scene::Sleep:
        case Scene::Night:
        case Scene::ShootingStar:
        case Scene::Last:
            return Mood::Night;
        case Scene::Morning:
            return Mood::Dawn;
        case Scene::OpenSea:
        case Scene::Cliff:
        case Scene::Escape:
            return Mood::Dusk;
        case Scene::Rain:
        case Scene::Flood:
        case Scene::BlessedRain:
        case Scene::Epidemic:
        case Scene::Stranded:
            return Mood::Overcast;
        case Scene::Typhoon:
            return Mood::Storm;
        case Scene::Drought:
        case Scene::Fire:
        case Scene::Earthquake:
            return Mood::Scorch;
        case Scene::Meal:
        case Scene::Fish:
        case Scene::Meat:
        case Scene::Craft:
        case Scene::Carving:
        case Scene::Material:
        case Scene::Bath:
            return Mood::Indoor;
        default:
            return Mood::Day;
    }
}

Canvas paintSceneArt(const PictureAsset& a, int scale) {
    Canvas big(a.width * scale, a.height * scale);
    Painter p(big, static_cast<float>(big.width()) / W);
    Place pl(p, moodOf(a.scene), hashText(a.name));
    paintPlace(pl, a.scene);
    pl.finish();
    return big;
}

}  // namespace kotou::assets
