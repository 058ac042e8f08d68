#include "tools/assets/Canvas.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <mutex>

namespace kotou::assets {

namespace {

uint8_t clampByte(float v) {
    return static_cast<uint8_t>(std::clamp(v, 0.0f, 255.0f) + 0.5f);
}

// Decodes UTF-8 into code points; malformed bytes become U+FFFD.
std::vector<char32_t> decodeUtf8(std::string_view s) {
    std::vector<char32_t> out;
    size_t i = 0;
    while (i < s.size()) {
        const auto b = static_cast<unsigned char>(s[i]);
        int extra = 0;
        char32_t cp = 0;
        if (b < 0x80) {
            cp = b;
        } else if ((b & 0xE0) == 0xC0) {
            cp = b & 0x1F;
            extra = 1;
        } else if ((b & 0xF0) == 0xE0) {
            cp = b & 0x0F;
            extra = 2;
        } else if ((b & 0xF8) == 0xF0) {
            cp = b & 0x07;
            extra = 3;
        } else {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        bool ok = true;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= s.size()) {
                ok = false;
                break;
            }
            const auto c = static_cast<unsigned char>(s[i + k]);
            if ((c & 0xC0) != 0x80) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (c & 0x3F);
        }
        if (!ok) {
            out.push_back(0xFFFD);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += extra + 1;
    }
    return out;
}

}  // namespace

Rgb mix(Rgb a, Rgb b, float t) {
    t = std::clamp(t, 0.0f, 1.0f);
    return {clampByte(a.r + (b.r - a.r) * t), clampByte(a.g + (b.g - a.g) * t),
            clampByte(a.b + (b.b - a.b) * t)};
}

Rgb shade(Rgb c, float f) {
    return {clampByte(c.r * f), clampByte(c.g * f), clampByte(c.b * f)};
}

uint64_t Rng::next() {
    uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Rng::uniform() {
    return static_cast<float>(next() >> 40) / static_cast<float>(1u << 24);
}

float Rng::range(float lo, float hi) {
    return lo + (hi - lo) * uniform();
}

int Rng::below(int n) {
    return n <= 0 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n));
}

uint64_t hashText(std::string_view text) {
    uint64_t h = 0xcbf29ce484222325ull;
    for (char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ull;
    }
    return h;
}

Canvas::Canvas(int width, int height, Rgb fill)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height * 3) {
    for (size_t i = 0; i < pixels_.size(); i += 3) {
        pixels_[i] = fill.r;
        pixels_[i + 1] = fill.g;
        pixels_[i + 2] = fill.b;
    }
}

Rgb Canvas::at(int x, int y) const {
    x = std::clamp(x, 0, width_ - 1);
    y = std::clamp(y, 0, height_ - 1);
    const size_t i = (static_cast<size_t>(y) * width_ + x) * 3;
    return {pixels_[i], pixels_[i + 1], pixels_[i + 2]};
}

void Canvas::blend(int x, int y, Rgb c, float alpha) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_ || alpha <= 0.0f) return;
    const size_t i = (static_cast<size_t>(y) * width_ + x) * 3;
    if (alpha >= 1.0f) {
        pixels_[i] = c.r;
        pixels_[i + 1] = c.g;
        pixels_[i + 2] = c.b;
        return;
    }
    pixels_[i] = clampByte(pixels_[i] + (c.r - pixels_[i]) * alpha);
    pixels_[i + 1] = clampByte(pixels_[i + 1] + (c.g - pixels_[i + 1]) * alpha);
    pixels_[i + 2] = clampByte(pixels_[i + 2] + (c.b - pixels_[i + 2]) * alpha);
}

void Canvas::verticalGradient(Rgb top, Rgb bottom, int y0, int y1) {
    if (y1 < 0) y1 = height_;
    y0 = std::max(0, y0);
    y1 = std::min(height_, y1);
    const int span = std::max(1, y1 - y0 - 1);
    for (int y = y0; y < y1; ++y) {
        const Rgb c = mix(top, bottom, static_cast<float>(y - y0) / span);
        for (int x = 0; x < width_; ++x) blend(x, y, c, 1.0f);
    }
}

void Canvas::fillRect(float x0, float y0, float x1, float y1, Rgb c, float alpha) {
    const int xa = std::max(0, static_cast<int>(std::lround(std::min(x0, x1))));
    const int xb = std::min(width_, static_cast<int>(std::lround(std::max(x0, x1))));
    const int ya = std::max(0, static_cast<int>(std::lround(std::min(y0, y1))));
    const int yb = std::min(height_, static_cast<int>(std::lround(std::max(y0, y1))));
    for (int y = ya; y < yb; ++y)
        for (int x = xa; x < xb; ++x) blend(x, y, c, alpha);
}

void Canvas::fillEllipse(float cx, float cy, float rx, float ry, Rgb c, float alpha) {
    if (rx <= 0 || ry <= 0) return;
    const int ya = std::max(0, static_cast<int>(std::floor(cy - ry)));
    const int yb = std::min(height_ - 1, static_cast<int>(std::ceil(cy + ry)));
    for (int y = ya; y <= yb; ++y) {
        const float dy = (y + 0.5f - cy) / ry;
        if (dy * dy > 1.0f) continue;
        const float half = rx * std::sqrt(1.0f - dy * dy);
        const int xa = std::max(0, static_cast<int>(std::lround(cx - half)));
        const int xb = std::min(width_, static_cast<int>(std::lround(cx + half)));
        for (int x = xa; x < xb; ++x) blend(x, y, c, alpha);
    }
}

void Canvas::fillPolygon(const std::vector<Point>& points, Rgb c, float alpha) {
    if (points.size() < 3) return;
    float top = points[0].y, bottom = points[0].y;
    for (const auto& p : points) {
        top = std::min(top, p.y);
        bottom = std::max(bottom, p.y);
    }
    const int ya = std::max(0, static_cast<int>(std::floor(top)));
    const int yb = std::min(height_ - 1, static_cast<int>(std::ceil(bottom)));
    std::vector<float> xs;
    for (int y = ya; y <= yb; ++y) {
        const float sy = y + 0.5f;
        xs.clear();
        for (size_t i = 0; i < points.size(); ++i) {
            const Point a = points[i];
            const Point b = points[(i + 1) % points.size()];
            if ((a.y <= sy && b.y > sy) || (b.y <= sy && a.y > sy)) {
                xs.push_back(a.x + (sy - a.y) / (b.y - a.y) * (b.x - a.x));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int xa = std::max(0, static_cast<int>(std::lround(xs[i])));
            const int xb = std::min(width_, static_cast<int>(std::lround(xs[i + 1])));
            for (int x = xa; x < xb; ++x) blend(x, y, c, alpha);
        }
    }
}

void Canvas::line(float x0, float y0, float x1, float y1, float width, Rgb c, float alpha) {
    const float dx = x1 - x0, dy = y1 - y0;
    const float len = std::sqrt(dx * dx + dy * dy);
    if (len <= 0.0f) {
        fillEllipse(x0, y0, width / 2, width / 2, c, alpha);
        return;
    }
    const float nx = -dy / len * width / 2, ny = dx / len * width / 2;
    fillPolygon({{x0 + nx, y0 + ny}, {x1 + nx, y1 + ny}, {x1 - nx, y1 - ny}, {x0 - nx, y0 - ny}}, c,
                alpha);
}

void Canvas::grain(float amount, uint64_t seed) {
    Rng rng(seed);
    for (size_t i = 0; i < pixels_.size(); i += 3) {
        const float d = rng.range(-amount, amount);
        for (size_t k = 0; k < 3; ++k) pixels_[i + k] = clampByte(pixels_[i + k] + d);
    }
}

void Canvas::vignette(float strength) {
    const float cx = width_ / 2.0f, cy = height_ / 2.0f;
    for (int y = 0; y < height_; ++y) {
        for (int x = 0; x < width_; ++x) {
            const float dx = (x - cx) / cx, dy = (y - cy) / cy;
            const float d = std::min(1.0f, (dx * dx + dy * dy) / 2.0f);
            blend(x, y, {0, 0, 0}, d * strength);
        }
    }
}

Canvas Canvas::downsample(int factor) const {
    Canvas out(width_ / factor, height_ / factor);
    const int n = factor * factor;
    for (int y = 0; y < out.height_; ++y) {
        for (int x = 0; x < out.width_; ++x) {
            int sum[3] = {0, 0, 0};
            for (int j = 0; j < factor; ++j) {
                for (int i = 0; i < factor; ++i) {
                    const size_t s =
                        (static_cast<size_t>(y * factor + j) * width_ + x * factor + i) * 3;
                    for (int k = 0; k < 3; ++k) sum[k] += pixels_[s + k];
                }
            }
            const size_t d = (static_cast<size_t>(y) * out.width_ + x) * 3;
            for (int k = 0; k < 3; ++k)
                out.pixels_[d + k] = static_cast<uint8_t>((sum[k] + n / 2) / n);
        }
    }
    return out;
}

Canvas Canvas::halved() const {
    // Output pixel x covers source 2x, 2x+1; the taps 2x-1 .. 2x+2 weigh 1 3 3 1.
    const int ow = width_ / 2, oh = height_ / 2;
    std::vector<int> rows(static_cast<size_t>(ow) * height_ * 3);
    for (int y = 0; y < height_; ++y) {
        const uint8_t* src = pixels_.data() + static_cast<size_t>(y) * width_ * 3;
        int* dst = rows.data() + static_cast<size_t>(y) * ow * 3;
        for (int x = 0; x < ow; ++x) {
            const int a = std::max(0, 2 * x - 1) * 3, b = 2 * x * 3, c = (2 * x + 1) * 3,
                      d = std::min(width_ - 1, 2 * x + 2) * 3;
            for (int k = 0; k < 3; ++k)
                dst[x * 3 + k] = src[a + k] + 3 * src[b + k] + 3 * src[c + k] + src[d + k];
        }
    }
    Canvas out(ow, oh);
    const size_t stride = static_cast<size_t>(ow) * 3;
    for (int y = 0; y < oh; ++y) {
        const int* a = rows.data() + std::max(0, 2 * y - 1) * stride;
        const int* b = rows.data() + 2 * y * stride;
        const int* c = rows.data() + (2 * y + 1) * stride;
        const int* d = rows.data() + std::min(height_ - 1, 2 * y + 2) * stride;
        uint8_t* dst = out.pixels_.data() + y * stride;
        for (size_t i = 0; i < stride; ++i)
            dst[i] = static_cast<uint8_t>((a[i] + 3 * b[i] + 3 * c[i] + d[i] + 32) / 64);
    }
    return out;
}

struct TextPainter::Impl {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    // One face serves every thread that paints: one glyph run at a time.
    std::mutex busy;
};

TextPainter::TextPainter(const std::vector<std::string>& fontPaths) : impl_(new Impl) {
    if (FT_Init_FreeType(&impl_->library) != 0) {
        impl_->library = nullptr;
        return;
    }
    for (const auto& path : fontPaths) {
        std::error_code ec;
        if (!std::filesystem::exists(path, ec)) continue;
        if (FT_New_Face(impl_->library, path.c_str(), 0, &impl_->face) == 0) return;
        impl_->face = nullptr;
    }
}

TextPainter::~TextPainter() {
    if (impl_->face) FT_Done_Face(impl_->face);
    if (impl_->library) FT_Done_FreeType(impl_->library);
}

bool TextPainter::available() const {
    return impl_->face != nullptr;
}

int TextPainter::measure(std::string_view utf8, int pixelSize) const {
    if (!available()) return 0;
    const std::lock_guard lock(impl_->busy);
    FT_Set_Pixel_Sizes(impl_->face, 0, pixelSize);
    long width = 0;
    for (char32_t cp : decodeUtf8(utf8)) {
        if (FT_Load_Char(impl_->face, cp, FT_LOAD_DEFAULT) != 0) continue;
        width += impl_->face->glyph->advance.x >> 6;
    }
    return static_cast<int>(width);
}

void TextPainter::draw(Canvas& canvas, std::string_view utf8, int x, int baseline, int pixelSize,
                       Rgb colour, Rgb outline) const {
    if (!available()) return;
    const std::lock_guard lock(impl_->busy);
    FT_Face face = impl_->face;
    FT_Set_Pixel_Sizes(face, 0, pixelSize);
    const int border = std::max(1, pixelSize / 12);
    // Two passes: the outline, stamped around each glyph, then the glyphs.
    for (int pass = 0; pass < 2; ++pass) {
        int pen = x;
        for (char32_t cp : decodeUtf8(utf8)) {
            if (FT_Load_Char(face, cp, FT_LOAD_RENDER) != 0) continue;
            const FT_GlyphSlot g = face->glyph;
            const FT_Bitmap& bm = g->bitmap;
            const int left = pen + g->bitmap_left;
            const int top = baseline - g->bitmap_top;
            for (unsigned row = 0; row < bm.rows; ++row) {
                for (unsigned col = 0; col < bm.width; ++col) {
                    const float a = bm.buffer[row * bm.pitch + col] / 255.0f;
                    if (a <= 0.0f) continue;
                    const int px = left + static_cast<int>(col);
                    const int py = top + static_cast<int>(row);
                    if (pass == 0) {
                        for (int oy = -border; oy <= border; ++oy)
                            for (int ox = -border; ox <= border; ++ox)
                                canvas.blend(px + ox, py + oy, outline, a * 0.85f);
                    } else {
                        canvas.blend(px, py, colour, a);
                    }
                }
            }
            pen += g->advance.x >> 6;
        }
    }
}

void TextPainter::drawCentred(Canvas& canvas, std::string_view utf8, int cx, int baseline,
                              int pixelSize, int maxWidth, Rgb colour, Rgb outline) const {
    if (!available()) return;
    // The outline adds a border on both sides; the text and its border must fit.
    auto extent = [&](int size) { return measure(utf8, size) + 2 * std::max(1, size / 12); };
    int size = pixelSize;
    while (extent(size) > maxWidth && size > 8) --size;
    const int w = measure(utf8, size);
    draw(canvas, utf8, cx - w / 2, baseline, size, colour, outline);
}

std::vector<std::string> defaultFontPaths() {
    return {"/usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf",
            "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf",
            "/usr/share/fonts/truetype/fonts-japanese-gothic.ttf"};
}

}  // namespace kotou::assets
