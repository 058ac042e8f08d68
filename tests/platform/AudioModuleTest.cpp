// The SDL device module beside the program: found by name, its device drives
// the mixer; without it the mixer stays silent and the reason is given.
#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <thread>
#include <vector>

#include "app/AudioDevice.h"
#include "mixer/SoundMixer.h"

namespace kotou {
namespace {

namespace fs = std::filesystem;

// A folder with dat/1.wav: 8-bit mono at 11025 Hz, a tenth of a second.
fs::path dataFolder(const char* test) {
    const fs::path dir = fs::path(KOTOU_TEST_OUTPUT) / "audio-module" / test;
    fs::create_directories(dir);
    std::vector<uint8_t> samples(1100, 160);
    auto u32 = [](uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    std::string wav = "RIFF" + u32(36 + uint32_t(samples.size())) + "WAVEfmt " + u32(16);
    wav += std::string{1, 0, 1, 0} + u32(11025) + u32(11025) + std::string{1, 0, 8, 0};
    wav += "data" + u32(uint32_t(samples.size()));
    wav.append(samples.begin(), samples.end());
    std::ofstream(dir / "1.wav", std::ios::binary).write(wav.data(), std::streamsize(wav.size()));
    return dir;
}

// A plain kill still ends the program once its sound has started: with SDL's
// own handler installed, the child would go on to exit normally.
TEST(AudioModuleDeathTest, SigtermStillEndsTheProgramWithTheDeviceOpen) {
    EXPECT_EXIT(
        {
            setenv("SDL_AUDIODRIVER", "dummy", 1);
            unsetenv("SDL_NO_SIGNAL_HANDLERS");
            std::string error;
            auto device = loadSdlWaveOut(KOTOU_BIN_DIR, error);
            if (!error.empty() || device->open(0, PcmFormat{}, {}) != 0) _exit(2);
            raise(SIGTERM);
            _exit(0);
        },
        testing::KilledBySignal(SIGTERM), "");
}

TEST(AudioModule, TheModuleBesideTheProgramDrivesTheMixer) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    std::string error;
    auto device = loadSdlWaveOut(KOTOU_BIN_DIR, error);
    ASSERT_TRUE(error.empty()) << error;
    EXPECT_GE(device->deviceCount(), 1);

    MixerSoundCues cues(std::move(device), dataFolder("loaded").string());
    ASSERT_TRUE(cues.available());
    std::atomic<int> blocksDone{0};
    cues.setBlockDoneHook([&] { ++blocksDone; });
    cues.playSound(0, "1.wav");
    for (int i = 0; i < 200 && blocksDone == 0; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        cues.pump();
    }
    EXPECT_GE(blocksDone.load(), 1);
}

TEST(AudioModule, WithoutTheModuleTheCuesAreSilentAndTheReasonIsGiven) {
    std::string error;
    auto device = loadSdlWaveOut("/nonexistent", error);
    EXPECT_NE(error.find(kSdlAudioModule), std::string::npos) << error;
    EXPECT_EQ(device->deviceCount(), 0);
    MixerSoundCues cues(std::move(device), dataFolder("missing").string());
    EXPECT_FALSE(cues.available());
    cues.playSound(0, "1.wav");  // harmless
    cues.pump();
}

}  // namespace
}  // namespace kotou
