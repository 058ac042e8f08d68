// The FluidSynth music player: silent and warning once when it cannot play,
// playing and replacing files when it can, and keeping the latest request
// made while FluidSynth starts in the background. No audio device is opened:
// the tests use the "none" driver, which renders nothing.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/music/MusicPlayer.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

const fs::path kSoundfont = "/usr/share/sounds/sf2/TimGM6mb.sf2";

// One note, a quarter of a second long, as a format-0 MIDI file.
fs::path writeMidi(const std::string& name) {
    const fs::path file = fs::path(KOTOU_TEST_OUTPUT) / name;
    const unsigned char bytes[] = {'M',  'T',  'h',  'd', 0, 0,  0, 6,
                                   0,    0,    0,    1,   0, 96,         // format 0, one track
                                   'M',  'T',  'r',  'k', 0, 0,  0, 12,  // track of 12 bytes
                                   0x00, 0x90, 60,   100,                // note on
                                   0x60, 0x80, 60,   0,                  // note off after 96 ticks
                                   0x00, 0xFF, 0x2F, 0x00};              // end of track
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes), sizeof bytes);
    return file;
}

struct Recorder {
    std::vector<std::string> warnings;
    MusicOptions options(std::vector<fs::path> fonts, std::vector<std::string> drivers) {
        MusicOptions o;
        o.soundfonts = std::move(fonts);
        o.drivers = std::move(drivers);
        o.warn = [this](const std::string& w) { warnings.push_back(w); };
        return o;
    }
};

class MusicTest : public ::testing::Test {
  protected:
    void SetUp() override { unsetenv("KOTOU_MUSIC_DRIVER"); }
    Recorder rec;
};

TEST_F(MusicTest, WithoutASoundfontItStaysSilentAndWarnsOnce) {
    FluidMusicPlayer player(rec.options({"/nonexistent/font.sf2"}, {"none"}));
    const fs::path midi = writeMidi("silent.mid");
    EXPECT_TRUE(player.play(midi));  // kept until the start-up has ended
    EXPECT_FALSE(player.waitUntilReady());
    for (int i = 0; i < 3; ++i) {
        EXPECT_FALSE(player.play(midi));
        EXPECT_FALSE(player.playing());
    }
    player.stop();
    ASSERT_EQ(rec.warnings.size(), 1u);
    EXPECT_NE(rec.warnings[0].find("soundfont"), std::string::npos);
}

TEST_F(MusicTest, WithoutAnAudioDeviceItStaysSilentAndWarnsOnce) {
    if (!fs::exists(kSoundfont)) GTEST_SKIP() << "no soundfont installed";
    FluidMusicPlayer player(rec.options({kSoundfont}, {"no-such-driver"}));
    const fs::path midi = writeMidi("nodevice.mid");
    player.play(midi);
    EXPECT_FALSE(player.waitUntilReady());
    EXPECT_FALSE(player.playing());
    EXPECT_FALSE(player.play(midi));
    EXPECT_FALSE(player.play(midi));
    EXPECT_EQ(player.driverName(), "");
    ASSERT_EQ(rec.warnings.size(), 1u);
    EXPECT_NE(rec.warnings[0].find("audio device"), std::string::npos);
}

TEST_F(MusicTest, MissingFilesWarnOncePerFileAndStopTheOldMusic) {
    if (!fs::exists(kSoundfont)) GTEST_SKIP() << "no soundfont installed";
    FluidMusicPlayer player(rec.options({"/nonexistent/font.sf2", kSoundfont}, {"none"}));
    const fs::path good = writeMidi("good.mid");
    ASSERT_TRUE(player.waitUntilReady());
    ASSERT_TRUE(player.play(good));
    EXPECT_TRUE(player.playing());

    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(player.play("/nonexistent/a.mid"));
        EXPECT_FALSE(player.play("/nonexistent/b.mid"));
    }
    EXPECT_FALSE(player.playing());  // a new file replaces the old even when it fails
    ASSERT_EQ(rec.warnings.size(), 2u);
    EXPECT_NE(rec.warnings[0].find("a.mid"), std::string::npos);
    EXPECT_NE(rec.warnings[1].find("b.mid"), std::string::npos);
}

TEST_F(MusicTest, ANewFileReplacesTheOldAndStopEndsIt) {
    if (!fs::exists(kSoundfont)) GTEST_SKIP() << "no soundfont installed";
    FluidMusicPlayer player(rec.options({kSoundfont}, {"none"}));
    EXPECT_FALSE(player.playing());
    player.stop();  // harmless before anything played
    ASSERT_TRUE(player.waitUntilReady());
    ASSERT_TRUE(player.play(writeMidi("first.mid")));
    ASSERT_TRUE(player.play(writeMidi("second.mid")));
    EXPECT_TRUE(player.playing());
    EXPECT_EQ(player.driverName(), "none");
    player.stop();
    EXPECT_FALSE(player.playing());
    player.stop();
    EXPECT_TRUE(rec.warnings.empty());
}

// Requests made while FluidSynth starts: the latest play() or stop() is the
// one carried out once it is ready.
TEST_F(MusicTest, TheLatestRequestBeforeTheStartUpWins) {
    if (!fs::exists(kSoundfont)) GTEST_SKIP() << "no soundfont installed";
    const fs::path midi = writeMidi("early.mid");
    struct Case {
        const char* what;
        std::function<void(FluidMusicPlayer&)> requests;
        bool playsOnceReady;
    };
    const Case cases[] = {
        {"play", [&](FluidMusicPlayer& p) { p.play(midi); }, true},
        {"play, stop", [&](FluidMusicPlayer& p) { p.play(midi), p.stop(); }, false},
        {"play, stop, play", [&](FluidMusicPlayer& p) { p.play(midi), p.stop(), p.play(midi); },
         true},
        {"play, missing file",
         [&](FluidMusicPlayer& p) { p.play(midi), p.play("/nonexistent/c.mid"); }, false},
        {"stop only (prepared)", [&](FluidMusicPlayer& p) { p.prepare(), p.stop(); }, false},
    };
    for (const Case& c : cases) {
        FluidMusicPlayer player(rec.options({kSoundfont}, {"none"}));
        c.requests(player);
        EXPECT_EQ(player.playing(), c.playsOnceReady) << c.what << " (while starting)";
        ASSERT_TRUE(player.waitUntilReady()) << c.what;
        EXPECT_EQ(player.playing(), c.playsOnceReady) << c.what;
        EXPECT_EQ(player.driverName(), "none") << c.what;
    }
    ASSERT_EQ(rec.warnings.size(), 1u);  // the missing file, once
    EXPECT_NE(rec.warnings[0].find("c.mid"), std::string::npos);
}

// A program that wants its window first keeps the requests until prepare().
TEST_F(MusicTest, WithoutStartOnPlayNothingStartsBeforePrepare) {
    if (!fs::exists(kSoundfont)) GTEST_SKIP() << "no soundfont installed";
    MusicOptions options = rec.options({kSoundfont}, {"none"});
    options.startOnPlay = false;
    FluidMusicPlayer player(options);
    EXPECT_TRUE(player.play(writeMidi("later.mid")));
    EXPECT_TRUE(player.playing());
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(player.driverName(), "");  // not started
    player.prepare();
    ASSERT_TRUE(player.waitUntilReady());
    EXPECT_EQ(player.driverName(), "none");
    EXPECT_TRUE(player.playing());
}

TEST_F(MusicTest, StoppingOrDestroyingWhileStartingIsSafe) {
    if (!fs::exists(kSoundfont)) GTEST_SKIP() << "no soundfont installed";
    const fs::path midi = writeMidi("short-lived.mid");
    for (int i = 0; i < 3; ++i) {
        FluidMusicPlayer player(rec.options({kSoundfont}, {"none"}));
        player.play(midi);
        if (i == 1) player.stop();
        if (i == 2) player.play(midi);
    }  // destroyed while FluidSynth may still be loading the soundfont
    FluidMusicPlayer never(rec.options({kSoundfont}, {"none"}));  // never started
    EXPECT_TRUE(rec.warnings.empty());
}

TEST_F(MusicTest, TheEnvironmentChoosesTheDriver) {
    if (!fs::exists(kSoundfont)) GTEST_SKIP() << "no soundfont installed";
    setenv("KOTOU_MUSIC_DRIVER", "none", 1);
    FluidMusicPlayer player(rec.options({kSoundfont}, {"no-such-driver"}));
    EXPECT_TRUE(player.play(writeMidi("env.mid")));
    EXPECT_TRUE(player.waitUntilReady());
    EXPECT_EQ(player.driverName(), "none");
    unsetenv("KOTOU_MUSIC_DRIVER");
}

}  // namespace
}  // namespace kotou
