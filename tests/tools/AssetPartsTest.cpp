// The pieces of the generator: drawing, text, tunes and sounds by mood, and
// failures while writing.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "tests/tools/FileChecks.h"
#include "tools/assets/AssetList.h"
#include "tools/assets/Canvas.h"
#include "tools/assets/Generator.h"
#include "tools/assets/Measure.h"
#include "tools/assets/Music.h"
#include "tools/assets/Pictures.h"
#include "tools/assets/Sounds.h"

namespace fs = std::filesystem;
using namespace kotou::assets;
using namespace kotou::assets::testing;

namespace {

// Pixels that differ from the background colour.
int painted(const Canvas& c, Rgb background) {
    int n = 0;
    for (int y = 0; y < c.height(); ++y)
        for (int x = 0; x < c.width(); ++x) {
            const Rgb p = c.at(x, y);
            if (p.r != background.r || p.g != background.g || p.b != background.b) ++n;
        }
    return n;
}

const MusicAsset& tune(std::string_view name) {
    for (const auto& m : musicAssets())
        if (m.name == name) return m;
    throw std::runtime_error("no tune");
}

const SoundAsset& sound(std::string_view name) {
    for (const auto& s : soundAssets())
        if (s.name == name) return s;
    throw std::runtime_error("no sound");
}

}  // namespace

TEST(AssetCanvas, ShapesCoverTheirArea) {
    const Rgb red{255, 0, 0};
    Canvas c(100, 100);
    c.fillEllipse(50, 50, 30, 20, red);
    EXPECT_NEAR(painted(c, {}), 3.14159 * 30 * 20, 40);

    Canvas t(100, 100);
    t.fillPolygon({{10, 10}, {90, 10}, {10, 90}}, red);
    EXPECT_NEAR(painted(t, {}), 80 * 80 / 2.0, 90);

    // Shapes reaching past the edges are clipped, not wrapped.
    Canvas e(20, 20);
    e.fillRect(-10, -10, 5, 5, red);
    EXPECT_EQ(painted(e, {}), 25);
    EXPECT_EQ(e.at(19, 19).r, 0);
}

TEST(AssetCanvas, BlendGradientAndDownsample) {
    Canvas c(4, 4, {0, 0, 0});
    c.blend(0, 0, {200, 100, 0}, 0.5f);
    EXPECT_EQ(c.at(0, 0).r, 100);
    EXPECT_EQ(c.at(0, 0).g, 50);
    c.blend(-1, 0, {255, 255, 255}, 1.0f);  // outside: ignored

    Canvas g(2, 11);
    g.verticalGradient({0, 0, 0}, {200, 200, 200});
    EXPECT_EQ(g.at(0, 0).r, 0);
    EXPECT_EQ(g.at(0, 10).r, 200);
    EXPECT_NEAR(g.at(1, 5).r, 100, 1);

    Canvas big(4, 2, {0, 0, 0});
    big.fillRect(0, 0, 1, 2, {255, 255, 255});  // one of each 2x2 block's columns
    const Canvas small = big.downsample(2);
    EXPECT_EQ(small.width(), 2);
    EXPECT_EQ(small.height(), 1);
    EXPECT_NEAR(small.at(0, 0).r, 128, 1);
    EXPECT_EQ(small.at(1, 0).r, 0);
}

TEST(AssetCanvas, RandomSourceIsReproducibleAndInRange) {
    Rng a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 100; ++i) {
        const int x = a.below(7);
        EXPECT_EQ(x, b.below(7));
        EXPECT_GE(x, 0);
        EXPECT_LT(x, 7);
        const float u = c.uniform();
        EXPECT_GE(u, 0.0f);
        EXPECT_LT(u, 1.0f);
        if (x != c.below(7)) differs = true;
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(Rng(1).below(0), 0);
    EXPECT_NE(hashText("ルル.jpg"), hashText("ルル頬.jpg"));
}

TEST(AssetText, JapaneseTextIsDrawnAndShrunkToFit) {
    const TextPainter text(defaultFontPaths());
    if (!text.available()) GTEST_SKIP() << "no Japanese font installed";
    EXPECT_GT(text.measure("スパーク", 20), 40);
    EXPECT_GT(text.measure("スパーク", 40), text.measure("スパーク", 20));

    Canvas c(120, 30);
    text.drawCentred(c, "シルバーズンズンの亡霊", 60, 22, 20, 100, {255, 255, 255}, {255, 0, 0});
    EXPECT_GT(painted(c, {}), 30);
    // Shrunk to fit: nothing lands outside the 100 pixels around the centre.
    for (int y = 0; y < c.height(); ++y) {
        for (int x : {0, 8, 112, 119}) EXPECT_EQ(c.at(x, y).r, 0) << x << "," << y;
    }

    // Broken UTF-8 is drawn as replacement marks rather than read past its end.
    Canvas d(60, 30);
    text.draw(d, std::string("\xE3\x83", 2), 2, 22, 20, {255, 255, 255}, {0, 0, 0});
    EXPECT_GE(text.measure(std::string("\xE3", 1), 20), 0);
}

TEST(AssetPictures, EveryStyleFillsItsFrame) {
    const TextPainter text(defaultFontPaths());
    for (const char* name : {"title.jpg", "qz1.jpg", "haikei3.jpg", "嵐.jpg", "背景・洞窟.jpg",
                             "敵・サメ.jpg", "ill.jpg", "背景・夜.bmp"}) {
        const auto* p = findPicture(name);
        ASSERT_NE(p, nullptr) << name;
        const Canvas c = paintPicture(*p, text);
        EXPECT_EQ(c.width(), p->width) << name;
        EXPECT_EQ(c.height(), p->height) << name;
        // Not a flat fill: the picture has some range of brightness.
        int lo = 255, hi = 0;
        for (int y = 0; y < c.height(); y += 3)
            for (int x = 0; x < c.width(); x += 3) {
                const Rgb px = c.at(x, y);
                const int v = (px.r + px.g + px.b) / 3;
                lo = std::min(lo, v);
                hi = std::max(hi, v);
            }
        EXPECT_GT(hi - lo, 40) << name;
    }
}

TEST(AssetPictures, MoodFollowsThePlace) {
    const TextPainter none({});
    auto brightness = [&](const char* name) {
        const Canvas c = paintPicture(*findPicture(name), none);
        double sum = 0;
        for (int y = 0; y < c.height(); ++y)
            for (int x = 0; x < c.width(); ++x) {
                const Rgb p = c.at(x, y);
                sum += p.r + p.g + p.b;
            }
        return sum / (3.0 * c.width() * c.height());
    };
    EXPECT_LT(brightness("背景・洞窟.jpg"), brightness("背景・浜辺.jpg") - 60);
    EXPECT_LT(brightness("背景・夜.bmp"), brightness("背景.bmp") - 60);
    EXPECT_LT(brightness("背景・雨.bmp"), brightness("背景.bmp"));
}

TEST(AssetMusic, TempoMetreAndDrumsFollowTheMood) {
    const auto battle = parseMidi(composeTune(tune("battle.mid")));
    const auto night = parseMidi(composeTune(tune("yoru.mid")));
    const auto title = parseMidi(composeTune(tune("title.mid")));
    ASSERT_TRUE(battle.ok && night.ok && title.ok);
    EXPECT_LT(battle.usPerBeat, night.usPerBeat);  // battle is faster
    EXPECT_GT(battle.drumNotes, 0);
    EXPECT_EQ(night.drumNotes, 0);
    EXPECT_EQ(night.beatsPerBar, 3);
    EXPECT_EQ(battle.beatsPerBar, 4);
    // Composed pieces, not loops of a few bars: intro, three A sections, B, outro.
    for (const auto* m : {&battle, &night, &title}) {
        const double bars = static_cast<double>(m->lastTick) / (m->division * m->beatsPerBar);
        EXPECT_GE(bars, 40.0);
    }
}

TEST(AssetSounds, StereoCuesUseBothChannelsDifferently) {
    const auto w = parseWave(synthesiseSound(sound("victory.wav")));
    ASSERT_TRUE(w.ok);
    ASSERT_EQ(w.channels, 2);
    const auto v = samples(w);
    double diff = 0;
    for (size_t i = 0; i + 1 < v.size(); i += 2) diff += std::abs(v[i] - v[i + 1]);
    EXPECT_GT(diff / (v.size() / 2), 0.01);
}

TEST(AssetSounds, EightBitSilenceSitsAtTheMidpoint) {
    // The click starts from silence: unsigned 8-bit samples near 128.
    const auto w = parseWave(synthesiseSound(sound("1.wav")));
    ASSERT_TRUE(w.ok);
    ASSERT_EQ(w.bits, 8);
    EXPECT_NEAR(w.data.front(), 128, 4);
    EXPECT_NEAR(w.data.back(), 128, 6);
}

TEST(AssetGenerator, UnwritableFolderIsReportedNotIgnored) {
    const fs::path base = fs::path(KOTOU_TEST_OUTPUT) / "assets-unwritable";
    fs::remove_all(base);
    fs::create_directories(base);
    // "cg" exists as a plain file, so the picture folder cannot be made.
    std::ofstream(base / "cg") << "not a folder";
    EXPECT_ANY_THROW(generateAssets(base));
    fs::remove_all(base);
}

TEST(AssetGenerator, CommandLineNeedsTheOutputFolder) {
    const std::string exe = std::string(KOTOU_BIN_DIR) + "/kotou-assets";
    ASSERT_TRUE(fs::exists(exe));
    const int status = std::system((exe + " > /dev/null 2>&1").c_str());
    EXPECT_NE(status, 0);
}

// The four heroes must be told apart by their outlines alone (docs/art.md):
// black silhouettes overlap by at most 0.35 of their union, edge maps by at
// most 0.30.
TEST(AssetPictures, HeroesDifferInSilhouetteAndOutline) {
    const char* heroes[] = {"ルル.jpg", "嵐.jpg", "スパーク.jpg", "残響.jpg"};
    std::vector<BitMap> silhouettes, edges;
    for (const char* name : heroes) {
        const PictureAsset& p = *findPicture(name);
        silhouettes.push_back(portraitSilhouette(p));
        edges.push_back(edgeMap(portraitFigure(p)));
        // A figure, not an empty frame nor a full one.
        const auto on = std::count(silhouettes.back().on.begin(), silhouettes.back().on.end(), 1);
        EXPECT_GT(on, p.width * p.height / 8) << name;
        EXPECT_LT(on, p.width * p.height * 3 / 4) << name;
    }
    for (size_t i = 0; i < 4; ++i)
        for (size_t j = i + 1; j < 4; ++j) {
            EXPECT_LE(overlap(silhouettes[i], silhouettes[j]), 0.35) << heroes[i] << heroes[j];
            EXPECT_LE(overlap(edges[i], edges[j]), 0.30) << heroes[i] << heroes[j];
        }
    // The measure itself: a map against itself, and against its complement.
    EXPECT_DOUBLE_EQ(overlap(silhouettes[0], silhouettes[0]), 1.0);
    BitMap inverse = silhouettes[0];
    for (auto& v : inverse.on) v = !v;
    EXPECT_DOUBLE_EQ(overlap(silhouettes[0], inverse), 0.0);
}
