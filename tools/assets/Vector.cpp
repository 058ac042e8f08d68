#include "tools/assets/Vector.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace kotou::assets {

namespace {

constexpr float kPi = std::numbers::pi_v<float>;

Point lerp(Point a, Point b, float t) {
    return {a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
}

}  // namespace

// --- Paths -----------------------------------------------------------------------

Path& Path::moveTo(float x, float y) {
    contours_.push_back({{x, y}});
    last_ = {x, y};
    return *this;
}

Path& Path::lineTo(float x, float y) {
    if (contours_.empty()) contours_.push_back({last_});
    contours_.back().push_back({x, y});
    last_ = {x, y};
    return *this;
}

Path& Path::quadTo(float cx, float cy, float x, float y) {
    const Point a = last_, c{cx, cy}, b{x, y};
    for (int i = 1; i <= 12; ++i) {
        const float t = i / 12.0f;
        const Point p = lerp(lerp(a, c, t), lerp(c, b, t), t);
        lineTo(p.x, p.y);
    }
    return *this;
}

Path& Path::cubicTo(float c1x, float c1y, float c2x, float c2y, float x, float y) {
    const Point a = last_, c1{c1x, c1y}, c2{c2x, c2y}, b{x, y};
    for (int i = 1; i <= 16; ++i) {
        const float t = i / 16.0f;
        const Point p = lerp(lerp(lerp(a, c1, t), lerp(c1, c2, t), t),
                             lerp(lerp(c1, c2, t), lerp(c2, b, t), t), t);
        lineTo(p.x, p.y);
    }
    return *this;
}

Path& Path::close() {
    if (!contours_.empty() && !contours_.back().empty()) last_ = contours_.back().front();
    return *this;
}

Path& Path::add(const Path& other) {
    contours_.insert(contours_.end(), other.contours_.begin(), other.contours_.end());
    return *this;
}

Path Path::ellipse(float cx, float cy, float rx, float ry) {
    Path p;
    const int n = std::clamp(static_cast<int>((rx + ry) * 1.2f), 24, 160);
    std::vector<Point> pts;
    for (int i = 0; i < n; ++i) {
        const float a = 2 * kPi * i / n;
        pts.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
    }
    p.contours_.push_back(std::move(pts));
    return p;
}

Path Path::rect(float x0, float y0, float x1, float y1) {
    return polygon({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

Path Path::polygon(std::initializer_list<Point> pts) {
    return polygon(std::vector<Point>(pts));
}

Path Path::polygon(const std::vector<Point>& pts) {
    Path p;
    p.contours_.push_back(pts);
    return p;
}

std::vector<Point> smoothCurve(const std::vector<Point>& pts, int steps, bool closed) {
    std::vector<Point> out;
    const int n = static_cast<int>(pts.size());
    if (n < 3) return pts;
    auto at = [&](int i) {
        if (closed) return pts[static_cast<size_t>(((i % n) + n) % n)];
        return pts[static_cast<size_t>(std::clamp(i, 0, n - 1))];
    };
    const int spans = closed ? n : n - 1;
    for (int i = 0; i < spans; ++i) {
        const Point p0 = at(i - 1), p1 = at(i), p2 = at(i + 1), p3 = at(i + 2);
        for (int k = 0; k < steps; ++k) {
            const float t = static_cast<float>(k) / steps, t2 = t * t, t3 = t2 * t;
            auto f = [&](float a, float b, float c, float d) {
                return 0.5f * ((2 * b) + (-a + c) * t + (2 * a - 5 * b + 4 * c - d) * t2 +
                               (-a + 3 * b - 3 * c + d) * t3);
            };
            out.push_back({f(p0.x, p1.x, p2.x, p3.x), f(p0.y, p1.y, p2.y, p3.y)});
        }
    }
    if (!closed) out.push_back(pts.back());
    return out;
}

Path Path::blob(std::initializer_list<Point> pts) {
    return blob(std::vector<Point>(pts));
}

Path Path::blob(const std::vector<Point>& pts) {
    Path p;
    p.contours_.push_back(smoothCurve(pts, 10, true));
    return p;
}

Path Path::ribbon(std::initializer_list<Point> spine, std::initializer_list<float> widths,
                  bool round) {
    return ribbon(std::vector<Point>(spine), std::vector<float>(widths), round);
}

Path Path::ribbon(const std::vector<Point>& spine, const std::vector<float>& widths, bool round) {
    const int steps = 8;
    std::vector<Point> line = spine.size() >= 3 ? smoothCurve(spine, steps, false) : spine;
    // Widths follow the same parameter as the points.
    std::vector<float> w;
    const size_t n = line.size();
    for (size_t i = 0; i < n; ++i) {
        const float t = n > 1 ? static_cast<float>(i) / (n - 1) * (widths.size() - 1) : 0;
        const size_t k = std::min(static_cast<size_t>(t), widths.size() - 1);
        const size_t k1 = std::min(k + 1, widths.size() - 1);
        w.push_back(widths[k] + (widths[k1] - widths[k]) * (t - k));
    }
    std::vector<Point> left, right;
    for (size_t i = 0; i < n; ++i) {
        const Point a = line[i > 0 ? i - 1 : i], b = line[i + 1 < n ? i + 1 : i];
        float dx = b.x - a.x, dy = b.y - a.y;
        const float len = std::max(1e-4f, std::hypot(dx, dy));
        dx /= len;
        dy /= len;
        const float h = w[i] / 2;
        left.push_back({line[i].x - dy * h, line[i].y + dx * h});
        right.push_back({line[i].x + dy * h, line[i].y - dx * h});
    }
    std::vector<Point> outline = left;
    if (round && n >= 2) {
        const Point end = line.back();
        const float h = w.back() / 2;
        const float base = std::atan2(left.back().y - end.y, left.back().x - end.x);
        for (int k = 1; k < 8; ++k)
            outline.push_back({end.x + h * std::cos(base - kPi * k / 8),
                               end.y + h * std::sin(base - kPi * k / 8)});
    }
    outline.insert(outline.end(), right.rbegin(), right.rend());
    if (round && n >= 2) {
        const Point start = line.front();
        const float h = w.front() / 2;
        const float base = std::atan2(right.front().y - start.y, right.front().x - start.x);
        for (int k = 1; k < 8; ++k)
            outline.push_back({start.x + h * std::cos(base - kPi * k / 8),
                               start.y + h * std::sin(base - kPi * k / 8)});
    }
    Path p;
    p.contours_.push_back(std::move(outline));
    return p;
}

Path Path::mirrored(float axis) const {
    Path p = *this;
    for (auto& c : p.contours_) {
        for (auto& pt : c) pt.x = 2 * axis - pt.x;
        std::reverse(c.begin(), c.end());
    }
    return p;
}

Path Path::moved(float dx, float dy) const {
    Path p = *this;
    for (auto& c : p.contours_)
        for (auto& pt : c) pt = {pt.x + dx, pt.y + dy};
    return p;
}

Path Path::transformed(float cx, float cy, float scale, float radians) const {
    Path p = *this;
    const float cs = std::cos(radians), sn = std::sin(radians);
    for (auto& c : p.contours_)
        for (auto& pt : c) {
            const float x = (pt.x - cx) * scale, y = (pt.y - cy) * scale;
            pt = {cx + x * cs - y * sn, cy + x * sn + y * cs};
        }
    return p;
}

// --- Masks -----------------------------------------------------------------------

Mask::Mask(int x0, int y0, int w, int h)
    : x0_(x0),
      y0_(y0),
      w_(std::max(0, w)),
      h_(std::max(0, h)),
      a_(static_cast<size_t>(w_) * h_, 0.0f) {}

Mask::Mask(int x0, int y0, int w, int h, std::vector<float>&& values)
    : x0_(x0), y0_(y0), w_(w), h_(h), a_(std::move(values)) {}

float Mask::sum() const {
    float s = 0;
    for (float v : a_) s += v;
    return s;
}

namespace {

// Calls f(own value, other's value) over the pixels of `m`; the other is 0
// outside its rectangle.
template <typename F>
void combine(Mask& m, const Mask& o, F f) {
    for (int ly = 0; ly < m.height(); ++ly) {
        const int y = ly + m.y0() - o.y0();
        const bool rowIn = y >= 0 && y < o.height();
        const int xa = std::clamp(o.x0() - m.x0(), 0, m.width());
        const int xb = std::clamp(o.x0() + o.width() - m.x0(), 0, m.width());
        float* row = &m.ref(0, ly);
        const int shift = m.x0() - o.x0();
        for (int lx = 0; lx < m.width(); ++lx) {
            const float v = (rowIn && lx >= xa && lx < xb)
                                ? o.data()[static_cast<size_t>(y) * o.width() + (lx + shift)]
                                : 0.0f;
            row[lx] = f(row[lx], v);
        }
    }
}

}  // namespace

Mask Mask::operator&(const Mask& o) const {
    Mask m = *this;
    if (!m.empty()) combine(m, o, [](float a, float b) { return a * b; });
    return m;
}

Mask Mask::operator-(const Mask& o) const {
    Mask m = *this;
    if (!m.empty()) combine(m, o, [](float a, float b) { return a * (1.0f - b); });
    return m;
}

Mask Mask::operator|(const Mask& o) const {
    if (empty()) return o;
    if (o.empty()) return *this;
    const int x0 = std::min(x0_, o.x0_), y0 = std::min(y0_, o.y0_);
    const int x1 = std::max(x0_ + w_, o.x0_ + o.w_), y1 = std::max(y0_ + h_, o.y0_ + o.h_);
    Mask m(x0, y0, x1 - x0, y1 - y0);
    for (int y = 0; y < m.h_; ++y)
        for (int x = 0; x < m.w_; ++x)
            m.ref(x, y) = std::max(at(x + x0, y + y0), o.at(x + x0, y + y0));
    return m;
}

Mask Mask::shifted(int dx, int dy) const {
    Mask m = *this;
    m.x0_ += dx;
    m.y0_ += dy;
    return m;
}

Mask Mask::dilated(int r) const {
    if (r <= 0 || empty()) return *this;
    Mask m(x0_ - r, y0_ - r, w_ + 2 * r, h_ + 2 * r);
    std::vector<float> row(static_cast<size_t>(m.w_) * h_, 0.0f);
    // Horizontal maximum into the widened rows, then vertical.
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < m.w_; ++x) {
            float v = 0;
            for (int k = -r; k <= r; ++k) {
                const int sx = x - r + k;
                if (sx >= 0 && sx < w_) v = std::max(v, a_[static_cast<size_t>(y) * w_ + sx]);
            }
            row[static_cast<size_t>(y) * m.w_ + x] = v;
        }
    for (int y = 0; y < m.h_; ++y)
        for (int x = 0; x < m.w_; ++x) {
            float v = 0;
            for (int k = -r; k <= r; ++k) {
                const int sy = y - r + k;
                if (sy >= 0 && sy < h_) v = std::max(v, row[static_cast<size_t>(sy) * m.w_ + x]);
            }
            m.ref(x, y) = v;
        }
    return m;
}

Mask Mask::blurred(int r) const {
    if (r <= 0 || empty()) return *this;
    const int g = 2 * r;
    Mask m(x0_ - g, y0_ - g, w_ + 2 * g, h_ + 2 * g);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) m.ref(x + g, y + g) = a_[static_cast<size_t>(y) * w_ + x];
    std::vector<float> tmp(static_cast<size_t>(std::max(m.w_, m.h_)));
    const float inv = 1.0f / (2 * r + 1);
    for (int pass = 0; pass < 2; ++pass) {
        for (int y = 0; y < m.h_; ++y) {
            float acc = 0;
            for (int x = -r; x < m.w_ + r; ++x) {
                if (x + r < m.w_) acc += m.ref(x + r, y) * (x + r >= 0);
                if (x - r - 1 >= 0) acc -= m.ref(x - r - 1, y);
                if (x >= 0 && x < m.w_) tmp[static_cast<size_t>(x)] = acc * inv;
            }
            for (int x = 0; x < m.w_; ++x) m.ref(x, y) = tmp[static_cast<size_t>(x)];
        }
        for (int x = 0; x < m.w_; ++x) {
            float acc = 0;
            for (int y = -r; y < m.h_ + r; ++y) {
                if (y + r < m.h_) acc += m.ref(x, y + r) * (y + r >= 0);
                if (y - r - 1 >= 0) acc -= m.ref(x, y - r - 1);
                if (y >= 0 && y < m.h_) tmp[static_cast<size_t>(y)] = acc * inv;
            }
            for (int y = 0; y < m.h_; ++y) m.ref(x, y) = tmp[static_cast<size_t>(y)];
        }
    }
    return m;
}

void Mask::include(const Mask& o) {
    const int xa = std::max(x0_, o.x0_), xb = std::min(x0_ + w_, o.x0_ + o.w_);
    const int ya = std::max(y0_, o.y0_), yb = std::min(y0_ + h_, o.y0_ + o.h_);
    for (int y = ya; y < yb; ++y)
        for (int x = xa; x < xb; ++x) {
            float& v = ref(x - x0_, y - y0_);
            v = std::max(v, o.at(x, y));
        }
}

Mask Mask::scaled(float f) const {
    Mask m = *this;
    for (float& v : m.a_) v *= f;
    return m;
}

namespace {

// Adds one edge to the accumulation buffer (signed area per pixel; the
// running sum along a row is the coverage).
void accumulateLine(std::vector<float>& acc, int stride, int rows, Point p0, Point p1) {
    if (std::fabs(p0.y - p1.y) < 1e-6f) return;
    float dir = 1;
    if (p0.y > p1.y) {
        std::swap(p0, p1);
        dir = -1;
    }
    const float dxdy = (p1.x - p0.x) / (p1.y - p0.y);
    float x = p0.x;
    int y0 = static_cast<int>(std::floor(p0.y));
    if (p0.y < 0) {
        x -= p0.y * dxdy;
        y0 = 0;
    }
    const int yEnd = std::min(rows, static_cast<int>(std::ceil(p1.y)));
    for (int y = y0; y < yEnd; ++y) {
        const size_t line = static_cast<size_t>(y) * stride;
        const float dy =
            std::min(static_cast<float>(y + 1), p1.y) - std::max(static_cast<float>(y), p0.y);
        const float xnext = x + dxdy * dy;
        const float d = dy * dir;
        const float xa = std::min(x, xnext), xb = std::max(x, xnext);
        const float xaf = std::floor(xa);
        const int xai = static_cast<int>(xaf);
        const float xbc = std::ceil(xb);
        const int xbi = static_cast<int>(xbc);
        if (xbi <= xai + 1) {
            const float xmf = 0.5f * (x + xnext) - xaf;
            acc[line + xai] += d - d * xmf;
            acc[line + xai + 1] += d * xmf;
        } else {
            const float s = 1.0f / (xb - xa);
            const float x0f = xa - xaf;
            const float a0 = 0.5f * s * (1 - x0f) * (1 - x0f);
            const float x1f = xb - xbc + 1;
            const float am = 0.5f * s * x1f * x1f;
            acc[line + xai] += d * a0;
            if (xbi == xai + 2) {
                acc[line + xai + 1] += d * (1 - a0 - am);
            } else {
                const float a1 = s * (1.5f - x0f);
                acc[line + xai + 1] += d * (a1 - a0);
                for (int xi = xai + 2; xi < xbi - 1; ++xi) acc[line + xi] += d * s;
                const float a2 = a1 + (xbi - xai - 3) * s;
                acc[line + xbi - 1] += d * (1 - a2 - am);
            }
            acc[line + xbi] += d * am;
        }
        x = xnext;
    }
}

}  // namespace

Mask rasterise(const Path& path, float scale, int canvasW, int canvasH) {
    float minX = 1e9f, minY = 1e9f, maxX = -1e9f, maxY = -1e9f;
    for (const auto& c : path.contours())
        for (const auto& p : c) {
            minX = std::min(minX, p.x * scale);
            maxX = std::max(maxX, p.x * scale);
            minY = std::min(minY, p.y * scale);
            maxY = std::max(maxY, p.y * scale);
        }
    const int x0 = std::max(0, static_cast<int>(std::floor(minX)));
    const int y0 = std::max(0, static_cast<int>(std::floor(minY)));
    const int x1 = std::min(canvasW, static_cast<int>(std::ceil(maxX)) + 1);
    const int y1 = std::min(canvasH, static_cast<int>(std::ceil(maxY)) + 1);
    if (x1 <= x0 || y1 <= y0) return {};
    const int w = x1 - x0, h = y1 - y0;
    const int stride = w + 3;
    std::vector<float> acc(static_cast<size_t>(stride) * h, 0.0f);
    const float maxXLocal = static_cast<float>(w);
    for (const auto& c : path.contours()) {
        const size_t n = c.size();
        if (n < 3) continue;
        for (size_t i = 0; i < n; ++i) {
            const Point a = c[i], b = c[(i + 1) % n];
            // Left of the mask counts as its left edge; right of it adds nothing.
            const Point pa{std::clamp(a.x * scale - x0, 0.0f, maxXLocal + 1), a.y * scale - y0};
            const Point pb{std::clamp(b.x * scale - x0, 0.0f, maxXLocal + 1), b.y * scale - y0};
            accumulateLine(acc, stride, h, pa, pb);
        }
    }
    // The running sum along each row is the coverage; it is written over the
    // buffer, which then becomes the mask's rows.
    for (int y = 0; y < h; ++y) {
        float run = 0;
        float* row = acc.data() + static_cast<size_t>(y) * stride;
        for (int x = 0; x < w; ++x) {
            run += row[x];
            acc[static_cast<size_t>(y) * w + x] = std::min(1.0f, std::fabs(run));
        }
    }
    acc.resize(static_cast<size_t>(w) * h);
    return Mask(x0, y0, w, h, std::move(acc));
}

// --- Painting --------------------------------------------------------------------

Tones tonesOf(Rgb base) {
    const Rgb cool{70, 60, 120};
    return {base, mix(shade(base, 0.72f), cool, 0.22f), mix(base, {255, 250, 235}, 0.35f),
            mix(base, {255, 245, 225}, 0.6f)};
}

Painter::Painter(Canvas& canvas, float scale) : c_(canvas), s_(scale) {}

int Painter::px(float units) const {
    return std::max(1, static_cast<int>(std::lround(units * s_ * zoom_)));
}

void Painter::place(float dx, float dy, float zoom) {
    dx_ = dx;
    dy_ = dy;
    zoom_ = zoom;
}

Mask Painter::mask(const Path& p) const {
    if (dx_ == 0 && dy_ == 0 && zoom_ == 1) return rasterise(p, s_, c_.width(), c_.height());
    return rasterise(p.transformed(0, 0, zoom_, 0).moved(dx_, dy_), s_, c_.width(), c_.height());
}

namespace {

// Blends a colour into one pixel.
inline void put(uint8_t* px, float r, float g, float b, float a) {
    px[0] = static_cast<uint8_t>(px[0] + (r - px[0]) * a + 0.5f);
    px[1] = static_cast<uint8_t>(px[1] + (g - px[1]) * a + 0.5f);
    px[2] = static_cast<uint8_t>(px[2] + (b - px[2]) * a + 0.5f);
}

}  // namespace

template <typename Cover>
void Painter::fillRect(int x0, int y0, int x1, int y1, const Paint& paint, float alpha,
                       Cover cover) {
    x0 = std::max(0, x0);
    y0 = std::max(0, y0);
    x1 = std::min(c_.width(), x1);
    y1 = std::min(c_.height(), y1);
    uint8_t* px = c_.pixels().data();
    const size_t stride = static_cast<size_t>(c_.width()) * 3;
    if (paint.kind == Paint::Kind::Solid) {
        const float a0 = alpha * paint.a0;
        for (int y = y0; y < y1; ++y) {
            uint8_t* row = px + y * stride;
            for (int x = x0; x < x1; ++x) {
                const float a = std::min(1.0f, cover(x, y) * a0);
                if (a > 0.0f) put(row + x * 3, paint.c0.r, paint.c0.g, paint.c0.b, a);
            }
        }
        return;
    }
    const Point from = map(paint.p0), to = map(paint.p1);
    const float gx = (to.x - from.x) * s_, gy = (to.y - from.y) * s_;
    const float glen2 = std::max(1e-6f, gx * gx + gy * gy);
    const float inv = 1.0f / std::max(1e-3f, paint.p1.x * zoom_ * s_);
    const float ox = from.x * s_, oy = from.y * s_;
    const bool linear = paint.kind == Paint::Kind::Linear;
    for (int y = y0; y < y1; ++y) {
        uint8_t* row = px + y * stride;
        const float dy = y + 0.5f - oy;
        for (int x = x0; x < x1; ++x) {
            float a = cover(x, y) * alpha;
            if (a <= 0.0f) continue;
            const float dx = x + 0.5f - ox;
            float t = linear ? (dx * gx + dy * gy) / glen2 : std::sqrt(dx * dx + dy * dy) * inv;
            t = std::clamp(t, 0.0f, 1.0f);
            a = std::min(1.0f, a * (paint.a0 + (paint.a1 - paint.a0) * t));
            if (a <= 0.0f) continue;
            put(row + x * 3, paint.c0.r + (paint.c1.r - paint.c0.r) * t,
                paint.c0.g + (paint.c1.g - paint.c0.g) * t,
                paint.c0.b + (paint.c1.b - paint.c0.b) * t, a);
        }
    }
}

void Painter::fill(const Mask& m, const Paint& paint, float alpha) {
    if (m.empty()) return;
    const int mx = m.x0(), my = m.y0(), mw = m.width();
    const float* a = m.data();
    fillRect(mx, my, mx + mw, my + m.height(), paint, alpha,
             [&](int x, int y) { return a[static_cast<size_t>(y - my) * mw + (x - mx)]; });
}

void Painter::wash(const Paint& paint, float alpha) {
    fillRect(0, 0, c_.width(), c_.height(), paint, alpha, [](int, int) { return 1.0f; });
}

void Painter::outline(const Mask& m, float width) {
    fill(m.dilated(px(width)), ink);
}

Mask Painter::part(const Path& p, const Tones& t, float depth, bool line) {
    return part(mask(p), t, depth, line);
}

Mask Painter::part(const Mask& m, const Tones& t, float depth, bool line) {
    if (m.empty()) return m;
    if (line) outline(m, lineWidth);
    fill(m, t.base);
    const int d = px(depth);
    // Shadow on the side away from the key light (lower right).
    fill(m - m.shifted(-d, -d), t.shadow);
    // Highlight along the lit edge (upper left), narrower.
    const int hl = std::max(1, d / 3);
    fill(m - m.shifted(hl, hl), t.light, 0.85f);
    // Rim of light on the far right edge.
    const int rim = std::max(1, px(0.9f));
    fill(m - m.shifted(-rim, 0), t.rim, 0.9f);
    return m;
}

void Painter::glow(float x, float y, float r, Rgb c, float alpha) {
    fill(Path::circle(x, y, r), Paint::radial({x, y}, r, c, c, alpha, 0.0f));
}

void Painter::shadow(float x, float y, float rx, float ry, float alpha) {
    fill(Path::ellipse(x, y, rx, ry),
         Paint::radial({x, y}, rx, {10, 8, 20}, {10, 8, 20}, alpha, 0));
}

}  // namespace kotou::assets
