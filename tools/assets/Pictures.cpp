#include "tools/assets/Pictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "state/Version.h"

namespace kotou::assets {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
// Shapes are drawn at this multiple of the final size and filtered down, which
// gives smooth edges without an anti-aliasing rasteriser.
constexpr int kSupersample = 2;

const Rgb kWhite{255, 255, 255};
const Rgb kBlack{0, 0, 0};
const Rgb kInk{30, 22, 18};

Rgb rgbi(int r, int g, int b) {
    return {static_cast<uint8_t>(std::clamp(r, 0, 255)),
            static_cast<uint8_t>(std::clamp(g, 0, 255)),
            static_cast<uint8_t>(std::clamp(b, 0, 255))};
}

// Drawing in fractions of the canvas, so one recipe serves every size.
struct Brush {
    Canvas& c;
    float w, h;
    explicit Brush(Canvas& canvas)
        : c(canvas),
          w(static_cast<float>(canvas.width())),
          h(static_cast<float>(canvas.height())) {}

    float X(float f) const { return f * w; }
    float Y(float f) const { return f * h; }

    void sky(Rgb top, Rgb bottom, float to = 1.0f) {
        c.verticalGradient(top, bottom, 0, static_cast<int>(Y(to)));
    }
    void band(float from, float to, Rgb top, Rgb bottom) {
        c.verticalGradient(top, bottom, static_cast<int>(Y(from)), static_cast<int>(Y(to)));
    }
    void ellipse(float x, float y, float rx, float ry, Rgb col, float a = 1.0f) {
        c.fillEllipse(X(x), Y(y), X(rx), Y(ry), col, a);
    }
    // A circle whose radius is a fraction of the width.
    void disc(float x, float y, float r, Rgb col, float a = 1.0f) {
        c.fillEllipse(X(x), Y(y), X(r), X(r), col, a);
    }
    void rect(float x0, float y0, float x1, float y1, Rgb col, float a = 1.0f) {
        c.fillRect(X(x0), Y(y0), X(x1), Y(y1), col, a);
    }
    void poly(std::initializer_list<Point> pts, Rgb col, float a = 1.0f) {
        std::vector<Point> v;
        for (auto p : pts) v.push_back({X(p.x), Y(p.y)});
        c.fillPolygon(v, col, a);
    }
    void polyv(const std::vector<Point>& pts, Rgb col, float a = 1.0f) {
        std::vector<Point> v;
        for (auto p : pts) v.push_back({X(p.x), Y(p.y)});
        c.fillPolygon(v, col, a);
    }
    void stroke(float x0, float y0, float x1, float y1, float width, Rgb col, float a = 1.0f) {
        c.line(X(x0), Y(y0), X(x1), Y(y1), X(width), col, a);
    }

    // Props shared by the places.
    void sun(float x, float y, float r, Rgb col) {
        for (int i = 4; i >= 1; --i) disc(x, y, r * (1.0f + i * 0.5f), col, 0.08f);
        disc(x, y, r, col);
    }
    void moon(float x, float y, float r, Rgb skyCol) {
        for (int i = 3; i >= 1; --i) disc(x, y, r * (1.0f + i * 0.4f), {255, 250, 210}, 0.06f);
        disc(x, y, r, {250, 245, 210});
        disc(x + r * 0.45f, y - r * 0.2f, r * 0.85f, skyCol);
    }
    void stars(int count, float maxY, Rng& rng) {
        for (int i = 0; i < count; ++i) {
            const float x = rng.uniform(), y = rng.uniform() * maxY;
            disc(x, y, rng.range(0.001f, 0.004f), {255, 255, 230}, rng.range(0.5f, 1.0f));
        }
    }
    void cloud(float x, float y, float size, Rgb col, float a) {
        ellipse(x, y, size, size * 0.35f, col, a);
        ellipse(x - size * 0.45f, y + size * 0.08f, size * 0.5f, size * 0.25f, col, a);
        ellipse(x + size * 0.5f, y + size * 0.06f, size * 0.55f, size * 0.28f, col, a);
        ellipse(x + size * 0.1f, y - size * 0.18f, size * 0.45f, size * 0.3f, col, a);
    }
    void hills(float base, float amp, Rgb col, Rng& rng) {
        std::vector<Point> pts{{0, 1.0f}};
        const int n = 9;
        float phase = rng.range(0, 6.28f);
        for (int i = 0; i <= n; ++i) {
            const float x = static_cast<float>(i) / n;
            pts.push_back({x, base - amp * (0.5f + 0.5f * std::sin(phase + x * 7.0f)) -
                                  amp * 0.3f * rng.uniform()});
        }
        pts.push_back({1.0f, 1.0f});
        polyv(pts, col);
    }
    void waves(float from, float to, Rgb col, Rng& rng, int count) {
        for (int i = 0; i < count; ++i) {
            const float y = from + (to - from) * rng.uniform();
            const float x = rng.uniform();
            const float len = 0.03f + 0.05f * (y - from) / std::max(0.01f, to - from);
            stroke(x, y, x + len, y, 0.004f + 0.004f * (y - from) / std::max(0.01f, to - from), col,
                   0.6f);
        }
    }
    void pine(float x, float ground, float height, Rgb leaves) {
        rect(x - 0.008f, ground - height * 0.25f, x + 0.008f, ground, {90, 60, 35});
        for (int i = 0; i < 3; ++i) {
            const float top = ground - height * (1.0f - i * 0.22f);
            const float bottom = ground - height * (0.45f - i * 0.15f);
            const float half = height * (0.18f + i * 0.07f) * h / w;
            poly({{x, top}, {x + half, bottom}, {x - half, bottom}},
                 shade(leaves, 1.0f - i * 0.08f));
        }
    }
    void roundTree(float x, float ground, float height, Rgb leaves) {
        rect(x - 0.012f, ground - height * 0.5f, x + 0.012f, ground, {100, 70, 40});
        const float r = height * 0.32f * h / w;
        disc(x, ground - height * 0.7f, r, shade(leaves, 0.8f));
        disc(x - r * 0.5f, ground - height * 0.6f, r * 0.75f, leaves);
        disc(x + r * 0.55f, ground - height * 0.62f, r * 0.7f, shade(leaves, 1.1f));
    }
    void palm(float x, float ground, float height, float lean) {
        const float topX = x + lean, topY = ground - height;
        stroke(x, ground, topX, topY, 0.018f, {120, 85, 50});
        const Rgb leaf{50, 140, 60};
        for (int i = 0; i < 6; ++i) {
            const float ang = kPi * (0.1f + i * 0.16f) + lean * 3.0f;
            const float ex = topX + std::cos(ang) * height * 0.45f * h / w;
            const float ey = topY - std::sin(ang) * height * 0.2f + height * 0.15f;
            poly({{topX, topY}, {ex, ey}, {(topX + ex) / 2, (topY + ey) / 2 + 0.04f}},
                 shade(leaf, 0.85f + 0.05f * i));
        }
        disc(topX, topY + 0.01f, 0.012f, {110, 80, 40});
    }
    void rock(float x, float y, float size, Rgb col) {
        poly({{x - size, y},
              {x - size * 0.7f, y - size * 0.8f},
              {x - size * 0.1f, y - size},
              {x + size * 0.6f, y - size * 0.7f},
              {x + size, y}},
             col);
        poly(
            {{x - size * 0.1f, y - size}, {x + size * 0.6f, y - size * 0.7f}, {x + size * 0.2f, y}},
            shade(col, 1.2f), 0.5f);
    }
    void rain(int count, float slant, float alpha, Rng& rng) {
        for (int i = 0; i < count; ++i) {
            const float x = rng.range(-0.1f, 1.1f), y = rng.uniform();
            stroke(x, y, x + slant, y + 0.06f, 0.002f, {200, 210, 230}, alpha);
        }
    }
    void hut(float x, float ground, float size) {
        const float s = size, sw = size * h / w;
        rect(x - sw * 0.8f, ground - s * 0.7f, x + sw * 0.8f, ground, {150, 110, 70});
        poly({{x - sw * 1.05f, ground - s * 0.65f},
              {x, ground - s * 1.35f},
              {x + sw * 1.05f, ground - s * 0.65f}},
             {190, 160, 80});
        rect(x - sw * 0.2f, ground - s * 0.45f, x + sw * 0.2f, ground, {80, 55, 35});
    }
    void raft(float x, float y, float size) {
        const float sw = size * h / w;
        for (int i = -3; i <= 3; ++i) {
            ellipse(x + i * sw * 0.22f, y, sw * 0.11f, size * 0.08f, {150, 105, 60});
        }
        stroke(x, y, x, y - size * 1.1f, 0.008f, {110, 75, 40});
        poly({{x + 0.005f, y - size * 1.05f},
              {x + sw * 0.8f, y - size * 0.35f},
              {x + 0.005f, y - size * 0.3f}},
             {235, 230, 210});
    }
    void fish(float x, float y, float size, Rgb col, bool left = false) {
        const float sw = size * h / w * (left ? -1.0f : 1.0f);
        ellipse(x, y, std::fabs(sw) * 0.5f, size * 0.22f, col);
        poly({{x - sw * 0.45f, y},
              {x - sw * 0.8f, y - size * 0.2f},
              {x - sw * 0.8f, y + size * 0.2f}},
             shade(col, 0.8f));
        disc(x + sw * 0.3f, y - size * 0.05f, std::fabs(sw) * 0.05f, kInk);
    }
    void flames(float x, float ground, float size, Rng& rng) {
        for (int i = 0; i < 7; ++i) {
            const float fx = x + rng.range(-0.6f, 0.6f) * size * h / w;
            const float fh = size * rng.range(0.6f, 1.2f);
            const float fw = size * 0.22f * h / w;
            poly({{fx - fw, ground},
                  {fx + rng.range(-0.3f, 0.3f) * fw, ground - fh},
                  {fx + fw, ground}},
                 {240, 120, 30}, 0.85f);
            poly({{fx - fw * 0.5f, ground}, {fx, ground - fh * 0.6f}, {fx + fw * 0.5f, ground}},
                 {255, 220, 80}, 0.9f);
        }
    }
    void note(float x, float y, float size, Rgb col) {
        ellipse(x, y, size * 0.55f * h / w, size * 0.38f, col);
        stroke(x + size * 0.5f * h / w, y, x + size * 0.5f * h / w, y - size * 2.0f, 0.008f, col);
        stroke(x + size * 0.5f * h / w, y - size * 2.0f, x + size * 1.2f * h / w, y - size * 1.5f,
               0.008f, col);
    }
    void heart(float x, float y, float size, Rgb col, float a) {
        const float sw = size * h / w;
        disc(x - sw * 0.5f, y, sw * 0.55f, col, a);
        disc(x + sw * 0.5f, y, sw * 0.55f, col, a);
        poly({{x - sw * 1.05f, y + size * 0.1f},
              {x + sw * 1.05f, y + size * 0.1f},
              {x, y + size * 1.2f}},
             col, a);
    }
    void sparkle(float x, float y, float size, Rgb col, float a) {
        const float sw = size * h / w;
        poly({{x, y - size}, {x + sw * 0.2f, y}, {x, y + size}, {x - sw * 0.2f, y}}, col, a);
        poly({{x - sw, y}, {x, y - size * 0.2f}, {x + sw, y}, {x, y + size * 0.2f}}, col, a);
    }
};

// Places, moods and events. Each case is a small recipe of props.
void paintScene(Brush& b, Scene scene, Rng& rng) {
    switch (scene) {
        case Scene::None:
            b.sky({40, 40, 40}, {90, 90, 90});
            break;
        case Scene::Forest:
        case Scene::Explore: {
            b.sky({150, 200, 230}, {210, 235, 215}, 0.6f);
            b.hills(0.55f, 0.12f, {90, 140, 100}, rng);
            b.band(0.62f, 1.0f, {80, 130, 60}, {50, 95, 40});
            if (scene == Scene::Explore) {
                b.poly({{0.42f, 0.62f}, {0.58f, 0.62f}, {0.8f, 1.0f}, {0.2f, 1.0f}},
                       {170, 140, 90});
            }
            for (int i = 0; i < 9; ++i) {
                const float x = 0.05f + 0.11f * i + rng.range(-0.03f, 0.03f);
                const float g = 0.72f + rng.range(0.0f, 0.25f);
                if (scene == Scene::Explore && x > 0.35f && x < 0.65f) continue;
                b.pine(x, g, rng.range(0.35f, 0.55f),
                       rgbi(40 + rng.below(30), 110 + rng.below(40), 50));
            }
            for (int i = 0; i < 30; ++i)
                b.disc(rng.uniform(), rng.range(0.0f, 0.5f), 0.004f, {255, 255, 220}, 0.35f);
            break;
        }
        case Scene::Beach:
        case Scene::Clear:
        case Scene::BigCatch: {
            b.sky({70, 150, 220}, {185, 225, 245}, 0.5f);
            b.sun(0.8f, 0.16f, 0.05f, {255, 245, 200});
            b.cloud(0.25f, 0.15f, 0.1f, kWhite, 0.85f);
            b.cloud(0.55f, 0.25f, 0.07f, kWhite, 0.7f);
            b.band(0.45f, 0.68f, {40, 120, 190}, {90, 190, 210});
            b.waves(0.47f, 0.67f, kWhite, rng, 25);
            b.poly(
                {{0, 0.66f}, {0.3f, 0.64f}, {0.7f, 0.68f}, {1.0f, 0.65f}, {1.0f, 1.0f}, {0, 1.0f}},
                {235, 215, 160});
            b.band(0.85f, 1.0f, {230, 205, 150}, {215, 190, 135});
            b.palm(0.12f, 0.9f, 0.5f, 0.06f);
            if (scene == Scene::Clear) b.palm(0.9f, 0.92f, 0.42f, -0.05f);
            if (scene == Scene::BigCatch) {
                for (int i = 0; i < 14; ++i)
                    b.fish(rng.range(0.25f, 0.95f), rng.range(0.72f, 0.95f), 0.06f,
                           rgbi(120 + rng.below(60), 150 + rng.below(50), 190), rng.below(2) == 0);
            } else {
                b.rock(0.72f, 0.82f, 0.05f, {150, 140, 130});
                for (int i = 0; i < 5; ++i)
                    b.disc(rng.range(0.3f, 0.95f), rng.range(0.75f, 0.97f), 0.006f,
                           {250, 240, 230});
            }
            break;
        }
        case Scene::Sea: {
            b.sky({90, 160, 220}, {200, 230, 245}, 0.4f);
            b.cloud(0.7f, 0.12f, 0.12f, kWhite, 0.8f);
            b.band(0.38f, 1.0f, {30, 110, 180}, {10, 50, 110});
            b.waves(0.4f, 1.0f, {200, 230, 250}, rng, 60);
            b.ellipse(0.2f, 0.39f, 0.08f, 0.02f, {60, 110, 70});
            for (int i = 0; i < 4; ++i)
                b.fish(rng.range(0.2f, 0.9f), rng.range(0.65f, 0.92f), 0.06f, {90, 160, 200},
                       i % 2);
            break;
        }
        case Scene::Cave:
        case Scene::Stranded: {
            b.sky({20, 18, 24}, {50, 40, 40});
            if (scene == Scene::Cave) {
                b.ellipse(0.5f, 0.62f, 0.2f, 0.32f, {90, 120, 130});
                b.ellipse(0.5f, 0.64f, 0.16f, 0.27f, {160, 190, 190});
                b.ellipse(0.5f, 0.66f, 0.1f, 0.2f, {220, 235, 230}, 0.8f);
            } else {
                for (int i = 0; i < 12; ++i)
                    b.pine(rng.uniform(), rng.range(0.5f, 1.0f), rng.range(0.3f, 0.6f),
                           {30, 50, 40});
                b.rect(0, 0, 1, 1, {60, 70, 80}, 0.35f);
            }
            for (int i = 0; i < 14; ++i) {
                const float x = rng.uniform();
                const float len = rng.range(0.08f, 0.25f);
                b.poly({{x - 0.03f, 0}, {x + 0.03f, 0}, {x, len}}, {60, 50, 50});
            }
            b.band(0.85f, 1.0f, {45, 38, 35}, {25, 20, 20});
            for (int i = 0; i < 6; ++i)
                b.rock(rng.uniform(), 0.95f, rng.range(0.03f, 0.07f), {70, 60, 60});
            break;
        }
        case Scene::Jungle: {
            b.sky({60, 110, 60}, {120, 170, 90});
            for (int layer = 0; layer < 3; ++layer) {
                const Rgb leaf = shade({40, 130, 50}, 0.6f + layer * 0.25f);
                for (int i = 0; i < 16; ++i) {
                    const float x = rng.uniform(), y = rng.uniform();
                    const float s = rng.range(0.05f, 0.12f);
                    const float ang = rng.range(0.0f, 2 * kPi);
                    b.poly({{x, y},
                            {x + std::cos(ang) * s * 2.0f, y + std::sin(ang) * s},
                            {x + std::cos(ang + 0.5f) * s, y + std::sin(ang + 0.5f) * s * 1.4f}},
                           leaf);
                }
            }
            for (int i = 0; i < 5; ++i) {
                const float x = rng.uniform();
                b.stroke(x, 0, x + rng.range(-0.05f, 0.05f), rng.range(0.4f, 0.8f), 0.006f,
                         {70, 90, 40});
            }
            b.disc(0.7f, 0.55f, 0.02f, {230, 60, 80});
            b.disc(0.3f, 0.75f, 0.018f, {250, 200, 40});
            break;
        }
        case Scene::Lake: {
            b.sky({120, 180, 230}, {220, 235, 240}, 0.5f);
            b.poly({{0, 0.5f}, {0.25f, 0.18f}, {0.45f, 0.5f}}, {110, 120, 150});
            b.poly({{0.3f, 0.5f}, {0.6f, 0.12f}, {0.9f, 0.5f}}, {130, 140, 170});
            b.poly({{0.55f, 0.2f}, {0.6f, 0.12f}, {0.65f, 0.2f}}, kWhite);
            b.band(0.48f, 1.0f, {90, 150, 80}, {60, 110, 50});
            b.ellipse(0.5f, 0.7f, 0.42f, 0.18f, {70, 140, 190});
            b.ellipse(0.5f, 0.68f, 0.34f, 0.1f, {130, 190, 220}, 0.6f);
            b.waves(0.6f, 0.8f, kWhite, rng, 10);
            b.roundTree(0.1f, 0.9f, 0.35f, {60, 130, 60});
            b.roundTree(0.9f, 0.88f, 0.3f, {70, 140, 60});
            break;
        }
        case Scene::Cliff: {
            b.sky({150, 180, 210}, {230, 220, 210}, 0.7f);
            b.cloud(0.3f, 0.2f, 0.1f, kWhite, 0.8f);
            b.band(0.7f, 1.0f, {50, 100, 160}, {30, 70, 120});
            b.waves(0.72f, 1.0f, kWhite, rng, 20);
            b.poly({{0, 0.35f},
                    {0.45f, 0.4f},
                    {0.52f, 0.55f},
                    {0.48f, 0.75f},
                    {0.56f, 1.0f},
                    {0, 1.0f}},
                   {120, 100, 85});
            b.poly({{0, 0.35f}, {0.45f, 0.4f}, {0.47f, 0.45f}, {0, 0.42f}}, {90, 140, 70});
            for (int i = 0; i < 8; ++i)
                b.stroke(rng.range(0.05f, 0.45f), rng.range(0.45f, 0.95f), rng.range(0.05f, 0.45f),
                         rng.range(0.45f, 0.95f), 0.004f, {90, 75, 65});
            b.poly({{0.75f, 0.25f}, {0.8f, 0.22f}, {0.85f, 0.25f}, {0.8f, 0.235f}}, {60, 60, 70});
            break;
        }
        case Scene::Sleep:
        case Scene::Night: {
            const Rgb top{10, 15, 45}, bottom{40, 50, 100};
            b.sky(top, bottom, 0.75f);
            b.stars(scene == Scene::Night ? 160 : 50, 0.7f, rng);
            b.moon(0.78f, 0.2f, 0.05f, mix(top, bottom, 0.25f));
            b.hills(0.72f, 0.1f, {20, 30, 40}, rng);
            b.band(0.75f, 1.0f, {25, 35, 45}, {15, 20, 25});
            if (scene == Scene::Sleep) {
                b.poly({{0.2f, 0.92f}, {0.38f, 0.55f}, {0.56f, 0.92f}}, {150, 120, 70});
                b.poly({{0.33f, 0.92f}, {0.38f, 0.7f}, {0.43f, 0.92f}}, {40, 30, 20});
                b.flames(0.72f, 0.9f, 0.08f, rng);
                b.ellipse(0.72f, 0.87f, 0.12f, 0.08f, {255, 170, 60}, 0.15f);
            } else {
                b.palm(0.15f, 0.95f, 0.55f, 0.05f);
                b.ellipse(0.6f, 0.85f, 0.25f, 0.02f, {200, 200, 160}, 0.25f);
            }
            break;
        }
        case Scene::Morning: {
            b.sky({120, 140, 200}, {250, 190, 150}, 0.55f);
            b.sun(0.5f, 0.52f, 0.07f, {255, 220, 150});
            b.cloud(0.25f, 0.22f, 0.12f, {255, 210, 200}, 0.7f);
            b.cloud(0.75f, 0.3f, 0.09f, {255, 220, 210}, 0.6f);
            b.band(0.52f, 1.0f, {240, 170, 130}, {70, 90, 140});
            b.waves(0.54f, 1.0f, {255, 230, 200}, rng, 60);
            b.palm(0.08f, 1.0f, 0.6f, 0.05f);
            break;
        }
        case Scene::OpenSea: {
            b.sky({60, 40, 90}, {230, 120, 90}, 0.5f);
            b.sun(0.3f, 0.46f, 0.05f, {255, 180, 100});
            b.band(0.48f, 1.0f, {110, 70, 110}, {20, 30, 70});
            b.waves(0.5f, 1.0f, {240, 160, 140}, rng, 80);
            b.raft(0.6f, 0.72f, 0.2f);
            b.poly({{0.82f, 0.47f}, {0.95f, 0.47f}, {0.93f, 0.49f}, {0.84f, 0.49f}}, {30, 20, 40});
            b.stroke(0.885f, 0.47f, 0.885f, 0.41f, 0.003f, {30, 20, 40});
            break;
        }
        case Scene::Last: {
            b.sky({0, 0, 0}, {10, 5, 20});
            for (int i = 0; i < 70; ++i) {
                const float x = rng.uniform(), y = rng.uniform();
                const float r = rng.range(0.002f, 0.008f);
                b.disc(x, y, r * 3, {120, 160, 255}, 0.08f);
                b.disc(x, y, r, {200, 220, 255}, 0.6f);
            }
            break;
        }
        case Scene::Rain:
        case Scene::BlessedRain:
        case Scene::Typhoon: {
            const bool storm = scene == Scene::Typhoon;
            b.sky(storm ? Rgb{40, 45, 55} : Rgb{110, 120, 135},
                  storm ? Rgb{80, 85, 90} : Rgb{170, 180, 190}, 0.55f);
            for (int i = 0; i < 6; ++i)
                b.cloud(rng.uniform(), rng.range(0.05f, 0.3f), rng.range(0.1f, 0.2f),
                        storm ? Rgb{30, 30, 40} : Rgb{130, 135, 145}, 0.8f);
            b.band(0.52f, 0.7f, {70, 90, 110}, {60, 80, 100});
            b.waves(0.53f, 0.69f, {180, 190, 200}, rng, storm ? 50 : 15);
            b.band(0.68f, 1.0f, {90, 110, 80}, {60, 80, 55});
            b.palm(0.25f, 0.95f, 0.5f, storm ? 0.2f : 0.03f);
            b.hut(0.72f, 0.9f, 0.22f);
            if (scene == Scene::BlessedRain) {
                b.ellipse(0.5f, 0.4f, 0.3f, 0.3f, {255, 250, 200}, 0.15f);
                for (int i = 0; i < 5; ++i)
                    b.sparkle(rng.range(0.1f, 0.9f), rng.range(0.1f, 0.5f), 0.04f, {255, 255, 220},
                              0.8f);
            }
            b.rain(storm ? 260 : 140, storm ? 0.05f : 0.012f, storm ? 0.6f : 0.45f, rng);
            if (storm) b.stroke(0.6f, 0.0f, 0.55f, 0.25f, 0.006f, {255, 255, 200});
            break;
        }
        case Scene::Drought: {
            b.sky({250, 180, 70}, {255, 230, 150}, 0.55f);
            b.sun(0.5f, 0.2f, 0.09f, {255, 250, 220});
            b.band(0.52f, 1.0f, {200, 150, 90}, {160, 110, 60});
            for (int i = 0; i < 30; ++i) {
                const float x = rng.uniform(), y = rng.range(0.56f, 1.0f);
                b.stroke(x, y, x + rng.range(-0.08f, 0.08f), y + rng.range(0.02f, 0.06f), 0.004f,
                         {110, 70, 40});
            }
            b.palm(0.82f, 0.8f, 0.35f, -0.08f);
            b.rect(0, 0, 1, 1, {255, 200, 120}, 0.12f);
            break;
        }
        case Scene::Flood: {
            b.sky({90, 100, 115}, {150, 160, 170}, 0.45f);
            b.cloud(0.3f, 0.12f, 0.16f, {80, 85, 95}, 0.8f);
            b.pine(0.2f, 0.75f, 0.4f, {40, 90, 50});
            b.pine(0.75f, 0.72f, 0.45f, {40, 90, 50});
            b.hut(0.5f, 0.72f, 0.22f);
            b.band(0.55f, 1.0f, {120, 110, 80}, {80, 70, 50});
            b.waves(0.56f, 1.0f, {200, 190, 160}, rng, 40);
            b.rain(100, 0.01f, 0.35f, rng);
            break;
        }
        case Scene::Fire: {
            b.sky({60, 20, 10}, {200, 80, 30}, 0.7f);
            b.band(0.7f, 1.0f, {50, 30, 20}, {20, 10, 5});
            for (int i = 0; i < 6; ++i) b.pine(0.08f + i * 0.17f, 0.8f, 0.4f, {30, 25, 20});
            b.flames(0.3f, 0.85f, 0.3f, rng);
            b.flames(0.7f, 0.85f, 0.35f, rng);
            for (int i = 0; i < 40; ++i)
                b.disc(rng.uniform(), rng.range(0.0f, 0.7f), 0.003f, {255, 200, 80}, 0.8f);
            break;
        }
        case Scene::Earthquake: {
            b.sky({160, 140, 120}, {210, 190, 160}, 0.5f);
            b.hills(0.5f, 0.12f, {120, 100, 80}, rng);
            b.band(0.55f, 1.0f, {150, 120, 80}, {110, 85, 55});
            float x = 0.3f, y = 0.55f;
            for (int i = 0; i < 8; ++i) {
                const float nx = x + rng.range(-0.06f, 0.1f), ny = y + 0.06f;
                b.stroke(x, y, nx, ny, 0.012f - i * 0.001f, {40, 25, 15});
                x = nx;
                y = ny;
            }
            for (int i = 0; i < 7; ++i)
                b.rock(rng.uniform(), rng.range(0.2f, 0.6f), rng.range(0.02f, 0.05f),
                       {100, 85, 70});
            for (int i = 0; i < 4; ++i) {
                const float ly = 0.1f + i * 0.1f;
                b.stroke(0.02f, ly, 0.08f, ly + 0.02f, 0.004f, {80, 60, 40});
                b.stroke(0.92f, ly, 0.98f, ly + 0.02f, 0.004f, {80, 60, 40});
            }
            break;
        }
        case Scene::Epidemic: {
            b.sky({70, 60, 90}, {120, 130, 100});
            b.hut(0.5f, 0.85f, 0.3f);
            b.band(0.85f, 1.0f, {70, 80, 60}, {50, 60, 40});
            for (int i = 0; i < 25; ++i)
                b.disc(rng.uniform(), rng.uniform(), rng.range(0.03f, 0.1f), {140, 190, 90}, 0.15f);
            for (int i = 0; i < 40; ++i)
                b.disc(rng.uniform(), rng.uniform(), 0.006f, {180, 230, 120}, 0.6f);
            break;
        }
        case Scene::Rainbow: {
            b.sky({110, 170, 230}, {220, 240, 250}, 0.6f);
            const Rgb bands[] = {{230, 60, 60}, {240, 150, 50}, {240, 230, 70},
                                 {80, 190, 80}, {70, 130, 220}, {120, 80, 190}};
            for (int i = 0; i < 6; ++i)
                b.ellipse(0.5f, 0.75f, 0.46f - i * 0.03f, 0.6f - i * 0.04f, bands[i], 0.75f);
            b.ellipse(0.5f, 0.75f, 0.28f, 0.36f, {170, 210, 240});
            b.hills(0.7f, 0.15f, {80, 150, 80}, rng);
            b.band(0.78f, 1.0f, {90, 160, 80}, {60, 120, 60});
            break;
        }
        case Scene::ShootingStar: {
            const Rgb top{5, 10, 40};
            b.sky(top, {30, 40, 90}, 0.8f);
            b.stars(120, 0.8f, rng);
            for (int i = 0; i < 10; ++i)
                b.stroke(0.25f + i * 0.03f, 0.15f + i * 0.02f, 0.28f + i * 0.03f, 0.17f + i * 0.02f,
                         0.004f + i * 0.0008f, {255, 250, 200}, 0.2f + i * 0.07f);
            b.sparkle(0.56f, 0.36f, 0.06f, {255, 255, 230}, 1.0f);
            b.hills(0.8f, 0.08f, {15, 20, 35}, rng);
            b.band(0.82f, 1.0f, {20, 25, 40}, {10, 10, 20});
            break;
        }
        case Scene::Bath: {
            b.sky({210, 225, 235}, {170, 190, 205});
            for (int i = 0; i < 8; ++i)
                b.stroke(i / 8.0f, 0, i / 8.0f, 0.6f, 0.003f, {150, 170, 185});
            b.band(0.6f, 1.0f, {120, 100, 80}, {90, 70, 55});
            b.rect(0.3f, 0.45f, 0.7f, 0.9f, {110, 110, 120});
            b.rect(0.3f, 0.55f, 0.7f, 0.58f, {80, 80, 90});
            b.rect(0.3f, 0.75f, 0.7f, 0.78f, {80, 80, 90});
            b.ellipse(0.5f, 0.45f, 0.2f, 0.05f, {120, 190, 220});
            b.flames(0.5f, 0.98f, 0.08f, rng);
            for (int i = 0; i < 12; ++i)
                b.disc(rng.range(0.3f, 0.7f), rng.range(0.05f, 0.4f), rng.range(0.015f, 0.04f),
                       kWhite, 0.35f);
            break;
        }
        case Scene::Toilet: {
            b.sky({160, 200, 230}, {210, 230, 220}, 0.65f);
            b.band(0.65f, 1.0f, {100, 140, 70}, {70, 110, 50});
            b.rect(0.35f, 0.25f, 0.65f, 0.9f, {160, 120, 75});
            b.poly({{0.32f, 0.27f}, {0.5f, 0.12f}, {0.68f, 0.27f}}, {120, 85, 50});
            b.rect(0.4f, 0.35f, 0.6f, 0.9f, {135, 95, 60});
            b.moon(0.5f, 0.45f, 0.025f, {135, 95, 60});
            b.roundTree(0.15f, 0.92f, 0.4f, {60, 130, 60});
            b.roundTree(0.85f, 0.9f, 0.35f, {70, 140, 60});
            break;
        }
        case Scene::Meal:
        case Scene::Fish:
        case Scene::Meat: {
            b.sky({120, 90, 60}, {170, 130, 90});
            for (int i = 0; i < 6; ++i)
                b.stroke(0, 0.1f + i * 0.1f, 1, 0.12f + i * 0.1f, 0.004f, {100, 75, 50}, 0.5f);
            b.band(0.55f, 1.0f, {190, 140, 90}, {150, 105, 65});
            b.ellipse(0.5f, 0.72f, 0.3f, 0.16f, {240, 240, 235});
            b.ellipse(0.5f, 0.71f, 0.23f, 0.11f, {225, 225, 220});
            if (scene == Scene::Fish) {
                b.fish(0.5f, 0.7f, 0.2f, {110, 150, 190});
            } else if (scene == Scene::Meat) {
                b.ellipse(0.48f, 0.7f, 0.12f, 0.08f, {160, 70, 50});
                b.ellipse(0.48f, 0.69f, 0.08f, 0.05f, {200, 110, 80});
                b.stroke(0.58f, 0.7f, 0.7f, 0.62f, 0.02f, {240, 235, 220});
                b.disc(0.71f, 0.61f, 0.015f, {240, 235, 220});
            } else {
                const Rgb fruit[] = {{220, 40, 40}, {240, 140, 30}, {120, 60, 140}, {240, 200, 60}};
                for (int i = 0; i < 4; ++i)
                    b.disc(0.38f + i * 0.08f, 0.69f - (i % 2) * 0.03f, 0.035f, fruit[i]);
            }
            b.rect(0.08f, 0.5f, 0.14f, 0.85f, {200, 200, 200});
            b.stroke(0.86f, 0.5f, 0.86f, 0.85f, 0.012f, {200, 200, 200});
            for (int i = 0; i < 3; ++i)
                b.stroke(0.45f + i * 0.05f, 0.5f, 0.47f + i * 0.05f, 0.3f, 0.006f, kWhite, 0.3f);
            break;
        }
        case Scene::Facility: {
            b.sky({140, 190, 230}, {220, 235, 240}, 0.65f);
            b.band(0.65f, 1.0f, {150, 160, 90}, {110, 120, 60});
            b.hut(0.32f, 0.88f, 0.45f);
            for (int i = 0; i < 4; ++i)
                b.stroke(0.6f + i * 0.09f, 0.88f, 0.6f + i * 0.09f, 0.45f, 0.012f, {140, 100, 60});
            b.stroke(0.58f, 0.5f, 0.9f, 0.5f, 0.012f, {140, 100, 60});
            b.stroke(0.58f, 0.7f, 0.9f, 0.7f, 0.012f, {140, 100, 60});
            b.stroke(0.6f, 0.88f, 0.87f, 0.5f, 0.008f, {120, 85, 50});
            break;
        }
        case Scene::Craft:
        case Scene::Carving:
        case Scene::Material: {
            b.sky({150, 110, 70}, {110, 80, 50});
            for (int i = 0; i < 10; ++i)
                b.stroke(0, i * 0.1f + 0.03f, 1, i * 0.1f + 0.05f, 0.005f, {90, 65, 40}, 0.5f);
            if (scene == Scene::Craft) {
                b.stroke(0.25f, 0.8f, 0.5f, 0.35f, 0.025f, {150, 100, 60});
                b.rect(0.42f, 0.25f, 0.62f, 0.38f, {130, 130, 140});
                b.stroke(0.6f, 0.85f, 0.8f, 0.45f, 0.01f, {200, 200, 210});
                b.rect(0.56f, 0.82f, 0.66f, 0.92f, {120, 70, 40});
            } else if (scene == Scene::Carving) {
                b.ellipse(0.5f, 0.35f, 0.07f, 0.1f, {210, 170, 110});
                b.poly({{0.42f, 0.45f}, {0.58f, 0.45f}, {0.62f, 0.85f}, {0.38f, 0.85f}},
                       {200, 160, 100});
                for (int i = 0; i < 10; ++i)
                    b.ellipse(rng.range(0.15f, 0.85f), rng.range(0.85f, 0.97f), 0.025f, 0.01f,
                              {230, 200, 150});
                b.stroke(0.7f, 0.5f, 0.85f, 0.7f, 0.012f, {190, 190, 200});
            } else {
                for (int i = 0; i < 4; ++i) {
                    const float y = 0.5f + i * 0.09f;
                    b.rect(0.08f, y, 0.5f, y + 0.07f, rgbi(150 - i * 10, 100, 60));
                    b.ellipse(0.5f, y + 0.035f, 0.02f, 0.035f, {200, 160, 110});
                }
                for (int i = 0; i < 6; ++i)
                    b.rock(rng.range(0.6f, 0.92f), rng.range(0.6f, 0.95f), rng.range(0.04f, 0.07f),
                           rgbi(140 + rng.below(30), 140, 140));
            }
            break;
        }
        case Scene::Song: {
            b.sky({60, 40, 90}, {150, 90, 150});
            for (int i = 0; i < 5; ++i)
                b.stroke(0, 0.3f + i * 0.05f, 1, 0.3f + i * 0.05f, 0.004f, {240, 220, 250}, 0.6f);
            const Rgb tones[] = {{255, 220, 120}, {150, 220, 255}, {255, 160, 200}};
            for (int i = 0; i < 6; ++i)
                b.note(0.12f + i * 0.14f, 0.35f + (i % 3) * 0.05f, 0.05f, tones[i % 3]);
            b.rect(0.15f, 0.7f, 0.85f, 1.0f, {90, 50, 30});
            for (int i = 0; i < 14; ++i)
                b.rect(0.16f + i * 0.05f, 0.72f, 0.2f + i * 0.05f, 0.85f, kWhite);
            for (int i = 0; i < 14; ++i)
                if (i % 7 != 2 && i % 7 != 6)
                    b.rect(0.19f + i * 0.05f, 0.72f, 0.21f + i * 0.05f, 0.8f, kInk);
            break;
        }
        case Scene::Escape: {
            b.sky({80, 150, 220}, {200, 225, 240}, 0.5f);
            b.band(0.48f, 0.75f, {40, 120, 190}, {90, 180, 210});
            b.waves(0.5f, 0.74f, kWhite, rng, 20);
            b.band(0.72f, 1.0f, {230, 210, 160}, {210, 185, 130});
            b.raft(0.5f, 0.82f, 0.35f);
            b.stroke(0.15f, 0.95f, 0.3f, 0.75f, 0.012f, {140, 100, 60});
            b.stroke(0.8f, 0.9f, 0.92f, 0.72f, 0.012f, {140, 100, 60});
            break;
        }
    }
}

// The place's name on a translucent band at the bottom.
void captionBand(Canvas& c, const TextPainter& text, std::string_view caption) {
    if (caption.empty() || !text.available()) return;
    const int size = std::max(12, c.height() / 8);
    const int bandTop = c.height() - size - size / 2;
    c.fillRect(0, static_cast<float>(bandTop), static_cast<float>(c.width()),
               static_cast<float>(c.height()), kBlack, 0.4f);
    text.drawCentred(c, caption, c.width() / 2, c.height() - size / 2 - 2, size, c.width() - 8,
                     kWhite, kInk);
}

// The full-window backgrounds lie under the window's white text: the status
// column on the left and the message line at the bottom left. Those areas
// are dimmed, with a soft edge, so that the text reads on every background.
void dimTextAreas(Canvas& c) {
    constexpr float kColumn = 124, kMessageTop = 358, kMessageRight = 352, kEdge = 8;
    constexpr float kDim = 0.6f;
    const float h = static_cast<float>(c.height());
    c.fillRect(0, 0, kColumn, h, {0, 0, 0}, kDim);
    c.fillRect(kColumn, kMessageTop, kMessageRight, h, {0, 0, 0}, kDim);
    for (float i = 0; i < kEdge; ++i) {
        const float a = kDim * (1 - (i + 1) / (kEdge + 1));
        c.fillRect(kColumn + i, 0, kColumn + i + 1, kMessageTop, {0, 0, 0}, a);
        c.fillRect(kMessageRight + i, kMessageTop, kMessageRight + i + 1, h, {0, 0, 0}, a);
        c.fillRect(kColumn + kEdge, kMessageTop - i - 1, kMessageRight, kMessageTop - i, {0, 0, 0},
                   a);
    }
}

Canvas paintScenePicture(const PictureAsset& a, const TextPainter& text) {
    Canvas big(a.width * kSupersample, a.height * kSupersample);
    Brush b(big);
    Rng rng(hashText(a.name));
    paintScene(b, a.scene, rng);
    big.grain(4.0f, hashText(a.name) ^ 0x5151);
    big.vignette(0.35f);
    Canvas out = big.downsample(kSupersample);
    captionBand(out, text, a.caption);
    if (a.kind == AssetKind::Bitmap) dimTextAreas(out);
    return out;
}

// A standing figure: hair behind, body, head, face, hair in front, then the
// name. The blushing variant adds cheeks, a warmer light and hearts.
Canvas paintPortrait(const PictureAsset& a, const TextPainter& text) {
    Canvas big(a.width * kSupersample, a.height * kSupersample);
    Brush b(big);
    Rng rng(hashText(a.name));
    const Rgb main = rgb(a.colour);
    const bool blush = a.variant == 1;
    const bool giant = a.figure == Figure::Giant;

    // Background: a soft light in the character's colour.
    const Rgb light = mix(main, kWhite, blush ? 0.55f : 0.75f);
    if (giant) {
        b.sky({20, 5, 10}, {90, 20, 20});
    } else {
        b.sky(blush ? mix(light, {255, 180, 200}, 0.5f) : light, mix(main, kWhite, 0.35f));
    }
    for (int i = 0; i < 14; ++i)
        b.disc(rng.uniform(), rng.uniform(), rng.range(0.03f, 0.12f), kWhite,
               giant ? 0.03f : 0.18f);

    // Layout: the head sits high on tall pictures and central on wide ones.
    const float aspect = b.h / b.w;
    const float cx = 0.5f;
    const float headY = aspect > 1.3f ? 0.27f : (giant ? 0.38f : 0.45f);
    // Head size in pixels: from the width on tall pictures, from the smaller
    // side on wide ones, so that the figure fits whatever the frame.
    const float headPx = aspect > 1.3f ? 0.23f * b.w
                         : giant       ? 0.17f * b.w
                                       : 0.22f * std::min(b.w, b.h);
    const float headRx = headPx / b.w;
    const float headRy = headPx * 1.12f / b.h;
    const Rgb skin = giant ? Rgb{120, 90, 80} : Rgb{250, 220, 195};
    const Rgb hair = shade(main, 0.85f);
    const Rgb cloth =
        a.figure == Figure::Crown || giant ? Rgb{110, 20, 40} : mix(main, kInk, 0.45f);

    // Hair behind the head.
    switch (a.figure) {
        case Figure::LongHair:
            b.ellipse(cx, headY + headRy * 0.3f, headRx * 1.25f, headRy * 1.3f, hair);
            b.rect(cx - headRx * 1.2f, headY, cx + headRx * 1.2f, headY + headRy * 3.2f, hair);
            break;
        case Figure::Straight:
            b.rect(cx - headRx * 1.1f, headY - headRy * 0.5f, cx + headRx * 1.1f,
                   headY + headRy * 2.4f, hair);
            break;
        case Figure::Bob:
            b.ellipse(cx, headY + headRy * 0.2f, headRx * 1.3f, headRy * 1.25f, hair);
            break;
        default:
            break;
    }

    // Body: neck, shoulders and a torso that widens a little to the bottom edge.
    const float neckY = headY + headRy * 0.95f;
    const float shoulderY = neckY + headRy * 0.35f;
    b.rect(cx - headRx * 0.25f, neckY - headRy * 0.2f, cx + headRx * 0.25f, shoulderY + 0.01f,
           skin);
    b.poly({{cx - headRx * 0.6f, shoulderY},
            {cx + headRx * 0.6f, shoulderY},
            {cx + headRx * 1.5f, shoulderY + headRy * 0.35f},
            {cx + headRx * 1.75f, 1.0f},
            {cx - headRx * 1.75f, 1.0f},
            {cx - headRx * 1.5f, shoulderY + headRy * 0.35f}},
           cloth);
    b.poly({{cx - headRx * 0.45f, shoulderY},
            {cx + headRx * 0.45f, shoulderY},
            {cx, shoulderY + headRy * 0.7f}},
           mix(cloth, kWhite, 0.6f));
    if (aspect > 1.3f) {
        // Arms down the sides, a belt and the hands.
        for (int side = -1; side <= 1; side += 2) {
            b.stroke(cx + side * headRx * 1.45f, shoulderY + headRy * 0.4f,
                     cx + side * headRx * 1.85f, 0.8f, headRx * 0.45f, shade(cloth, 0.8f));
            b.disc(cx + side * headRx * 1.87f, 0.82f, headRx * 0.22f, skin);
        }
        b.rect(cx - headRx * 1.3f, 0.72f, cx + headRx * 1.3f, 0.745f, mix(main, kInk, 0.7f));
        b.rect(cx - headRx * 0.12f, 0.715f, cx + headRx * 0.12f, 0.75f, {220, 200, 120});
    }
    // Long hair falls over the shoulders.
    if (a.figure == Figure::LongHair || a.figure == Figure::Straight) {
        const float len = a.figure == Figure::LongHair ? 2.9f : 2.2f;
        for (int side = -1; side <= 1; side += 2)
            b.poly({{cx + side * headRx * 0.8f, headY},
                    {cx + side * headRx * 1.22f, headY},
                    {cx + side * headRx * 1.3f, headY + headRy * len},
                    {cx + side * headRx * 0.95f, headY + headRy * (len - 0.2f)}},
                   hair);
    }

    // Head and face.
    b.ellipse(cx, headY, headRx, headRy, skin);
    const float eyeY = headY + headRy * 0.15f;
    const Rgb iris = giant ? Rgb{255, 60, 40} : shade(main, 0.6f);
    for (int side = -1; side <= 1; side += 2) {
        const float ex = cx + side * headRx * 0.42f;
        if (a.figure == Figure::Hat) {
            b.stroke(ex - headRx * 0.15f, eyeY, ex + headRx * 0.15f, eyeY, 0.01f, kInk);
            continue;
        }
        b.ellipse(ex, eyeY, headRx * 0.17f, headRy * 0.2f, kWhite);
        b.ellipse(ex, eyeY + headRy * 0.02f, headRx * 0.12f, headRy * 0.17f, iris);
        b.ellipse(ex, eyeY + headRy * 0.04f, headRx * 0.06f, headRy * 0.09f, kInk);
        b.ellipse(ex - headRx * 0.04f, eyeY - headRy * 0.05f, headRx * 0.04f, headRy * 0.04f,
                  kWhite);
        b.stroke(ex - headRx * 0.18f, eyeY - headRy * 0.27f - (giant ? side * 0.02f : 0.0f),
                 ex + headRx * 0.18f, eyeY - headRy * 0.3f + (giant ? side * 0.02f : 0.0f), 0.006f,
                 shade(hair, 0.6f));
    }
    if (blush) {
        b.ellipse(cx - headRx * 0.55f, eyeY + headRy * 0.32f, headRx * 0.2f, headRy * 0.08f,
                  {255, 120, 140}, 0.6f);
        b.ellipse(cx + headRx * 0.55f, eyeY + headRy * 0.32f, headRx * 0.2f, headRy * 0.08f,
                  {255, 120, 140}, 0.6f);
    }
    const float mouthY = headY + headRy * 0.6f;
    if (giant) {
        b.poly({{cx - headRx * 0.4f, mouthY},
                {cx + headRx * 0.4f, mouthY},
                {cx, mouthY + headRy * 0.15f}},
               kInk);
    } else {
        b.stroke(cx - headRx * 0.15f, mouthY, cx, mouthY + headRy * (blush ? 0.03f : 0.06f), 0.006f,
                 {170, 70, 70});
        b.stroke(cx, mouthY + headRy * (blush ? 0.03f : 0.06f), cx + headRx * 0.15f, mouthY, 0.006f,
                 {170, 70, 70});
    }

    // Hair and headwear in front.
    const float top = headY - headRy;
    switch (a.figure) {
        case Figure::LongHair:
        case Figure::Straight:
        case Figure::Bob:
            b.ellipse(cx, headY - headRy * 0.55f, headRx * 1.08f, headRy * 0.55f, hair);
            for (int i = 0; i < 5; ++i) {
                const float x = cx - headRx * 0.8f + i * headRx * 0.4f;
                b.poly({{x - headRx * 0.25f, headY - headRy * 0.3f},
                        {x + headRx * 0.25f, headY - headRy * 0.3f},
                        {x + (a.figure == Figure::Straight ? 0.0f : headRx * 0.08f),
                         headY - headRy * 0.02f}},
                       hair);
            }
            if (a.figure == Figure::LongHair) {
                b.disc(cx + headRx * 0.8f, top + headRy * 0.3f, headRx * 0.22f, {255, 110, 150});
            }
            if (a.figure == Figure::Straight) {
                b.poly({{cx + headRx * 0.1f, headY - headRy * 0.5f},
                        {cx + headRx * 0.95f, headY - headRy * 0.4f},
                        {cx + headRx * 0.7f, headY + headRy * 0.3f}},
                       hair);
            }
            if (a.figure == Figure::Bob) {
                b.stroke(cx, top, cx + headRx * 0.3f, top - headRy * 0.35f, 0.01f, hair);
            }
            break;
        case Figure::Spiky:
            for (int i = 0; i < 7; ++i) {
                const float ang = kPi * (0.05f + i * 0.15f);
                const float bx = cx + std::cos(ang) * headRx * 0.9f;
                const float by = headY - std::sin(ang) * headRy * 0.75f;
                b.poly(
                    {{bx - headRx * 0.3f, by + headRy * 0.25f},
                     {bx + headRx * 0.3f, by + headRy * 0.25f},
                     {cx + std::cos(ang) * headRx * 1.6f, headY - std::sin(ang) * headRy * 1.45f}},
                    hair);
            }
            b.ellipse(cx, headY - headRy * 0.6f, headRx * 1.0f, headRy * 0.45f, hair);
            b.rect(cx - headRx * 0.95f, headY - headRy * 0.15f, cx + headRx * 0.95f,
                   headY - headRy * 0.05f, {220, 40, 40});
            break;
        case Figure::Hat:
            b.ellipse(cx, headY + headRy * 0.98f, headRx * 0.55f, headRy * 0.3f, {230, 230, 225});
            b.ellipse(cx, top + headRy * 0.25f, headRx * 1.6f, headRy * 0.16f, shade(main, 0.6f));
            b.rect(cx - headRx * 0.9f, top - headRy * 0.6f, cx + headRx * 0.9f,
                   top + headRy * 0.25f, shade(main, 0.7f));
            b.rect(cx - headRx * 0.9f, top + headRy * 0.02f, cx + headRx * 0.9f,
                   top + headRy * 0.14f, {200, 60, 50});
            break;
        case Figure::Crown:
        case Figure::Giant: {
            b.ellipse(cx, headY + headRy * 0.98f, headRx * 0.7f, headRy * 0.32f, {90, 60, 40});
            const Rgb gold{230, 190, 60};
            b.poly({{cx - headRx * 0.9f, top + headRy * 0.2f},
                    {cx - headRx * 0.95f, top - headRy * 0.55f},
                    {cx - headRx * 0.5f, top - headRy * 0.15f},
                    {cx, top - headRy * 0.7f},
                    {cx + headRx * 0.5f, top - headRy * 0.15f},
                    {cx + headRx * 0.95f, top - headRy * 0.55f},
                    {cx + headRx * 0.9f, top + headRy * 0.2f}},
                   gold);
            b.disc(cx, top - headRy * 0.05f, headRx * 0.12f, {200, 30, 50});
            break;
        }
        case Figure::Turban:
            b.ellipse(cx, top + headRy * 0.15f, headRx * 1.2f, headRy * 0.55f, main);
            b.stroke(cx - headRx * 1.0f, top + headRy * 0.1f, cx + headRx * 1.0f,
                     top - headRy * 0.1f, 0.02f, shade(main, 0.75f));
            b.disc(cx, top + headRy * 0.1f, headRx * 0.15f, {230, 60, 70});
            b.ellipse(cx, headY + headRy * 0.72f, headRx * 0.35f, headRy * 0.2f, shade(main, 0.5f));
            break;
        case Figure::None:
            break;
    }

    if (blush) {
        for (int i = 0; i < 6; ++i)
            b.heart(rng.range(0.08f, 0.92f), rng.range(0.05f, 0.5f), rng.range(0.02f, 0.04f),
                    {255, 110, 150}, 0.6f);
    }
    if (giant) big.vignette(0.7f);
    big.grain(3.0f, hashText(a.name) ^ 0x7a7a);
    Canvas out = big.downsample(kSupersample);

    // The name at the bottom, in the character's colour.
    if (text.available() && !a.caption.empty()) {
        const int size = std::clamp(std::min(out.width(), out.height()) / 7, 12, 40);
        text.drawCentred(out, a.caption, out.width() / 2, out.height() - size / 2, size,
                         out.width() - 8, kWhite, shade(main, 0.45f));
    }
    return out;
}

// A monster's silhouette in its colour on a dark stage, eyes glowing.
void paintSilhouette(Brush& b, Silhouette s, Rgb body, Rng& rng) {
    const Rgb dark = shade(body, 0.55f);
    const Rgb eye{255, 240, 90};
    auto eyes = [&](float x, float y, float gap, float r) {
        b.disc(x - gap, y, r * 2.2f, eye, 0.25f);
        b.disc(x + gap, y, r * 2.2f, eye, 0.25f);
        b.disc(x - gap, y, r, eye);
        b.disc(x + gap, y, r, eye);
    };
    switch (s) {
        case Silhouette::Dragon:
            b.poly({{0.3f, 0.45f}, {0.08f, 0.12f}, {0.22f, 0.3f}, {0.12f, 0.2f}, {0.38f, 0.38f}},
                   dark);
            b.poly({{0.7f, 0.45f}, {0.92f, 0.12f}, {0.78f, 0.3f}, {0.88f, 0.2f}, {0.62f, 0.38f}},
                   dark);
            b.ellipse(0.5f, 0.62f, 0.2f, 0.2f, body);
            b.poly({{0.62f, 0.7f}, {0.9f, 0.85f}, {0.95f, 0.78f}, {0.66f, 0.62f}}, dark);
            b.poly({{0.44f, 0.5f}, {0.48f, 0.2f}, {0.56f, 0.2f}, {0.58f, 0.5f}}, body);
            b.ellipse(0.52f, 0.2f, 0.09f, 0.09f, body);
            b.poly({{0.47f, 0.13f}, {0.43f, 0.02f}, {0.5f, 0.11f}}, dark);
            b.poly({{0.56f, 0.13f}, {0.61f, 0.02f}, {0.55f, 0.11f}}, dark);
            eyes(0.52f, 0.19f, 0.035f, 0.012f);
            break;
        case Silhouette::Bird:
            b.poly({{0.5f, 0.45f}, {0.05f, 0.2f}, {0.15f, 0.35f}, {0.1f, 0.38f}, {0.42f, 0.6f}},
                   dark);
            b.poly({{0.5f, 0.45f}, {0.95f, 0.2f}, {0.85f, 0.35f}, {0.9f, 0.38f}, {0.58f, 0.6f}},
                   dark);
            b.ellipse(0.5f, 0.55f, 0.08f, 0.18f, body);
            b.disc(0.5f, 0.32f, 0.05f, body);
            b.poly({{0.47f, 0.36f}, {0.53f, 0.36f}, {0.5f, 0.48f}}, {230, 180, 60});
            b.poly({{0.44f, 0.72f}, {0.56f, 0.72f}, {0.5f, 0.9f}}, dark);
            eyes(0.5f, 0.3f, 0.02f, 0.008f);
            break;
        case Silhouette::Spider:
        case Silhouette::Beetle: {
            const int legs = s == Silhouette::Spider ? 4 : 3;
            for (int side = -1; side <= 1; side += 2)
                for (int i = 0; i < legs; ++i) {
                    const float y = 0.5f + i * 0.08f;
                    const float kx = 0.5f + side * 0.22f, ky = y - 0.15f;
                    b.stroke(0.5f, y, kx, ky, 0.012f, dark);
                    b.stroke(kx, ky, 0.5f + side * (0.32f + i * 0.02f), y + 0.2f, 0.01f, dark);
                }
            b.ellipse(0.5f, 0.62f, 0.16f, 0.22f, body);
            b.ellipse(0.5f, 0.38f, 0.09f, 0.1f, dark);
            if (s == Silhouette::Beetle) {
                b.stroke(0.5f, 0.42f, 0.5f, 0.84f, 0.005f, dark);
                b.poly({{0.46f, 0.3f}, {0.36f, 0.08f}, {0.44f, 0.14f}, {0.49f, 0.3f}}, dark);
                b.poly({{0.54f, 0.3f}, {0.64f, 0.08f}, {0.56f, 0.14f}, {0.51f, 0.3f}}, dark);
            } else {
                b.ellipse(0.5f, 0.62f, 0.06f, 0.08f, mix(body, {255, 60, 40}, 0.5f));
            }
            eyes(0.5f, 0.37f, 0.03f, 0.01f);
            break;
        }
        case Silhouette::Humanoid:
        case Silhouette::Angel:
        case Silhouette::Demon: {
            if (s == Silhouette::Angel) {
                b.ellipse(0.3f, 0.45f, 0.18f, 0.3f, {255, 255, 240}, 0.6f);
                b.ellipse(0.7f, 0.45f, 0.18f, 0.3f, {255, 255, 240}, 0.6f);
                b.ellipse(0.5f, 0.08f, 0.07f, 0.025f, {255, 240, 150});
            }
            if (s == Silhouette::Demon) {
                b.poly({{0.45f, 0.4f}, {0.05f, 0.15f}, {0.15f, 0.5f}, {0.1f, 0.6f}, {0.45f, 0.55f}},
                       dark);
                b.poly({{0.55f, 0.4f}, {0.95f, 0.15f}, {0.85f, 0.5f}, {0.9f, 0.6f}, {0.55f, 0.55f}},
                       dark);
            }
            b.poly({{0.38f, 0.35f}, {0.62f, 0.35f}, {0.66f, 0.65f}, {0.34f, 0.65f}}, body);
            b.poly({{0.36f, 0.65f}, {0.48f, 0.65f}, {0.46f, 0.95f}, {0.38f, 0.95f}}, dark);
            b.poly({{0.52f, 0.65f}, {0.64f, 0.65f}, {0.62f, 0.95f}, {0.54f, 0.95f}}, dark);
            b.stroke(0.38f, 0.38f, 0.24f + rng.range(-0.04f, 0.04f), 0.62f, 0.05f, body);
            b.stroke(0.62f, 0.38f, 0.76f + rng.range(-0.04f, 0.04f), 0.58f, 0.05f, body);
            b.disc(0.5f, 0.24f, 0.065f, body);
            if (s == Silhouette::Demon) {
                b.poly({{0.45f, 0.2f}, {0.4f, 0.06f}, {0.48f, 0.17f}}, {230, 220, 200});
                b.poly({{0.55f, 0.2f}, {0.6f, 0.06f}, {0.52f, 0.17f}}, {230, 220, 200});
            }
            eyes(0.5f, 0.23f, 0.025f, 0.009f);
            break;
        }
        case Silhouette::Shark:
            b.band(0.55f, 1.0f, shade(body, 0.3f), shade(body, 0.15f));
            b.poly({{0.1f, 0.55f}, {0.55f, 0.35f}, {0.85f, 0.5f}, {0.55f, 0.7f}}, body);
            b.poly({{0.45f, 0.4f}, {0.52f, 0.15f}, {0.6f, 0.4f}}, dark);
            b.poly({{0.12f, 0.55f}, {0.02f, 0.38f}, {0.05f, 0.55f}, {0.02f, 0.72f}}, dark);
            for (int i = 0; i < 5; ++i)
                b.poly({{0.66f + i * 0.03f, 0.56f},
                        {0.675f + i * 0.03f, 0.6f},
                        {0.69f + i * 0.03f, 0.56f}},
                       kWhite);
            eyes(0.74f, 0.47f, 0.0f, 0.01f);
            break;
        case Silhouette::Jelly:
            for (int i = 0; i < 7; ++i) {
                const float x = 0.36f + i * 0.045f;
                b.stroke(x, 0.45f, x + rng.range(-0.05f, 0.05f), 0.92f, 0.01f, body, 0.7f);
            }
            {
                // The bell: the upper half of an ellipse with a wavy rim.
                std::vector<Point> bell;
                for (int i = 0; i <= 16; ++i) {
                    const float ang = kPi * i / 16.0f;
                    bell.push_back({0.5f + 0.2f * std::cos(ang), 0.55f - 0.3f * std::sin(ang)});
                }
                for (int i = 0; i < 8; ++i)
                    bell.push_back({0.3f + 0.05f * i + 0.025f, 0.55f + (i % 2 ? 0.0f : 0.03f)});
                b.polyv(bell, body, 0.85f);
            }
            b.ellipse(0.5f, 0.38f, 0.12f, 0.1f, kWhite, 0.3f);
            eyes(0.5f, 0.42f, 0.05f, 0.012f);
            break;
        case Silhouette::Crab:
            for (int side = -1; side <= 1; side += 2) {
                for (int i = 0; i < 3; ++i)
                    b.stroke(0.5f + side * 0.15f, 0.62f + i * 0.04f, 0.5f + side * 0.33f,
                             0.82f + i * 0.03f, 0.012f, dark);
                b.stroke(0.5f + side * 0.15f, 0.5f, 0.5f + side * 0.3f, 0.3f, 0.02f, dark);
                b.ellipse(0.5f + side * 0.32f, 0.25f, 0.07f, 0.08f, body);
                b.poly({{0.5f + side * 0.3f, 0.2f},
                        {0.5f + side * 0.4f, 0.1f},
                        {0.5f + side * 0.36f, 0.22f}},
                       shade(body, 0.2f));
            }
            b.ellipse(0.5f, 0.6f, 0.2f, 0.14f, body);
            b.stroke(0.46f, 0.5f, 0.45f, 0.4f, 0.008f, dark);
            b.stroke(0.54f, 0.5f, 0.55f, 0.4f, 0.008f, dark);
            eyes(0.5f, 0.4f, 0.05f, 0.012f);
            break;
        case Silhouette::Ghost:
            b.ellipse(0.5f, 0.4f, 0.18f, 0.24f, body, 0.85f);
            b.poly({{0.32f, 0.4f},
                    {0.68f, 0.4f},
                    {0.7f, 0.85f},
                    {0.62f, 0.78f},
                    {0.55f, 0.88f},
                    {0.47f, 0.78f},
                    {0.4f, 0.88f},
                    {0.3f, 0.8f}},
                   body, 0.85f);
            b.ellipse(0.44f, 0.38f, 0.03f, 0.05f, kInk);
            b.ellipse(0.56f, 0.38f, 0.03f, 0.05f, kInk);
            b.ellipse(0.5f, 0.52f, 0.04f, 0.05f, kInk);
            break;
        case Silhouette::Bat:
            b.poly({{0.5f, 0.45f},
                    {0.1f, 0.25f},
                    {0.2f, 0.45f},
                    {0.12f, 0.55f},
                    {0.3f, 0.55f},
                    {0.35f, 0.65f},
                    {0.5f, 0.58f}},
                   body);
            b.poly({{0.5f, 0.45f},
                    {0.9f, 0.25f},
                    {0.8f, 0.45f},
                    {0.88f, 0.55f},
                    {0.7f, 0.55f},
                    {0.65f, 0.65f},
                    {0.5f, 0.58f}},
                   body);
            b.ellipse(0.5f, 0.5f, 0.06f, 0.1f, dark);
            b.poly({{0.46f, 0.43f}, {0.44f, 0.33f}, {0.49f, 0.41f}}, dark);
            b.poly({{0.54f, 0.43f}, {0.56f, 0.33f}, {0.51f, 0.41f}}, dark);
            eyes(0.5f, 0.46f, 0.02f, 0.008f);
            break;
        case Silhouette::Cloud:
            for (int i = 0; i < 14; ++i)
                b.disc(0.5f + rng.range(-0.25f, 0.25f), 0.5f + rng.range(-0.2f, 0.2f),
                       rng.range(0.06f, 0.12f), mix(body, dark, rng.uniform()), 0.55f);
            eyes(0.5f, 0.46f, 0.06f, 0.014f);
            break;
        case Silhouette::Wind:
            for (int ring = 0; ring < 4; ++ring) {
                const float r = 0.08f + ring * 0.06f;
                for (int i = 0; i < 24; ++i) {
                    const float a0 = i * 0.22f + ring, a1 = a0 + 0.2f;
                    const float g0 = r * (1.0f + i * 0.02f), g1 = r * (1.0f + (i + 1) * 0.02f);
                    b.stroke(0.5f + std::cos(a0) * g0, 0.5f + std::sin(a0) * g0 * 1.3f,
                             0.5f + std::cos(a1) * g1, 0.5f + std::sin(a1) * g1 * 1.3f, 0.012f,
                             mix(body, kWhite, ring * 0.15f), 0.7f);
                }
            }
            eyes(0.5f, 0.48f, 0.04f, 0.012f);
            break;
        case Silhouette::Machine:
        case Silhouette::Robot: {
            const bool robot = s == Silhouette::Robot;
            b.rect(0.32f, 0.35f, 0.68f, 0.75f, body);
            b.rect(0.36f, 0.4f, 0.64f, 0.5f, dark);
            for (int i = 0; i < 3; ++i)
                b.disc(0.4f + i * 0.1f, 0.62f, 0.02f, rgbi(90 + i * 60, 220 - i * 50, 90));
            if (robot) {
                b.rect(0.4f, 0.12f, 0.6f, 0.33f, body);
                b.stroke(0.5f, 0.12f, 0.5f, 0.04f, 0.008f, dark);
                b.disc(0.5f, 0.04f, 0.015f, {255, 80, 60});
                b.rect(0.22f, 0.38f, 0.3f, 0.7f, dark);
                b.rect(0.7f, 0.38f, 0.78f, 0.7f, dark);
                b.rect(0.36f, 0.75f, 0.46f, 0.95f, dark);
                b.rect(0.54f, 0.75f, 0.64f, 0.95f, dark);
                eyes(0.5f, 0.22f, 0.04f, 0.012f);
            } else {
                b.disc(0.38f, 0.85f, 0.07f, dark);
                b.disc(0.62f, 0.85f, 0.07f, dark);
                b.stroke(0.68f, 0.45f, 0.85f, 0.3f, 0.02f, dark);
                b.disc(0.86f, 0.29f, 0.03f, {255, 90, 60});
                b.stroke(0.32f, 0.45f, 0.15f, 0.6f, 0.02f, dark);
                eyes(0.5f, 0.45f, 0.06f, 0.015f);
            }
            break;
        }
        case Silhouette::Wolf:
        case Silhouette::Rabbit: {
            const bool wolf = s == Silhouette::Wolf;
            b.ellipse(0.48f, 0.58f, 0.22f, 0.14f, body);
            for (int i = 0; i < 4; ++i) {
                const float x = 0.32f + i * 0.1f;
                b.rect(x, 0.62f, x + 0.04f, 0.88f, dark);
            }
            b.ellipse(0.72f, 0.45f, 0.09f, 0.09f, body);
            if (wolf) {
                b.poly({{0.78f, 0.45f}, {0.9f, 0.5f}, {0.78f, 0.53f}}, body);
                b.poly({{0.67f, 0.38f}, {0.68f, 0.26f}, {0.73f, 0.37f}}, dark);
                b.poly({{0.74f, 0.38f}, {0.77f, 0.26f}, {0.79f, 0.39f}}, dark);
                b.poly({{0.28f, 0.55f}, {0.08f, 0.4f}, {0.14f, 0.52f}, {0.28f, 0.62f}}, dark);
            } else {
                b.ellipse(0.68f, 0.22f, 0.025f, 0.14f, body);
                b.ellipse(0.76f, 0.22f, 0.025f, 0.14f, body);
                b.disc(0.26f, 0.55f, 0.04f, kWhite);
            }
            eyes(0.74f, 0.43f, 0.02f, 0.008f);
            break;
        }
        case Silhouette::Moth:
            b.ellipse(0.33f, 0.42f, 0.17f, 0.22f, body);
            b.ellipse(0.67f, 0.42f, 0.17f, 0.22f, body);
            b.ellipse(0.36f, 0.68f, 0.12f, 0.14f, dark);
            b.ellipse(0.64f, 0.68f, 0.12f, 0.14f, dark);
            b.disc(0.33f, 0.42f, 0.05f, shade(body, 0.4f));
            b.disc(0.67f, 0.42f, 0.05f, shade(body, 0.4f));
            b.ellipse(0.5f, 0.5f, 0.03f, 0.2f, dark);
            b.stroke(0.5f, 0.3f, 0.42f, 0.12f, 0.005f, dark);
            b.stroke(0.5f, 0.3f, 0.58f, 0.12f, 0.005f, dark);
            eyes(0.5f, 0.32f, 0.015f, 0.007f);
            break;
        case Silhouette::Orb:
            for (int i = 0; i < 12; ++i) {
                const float ang = i * kPi / 6.0f;
                b.poly(
                    {{0.5f + std::cos(ang) * 0.15f, 0.5f + std::sin(ang) * 0.2f},
                     {0.5f + std::cos(ang + 0.13f) * 0.3f, 0.5f + std::sin(ang + 0.13f) * 0.4f},
                     {0.5f + std::cos(ang + 0.26f) * 0.15f, 0.5f + std::sin(ang + 0.26f) * 0.2f}},
                    dark, 0.8f);
            }
            b.disc(0.5f, 0.5f, 0.17f, body);
            b.disc(0.45f, 0.42f, 0.06f, kWhite, 0.35f);
            eyes(0.5f, 0.48f, 0.05f, 0.014f);
            b.stroke(0.44f, 0.6f, 0.56f, 0.6f, 0.008f, kInk);
            break;
        case Silhouette::None:
            break;
    }
}

Canvas paintEnemy(const PictureAsset& a, const TextPainter& text) {
    Canvas big(a.width * kSupersample, a.height * kSupersample);
    Brush b(big);
    Rng rng(hashText(a.name));
    const Rgb body = rgb(a.colour);
    // A dark stage tinted with the complement of the monster's colour, and a
    // light behind it so that the outline reads.
    const Rgb stage = mix(rgbi(255 - body.r, 255 - body.g, 255 - body.b), kBlack, 0.75f);
    b.sky(mix(stage, kBlack, 0.4f), stage);
    b.ellipse(0.5f, 0.5f, 0.45f, 0.5f, mix(body, kWhite, 0.5f), 0.18f);
    b.ellipse(0.5f, 0.5f, 0.3f, 0.35f, mix(body, kWhite, 0.6f), 0.15f);
    b.ellipse(0.5f, 0.93f, 0.3f, 0.05f, kBlack, 0.5f);
    paintSilhouette(b, a.silhouette, body, rng);
    big.grain(5.0f, hashText(a.name) ^ 0xe4e4);
    big.vignette(0.5f);
    Canvas out = big.downsample(kSupersample);
    if (text.available() && !a.caption.empty()) {
        const int size = std::max(12, out.height() / 9);
        text.draw(out, a.caption, 6, size + 4, size, kWhite, {120, 0, 0});
    }
    return out;
}

// Panel backgrounds: a tinted gradient with a quiet pattern and a frame.
Canvas paintPanel(const PictureAsset& a) {
    Canvas big(a.width * kSupersample, a.height * kSupersample);
    Brush b(big);
    Rng rng(hashText(a.name));
    const Rgb tint = rgb(a.colour);
    b.sky(mix(tint, kWhite, 0.35f), shade(tint, 0.7f));
    switch (a.variant) {
        case 0:  // sparkles
            for (int i = 0; i < 25; ++i)
                b.sparkle(rng.uniform(), rng.uniform(), rng.range(0.01f, 0.025f), {255, 250, 210},
                          0.5f);
            break;
        case 1:  // wood grain
            for (int i = 0; i < 22; ++i) {
                const float x = rng.uniform();
                b.stroke(x, 0, x + rng.range(-0.05f, 0.05f), 1, rng.range(0.005f, 0.02f),
                         shade(tint, 0.75f), 0.35f);
            }
            break;
        case 2:  // diagonal stripes
            for (int i = -6; i < 12; ++i)
                b.stroke(i * 0.15f, 0, i * 0.15f + 0.6f, 1, 0.04f, shade(tint, 0.6f), 0.3f);
            break;
        case 3:  // bubbles
            for (int i = 0; i < 20; ++i)
                b.disc(rng.uniform(), rng.uniform(), rng.range(0.03f, 0.12f), kWhite, 0.15f);
            break;
        default:  // leaves
            for (int i = 0; i < 26; ++i) {
                const float x = rng.uniform(), y = rng.uniform(), s = rng.range(0.04f, 0.09f);
                b.ellipse(x, y, s, s * 0.25f, mix(tint, {200, 240, 150}, 0.4f), 0.35f);
                b.stroke(x - s, y, x + s, y, 0.004f, shade(tint, 0.6f), 0.4f);
            }
            break;
    }
    big.grain(3.0f, hashText(a.name));
    Canvas out = big.downsample(kSupersample);
    const float w = static_cast<float>(out.width()), h = static_cast<float>(out.height());
    const Rgb edge = shade(tint, 0.45f);
    out.fillRect(0, 0, w, 3, edge);
    out.fillRect(0, h - 3, w, h, edge);
    out.fillRect(0, 0, 3, h, edge);
    out.fillRect(w - 3, 0, w, h, edge);
    out.fillRect(4, 4, w - 4, 5, mix(tint, kWhite, 0.6f), 0.7f);
    out.fillRect(4, 4, 5, h - 4, mix(tint, kWhite, 0.6f), 0.7f);
    return out;
}

// The island at sunset with the game's name.
Canvas paintTitle(const PictureAsset& a, const TextPainter& text) {
    Canvas big(a.width * kSupersample, a.height * kSupersample);
    Brush b(big);
    Rng rng(hashText(a.name));
    b.sky({40, 70, 150}, {250, 170, 110}, 0.62f);
    b.sun(0.5f, 0.56f, 0.1f, {255, 220, 140});
    b.band(0.6f, 1.0f, {60, 90, 160}, {20, 40, 90});
    b.waves(0.62f, 1.0f, {255, 200, 150}, rng, 40);
    b.ellipse(0.5f, 0.62f, 0.3f, 0.06f, {40, 60, 40});
    b.palm(0.42f, 0.62f, 0.22f, -0.03f);
    b.palm(0.56f, 0.62f, 0.28f, 0.04f);
    b.stars(20, 0.3f, rng);
    Canvas out = big.downsample(kSupersample);
    if (text.available()) {
        const int size = out.width() / 5;
        text.drawCentred(out, a.caption, out.width() / 2, size + 10, size, out.width() - 6,
                         {255, 250, 235}, {60, 30, 20});
        text.drawCentred(out, "ver" KOTOU_VERSION, out.width() / 2, out.height() - 8, 12,
                         out.width(), kWhite, {20, 30, 60});
    }
    return out;
}

// One frame of the title animation: the letters ride a wave that moves on by
// a fifth of its period each frame, so the five frames loop smoothly.
Canvas paintTitleFrame(const PictureAsset& a, const TextPainter& text) {
    Canvas out(a.width, a.height);
    Brush b(out);
    const float phase = a.variant * 2.0f * kPi / 5.0f;
    b.sky({10, 30, 70}, {30, 90, 150});
    for (int x = 0; x < out.width(); ++x) {
        const float y = 0.8f + 0.06f * std::sin(phase + x * 0.06f);
        out.fillRect(static_cast<float>(x), b.Y(y), static_cast<float>(x + 1), b.h, {40, 130, 190},
                     0.8f);
    }
    if (!text.available()) {
        for (int i = 0; i < 4; ++i)
            b.disc(0.2f + i * 0.2f, 0.45f + 0.1f * std::sin(phase + i * 1.2f), 0.05f,
                   {255, 240, 200});
        return out;
    }
    // Each character is placed on its own so that it can bob.
    static constexpr std::string_view kLetters[] = {"Ｑ", "．", "Ｚ", "．"};
    const int size = out.height() / 2;
    int x = out.width() / 2 - text.measure(a.caption, size) / 2;
    for (int i = 0; i < 4; ++i) {
        const int lift =
            static_cast<int>(std::lround(out.height() / 10.0f * std::sin(phase + i * 1.2f)));
        text.draw(out, kLetters[i], x, out.height() * 2 / 3 - lift, size, {255, 240, 200},
                  {20, 40, 90});
        x += text.measure(kLetters[i], size);
    }
    return out;
}

// A status mark: a round badge in its colour with one character on it.
Canvas paintIcon(const PictureAsset& a, const TextPainter& text) {
    Canvas big(a.width * kSupersample, a.height * kSupersample, {40, 40, 40});
    Brush b(big);
    const Rgb colour = rgb(a.colour);
    b.ellipse(0.5f, 0.5f, 0.48f, 0.48f, shade(colour, 0.6f));
    b.ellipse(0.5f, 0.5f, 0.42f, 0.42f, colour);
    b.ellipse(0.42f, 0.36f, 0.18f, 0.12f, kWhite, 0.3f);
    Canvas out = big.downsample(kSupersample);
    if (text.available() && !a.caption.empty()) {
        const int size = out.height() * 3 / 4;
        text.drawCentred(out, a.caption, out.width() / 2, out.height() * 4 / 5, size, out.width(),
                         kWhite, shade(colour, 0.4f));
    }
    return out;
}

}  // namespace

Canvas paintPicture(const PictureAsset& asset, const TextPainter& text) {
    switch (asset.style) {
        case PictureStyle::Title:
            return paintTitle(asset, text);
        case PictureStyle::TitleFrame:
            return paintTitleFrame(asset, text);
        case PictureStyle::Panel:
            return paintPanel(asset);
        case PictureStyle::Portrait:
            return paintPortrait(asset, text);
        case PictureStyle::Enemy:
            return paintEnemy(asset, text);
        case PictureStyle::Icon:
            return paintIcon(asset, text);
        case PictureStyle::Scene:
            break;
    }
    return paintScenePicture(asset, text);
}

}  // namespace kotou::assets
