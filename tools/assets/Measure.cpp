#include "tools/assets/Measure.h"

#include <cmath>

#include "tools/assets/Art.h"

namespace kotou::assets {

namespace {

// The portrait at twice its size with its figure's coverage, both halved.
struct Sized {
    Canvas picture;
    std::vector<float> cover;
};

Sized figureAtSize(const PictureAsset& a) {
    Mask figure;
    const Canvas big = paintPortraitArt(a, 2, &figure);
    Sized s{big.halved(), std::vector<float>(static_cast<size_t>(a.width) * a.height, 0.0f)};
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            s.cover[static_cast<size_t>(y) * a.width + x] =
                (figure.at(2 * x, 2 * y) + figure.at(2 * x + 1, 2 * y) +
                 figure.at(2 * x, 2 * y + 1) + figure.at(2 * x + 1, 2 * y + 1)) /
                4;
    return s;
}

}  // namespace

BitMap portraitSilhouette(const PictureAsset& a) {
    const Sized s = figureAtSize(a);
    BitMap m{a.width, a.height, std::vector<uint8_t>(s.cover.size())};
    for (size_t i = 0; i < s.cover.size(); ++i) m.on[i] = s.cover[i] >= 0.5f;
    return m;
}

Canvas portraitFigure(const PictureAsset& a) {
    Sized s = figureAtSize(a);
    Canvas out(a.width, a.height, {128, 128, 128});
    for (int y = 0; y < a.height; ++y)
        for (int x = 0; x < a.width; ++x)
            out.blend(x, y, s.picture.at(x, y), s.cover[static_cast<size_t>(y) * a.width + x]);
    return out;
}

BitMap edgeMap(const Canvas& picture) {
    const int w = picture.width(), h = picture.height();
    std::vector<int> luma(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const Rgb c = picture.at(x, y);
            luma[static_cast<size_t>(y) * w + x] = (299 * c.r + 587 * c.g + 114 * c.b) / 1000;
        }
    auto L = [&](int x, int y) { return luma[static_cast<size_t>(y) * w + x]; };
    BitMap m{w, h, std::vector<uint8_t>(luma.size(), 0)};
    const int bottom = h;
    for (int y = 1; y < bottom - 1; ++y)
        for (int x = 1; x < w - 1; ++x) {
            const int gx = L(x + 1, y - 1) + 2 * L(x + 1, y) + L(x + 1, y + 1) - L(x - 1, y - 1) -
                           2 * L(x - 1, y) - L(x - 1, y + 1);
            const int gy = L(x - 1, y + 1) + 2 * L(x, y + 1) + L(x + 1, y + 1) - L(x - 1, y - 1) -
                           2 * L(x, y - 1) - L(x + 1, y - 1);
            m.on[static_cast<size_t>(y) * w + x] = std::hypot(gx, gy) >= kEdgeThreshold;
        }
    return m;
}

double overlap(const BitMap& a, const BitMap& b) {
    size_t both = 0, either = 0;
    for (size_t i = 0; i < a.on.size() && i < b.on.size(); ++i) {
        both += a.on[i] && b.on[i];
        either += a.on[i] || b.on[i];
    }
    return either ? static_cast<double>(both) / either : 0.0;
}

}  // namespace kotou::assets
