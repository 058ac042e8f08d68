#include "tools/assets/Pictures.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "state/Version.h"
#include "tools/assets/Art.h"
#include "tools/assets/Places.h"

namespace kotou::assets {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;
// Everything is drawn at twice the listed size (the @2x file) and filtered
// down for the listed one.
constexpr int kTwice = 2;

const Rgb kWhite{255, 255, 255};
const Rgb kBlack{0, 0, 0};
const Rgb kInk{30, 22, 18};

// Drawing in fractions of the canvas, so one recipe serves every size (the
// title animation and the status marks).
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
    void ellipse(float x, float y, float rx, float ry, Rgb col, float a = 1.0f) {
        c.fillEllipse(X(x), Y(y), X(rx), Y(ry), col, a);
    }
    // A circle whose radius is a fraction of the width.
    void disc(float x, float y, float r, Rgb col, float a = 1.0f) {
        c.fillEllipse(X(x), Y(y), X(r), X(r), col, a);
    }
};

// The place's name on a translucent band at the bottom.
void captionBand(Canvas& c, const TextPainter& text, std::string_view caption, int scale) {
    if (caption.empty() || !text.available()) return;
    const int size = std::max(12 * scale, c.height() / 8);
    const int bandTop = c.height() - size - size / 2;
    c.fillRect(0, static_cast<float>(bandTop), static_cast<float>(c.width()),
               static_cast<float>(c.height()), kBlack, 0.4f);
    text.drawCentred(c, caption, c.width() / 2, c.height() - size / 2 - 2 * scale, size,
                     c.width() - 8 * scale, kWhite, kInk);
}

// The full-window backgrounds lie under the window's white text: the status
// column on the left and the message line at the bottom left. Those areas
// are dimmed, with a soft edge, so that the text reads on every background.
void dimTextAreas(Canvas& c, int scale) {
    const float s = static_cast<float>(scale);
    const float kColumn = 124 * s, kMessageTop = 358 * s, kMessageRight = 352 * s, kEdge = 8 * s;
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

// Panel backgrounds: a material in the panel's tint (gold leaf, driftwood
// planks, lacquer stripes, water, leaves, a night sky), lit from the upper
// left, in a bevelled frame. They stay light (or, for battle, dark) enough
// for the panel's ink everywhere.
Canvas paintPanel(const PictureAsset& a, int scale) {
    Canvas big(a.width * scale, a.height * scale);
    Painter p(big, static_cast<float>(scale));
    Rng rng(hashText(a.name));
    const Rgb tint = rgb(a.colour);
    const float w = static_cast<float>(a.width), h = static_cast<float>(a.height);
    // Light panels (dark ink) get lighter still; the battle panel stays dark
    // under its white ink.
    const bool light = a.variant != 2;
    p.wash(Paint::linear({0, 0}, mix(tint, kWhite, light ? 0.5f : 0.3f), {w * 0.3f, h},
                         light ? mix(tint, kWhite, 0.12f) : shade(tint, 0.7f)));
    switch (a.variant) {
        case 0:  // sparkles on a soft sheen
            p.glow(w * 0.3f, h * 0.2f, std::max(w, h) * 0.6f, mix(tint, kWhite, 0.7f), 0.5f);
            for (int i = 0; i < 24; ++i) {
                const float x = rng.range(0, w), y = rng.range(0, h), r = rng.range(2.0f, 5.0f);
                p.fill(
                    Path::polygon({{x, y - r}, {x + r * 0.25f, y}, {x, y + r}, {x - r * 0.25f, y}}),
                    {255, 250, 220}, 0.6f);
                p.fill(
                    Path::polygon({{x - r, y}, {x, y - r * 0.25f}, {x + r, y}, {x, y + r * 0.25f}}),
                    {255, 250, 220}, 0.6f);
            }
            break;
        case 1: {  // driftwood planks with grain and pegs
            const float plank = 31;
            for (float x = 0; x < w; x += plank) {
                p.fill(Path::rect(x, 0, x + plank, h), kWhite, rng.range(0.0f, 0.15f));
                for (int k = 0; k < 5; ++k) {
                    const float gx = x + rng.range(3, plank - 3);
                    p.fill(Path::ribbon({{gx, 0},
                                         {gx + rng.range(-3, 3), h * 0.5f},
                                         {gx + rng.range(-3, 3), h}},
                                        {0.6f, 1.0f, 0.6f}),
                           shade(tint, 0.8f), 0.3f);
                }
                p.fill(Path::rect(x, 0, x + 1.2f, h), shade(tint, 0.55f), 0.8f);
                p.fill(Path::rect(x + 1.2f, 0, x + 2.2f, h), mix(tint, kWhite, 0.4f), 0.6f);
                for (float y = 18; y < h; y += 110)
                    p.fill(Path::circle(x + plank / 2, y, 1.8f), shade(tint, 0.5f));
            }
            break;
        }
        case 2:  // lacquered stripes
            for (int i = -8; i < 14; ++i)
                p.fill(Path::polygon({{i * 24.0f, 0},
                                      {i * 24.0f + 10, 0},
                                      {i * 24.0f + 10 + h * 0.6f, h},
                                      {i * 24.0f + h * 0.6f, h}}),
                       shade(tint, 0.7f), 0.45f);
            break;
        case 3:  // water with rising bubbles and light ripples
            for (int i = 0; i < 7; ++i)
                p.fill(Path::ribbon({{-5, rng.range(0, h)},
                                     {w * 0.5f, rng.range(0, h)},
                                     {w + 5, rng.range(0, h)}},
                                    {1.5f, 3, 1.5f}),
                       kWhite, 0.18f);
            for (int i = 0; i < 18; ++i) {
                const float x = rng.range(0, w), y = rng.range(0, h), r = rng.range(3.0f, 10.0f);
                const Mask m = p.mask(Path::circle(x, y, r));
                p.fill(m, kWhite, 0.12f);
                p.fill(m - p.mask(Path::circle(x + r * 0.15f, y + r * 0.15f, r * 0.85f)), kWhite,
                       0.5f);
            }
            break;
        default:  // leaves with veins
            for (int i = 0; i < 22; ++i) {
                const float x = rng.range(-10, w + 10), y = rng.range(-10, h + 10),
                            len = rng.range(14, 28);
                const float ang = rng.range(0, 6.28f);
                const Point tip{x + std::cos(ang) * len, y + std::sin(ang) * len};
                const Mask m = p.mask(Path::ribbon(
                    {{x, y}, {(x + tip.x) / 2, (y + tip.y) / 2}, tip}, {1, len * 0.45f, 0.5f}));
                p.fill(m, mix(tint, {200, 240, 150}, 0.35f), 0.5f);
                p.fill(p.mask(Path::ribbon({{x, y}, tip}, {0.6f, 0.3f})) & m, shade(tint, 0.6f),
                       0.6f);
            }
            break;
    }
    big.grain(2.0f * scale, hashText(a.name));
    // A bevelled frame: light on the top and left, shade on the bottom and right.
    const Mask inner = p.mask(Path::rect(3, 3, w - 3, h - 3));
    Mask all(0, 0, big.width(), big.height());
    for (int y = 0; y < all.height(); ++y)
        for (int x = 0; x < all.width(); ++x) all.ref(x, y) = 1;
    p.fill(all - inner, shade(tint, 0.45f));
    p.fill(inner - inner.shifted(p.px(2), p.px(2)), mix(tint, kWhite, 0.65f), 0.8f);
    p.fill(inner - inner.shifted(-p.px(2), -p.px(2)), shade(tint, 0.6f), 0.6f);
    return big;
}

// The island at dusk, under the game's name: sky, sun on the sea, the island
// with its palms and the raft on the beach.
Canvas paintTitle(const PictureAsset& a, int scale) {
    Canvas big(a.width * scale, a.height * scale);
    Painter p(big, static_cast<float>(big.height()) / kPlaceH);
    Place pl(p, Mood::Dusk, hashText(a.name));
    pl.sky(150);
    pl.stars(30, 60);
    pl.sun(150, 142, 16);
    pl.sea(150, 240);
    pl.sunPath(150, 152, 240);
    p.fill(Path::blob({{30, 176}, {70, 150}, {120, 142}, {180, 150}, {214, 176}, {120, 184}}),
           Paint::linear({0, 142}, {60, 70, 50}, {0, 184}, {25, 30, 30}));
    p.fill(Path::blob({{60, 172}, {120, 166}, {190, 172}, {120, 180}}), {230, 190, 140}, 0.7f);
    pl.palm(96, 160, 60, -0.25f);
    pl.palm(128, 158, 74, 0.2f);
    pl.palm(150, 164, 44, 0.35f);
    pl.raft(170, 176, 14);
    pl.finish();
    return big;
}

// One frame of the title animation: a wave that moves on by a fifth of its
// period each frame, so the five frames loop smoothly (the letters are text).
Canvas paintTitleFrame(const PictureAsset& a, int scale) {
    Canvas out(a.width * scale, a.height * scale);
    Brush b(out);
    const float phase = a.variant * 2.0f * kPi / 5.0f;
    b.sky({10, 30, 70}, {30, 90, 150});
    for (int x = 0; x < out.width(); ++x) {
        const float y = 0.8f + 0.06f * std::sin(phase + x * 0.06f / scale);
        out.fillRect(static_cast<float>(x), b.Y(y), static_cast<float>(x + 1), b.h, {40, 130, 190},
                     0.8f);
    }
    return out;
}

// A status mark: a round badge in its colour (the character is text).
Canvas paintIcon(const PictureAsset& a, int scale) {
    Canvas big(a.width * scale, a.height * scale, {40, 40, 40});
    Brush b(big);
    const Rgb colour = rgb(a.colour);
    b.ellipse(0.5f, 0.5f, 0.48f, 0.48f, shade(colour, 0.6f));
    b.ellipse(0.5f, 0.5f, 0.42f, 0.42f, colour);
    b.ellipse(0.42f, 0.36f, 0.18f, 0.12f, kWhite, 0.3f);
    return big;
}

// The text of a picture, drawn at the size of the finished file.
void paintText(Canvas& out, const PictureAsset& a, const TextPainter& text, int scale) {
    if (a.style == PictureStyle::Scene && a.kind == AssetKind::Bitmap) dimTextAreas(out, scale);
    if (a.style == PictureStyle::TitleFrame && !text.available()) {
        Brush b(out);
        const float phase = a.variant * 2.0f * kPi / 5.0f;
        for (int i = 0; i < 4; ++i)
            b.disc(0.2f + i * 0.2f, 0.45f + 0.1f * std::sin(phase + i * 1.2f), 0.05f,
                   {255, 240, 200});
        return;
    }
    if (!text.available()) return;
    switch (a.style) {
        case PictureStyle::Title: {
            const int size = out.width() / 5;
            text.drawCentred(out, a.caption, out.width() / 2, size + 10 * scale, size,
                             out.width() - 6 * scale, {255, 250, 235}, {60, 30, 20});
            text.drawCentred(out, "ver" KOTOU_VERSION, out.width() / 2, out.height() - 8 * scale,
                             12 * scale, out.width(), kWhite, {20, 30, 60});
            break;
        }
        case PictureStyle::TitleFrame: {
            // Each character is placed on its own so that it can bob.
            static constexpr std::string_view kLetters[] = {"Ｑ", "．", "Ｚ", "．"};
            const float phase = a.variant * 2.0f * kPi / 5.0f;
            const int size = out.height() / 2;
            int x = out.width() / 2 - text.measure(a.caption, size) / 2;
            for (int i = 0; i < 4; ++i) {
                const int lift = static_cast<int>(
                    std::lround(out.height() / 10.0f * std::sin(phase + i * 1.2f)));
                text.draw(out, kLetters[i], x, out.height() * 2 / 3 - lift, size, {255, 240, 200},
                          {20, 40, 90});
                x += text.measure(kLetters[i], size);
            }
            break;
        }
        case PictureStyle::Icon:
            if (!a.caption.empty())
                text.drawCentred(out, a.caption, out.width() / 2, out.height() * 4 / 5,
                                 out.height() * 3 / 4, out.width(), kWhite,
                                 shade(rgb(a.colour), 0.4f));
            break;
        case PictureStyle::Portrait:
            if (!a.caption.empty()) {
                const int size =
                    std::clamp(std::min(out.width(), out.height()) / 7, 12 * scale, 40 * scale);
                text.drawCentred(out, a.caption, out.width() / 2, out.height() - size / 2, size,
                                 out.width() - 8 * scale, kWhite, shade(rgb(a.colour), 0.35f));
            }
            break;
        case PictureStyle::Enemy:
            if (!a.caption.empty()) {
                const int size = std::max(12 * scale, out.height() / 9);
                text.draw(out, a.caption, 6 * scale, size + 4 * scale, size, kWhite, {120, 0, 0});
            }
            break;
        case PictureStyle::Scene:
            captionBand(out, text, a.caption, scale);
            break;
        case PictureStyle::Panel:
            break;
    }
}

}  // namespace

void heart(Painter& p, float x, float y, float size, Rgb c, float alpha) {
    p.fill(Path::blob({{x, y + size * 0.9f},
                       {x - size, y},
                       {x - size * 0.9f, y - size * 0.6f},
                       {x - size * 0.4f, y - size * 0.75f},
                       {x, y - size * 0.35f},
                       {x + size * 0.4f, y - size * 0.75f},
                       {x + size * 0.9f, y - size * 0.6f},
                       {x + size, y}}),
           c, alpha);
}

Canvas paintArt(const PictureAsset& asset, int scale) {
    switch (asset.style) {
        case PictureStyle::Title:
            return paintTitle(asset, scale);
        case PictureStyle::TitleFrame:
            return paintTitleFrame(asset, scale);
        case PictureStyle::Panel:
            return paintPanel(asset, scale);
        case PictureStyle::Portrait:
            return paintPortraitArt(asset, scale);
        case PictureStyle::Enemy:
            return paintEnemyArt(asset, scale);
        case PictureStyle::Icon:
            return paintIcon(asset, scale);
        case PictureStyle::Scene:
            break;
    }
    return paintSceneArt(asset, scale);
}

PicturePair paintPictureSizes(const PictureAsset& asset, const TextPainter& text) {
    PicturePair pair{Canvas(1, 1), paintArt(asset, kTwice)};
    pair.once = pair.twice.halved();
    paintText(pair.once, asset, text, 1);
    paintText(pair.twice, asset, text, kTwice);
    return pair;
}

Canvas paintPicture(const PictureAsset& asset, const TextPainter& text) {
    return std::move(paintPictureSizes(asset, text).once);
}

}  // namespace kotou::assets
