#include "tools/assets/AppIcon.h"

#include <cmath>
#include <numbers>
#include <vector>

namespace kotou::assets {

namespace {

// Drawn at this multiple and filtered down, so even 16 pixels get soft edges.
constexpr int kSupersample = 4;
constexpr float kPi = std::numbers::pi_v<float>;

// A square with rounded corners inside a margin, as a polygon.
std::vector<Point> roundedSquare(float size, float margin, float radius) {
    std::vector<Point> pts;
    const float lo = margin + radius, hi = size - margin - radius;
    const Point centres[] = {{hi, hi}, {lo, hi}, {lo, lo}, {hi, lo}};
    for (int corner = 0; corner < 4; ++corner) {
        for (int step = 0; step <= 8; ++step) {
            const float a = (corner + step / 8.0f) * kPi / 2;
            pts.push_back({centres[corner].x + radius * std::cos(a),
                           centres[corner].y + radius * std::sin(a)});
        }
    }
    return pts;
}

}  // namespace

AppIcon paintAppIcon(int size) {
    const int s = size * kSupersample;
    const auto f = static_cast<float>(s);
    Canvas c(s, s);
    const float horizon = 0.62f * f;
    c.verticalGradient({250, 150, 90}, {255, 215, 150}, 0, static_cast<int>(horizon));
    c.fillEllipse(0.5f * f, horizon, 0.2f * f, 0.2f * f, {255, 245, 200});
    c.verticalGradient({40, 110, 170}, {15, 45, 100}, static_cast<int>(horizon), s);
    // The island: sand with a green top.
    c.fillEllipse(0.5f * f, 0.72f * f, 0.36f * f, 0.09f * f, {225, 195, 120});
    c.fillEllipse(0.5f * f, 0.69f * f, 0.28f * f, 0.05f * f, {70, 140, 60});
    // The palm: a leaning trunk and six leaves from its top.
    const Point foot{0.42f * f, 0.7f * f}, top{0.58f * f, 0.28f * f};
    c.line(foot.x, foot.y, (foot.x + top.x) / 2 - 0.02f * f, (foot.y + top.y) / 2, 0.06f * f,
           {120, 80, 45});
    c.line((foot.x + top.x) / 2 - 0.02f * f, (foot.y + top.y) / 2, top.x, top.y, 0.05f * f,
           {130, 90, 50});
    for (int i = 0; i < 6; ++i) {
        const float a = kPi * (-0.05f + i * 0.22f);
        const Point tip{top.x + std::cos(a) * 0.3f * f, top.y - std::sin(a) * 0.12f * f + 0.1f * f};
        const Point bend{(top.x + tip.x) / 2, (top.y + tip.y) / 2 - 0.06f * f};
        c.fillPolygon({top, bend, tip, {(top.x + tip.x) / 2, (top.y + tip.y) / 2 + 0.02f * f}},
                      shade({50, 150, 60}, 0.8f + 0.05f * i));
    }
    c.fillEllipse(top.x, top.y + 0.02f * f, 0.035f * f, 0.035f * f, {100, 70, 35});

    // Opaque inside the rounded square, with a darker rim that keeps the
    // icon apart from a light or dark menu.
    const std::vector<Point> outline = roundedSquare(f, 0.04f * f, 0.2f * f);
    Canvas alpha(s, s);
    alpha.fillPolygon(outline, {255, 255, 255});
    const std::vector<Point> inner = roundedSquare(f, 0.075f * f, 0.17f * f);
    Canvas rim(s, s, {255, 255, 255});
    rim.fillPolygon(inner, {0, 0, 0});
    for (int y = 0; y < s; ++y)
        for (int x = 0; x < s; ++x)
            if (rim.at(x, y).r) c.blend(x, y, {30, 40, 70}, 0.85f);
    return {c.downsample(kSupersample), alpha.downsample(kSupersample)};
}

}  // namespace kotou::assets
