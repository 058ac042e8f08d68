// The asset list against the files the build generated beside the executable,
// the formats of those files, and the generator's determinism.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "tests/tools/FileChecks.h"
#include "tools/assets/AssetList.h"
#include "tools/assets/Canvas.h"
#include "tools/assets/Generator.h"
#include "tools/assets/ImageFiles.h"
#include "tools/assets/Pictures.h"
#include "tools/assets/Sounds.h"

namespace fs = std::filesystem;
using namespace kotou::assets;

using namespace kotou::assets::testing;

namespace {

const fs::path kBin = KOTOU_BIN_DIR;

}  // namespace

// --- The list itself -------------------------------------------------------

TEST(AssetList, NamesAreUniqueAndCarryTheirKind) {
    std::set<std::string> paths;
    for (const auto& f : allAssetFiles()) {
        EXPECT_TRUE(paths.insert(f.path).second) << "listed twice: " << f.path;
        const auto ext = fs::path(f.path).extension().string();
        switch (f.kind) {
            case AssetKind::Jpeg:
                EXPECT_EQ(ext, ".jpg") << f.path;
                break;
            case AssetKind::Bitmap:
                EXPECT_EQ(ext, ".bmp") << f.path;
                break;
            case AssetKind::Wave:
                EXPECT_EQ(ext, ".wav") << f.path;
                break;
            case AssetKind::Midi:
                EXPECT_EQ(ext, ".mid") << f.path;
                break;
        }
    }
    EXPECT_EQ(paths.size(), pictureAssets().size() + soundAssets().size() + musicAssets().size());
}

TEST(AssetList, NamesBuiltFromPartsArePresent) {
    // Portraits by character name, with their blushing variants.
    for (const char* name : {"ルル", "嵐", "スパーク", "残響"}) {
        EXPECT_NE(findPicture(std::string(name) + ".jpg"), nullptr) << name;
        EXPECT_NE(findPicture(std::string(name) + "頬.jpg"), nullptr) << name;
    }
    // Title animation frames and weather backgrounds.
    for (int i = 1; i <= 5; ++i) EXPECT_NE(findPicture("qz" + std::to_string(i) + ".jpg"), nullptr);
    for (const char* bg :
         {"背景", "背景・雨", "背景・日照り", "背景・遭難", "背景・夜", "背景・朝"}) {
        const auto* p = findPicture(std::string(bg) + ".bmp");
        ASSERT_NE(p, nullptr) << bg;
        EXPECT_EQ(p->kind, AssetKind::Bitmap);
        EXPECT_EQ(p->width, 640);
        EXPECT_EQ(p->height, 480);
    }
    EXPECT_EQ(radioTunes().size(), 12u);
    for (auto tune : radioTunes()) {
        EXPECT_TRUE(std::any_of(musicAssets().begin(), musicAssets().end(),
                                [&](const MusicAsset& m) { return m.name == tune; }))
            << tune;
    }
}

TEST(AssetList, SizesFollowWhereThePictureIsShown) {
    for (const auto& p : pictureAssets()) {
        if (p.style == PictureStyle::Scene && p.kind == AssetKind::Jpeg) {
            EXPECT_EQ(p.width, 213) << p.name;
            EXPECT_EQ(p.height, 160) << p.name;
        }
        if (p.style == PictureStyle::Enemy) {
            EXPECT_EQ(p.width, 213) << p.name;
            EXPECT_EQ(p.height, 160) << p.name;
            EXPECT_TRUE(p.name.starts_with("敵・")) << p.name;
        }
    }
    EXPECT_EQ(findPicture("ルル.jpg")->width, 289);
    EXPECT_EQ(findPicture("ルル.jpg")->height, 480);
}

TEST(AssetList, SoundsExerciseEveryFormatTheMixerConverts) {
    const auto& click = *std::find_if(soundAssets().begin(), soundAssets().end(),
                                      [](const SoundAsset& s) { return s.name == "1.wav"; });
    EXPECT_EQ(click.bits, 8);
    EXPECT_EQ(click.channels, 1);
    EXPECT_EQ(click.rate, 11025);
    std::set<std::tuple<int, int, int>> formats;
    for (const auto& s : soundAssets()) {
        EXPECT_TRUE(s.rate == 11025 || s.rate == 22050) << s.name;
        EXPECT_TRUE(s.bits == 8 || s.bits == 16) << s.name;
        EXPECT_TRUE(s.channels == 1 || s.channels == 2) << s.name;
        formats.insert({s.rate, s.bits, s.channels});
    }
    for (int rate : {11025, 22050})
        for (int bits : {8, 16})
            EXPECT_TRUE(formats.count({rate, bits, 1}) || formats.count({rate, bits, 2}))
                << rate << " Hz " << bits << " bits missing";
}

// --- The files the build produced -------------------------------------------

TEST(GeneratedAssets, EveryListedFileExistsInItsFormat) {
    for (const auto& f : allAssetFiles()) {
        const fs::path path = kBin / f.path;
        ASSERT_TRUE(fs::exists(path)) << "missing after the build: " << f.path;
        const auto bytes = readFile(path);
        if (f.kind == AssetKind::Jpeg) {
            const auto* p = findPicture(fs::path(f.path).filename().string());
            ASSERT_NE(p, nullptr);
            const auto img = decodeJpeg(bytes);
            ASSERT_TRUE(img.ok) << f.path;
            EXPECT_EQ(img.width, p->width) << f.path;
            EXPECT_EQ(img.height, p->height) << f.path;
            EXPECT_EQ(img.components, 3) << f.path;
        } else if (f.kind == AssetKind::Bitmap) {
            const auto* p = findPicture(fs::path(f.path).filename().string());
            ASSERT_NE(p, nullptr);
            ASSERT_GE(bytes.size(), 54u) << f.path;
            EXPECT_TRUE(bytes[0] == 'B' && bytes[1] == 'M') << f.path;
            EXPECT_EQ(le32(bytes, 2), bytes.size()) << f.path;
            EXPECT_EQ(static_cast<int>(le32(bytes, 18)), p->width) << f.path;
            EXPECT_EQ(static_cast<int>(le32(bytes, 22)), p->height) << f.path;
            EXPECT_EQ(le16(bytes, 28), 24u) << f.path;
            EXPECT_EQ(le32(bytes, 30), 0u) << f.path;
            EXPECT_EQ(le32(bytes, 10) + ((p->width * 3 + 3) & ~3) * p->height, bytes.size())
                << f.path;
        } else if (f.kind == AssetKind::Wave) {
            const auto name = fs::path(f.path).filename().string();
            const auto& s = *std::find_if(soundAssets().begin(), soundAssets().end(),
                                          [&](const SoundAsset& x) { return x.name == name; });
            const auto w = parseWave(bytes);
            ASSERT_TRUE(w.ok) << f.path;
            EXPECT_EQ(w.format, 1) << f.path;
            EXPECT_EQ(w.channels, s.channels) << f.path;
            EXPECT_EQ(w.rate, s.rate) << f.path;
            EXPECT_EQ(w.bits, s.bits) << f.path;
            EXPECT_EQ(w.blockAlign, s.channels * s.bits / 8) << f.path;
            EXPECT_EQ(w.byteRate, static_cast<uint32_t>(s.rate * w.blockAlign)) << f.path;
            ASSERT_EQ(w.data.size() % w.blockAlign, 0u) << f.path;
            const double seconds = static_cast<double>(w.data.size()) / w.byteRate;
            EXPECT_GE(seconds, 0.03) << f.path;
            EXPECT_LE(seconds, 1.6) << f.path;
        } else {
            const auto m = parseMidi(bytes);
            EXPECT_TRUE(m.ok) << f.path;
            EXPECT_TRUE(m.format == 0 || m.format == 1) << f.path;
            EXPECT_GT(m.division, 0) << f.path;
            EXPECT_GT(m.noteOns, 20) << f.path;
            EXPECT_GE(m.programChanges, 1) << f.path;
            EXPECT_GE(m.tempos, 1) << f.path;
            EXPECT_TRUE(m.balanced) << f.path;
        }
    }
}

TEST(GeneratedAssets, TwiceSizeFilesDoubleEveryPicture) {
    EXPECT_EQ(twiceSizeName("ルル.jpg"), "ルル@2x.jpg");
    EXPECT_EQ(twiceSizeName("背景・雨.bmp"), "背景・雨@2x.bmp");
    for (const auto& p : pictureAssets()) {
        const fs::path path = kBin / picturePath(twiceSizeName(p.name));
        ASSERT_TRUE(fs::exists(path)) << path;
        const auto bytes = readFile(path);
        if (p.kind == AssetKind::Jpeg) {
            const auto img = decodeJpeg(bytes);
            ASSERT_TRUE(img.ok) << path;
            EXPECT_EQ(img.width, 2 * p.width) << path;
            EXPECT_EQ(img.height, 2 * p.height) << path;
        } else {
            // 8 bits a pixel with a palette of 256, rows padded to 4 bytes.
            ASSERT_GE(bytes.size(), 54u + 1024u) << path;
            EXPECT_EQ(static_cast<int>(le32(bytes, 18)), 2 * p.width) << path;
            EXPECT_EQ(static_cast<int>(le32(bytes, 22)), 2 * p.height) << path;
            EXPECT_EQ(le16(bytes, 28), 8u) << path;
            EXPECT_EQ(le32(bytes, 10) + ((2 * p.width + 3) & ~3) * 2 * p.height, bytes.size())
                << path;
        }
    }
}

TEST(GeneratedAssets, EveryFileHasItsOwnContent) {
    std::map<std::vector<uint8_t>, std::string> seen;
    for (const auto& f : allAssetFiles()) {
        auto bytes = readFile(kBin / f.path);
        auto [it, fresh] = seen.emplace(std::move(bytes), f.path);
        EXPECT_TRUE(fresh) << f.path << " is identical to " << it->second;
    }
}

TEST(GeneratedAssets, PortraitsDifferInColour) {
    // Mean colour of each character's portrait: distinct characters must not
    // look alike, and the blushing variant must stay close to its character.
    auto mean = [](const std::string& name) {
        const auto img = decodeJpeg(readFile(kBin / "cg" / name));
        double sum[3] = {0, 0, 0};
        for (size_t i = 0; i < img.pixels.size(); i += 3)
            for (int k = 0; k < 3; ++k) sum[k] += img.pixels[i + k];
        const double n = img.pixels.size() / 3.0;
        return std::array<double, 3>{sum[0] / n, sum[1] / n, sum[2] / n};
    };
    auto distance = [](const std::array<double, 3>& a, const std::array<double, 3>& b) {
        return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
    };
    const std::vector<std::string> names = {"ルル", "嵐", "スパーク", "残響"};
    for (size_t i = 0; i < names.size(); ++i) {
        for (size_t j = i + 1; j < names.size(); ++j)
            EXPECT_GT(distance(mean(names[i] + ".jpg"), mean(names[j] + ".jpg")), 20.0)
                << names[i] << " vs " << names[j];
        EXPECT_LT(distance(mean(names[i] + ".jpg"), mean(names[i] + "頬.jpg")), 80.0) << names[i];
    }
}

TEST(GeneratedAssets, SoundsAreAudibleAndEndQuietly) {
    for (const auto& s : soundAssets()) {
        const auto w = parseWave(readFile(kBin / "dat" / std::string(s.name)));
        ASSERT_TRUE(w.ok) << s.name;
        const auto v = samples(w);
        double peak = 0;
        for (double x : v) peak = std::max(peak, std::abs(x));
        EXPECT_GT(peak, 0.05) << s.name;  // interface beeps are quiet on purpose
        // No cut-off click: the last frame is close to silence.
        for (int ch = 0; ch < w.channels; ++ch)
            EXPECT_LT(std::abs(v[v.size() - w.channels + ch]), 0.05) << s.name;
    }
}

TEST(GeneratedAssets, ClickIsShorterThanFanfares) {
    auto seconds = [](const char* name) {
        const auto w = parseWave(readFile(kBin / "dat" / name));
        return static_cast<double>(w.data.size()) / w.byteRate;
    };
    EXPECT_LT(seconds("1.wav"), 0.1);
    EXPECT_GT(seconds("victory.wav"), 1.0);
    EXPECT_GT(seconds("baku.wav"), 0.8);
}

// --- The generator --------------------------------------------------------------

TEST(AssetGenerator, TwoRunsWriteIdenticalBytes) {
    const fs::path base = fs::path(KOTOU_TEST_OUTPUT) / "assets-determinism";
    fs::remove_all(base);
    const int n1 = generateAssets(base / "a");
    const int n2 = generateAssets(base / "b");
    // Every file of the list, and every picture once more at twice its size.
    EXPECT_EQ(n1, static_cast<int>(allAssetFiles().size() + pictureAssets().size()));
    EXPECT_EQ(n1, n2);
    std::vector<std::string> paths;
    for (const auto& f : allAssetFiles()) paths.push_back(f.path);
    for (const auto& p : pictureAssets()) paths.push_back(picturePath(twiceSizeName(p.name)));
    for (const auto& path : paths) {
        const auto a = readFile(base / "a" / path);
        EXPECT_FALSE(a.empty()) << path;
        EXPECT_EQ(a, readFile(base / "b" / path)) << path;
    }
    fs::remove_all(base);
}

TEST(AssetGenerator, PicturesWithoutAFontStillCome) {
    const TextPainter none({"/nonexistent/font.ttf"});
    EXPECT_FALSE(none.available());
    const auto& p = *findPicture("背景・林.jpg");
    const Canvas c = paintPicture(p, none);
    EXPECT_EQ(c.width(), p.width);
    EXPECT_EQ(c.height(), p.height);
}

TEST(AssetImageFiles, BitmapRowsRunBottomUpWithPadding) {
    Canvas c(3, 2, {0, 0, 0});
    c.blend(0, 0, {255, 0, 0}, 1.0f);  // top-left red
    c.blend(2, 1, {0, 0, 255}, 1.0f);  // bottom-right blue
    const auto bmp = encodeBmp(c);
    ASSERT_EQ(bmp.size(), 54u + 12u * 2u);  // 3 pixels = 9 bytes, padded to 12
    // First stored row is the bottom one: its third pixel is blue, stored B, G, R.
    EXPECT_EQ(bmp[54 + 6], 255);
    EXPECT_EQ(bmp[54 + 8], 0);
    // Second stored row is the top one: its first pixel is red.
    EXPECT_EQ(bmp[54 + 12 + 2], 255);
    EXPECT_EQ(bmp[54 + 12 + 0], 0);
}

TEST(AssetImageFiles, JpegKeepsSizeAndColour) {
    Canvas c(17, 9, {40, 160, 220});
    const auto img = decodeJpeg(encodeJpeg(c, 85));
    ASSERT_TRUE(img.ok);
    EXPECT_EQ(img.width, 17);
    EXPECT_EQ(img.height, 9);
    EXPECT_NEAR(img.pixels[0], 40, 6);
    EXPECT_NEAR(img.pixels[1], 160, 6);
    EXPECT_NEAR(img.pixels[2], 220, 6);
}

TEST(AssetSounds, OddLengthDataIsPaddedButDeclaredExactly) {
    const auto wav = wavFile({1, 2, 3}, 11025, 8, 1);
    const auto w = parseWave(wav);
    ASSERT_TRUE(w.ok);
    EXPECT_EQ(w.data.size(), 3u);
    EXPECT_EQ(wav.size() % 2, 0u);
}
