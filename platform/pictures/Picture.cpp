#include "platform/pictures/Picture.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

extern "C" {
#include <jpeglib.h>
}

namespace kotou {

namespace {

// libjpeg's default error handler ends the process. This one jumps back to
// the decoder instead, with the library's message kept for the exception.
struct JpegErrorManager {
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

extern "C" void jpegErrorExit(j_common_ptr cinfo) {
    auto* err = reinterpret_cast<JpegErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, err->message);
    std::longjmp(err->jump, 1);
}

// Warnings (level -1) mean damaged data: a truncated file, a bad Huffman
// code. The decoder would paper over them with grey; treat them as errors.
// Trace messages (level >= 0) are ignored.
extern "C" void jpegEmitMessage(j_common_ptr cinfo, int level) {
    if (level < 0) jpegErrorExit(cinfo);
}

// Keeps every object with a destructor outside the frame that calls setjmp,
// so the jump back never skips a destructor. Returns false on a libjpeg error.
bool runJpegDecode(jpeg_decompress_struct* cinfo, JpegErrorManager* err, const uint8_t* data,
                   size_t size, Picture& out) {
    if (setjmp(err->jump)) return false;
    jpeg_create_decompress(cinfo);
    jpeg_mem_src(cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(cinfo, TRUE);
    cinfo->out_color_space = JCS_RGB;
    jpeg_start_decompress(cinfo);
    if (cinfo->output_components != 3) return false;
    out.width = static_cast<int>(cinfo->output_width);
    out.height = static_cast<int>(cinfo->output_height);
    const size_t stride = static_cast<size_t>(out.width) * 3;
    out.rgb.resize(stride * static_cast<size_t>(out.height));
    while (cinfo->output_scanline < cinfo->output_height) {
        JSAMPROW row = out.rgb.data() + stride * cinfo->output_scanline;
        jpeg_read_scanlines(cinfo, &row, 1);
    }
    jpeg_finish_decompress(cinfo);
    return true;
}

uint32_t le16(const uint8_t* p) {
    return static_cast<uint32_t>(p[0] | (p[1] << 8));
}
uint32_t le32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

}  // namespace

Picture decodeJpeg(const uint8_t* data, size_t size) {
    if (size < 4 || data[0] != 0xFF || data[1] != 0xD8) throw PictureError("not a JPEG file");
    jpeg_decompress_struct cinfo{};
    JpegErrorManager err{};
    cinfo.err = jpeg_std_error(&err.pub);
    err.pub.error_exit = jpegErrorExit;
    err.pub.emit_message = jpegEmitMessage;
    Picture out;
    const bool ok = runJpegDecode(&cinfo, &err, data, size, out);
    jpeg_destroy_decompress(&cinfo);
    if (!ok) {
        throw PictureError(err.message[0] ? std::string("damaged JPEG: ") + err.message
                                          : std::string("unsupported JPEG colour format"));
    }
    return out;
}

Picture decodeBmp(const uint8_t* data, size_t size) {
    constexpr size_t kFileHeader = 14;
    if (size < kFileHeader + 40 || data[0] != 'B' || data[1] != 'M')
        throw PictureError("not a BMP file");
    const uint32_t pixelOffset = le32(data + 10);
    const uint8_t* info = data + kFileHeader;
    const uint32_t infoSize = le32(info);
    if (infoSize < 40 || kFileHeader + infoSize > size)
        throw PictureError("unsupported BMP header");
    const int32_t width = static_cast<int32_t>(le32(info + 4));
    const int32_t rawHeight = static_cast<int32_t>(le32(info + 8));
    const uint32_t bits = le16(info + 14);
    const uint32_t compression = le32(info + 16);
    uint32_t paletteSize = le32(info + 32);
    // BI_RGB only; BI_BITFIELDS with 32 bits is the usual default mask layout.
    if (compression != 0 && !(compression == 3 && bits == 32))
        throw PictureError("compressed BMP files are not supported");
    if (bits != 8 && bits != 24 && bits != 32)
        throw PictureError("BMP with " + std::to_string(bits) + " bits per pixel is not supported");
    if (width <= 0 || rawHeight == 0 || rawHeight == INT32_MIN || width > 16384 ||
        rawHeight > 16384 || rawHeight < -16384)
        throw PictureError("BMP size out of range");
    const bool topDown = rawHeight < 0;
    const int height = topDown ? -rawHeight : rawHeight;

    const uint8_t* palette = nullptr;
    if (bits == 8) {
        if (paletteSize == 0 || paletteSize > 256) paletteSize = 256;
        const size_t paletteAt = kFileHeader + infoSize;
        if (paletteAt + size_t{paletteSize} * 4 > size) throw PictureError("truncated BMP palette");
        palette = data + paletteAt;
    }
    const size_t stride = ((static_cast<size_t>(width) * bits + 31) / 32) * 4;
    if (pixelOffset > size || size - pixelOffset < stride * static_cast<size_t>(height))
        throw PictureError("truncated BMP pixel data");

    Picture out;
    out.width = width;
    out.height = height;
    out.rgb.resize(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    for (int y = 0; y < height; ++y) {
        const int srcRow = topDown ? y : height - 1 - y;
        const uint8_t* src = data + pixelOffset + stride * static_cast<size_t>(srcRow);
        uint8_t* dst = out.rgb.data() + static_cast<size_t>(y) * static_cast<size_t>(width) * 3;
        for (int x = 0; x < width; ++x, dst += 3) {
            const uint8_t* bgr;
            if (bits == 8) {
                const uint8_t index = src[x];
                if (index >= paletteSize) throw PictureError("BMP colour index out of range");
                bgr = palette + size_t{index} * 4;
            } else {
                bgr = src + static_cast<size_t>(x) * (bits / 8);
            }
            dst[0] = bgr[2];
            dst[1] = bgr[1];
            dst[2] = bgr[0];
        }
    }
    return out;
}

Picture readPictureFile(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) throw PictureError("cannot open the file");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                               std::istreambuf_iterator<char>());
    if (in.bad()) throw PictureError("cannot read the file");
    if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xD8)
        return decodeJpeg(bytes.data(), bytes.size());
    if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M')
        return decodeBmp(bytes.data(), bytes.size());
    throw PictureError(bytes.empty() ? "empty file" : "neither a JPEG nor a BMP file");
}

PictureLoader::PictureLoader(WarningSink warn) : warn_(std::move(warn)) {
    if (!warn_) {
        warn_ = [](const std::string& text) { std::cerr << "kotou: warning: " << text << '\n'; };
    }
}

Picture PictureLoader::load(const std::filesystem::path& file) {
    try {
        return readPictureFile(file);
    } catch (const PictureError& e) {
        bool first;
        {
            std::lock_guard lock(mutex_);
            first = warned_.insert(file).second;
        }
        if (first) warn_("picture " + file.string() + ": " + e.what());
        return {};
    }
}

size_t PictureLoader::warningCount() const {
    std::lock_guard lock(mutex_);
    return warned_.size();
}

}  // namespace kotou
