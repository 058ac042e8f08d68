#include "tools/assets/ImageFiles.h"

#include <jpeglib.h>
#include <zlib.h>

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
