// The game-facing component and the sound cues on the recording device.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MixerTestSupport.h"
#include "mixer/SoundMixer.h"

namespace kotou::test {
namespace {

void writeWave(const std::string& path, const Bytes& samples) {
    Bytes image = makeWav(pcm(1, 11025, 8), samples);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
}

class SoundCuesTest : public ::testing::Test {
  protected:
    SoundCuesTest() {
        std::filesystem::create_directories(dir);
        writeWave(dir + "/1.wav", repeat(50, 40));
        writeWave(dir + "/a.wav", repeat(180, 1500));
    }

    std::unique_ptr<MixerSoundCues> makeCues(RecordingWaveOut::Setup setup = {}) {
        auto device = std::make_unique<RecordingWaveOut>(std::move(setup));
        dev = device.get();
        return std::make_unique<MixerSoundCues>(std::move(device), dir,
                                                MixerEnvironment{nullptr, {}, &settings});
    }

    void run(MixerSoundCues& cues, size_t bytes) {
        while (bytes > 0) {
            const size_t n = dev->play(std::min<size_t>(bytes, 256));
            cues.pump();
            if (n == 0) break;
            bytes -= n;
        }
    }

    // One folder per test, as ctest may run the tests side by side.
    const std::string dir = std::string(KOTOU_TEST_OUTPUT) + "/mixer-cues-" +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    IniFile settings = IniFile::parse("[default]\nGoodWavePos=1\nWaveBlockLen=512\n");
    RecordingWaveOut* dev = nullptr;
};

TEST_F(SoundCuesTest, StartsActivatedWithChannels0To3AndTheClickInEverySlot) {
    auto cues = makeCues();
    ASSERT_TRUE(cues->available());
    TSoundMixer& mixer = *cues->mixer();
    EXPECT_TRUE(mixer.Activated());
    EXPECT_EQ(mixer.Channels(), 0x0F);
    for (int c = 0; c < kMixerChannels; ++c) EXPECT_EQ(MixerChannelOpen(mixer.session(), c), c < 4);
    for (int c = 0; c < 4; ++c) {
        ASSERT_NE(cues->waveSlot(c), nullptr);
        EXPECT_STREQ(cues->waveSlot(c)->name, "1.wav");
    }
    mixer.setChannels(0x81);
    EXPECT_TRUE(MixerChannelOpen(mixer.session(), 7));
    EXPECT_FALSE(MixerChannelOpen(mixer.session(), 1));
}

TEST_F(SoundCuesTest, CuesOnOneChannelPlayInTurnAndSupersededWavesAreFreedAfterPlaying) {
    auto cues = makeCues();
    cues->playSound(1, "a.wav");
    cues->playSound(1, "a.wav");
    // The start-up click was never played and is freed at once; the first
    // a.wav still has to be heard.
    EXPECT_EQ(cues->supersededWaves(), 1u);
    run(*cues, 1000);
    EXPECT_EQ(cues->supersededWaves(), 1u);
    run(*cues, 4000);
    EXPECT_EQ(cues->supersededWaves(), 0u);
    const Bytes& heard = dev->played();
    ASSERT_GE(heard.size(), 3036u);
    EXPECT_EQ(Bytes(heard.begin(), heard.begin() + 1500), repeat(180, 1500));
    EXPECT_EQ(Bytes(heard.begin() + 1536, heard.begin() + 3036), repeat(180, 1500));
}

TEST_F(SoundCuesTest, CuesOnDifferentChannelsSoundTogether) {
    writeWave(dir + "/long.wav", repeat(180, 4000));
    auto cues = makeCues();
    cues->playSound(0, "long.wav");
    cues->playSound(1, "1.wav");  // starts after the blocks already mixed
    run(*cues, 5000);
    const Bytes& heard = dev->played();
    ASSERT_GE(heard.size(), 4000u);
    EXPECT_EQ(Bytes(heard.begin() + 1500, heard.begin() + 1536), repeat(180, 36));
    EXPECT_EQ(Bytes(heard.begin() + 1536, heard.begin() + 1576), repeat(102, 40));
    EXPECT_EQ(Bytes(heard.begin() + 1576, heard.begin() + 4000), repeat(180, 2424));
}

TEST_F(SoundCuesTest, ErrorsAreSwallowed) {
    auto cues = makeCues();
    cues->playSound(2, "missing.wav");
    cues->playSound(4, "a.wav");  // one past the last slot
    cues->playSound(7, "a.wav");
    cues->playSound(-1, "a.wav");
    EXPECT_STREQ(cues->waveSlot(2)->name, "1.wav");  // the slot keeps its wave
    EXPECT_EQ(dev->written().size(), 0u);
    // The pool runs out: later cues are silently dropped.
    for (int i = 0; i < 120; ++i) cues->playSound(i % 4, "1.wav");
    EXPECT_EQ(MixerGetStatus(cues->mixer()->session()).freeRequests, 0);
}

TEST_F(SoundCuesTest, WithoutADeviceTheGameStaysSilent) {
    RecordingWaveOut::Setup none;
    none.devices = 0;
    auto cues = makeCues(none);
    EXPECT_FALSE(cues->available());
    cues->playSound(0, "a.wav");
    cues->pump();
    // The failed start left no session behind: the mixer can start again.
    auto working = makeCues();
    EXPECT_TRUE(working->available());
}

TEST_F(SoundCuesTest, ChannelsFollowTheMaskOneByOne) {
    TSoundMixer mixer(std::make_unique<RecordingWaveOut>(),
                      MixerEnvironment{nullptr, {}, &settings});
    mixer.setActivated(true);
    mixer.setChannels(0b0101);
    const Bytes image = makeWav(pcm(1, 11025, 8), repeat(60, 64));
    mixer.play(2, MixerOpenWaveMemory(mixer.session(), image.data(), image.size()), kLoopForever,
               0);
    mixer.setChannels(0b0100);  // channel 0 closes; what channel 2 plays goes on
    for (int c = 0; c < 8; ++c) EXPECT_EQ(MixerChannelOpen(mixer.session(), c), c == 2) << c;
    EXPECT_EQ(MixerQueueLength(mixer.session(), 2), 1);
}

TEST_F(SoundCuesTest, OnlyOneComponentAtATime) {
    auto cues = makeCues();
    EXPECT_MIXER_ERROR(TSoundMixer second(std::make_unique<RecordingWaveOut>()),
                       "Initialization failed (MixerInit)");
}

}  // namespace
}  // namespace kotou::test
