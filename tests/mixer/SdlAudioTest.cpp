// The SDL wave-output device: without audio, with the dummy driver, and
// through the disk driver, whose file holds the bytes actually played.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <thread>

#include "MixerTestSupport.h"
#include "mixer/SoundMixer.h"
#include "platform/audio/SdlWaveOut.h"

namespace kotou::test {
namespace {

// One folder per test, as ctest may run the tests side by side.
std::string testDir() {
    const std::string dir = std::string(KOTOU_TEST_OUTPUT) + "/mixer-sdl-" +
                            ::testing::UnitTest::GetInstance()->current_test_info()->name();
    std::filesystem::create_directories(dir);
    return dir;
}

std::string writeWave(const std::string& name, const Bytes& samples) {
    const std::string path = testDir() + "/" + name;
    Bytes image = makeWav(pcm(1, 11025, 8), samples);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    return path;
}

Bytes withoutSilence(Bytes b) {
    std::erase(b, uint8_t(128));
    return b;
}

TEST(SdlAudio, WithoutAnyAudioTheCuesAreSilent) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    auto device = makeSdlWaveOutDevice();
    EXPECT_EQ(device->deviceCount(), 0);
    writeWave("1.wav", repeat(60, 100));
    MixerSoundCues cues(std::move(device), testDir());
    EXPECT_FALSE(cues.available());
    cues.playSound(0, "1.wav");
    cues.pump();
}

TEST(SdlAudio, DummyDriverPlaysCues) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    auto device = makeSdlWaveOutDevice();
    EXPECT_GE(device->deviceCount(), 1);
    writeWave("1.wav", repeat(60, 3000));
    MixerSoundCues cues(std::move(device), testDir());
    ASSERT_TRUE(cues.available());
    std::atomic<int> signals{0};
    cues.setBlockDoneHook([&] { ++signals; });
    cues.playSound(0, "1.wav");
    cues.playSound(1, "1.wav");
    for (int i = 0; i < 100 && signals < 3; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        cues.pump();
    }
    EXPECT_GE(signals.load(), 1);
}

TEST(SdlAudio, DiskDriverPlaysExactlyTheMix) {
    const std::string out = testDir() + "/disk-output.raw";
    std::filesystem::remove(out);
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", out.c_str(), 1);
    setenv("SDL_DISKAUDIODELAY", "20", 1);  // ms per 512-byte buffer

    Bytes a(4000), b(3000);
    for (size_t i = 0; i < a.size(); ++i) a[i] = uint8_t(150 + i % 50);
    for (size_t i = 0; i < b.size(); ++i) b[i] = uint8_t(90 + i % 30);
    Bytes expected(a);
    for (size_t i = 0; i < b.size(); ++i) expected[i] = uint8_t(a[i] + b[i] - 128);

    IniFile settings = IniFile::parse("[default]\nGoodWavePos=1\nWaveBlockLen=512\nWaveBlocks=3\n");
    {
        TSoundMixer mixer(makeSdlWaveOutDevice(), {nullptr, {}, &settings});
        std::atomic<int> signals{0};
        mixer.setBlockDoneHook([&] { ++signals; });
        mixer.setActivated(true);
        mixer.setChannels(0x03);
        MixWave* wa = mixer.openWave(writeWave("a.wav", a));
        MixWave* wb = mixer.openWave(writeWave("b.wav", b));
        mixer.play(0, wa, 0, kPlayWait);  // both start together
        mixer.play(1, wb, 0, 0);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
            mixer.pump();
            HMixSession s = mixer.session();
            if (MixerQueueLength(s, 0) == 0 && MixerQueueLength(s, 1) == 0 &&
                MixerGetStatus(s).blocksAtDevice == 0)
                break;
        }
        EXPECT_GT(signals.load(), 0);
        EXPECT_EQ(MixerGetStatus(mixer.session()).blocksAtDevice, 0);
    }  // closes the device and its file

    std::ifstream in(out, std::ios::binary);
    Bytes played((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GE(played.size(), expected.size());
    // The device plays silence while it waits for blocks (also between two
    // blocks, when a busy machine delays the pump); the sound itself must
    // come through whole, in order and mixed sample by sample.
    EXPECT_EQ(withoutSilence(played), withoutSilence(expected));
}

}  // namespace
}  // namespace kotou::test
