#pragma once
// Vector drawing for the pictures: smooth paths, coverage masks with exact
// antialiasing, gradients, and a cel-shading painter that gives every part
// an ink line, three tones and a rim of light (see docs/art.md).

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "tools/assets/Canvas.h"

namespace kotou::assets {

// Closed outlines made of straight segments (curves are flattened when they
// are added). Coordinates are in the picture's design units; the painter
// scales them to pixels.
class Path {
  public:
    Path& moveTo(float x, float y);
    Path& lineTo(float x, float y);
    Path& quadTo(float cx, float cy, float x, float y);
    Path& cubicTo(float c1x, float c1y, float c2x, float c2y, float x, float y);
    Path& close();
    Path& add(const Path& other);

    static Path ellipse(float cx, float cy, float rx, float ry);
    static Path circle(float cx, float cy, float r) { return ellipse(cx, cy, r, r); }
    static Path rect(float x0, float y0, float x1, float y1);
    static Path polygon(std::initializer_list<Point> pts);
    static Path polygon(const std::vector<Point>& pts);
    // A smooth closed curve through the points (Catmull-Rom).
    static Path blob(std::initializer_list<Point> pts);
    static Path blob(const std::vector<Point>& pts);
    // A stroke along a smooth open curve, its width given at each point
    // (tapers, hair strands, limbs, tails). Round ends when `round`.
    static Path ribbon(const std::vector<Point>& spine, const std::vector<float>& widths,
                       bool round = false);
    static Path ribbon(std::initializer_list<Point> spine, std::initializer_list<float> widths,
                       bool round = false);
    // A mirrored copy about the vertical line x = axis.
    Path mirrored(float axis) const;
    Path moved(float dx, float dy) const;
    // Scales about (cx, cy), then rotates by `radians` about the same point.
    Path transformed(float cx, float cy, float scale, float radians) const;

    const std::vector<std::vector<Point>>& contours() const { return contours_; }

  private:
    std::vector<std::vector<Point>> contours_;
    Point last_{0, 0};
};

// Points on a smooth curve through `pts` (Catmull-Rom), `steps` per span.
std::vector<Point> smoothCurve(const std::vector<Point>& pts, int steps, bool closed);

// Coverage of a shape over a rectangle of pixels (0 outside the rectangle).
class Mask {
  public:
    Mask() = default;
    Mask(int x0, int y0, int w, int h);
    Mask(int x0, int y0, int w, int h, std::vector<float>&& values);  // w * h values, by rows

    int x0() const { return x0_; }
    int y0() const { return y0_; }
    int width() const { return w_; }
    int height() const { return h_; }
    bool empty() const { return w_ <= 0 || h_ <= 0; }
    float at(int x, int y) const {
        x -= x0_;
        y -= y0_;
        return (x < 0 || y < 0 || x >= w_ || y >= h_) ? 0.0f : a_[static_cast<size_t>(y) * w_ + x];
    }
    float& ref(int lx, int ly) { return a_[static_cast<size_t>(ly) * w_ + lx]; }
    const float* data() const { return a_.data(); }
    float sum() const;

    // This and the other (product).
    Mask operator&(const Mask& o) const;
    // This without the other.
    Mask operator-(const Mask& o) const;
    // Either (maximum).
    Mask operator|(const Mask& o) const;
    Mask shifted(int dx, int dy) const;
    // Grown by r pixels (square neighbourhood).
    Mask dilated(int r) const;
    // Softened by a box blur of radius r, applied twice.
    Mask blurred(int r) const;
    Mask scaled(float f) const;  // every value times f
    // Takes the other's coverage in where it is larger, within this rectangle.
    void include(const Mask& o);

  private:
    int x0_ = 0, y0_ = 0, w_ = 0, h_ = 0;
    std::vector<float> a_;
};

// Exact-area coverage of the path's outlines (non-zero winding, clamped),
// clipped to a canvas of the given size.
Mask rasterise(const Path& path, float scale, int canvasW, int canvasH);

// Colour over the canvas: solid, linear or radial gradient; the opacity
// can fade along the gradient too.
struct Paint {
    enum class Kind : uint8_t { Solid, Linear, Radial } kind = Kind::Solid;
    Rgb c0{}, c1{};
    float a0 = 1, a1 = 1;
    Point p0{}, p1{};  // linear: from p0 to p1; radial: centre p0, radius p1.x
    static Paint solid(Rgb c, float a = 1) { return {Kind::Solid, c, c, a, a, {}, {}}; }
    static Paint linear(Point from, Rgb c0, Point to, Rgb c1, float a0 = 1, float a1 = 1) {
        return {Kind::Linear, c0, c1, a0, a1, from, to};
    }
    static Paint radial(Point centre, float radius, Rgb c0, Rgb c1, float a0 = 1, float a1 = 1) {
        return {Kind::Radial, c0, c1, a0, a1, centre, {radius, 0}};
    }
};

// The tones of one material: the lit colour, the shadow, a highlight on the
// side of the key light and a rim on the far side.
struct Tones {
    Rgb base, shadow, light, rim;
};
// Tones derived from a base colour: a cool shadow, a warm highlight.
Tones tonesOf(Rgb base);

// Draws in design units on a canvas that is `scale` pixels per unit. The key
// light comes from the upper left; the rim light from the right.
class Painter {
  public:
    Painter(Canvas& canvas, float scale);

    Canvas& canvas() { return c_; }
    float scale() const { return s_; }
    float width() const { return c_.width() / s_; }
    float height() const { return c_.height() / s_; }
    int px(float units) const;  // units to whole pixels, at least 1

    Mask mask(const Path& p) const;
    // Everything drawn after this is scaled by `zoom` and moved by (dx, dy)
    // units: one figure placed anywhere in its frame.
    void place(float dx, float dy, float zoom);
    void fill(const Mask& m, const Paint& paint, float alpha = 1);
    void fill(const Mask& m, Rgb c, float alpha = 1) { fill(m, Paint::solid(c), alpha); }
    void fill(const Path& p, Rgb c, float alpha = 1) { fill(mask(p), Paint::solid(c), alpha); }
    void fill(const Path& p, const Paint& paint, float alpha = 1) { fill(mask(p), paint, alpha); }
    // The whole canvas.
    void wash(const Paint& paint, float alpha = 1);

    // A cel-shaded part: ink line, base, shadow away from the light, a
    // highlight towards it and a rim of light. Returns the part's mask.
    // `depth` scales the shadow band (units).
    Mask part(const Path& p, const Tones& t, float depth = 6, bool line = true);
    Mask part(const Mask& m, const Tones& t, float depth = 6, bool line = true);
    // Only the ink line around a shape.
    void outline(const Mask& m, float width);
    // A soft round light.
    void glow(float x, float y, float r, Rgb c, float alpha);
    // A soft shadow on the ground.
    void shadow(float x, float y, float rx, float ry, float alpha);

    Rgb ink{34, 24, 30};
    float lineWidth = 1.2f;  // units

  private:
    template <typename Cover>
    void fillRect(int x0, int y0, int x1, int y1, const Paint& paint, float alpha, Cover cover);
    Point map(Point p) const { return {p.x * zoom_ + dx_, p.y * zoom_ + dy_}; }
    Canvas& c_;
    float s_;
    float dx_ = 0, dy_ = 0, zoom_ = 1;
};

}  // namespace kotou::assets
