// Picture decoding: JPEG through libjpeg, uncompressed BMP, and the loader's
// behaviour with missing and damaged files.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

#include "platform/pictures/Picture.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

// A w x h JPEG whose left half is red and right half blue.
std::vector<uint8_t> makeJpeg(int w, int h) {
    jpeg_compress_struct c{};
    jpeg_error_mgr err{};
    c.err = jpeg_std_error(&err);
    jpeg_create_compress(&c);
    unsigned char* buf = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &buf, &size);
    c.image_width = static_cast<JDIMENSION>(w);
    c.image_height = static_cast<JDIMENSION>(h);
    c.input_components = 3;
    c.in_color_space = JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_set_quality(&c, 95, TRUE);
    jpeg_start_compress(&c, TRUE);
    std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
    for (int x = 0; x < w; ++x) {
        const bool left = x < w / 2;
        row[static_cast<size_t>(x) * 3 + 0] = left ? 255 : 0;
        row[static_cast<size_t>(x) * 3 + 1] = 0;
        row[static_cast<size_t>(x) * 3 + 2] = left ? 0 : 255;
    }
    while (c.next_scanline < c.image_height) {
        JSAMPROW r = row.data();
        jpeg_write_scanlines(&c, &r, 1);
    }
    jpeg_finish_compress(&c);
    jpeg_destroy_compress(&c);
    std::vector<uint8_t> out(buf, buf + size);
    std::free(buf);
    return out;
}

void put16(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    v[at] = static_cast<uint8_t>(x);
    v[at + 1] = static_cast<uint8_t>(x >> 8);
}
void put32(std::vector<uint8_t>& v, size_t at, uint32_t x) {
    for (int i = 0; i < 4; ++i) v[at + static_cast<size_t>(i)] = static_cast<uint8_t>(x >> (8 * i));
}

// A BMP with the given bit depth; pixel (x, y) (y from the top) gets
// colour(x, y) as R, G, B (for 8 bits the palette index is x + y).
std::vector<uint8_t> makeBmp(int w, int h, int bits, bool topDown) {
    const size_t paletteBytes = bits == 8 ? 256 * 4 : 0;
    const size_t stride = ((static_cast<size_t>(w) * static_cast<size_t>(bits) + 31) / 32) * 4;
    const size_t offset = 14 + 40 + paletteBytes;
    std::vector<uint8_t> v(offset + stride * static_cast<size_t>(h), 0);
    v[0] = 'B';
    v[1] = 'M';
    put32(v, 2, static_cast<uint32_t>(v.size()));
    put32(v, 10, static_cast<uint32_t>(offset));
    put32(v, 14, 40);
    put32(v, 18, static_cast<uint32_t>(w));
    put32(v, 22, static_cast<uint32_t>(topDown ? -h : h));
    put16(v, 26, 1);
    put16(v, 28, static_cast<uint32_t>(bits));
    for (size_t i = 0; bits == 8 && i < 256; ++i) {  // palette: B, G, R, 0
        v[54 + i * 4 + 0] = static_cast<uint8_t>(255 - i);
        v[54 + i * 4 + 1] = static_cast<uint8_t>(i / 2);
        v[54 + i * 4 + 2] = static_cast<uint8_t>(i);
    }
    for (int y = 0; y < h; ++y) {
        const int fileRow = topDown ? y : h - 1 - y;
        uint8_t* p = v.data() + offset + stride * static_cast<size_t>(fileRow);
        for (int x = 0; x < w; ++x) {
            if (bits == 8) {
                p[x] = static_cast<uint8_t>(x + y);
            } else {
                uint8_t* px = p + static_cast<size_t>(x) * static_cast<size_t>(bits / 8);
                px[0] = static_cast<uint8_t>(10 * y);  // blue
                px[1] = 77;                            // green
                px[2] = static_cast<uint8_t>(10 * x);  // red
            }
        }
    }
    return v;
}

std::array<uint8_t, 3> pixel(const Picture& p, int x, int y) {
    const size_t i =
        (static_cast<size_t>(y) * static_cast<size_t>(p.width) + static_cast<size_t>(x)) * 3;
    return {p.rgb[i], p.rgb[i + 1], p.rgb[i + 2]};
}

TEST(JpegDecode, DecodesSizeAndColours) {
    const auto data = makeJpeg(64, 16);
    const Picture p = decodeJpeg(data.data(), data.size());
    ASSERT_EQ(p.width, 64);
    ASSERT_EQ(p.height, 16);
    ASSERT_EQ(p.rgb.size(), 64u * 16u * 3u);
    const auto red = pixel(p, 4, 8);
    const auto blue = pixel(p, 60, 8);
    EXPECT_GT(red[0], 200);
    EXPECT_LT(red[2], 60);
    EXPECT_GT(blue[2], 200);
    EXPECT_LT(blue[0], 60);
}

TEST(JpegDecode, RejectsDamagedData) {
    const auto good = makeJpeg(64, 64);
    // Cut in the middle of the entropy-coded data: libjpeg would pad it
    // with grey and only warn; the decoder refuses it.
    std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    EXPECT_THROW(decodeJpeg(truncated.data(), truncated.size()), PictureError);
    // Only the start-of-image marker.
    EXPECT_THROW(decodeJpeg(good.data(), 4), PictureError);
    // A header followed by garbage.
    std::vector<uint8_t> garbage(good.begin(), good.begin() + 20);
    garbage.resize(400, 0x5A);
    EXPECT_THROW(decodeJpeg(garbage.data(), garbage.size()), PictureError);
    // Not a JPEG at all.
    const uint8_t text[] = "hello, world";
    EXPECT_THROW(decodeJpeg(text, sizeof text), PictureError);
}

TEST(BmpDecode, TwentyFourBitBottomUpWithRowPadding) {
    const auto data = makeBmp(3, 2, 24, false);  // 9-byte rows padded to 12
    const Picture p = decodeBmp(data.data(), data.size());
    ASSERT_EQ(p.width, 3);
    ASSERT_EQ(p.height, 2);
    EXPECT_EQ(pixel(p, 0, 0), (std::array<uint8_t, 3>{0, 77, 0}));
    EXPECT_EQ(pixel(p, 2, 0), (std::array<uint8_t, 3>{20, 77, 0}));
    EXPECT_EQ(pixel(p, 2, 1), (std::array<uint8_t, 3>{20, 77, 10}));
}

TEST(BmpDecode, TopDownThirtyTwoBitAndPalette) {
    const auto top = makeBmp(5, 4, 32, true);
    const Picture p = decodeBmp(top.data(), top.size());
    EXPECT_EQ(pixel(p, 4, 3), (std::array<uint8_t, 3>{40, 77, 30}));

    const auto pal = makeBmp(5, 3, 8, false);
    const Picture q = decodeBmp(pal.data(), pal.size());
    // index x + y, palette entry i = (R i, G i/2, B 255-i)
    EXPECT_EQ(pixel(q, 4, 2), (std::array<uint8_t, 3>{6, 3, 249}));
    EXPECT_EQ(pixel(q, 0, 0), (std::array<uint8_t, 3>{0, 0, 255}));
}

TEST(BmpDecode, RejectsWhatItCannotReadSafely) {
    auto data = makeBmp(8, 8, 24, false);
    std::vector<uint8_t> truncated(data.begin(), data.end() - 10);
    EXPECT_THROW(decodeBmp(truncated.data(), truncated.size()), PictureError);

    auto compressed = data;
    put32(compressed, 30, 1);  // RLE8
    EXPECT_THROW(decodeBmp(compressed.data(), compressed.size()), PictureError);

    auto huge = data;
    put32(huge, 18, 0x7FFFFFFF);
    EXPECT_THROW(decodeBmp(huge.data(), huge.size()), PictureError);

    auto offsetPastEnd = data;
    put32(offsetPastEnd, 10, 0xFFFFFFF0u);
    EXPECT_THROW(decodeBmp(offsetPastEnd.data(), offsetPastEnd.size()), PictureError);

    auto fourBit = data;
    put16(fourBit, 28, 4);
    EXPECT_THROW(decodeBmp(fourBit.data(), fourBit.size()), PictureError);

    auto smallPalette = makeBmp(4, 4, 8, false);
    put32(smallPalette, 46, 2);  // two colours, but indexes up to 6 are used
    EXPECT_THROW(decodeBmp(smallPalette.data(), smallPalette.size()), PictureError);
}

class PictureLoaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // One folder per test: ctest runs the tests of this file in parallel.
        dir_ = fs::path(KOTOU_TEST_OUTPUT) / "pictures" /
               ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::create_directories(dir_);
    }
    void write(const fs::path& file, const std::vector<uint8_t>& bytes) {
        std::ofstream(file, std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
    }
    fs::path dir_;
    std::vector<std::string> warnings_;
    PictureLoader loader_{[this](const std::string& w) { warnings_.push_back(w); }};
};

TEST_F(PictureLoaderTest, ReadsJpegAndBmpFilesByContent) {
    write(dir_ / "a.jpg", makeJpeg(20, 10));
    write(dir_ / "b.bmp", makeBmp(7, 5, 24, false));
    EXPECT_EQ(loader_.load(dir_ / "a.jpg").width, 20);
    EXPECT_EQ(loader_.load(dir_ / "b.bmp").height, 5);
    EXPECT_TRUE(warnings_.empty());
}

TEST_F(PictureLoaderTest, MissingOrDamagedFilesGiveEmptyPicturesAndWarnOncePerFile) {
    auto good = makeJpeg(32, 32);
    write(dir_ / "broken.jpg", std::vector<uint8_t>(good.begin(), good.begin() + 200));
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(loader_.load(dir_ / "missing.jpg").empty());
        EXPECT_TRUE(loader_.load(dir_ / "broken.jpg").empty());
    }
    ASSERT_EQ(warnings_.size(), 2u);
    EXPECT_NE(warnings_[0].find("missing.jpg"), std::string::npos);
    EXPECT_NE(warnings_[1].find("broken.jpg"), std::string::npos);
    EXPECT_EQ(loader_.warningCount(), 2u);
}

}  // namespace
}  // namespace kotou
