// The generated tunes and effects, measured as kotou-asset-report measures
// them, against the goals they are written to.

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "platform/music/MusicPlayer.h"
#include "tests/tools/FileChecks.h"
#include "tools/assets/AssetList.h"
#include "tools/assets/AssetReport.h"
#include "tools/assets/Loudness.h"

using namespace kotou::assets;
using namespace kotou::assets::testing;

TEST(AssetFigures, TunesAndEffectsMeetTheirGoals) {
    const fs::path dat = fs::path(KOTOU_BIN_DIR) / "dat";
    std::vector<TuneFigures> tunes;
    for (const auto& m : musicAssets()) {
        const auto f = analyseMidi(std::string(m.name), readFile(dat / std::string(m.name)));
        ASSERT_TRUE(f) << m.name;
        tunes.push_back(*f);
        EXPECT_GE(f->seconds, 90.0) << m.name;
        EXPECT_LE(f->seconds, 180.0) << m.name;
        EXPECT_LE(f->repeatedShare, 0.25) << m.name;
        EXPECT_GE(f->pitchClasses, 6) << m.name;
        EXPECT_GE(f->range, 12) << m.name;
    }
    std::vector<double> lengths;
    for (const auto& t : tunes) lengths.push_back(t.seconds);
    std::sort(lengths.begin(), lengths.end());
    EXPECT_GE(lengths[lengths.size() / 2], 120.0);

    for (const auto& s : soundAssets()) {
        const auto f = analyseEffect(s, readFile(dat / std::string(s.name)));
        ASSERT_TRUE(f) << s.name;
        EXPECT_LE(f->peakDb, -6.0) << s.name;
        EXPECT_NEAR(f->lufs, f->targetLufs, 2.0) << s.name;
        EXPECT_NEAR(f->targetLufs, f->interfaceCue ? -22.0 : -16.0, 0.5) << s.name;
    }

    // Loudness as the game plays them: through FluidSynth at the player's
    // gain, here at half the rate to keep the test short (the levels are set
    // at the full rate; the spread hardly depends on it).
    const fs::path font = findSoundfont();
    if (font.empty()) GTEST_SKIP() << "no soundfont installed: tune loudness not measured";
    std::vector<double> lufs(tunes.size(), kSilenceLufs);
    std::vector<std::thread> workers;
    for (size_t w = 0; w < 2; ++w) {
        workers.emplace_back([&, w] {
            for (size_t i = w; i < tunes.size(); i += 2) {
                std::string error;
                const auto pcm =
                    renderMidi(dat / tunes[i].name, font, kotou::MusicOptions{}.gain, 22050, error);
                if (!pcm.empty()) lufs[i] = integratedLoudness(pcm, 2, 22050);
            }
        });
    }
    for (auto& t : workers) t.join();
    for (size_t i = 0; i < tunes.size(); ++i) EXPECT_GT(lufs[i], -40.0) << tunes[i].name;
    const auto [lo, hi] = std::minmax_element(lufs.begin(), lufs.end());
    EXPECT_LE(*hi - *lo, 2.0) << "loudest " << tunes[static_cast<size_t>(hi - lufs.begin())].name
                              << ", quietest "
                              << tunes[static_cast<size_t>(lo - lufs.begin())].name;
}
