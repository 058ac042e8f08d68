// Mixing speed against SDL's own mixing routine, and the cost of loading and
// converting a wave compared with copying its bytes.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <random>
#include <vector>

#include "mixer/MixSession.h"
#include "mixer/RecordingWaveOut.h"
#include "mixer/Wave.h"

namespace {

using namespace kotou;

constexpr size_t kBlock = 4096;
constexpr size_t kWaveBytes = 4 * kBlock;  // blocks never straddle a loop point

std::vector<uint8_t> noise(size_t n, unsigned seed) {
    std::mt19937 rng(seed);
    std::vector<uint8_t> b(n);
    for (auto& x : b) x = uint8_t(rng());
    return b;
}

std::vector<uint8_t> wavImage(const PcmFormat& f, const std::vector<uint8_t>& data) {
    std::vector<uint8_t> b;
    auto put = [&](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) b.push_back(uint8_t(v >> (8 * i)));
    };
    b.insert(b.end(), {'R', 'I', 'F', 'F'});
    put(uint32_t(36 + data.size()), 4);
    b.insert(b.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(16, 4);
    put(f.formatTag, 2);
    put(f.channels, 2);
    put(f.samplesPerSec, 4);
    put(f.avgBytesPerSec, 4);
    put(f.blockAlign, 2);
    put(f.bitsPerSample, 2);
    b.insert(b.end(), {'d', 'a', 't', 'a'});
    put(uint32_t(data.size()), 4);
    b.insert(b.end(), data.begin(), data.end());
    return b;
}

// `count` endless requests on `count` channels, all sounding together.
void BM_MixerMixBlock(benchmark::State& state) {
    const int count = int(state.range(0));
    RecordingWaveOut device;
    IniFile settings = IniFile::parse("[default]\nWaveBlockLen=4096\nGoodWavePos=1\n");
    HMixSession s = MixerInit({&device, {}, &settings});
    MixerOpenChannel(s, 0, kOpenAll);
    MixerActivate(s, true);
    for (int i = 0; i < count; ++i) {
        auto image = wavImage(kDefaultOutputFormat, noise(kWaveBytes, unsigned(i + 1)));
        MixPlayParams p;
        p.session = s;
        p.channel = i;
        p.wave = MixerOpenWaveMemory(s, image.data(), image.size());
        p.loops = kLoopForever;
        p.flags = i + 1 < count ? kPlayWait : 0;
        MixerPlay(&p);
    }
    uint8_t out[kBlock];
    for (auto _ : state) {
        MixerMixInto(s, out);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kBlock);
    MixerCloseSession(s);
}
BENCHMARK(BM_MixerMixBlock)->Arg(1)->Arg(2)->Arg(4)->Arg(8);

// The same data mixed by SDL: a silent block, then one SDL_MixAudioFormat
// call per source at full volume.
void BM_SdlMixAudioFormat(benchmark::State& state) {
    const int count = int(state.range(0));
    std::vector<std::vector<uint8_t>> sources;
    for (int i = 0; i < count; ++i) sources.push_back(noise(kWaveBytes, unsigned(i + 1)));
    uint8_t out[kBlock];
    size_t offset = 0;
    for (auto _ : state) {
        std::memset(out, 128, kBlock);
        for (const auto& src : sources)
            SDL_MixAudioFormat(out, src.data() + offset, AUDIO_U8, kBlock, SDL_MIX_MAXVOLUME);
        offset = (offset + kBlock) % kWaveBytes;
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kBlock);
}
BENCHMARK(BM_SdlMixAudioFormat)->Arg(1)->Arg(2)->Arg(4)->Arg(8);

// One second of 16-bit stereo 44100 Hz, loaded and converted to 8-bit mono
// 11025 Hz. The counter memcpy_ratio is the time of one load over the time
// of copying the same bytes with memcpy.
void BM_LoadAndConvertOneSecond(benchmark::State& state) {
    const PcmFormat cd{1, 2, 44100, 176400, 4, 16};
    const auto image = wavImage(cd, noise(176400, 7));
    std::vector<uint8_t> copy(image.size());

    constexpr int kCopies = 2000;
    const auto c0 = std::chrono::steady_clock::now();
    for (int i = 0; i < kCopies; ++i) {
        std::memcpy(copy.data(), image.data(), image.size());
        benchmark::ClobberMemory();
    }
    const double copyNs =
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - c0).count() /
        kCopies;

    const auto t0 = std::chrono::steady_clock::now();
    for (auto _ : state) {
        MemorySource source(image.data(), image.size());
        auto samples = loadWaveSamples(source, kDefaultOutputFormat);
        benchmark::DoNotOptimize(samples.data());
    }
    const double loadNs =
        std::chrono::duration<double, std::nano>(std::chrono::steady_clock::now() - t0).count() /
        double(state.iterations());
    state.counters["memcpy_ns"] = copyNs;
    state.counters["memcpy_ratio"] = loadNs / copyNs;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(image.size()));
}
BENCHMARK(BM_LoadAndConvertOneSecond);

}  // namespace

BENCHMARK_MAIN();
