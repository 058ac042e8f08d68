#pragma once
// Helpers for the mixer tests: WAV images built in memory, and a rig that
// runs a mix session on the recording device.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "mixer/IniFile.h"
#include "mixer/MixSession.h"
#include "mixer/RecordingWaveOut.h"

namespace kotou::test {

using Bytes = std::vector<uint8_t>;

PcmFormat pcm(int channels, uint32_t rate, int bits);
// A RIFF/WAVE image with a 16-byte "fmt " chunk and a "data" chunk.
Bytes makeWav(const PcmFormat& format, const Bytes& data);
// One chunk: id, size field (as given), body, and a pad byte if the body is odd.
Bytes chunk(const char* id, const Bytes& body, int64_t sizeField = -1);
Bytes riff(const Bytes& body, const char* form = "WAVE", int64_t sizeField = -1);
Bytes fmtBody(const PcmFormat& format);
Bytes le16s(const std::vector<int16_t>& samples);
Bytes repeat(uint8_t value, size_t n);

// Expects `f` to throw EMixerError with exactly `message`.
#define EXPECT_MIXER_ERROR(statement, message)                      \
    do {                                                            \
        try {                                                       \
            statement;                                              \
            ADD_FAILURE() << "no EMixerError from " #statement;     \
        } catch (const ::kotou::EMixerError& e) {                   \
            EXPECT_EQ(std::string(e.what()), std::string(message)); \
        }                                                           \
    } while (0)

// A mix session on a recording device, 8-bit mono 11025 Hz, positions taken
// from the device, 512-byte blocks, three of them, channels 0..7 open.
class MixerRig {
  public:
    explicit MixerRig(
        const std::string& ini = "[default]\nGoodWavePos=1\nWaveBlockLen=512\nWaveBlocks=3\n",
        RecordingWaveOut::Setup setup = {});
    ~MixerRig();

    MixWave* wave(const Bytes& samples);  // 8-bit mono 11025 samples
    void play(int channel, MixWave* w, uint16_t loops = 0, uint32_t flags = 0,
              MixNotify notify = {});
    // Plays `bytes` at the device and handles the done blocks.
    void run(size_t bytes);
    Bytes played(size_t from, size_t n) const;

    RecordingWaveOut& dev;
    std::unique_ptr<RecordingWaveOut> owned;
    IniFile settings;
    int64_t clock = 1000;
    HMixSession s = nullptr;
};

}  // namespace kotou::test
