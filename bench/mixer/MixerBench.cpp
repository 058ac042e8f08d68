// Mixing speed against two yardsticks, and the cost of loading and converting
// a wave compared with copying its bytes.
//
// The yardsticks for one 4096-byte block of `count` sources:
//  - SDL_MixAudioFormat at full volume, once per source: SDL scales every
//    sample by the volume, which our mixing rule does not have, so this
//    flatters the mixer;
//  - a plain add-and-clamp loop, the rule written the obvious way: the fair
//    comparison;
//  - memcpy of the block: the bound for one source, which the mixer copies.
// BM_MixerMixBlock reports each as a ratio: plain_over_mixer and
// sdl_over_mixer (how many times faster the mixer is), mixer_over_memcpy.

#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <ctime>
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

std::vector<std::vector<uint8_t>> sourcesFor(int count) {
    std::vector<std::vector<uint8_t>> sources;
    for (int i = 0; i < count; ++i) sources.push_back(noise(kWaveBytes, unsigned(i + 1)));
    return sources;
}

// The rule written the obvious way: an int per byte starting at 128, each
// source's (sample - 128) added, then the clamp.
void plainAddClamp(uint8_t* out, const std::vector<std::vector<uint8_t>>& sources, size_t offset) {
    int acc[kBlock];
    for (size_t i = 0; i < kBlock; ++i) acc[i] = 128;
    for (const auto& src : sources)
        for (size_t i = 0; i < kBlock; ++i) acc[i] += src[offset + i] - 128;
    for (size_t i = 0; i < kBlock; ++i)
        out[i] = uint8_t(acc[i] < 0 ? 0 : acc[i] > 255 ? 255 : acc[i]);
}

void sdlMix(uint8_t* out, const std::vector<std::vector<uint8_t>>& sources, size_t offset) {
    std::memset(out, 128, kBlock);
    for (const auto& src : sources)
        SDL_MixAudioFormat(out, src.data() + offset, AUDIO_U8, kBlock, SDL_MIX_MAXVOLUME);
}

// CPU time of this thread in nanoseconds. The ratios below are taken from
// CPU time, so that other work on a busy machine does not tilt them.
double cpuNs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) * 1e9 + double(t.tv_nsec);
}

// CPU nanoseconds per call of `f`, the best of a few rounds.
template <class F>
double nsPerCall(F&& f, int calls = 2000) {
    double best = 1e300;
    for (int round = 0; round < 5; ++round) {
        const double t0 = cpuNs();
        for (int i = 0; i < calls; ++i) {
            f(i);
            benchmark::ClobberMemory();
        }
        best = std::min(best, (cpuNs() - t0) / calls);
    }
    return best;
}

// `count` endless requests on `count` channels, all sounding together.
void BM_MixerMixBlock(benchmark::State& state) {
    const int count = int(state.range(0));
    RecordingWaveOut device;
    IniFile settings = IniFile::parse("[default]\nWaveBlockLen=4096\nGoodWavePos=1\n");
    HMixSession s = MixerInit({&device, {}, &settings});
    MixerOpenChannel(s, 0, kOpenAll);
    MixerActivate(s, true);
    const auto sources = sourcesFor(count);
    for (int i = 0; i < count; ++i) {
        auto image = wavImage(kDefaultOutputFormat, sources[size_t(i)]);
        MixPlayParams p;
        p.session = s;
        p.channel = i;
        p.wave = MixerOpenWaveMemory(s, image.data(), image.size());
        p.loops = kLoopForever;
        p.flags = i + 1 < count ? kPlayWait : 0;
        MixerPlay(&p);
    }
    uint8_t out[kBlock];
    uint8_t copy[kBlock];
    auto offsetOf = [](int i) { return size_t(i % 4) * kBlock; };
    const double plainNs = nsPerCall([&](int i) {
        plainAddClamp(out, sources, offsetOf(i));
        benchmark::DoNotOptimize(out);
    });
    const double sdlNs = nsPerCall([&](int i) {
        sdlMix(out, sources, offsetOf(i));
        benchmark::DoNotOptimize(out);
    });
    const double copyNs = nsPerCall([&](int i) {
        std::memcpy(copy, sources[0].data() + offsetOf(i), kBlock);
        benchmark::DoNotOptimize(copy);
    });
    const double mixNs = nsPerCall([&](int) {
        MixerMixInto(s, out);
        benchmark::DoNotOptimize(out);
    });

    for (auto _ : state) {
        MixerMixInto(s, out);
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kBlock);
    state.counters["plain_over_mixer"] = plainNs / mixNs;
    state.counters["sdl_over_mixer"] = sdlNs / mixNs;
    state.counters["mixer_over_memcpy"] = mixNs / copyNs;
    MixerCloseSession(s);
}
BENCHMARK(BM_MixerMixBlock)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(8);

// Times `mix(out, offset)` on successive blocks of the sources.
template <class F>
void timeBlocks(benchmark::State& state, F&& mix) {
    uint8_t out[kBlock];
    size_t offset = 0;
    for (auto _ : state) {
        mix(out, offset);
        offset = (offset + kBlock) % kWaveBytes;
        benchmark::DoNotOptimize(out);
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * kBlock);
}

// The plain add-and-clamp loop alone.
void BM_PlainAddClamp(benchmark::State& state) {
    const auto sources = sourcesFor(int(state.range(0)));
    timeBlocks(state, [&](uint8_t* out, size_t offset) { plainAddClamp(out, sources, offset); });
}
BENCHMARK(BM_PlainAddClamp)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(8);

// The same data mixed by SDL: a silent block, then one SDL_MixAudioFormat
// call per source at full volume.
void BM_SdlMixAudioFormat(benchmark::State& state) {
    const auto sources = sourcesFor(int(state.range(0)));
    timeBlocks(state, [&](uint8_t* out, size_t offset) { sdlMix(out, sources, offset); });
}
BENCHMARK(BM_SdlMixAudioFormat)->Arg(1)->Arg(2)->Arg(3)->Arg(4)->Arg(8);

// A block copied: the bound for one source.
void BM_MemcpyBlock(benchmark::State& state) {
    const auto sources = sourcesFor(1);
    timeBlocks(state, [&](uint8_t* out, size_t offset) {
        std::memcpy(out, sources[0].data() + offset, kBlock);
    });
}
BENCHMARK(BM_MemcpyBlock);

// One second of 16-bit stereo 44100 Hz, loaded and converted to 8-bit mono
// 11025 Hz. The counter memcpy_ratio is the time of one load over the time
// of copying the same bytes with memcpy (CPU time, the best of five rounds).
void BM_LoadAndConvertOneSecond(benchmark::State& state) {
    const PcmFormat cd{1, 2, 44100, 176400, 4, 16};
    const auto image = wavImage(cd, noise(176400, 7));
    std::vector<uint8_t> copy(image.size());
    const double copyNs = nsPerCall([&](int) {
        std::memcpy(copy.data(), image.data(), image.size());
        benchmark::DoNotOptimize(copy.data());
    });
    const double loadNs = nsPerCall(
        [&](int) {
            MemorySource source(image.data(), image.size());
            auto samples = loadWaveSamples(source, kDefaultOutputFormat);
            benchmark::DoNotOptimize(samples.data());
        },
        50);

    for (auto _ : state) {
        MemorySource source(image.data(), image.size());
        auto samples = loadWaveSamples(source, kDefaultOutputFormat);
        benchmark::DoNotOptimize(samples.data());
    }
    state.counters["memcpy_ns"] = copyNs;
    state.counters["memcpy_ratio"] = loadNs / copyNs;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(image.size()));
}
BENCHMARK(BM_LoadAndConvertOneSecond);

}  // namespace

BENCHMARK_MAIN();
