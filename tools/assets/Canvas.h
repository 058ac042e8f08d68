#pragma once
// A 24-bit RGB image with the few drawing operations the picture painters
// need: gradients, filled shapes with transparency, noise, downsampling for
// smooth edges, and text through FreeType.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace kotou::assets {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
};

constexpr Rgb rgb(uint32_t hex) {
    return {static_cast<uint8_t>(hex >> 16), static_cast<uint8_t>(hex >> 8),
            static_cast<uint8_t>(hex)};
}

// Linear mix: t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, float t);
// Multiplies the channels by f (clamped).
Rgb shade(Rgb c, float f);

struct Point {
    float x, y;
};

// A small deterministic generator (splitmix64) so that every file comes out
// byte-identical on every run.
class Rng {
  public:
    explicit Rng(uint64_t seed) : state_(seed) {}
    uint64_t next();
    float uniform();                  // 0 <= x < 1
    float range(float lo, float hi);  // lo <= x < hi
    int below(int n);                 // 0..n-1

  private:
    uint64_t state_;
};

// FNV-1a of a text, used to seed per-file variation.
uint64_t hashText(std::string_view text);

class Canvas {
  public:
    Canvas(int width, int height, Rgb fill = {});

    int width() const { return width_; }
    int height() const { return height_; }
    // Rows top to bottom, RGB triplets.
    const std::vector<uint8_t>& pixels() const { return pixels_; }
    std::vector<uint8_t>& pixels() { return pixels_; }

    Rgb at(int x, int y) const;
    void blend(int x, int y, Rgb c, float alpha);

    void verticalGradient(Rgb top, Rgb bottom, int y0 = 0, int y1 = -1);
    void fillRect(float x0, float y0, float x1, float y1, Rgb c, float alpha = 1.0f);
    void fillEllipse(float cx, float cy, float rx, float ry, Rgb c, float alpha = 1.0f);
    void fillPolygon(const std::vector<Point>& points, Rgb c, float alpha = 1.0f);
    void line(float x0, float y0, float x1, float y1, float width, Rgb c, float alpha = 1.0f);
    // Adds +-amount of deterministic grain to every pixel.
    void grain(float amount, uint64_t seed);
    // Darkens the corners.
    void vignette(float strength);
    // Box-filters by an integer factor (drawing at a larger size gives smooth edges).
    Canvas downsample(int factor) const;
    // Halves the size with a smooth [1 3 3 1] filter (less aliasing than a box).
    Canvas halved() const;

  private:
    int width_, height_;
    std::vector<uint8_t> pixels_;
};

// Renders UTF-8 text with an outline; without a font it draws nothing.
class TextPainter {
  public:
    // Loads the first font that exists of the given paths.
    explicit TextPainter(const std::vector<std::string>& fontPaths);
    ~TextPainter();
    TextPainter(const TextPainter&) = delete;
    TextPainter& operator=(const TextPainter&) = delete;

    bool available() const;
    // Width in pixels of the text at the given pixel size.
    int measure(std::string_view utf8, int pixelSize) const;
    // Draws the text with its baseline at y, starting at x.
    void draw(Canvas& canvas, std::string_view utf8, int x, int baseline, int pixelSize, Rgb colour,
              Rgb outline) const;
    // Draws the text centred on cx, shrinking the size until it fits maxWidth.
    void drawCentred(Canvas& canvas, std::string_view utf8, int cx, int baseline, int pixelSize,
                     int maxWidth, Rgb colour, Rgb outline) const;

  private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The fonts looked for, in order.
std::vector<std::string> defaultFontPaths();

}  // namespace kotou::assets
