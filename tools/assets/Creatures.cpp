// The monsters, each standing in its area (the places' painter draws the
// ground) in a 320 x 240 unit frame, lit from the upper left like everything
// else, with an ink line, three tones, a rim of light and eyes that catch
// the light. The entry's `variant` picks one creature among those sharing a
// body plan; the ghosts of the colosseum are drawn pale and see-through.

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string_view>

#include "tools/assets/Art.h"
#include "tools/assets/Places.h"

namespace kotou::assets {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
const Rgb kWhite{255, 255, 255};
const Rgb kDark{30, 20, 28};

struct Beast {
    Painter& p;
    Rgb body;
    Tones t, dark, pale;
    Beast(Painter& painter, Rgb c)
        : p(painter),
          body(c),
          t(tonesOf(c)),
          dark(tonesOf(shade(c, 0.6f))),
          pale(tonesOf(mix(c, kWhite, 0.5f))) {}

    Mask part(const Path& path, float depth = 6) { return p.part(path, t, depth); }
    Mask darkPart(const Path& path, float depth = 4) { return p.part(path, dark, depth); }
    Mask palePart(const Path& path, float depth = 4) { return p.part(path, pale, depth); }

    // An eye that catches the light: white, a coloured iris, a pupil (a slit
    // for reptiles), two highlights; `angry` draws a heavy brow line.
    void eye(float x, float y, float r, Rgb iris, bool slit = false, bool angry = true,
             float brow = 1) {
        p.fill(Path::circle(x, y, r * 1.15f), kDark);
        p.fill(Path::circle(x, y, r), {250, 245, 230});
        p.fill(Path::circle(x, y + r * 0.1f, r * 0.72f),
               Paint::linear({x, y - r}, shade(iris, 0.5f), {x, y + r}, mix(iris, kWhite, 0.3f)));
        if (slit)
            p.fill(Path::ellipse(x, y + r * 0.1f, r * 0.16f, r * 0.6f), kDark);
        else
            p.fill(Path::circle(x, y + r * 0.1f, r * 0.34f), kDark);
        p.fill(Path::circle(x - r * 0.3f, y - r * 0.3f, r * 0.25f), kWhite);
        p.fill(Path::circle(x + r * 0.25f, y + r * 0.3f, r * 0.1f), kWhite, 0.8f);
        if (angry)
            p.fill(Path::ribbon(
                       {{x - r * 1.3f * brow, y - r * 1.3f}, {x + r * 1.2f * brow, y - r * 0.5f}},
                       {r * 0.45f, r * 0.25f}),
                   kDark);
    }
    // A glowing eye for spirits and machines.
    void glowEye(float x, float y, float r, Rgb c) {
        p.glow(x, y, r * 4, c, 0.6f);
        p.fill(Path::ellipse(x, y, r, r * 0.8f), mix(c, kWhite, 0.5f));
        p.fill(Path::circle(x - r * 0.3f, y - r * 0.25f, r * 0.3f), kWhite);
    }
    void teeth(float x0, float x1, float y, float h, int n, bool down = true) {
        const float w = (x1 - x0) / n;
        for (int i = 0; i < n; ++i)
            p.fill(Path::polygon({{x0 + i * w, y},
                                  {x0 + (i + 1) * w, y},
                                  {x0 + (i + 0.5f) * w, y + (down ? h : -h)}}),
                   {250, 248, 235});
    }
};

// --- Body plans ----------------------------------------------------------------------

void dragon(Beast& b) {
    Painter& p = b.p;
    // Wings behind, spread wide.
    for (int side = -1; side <= 1; side += 2) {
        const float x = 170;
        const Path wing = Path::polygon({{x + side * 20, 120},
                                         {x + side * 60, 40},
                                         {x + side * 140, 30},
                                         {x + side * 120, 60},
                                         {x + side * 135, 80},
                                         {x + side * 105, 95},
                                         {x + side * 110, 120},
                                         {x + side * 70, 130}});
        const Mask m = b.darkPart(side < 0 ? wing : wing, 6);
        for (int k = 0; k < 3; ++k)
            p.fill(
                p.mask(Path::ribbon(
                    {{x + side * 60, 42}, {x + side * (100 + k * 10), 70.0f + k * 22}}, {2, 1})) &
                    m,
                shade(b.body, 0.4f));
        p.fill(m & p.mask(Path::polygon({{x + side * 60, 45},
                                         {x + side * 130, 35},
                                         {x + side * 110, 120},
                                         {x + side * 60, 125}})),
               mix(b.body, {255, 180, 120}, 0.3f), 0.35f);
    }
    // Tail curling round to the front.
    b.part(Path::ribbon({{190, 190}, {250, 210}, {290, 190}, {300, 160}}, {30, 22, 12, 2}), 6);
    // Body, belly plates, legs.
    b.part(
        Path::blob(
            {{130, 200}, {128, 150}, {150, 118}, {196, 118}, {214, 150}, {214, 200}, {172, 214}}),
        10);
    const Mask belly =
        b.palePart(Path::blob({{150, 206}, {152, 150}, {172, 132}, {190, 150}, {192, 206}}), 4);
    for (int i = 0; i < 5; ++i)
        p.fill(
            p.mask(Path::ribbon({{150, 150 + i * 12.0f}, {194, 150 + i * 12.0f}}, {1.2f, 1.2f})) &
                belly,
            shade(b.pale.base, 0.75f));
    for (int side = -1; side <= 1; side += 2) {
        b.part(Path::ribbon({{172 + side * 36.0f, 190}, {172 + side * 44.0f, 218}}, {22, 18}, true),
               4);
        for (int k = -1; k <= 1; ++k)
            p.fill(Path::polygon({{172 + side * 44.0f + k * 6 - 2, 224},
                                  {172 + side * 44.0f + k * 6 + 2, 224},
                                  {172 + side * 44.0f + k * 7, 231}}),
                   {240, 236, 220});
    }
    // Long neck and the horned head, jaw open with a glow of fire.
    b.part(Path::ribbon({{170, 130}, {160, 90}, {172, 62}}, {34, 26, 22}), 6);
    const float hx = 178, hy = 56;
    b.darkPart(Path::polygon({{hx - 16, hy - 8}, {hx - 30, hy - 38}, {hx - 8, hy - 16}}), 2);
    b.darkPart(Path::polygon({{hx + 10, hy - 10}, {hx + 20, hy - 42}, {hx + 18, hy - 10}}), 2);
    b.part(Path::blob({{hx - 22, hy},
                       {hx - 14, hy - 18},
                       {hx + 14, hy - 18},
                       {hx + 40, hy - 6},
                       {hx + 44, hy + 6},
                       {hx + 10, hy + 12},
                       {hx - 16, hy + 14}}),
           5);
    b.part(
        Path::blob({{hx - 8, hy + 12}, {hx + 38, hy + 10}, {hx + 36, hy + 22}, {hx - 4, hy + 24}}),
        3);
    p.fill(Path::blob({{hx + 2, hy + 9}, {hx + 40, hy + 6}, {hx + 36, hy + 12}, {hx + 4, hy + 14}}),
           {200, 60, 40});
    b.teeth(hx + 6, hx + 38, hy + 8, 4, 5);
    p.glow(hx + 50, hy + 10, 26, {255, 170, 60}, 0.7f);
    b.eye(hx + 6, hy - 6, 5, {255, 200, 40}, true);
    for (int i = 0; i < 5; ++i)
        b.darkPart(Path::polygon({{160 + i * 2.0f, 80 + i * 12.0f},
                                  {148 + i * 2.0f, 86 + i * 12.0f},
                                  {160 + i * 2.0f, 92 + i * 12.0f}}),
                   1);
}

void bird(Beast& b, bool condor) {
    Painter& p = b.p;
    for (int side = -1; side <= 1; side += 2) {
        std::vector<Point> wing{{170.0f + side * 14, 100}};
        for (int f = 0; f < 7; ++f) {
            const float a = -0.15f - f * 0.13f;
            const float len = 150 - f * 8;
            wing.push_back(
                {170 + side * (20 + len * std::cos(a)), 90 + len * std::sin(a) * 0.55f + f * 10});
            wing.push_back({170 + side * (20 + (len - 18) * std::cos(a - 0.05f)),
                            96 + (len - 18) * std::sin(a) * 0.55f + f * 10});
        }
        wing.push_back({170.0f + side * 20, 150});
        const Mask m = b.darkPart(Path::polygon(wing), 8);
        p.fill(m & p.mask(Path::ribbon({{170.0f + side * 20, 100}, {170.0f + side * 120, 60}},
                                       {26, 10})),
               b.t.base);
    }
    b.part(Path::blob({{150, 100},
                       {170, 86},
                       {192, 100},
                       {196, 150},
                       {184, 190},
                       {170, 200},
                       {156, 190},
                       {146, 150}}),
           8);
    b.darkPart(Path::polygon({{156, 186}, {184, 186}, {194, 220}, {170, 210}, {146, 220}}), 4);
    // Talons.
    for (int side = -1; side <= 1; side += 2) {
        p.fill(Path::ribbon({{170 + side * 10.0f, 196}, {170 + side * 14.0f, 216}}, {4, 3}),
               {230, 180, 60});
        for (int k = -1; k <= 1; ++k)
            p.fill(Path::ribbon({{170 + side * 14.0f, 216}, {170 + side * 14.0f + k * 6, 224}},
                                {2.5f, 0.6f}),
                   kDark);
    }
    if (condor)
        b.palePart(Path::blob({{150, 96}, {170, 88}, {192, 96}, {190, 110}, {150, 110}}), 2);
    const Rgb head = condor ? Rgb{200, 120, 110} : b.body;
    p.part(Path::circle(170, 76, 20), tonesOf(head), 5);
    // Hooked beak.
    p.part(Path::blob({{160, 82}, {182, 80}, {178, 104}, {172, 110}, {170, 100}}),
           tonesOf({240, 190, 60}), 3);
    b.eye(161, 72, 5, {255, 220, 60}, false);
    b.eye(180, 72, 5, {255, 220, 60}, false);
    if (!condor)
        for (int i = 0; i < 3; ++i)
            b.part(Path::ribbon({{170, 58}, {160 + i * 10.0f, 36.0f - (i == 1 ? 8 : 0)}}, {6, 1}),
                   2);
}

void spider(Beast& b, bool giant) {
    Painter& p = b.p;
    const float cx = 170, cy = giant ? 150 : 165, s = giant ? 1.0f : 0.75f;
    // Eight jointed legs.
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 4; ++i) {
            const float by = cy - 10 * s + i * 10 * s;
            const float kx = cx + side * (60 + i * 6) * s, ky = cy - (50 - i * 14) * s;
            const float fx = cx + side * (90 + i * 14) * s, fy = cy + (50 + i * 6) * s;
            b.darkPart(Path::ribbon({{cx + side * 18 * s, by}, {kx, ky}}, {8 * s, 6 * s}, true), 2);
            b.darkPart(Path::ribbon({{kx, ky}, {fx, fy}}, {6 * s, 2 * s}, true), 2);
        }
    // Abdomen with its mark, then the head.
    const Mask abd = b.part(Path::ellipse(cx, cy + 22 * s, 46 * s, 40 * s), 10);
    p.fill(p.mask(Path::polygon({{cx, cy + 2 * s},
                                 {cx + 12 * s, cy + 22 * s},
                                 {cx, cy + 44 * s},
                                 {cx - 12 * s, cy + 22 * s}})) &
               abd,
           giant ? Rgb{230, 60, 60} : Rgb{240, 220, 120});
    p.fill(p.mask(Path::ellipse(cx - 16 * s, cy + 8 * s, 12 * s, 6 * s)) & abd, kWhite, 0.35f);
    b.part(Path::ellipse(cx, cy - 18 * s, 26 * s, 20 * s), 6);
    b.eye(cx - 9 * s, cy - 20 * s, 6 * s, {230, 40, 40}, false, true);
    b.eye(cx + 9 * s, cy - 20 * s, 6 * s, {230, 40, 40}, false, true, -1);
    for (int side = -1; side <= 1; side += 2) {
        p.fill(Path::circle(cx + side * 20 * s, cy - 28 * s, 3 * s), kDark);
        p.fill(Path::circle(cx + side * 20 * s - 1, cy - 29 * s, 1 * s), kWhite);
        p.fill(Path::polygon({{cx + side * 4 * s, cy - 6 * s},
                              {cx + side * 10 * s, cy - 6 * s},
                              {cx + side * 6 * s, cy + 6 * s}}),
               {240, 230, 210});
    }
    if (giant)
        for (int i = 0; i < 5; ++i)
            p.fill(Path::ribbon({{20.0f + i * 20, 0}, {40.0f + i * 25, 60}}, {0.6f, 0.6f}), kWhite,
                   0.35f);
}

// People: the variant picks the outfit (see AssetList.cpp).
void person(Beast& b, int v, Rng& rng) {
    Painter& p = b.p;
    const float cx = 170;
    const Rgb skin =
        v == 4 ? Rgb{200, 210, 230} : (v == 0 ? Rgb{230, 200, 180} : Rgb{240, 205, 175});
    const Tones cloth = b.t, trim = b.dark;
    // Capes and coats behind.
    if (v == 6 || v == 7)
        b.p.part(Path::blob({{130, 90}, {210, 90}, {240, 230}, {100, 230}}),
                 tonesOf(v == 6 ? Rgb{200, 40, 50} : Rgb{60, 20, 40}), 8);
    // Legs.
    for (int side = -1; side <= 1; side += 2)
        p.part(Path::ribbon(
                   {{cx + side * 14.0f, 160}, {cx + side * 20.0f, 196}, {cx + side * 22.0f, 224}},
                   {22, 18, 16}, true),
               v == 1 ? tonesOf({245, 240, 230}) : trim, 4);
    for (int side = -1; side <= 1; side += 2)
        p.part(Path::ellipse(cx + side * 24.0f, 226, 12, 6), tonesOf({60, 40, 30}), 2);
    // Torso.
    const bool bulky = v == 0 || v == 5;
    p.part(Path::blob({{cx - (bulky ? 40 : 32), 100},
                       {cx, 92},
                       {cx + (bulky ? 40 : 32), 100},
                       {cx + (bulky ? 42 : 30), 150},
                       {cx + 26, 170},
                       {cx - 26, 170},
                       {cx - (bulky ? 42 : 30), 150}}),
           v == 1 ? tonesOf({245, 240, 230}) : cloth, 8);
    if (v == 1) p.part(Path::rect(cx - 28, 146, cx + 28, 154), tonesOf({30, 30, 30}), 2);
    if (v == 2 || v == 3) {
        p.fill(Path::rect(cx - 30, 140, cx + 30, 146), {60, 50, 40});
        for (int i = 0; i < 3; ++i) p.fill(Path::circle(cx, 110 + i * 12.0f, 2.5f), {230, 200, 90});
        if (v == 3)
            p.part(Path::polygon({{cx + 12, 106}, {cx + 22, 106}, {cx + 17, 118}}),
                   tonesOf({230, 190, 60}), 1);
    }
    if (v == 4)
        for (int i = 0; i < 3; ++i)
            p.fill(Path::ribbon({{cx - 30, 112 + i * 16.0f}, {cx + 30, 112 + i * 16.0f}},
                                {1.2f, 1.2f}),
                   shade(b.body, 0.6f));
    if (v == 6)
        p.part(Path::polygon({{cx - 16, 104}, {cx, 130}, {cx + 16, 104}, {cx, 116}}),
               tonesOf({250, 220, 80}), 2);
    if (v == 8) p.part(Path::rect(cx - 4, 100, cx + 4, 170), tonesOf({220, 190, 90}), 1);
    // Arms and what the hands hold.
    const float armUp = v == 1 ? -1.0f : 0.0f;
    for (int side = -1; side <= 1; side += 2) {
        const Point sh{cx + side * (bulky ? 40.0f : 32.0f), 106};
        const Point hand = v == 1 ? Point{cx + side * 26.0f, 96} : Point{cx + side * 50.0f, 160};
        const Point elbow{cx + side * 52.0f, 130 + armUp * 6};
        p.part(Path::ribbon({sh, elbow, hand}, {18, 16, 14}, true),
               v == 1 ? tonesOf({245, 240, 230}) : cloth, 4);
        p.part(Path::circle(hand.x, hand.y, 8), tonesOf(skin), 2);
    }
    switch (v) {
        case 0:  // a spear of bone
            p.part(Path::ribbon({{cx + 50, 230}, {cx + 56, 40}}, {4, 4}), tonesOf({200, 190, 170}),
                   1);
            p.part(Path::polygon({{cx + 50, 44}, {cx + 56, 16}, {cx + 62, 44}}),
                   tonesOf({230, 240, 250}), 2);
            break;
        case 2:
        case 3:  // wooden swords
            p.part(Path::ribbon({{cx + 50, 160}, {cx + 80, 80}}, {6, 5}), tonesOf({190, 150, 100}),
                   1);
            break;
        case 4:
        case 7:  // a sword
            p.part(Path::ribbon({{cx + 50, 160}, {cx + 70, 50}}, {7, 3}), tonesOf({220, 225, 235}),
                   1);
            p.part(Path::ribbon({{cx + 42, 152}, {cx + 60, 158}}, {5, 5}), tonesOf({200, 160, 60}),
                   1);
            break;
        case 8:  // an open book, a glow
            p.part(Path::polygon({{cx - 70, 150},
                                  {cx - 50, 140},
                                  {cx - 30, 150},
                                  {cx - 30, 166},
                                  {cx - 50, 158},
                                  {cx - 70, 166}}),
                   tonesOf({240, 230, 200}), 2);
            p.glow(cx - 50, 146, 30, {150, 255, 180}, 0.6f);
            break;
        case 5:  // a big round belly of miso pickle, a ladle
            p.part(Path::ellipse(cx, 140, 30, 26), tonesOf(mix(b.body, {200, 150, 80}, 0.4f)), 6);
            p.part(Path::ribbon({{cx + 50, 160}, {cx + 76, 100}}, {4, 4}), tonesOf({180, 140, 90}),
                   1);
            p.part(Path::ellipse(cx + 78, 96, 10, 6), tonesOf({180, 140, 90}), 2);
            break;
        default:
            break;
    }
    // Head.
    const float hy = 70;
    if (v == 0) p.part(Path::circle(cx, hy, 32), tonesOf({240, 240, 245}), 6);  // fur hood
    p.part(Path::blob({{cx - 20, hy - 6},
                       {cx - 16, hy - 24},
                       {cx, hy - 28},
                       {cx + 16, hy - 24},
                       {cx + 20, hy - 6},
                       {cx + 14, hy + 16},
                       {cx, hy + 24},
                       {cx - 14, hy + 16}}),
           tonesOf(skin), 4);
    b.eye(cx - 8, hy, 4.5f, v == 4 ? Rgb{120, 200, 255} : Rgb{120, 70, 40}, false, true);
    b.eye(cx + 8, hy, 4.5f, v == 4 ? Rgb{120, 200, 255} : Rgb{120, 70, 40}, false, true, -1);
    p.fill(Path::ribbon({{cx - 6, hy + 14}, {cx + 6, hy + 13}}, {2, 2}), {120, 50, 50});
    switch (v) {
        case 1:  // headband and spiky hair
            p.part(Path::polygon({{cx - 22, hy - 10},
                                  {cx - 26, hy - 34},
                                  {cx - 10, hy - 26},
                                  {cx, hy - 40},
                                  {cx + 10, hy - 26},
                                  {cx + 26, hy - 34},
                                  {cx + 22, hy - 10}}),
                   tonesOf({40, 30, 30}), 3);
            p.part(Path::ribbon({{cx - 21, hy - 10}, {cx + 21, hy - 10}}, {6, 6}),
                   tonesOf({220, 40, 40}), 1);
            p.part(
                Path::ribbon({{cx + 20, hy - 10}, {cx + 40, hy - 2}, {cx + 50, hy + 8}}, {5, 4, 1}),
                tonesOf({220, 40, 40}), 1);
            break;
        case 2:
        case 3:  // cap
            p.part(Path::blob({{cx - 22, hy - 10},
                               {cx - 18, hy - 30},
                               {cx + 18, hy - 30},
                               {cx + 22, hy - 10}}),
                   cloth, 3);
            p.part(Path::ribbon({{cx - 24, hy - 10}, {cx + 30, hy - 12}}, {5, 4}), trim, 1);
            break;
        case 4:  // a helm
            p.part(Path::blob({{cx - 24, hy - 2},
                               {cx - 20, hy - 30},
                               {cx, hy - 38},
                               {cx + 20, hy - 30},
                               {cx + 24, hy - 2},
                               {cx + 12, hy - 8},
                               {cx - 12, hy - 8}}),
                   tonesOf({210, 215, 225}), 4);
            p.part(Path::ribbon({{cx, hy - 38}, {cx - 10, hy - 58}, {cx - 30, hy - 60}}, {6, 5, 1}),
                   tonesOf({200, 60, 80}), 2);
            break;
        case 5:  // shaven head, topknot
            p.part(Path::circle(cx, hy - 28, 6), tonesOf({40, 30, 30}), 2);
            break;
        case 6:  // V crest
            p.part(Path::polygon(
                       {{cx - 26, hy - 44}, {cx, hy - 16}, {cx + 26, hy - 44}, {cx, hy - 24}}),
                   tonesOf({250, 210, 60}), 3);
            p.part(Path::blob({{cx - 20, hy - 10},
                               {cx - 16, hy - 26},
                               {cx + 16, hy - 26},
                               {cx + 20, hy - 10}}),
                   tonesOf({250, 210, 60}), 3);
            break;
        case 7:  // crown and dark hair
            p.part(Path::blob({{cx - 22, hy},
                               {cx - 20, hy - 24},
                               {cx, hy - 30},
                               {cx + 20, hy - 24},
                               {cx + 22, hy},
                               {cx + 12, hy - 14},
                               {cx - 12, hy - 14}}),
                   tonesOf({40, 30, 40}), 3);
            p.part(Path::polygon({{cx - 18, hy - 22},
                                  {cx - 20, hy - 44},
                                  {cx - 8, hy - 32},
                                  {cx, hy - 48},
                                  {cx + 8, hy - 32},
                                  {cx + 20, hy - 44},
                                  {cx + 18, hy - 22}}),
                   tonesOf({230, 180, 60}), 3);
            break;
        case 8:  // scholar's cap and beard
            p.part(Path::blob({{cx - 16, hy + 10},
                               {cx + 16, hy + 10},
                               {cx + 8, hy + 40},
                               {cx, hy + 46},
                               {cx - 8, hy + 40}}),
                   tonesOf({200, 200, 200}), 2);
            p.part(Path::polygon({{cx - 24, hy - 16}, {cx, hy - 40}, {cx + 24, hy - 16}}), cloth,
                   3);
            break;
        default:
            break;
    }
    if (v == 0)
        for (int i = 0; i < 40; ++i)
            p.fill(Path::circle(rng.range(0, 320), rng.range(0, 240), rng.range(0.6f, 1.6f)),
                   kWhite, 0.8f);
}

void shark(Beast& b) {
    Painter& p = b.p;
    const Tones belly = tonesOf({235, 235, 235});
    b.darkPart(Path::polygon({{70, 120}, {20, 70}, {34, 120}, {16, 170}}), 4);
    b.darkPart(Path::polygon({{150, 92}, {172, 40}, {196, 96}}), 4);
    b.darkPart(Path::polygon({{170, 150}, {150, 196}, {200, 160}}), 4);
    const Mask m = b.part(Path::blob({{60, 122},
                                      {120, 92},
                                      {210, 86},
                                      {280, 104},
                                      {304, 124},
                                      {270, 150},
                                      {200, 162},
                                      {110, 152}}),
                          10);
    p.fill(m & p.mask(Path::blob(
                   {{100, 140}, {200, 130}, {290, 126}, {270, 156}, {200, 170}, {100, 160}})),
           belly.base);
    for (int i = 0; i < 4; ++i)
        p.fill(p.mask(Path::ribbon({{232 + i * 6.0f, 104}, {228 + i * 6.0f, 124}}, {1.4f, 1})) & m,
               shade(b.body, 0.5f));
    // Open jaw with rows of teeth.
    p.fill(Path::blob({{250, 130}, {300, 122}, {296, 146}, {262, 150}}), {120, 30, 40});
    b.teeth(254, 298, 126, 6, 7);
    b.teeth(258, 296, 148, 6, 6, false);
    b.eye(266, 110, 5, {40, 40, 40}, false, true);
    for (int i = 0; i < 12; ++i)
        p.fill(Path::circle(300 - i * 10.0f, 60 - i * 3.0f, 1.5f + (i % 3)), kWhite, 0.5f);
}

void jelly(Beast& b, bool ghost, Rng& rng) {
    Painter& p = b.p;
    for (int i = 0; i < 9; ++i) {
        const float x = 130 + i * 10.0f;
        p.fill(
            Path::ribbon({{x, 120}, {x + rng.range(-14, 14), 170}, {x + rng.range(-20, 20), 225}},
                         {4, 2.5f, 0.5f}),
            mix(b.body, kWhite, 0.3f), 0.7f);
    }
    for (int i = 0; i < 4; ++i)
        p.fill(Path::ribbon({{150 + i * 14.0f, 118},
                             {150 + i * 14.0f + (i % 2 ? 8 : -8), 160},
                             {152 + i * 14.0f, 200}},
                            {8, 6, 2}),
               b.dark.base, 0.7f);
    const Path bell = Path::blob({{110, 124},
                                  {116, 84},
                                  {140, 60},
                                  {170, 54},
                                  {200, 60},
                                  {224, 84},
                                  {230, 124},
                                  {200, 118},
                                  {170, 126},
                                  {140, 118}});
    const Mask m = p.mask(bell);
    p.outline(m, 1.2f);
    p.fill(m, Paint::radial({160, 80}, 80, mix(b.body, kWhite, 0.5f), b.body), 0.8f);
    p.fill(m - m.shifted(p.px(4), p.px(4)), kWhite, 0.6f);
    p.fill(p.mask(Path::ellipse(170, 96, 30, 18)) & m, shade(b.body, 0.7f), 0.5f);
    p.glow(170, 90, 80, b.body, 0.4f);
    b.eye(156, 96, 6, {60, 40, 120}, false, false);
    b.eye(184, 96, 6, {60, 40, 120}, false, false);
    p.fill(Path::ribbon({{164, 110}, {170, 114}, {176, 110}}, {1.5f, 2, 1.5f}), kDark);
    if (ghost) p.fill(Path::ellipse(170, 40, 20, 5), {255, 240, 150}, 0.8f);
}

void crab(Beast& b) {
    Painter& p = b.p;
    for (int side = -1; side <= 1; side += 2) {
        for (int i = 0; i < 3; ++i)
            b.darkPart(Path::ribbon({{170 + side * 40.0f, 160 + i * 8.0f},
                                     {170 + side * (80 + i * 10.0f), 150 + i * 12.0f},
                                     {170 + side * (96 + i * 12.0f), 200 + i * 8.0f}},
                                    {9, 7, 2}),
                       2);
        // Raised claws.
        b.part(Path::ribbon({{170 + side * 44.0f, 140}, {170 + side * 84.0f, 110}}, {14, 12}), 4);
        b.part(Path::blob({{170 + side * 80.0f, 112},
                           {170 + side * 70.0f, 80},
                           {170 + side * 96.0f, 50},
                           {170 + side * 122.0f, 70},
                           {170 + side * 112.0f, 104}}),
               8);
        b.palePart(
            Path::polygon(
                {{170 + side * 100.0f, 60}, {170 + side * 136.0f, 40}, {170 + side * 116.0f, 78}}),
            3);
        b.p.fill(Path::ribbon({{170 + side * 96.0f, 60}, {170 + side * 110.0f, 76}}, {3, 1}),
                 kDark);
    }
    b.part(
        Path::blob(
            {{110, 160}, {124, 128}, {170, 118}, {216, 128}, {230, 160}, {200, 184}, {140, 184}}),
        10);
    for (int i = 0; i < 5; ++i)
        p.fill(Path::circle(140 + i * 15.0f, 150 - (i % 2) * 6.0f, 3), mix(b.body, kWhite, 0.4f));
    for (int side = -1; side <= 1; side += 2) {
        p.fill(Path::ribbon({{170 + side * 12.0f, 126}, {170 + side * 16.0f, 100}}, {4, 4}),
               b.dark.base);
        b.eye(170 + side * 16.0f, 98, 7, {40, 40, 40}, false, true, static_cast<float>(-side));
    }
    p.fill(Path::blob({{160, 160}, {170, 154}, {180, 160}, {170, 168}}), kDark);
    for (int i = 0; i < 6; ++i)
        p.fill(Path::circle(186 + i * 8.0f, 160 - i * 10.0f, 3 - i * 0.3f), kWhite, 0.7f);
}

void ghost(Beast& b, bool lupi, Rng& rng) {
    Painter& p = b.p;
    const Path sheet = Path::blob({{120, 200},
                                   {124, 120},
                                   {140, 70},
                                   {170, 52},
                                   {200, 70},
                                   {216, 120},
                                   {226, 190},
                                   {240, 214},
                                   {214, 210},
                                   {200, 226},
                                   {184, 206},
                                   {166, 222},
                                   {150, 204},
                                   {132, 218}});
    const Mask m = p.mask(sheet);
    p.outline(m, 1.2f);
    p.fill(m, Paint::linear({170, 60}, mix(b.body, kWhite, 0.4f), {170, 220}, b.body, 1.0f, 0.55f));
    p.fill(m - m.shifted(-p.px(8), -p.px(8)), shade(b.body, 0.8f), 0.5f);
    p.fill(m - m.shifted(p.px(3), p.px(3)), kWhite, 0.7f);
    // Little arms.
    for (int side = -1; side <= 1; side += 2)
        p.fill(Path::ribbon(
                   {{170 + side * 40.0f, 120}, {170 + side * 62.0f, 110}, {170 + side * 70.0f, 96}},
                   {14, 10, 6}, true),
               mix(b.body, kWhite, 0.2f), 0.85f);
    // Hollow eyes with a spark, an open mouth, a tongue.
    for (int side = -1; side <= 1; side += 2) {
        p.fill(Path::ellipse(170 + side * 16.0f, 100, 8, 12), kDark);
        p.fill(Path::circle(170 + side * 16.0f - 2, 95, 2.5f), kWhite);
    }
    p.fill(Path::ellipse(170, 132, 12, 14), kDark);
    p.fill(Path::ellipse(172, 142, 7, 6), {240, 110, 140});
    if (lupi) {
        p.part(Path::blob({{196, 62}, {220, 44}, {226, 72}}), tonesOf({240, 90, 140}), 2);
        p.part(Path::blob({{196, 62}, {184, 38}, {210, 42}}), tonesOf({240, 90, 140}), 2);
        for (int i = 0; i < 4; ++i)
            heart(p, rng.range(60, 280), rng.range(40, 200), 6, {255, 150, 190}, 0.7f);
    }
    // Will-o'-the-wisps.
    for (int i = 0; i < 3; ++i) {
        const float x = rng.range(60, 280), y = rng.range(40, 200);
        p.glow(x, y, 16, {150, 220, 255}, 0.7f);
        p.fill(Path::blob({{x - 4, y + 4}, {x, y - 8}, {x + 4, y + 4}}), {220, 245, 255});
    }
}

void bat(Beast& b) {
    Painter& p = b.p;
    for (int side = -1; side <= 1; side += 2) {
        const float x = 170;
        const Path wing = Path::polygon({{x + side * 14, 110},
                                         {x + side * 50, 70},
                                         {x + side * 100, 56},
                                         {x + side * 140, 80},
                                         {x + side * 120, 96},
                                         {x + side * 122, 120},
                                         {x + side * 96, 116},
                                         {x + side * 84, 140},
                                         {x + side * 60, 128},
                                         {x + side * 30, 150}});
        const Mask m = b.darkPart(wing, 6);
        for (int k = 0; k < 3; ++k)
            p.fill(
                p.mask(Path::ribbon(
                    {{x + side * 50, 70}, {x + side * (120 - k * 26), 90.0f + k * 14}}, {2, 1})) &
                    m,
                shade(b.body, 0.35f));
        p.fill(m & p.mask(Path::polygon(
                       {{x + side * 50, 74}, {x + side * 130, 84}, {x + side * 40, 140}})),
               {200, 90, 110}, 0.25f);
    }
    b.part(Path::ellipse(170, 124, 26, 30), 8);
    for (int side = -1; side <= 1; side += 2)
        b.part(Path::polygon(
                   {{170 + side * 8.0f, 100}, {170 + side * 22.0f, 62}, {170 + side * 26.0f, 100}}),
               3);
    b.eye(161, 112, 6, {255, 60, 60}, false, true);
    b.eye(179, 112, 6, {255, 60, 60}, false, true, -1);
    p.fill(Path::blob({{158, 130}, {182, 130}, {176, 140}, {164, 140}}), kDark);
    p.fill(Path::polygon({{162, 131}, {166, 131}, {164, 140}}), kWhite);
    p.fill(Path::polygon({{174, 131}, {178, 131}, {176, 140}}), kWhite);
}

void cloudBeast(Beast& b, int v, Rng& rng) {
    Painter& p = b.p;
    Mask m;
    for (int i = 0; i < 12; ++i) {
        const float a = i * 2 * kPi / 12;
        m = m | p.mask(Path::circle(170 + std::cos(a) * rng.range(50, 80),
                                    120 + std::sin(a) * rng.range(30, 55), rng.range(26, 40)));
    }
    m = m | p.mask(Path::circle(170, 120, 60));
    p.glow(170, 120, 120, v == 0 ? Rgb{255, 40, 40} : b.body, 0.4f);
    p.outline(m, v == 0 ? 0.6f : 1.2f);
    p.fill(m, Paint::radial({150, 100}, 120, mix(b.body, kWhite, 0.25f), shade(b.body, 0.55f)),
           v == 0 ? 0.9f : 1.0f);
    p.fill(m - m.shifted(-p.px(10), -p.px(10)), shade(b.body, 0.5f), 0.6f);
    p.fill(m - m.shifted(p.px(3), p.px(3)), b.t.light, 0.7f);
    if (v == 0) {
        b.glowEye(148, 116, 9, {255, 230, 60});
        b.glowEye(192, 116, 9, {255, 230, 60});
        p.fill(Path::blob({{140, 140}, {200, 140}, {186, 160}, {154, 160}}), kDark);
        b.teeth(144, 196, 141, 8, 8);
    } else if (v == 1) {
        b.eye(150, 114, 8, {120, 120, 60}, false, true);
        b.eye(190, 114, 8, {120, 120, 60}, false, true, -1);
        p.fill(Path::ribbon({{150, 146}, {170, 140}, {190, 146}}, {3, 3, 3}), kDark);
        for (int i = 0; i < 3; ++i)
            p.fill(Path::ribbon(
                       {{240.0f + i * 10, 200}, {250.0f + i * 6, 150}, {244.0f + i * 10, 110}},
                       {6, 4, 2}),
                   b.body, 0.5f);
    } else {
        // Crying: closed eyes, tears.
        for (int side = -1; side <= 1; side += 2) {
            p.fill(Path::ribbon({{170 + side * 28.0f, 112},
                                 {170 + side * 20.0f, 118},
                                 {170 + side * 12.0f, 112}},
                                {3, 3, 3}),
                   kDark);
            for (int k = 0; k < 3; ++k) {
                const float y = 130 + k * 26.0f, x = 170 + side * (22.0f + k * 4);
                p.part(Path::blob({{x, y - 8}, {x + 5, y + 2}, {x, y + 7}, {x - 5, y + 2}}),
                       tonesOf({140, 200, 255}), 1);
            }
        }
        p.fill(Path::ellipse(170, 140, 8, 5), kDark);
    }
}

void wind(Beast& b, bool sand, Rng& rng) {
    Painter& p = b.p;
    for (int ring = 0; ring < 5; ++ring) {
        std::vector<Point> spiral;
        for (int i = 0; i <= 30; ++i) {
            const float a = i * 0.3f + ring * 1.3f, r = 12 + i * 3.2f + ring * 4;
            spiral.push_back(
                {170 + std::cos(a) * r * 1.3f, 120 + std::sin(a) * r * 0.7f - i * 1.2f});
        }
        std::vector<float> w(spiral.size());
        for (size_t i = 0; i < w.size(); ++i)
            w[i] = 7.0f * std::sin(kPi * i / (w.size() - 1)) + 0.5f;
        const Mask m = p.mask(Path::ribbon(spiral, w));
        p.fill(m, mix(b.body, kWhite, 0.1f + ring * 0.12f), 0.8f);
        p.fill(m - m.shifted(0, p.px(2)), kWhite, 0.5f);
    }
    if (sand)
        for (int i = 0; i < 120; ++i)
            p.fill(Path::circle(rng.range(60, 280), rng.range(40, 220), rng.range(0.5f, 1.5f)),
                   {230, 200, 130}, 0.8f);
    else
        for (int i = 0; i < 12; ++i) {
            const float x = rng.range(40, 300), y = rng.range(30, 220);
            p.fill(Path::ellipse(x, y, 5, 2).transformed(x, y, 1, rng.range(0, 3)), {90, 170, 80});
        }
    b.eye(152, 112, 8, sand ? Rgb{180, 60, 30} : Rgb{40, 140, 120}, false, true);
    b.eye(190, 112, 8, sand ? Rgb{180, 60, 30} : Rgb{40, 140, 120}, false, true, -1);
    p.fill(Path::ribbon({{156, 138}, {172, 146}, {190, 136}}, {3, 4, 3}), kDark);
}

void machine(Beast& b, bool robot, bool awake, Rng& rng) {
    Painter& p = b.p;
    const Tones metal = b.t, darkMetal = b.dark;
    if (awake) {
        p.glow(170, 120, 140, {255, 60, 30}, 0.55f);
        for (int i = 0; i < 10; ++i) {
            const float x = rng.range(100, 240);
            p.fill(Path::blob({{x - 8, 230}, {x, rng.range(60, 160)}, {x + 8, 230}}),
                   {255, 120, 40}, 0.4f);
        }
    }
    if (robot) {
        for (int side = -1; side <= 1; side += 2) {
            p.part(Path::rect(170 + side * 14.0f - 10, 170, 170 + side * 14.0f + 10, 222),
                   darkMetal, 3);
            p.part(Path::rect(170 + side * 14.0f - 14, 218, 170 + side * 14.0f + 14, 230), metal,
                   2);
            p.part(Path::ribbon({{170 + side * 44.0f, 106},
                                 {170 + side * 62.0f, 140},
                                 {170 + side * 60.0f, 176}},
                                {16, 14, 12}, true),
                   darkMetal, 3);
            p.part(Path::circle(170 + side * 60.0f, 182, 10), metal, 3);
        }
        p.part(Path::rect(126, 96, 214, 176), metal, 8);
        p.fill(Path::rect(140, 110, 200, 140), {40, 44, 60});
        for (int i = 0; i < 4; ++i)
            p.fill(Path::rect(146 + i * 14.0f, 116, 154 + i * 14.0f, 134),
                   i % 2 ? Rgb{90, 230, 120} : Rgb{250, 200, 60});
        p.part(Path::rect(140, 44, 200, 92), metal, 6);
        p.fill(Path::rect(146, 58, 194, 76), {30, 30, 40});
        b.glowEye(158, 67, 6, awake ? Rgb{255, 60, 40} : Rgb{90, 220, 255});
        b.glowEye(182, 67, 6, awake ? Rgb{255, 60, 40} : Rgb{90, 220, 255});
        p.fill(Path::ribbon({{170, 44}, {170, 24}}, {2, 2}), darkMetal.base);
        b.glowEye(170, 22, 4, {255, 90, 60});
        if (awake)
            for (int side = -1; side <= 1; side += 2)
                p.part(Path::polygon({{170 + side * 30.0f, 46},
                                      {170 + side * 44.0f, 20},
                                      {170 + side * 24.0f, 46}}),
                       tonesOf({220, 60, 50}), 2);
    } else {
        // A walker on three jointed legs with a single lens.
        for (int i = 0; i < 3; ++i) {
            const float fx = 110 + i * 60.0f;
            p.part(
                Path::ribbon({{150 + i * 20.0f, 140}, {fx - 10, 170}, {fx, 226}}, {10, 8, 6}, true),
                darkMetal, 2);
        }
        p.part(Path::blob({{110, 130}, {120, 90}, {170, 76}, {220, 90}, {232, 130}, {170, 150}}),
               metal, 8);
        p.fill(Path::ribbon({{120, 118}, {220, 118}}, {2, 2}), shade(b.body, 0.6f));
        for (int i = 0; i < 5; ++i) p.fill(Path::circle(130 + i * 20.0f, 128, 2), {60, 60, 70});
        p.part(Path::circle(170, 104, 18), darkMetal, 3);
        b.glowEye(170, 104, 11, {255, 80, 60});
        p.part(Path::ribbon({{222, 96}, {262, 70}, {280, 80}}, {6, 5, 4}), darkMetal, 2);
        p.fill(Path::blob({{276, 74}, {292, 70}, {290, 88}}), {200, 200, 210});
        p.fill(Path::ribbon({{150, 78}, {140, 50}}, {2, 2}), darkMetal.base);
        b.glowEye(140, 48, 3, {90, 255, 120});
    }
}

void quadruped(Beast& b, bool wolf, bool fierce) {
    Painter& p = b.p;
    if (wolf) {
        b.darkPart(Path::ribbon({{100, 140}, {70, 120}, {50, 90}}, {20, 16, 4}), 4);
        for (int side = -1; side <= 1; side += 2)
            b.darkPart(Path::ribbon({{150 + side * 40.0f, 160}, {150 + side * 44.0f, 226}},
                                    {14, 10}, true),
                       3);
        b.part(Path::blob({{90, 150},
                           {110, 116},
                           {170, 108},
                           {220, 110},
                           {236, 140},
                           {210, 170},
                           {120, 172}}),
               10);
        for (int side = -1; side <= 1; side += 2)
            b.part(Path::ribbon({{150 + side * 30.0f, 160}, {150 + side * 34.0f, 228}}, {16, 12},
                                true),
                   4);
        // Head raised, jaws open.
        b.part(Path::blob({{200, 110},
                           {214, 70},
                           {240, 60},
                           {266, 74},
                           {290, 84},
                           {286, 100},
                           {258, 112},
                           {230, 126}}),
               6);
        b.part(Path::polygon({{218, 70}, {222, 36}, {236, 62}}), 2);
        b.part(Path::polygon({{238, 62}, {248, 30}, {254, 66}}), 2);
        p.fill(Path::blob({{256, 96}, {290, 88}, {286, 100}, {258, 108}}), {130, 30, 40});
        b.teeth(258, 288, 90, 5, 5);
        p.fill(Path::circle(290, 84, 3), kDark);
        b.eye(244, 78, 5, fierce ? Rgb{255, 200, 40} : Rgb{180, 120, 255}, true, true, -1);
        for (int i = 0; i < 6; ++i)
            b.palePart(
                Path::polygon(
                    {{150 + i * 10.0f, 112}, {156 + i * 10.0f, 100}, {160 + i * 10.0f, 114}}),
                1);
    } else {
        // A rabbit mid-leap, ears back, teeth bared.
        b.part(Path::circle(110, 170, 10), 2);
        b.part(Path::ribbon({{130, 180}, {100, 210}, {80, 214}}, {26, 16, 12}, true), 4);
        b.part(Path::blob({{110, 160}, {130, 120}, {180, 108}, {214, 130}, {210, 170}, {160, 190}}),
               10);
        b.part(Path::ribbon({{200, 160}, {226, 196}}, {12, 8}, true), 3);
        for (int side = 0; side < 2; ++side)
            b.part(
                Path::ribbon(
                    {{200.0f + side * 14, 100}, {190.0f + side * 20, 50}, {170.0f + side * 24, 20}},
                    {14, 16, 4}),
                4);
        b.palePart(Path::ribbon({{204, 92}, {196, 56}, {182, 34}}, {6, 8, 2}), 1);
        b.part(Path::circle(220, 112, 30), 6);
        b.eye(226, 104, 7, fierce ? Rgb{230, 40, 40} : Rgb{120, 200, 120}, false, fierce, -1);
        p.fill(Path::blob({{238, 124}, {250, 124}, {244, 134}}), {230, 120, 140});
        p.fill(Path::rect(240, 130, 248, 140), kWhite);
        p.fill(Path::ribbon({{240, 135}, {248, 135}}, {0.8f, 0.8f}), kDark);
        for (int i = 0; i < 3; ++i)
            p.fill(Path::ribbon({{252, 120 + i * 5.0f}, {276, 116 + i * 7.0f}}, {0.8f, 0.5f}),
                   kDark);
    }
}

void beetle(Beast& b, bool stag) {
    Painter& p = b.p;
    for (int side = -1; side <= 1; side += 2)
        for (int i = 0; i < 3; ++i)
            b.darkPart(Path::ribbon({{170 + side * 30.0f, 130 + i * 20.0f},
                                     {170 + side * 70.0f, 120 + i * 26.0f},
                                     {170 + side * 84.0f, 170 + i * 22.0f}},
                                    {7, 5, 2}),
                       2);
    if (stag)
        for (int side = -1; side <= 1; side += 2)
            b.darkPart(Path::ribbon({{170 + side * 12.0f, 80},
                                     {170 + side * 44.0f, 50},
                                     {170 + side * 30.0f, 16},
                                     {170 + side * 8.0f, 20}},
                                    {10, 9, 6, 2}),
                       3);
    const Mask shell = b.part(Path::blob({{126, 130},
                                          {140, 104},
                                          {170, 98},
                                          {200, 104},
                                          {214, 130},
                                          {208, 200},
                                          {170, 222},
                                          {132, 200}}),
                              10);
    p.fill(p.mask(Path::ribbon({{170, 100}, {170, 222}}, {2, 2})) & shell, kDark);
    p.fill(p.mask(Path::ellipse(150, 130, 10, 18)) & shell, kWhite, 0.35f);
    b.darkPart(Path::blob({{144, 100}, {150, 76}, {190, 76}, {196, 100}, {170, 108}}), 4);
    if (!stag) {
        // A mole-like snout that sweeps up everything, and a broom.
        b.palePart(Path::ellipse(170, 72, 16, 12), 3);
        p.fill(Path::ellipse(170, 66, 6, 4), {230, 110, 130});
        p.part(Path::ribbon({{230, 220}, {262, 90}}, {4, 4}), tonesOf({170, 130, 80}), 1);
        p.part(Path::polygon({{254, 210}, {276, 210}, {290, 240}, {240, 240}}),
               tonesOf({220, 190, 110}), 2);
    }
    b.eye(154, 88, 5, {255, 220, 60}, false, true);
    b.eye(186, 88, 5, {255, 220, 60}, false, true, -1);
}

void moth(Beast& b, Rng& rng) {
    Painter& p = b.p;
    for (int side = -1; side <= 1; side += 2) {
        const Mask up = b.part(Path::blob({{170 + side * 10.0f, 110},
                                           {170 + side * 60.0f, 50},
                                           {170 + side * 130.0f, 40},
                                           {170 + side * 136.0f, 90},
                                           {170 + side * 80.0f, 130}}),
                               8);
        const Mask low = b.darkPart(Path::blob({{170 + side * 10.0f, 130},
                                                {170 + side * 80.0f, 130},
                                                {170 + side * 100.0f, 180},
                                                {170 + side * 60.0f, 206},
                                                {170 + side * 20.0f, 170}}),
                                    6);
        // Eye spots that stare back.
        p.fill(p.mask(Path::circle(170 + side * 86.0f, 80, 20)) & up, {250, 230, 180});
        p.fill(p.mask(Path::circle(170 + side * 86.0f, 80, 13)) & up, {60, 30, 30});
        p.fill(p.mask(Path::circle(170 + side * 82.0f, 76, 4)) & up, kWhite);
        p.fill(p.mask(Path::ribbon({{170 + side * 20.0f, 110}, {170 + side * 120.0f, 60}},
                                   {1.5f, 1})) &
                   up,
               shade(b.body, 0.6f));
        (void)low;
        p.fill(Path::ribbon(
                   {{170 + side * 4.0f, 80}, {170 + side * 16.0f, 50}, {170 + side * 30.0f, 40}},
                   {2, 1.5f, 1}),
               kDark);
    }
    b.part(Path::ellipse(170, 130, 14, 48), 5);
    for (int i = 0; i < 4; ++i)
        p.fill(Path::ribbon({{158, 120 + i * 12.0f}, {182, 120 + i * 12.0f}}, {1.2f, 1.2f}),
               shade(b.body, 0.55f));
    b.part(Path::circle(170, 86, 14), 4);
    b.eye(163, 84, 5, {230, 60, 40}, false, false);
    b.eye(177, 84, 5, {230, 60, 40}, false, false);
    for (int i = 0; i < 30; ++i)
        p.fill(Path::circle(rng.range(40, 300), rng.range(30, 230), rng.range(0.5f, 1.4f)),
               {250, 240, 200}, 0.6f);
    p.glow(170, 40, 40, {255, 250, 200}, 0.4f);
}

void orb(Beast& b, bool sun) {
    Painter& p = b.p;
    if (sun) {
        p.glow(170, 120, 150, {255, 160, 40}, 0.7f);
        for (int i = 0; i < 14; ++i) {
            const float a = i * 2 * kPi / 14;
            p.fill(Path::blob({{170 + std::cos(a - 0.18f) * 56, 120 + std::sin(a - 0.18f) * 56},
                               {170 + std::cos(a) * 104, 120 + std::sin(a) * 96},
                               {170 + std::cos(a + 0.18f) * 56, 120 + std::sin(a + 0.18f) * 56}}),
                   i % 2 ? Rgb{255, 200, 60} : Rgb{255, 120, 30});
        }
    } else {
        p.glow(170, 120, 110, b.body, 0.5f);
    }
    const Mask m = b.part(Path::circle(170, 120, 58), 12);
    p.fill(p.mask(Path::ellipse(148, 96, 20, 12)) & m, kWhite, 0.5f);
    b.eye(150, 112, 9, sun ? Rgb{200, 60, 20} : Rgb{60, 80, 160}, false, sun);
    b.eye(190, 112, 9, sun ? Rgb{200, 60, 20} : Rgb{60, 80, 160}, false, sun, -1);
    if (sun) {
        p.fill(Path::blob({{150, 142}, {190, 142}, {170, 158}}), {140, 40, 20});
    } else {
        p.fill(Path::ribbon({{160, 148}, {170, 152}, {180, 146}}, {2.5f, 3, 2.5f}), kDark);
        // The question mark floating above.
        p.part(Path::ribbon({{230, 60}, {236, 36}, {258, 30}, {270, 46}, {256, 64}, {250, 80}},
                            {7, 7, 7, 7, 7, 7}),
               tonesOf({250, 240, 200}), 2);
        p.part(Path::circle(250, 96, 5), tonesOf({250, 240, 200}), 1);
    }
}

void winged(Beast& b, int v, bool demon, Rng& rng) {
    Painter& p = b.p;
    const float cx = 170;
    if (demon) {
        p.glow(cx, 120, 140, v == 3 ? Rgb{255, 100, 40} : b.body, 0.45f);
        for (int side = -1; side <= 1; side += 2)
            b.darkPart(Path::polygon({{cx + side * 20, 100},
                                      {cx + side * 80, 40},
                                      {cx + side * 150, 30},
                                      {cx + side * 126, 70},
                                      {cx + side * 140, 100},
                                      {cx + side * 100, 110},
                                      {cx + side * 104, 140},
                                      {cx + side * 40, 140}}),
                       6);
    } else {
        p.glow(cx, 110, 150, {255, 250, 210}, 0.6f);
        for (int side = -1; side <= 1; side += 2)
            for (int f = 0; f < 4; ++f)
                p.part(Path::blob({{cx + side * 20, 100},
                                   {cx + side * (70.0f + f * 14), 40.0f + f * 26},
                                   {cx + side * (130.0f - f * 8), 54.0f + f * 30},
                                   {cx + side * (60.0f + f * 6), 110.0f + f * 16}}),
                       tonesOf(mix({255, 255, 245}, b.body, 0.2f + f * 0.1f)), 4);
    }
    // A robed body.
    const Tones robe = v == 3 ? tonesOf({200, 90, 40}) : b.t;
    p.part(Path::polygon({{cx - 30, 98},
                          {cx, 92},
                          {cx + 30, 98},
                          {cx + 36, 150},
                          {cx + 52, 228},
                          {cx - 52, 228},
                          {cx - 36, 150}}),
           robe, 10);
    p.fill(Path::ribbon({{cx - 50, 222}, {cx, 216}, {cx + 50, 222}}, {4, 4, 4}),
           demon ? Rgb{230, 190, 80} : Rgb{255, 240, 180});
    p.part(Path::polygon({{cx - 10, 96}, {cx, 150}, {cx + 10, 96}}),
           tonesOf(demon ? Rgb{40, 20, 30} : Rgb{250, 240, 200}), 2);
    const Rgb skin = demon ? (v == 3 ? Rgb{220, 90, 60} : mix(b.body, {230, 200, 200}, 0.4f))
                           : Rgb{250, 225, 205};
    for (int side = -1; side <= 1; side += 2) {
        p.part(Path::ribbon(
                   {{cx + side * 34.0f, 106}, {cx + side * 56.0f, 140}, {cx + side * 40.0f, 160}},
                   {16, 14, 12}, true),
               robe, 4);
        p.part(Path::circle(cx + side * 38.0f, 162, 8), tonesOf(skin), 2);
    }
    // What each one wields.
    switch (v) {
        case 0:
            if (demon) {  // the end of days: a scythe
                p.part(Path::ribbon({{cx + 40, 226}, {cx + 70, 30}}, {4, 4}), tonesOf({90, 70, 60}),
                       1);
                p.part(Path::blob({{cx + 70, 30},
                                   {cx + 20, 24},
                                   {cx - 10, 40},
                                   {cx + 30, 34},
                                   {cx + 68, 42}}),
                       tonesOf({210, 215, 225}), 2);
            }
            break;
        case 1:
            if (demon)
                p.part(Path::ribbon({{cx + 40, 162}, {cx + 60, 60}}, {3, 2}),
                       tonesOf({220, 220, 230}), 1);  // a rapier
            break;
        case 2:  // twin blades
            for (int side = -1; side <= 1; side += 2)
                p.part(Path::ribbon({{cx + side * 38.0f, 162}, {cx + side * 90.0f, 100}}, {5, 1}),
                       tonesOf({230, 230, 240}), 1);
            break;
        case 3:  // an iron club
            p.part(Path::ribbon({{cx + 38, 162}, {cx + 80, 40}}, {8, 18}), tonesOf({80, 70, 80}),
                   3);
            for (int i = 0; i < 4; ++i)
                p.fill(Path::circle(cx + 62 + i * 5.0f, 90 - i * 12.0f, 2.5f), {220, 220, 220});
            break;
        default:
            break;
    }
    // Head.
    const float hy = 68;
    p.part(Path::blob({{cx - 20, hy - 6},
                       {cx - 16, hy - 24},
                       {cx, hy - 28},
                       {cx + 16, hy - 24},
                       {cx + 20, hy - 6},
                       {cx + 14, hy + 16},
                       {cx, hy + 24},
                       {cx - 14, hy + 16}}),
           tonesOf(skin), 4);
    if (demon) {
        for (int side = -1; side <= 1; side += 2)
            p.part(Path::ribbon({{cx + side * 12.0f, hy - 20},
                                 {cx + side * 26.0f, hy - 44},
                                 {cx + side * 18.0f, hy - 60}},
                                {8, 5, 1}),
                   tonesOf({230, 220, 200}), 2);
        if (v == 2)
            for (int i = 0; i < 9; ++i) {
                const float a = kPi * (1.05f + i * 0.11f);
                p.part(Path::ribbon(
                           {{cx + std::cos(a) * 14, hy - 10 + std::sin(a) * 14},
                            {cx + std::cos(a) * 44 + rng.range(-6, 6), hy - 6 + std::sin(a) * 40}},
                           {8, 1}),
                       tonesOf({200, 40, 90}), 2);
            }
        if (v == 1)
            p.part(Path::ribbon({{cx - 8, hy + 18}, {cx, hy + 30}, {cx + 8, hy + 18}}, {3, 5, 3}),
                   tonesOf({40, 20, 30}), 1);
        b.eye(cx - 8, hy, 5, {255, 220, 40}, true, true);
        b.eye(cx + 8, hy, 5, {255, 220, 40}, true, true, -1);
        p.fill(Path::blob({{cx - 8, hy + 12}, {cx + 8, hy + 12}, {cx, hy + 18}}), {120, 20, 30});
        b.teeth(cx - 7, cx + 7, hy + 12, 3, 4);
    } else {
        p.fill(Path::ellipse(cx, hy - 40, 22, 6), {255, 240, 150});
        p.fill(Path::ellipse(cx, hy - 40, 16, 3), {255, 255, 230});
        p.part(Path::blob({{cx - 22, hy},
                           {cx - 18, hy - 26},
                           {cx, hy - 32},
                           {cx + 18, hy - 26},
                           {cx + 22, hy},
                           {cx + 10, hy - 14},
                           {cx - 10, hy - 14}}),
               tonesOf(v == 0 ? Rgb{90, 200, 190} : Rgb{250, 230, 160}), 3);
        if (v == 0) {
            // ヨーガ: eyes closed in meditation, a third eye.
            for (int side = -1; side <= 1; side += 2)
                p.fill(Path::ribbon({{cx + side * 12.0f, hy + 2},
                                     {cx + side * 8.0f, hy + 4},
                                     {cx + side * 3.0f, hy + 2}},
                                    {1.5f, 1.5f, 1.5f}),
                       kDark);
            b.glowEye(cx, hy - 10, 3, {120, 255, 230});
        } else {
            b.glowEye(cx - 8, hy, 4, {255, 250, 200});
            b.glowEye(cx + 8, hy, 4, {255, 250, 200});
        }
        p.fill(
            Path::ribbon({{cx - 4, hy + 13}, {cx, hy + 14}, {cx + 4, hy + 13}}, {1.5f, 1.5f, 1.5f}),
            {150, 80, 80});
        for (int i = 0; i < 12; ++i) {
            const float x = rng.range(40, 300), y = rng.range(20, 220);
            p.fill(Path::polygon({{x, y - 5}, {x + 1.2f, y}, {x, y + 5}, {x - 1.2f, y}}),
                   {255, 255, 230}, 0.8f);
        }
    }
}

}  // namespace

Canvas paintEnemyArt(const PictureAsset& a, int scale) {
    Canvas big(a.width * scale, a.height * scale);
    Painter p(big, static_cast<float>(big.width()) / kPlaceW);
    const Scene area = a.scene == Scene::None ? Scene::Forest : a.scene;
    Place place(p, moodOf(area), hashText(a.name) ^ 0xa7ea);
    paintPlace(place, area);
    // The ground recedes under a dim veil, lighter where the monster stands.
    const Rgb veil = mix(place.light.top, {10, 10, 20}, 0.5f);
    p.wash(Paint::radial({170, 130}, 190, mix(veil, place.light.key, 0.5f), veil, 0.3f, 0.6f));
    const bool ghostly = std::string_view(a.caption).find("亡霊") != std::string_view::npos;
    const bool flying = a.silhouette == Silhouette::Bird || a.silhouette == Silhouette::Bat ||
                        a.silhouette == Silhouette::Moth || a.silhouette == Silhouette::Cloud ||
                        a.silhouette == Silhouette::Wind || a.silhouette == Silhouette::Ghost ||
                        a.silhouette == Silhouette::Jelly || a.silhouette == Silhouette::Orb ||
                        a.silhouette == Silhouette::Angel;
    if (a.silhouette != Silhouette::Shark)
        p.shadow(170, 228, flying ? 50 : 80, flying ? 7 : 11, flying ? 0.35f : 0.6f);
    Rng rng(hashText(a.name));
    Beast b(p, rgb(a.colour));
    const int v = a.variant;
    switch (a.silhouette) {
        case Silhouette::Dragon:
            dragon(b);
            break;
        case Silhouette::Bird:
            bird(b, v == 1);
            break;
        case Silhouette::Spider:
            spider(b, v == 0);
            break;
        case Silhouette::Humanoid:
            person(b, v, rng);
            break;
        case Silhouette::Shark:
            shark(b);
            break;
        case Silhouette::Jelly:
            jelly(b, v == 1, rng);
            break;
        case Silhouette::Crab:
            crab(b);
            break;
        case Silhouette::Ghost:
            ghost(b, v == 1, rng);
            break;
        case Silhouette::Bat:
            bat(b);
            break;
        case Silhouette::Cloud:
            cloudBeast(b, v, rng);
            break;
        case Silhouette::Wind:
            wind(b, v == 1, rng);
            break;
        case Silhouette::Machine:
            machine(b, false, false, rng);
            break;
        case Silhouette::Robot:
            machine(b, true, v == 1, rng);
            break;
        case Silhouette::Wolf:
            quadruped(b, true, v == 1);
            break;
        case Silhouette::Rabbit:
            quadruped(b, false, v == 1);
            break;
        case Silhouette::Beetle:
            beetle(b, v == 1);
            break;
        case Silhouette::Moth:
            moth(b, rng);
            break;
        case Silhouette::Orb:
            orb(b, v == 1);
            break;
        case Silhouette::Angel:
            winged(b, v, false, rng);
            break;
        case Silhouette::Demon:
            winged(b, v, true, rng);
            break;
        case Silhouette::None:
            break;
    }
    if (ghostly) {
        // The colosseum's ghosts: a cold, see-through glow and wisps.
        p.wash(Paint::radial({170, 130}, 200, {150, 200, 255}, {20, 30, 60}, 0.15f, 0.45f));
        for (int i = 0; i < 4; ++i) {
            const float x = rng.range(40, 300), y = rng.range(40, 200);
            p.glow(x, y, 14, {140, 210, 255}, 0.8f);
            p.fill(Path::blob({{x - 4, y + 4}, {x, y - 9}, {x + 4, y + 4}}), {220, 245, 255});
        }
    }
    // Darken the top left a little for the name.
    p.fill(Path::rect(0, 0, 320, 44),
           Paint::linear({0, 0}, {0, 0, 0}, {0, 44}, {0, 0, 0}, 0.45f, 0.0f));
    return big;
}

}  // namespace kotou::assets
