// The desktop icon and its PNG encoder: a file that any PNG reader accepts
// (checked chunk by chunk and inflated back to the pixels), transparent
// around the rounded square at every installed size.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>
#include <vector>

#include "tools/assets/AppIcon.h"
#include "tools/assets/ImageFiles.h"

namespace kotou::assets {
namespace {

uint32_t be32(const std::vector<uint8_t>& b, size_t at) {
    return uint32_t(b[at]) << 24 | uint32_t(b[at + 1]) << 16 | uint32_t(b[at + 2]) << 8 | b[at + 3];
}

struct Decoded {
    uint32_t width = 0, height = 0;
    int colourType = -1;
    std::vector<uint8_t> rows;  // inflated image data, filter bytes included
    std::vector<std::string> chunks;
};

// Walks the chunks, checking each CRC, and inflates the image data.
Decoded decode(const std::vector<uint8_t>& png) {
    Decoded d;
    const std::vector<uint8_t> signature = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    EXPECT_TRUE(std::equal(signature.begin(), signature.end(), png.begin()));
    std::vector<uint8_t> packed;
    for (size_t at = 8; at + 12 <= png.size();) {
        const uint32_t length = be32(png, at);
        const std::string type(png.begin() + at + 4, png.begin() + at + 8);
        EXPECT_EQ(crc32(0, png.data() + at + 4, length + 4), be32(png, at + 8 + length)) << type;
        if (type == "IHDR") {
            d.width = be32(png, at + 8);
            d.height = be32(png, at + 12);
            EXPECT_EQ(png[at + 16], 8);  // bits per channel
            d.colourType = png[at + 17];
            // deflate, the one filter method, no interlacing
            EXPECT_EQ(std::vector<uint8_t>(png.begin() + at + 18, png.begin() + at + 21),
                      std::vector<uint8_t>(3, 0));
        }
        if (type == "IDAT")
            packed.insert(packed.end(), png.begin() + at + 8, png.begin() + at + 8 + length);
        d.chunks.push_back(type);
        at += 12 + length;
    }
    uLongf size = 4 * (d.width + 1) * d.height;
    d.rows.resize(size);
    EXPECT_EQ(uncompress(d.rows.data(), &size, packed.data(), packed.size()), Z_OK);
    d.rows.resize(size);
    return d;
}

TEST(AppIcon, PngHoldsTheCanvasPixelsAndOpacity) {
    Canvas colour(3, 2), alpha(3, 2);
    colour.fillRect(0, 0, 3, 1, {10, 20, 30});
    colour.fillRect(2, 1, 3, 2, {200, 100, 50});
    alpha.fillRect(1, 0, 3, 2, {128, 0, 0});

    const Decoded rgba = decode(encodePng(colour, alpha));
    EXPECT_EQ(rgba.chunks, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
    EXPECT_EQ(rgba.width, 3u);
    EXPECT_EQ(rgba.height, 2u);
    EXPECT_EQ(rgba.colourType, 6);
    // Each row: filter byte 0, then R G B A per pixel.
    const std::vector<uint8_t> rows = {0, 10, 20, 30, 0, 10, 20, 30, 128, 10,  20,  30, 128,
                                       0, 0,  0,  0,  0, 0,  0,  0,  128, 200, 100, 50, 128};
    EXPECT_EQ(rgba.rows, rows);
    EXPECT_ANY_THROW(encodePng(colour, Canvas(2, 2)));
}

TEST(AppIcon, EverySizeIsARoundedSquareWithAPicture) {
    for (const int size : kAppIconSizes) {
        SCOPED_TRACE(size);
        const AppIcon icon = paintAppIcon(size);
        ASSERT_EQ(icon.colour.width(), size);
        ASSERT_EQ(icon.alpha.height(), size);
        EXPECT_EQ(icon.alpha.at(0, 0).r, 0);
        EXPECT_EQ(icon.alpha.at(size - 1, size - 1).r, 0);
        EXPECT_EQ(icon.alpha.at(size / 2, size / 2).r, 255);
        // Sky above, sea below: the picture is there at every size.
        const Rgb sky = icon.colour.at(size / 4, size / 4),
                  sea = icon.colour.at(size / 4, size * 7 / 8);
        EXPECT_GT(sky.r, sea.r + 80);
        EXPECT_GT(sea.b, sea.r);
    }
}

}  // namespace
}  // namespace kotou::assets
