// Wave loading and format conversion: samples computed by hand, and
// malformed files that must be refused cleanly.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "MixerTestSupport.h"
#include "mixer/MixerError.h"
#include "mixer/Wave.h"

namespace kotou::test {
namespace {

const PcmFormat kOut = pcm(1, 11025, 8);

Bytes convert(const Bytes& data, const PcmFormat& from, const PcmFormat& to = kOut) {
    return convertSamples(data.data(), data.size(), from, to);
}

Bytes load(const Bytes& image, const PcmFormat& to = kOut) {
    MemorySource src(image.data(), image.size());
    return loadWaveSamples(src, to);
}

Bytes withChunks(std::initializer_list<Bytes> chunks) {
    Bytes body;
    for (const Bytes& c : chunks) body.insert(body.end(), c.begin(), c.end());
    return riff(body);
}

TEST(WaveConversion, SixteenBitTakesTheHighBytePlus128AndHalvesTheLength) {
    Bytes in = le16s({0, 0x7FFF, -32768, 0x0100, -1, 0x00FF});
    EXPECT_EQ(convert(in, pcm(1, 11025, 16)), (Bytes{128, 255, 0, 129, 127, 128}));
}

TEST(WaveConversion, EightToSixteenBits) {
    EXPECT_EQ(convert({0, 128, 255}, pcm(1, 11025, 8), pcm(1, 11025, 16)),
              le16s({-32768, 0, 32512}));
}

TEST(WaveConversion, StereoToMonoRoundsDownAndMonoToStereoDuplicates) {
    EXPECT_EQ(convert({100, 101, 0, 255, 255, 254}, pcm(2, 11025, 8)), (Bytes{100, 127, 254}));
    // Rounding down holds for negative 16-bit sums too: (-3 + 0) / 2 -> -2.
    EXPECT_EQ(convert(le16s({-3, 0, 5, 6}), pcm(2, 11025, 16), pcm(1, 11025, 16)), le16s({-2, 5}));
    EXPECT_EQ(convert({7, 200}, pcm(1, 11025, 8), pcm(2, 11025, 8)), (Bytes{7, 7, 200, 200}));
}

TEST(WaveConversion, HigherRatesAverageGroupsOfFramesAndCopyTheLastFrame) {
    // 22050 -> 11025 averages pairs; division truncates toward zero
    // ((-28 - 17) / 2 = -22); the last output frame copies source frame 6.
    Bytes in{100, 111, 200, 201, 0, 255, 50, 60};
    EXPECT_EQ(convert(in, pcm(1, 22050, 8)), (Bytes{106, 200, 128, 50}));
    // 44100 -> 11025 averages four frames.
    Bytes in4{10, 20, 30, 40, 200, 200, 200, 204, 9, 9, 9, 9};
    EXPECT_EQ(convert(in4, pcm(1, 44100, 8)), (Bytes{25, 201, 9}));
    // Per channel in stereo.
    EXPECT_EQ(convert({10, 200, 20, 210, 77, 88, 99, 111}, pcm(2, 22050, 8), pcm(2, 11025, 8)),
              (Bytes{15, 205, 77, 88}));
}

TEST(WaveConversion, LowerRatesStepLinearlyByWholeFactorsOnly) {
    // 11025 -> 22050: each frame becomes two, stepping toward the next frame
    // by (next - current) / 2 truncated toward zero; the last is repeated.
    EXPECT_EQ(convert({100, 110, 51}, pcm(1, 11025, 8), pcm(1, 22050, 8)),
              (Bytes{100, 105, 110, 81, 51, 51}));
    // 8000 -> 11025 has the factor 1: the samples are kept as they are.
    Bytes in{1, 2, 3, 250, 128};
    EXPECT_EQ(convert(in, pcm(1, 8000, 8)), in);
}

TEST(WaveConversion, SixteenBitStereo44100BecomesOneEighthOfTheBytes) {
    std::vector<int16_t> samples;
    for (int i = 0; i < 4410 * 2; ++i) samples.push_back(int16_t(i * 7));
    Bytes out = load(makeWav(pcm(2, 44100, 16), le16s(samples)));
    EXPECT_EQ(out.size(), 4410u / 4);
}

TEST(WaveLoading, ReadsFormatAndDataAndSkipsOddChunksWithTheirPadByte) {
    Bytes body = chunk("LIST", {1, 2, 3});  // odd size: a pad byte follows
    Bytes f = chunk("fmt ", fmtBody(kOut));
    Bytes junk = chunk("junk", {9});
    Bytes d = chunk("data", {10, 20, 30});
    for (const Bytes* part : {&f, &junk, &d}) body.insert(body.end(), part->begin(), part->end());
    Bytes image = riff(body);
    MemorySource src(image.data(), image.size());
    RawWave raw = readRiffWave(src);
    EXPECT_EQ(raw.format, kOut);
    EXPECT_EQ(raw.data, (Bytes{10, 20, 30}));
}

// Sizes beyond 16 bits, chunk ids that differ only in their last letter,
// and the highest rate accepted.
TEST(WaveLoading, LargeChunksLookalikeIdsAndTheRateLimit) {
    Bytes big(70000);
    for (size_t i = 0; i < big.size(); ++i) big[i] = uint8_t(i * 7);
    EXPECT_EQ(load(withChunks({chunk("fmt ", fmtBody(kOut)), chunk("data", big)})), big);

    EXPECT_EQ(load(withChunks({chunk("fmtx", {1, 2}), chunk("fmt ", fmtBody(kOut)),
                               chunk("datx", {7}), chunk("data", {5, 6})})),
              (Bytes{5, 6}));

    const Bytes samples(91, 200);
    EXPECT_EQ(
        load(withChunks({chunk("fmt ", fmtBody(pcm(1, 1000000, 8))), chunk("data", samples)})),
        (Bytes{200}));
    EXPECT_MIXER_ERROR(
        load(withChunks({chunk("fmt ", fmtBody(pcm(1, 1000001, 8))), chunk("data", samples)})),
        "File format not supported");
}

TEST(WaveLoading, AcceptsARiffSizeBeyondTheEndOfTheFile) {
    Bytes body = chunk("fmt ", fmtBody(kOut));
    Bytes d = chunk("data", {1, 2});
    body.insert(body.end(), d.begin(), d.end());
    EXPECT_EQ(load(riff(body, "WAVE", 0xFFFFFFFF)), (Bytes{1, 2}));
}

struct BadWave {
    const char* what;
    Bytes image;
    const char* message;
};

TEST(WaveLoading, RefusesMalformedFilesWithTheirMessage) {
    const Bytes fmt = chunk("fmt ", fmtBody(kOut));
    const Bytes data = chunk("data", {1, 2, 3, 4});
    auto fmtOf = [](PcmFormat f) { return chunk("fmt ", fmtBody(f)); };
    PcmFormat float32 = pcm(1, 11025, 32);
    float32.formatTag = 3;
    Bytes shortFmt = fmtBody(kOut);
    shortFmt.resize(14);

    const std::vector<BadWave> cases = {
        {"empty", {}, "This is not a WAVE file"},
        {"not RIFF", Bytes(64, 'x'), "This is not a WAVE file"},
        {"other form", riff(fmt, "AVI "), "This is not a WAVE file"},
        {"no fmt", withChunks({data}), "WAVE file is corrupted"},
        {"chunk size past the end", withChunks({chunk("LIST", {1, 2}, 0x7FFFFFF0), fmt, data}),
         "WAVE file is corrupted"},
        {"fmt shorter than 16", withChunks({chunk("fmt ", shortFmt), data}),
         "Failed to read format chunk"},
        {"fmt cut by the end of file",
         [&] {
             Bytes b = withChunks({fmt});
             b.resize(b.size() - 6);
             return b;
         }(),
         "Failed to read format chunk"},
        {"not PCM", withChunks({fmtOf(float32), data}), "The file is not a PCM file"},
        {"no data", withChunks({fmt}), "WAVE file has no data chunk"},
        {"data before fmt", withChunks({data, fmt}), "WAVE file has no data chunk"},
        {"empty data", withChunks({fmt, chunk("data", {})}), "The data chunk has no data"},
        {"truncated data", withChunks({fmt, chunk("data", {1, 2, 3}, 1000)}),
         "Failed to read data chunk"},
        {"absurd data size", withChunks({fmt, chunk("data", {1}, 0xFFFFFFFF)}),
         "Failed to read data chunk"},
        {"zero channels", withChunks({fmtOf(pcm(0, 11025, 8)), data}), "File format not supported"},
        {"three channels", withChunks({fmtOf(pcm(3, 11025, 8)), data}),
         "File format not supported"},
        {"24-bit", withChunks({fmtOf(pcm(1, 11025, 24)), data}), "File format not supported"},
        {"zero rate", withChunks({fmtOf(pcm(1, 0, 8)), data}), "File format not supported"},
        {"absurd rate", withChunks({fmtOf(pcm(1, 4000000000u, 8)), data}),
         "File format not supported"},
        {"tiny rate would blow up", withChunks({fmtOf(pcm(1, 2, 8)), chunk("data", Bytes(20000))}),
         "Failed to convert wave format"},
        {"less than one frame", withChunks({fmtOf(pcm(2, 11025, 16)), chunk("data", {1, 2, 3})}),
         "Failed to convert wave format"},
        {"too few frames to average", withChunks({fmtOf(pcm(1, 44100, 8)), chunk("data", {1, 2})}),
         "Failed to convert wave format"},
    };
    for (const BadWave& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_MIXER_ERROR(load(c.image), c.message);
    }
}

// Inputs the fuzzer once found troublesome: each must load or be refused.
TEST(WaveLoading, FuzzRegressionInputsLoadOrAreRefused) {
    const std::filesystem::path dir = std::filesystem::path(KOTOU_TEST_DATA) / "fuzz-regressions";
    ASSERT_TRUE(std::filesystem::exists(dir));
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::ifstream in(entry.path(), std::ios::binary);
        Bytes image((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        try {
            load(image);
        } catch (const EMixerError&) {
        }
    }
}

}  // namespace
}  // namespace kotou::test
