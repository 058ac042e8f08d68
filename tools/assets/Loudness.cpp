#include "tools/assets/Loudness.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

namespace kotou::assets {

namespace {

struct Biquad {
    double b0, b1, b2, a1, a2;
    double z1 = 0.0, z2 = 0.0;

    double run(double x) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// The two K-weighting stages, designed for any sample rate from their analogue
// corner frequencies and Q.
Biquad highShelf(int rate) {
    const double gainDb = 3.999843853973347, f0 = 1681.974450955533, q = 0.7071752369554196;
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w0 = 2.0 * std::numbers::pi * f0 / rate;
    const double c = std::cos(w0), alpha = std::sin(w0) / (2.0 * q), s = 2.0 * std::sqrt(a) * alpha;
    const double a0 = (a + 1) - (a - 1) * c + s;
    return {a * ((a + 1) + (a - 1) * c + s) / a0, -2.0 * a * ((a - 1) + (a + 1) * c) / a0,
            a * ((a + 1) + (a - 1) * c - s) / a0, 2.0 * ((a - 1) - (a + 1) * c) / a0,
            ((a + 1) - (a - 1) * c - s) / a0};
}

Biquad highPass(int rate) {
    const double f0 = 38.13547087602444, q = 0.5003270373238773;
    const double w0 = 2.0 * std::numbers::pi * f0 / rate;
    const double c = std::cos(w0), alpha = std::sin(w0) / (2.0 * q);
    const double a0 = 1.0 + alpha;
    return {(1.0 + c) / 2.0 / a0, -(1.0 + c) / a0, (1.0 + c) / 2.0 / a0, -2.0 * c / a0,
            (1.0 - alpha) / a0};
}

double lufs(double meanSquare) {
    return meanSquare > 0.0 ? -0.691 + 10.0 * std::log10(meanSquare) : kSilenceLufs;
}

}  // namespace

double integratedLoudness(std::span<const float> samples, int channels, int rate) {
    if (channels < 1 || rate < 1) return kSilenceLufs;
    const size_t frames = samples.size() / static_cast<size_t>(channels);
    if (frames == 0) return kSilenceLufs;

    // K-weighted squares, summed over the channels, per frame.
    std::vector<double> power(frames, 0.0);
    for (int ch = 0; ch < channels; ++ch) {
        Biquad shelf = highShelf(rate), pass = highPass(rate);
        for (size_t i = 0; i < frames; ++i) {
            const double y = pass.run(shelf.run(samples[i * channels + ch]));
            power[i] += y * y;
        }
    }
    std::vector<double> prefix(frames + 1, 0.0);
    for (size_t i = 0; i < frames; ++i) prefix[i + 1] = prefix[i] + power[i];

    const size_t block = static_cast<size_t>(std::lround(0.4 * rate));
    if (frames <= block) return lufs(prefix[frames] / static_cast<double>(frames));
    const size_t step = block / 4;
    std::vector<double> blocks;
    for (size_t start = 0; start + block <= frames; start += step)
        blocks.push_back((prefix[start + block] - prefix[start]) / static_cast<double>(block));

    auto gatedMean = [&](double gate) {
        double sum = 0.0;
        size_t n = 0;
        for (double z : blocks) {
            if (lufs(z) > gate) {
                sum += z;
                ++n;
            }
        }
        return n ? sum / static_cast<double>(n) : 0.0;
    };
    const double ungated = gatedMean(-70.0);
    if (ungated <= 0.0) return kSilenceLufs;
    return lufs(gatedMean(lufs(ungated) - 10.0));
}

double samplePeakDb(std::span<const float> samples) {
    float peak = 0.0f;
    for (float s : samples) peak = std::max(peak, std::fabs(s));
    return peak > 0.0f ? 20.0 * std::log10(peak) : kSilenceLufs;
}

}  // namespace kotou::assets
