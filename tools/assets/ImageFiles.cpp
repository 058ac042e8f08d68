#include "tools/assets/ImageFiles.h"

#include <jpeglib.h>
#include <zlib.h>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace kotou::assets {

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void onJpegError(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

std::vector<uint8_t> encodeJpeg(const Canvas& canvas, int quality) {
    jpeg_compress_struct cinfo{};
    ErrorManager err{};
    cinfo.err = jpeg_std_error(&err.base);
    err.base.error_exit = onJpegError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    // Nothing with a destructor lives between setjmp and the calls that may jump.
    if (setjmp(err.jump) != 0) {
        jpeg_destroy_compress(&cinfo);
        std::free(buffer);
        throw std::runtime_error(std::string("JPEG encoding failed: ") + err.message);
    }
    jpeg_create_compress(&cinfo);
    jpeg_mem_dest(&cinfo, &buffer, &size);
    cinfo.image_width = static_cast<JDIMENSION>(canvas.width());
    cinfo.image_height = static_cast<JDIMENSION>(canvas.height());
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    const auto& px = canvas.pixels();
    const size_t stride = static_cast<size_t>(canvas.width()) * 3;
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW row = const_cast<JSAMPLE*>(px.data() + cinfo.next_scanline * stride);
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    std::free(buffer);
    return out;
}

std::vector<uint8_t> encodeBmp(const Canvas& canvas) {
    const uint32_t w = static_cast<uint32_t>(canvas.width());
    const uint32_t h = static_cast<uint32_t>(canvas.height());
    const uint32_t stride = (w * 3 + 3) & ~3u;
    const uint32_t imageSize = stride * h;
    std::vector<uint8_t> out;
    out.reserve(54 + imageSize);
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imageSize);  // file size
    put32(out, 0);               // reserved
    put32(out, 54);              // offset of the pixels
    put32(out, 40);              // BITMAPINFOHEADER
    put32(out, w);
    put32(out, h);  // positive: bottom-up rows
    put16(out, 1);  // planes
    put16(out, 24);
    put32(out, 0);  // no compression
    put32(out, imageSize);
    put32(out, 2835);  // 72 dpi
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    const auto& px = canvas.pixels();
    for (uint32_t row = 0; row < h; ++row) {
        const size_t src = static_cast<size_t>(h - 1 - row) * w * 3;
        for (uint32_t x = 0; x < w; ++x) {
            out.push_back(px[src + x * 3 + 2]);
            out.push_back(px[src + x * 3 + 1]);
            out.push_back(px[src + x * 3]);
        }
        for (uint32_t pad = w * 3; pad < stride; ++pad) out.push_back(0);
    }
    return out;
}

namespace {

// A box of the colour histogram (5 bits a channel) for the median cut.
struct ColourBox {
    std::vector<uint16_t> bins;
    uint64_t count = 0;
};

int channelOf(uint16_t bin, int c) {
    return (bin >> (10 - 5 * c)) & 31;
}

std::vector<Rgb> medianCutPalette(const std::vector<uint32_t>& histogram) {
    std::vector<ColourBox> boxes(1);
    for (uint16_t b = 0; b < 32768; ++b)
        if (histogram[b]) {
            boxes[0].bins.push_back(b);
            boxes[0].count += histogram[b];
        }
    while (boxes.size() < 256) {
        // Split the box with the most pixels that still holds two colours.
        int pick = -1;
        for (size_t i = 0; i < boxes.size(); ++i)
            if (boxes[i].bins.size() > 1 && (pick < 0 || boxes[i].count > boxes[pick].count))
                pick = static_cast<int>(i);
        if (pick < 0) break;
        ColourBox& box = boxes[static_cast<size_t>(pick)];
        int widest = 0, span = -1;
        for (int c = 0; c < 3; ++c) {
            int lo = 31, hi = 0;
            for (uint16_t b : box.bins) {
                lo = std::min(lo, channelOf(b, c));
                hi = std::max(hi, channelOf(b, c));
            }
            if (hi - lo > span) span = hi - lo, widest = c;
        }
        std::sort(box.bins.begin(), box.bins.end(), [&](uint16_t a, uint16_t b) {
            return channelOf(a, widest) != channelOf(b, widest)
                       ? channelOf(a, widest) < channelOf(b, widest)
                       : a < b;
        });
        uint64_t half = 0;
        size_t cut = 0;
        while (cut + 1 < box.bins.size() && half + histogram[box.bins[cut]] <= box.count / 2)
            half += histogram[box.bins[cut++]];
        cut = std::max<size_t>(cut, 1);
        ColourBox upper;
        upper.bins.assign(box.bins.begin() + static_cast<long>(cut), box.bins.end());
        box.bins.resize(cut);
        box.count = 0;
        for (uint16_t b : box.bins) box.count += histogram[b];
        for (uint16_t b : upper.bins) upper.count += histogram[b];
        boxes.push_back(std::move(upper));
    }
    std::vector<Rgb> palette;
    for (const auto& box : boxes) {
        double sum[3] = {0, 0, 0};
        for (uint16_t b : box.bins)
            for (int c = 0; c < 3; ++c) sum[c] += (channelOf(b, c) * 8 + 4) * double(histogram[b]);
        const double n = std::max<double>(1, static_cast<double>(box.count));
        palette.push_back({static_cast<uint8_t>(sum[0] / n + 0.5),
                           static_cast<uint8_t>(sum[1] / n + 0.5),
                           static_cast<uint8_t>(sum[2] / n + 0.5)});
    }
    palette.resize(256);
    return palette;
}

}  // namespace

std::vector<uint8_t> encodeBmp8(const Canvas& canvas) {
    const int w = canvas.width(), h = canvas.height();
    const auto& px = canvas.pixels();
    auto binOf = [](int r, int g, int b) {
        return static_cast<uint16_t>(((std::clamp(r, 0, 255) >> 3) << 10) |
                                     ((std::clamp(g, 0, 255) >> 3) << 5) |
                                     (std::clamp(b, 0, 255) >> 3));
    };
    std::vector<uint32_t> histogram(32768, 0);
    for (size_t i = 0; i < px.size(); i += 3) ++histogram[binOf(px[i], px[i + 1], px[i + 2])];
    const std::vector<Rgb> palette = medianCutPalette(histogram);
    // The nearest palette entry of every histogram bin, found when first needed.
    std::vector<int16_t> nearest(32768, -1);
    auto lookup = [&](int r, int g, int b) {
        const uint16_t bin = binOf(r, g, b);
        if (nearest[bin] < 0) {
            const int cr = channelOf(bin, 0) * 8 + 4, cg = channelOf(bin, 1) * 8 + 4,
                      cb = channelOf(bin, 2) * 8 + 4;
            int best = 0, bestD = 1 << 30;
            for (int i = 0; i < 256; ++i) {
                const int dr = palette[i].r - cr, dg = palette[i].g - cg, db = palette[i].b - cb;
                const int d = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (d < bestD) bestD = d, best = i;
            }
            nearest[bin] = static_cast<int16_t>(best);
        }
        return nearest[bin];
    };
    // Floyd-Steinberg error diffusion, row by row.
    const uint32_t stride = (static_cast<uint32_t>(w) + 3) & ~3u;
    std::vector<uint8_t> indices(static_cast<size_t>(stride) * h, 0);
    std::vector<int> err(static_cast<size_t>(w + 2) * 3 * 2, 0);
    for (int y = 0; y < h; ++y) {
        int* cur = err.data() + (y % 2) * (w + 2) * 3;
        int* next = err.data() + ((y + 1) % 2) * (w + 2) * 3;
        std::fill(next, next + (w + 2) * 3, 0);
        for (int x = 0; x < w; ++x) {
            const size_t i = (static_cast<size_t>(y) * w + x) * 3;
            int v[3];
            for (int c = 0; c < 3; ++c) v[c] = px[i + c] + cur[(x + 1) * 3 + c] / 16;
            const int16_t k = lookup(v[0], v[1], v[2]);
            indices[static_cast<size_t>(h - 1 - y) * stride + x] = static_cast<uint8_t>(k);
            const int q[3] = {palette[k].r, palette[k].g, palette[k].b};
            for (int c = 0; c < 3; ++c) {
                const int e = std::clamp(v[c], 0, 255) - q[c];
                cur[(x + 2) * 3 + c] += e * 7;
                next[x * 3 + c] += e * 3;
                next[(x + 1) * 3 + c] += e * 5;
                next[(x + 2) * 3 + c] += e;
            }
        }
    }
    const uint32_t offset = 54 + 256 * 4;
    std::vector<uint8_t> out;
    out.reserve(offset + indices.size());
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + static_cast<uint32_t>(indices.size()));
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, static_cast<uint32_t>(w));
    put32(out, static_cast<uint32_t>(h));
    put16(out, 1);
    put16(out, 8);
    put32(out, 0);
    put32(out, static_cast<uint32_t>(indices.size()));
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 256);
    put32(out, 0);
    for (const Rgb& c : palette) out.insert(out.end(), {c.b, c.g, c.r, 0});
    out.insert(out.end(), indices.begin(), indices.end());
    return out;
}

namespace {

void putBigEndian32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<uint8_t>(v >> shift));
}

void pngChunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    putBigEndian32(out, static_cast<uint32_t>(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    putBigEndian32(out, static_cast<uint32_t>(
                            crc32(0, out.data() + start, static_cast<uInt>(out.size() - start))));
}

}  // namespace

std::vector<uint8_t> encodePng(const Canvas& canvas, const Canvas& alpha) {
    const int w = canvas.width(), h = canvas.height();
    if (alpha.width() != w || alpha.height() != h)
        throw std::runtime_error("PNG: the alpha canvas differs in size");

    // Every row starts with filter type 0 (none).
    std::vector<uint8_t> raw;
    raw.reserve(static_cast<size_t>(h) * (1 + static_cast<size_t>(w) * 4));
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < w; ++x) {
            const Rgb c = canvas.at(x, y);
            raw.insert(raw.end(), {c.r, c.g, c.b, alpha.at(x, y).r});
        }
    }
    uLongf packedSize = compressBound(static_cast<uLong>(raw.size()));
    std::vector<uint8_t> packed(packedSize);
    if (compress2(packed.data(), &packedSize, raw.data(), static_cast<uLong>(raw.size()),
                  Z_BEST_COMPRESSION) != Z_OK)
        throw std::runtime_error("PNG: zlib could not compress the picture");
    packed.resize(packedSize);

    std::vector<uint8_t> header;
    putBigEndian32(header, static_cast<uint32_t>(w));
    putBigEndian32(header, static_cast<uint32_t>(h));
    // 8 bits per channel, RGBA (6), deflate, no filter set, no interlace.
    header.insert(header.end(), {8, 6, 0, 0, 0});

    std::vector<uint8_t> out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    pngChunk(out, "IHDR", header);
    pngChunk(out, "IDAT", packed);
    pngChunk(out, "IEND", {});
    return out;
}

}  // namespace kotou::assets
