// The characters. Each is drawn in the units of its picture at its listed
// size (a 289 x 480 portrait is 289 x 480 units); the painter works at twice
// that. docs/art.md describes each character's silhouette, hair, face,
// clothing, prop and posture; keep the two in step.

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assets/Art.h"

namespace kotou::assets {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
const Rgb kWhite{255, 255, 255};
const Rgb kSkin{252, 222, 200};

// --- Faces ----------------------------------------------------------------------

enum class Eyes : uint8_t { Round, Sharp, Sleepy, Big };
enum class Mouth : uint8_t { Sing, Smirk, Grin, Calm, Smile, Beard };

struct Face {
    float cx, cy, r;  // head centre and half width
    Rgb skin = kSkin;
    Rgb iris{};
    Eyes eyes = Eyes::Round;
    Mouth mouth = Mouth::Smile;
    float look = 0;  // pupils shifted left (-) or right (+), in eye widths
    bool blush = false;
    bool glasses = false;
};

// The head shape: round crown, soft cheeks, a small chin.
Path headShape(float cx, float cy, float r, float chin = 1.0f) {
    return Path::blob({{cx - r, cy - 0.15f * r},
                       {cx - 0.92f * r, cy - 0.75f * r},
                       {cx, cy - 1.08f * r},
                       {cx + 0.92f * r, cy - 0.75f * r},
                       {cx + r, cy - 0.15f * r},
                       {cx + 0.86f * r, cy + 0.5f * r},
                       {cx + 0.35f * r, cy + 0.95f * r * chin},
                       {cx, cy + 1.05f * r * chin},
                       {cx - 0.35f * r, cy + 0.95f * r * chin},
                       {cx - 0.86f * r, cy + 0.5f * r}});
}

void eye(Actor& f, const Face& fc, float ex, float ey, int side) {
    Painter& p = f.p;
    const float r = fc.r;
    float w = 0.26f * r, h = 0.34f * r;
    if (fc.eyes == Eyes::Big) w *= 1.1f, h *= 1.15f;
    if (fc.eyes == Eyes::Sharp) h *= 0.62f;
    const bool soft = fc.blush;
    float lidDrop = fc.eyes == Eyes::Sleepy ? 0.35f : 0.0f;
    if (soft) lidDrop += 0.18f;
    // Outer corner lifted for sharp eyes, lowered for sleepy ones.
    const float tilt =
        fc.eyes == Eyes::Sharp ? 0.25f * h : (fc.eyes == Eyes::Sleepy ? -0.1f * h : 0);
    const float o = side * w;  // towards the outer corner
    const float top = ey - h + lidDrop * h * 2;
    const Path white = Path::blob({{ex - o * 1.0f, ey + 0.1f * h},
                                   {ex - o * 0.5f, top + 0.05f * h},
                                   {ex + o * 0.4f, top - tilt},
                                   {ex + o * 1.05f, ey - 0.25f * h - tilt},
                                   {ex + o * 0.6f, ey + 0.85f * h},
                                   {ex - o * 0.5f, ey + 0.9f * h}});
    const Mask sclera = p.mask(white);
    p.fill(sclera, {250, 250, 255});
    // The iris: dark at the top, light at the bottom, clipped to the eye.
    const float ix = ex + fc.look * w, iy = ey + 0.1f * h;
    const Mask iris = p.mask(Path::ellipse(ix, iy, w * 0.62f, h * 0.8f)) & sclera;
    p.fill(iris, Paint::linear({ix, iy - h}, shade(fc.iris, 0.45f), {ix, iy + h * 0.8f},
                               mix(fc.iris, kWhite, 0.35f)));
    p.fill(p.mask(Path::ellipse(ix, iy + 0.1f * h, w * 0.3f, h * 0.42f)) & sclera,
           shade(fc.iris, 0.25f));
    // Shade under the upper lid.
    p.fill(sclera - sclera.shifted(0, p.px(h * 0.35f)), {70, 50, 80}, 0.35f);
    // Highlights: a large one towards the light, a small one opposite.
    p.fill(p.mask(Path::ellipse(ix - w * 0.25f, iy - h * 0.35f, w * 0.22f, h * 0.2f)) & sclera,
           kWhite);
    p.fill(p.mask(Path::circle(ix + w * 0.25f, iy + h * 0.35f, w * 0.1f)) & sclera, kWhite, 0.9f);
    // Lashes: a heavy upper line with a flick at the outer corner.
    p.fill(Path::ribbon({{ex - o * 1.05f, ey + 0.15f * h},
                         {ex - o * 0.45f, top - 0.02f * h},
                         {ex + o * 0.45f, top - tilt - 0.02f * h},
                         {ex + o * 1.2f, ey - 0.35f * h - tilt}},
                        {0.05f * r, 0.09f * r, 0.1f * r, 0.06f * r}),
           f.p.ink);
    p.fill(Path::ribbon(
               {{ex + o * 0.95f, ey - 0.3f * h - tilt}, {ex + o * 1.3f, ey - 0.6f * h - tilt}},
               {0.05f * r, 0.01f * r}),
           f.p.ink);
    p.fill(Path::ribbon({{ex - o * 0.4f, ey + 0.92f * h}, {ex + o * 0.55f, ey + 0.86f * h}},
                        {0.015f * r, 0.03f * r}),
           mix(f.p.ink, fc.skin, 0.4f));
    // Brow.
    const float by = ey - h * 1.45f - (soft ? 0.08f * r : 0);
    const float lift = fc.eyes == Eyes::Sharp ? -0.12f * r : (soft ? 0.06f * r : 0.0f);
    p.fill(Path::ribbon({{ex - o * 0.9f, by + 0.04f * r},
                         {ex + o * 0.2f, by - 0.03f * r},
                         {ex + o * 1.1f, by + lift + 0.02f * r}},
                        {0.045f * r, 0.06f * r, 0.02f * r}),
           mix(f.hair, f.p.ink, 0.45f));
}

void face(Actor& f, const Face& fc) {
    Painter& p = f.p;
    const float cx = fc.cx, cy = fc.cy, r = fc.r;
    const float ey = cy + 0.22f * r, gap = 0.42f * r;
    eye(f, fc, cx - gap, ey, -1);
    eye(f, fc, cx + gap, ey, 1);
    // Nose: a small shade on the side away from the light.
    p.fill(Path::ribbon({{cx + 0.02f * r, cy + 0.48f * r}, {cx + 0.06f * r, cy + 0.58f * r}},
                        {0.025f * r, 0.035f * r}),
           shade(fc.skin, 0.72f));
    const float my = cy + 0.75f * r;
    const Rgb lip{150, 60, 70};
    switch (fc.mouth) {
        case Mouth::Sing:
            if (fc.blush) {
                p.fill(
                    Path::ribbon({{cx - 0.14f * r, my}, {cx, my + 0.06f * r}, {cx + 0.14f * r, my}},
                                 {0.03f * r, 0.04f * r, 0.03f * r}),
                    lip);
            } else {
                p.fill(Path::blob({{cx - 0.13f * r, my - 0.02f * r},
                                   {cx, my - 0.05f * r},
                                   {cx + 0.13f * r, my - 0.02f * r},
                                   {cx + 0.05f * r, my + 0.14f * r},
                                   {cx - 0.05f * r, my + 0.14f * r}}),
                       {120, 40, 55});
                p.fill(Path::ellipse(cx, my + 0.09f * r, 0.06f * r, 0.035f * r), {230, 120, 130});
            }
            break;
        case Mouth::Smirk:
            p.fill(Path::ribbon({{cx - 0.12f * r, my + 0.02f * r},
                                 {cx + 0.04f * r, my + (fc.blush ? 0.04f : 0.02f) * r},
                                 {cx + 0.16f * r, my - 0.04f * r}},
                                {0.02f * r, 0.035f * r, 0.02f * r}),
                   lip);
            break;
        case Mouth::Grin: {
            const float open = fc.blush ? 0.07f : 0.16f;
            p.fill(Path::blob({{cx - 0.2f * r, my - 0.03f * r},
                               {cx + 0.2f * r, my - 0.03f * r},
                               {cx + 0.1f * r, my + open * r},
                               {cx - 0.1f * r, my + open * r}}),
                   {120, 40, 55});
            p.fill(Path::rect(cx - 0.17f * r, my - 0.04f * r, cx + 0.17f * r, my + 0.01f * r),
                   kWhite);
            // The fang.
            p.fill(
                Path::polygon(
                    {{cx + 0.08f * r, my}, {cx + 0.14f * r, my}, {cx + 0.11f * r, my + 0.06f * r}}),
                kWhite);
            break;
        }
        case Mouth::Calm:
            p.fill(Path::ribbon({{cx - 0.1f * r, my},
                                 {cx, my + (fc.blush ? 0.05f : 0.03f) * r},
                                 {cx + 0.1f * r, my}},
                                {0.02f * r, 0.03f * r, 0.02f * r}),
                   lip);
            break;
        case Mouth::Smile:
            p.fill(Path::ribbon({{cx - 0.16f * r, my - 0.02f * r},
                                 {cx, my + 0.08f * r},
                                 {cx + 0.16f * r, my - 0.02f * r}},
                                {0.025f * r, 0.04f * r, 0.025f * r}),
                   lip);
            break;
        case Mouth::Beard:
            break;
    }
    // A faint warmth on the cheeks of every face.
    for (int side = -1; side <= 1; side += 2)
        p.fill(p.mask(Path::ellipse(cx + side * 0.55f * r, cy + 0.58f * r, 0.18f * r, 0.08f * r))
                   .blurred(p.px(0.05f * r)),
               {255, 150, 150}, 0.25f);
    if (fc.blush) {
        for (int side = -1; side <= 1; side += 2) {
            const float bx = cx + side * 0.52f * r, by = cy + 0.58f * r;
            p.fill(p.mask(Path::ellipse(bx, by, 0.22f * r, 0.1f * r)).blurred(p.px(0.04f * r)),
                   {255, 110, 130}, 0.75f);
            for (int k = -1; k <= 1; ++k)
                p.fill(Path::ribbon({{bx + k * 0.08f * r + 0.03f * r, by - 0.05f * r},
                                     {bx + k * 0.08f * r - 0.03f * r, by + 0.05f * r}},
                                    {0.015f * r, 0.015f * r}),
                       {230, 80, 110}, 0.8f);
        }
    }
    if (fc.glasses) {
        for (int side = -1; side <= 1; side += 2) {
            const float gx = cx + side * gap, gy = ey + 0.05f * r;
            const Mask lens = p.mask(Path::ellipse(gx, gy, 0.27f * r, 0.24f * r));
            p.fill(lens - lens.shifted(0, p.px(0.08f * r)), kWhite, 0.25f);
            p.fill(lens.dilated(p.px(0.035f * r)) - lens, {120, 90, 60});
        }
        p.fill(Path::ribbon(
                   {{cx - gap + 0.27f * r, ey}, {cx, ey - 0.05f * r}, {cx + gap - 0.27f * r, ey}},
                   {0.03f * r, 0.03f * r, 0.03f * r}),
               {120, 90, 60});
    }
}

// Thin strands of shadow across a mass of hair or folds across cloth: each
// line from its start to its end, clipped to the shape.
void lines(Painter& p, const Mask& shape, std::initializer_list<std::pair<Point, Point>> ls, Rgb c,
           float width = 1.4f, float alpha = 0.8f) {
    for (const auto& [a, b] : ls) {
        const Point mid{(a.x + b.x) / 2 + (b.y - a.y) * 0.08f,
                        (a.y + b.y) / 2 - (b.x - a.x) * 0.08f};
        p.fill(p.mask(Path::ribbon({a, mid, b}, {width * 0.4f, width, width * 0.3f})) & shape, c,
               alpha);
    }
}

// A neck from under the chin down to the collar, shaded by the head.
void neck(Actor& f, float cx, float chin, float w, float bottom, Rgb skin) {
    const Tones t = tonesOf(skin);
    const Mask m = f.part(Path::polygon({{cx - w / 2, chin - 10},
                                         {cx + w / 2, chin - 10},
                                         {cx + w / 2 + 2, bottom},
                                         {cx - w / 2 - 2, bottom}}),
                          t, 3);
    // The head shades the neck down to a lit strip above the collar.
    f.p.fill(m & f.p.mask(Path::ellipse(cx + 2, chin, w * 1.1f, (bottom - chin) * 0.75f)),
             t.shadow);
}

// A hand: a rounded mitten with a thumb, pointing along `angle`.
void hand(Actor& f, float x, float y, float size, float angle, Rgb skin) {
    const Path palm = Path::blob({{-0.5f, -0.45f},
                                  {0.55f, -0.5f},
                                  {0.95f, -0.2f},
                                  {1.0f, 0.25f},
                                  {0.55f, 0.5f},
                                  {-0.5f, 0.45f}})
                          .transformed(0, 0, size, angle)
                          .moved(x, y);
    const Mask m = f.part(palm, tonesOf(skin), 1.5f);
    // Curled fingers: short creases towards the fingertips.
    for (int k = 0; k < 3; ++k) {
        const float t = -0.25f + k * 0.25f;
        const Path crease = Path::ribbon({{0.45f, t}, {0.85f, t + 0.05f}}, {0.06f, 0.03f})
                                .transformed(0, 0, size, angle)
                                .moved(x, y);
        f.p.fill(f.p.mask(crease) & m, shade(skin, 0.6f));
    }
    const Path thumb = Path::ribbon({{0.1f, -0.35f}, {0.45f, -0.75f}}, {0.32f, 0.22f}, true)
                           .transformed(0, 0, size, angle)
                           .moved(x, y);
    f.part(thumb, tonesOf(skin), 1.0f);
}

// A portrait's backdrop: a gradient, a big soft light behind the head, drifting
// motes, and a dark band at the bottom for the name.
void backdrop(Painter& p, Rgb top, Rgb bottom, Point lightAt, Rgb light, Rng& rng, Rgb mote) {
    p.wash(Paint::linear({0, 0}, top, {0, p.height()}, bottom));
    p.glow(lightAt.x, lightAt.y, p.width() * 0.75f, light, 0.55f);
    for (int i = 0; i < 22; ++i) {
        const float x = rng.uniform() * p.width(), y = rng.uniform() * p.height() * 0.8f;
        const float r = rng.range(2.0f, 9.0f);
        p.fill(Path::circle(x, y, r), mote, rng.range(0.08f, 0.25f));
    }
}

void nameBand(Painter& p) {
    const float h = p.height(), band = std::min(48.0f, h * 0.11f);
    p.fill(Path::rect(0, h - band * 1.6f, p.width(), h),
           Paint::linear({0, h - band * 1.6f}, {10, 8, 20}, {0, h}, {10, 8, 20}, 0.0f, 0.7f));
}

// Where each hero stands in the frame (units moved, zoom): ルル to the left
// with her hair blown out of the picture, 嵐 large on the right, 残響 upright
// in the middle, スパーク small and low. Their silhouettes overlap little.
struct Placement {
    float dx, dy, zoom;
};
constexpr Placement kLuluPlace{-45, 0, 1}, kArashiPlace{60, -10, 1.05f}, kSparkPlace{30, 100, 0.7f},
    kZankyoPlace{5, 20, 0.9f};

void placeFigure(Painter& p, Placement at) {
    p.place(at.dx, at.dy, at.zoom);
}

// --- ルル -----------------------------------------------------------------------------

void paintLulu(Actor& f, bool blush, Rng& rng) {
    Painter& p = f.p;
    backdrop(p, blush ? Rgb{255, 190, 200} : Rgb{250, 200, 170}, {120, 110, 190}, {120, 130},
             {255, 240, 210}, rng, kWhite);
    // The sea at dusk behind her.
    p.fill(Path::rect(0, 330, 289, 480),
           Paint::linear({0, 330}, {120, 150, 210}, {0, 480}, {60, 70, 140}));
    for (int i = 0; i < 16; ++i) {
        const float y = rng.range(340, 460), x = rng.range(0, 289);
        p.fill(Path::ribbon({{x, y}, {x + rng.range(10, 30), y}}, {1.5f, 1.5f}), {255, 230, 220},
               0.5f);
    }
    placeFigure(p, kLuluPlace);
    f.hair = rgb(0xe87aa8);
    const Tones hair = tonesOf(f.hair);
    // Long wavy hair blown to the left by the sea wind.
    const Mask back = f.part(Path::blob({{100, 96},
                                         {66, 140},
                                         {50, 210},
                                         {22, 268},
                                         {36, 312},
                                         {8, 372},
                                         {44, 366},
                                         {26, 430},
                                         {84, 404},
                                         {96, 446},
                                         {128, 380},
                                         {172, 392},
                                         {186, 330},
                                         {196, 250},
                                         {192, 170},
                                         {178, 100},
                                         {140, 84}}),
                             hair, 10);
    for (int i = 0; i < 6; ++i) {
        const float x = 70 + i * 18;
        p.fill(
            p.mask(Path::ribbon({{x + 20, 120}, {x - 5, 230}, {x - 25 + i * 4, 330}, {x - 30, 410}},
                                {1.5f, 3, 2, 0.5f})) &
                back,
            hair.shadow, 0.8f);
    }
    // Body: white blouse with a sea-blue sailor collar, coral skirt.
    neck(f, 137, 186, 20, 214, kSkin);
    const Tones blouse = tonesOf({248, 246, 240});
    f.part(Path::blob({{94, 224},
                       {122, 206},
                       {152, 206},
                       {180, 224},
                       {178, 290},
                       {166, 338},
                       {110, 338},
                       {98, 290}}),
           blouse, 10);
    f.part(Path::blob(
               {{62, 470}, {92, 340}, {136, 328}, {180, 340}, {212, 470}, {180, 492}, {100, 492}}),
           tonesOf({232, 110, 110}), 12);
    for (int i = 0; i < 5; ++i)
        p.fill(Path::ribbon({{100 + i * 18.0f, 345}, {86 + i * 25.0f, 480}}, {1.2f, 2.5f}),
               {180, 70, 90}, 0.6f);
    const Tones navy = tonesOf({50, 80, 150});
    f.part(Path::polygon({{98, 222},
                          {122, 206},
                          {137, 256},
                          {152, 206},
                          {178, 222},
                          {186, 256},
                          {150, 268},
                          {137, 292},
                          {124, 268},
                          {90, 256}}),
           navy, 4);
    p.fill(Path::ribbon({{96, 250}, {126, 262}}, {1.5f, 1.5f}), kWhite);
    p.fill(Path::ribbon({{150, 262}, {180, 250}}, {1.5f, 1.5f}), kWhite);
    // The red ribbon bow.
    const Tones red = tonesOf({220, 50, 60});
    f.part(Path::blob({{137, 270}, {116, 258}, {112, 280}}), red, 2);
    f.part(Path::blob({{137, 270}, {158, 258}, {162, 280}}), red, 2);
    f.part(Path::ribbon({{134, 272}, {128, 300}}, {6, 4}), red, 2);
    f.part(Path::ribbon({{140, 272}, {148, 302}}, {6, 4}), red, 2);
    f.part(Path::circle(137, 270, 6), red, 2);
    // Right arm raised beside her as she sings; left hand on her chest.
    f.part(Path::ribbon({{98, 236}, {74, 250}, {70, 196}}, {24, 18, 14}, true), blouse, 6);
    hand(f, 72, 182, 11, -1.75f, kSkin);
    f.part(Path::ribbon({{178, 244}, {190, 288}, {166, 300}}, {22, 18, 14}, true), blouse, 6);
    hand(f, 158, 292, 11, 3.3f, kSkin);
    // Head and face.
    f.part(headShape(137, 142, 44), tonesOf(kSkin), 5);
    Face fc{137, 142, 44};
    fc.iris = {40, 170, 170};
    fc.eyes = Eyes::Big;
    fc.mouth = Mouth::Sing;
    fc.look = -0.15f;
    fc.blush = blush;
    face(f, fc);
    // Fringe: soft rounded locks, the parting on her right.
    const Mask fringe = f.part(Path::blob({{92, 140},
                                           {94, 100},
                                           {122, 80},
                                           {160, 82},
                                           {184, 104},
                                           {186, 146},
                                           {174, 120},
                                           {160, 132},
                                           {150, 112},
                                           {132, 130},
                                           {122, 112},
                                           {106, 136}}),
                               hair, 5);
    lines(p, fringe,
          {{{130, 80}, {104, 134}},
           {{134, 80}, {122, 110}},
           {{142, 80}, {150, 110}},
           {{150, 82}, {172, 122}},
           {{158, 84}, {184, 140}}},
          hair.shadow);
    // The shine ring across the crown.
    p.fill(p.mask(Path::ribbon({{100, 108}, {137, 94}, {176, 108}}, {5, 7, 5})) & fringe,
           hair.light);
    // Side locks framing the face.
    f.part(Path::ribbon({{96, 120}, {90, 170}, {96, 214}}, {12, 10, 3}), hair, 3);
    f.part(Path::ribbon({{180, 120}, {186, 170}, {178, 206}}, {12, 10, 3}), hair, 3);
    // The flower ornament スパーク made her.
    for (int i = 0; i < 5; ++i) {
        const float a = i * 2 * kPi / 5 - kPi / 2;
        f.part(Path::circle(178 + 9 * std::cos(a), 96 + 9 * std::sin(a), 7),
               tonesOf({255, 200, 90}), 2);
    }
    f.part(Path::circle(178, 96, 5), tonesOf({240, 110, 60}), 1);
    // Notes of her song drift up to the right, over the sea.
    p.place(0, 0, 1);
    for (int i = 0; i < 3; ++i) {
        const float x = 196 + i * 28, y = 120 - i * 26 + (i == 1 ? 10 : 0);
        p.fill(Path::ellipse(x, y, 6, 4.5f).transformed(x, y, 1, -0.4f), kWhite, 0.9f);
        p.fill(Path::rect(x + 4.5f, y - 22, x + 6.5f, y), kWhite, 0.9f);
        p.fill(Path::ribbon({{x + 5.5f, y - 22}, {x + 14, y - 14}}, {2.5f, 1.5f}), kWhite, 0.9f);
    }
}

// --- 嵐 ------------------------------------------------------------------------------

void paintArashi(Actor& f, bool blush, Rng& rng) {
    Painter& p = f.p;
    backdrop(p, {90, 60, 50}, {200, 130, 70}, {210, 140}, {255, 200, 120}, rng, {255, 210, 140});
    // Planks of the shipyard wall.
    for (int i = 0; i < 9; ++i)
        p.fill(Path::rect(i * 34.0f, 0, i * 34.0f + 2, 480), {60, 35, 25}, 0.35f);
    placeFigure(p, kArashiPlace);
    f.hair = rgb(0x2a4a8a);
    const Tones hair = tonesOf(f.hair);
    // The shipwright's mallet over his right shoulder, its head high left.
    const Tones wood = tonesOf({170, 120, 70});
    f.part(Path::ribbon({{150, 330}, {64, 56}}, {11, 11}), wood, 3);
    const Path head = Path::rect(-34, -22, 34, 22).transformed(0, 0, 1, -0.3f).moved(60, 44);
    f.part(head, wood, 10);
    p.fill(Path::rect(-36, -4, 36, 4).transformed(0, 0, 1, -0.3f).moved(38, 52), {90, 60, 40},
           0.8f);
    p.fill(Path::rect(-4, -24, 4, 24).transformed(0, 0, 1, -0.3f).moved(36, 50), {90, 60, 40},
           0.8f);
    p.fill(Path::rect(-4, -24, 4, 24).transformed(0, 0, 1, -0.3f).moved(84, 36), {90, 60, 40},
           0.8f);
    // Broad shoulders, a navy shirt with rolled sleeves, a leather vest.
    neck(f, 180, 164, 28, 200, kSkin);
    const Tones shirt = tonesOf({60, 70, 100});
    const Mask body = f.part(Path::blob({{100, 240},
                                         {140, 196},
                                         {220, 196},
                                         {268, 232},
                                         {282, 330},
                                         {284, 492},
                                         {96, 492},
                                         {92, 330}}),
                             shirt, 14);
    lines(p, body, {{{176, 210}, {196, 300}}, {{190, 206}, {186, 260}}, {{170, 330}, {190, 480}}},
          shirt.shadow, 2.2f);
    const Tones vest = tonesOf({140, 90, 50});
    const Mask leftVest = f.part(
        Path::polygon({{110, 236}, {150, 198}, {168, 300}, {160, 492}, {100, 492}, {96, 320}}),
        vest, 8);
    lines(p, leftVest, {{{120, 260}, {112, 420}}, {{140, 300}, {136, 470}}}, vest.shadow, 1.6f);
    f.part(Path::polygon({{252, 232}, {212, 198}, {196, 300}, {206, 492}, {272, 492}, {276, 320}}),
           vest, 8);
    for (int i = 0; i < 4; ++i) p.fill(Path::circle(164, 320 + i * 40.0f, 3), {220, 190, 110});
    // Arms: his right grips the mallet in front of him, sleeve rolled up to a
    // bare forearm with a wrist wrap; his left hangs at his side.
    f.part(Path::ribbon({{262, 262}, {272, 340}, {270, 420}}, {36, 30, 26}, true), shirt, 8);
    f.part(Path::ribbon({{108, 258}, {92, 320}}, {36, 30}, true), shirt, 8);
    f.part(Path::ribbon({{92, 318}, {146, 324}}, {26, 22}, true), tonesOf(kSkin), 6);
    p.fill(Path::ribbon({{126, 314}, {128, 334}}, {8, 8}), {230, 220, 200});
    // The grip of the mallet in his fist, in front of him.
    f.part(Path::ribbon({{137, 289}, {159, 358}}, {11, 11}), wood, 3);
    hand(f, 150, 322, 14, -0.9f, kSkin);
    // Head, sharp face.
    f.part(headShape(179, 122, 40, 1.08f), tonesOf(kSkin), 5);
    Face fc{179, 122, 40};
    fc.iris = {210, 140, 40};
    fc.eyes = Eyes::Sharp;
    fc.mouth = Mouth::Smirk;
    fc.look = 0.1f;
    fc.blush = blush;
    face(f, fc);
    // A plaster on the cheek.
    p.fill(Path::rect(200, 150, 214, 157).transformed(207, 153, 1, -0.3f), {240, 220, 190});
    // Spiky hair swept back and up.
    const std::vector<Point> spikes = {{138, 124}, {126, 92}, {104, 78},  {136, 70},  {128, 40},
                                       {160, 56},  {170, 20}, {188, 52},  {214, 28},  {214, 62},
                                       {246, 56},  {226, 86}, {236, 104}, {220, 108}, {210, 86},
                                       {190, 96},  {176, 84}, {160, 100}, {148, 96}};
    const Mask top = f.part(Path::polygon(spikes), hair, 6);
    lines(p, top,
          {{{176, 96}, {128, 40}},
           {{180, 94}, {170, 20}},
           {{186, 94}, {214, 28}},
           {{190, 96}, {246, 56}}},
          hair.shadow, 2.0f);
    p.fill(p.mask(Path::ribbon({{140, 80}, {176, 62}, {214, 70}}, {4, 6, 3})) & top, hair.light);
    // The red headband with its tails flying left.
    const Tones band = tonesOf({210, 40, 40});
    f.part(Path::ribbon({{140, 104}, {180, 94}, {220, 104}}, {9, 10, 9}), band, 2);
    f.part(Path::ribbon({{142, 104}, {110, 96}, {84, 110}, {58, 98}}, {8, 6, 5, 2}), band, 3);
    f.part(Path::ribbon({{142, 108}, {114, 116}, {92, 132}}, {7, 5, 2}), band, 3);
}

// --- スパーク -----------------------------------------------------------------------------

void paintSpark(Actor& f, bool blush, Rng& rng) {
    Painter& p = f.p;
    backdrop(p, {20, 30, 70}, {40, 90, 130}, {240, 140}, {120, 230, 255}, rng, {150, 240, 255});
    // Circuit traces of his workbench.
    for (int i = 0; i < 9; ++i) {
        const float y = rng.range(20, 420), x = rng.range(0, 200);
        p.fill(Path::ribbon({{x, y}, {x + 40, y}, {x + 60, y - 20}}, {1.5f, 1.5f, 1.5f}),
               {110, 220, 255}, 0.35f);
        p.fill(Path::circle(x + 60, y - 20, 3), {150, 240, 255}, 0.5f);
    }
    placeFigure(p, kSparkPlace);
    f.hair = rgb(0xf0b030);
    const Tones hair = tonesOf(f.hair);
    // The laser: crystal and salvaged parts, held up to the right.
    const Tones metal = tonesOf({150, 155, 170});
    f.part(Path::ribbon({{196, 262}, {272, 176}}, {22, 16}), metal, 5);
    f.part(Path::polygon({{206, 246}, {222, 232}, {236, 270}, {222, 280}}), tonesOf({90, 70, 60}),
           3);
    f.part(Path::ribbon({{220, 232}, {252, 196}}, {7, 7}), tonesOf({230, 120, 40}), 2);
    const Mask crystal = f.part(Path::polygon({{268, 168}, {288, 150}, {286, 176}, {276, 188}}),
                                tonesOf({110, 230, 255}), 3);
    p.glow(282, 162, 40, {160, 245, 255}, 0.7f);
    (void)crystal;
    // A small frame in an oversized jacket.
    neck(f, 122, 250, 20, 284, kSkin);
    const Tones jacket = tonesOf({220, 90, 40});
    const Mask coat = f.part(Path::blob({{70, 312},
                                         {100, 282},
                                         {148, 282},
                                         {178, 308},
                                         {184, 400},
                                         {180, 520},
                                         {176, 600},
                                         {70, 600},
                                         {66, 520},
                                         {60, 400}}),
                             jacket, 12);
    lines(p, coat, {{{80, 330}, {74, 440}}, {{160, 330}, {168, 440}}, {{92, 300}, {104, 360}}},
          jacket.shadow, 2.0f);
    f.part(Path::polygon({{106, 284}, {142, 284}, {138, 600}, {110, 600}}),
           tonesOf({245, 245, 240}), 5);
    p.fill(Path::rect(112, 380, 136, 388), {60, 60, 70});
    // A wrench in the pocket.
    f.part(Path::ribbon({{64, 420}, {66, 470}}, {6, 6}), metal, 2);
    f.part(Path::circle(64, 418, 8), metal, 2);
    // His right arm up to the laser's grip; the left makes a fist.
    f.part(Path::ribbon({{170, 312}, {206, 300}, {214, 270}}, {24, 20, 18}, true), jacket, 6);
    hand(f, 214, 262, 12, -1.0f, kSkin);
    f.part(Path::ribbon({{76, 326}, {56, 380}, {72, 420}}, {24, 22, 18}, true), jacket, 6);
    f.part(Path::circle(78, 428, 12), tonesOf(kSkin), 3);
    // A big head: the youngest.
    f.part(headShape(122, 208, 46, 0.95f), tonesOf(kSkin), 5);
    Face fc{122, 208, 46};
    fc.iris = {230, 120, 30};
    fc.eyes = Eyes::Big;
    fc.mouth = Mouth::Grin;
    fc.look = 0.3f;
    fc.blush = blush;
    face(f, fc);
    // A plaster across the nose.
    p.fill(Path::rect(112, 228, 134, 234), {240, 225, 200}, 0.9f);
    // Messy spiky hair.
    std::vector<Point> spikes;
    const int n = 13;
    for (int i = 0; i <= n; ++i) {
        const float a = kPi * (1.08f + 0.84f * i / n);
        const float inner = 40, outer = 74 + (i % 2 ? 0 : 16) + (i == 6 ? 22 : 0);
        spikes.push_back({122 + inner * std::cos(a - 0.12f), 196 + inner * std::sin(a - 0.12f)});
        spikes.push_back({122 + outer * std::cos(a), 192 + outer * std::sin(a) * 0.95f});
    }
    spikes.push_back({172, 200});
    spikes.push_back({156, 184});
    spikes.push_back({132, 196});
    spikes.push_back({110, 184});
    spikes.push_back({92, 198});
    spikes.push_back({72, 204});
    const Mask top = f.part(Path::polygon(spikes), hair, 7);
    for (int i = 0; i < 7; ++i) {
        const float a = kPi * (1.1f + 0.8f * i / 6);
        lines(p, top, {{{122, 196}, {122 + 80 * std::cos(a), 192 + 80 * std::sin(a)}}}, hair.shadow,
              2.0f);
    }
    p.fill(p.mask(Path::ribbon({{84, 160}, {122, 148}, {160, 160}}, {5, 7, 5})) & top, hair.light);
    // Goggles pushed up on the forehead.
    f.part(Path::ribbon({{74, 176}, {122, 166}, {172, 176}}, {8, 8, 8}), tonesOf({70, 60, 60}), 2);
    for (int side = -1; side <= 1; side += 2) {
        f.part(Path::circle(122 + side * 20.0f, 168, 14), tonesOf({120, 90, 60}), 3);
        p.fill(Path::circle(122 + side * 20.0f, 168, 10),
               Paint::radial({118 + side * 20.0f, 164}, 12, {200, 250, 255}, {40, 120, 160}));
        p.fill(Path::circle(117 + side * 20.0f, 163, 3), kWhite);
    }
    // Sparks from the crystal.
    for (int i = 0; i < 7; ++i) {
        const float a = rng.range(0, 2 * kPi), d = rng.range(20, 50);
        const float x = 280 + d * std::cos(a) * 0.6f, y = 160 + d * std::sin(a);
        p.fill(Path::polygon({{x, y - 5}, {x + 1.5f, y}, {x, y + 5}, {x - 1.5f, y}}),
               {220, 255, 255});
    }
}

// --- 残響 ------------------------------------------------------------------------------

void paintZankyo(Actor& f, bool blush, Rng& rng) {
    Painter& p = f.p;
    backdrop(p, {40, 30, 70}, {110, 80, 140}, {190, 300}, {220, 190, 255}, rng, {240, 220, 255});
    // Shelves of the library she keeps in her head.
    for (int row = 0; row < 5; ++row) {
        const float y = 40 + row * 90.0f;
        p.fill(Path::rect(0, y + 60, 289, y + 66), {30, 20, 50}, 0.6f);
        float x = 2;
        while (x < 289) {
            const float w = rng.range(8, 16), h = rng.range(40, 58);
            p.fill(Path::rect(x, y + 60 - h, x + w - 2, y + 60),
                   mix({80, 60, 120}, {150, 100, 90}, rng.uniform()), 0.45f);
            x += w;
        }
    }
    placeFigure(p, kZankyoPlace);
    f.hair = rgb(0x8a6ab0);
    const Tones hair = tonesOf(f.hair);
    // Straight hair falling to the hips, cut level.
    const Mask back = f.part(Path::blob({{178, 70},
                                         {226, 92},
                                         {238, 160},
                                         {238, 300},
                                         {240, 372},
                                         {200, 378},
                                         {140, 378},
                                         {124, 300},
                                         {124, 160},
                                         {136, 92}}),
                             hair, 10);
    for (int i = 0; i < 7; ++i) {
        const float x = 134 + i * 15.0f;
        p.fill(p.mask(Path::ribbon({{x, 110}, {x + 2, 250}, {x, 372}}, {1.5f, 2.5f, 1.5f})) & back,
               hair.shadow, 0.7f);
    }
    // A long scholar's robe with wide sleeves and a gold trim.
    neck(f, 182, 166, 20, 198, kSkin);
    const Tones robe = tonesOf({60, 50, 110});
    const Mask gown = f.part(Path::blob({{140, 222},
                                         {170, 194},
                                         {196, 194},
                                         {226, 222},
                                         {236, 320},
                                         {268, 560},
                                         {98, 560},
                                         {128, 320}}),
                             robe, 12);
    lines(p, gown,
          {{{150, 370}, {130, 492}},
           {{166, 370}, {158, 492}},
           {{206, 370}, {214, 492}},
           {{222, 360}, {244, 492}}},
          robe.shadow, 2.4f);
    const Tones gold = tonesOf({220, 180, 90});
    f.part(
        Path::polygon(
            {{170, 194}, {182, 204}, {196, 194}, {188, 330}, {182, 560}, {176, 560}, {176, 330}}),
        gold, 2);
    // Sleeves hang wide under the open book.
    f.part(Path::blob({{140, 232}, {118, 300}, {112, 362}, {150, 370}, {168, 320}}), robe, 8);
    f.part(Path::blob({{226, 232}, {248, 300}, {256, 360}, {214, 366}, {200, 320}}), robe, 8);
    p.fill(Path::ribbon({{112, 360}, {150, 368}}, {4, 4}), gold.base);
    p.fill(Path::ribbon({{214, 364}, {256, 358}}, {4, 4}), gold.base);
    // The open book, its pages lighting her from below.
    const Tones cover = tonesOf({120, 40, 50});
    f.part(Path::polygon({{120, 318}, {182, 332}, {244, 318}, {240, 352}, {182, 366}, {124, 352}}),
           cover, 3);
    const Tones page = tonesOf({250, 240, 215});
    f.part(Path::polygon({{126, 312}, {180, 324}, {182, 356}, {128, 344}}), page, 3);
    f.part(Path::polygon({{238, 312}, {184, 324}, {182, 356}, {236, 344}}), page, 3);
    for (int i = 0; i < 4; ++i) {
        p.fill(Path::ribbon({{134, 320 + i * 6.0f}, {172, 329 + i * 6.0f}}, {1, 1}),
               {150, 140, 130});
        p.fill(Path::ribbon({{192, 329 + i * 6.0f}, {230, 320 + i * 6.0f}}, {1, 1}),
               {150, 140, 130});
    }
    p.glow(182, 318, 70, {230, 210, 255}, 0.55f);
    // Letters rising from the page.
    for (int i = 0; i < 9; ++i) {
        const float x = rng.range(130, 236), y = rng.range(220, 305);
        p.fill(Path::rect(x, y, x + 5, y + 1.5f), {255, 240, 200}, 0.8f);
        p.fill(Path::rect(x + 1.75f, y - 2, x + 3.25f, y + 5), {255, 240, 200}, 0.8f);
    }
    // Head: calm face, round glasses.
    f.part(headShape(182, 126, 40), tonesOf(kSkin), 5);
    Face fc{182, 126, 40};
    fc.iris = {140, 90, 190};
    fc.eyes = Eyes::Sleepy;
    fc.mouth = Mouth::Calm;
    fc.glasses = true;
    fc.blush = blush;
    face(f, fc);
    // Blunt, level fringe and the crown.
    const Mask fringe = f.part(Path::polygon({{138, 128},
                                              {136, 98},
                                              {150, 76},
                                              {182, 68},
                                              {214, 76},
                                              {228, 98},
                                              {226, 128},
                                              {222, 116},
                                              {142, 116}}),
                               hair, 5);
    lines(p, fringe,
          {{{160, 74}, {152, 116}},
           {{172, 70}, {170, 116}},
           {{192, 70}, {194, 116}},
           {{204, 74}, {212, 116}}},
          hair.shadow);
    p.fill(p.mask(Path::ribbon({{144, 92}, {182, 80}, {220, 92}}, {4, 6, 4})) & fringe, hair.light);
    // A ribbon of the library's colours.
    f.part(Path::blob({{222, 84}, {244, 70}, {246, 94}}), tonesOf({230, 200, 110}), 2);
    f.part(Path::blob({{222, 84}, {236, 104}, {214, 100}}), tonesOf({230, 200, 110}), 2);
}

// --- オルガン -------------------------------------------------------------------------

void paintOrgan(Actor& f, Rng& rng) {
    Painter& p = f.p;
    backdrop(p, {30, 60, 40}, {140, 120, 70}, {120, 160}, {255, 230, 160}, rng, {255, 240, 170});
    // Jungle leaves at the edges.
    for (int i = 0; i < 14; ++i) {
        const float x = i % 2 ? rng.range(-20, 40) : rng.range(250, 310), y = rng.range(0, 470);
        const float a = rng.range(0, 2 * kPi);
        p.fill(Path::blob({{x, y},
                           {x + 40 * std::cos(a) - 8, y + 40 * std::sin(a)},
                           {x + 46 * std::cos(a), y + 46 * std::sin(a)},
                           {x + 40 * std::cos(a) + 8, y + 40 * std::sin(a) + 6}}),
               {40, 100, 50}, 0.7f);
    }
    f.hair = {230, 230, 225};
    // A stooped old man in a long coat, leaning on a cane.
    const Tones coat = tonesOf({120, 70, 40});
    f.part(Path::blob({{92, 250},
                       {130, 222},
                       {176, 222},
                       {214, 252},
                       {226, 380},
                       {236, 492},
                       {70, 492},
                       {78, 380}}),
           coat, 12);
    f.part(Path::polygon({{136, 224}, {152, 280}, {168, 224}}), tonesOf({240, 235, 220}), 3);
    f.part(Path::polygon({{140, 236}, {152, 252}, {164, 236}, {152, 262}}), tonesOf({180, 40, 50}),
           2);
    for (int i = 0; i < 3; ++i) p.fill(Path::circle(152, 300 + i * 34.0f, 3.5f), {220, 180, 80});
    // The cane and a hand on it; a flute in the other.
    const Tones wood = tonesOf({100, 60, 30});
    f.part(Path::ribbon({{232, 300}, {246, 492}}, {8, 7}), wood, 2);
    f.part(Path::ribbon({{206, 266}, {226, 300}}, {26, 20}, true), coat, 6);
    hand(f, 232, 298, 12, 1.6f, kSkin);
    f.part(Path::ribbon({{40, 250}, {120, 300}}, {6, 6}), tonesOf({200, 170, 110}), 2);
    for (int i = 0; i < 4; ++i)
        p.fill(Path::circle(60 + i * 14.0f, 262 + i * 8.8f, 1.8f), {60, 40, 20});
    f.part(Path::ribbon({{98, 268}, {96, 304}, {110, 306}}, {26, 22, 18}, true), coat, 6);
    hand(f, 114, 300, 11, 0.2f, kSkin);
    // Head with a long white beard under a wide brimmed hat.
    f.part(headShape(152, 170, 38, 0.95f), tonesOf(kSkin), 5);
    Face fc{152, 170, 38};
    fc.iris = {90, 70, 50};
    fc.eyes = Eyes::Sleepy;
    fc.mouth = Mouth::Beard;
    face(f, fc);
    const Tones white = tonesOf({235, 232, 225});
    f.part(Path::blob({{116, 184},
                       {130, 206},
                       {152, 212},
                       {176, 206},
                       {190, 184},
                       {188, 230},
                       {170, 280},
                       {152, 296},
                       {134, 280},
                       {116, 230}}),
           white, 6);
    f.part(Path::blob({{126, 200}, {152, 194}, {178, 200}, {168, 208}, {152, 204}, {136, 208}}),
           white, 2);
    p.fill(Path::ellipse(152, 210, 8, 3), {140, 70, 70});
    const Tones hat = tonesOf(rgb(0x8a5a30));
    f.part(Path::ellipse(152, 140, 78, 16), hat, 4);
    f.part(Path::blob({{112, 142}, {114, 106}, {130, 90}, {176, 90}, {192, 106}, {194, 142}}), hat,
           8);
    f.part(Path::rect(113, 124, 193, 136), tonesOf({190, 50, 40}), 2);
    // A feather in the hat band.
    f.part(Path::ribbon({{186, 128}, {212, 98}, {230, 60}}, {3, 9, 1}), tonesOf({80, 170, 140}), 2);
    // Notes that move the weather.
    for (int i = 0; i < 4; ++i) {
        const float x = 50 + i * 30.0f, y = 110 - i * 18.0f;
        p.fill(Path::ellipse(x, y, 6, 4.5f).transformed(x, y, 1, -0.4f), {255, 240, 180}, 0.9f);
        p.fill(Path::rect(x + 4.5f, y - 20, x + 6.5f, y), {255, 240, 180}, 0.9f);
    }
}

// --- ゴルドス --------------------------------------------------------------------------

// The king over the sea: a crowned, bearded figure in a dark cloak with a
// high collar, a trident of gold. `giant` is his true shape rising from the
// sea, filling a 640 x 480 window.
void paintGordos(Actor& f, bool giant, Rng& rng) {
    Painter& p = f.p;
    const float W = p.width(), H = p.height();
    if (giant) {
        p.wash(Paint::linear({0, 0}, {20, 6, 20}, {0, H}, {110, 30, 40}));
        p.glow(W / 2, H * 0.35f, W * 0.6f, {255, 80, 60}, 0.35f);
        for (int i = 0; i < 60; ++i)
            p.fill(Path::circle(rng.uniform() * W, rng.uniform() * H * 0.5f, rng.range(0.5f, 1.5f)),
                   {255, 220, 200}, rng.range(0.3f, 0.8f));
    } else {
        backdrop(p, {20, 10, 30}, {80, 20, 40}, {W / 2, H * 0.4f}, {200, 60, 80}, rng,
                 {255, 120, 100});
    }
    // One design for both: scaled into the frame.
    const float s = giant ? 1.3f : 1.0f;
    const float ox = giant ? W / 2 - 145 * s : 0, oy = giant ? 30 : 0;
    auto T = [&](Path path) { return path.transformed(0, 0, s, 0).moved(ox, oy); };
    const Tones cloak = tonesOf({70, 20, 50});
    const Tones gold = tonesOf({230, 180, 60});
    const Rgb skin = giant ? Rgb{120, 140, 150} : Rgb{230, 200, 180};
    f.hair = {40, 30, 40};
    // Cloak with a high collar, spread wide.
    f.part(T(Path::blob(
               {{20, 341}, {40, 250}, {90, 190}, {145, 176}, {200, 190}, {250, 250}, {270, 341}})),
           cloak, 14);
    f.part(T(Path::polygon(
               {{80, 200}, {70, 120}, {120, 168}, {145, 180}, {170, 168}, {220, 120}, {210, 200}})),
           tonesOf({140, 30, 50}), 6);
    f.part(T(Path::blob({{110, 200}, {145, 190}, {180, 200}, {190, 341}, {100, 341}})),
           tonesOf({40, 40, 60}), 8);
    for (int i = 0; i < 3; ++i) f.part(T(Path::circle(145, 232 + i * 30.0f, 6)), gold, 2);
    // The trident.
    f.part(T(Path::ribbon({{236, 341}, {250, 60}}, {8, 7})), gold, 2);
    f.part(T(Path::polygon(
               {{226, 80}, {232, 30}, {240, 72}, {250, 20}, {260, 72}, {268, 30}, {274, 80}})),
           gold, 3);
    hand(f, ox + 242 * s, oy + 240 * s, 13 * s, -1.6f, skin);
    // Head: a hard face with a black beard and a heavy crown.
    f.part(T(headShape(145, 132, 34, 1.1f)), tonesOf(skin), 5);
    Face fc{ox + 145 * s, oy + 132 * s, 34 * s};
    fc.skin = skin;
    fc.iris = giant ? Rgb{255, 60, 40} : Rgb{200, 40, 40};
    fc.eyes = Eyes::Sharp;
    fc.mouth = Mouth::Beard;
    face(f, fc);
    const Tones beard = tonesOf({40, 30, 40});
    f.part(T(Path::blob({{114, 140},
                         {128, 164},
                         {145, 170},
                         {162, 164},
                         {176, 140},
                         {172, 190},
                         {145, 214},
                         {118, 190}})),
           beard, 5);
    p.fill(T(Path::ribbon({{132, 166}, {145, 170}, {158, 166}}, {3, 4, 3})), {90, 20, 30});
    f.part(T(Path::polygon({{108, 108},
                            {104, 60},
                            {124, 86},
                            {134, 48},
                            {145, 80},
                            {156, 48},
                            {166, 86},
                            {186, 60},
                            {182, 108}})),
           gold, 6);
    f.part(T(Path::circle(145, 96, 7)), tonesOf({200, 30, 60}), 2);
    if (giant) {
        // The sea at his waist, and the raft's glow far below.
        p.fill(Path::rect(0, H * 0.78f, W, H),
               Paint::linear({0, H * 0.78f}, {40, 30, 60}, {0, H}, {10, 10, 30}));
        for (int i = 0; i < 40; ++i) {
            const float x = rng.uniform() * W, y = rng.range(H * 0.79f, H);
            p.fill(Path::ribbon({{x, y}, {x + rng.range(10, 40), y}}, {1.5f, 1.5f}),
                   {255, 120, 100}, 0.35f);
        }
        p.glow(W * 0.15f, H * 0.88f, 30, {255, 240, 180}, 0.6f);
    }
}

// --- マーラー ---------------------------------------------------------------------------

// The travelling trader at his boat, goods spread out (249 x 160).
void paintMahler(Actor& f, Rng& rng) {
    Painter& p = f.p;
    p.wash(Paint::linear({0, 0}, {120, 190, 230}, {0, 90}, {250, 220, 180}));
    p.glow(200, 40, 60, {255, 250, 220}, 0.6f);
    p.fill(Path::rect(0, 88, 249, 160),
           Paint::linear({0, 88}, {60, 150, 190}, {0, 160}, {30, 90, 140}));
    for (int i = 0; i < 14; ++i) {
        const float x = rng.uniform() * 249, y = rng.range(92, 156);
        p.fill(Path::ribbon({{x, y}, {x + 12, y}}, {1, 1}), kWhite, 0.5f);
    }
    // The boat with a striped awning.
    const Tones wood = tonesOf({150, 100, 60});
    p.part(Path::blob({{10, 118}, {240, 114}, {226, 150}, {30, 152}}), wood, 4);
    p.fill(Path::rect(20, 126, 232, 129), {100, 60, 40});
    const Tones awning = tonesOf(rgb(0x3a9a7a));
    p.part(Path::polygon({{14, 40}, {150, 28}, {156, 44}, {20, 58}}), awning, 3);
    for (int i = 0; i < 5; ++i)
        p.fill(Path::polygon({{22 + i * 27.0f, 39 - i * 2.3f},
                              {34 + i * 27.0f, 38 - i * 2.3f},
                              {40 + i * 27.0f, 54 - i * 2.3f},
                              {28 + i * 27.0f, 55 - i * 2.3f}}),
               {240, 230, 200});
    p.fill(Path::rect(20, 56, 24, 120), {100, 60, 40});
    p.fill(Path::rect(146, 42, 150, 116), {100, 60, 40});
    // Goods: jars, a rolled carpet, fruit.
    const Rgb goods[] = {{200, 80, 60}, {230, 180, 60}, {90, 140, 200}, {160, 90, 160}};
    for (int i = 0; i < 4; ++i)
        p.part(Path::blob({{32 + i * 22.0f, 116},
                           {28 + i * 22.0f, 100},
                           {36 + i * 22.0f, 92},
                           {44 + i * 22.0f, 100},
                           {40 + i * 22.0f, 116}}),
               tonesOf(goods[i]), 2);
    // The trader: turban, moustache, a wide smile.
    f.hair = {40, 30, 30};
    const Rgb skin{200, 150, 110};
    const Tones vest = tonesOf({160, 50, 60});
    f.part(Path::blob({{160, 118}, {170, 84}, {196, 74}, {222, 84}, {232, 118}}), vest, 5);
    f.part(Path::polygon({{188, 78}, {196, 110}, {204, 78}}), tonesOf({240, 220, 160}), 2);
    f.part(headShape(196, 56, 17), tonesOf(skin), 3);
    Face fc{196, 56, 17};
    fc.skin = skin;
    fc.iris = {60, 40, 30};
    fc.eyes = Eyes::Sleepy;
    fc.mouth = Mouth::Smile;
    face(f, fc);
    p.fill(Path::ribbon({{184, 68}, {196, 65}, {208, 68}}, {2, 4, 2}), {50, 35, 30});
    const Tones turban = tonesOf({240, 236, 220});
    f.part(Path::blob({{176, 48}, {178, 30}, {196, 20}, {214, 30}, {216, 48}, {196, 42}}), turban,
           4);
    p.fill(Path::ribbon({{180, 40}, {196, 28}, {212, 38}}, {2, 2, 2}), {200, 190, 170});
    f.part(Path::circle(196, 34, 4), tonesOf({40, 160, 120}), 1);
    hand(f, 232, 96, 8, -0.6f, skin);
}

}  // namespace

Canvas paintPortraitArt(const PictureAsset& a, int scale, Mask* silhouette) {
    Canvas big(a.width * scale, a.height * scale);
    Painter p(big, static_cast<float>(scale));
    Actor f(p);
    Rng rng(hashText(a.name));
    const bool blush = a.variant == 1;
    switch (a.figure) {
        case Figure::LongHair:
            paintLulu(f, blush, rng);
            break;
        case Figure::Spiky:
            paintArashi(f, blush, rng);
            break;
        case Figure::Bob:
            paintSpark(f, blush, rng);
            break;
        case Figure::Straight:
            paintZankyo(f, blush, rng);
            break;
        case Figure::Hat:
            paintOrgan(f, rng);
            break;
        case Figure::Crown:
        case Figure::Giant:
            paintGordos(f, a.figure == Figure::Giant, rng);
            break;
        case Figure::Turban:
            paintMahler(f, rng);
            break;
        case Figure::None:
            break;
    }
    p.place(0, 0, 1);
    if (blush) {
        // Hearts float around the figure, never over it.
        Canvas hearts(big.width(), big.height());
        Painter hp(hearts, static_cast<float>(scale));
        for (int i = 0; i < 6; ++i)
            heart(hp, rng.range(20, 270), rng.range(20, 220), rng.range(7, 12), {255, 255, 255}, 1);
        Mask m(0, 0, big.width(), big.height());
        for (int y = 0; y < big.height(); ++y)
            for (int x = 0; x < big.width(); ++x) m.ref(x, y) = hearts.at(x, y).r / 255.0f;
        p.fill(m - f.silhouette, {255, 120, 160}, 0.6f);
    }
    nameBand(p);
    if (silhouette) *silhouette = f.silhouette;
    return big;
}

}  // namespace kotou::assets
