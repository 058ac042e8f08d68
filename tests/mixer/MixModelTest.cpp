// The mixer against a small model of its rule: every byte heard is 128 plus
// the sum of (sample - 128) over the requests sounding at that stream
// position, clamped to 0..255 once; a request sounds from its start for
// (loops + 1) wave lengths, wrapping at each loop; a channel plays its queue
// one request after the other. Random waves, channels, loops, staggered
// starts and both remix settings; the model sees only the plays and the
// mix position at each play.

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "MixerTestSupport.h"
#include "mixer/MixSession.h"

namespace kotou::test {
namespace {

struct ModelRequest {
    int channel;
    const Bytes* wave;
    int64_t start, end;    // stream positions, end just after the last byte
    int64_t cut;           // where a clearing play stopped it (else end)
    bool dropped = false;  // taken off its channel's queue by a clearing play
};

// The byte of the stream at `pos`.
uint8_t modelByte(const std::vector<ModelRequest>& reqs, int64_t pos) {
    int sum = 128;
    for (const ModelRequest& r : reqs) {
        if (pos < r.start || pos >= std::min(r.end, r.cut)) continue;
        const int64_t len = int64_t(r.wave->size());
        sum += (*r.wave)[size_t((pos - r.start) % len)] - 128;
    }
    return uint8_t(std::clamp(sum, 0, 255));
}

TEST(MixerModel, RandomPlaysMixAsTheRuleSays) {
    for (unsigned seed = 1; seed <= 120; ++seed) {
        SCOPED_TRACE(seed);
        std::mt19937 rng(seed);
        auto pick = [&](int lo, int hi) {
            return int(std::uniform_int_distribution<>(lo, hi)(rng));
        };
        const bool adjusting = seed % 2 == 0;
        const int blockLen[] = {512, 1000, 2048, 4096};
        MixerRig rig(
            "[default]\nGoodWavePos=1\nWaveBlockLen=" + std::to_string(blockLen[pick(0, 3)]) +
            "\nWaveBlocks=" + std::to_string(pick(2, 6)) + (adjusting ? "\nRemix=2\n" : "\n"));

        // Noise, loud and quiet constants and ramps, 1..2500 bytes.
        std::vector<Bytes> waves(8);
        std::vector<MixWave*> handles;
        for (Bytes& w : waves) {
            w.resize(size_t(pick(1, 2500)));
            const int kind = pick(0, 3), level = pick(0, 255);
            for (size_t i = 0; i < w.size(); ++i)
                w[i] = uint8_t(kind == 0   ? pick(0, 255)
                               : kind == 1 ? level
                               : kind == 2 ? (level + int(i) * 3) % 256
                                           : (i % 64 < 32 ? 255 : 0));
            handles.push_back(rig.wave(w));
        }

        // Each stretch of the stream from a restart at 0: the played byte of
        // its position 0 and its requests.
        struct Stretch {
            int64_t origin = 0;
            std::vector<ModelRequest> model;
        };
        std::vector<Stretch> stretches(1);
        const int plays = pick(1, 24);
        for (int n = 0; n < plays; ++n) {
            // A channel's queue: its requests that have not finished by `p`.
            auto queued = [&](int c, int64_t p) {
                const ModelRequest* last = nullptr;
                for (const ModelRequest& r : stretches.back().model)
                    if (r.channel == c && !r.dropped && r.end > p) last = &r;
                return last;
            };
            const Bytes& heardSoFar = rig.dev.played();
            int64_t now = int64_t(heardSoFar.size()) - stretches.back().origin;
            bool anyQueued = false;
            for (int c = 0; c < 8; ++c) anyQueued = anyQueued || queued(c, now) != nullptr;
            const bool atDevice = MixerGetStatus(rig.s).blocksAtDevice > 0;
            if (!anyQueued && !atDevice && !stretches.back().model.empty()) {
                // Nothing sounds: the stream starts again at 0 with this play.
                stretches.push_back({int64_t(heardSoFar.size()), {}});
                now = 0;
            }
            std::vector<ModelRequest>& reqs = stretches.back().model;
            const int64_t mixed = anyQueued || atDevice ? MixerGetStatus(rig.s).mixPosition : 0;

            const int c = pick(0, 7), w = pick(0, 7), loops = pick(0, 9) == 0 ? 3 : pick(0, 1);
            const ModelRequest* tail = queued(c, now);
            // At once (clearing the channel, or on an idle one), else after
            // what is mixed and what the channel still plays.
            const int mode = pick(0, 2);
            uint32_t flags = 0;
            int64_t start = 0;
            if (mode == 1 && tail == nullptr) {
                flags = kPlayHighPriority;
                start = adjusting ? std::max(now, mixed) : now;
            } else if (mode == 2) {
                flags = kPlayHighPriority | kPlayClearQueue;
                start = adjusting ? std::max(now, mixed) : now;
                // What the device already holds still plays with the
                // adjusting remix; the full remix mixes again from now.
                for (ModelRequest& r : reqs) {
                    if (r.channel != c || r.dropped || r.end <= now) continue;
                    r.cut = std::min(r.cut, adjusting ? mixed : now);
                    r.dropped = true;
                }
            } else {
                start = tail ? std::max(tail->end, mixed) : mixed;
            }
            const int64_t end = start + int64_t(loops + 1) * int64_t(waves[size_t(w)].size());
            reqs.push_back({c, &waves[size_t(w)], start, end, end});
            rig.play(c, handles[size_t(w)], uint16_t(loops), flags);
            rig.run(size_t(pick(0, 3) == 0 ? 0 : pick(1, 3000)));
        }
        rig.run(40000);

        const Bytes& heard = rig.dev.played();
        size_t wrong = 0, first = heard.size();
        for (size_t k = 0; k < stretches.size(); ++k) {
            const int64_t from = stretches[k].origin;
            const int64_t to =
                k + 1 < stretches.size() ? stretches[k + 1].origin : int64_t(heard.size());
            for (int64_t i = from; i < to; ++i) {
                if (heard[size_t(i)] != modelByte(stretches[k].model, i - from)) {
                    ++wrong;
                    first = std::min(first, size_t(i));
                }
            }
        }
        EXPECT_EQ(wrong, 0u) << "first difference at byte " << first << " of " << heard.size();
    }
}

// The device has played everything and run dry, but a sound it finished is
// still on its channel, because the clock the positions come from lags behind
// the device. Much later a sound is played: it starts now and is heard
// whole, not from a start in the past that the clock has long passed, which
// would retire it after the first blocks.
TEST(MixerRegression, ASoundPlayedAfterTheDeviceRanDryIsHeardWhole) {
    MixerRig rig("[default]\nGoodWavePos=0\nWaveBlockLen=512\nWaveBlocks=3\n");
    rig.play(0, rig.wave(repeat(90, 100)));
    rig.run(2000);  // the clock stands still meanwhile
    ASSERT_EQ(MixerGetStatus(rig.s).blocksAtDevice, 0);
    ASSERT_EQ(MixerQueueLength(rig.s, 0), 1);
    rig.clock += 2000;

    Bytes b(5000);
    for (size_t i = 0; i < b.size(); ++i) b[i] = uint8_t(1 + i % 250);
    const size_t before = rig.dev.played().size();
    rig.play(1, rig.wave(b));
    // The finished sound left its channel, so the stream restarted with this one.
    EXPECT_EQ(MixerCurrentPosition(rig.s), 0);
    EXPECT_EQ(MixerQueueLength(rig.s, 0), 0);
    for (int i = 0; i < 100; ++i) {  // the device plays on in step with the clock
        const size_t n = rig.dev.play(128);
        rig.clock += int64_t(n) * 1000 / 11025;
        MixerPump(rig.s);
    }
    EXPECT_EQ(rig.played(before, b.size()), b);
}

// A clearing play on a busy channel starts at the mix position, and the full
// remix mixes from there: that position is what the device plays next, so
// the sound's end is where it is heard and its notify comes on time.
TEST(MixerRegression, TheFullRemixKeepsPositionsInStepWithWhatIsHeard) {
    MixerRig rig;
    rig.play(0, rig.wave(repeat(200, 64)), kLoopForever);
    rig.run(700);
    const int64_t mixed = MixerGetStatus(rig.s).mixPosition;
    ASSERT_GT(mixed, 700);
    size_t heardAtNotify = 0;
    const Bytes b(512, 40);
    rig.play(0, rig.wave(b), 0, kPlayClearQueue,
             [&](int, MixWave*) { heardAtNotify = rig.dev.played().size(); });
    EXPECT_EQ(MixerCurrentPosition(rig.s), mixed);
    rig.run(2000);
    EXPECT_EQ(rig.played(700, 512), b);
    EXPECT_EQ(heardAtNotify, 700u + 512u);
}

// A sound the device has played to its end stays on its channel until the
// next block is done. A high-priority play behind it starts now, not at that
// sound's end in the past: nothing already heard is played again.
TEST(MixerRegression, AHighPriorityPlayBehindAFinishedSoundStartsNow) {
    MixerRig rig("[default]\nGoodWavePos=1\nWaveBlockLen=4096\nWaveBlocks=2\n");
    const Bytes ramp = [] {
        Bytes b(6000);
        for (size_t i = 0; i < b.size(); ++i) b[i] = uint8_t(1 + i % 250);
        return b;
    }();
    rig.play(0, rig.wave(ramp), 0, kPlayWait);  // both start together
    rig.play(1, rig.wave(repeat(100, 300)));
    rig.run(1000);
    ASSERT_EQ(MixerQueueLength(rig.s, 1), 1);  // finished at 300, not yet retired
    rig.play(1, rig.wave(repeat(150, 200)), 0, kPlayHighPriority);
    rig.run(5000);
    Bytes expected(ramp.begin(), ramp.begin() + 1400);
    for (size_t i = 0; i < 300; ++i) expected[i] = uint8_t(std::max(expected[i] - 28, 0));
    for (size_t i = 1000; i < 1200; ++i) expected[i] = uint8_t(std::min(expected[i] + 22, 255));
    EXPECT_EQ(rig.played(0, 1400), expected);
}

}  // namespace
}  // namespace kotou::test
