#include "tools/assets/Sounds.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <numbers>

#include "tools/assets/Canvas.h"
#include "tools/assets/Loudness.h"

namespace kotou::assets {

namespace {

constexpr double kTwoPi = 2.0 * std::numbers::pi;

enum class Wave : uint8_t { Sine, Square, Triangle, Saw, Noise };

// One sounding element of a cue. Tones glide from f0 to f1; noise is low-pass
// filtered with its cut-off gliding from f0 to f1. The envelope rises over
// `attack` seconds and then decays exponentially with time constant `decay`.
struct Voice {
    double start;  // seconds
    double length;
    Wave wave;
    double f0, f1;
    double volume;
    double attack = 0.005;
    double decay = 1.0;
    double pan = 0.0;      // -1 left .. +1 right (stereo files only)
    double vibrato = 0.0;  // depth as a fraction of the frequency, at 6 Hz
};

Voice tone(double start, double length, Wave w, double f0, double f1, double vol, double decay,
           double pan = 0.0) {
    return {start, length, w, f0, f1, vol, 0.004, decay, pan, 0.0};
}

Voice noise(double start, double length, double cutoff0, double cutoff1, double vol, double decay,
            double pan = 0.0) {
    return {start, length, Wave::Noise, cutoff0, cutoff1, vol, 0.002, decay, pan, 0.0};
}

// Equal-tempered pitch of a MIDI note number.
double hz(int note) {
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

// Notes one after the other, each `step` seconds long.
void arpeggio(std::vector<Voice>& v, double start, double step, std::initializer_list<int> notes,
              Wave w, double vol, double decay, double pan = 0.0) {
    double t = start;
    for (int n : notes) {
        v.push_back(tone(t, step * 1.6, w, hz(n), hz(n), vol, decay, pan));
        t += step;
    }
}

// Several notes at once.
void chord(std::vector<Voice>& v, double start, double length, std::initializer_list<int> notes,
           Wave w, double vol, double decay) {
    double pan = -0.5;
    for (int n : notes) {
        Voice x = tone(start, length, w, hz(n), hz(n), vol, decay, pan);
        x.attack = 0.03;
        v.push_back(x);
        pan += 1.0 / std::max<size_t>(1, notes.size() - 1);
    }
}

// The recipe of each cue.
std::vector<Voice> recipe(Cue cue) {
    std::vector<Voice> v;
    switch (cue) {
        case Cue::Click:
            v.push_back(tone(0, 0.05, Wave::Triangle, 1400, 1100, 0.5, 0.015));
            break;
        case Cue::Key:
            v.push_back(tone(0, 0.06, Wave::Sine, 1800, 1800, 0.4, 0.02));
            break;
        case Cue::Key2:
            arpeggio(v, 0, 0.05, {84, 88}, Wave::Triangle, 0.35, 0.04);
            break;
        case Cue::Key3:
            arpeggio(v, 0, 0.06, {79, 84, 91}, Wave::Triangle, 0.45, 0.06);
            break;
        case Cue::Heal:
            arpeggio(v, 0, 0.09, {72, 76, 79, 84}, Wave::Triangle, 0.45, 0.15);
            break;
        case Cue::Bubbles: {
            Rng rng(7);
            for (int i = 0; i < 9; ++i) {
                const double f = 300 + rng.uniform() * 500;
                v.push_back(
                    tone(i * 0.07 + rng.uniform() * 0.03, 0.06, Wave::Sine, f, f * 2.2, 0.4, 0.03));
            }
            break;
        }
        case Cue::Bad:
            v.push_back(tone(0, 0.25, Wave::Square, hz(62), hz(61), 0.35, 0.2));
            v.push_back(tone(0.25, 0.45, Wave::Square, hz(57), hz(54), 0.35, 0.3));
            break;
        case Cue::Explosion:
            v.push_back(noise(0, 1.0, 4000, 200, 1.0, 0.3));
            v.push_back(tone(0, 0.8, Wave::Sine, 90, 35, 0.8, 0.3));
            break;
        case Cue::ClearFanfare:
            arpeggio(v, 0, 0.12, {67, 72, 76}, Wave::Square, 0.3, 0.1, -0.4);
            chord(v, 0.36, 0.9, {72, 76, 79, 84}, Wave::Saw, 0.18, 0.5);
            v.push_back(noise(0.36, 0.5, 6000, 3000, 0.15, 0.15, 0.4));
            break;
        case Cue::Bird:
            for (int i = 0; i < 4; ++i) {
                const double t = i * 0.13 + (i >= 2 ? 0.2 : 0.0);
                v.push_back(tone(t, 0.08, Wave::Sine, 2600, 3800, 0.45, 0.05));
                v.push_back(tone(t + 0.05, 0.05, Wave::Sine, 3600, 2800, 0.3, 0.04));
            }
            break;
        case Cue::Critical:
            v.push_back(noise(0, 0.15, 7000, 1500, 0.9, 0.05));
            v.push_back(tone(0.02, 0.5, Wave::Triangle, hz(96), hz(96), 0.4, 0.2));
            v.push_back(tone(0.02, 0.5, Wave::Sine, hz(103), hz(103), 0.25, 0.15));
            break;
        case Cue::Intimacy:
            chord(v, 0, 0.9, {72, 76, 79}, Wave::Sine, 0.3, 0.5);
            arpeggio(v, 0.1, 0.15, {84, 88}, Wave::Triangle, 0.25, 0.3, 0.4);
            break;
        case Cue::Damage:
            v.push_back(noise(0, 0.3, 3000, 400, 0.9, 0.08));
            v.push_back(tone(0, 0.25, Wave::Square, 160, 60, 0.6, 0.08));
            break;
        case Cue::Door:
            v.push_back(tone(0, 0.3, Wave::Saw, 180, 240, 0.2, 0.2));
            v.push_back(noise(0.3, 0.1, 1200, 400, 0.8, 0.03));
            v.push_back(tone(0.3, 0.12, Wave::Sine, 110, 70, 0.7, 0.05));
            break;
        case Cue::Good:
            arpeggio(v, 0, 0.06, {84, 88, 91, 96, 100}, Wave::Sine, 0.35, 0.12, 0.3);
            break;
        case Cue::Blessing:
            arpeggio(v, 0, 0.1, {67, 71, 74, 79}, Wave::Triangle, 0.35, 0.2);
            chord(v, 0.4, 0.8, {79, 83, 86}, Wave::Sine, 0.25, 0.45);
            break;
        case Cue::Hammer:
            for (int i = 0; i < 3; ++i) {
                v.push_back(noise(i * 0.22, 0.08, 5000, 1500, 0.8, 0.03));
                v.push_back(tone(i * 0.22, 0.2, Wave::Triangle, 1250, 1200, 0.4, 0.1));
            }
            break;
        case Cue::Reflect:
            v.push_back(tone(0, 0.6, Wave::Triangle, 700, 2100, 0.4, 0.25));
            v.push_back(tone(0.05, 0.55, Wave::Sine, 1400, 3200, 0.25, 0.2));
            break;
        case Cue::Recover: {
            Voice shimmer = tone(0, 1.0, Wave::Sine, hz(79), hz(91), 0.3, 0.5);
            shimmer.vibrato = 0.02;
            v.push_back(shimmer);
            arpeggio(v, 0, 0.08, {72, 76, 79, 84, 88, 91}, Wave::Triangle, 0.3, 0.15);
            break;
        }
        case Cue::Trade:
            // Two wooden knocks, each with a hollow body under the click.
            v.push_back(noise(0, 0.05, 3000, 2500, 0.8, 0.015));
            v.push_back(tone(0, 0.1, Wave::Square, 900, 850, 0.4, 0.04));
            v.push_back(tone(0, 0.12, Wave::Triangle, 320, 300, 0.5, 0.05));
            v.push_back(noise(0.12, 0.05, 2500, 2000, 0.7, 0.015));
            v.push_back(tone(0.12, 0.1, Wave::Square, 700, 650, 0.35, 0.04));
            v.push_back(tone(0.12, 0.14, Wave::Triangle, 260, 240, 0.5, 0.06));
            break;
        case Cue::Dodge:
            v.push_back(noise(0, 0.3, 800, 6000, 0.7, 0.12));
            break;
        case Cue::Sword:
            v.push_back(noise(0, 0.18, 1500, 7000, 0.7, 0.06));
            v.push_back(tone(0.12, 0.6, Wave::Triangle, 2200, 2150, 0.3, 0.2));
            break;
        case Cue::Training:
            for (int i = 0; i < 4; ++i) {
                v.push_back(tone(i * 0.18, 0.12, Wave::Sine, 120, 60, 0.8, 0.05));
                v.push_back(noise(i * 0.18, 0.05, 1500, 500, 0.4, 0.02));
            }
            break;
        case Cue::Laser:
            for (int i = 0; i < 3; ++i)
                v.push_back(tone(i * 0.1, 0.15, Wave::Square, 3000, 400, 0.35, 0.08));
            break;
        case Cue::LevelUp:
            arpeggio(v, 0, 0.07, {60, 64, 67, 72, 76, 79}, Wave::Square, 0.25, 0.1, -0.3);
            chord(v, 0.42, 0.8, {72, 76, 79, 84}, Wave::Triangle, 0.25, 0.4);
            break;
        case Cue::Magic: {
            for (int i = 0; i < 5; ++i) {
                Voice x = tone(i * 0.08, 0.7, Wave::Sine, hz(84 + i * 3), hz(96 + i * 2), 0.2, 0.3);
                x.vibrato = 0.03;
                v.push_back(x);
            }
            v.push_back(noise(0, 0.9, 8000, 3000, 0.12, 0.4));
            break;
        }
        case Cue::Miss:
            v.push_back(noise(0, 0.4, 5000, 500, 0.7, 0.15));
            v.push_back(tone(0, 0.35, Wave::Sine, 900, 250, 0.3, 0.15));
            break;
        case Cue::Flee:
            for (int i = 0; i < 6; ++i)
                v.push_back(noise(i * 0.08, 0.05, 1800 - i * 150, 900, 0.6, 0.02));
            v.push_back(tone(0, 0.5, Wave::Triangle, 900, 300, 0.25, 0.2));
            break;
        case Cue::Night:
            chord(v, 0, 1.4, {57, 60, 64, 69}, Wave::Sine, 0.25, 0.8);
            break;
        case Cue::No:
            v.push_back(tone(0, 0.12, Wave::Triangle, 220, 220, 0.4, 0.08));
            v.push_back(tone(0.16, 0.2, Wave::Triangle, 180, 170, 0.4, 0.1));
            break;
        case Cue::Ok:
            arpeggio(v, 0, 0.07, {79, 84}, Wave::Triangle, 0.35, 0.06);
            break;
        case Cue::Place:
            arpeggio(v, 0, 0.1, {67, 72, 74, 79, 84}, Wave::Triangle, 0.35, 0.15);
            v.push_back(noise(0.4, 0.4, 9000, 5000, 0.08, 0.15));
            break;
        case Cue::Save:
            arpeggio(v, 0, 0.12, {88, 84, 91}, Wave::Sine, 0.4, 0.2);
            break;
        case Cue::Crafted:
            v.push_back(noise(0, 0.08, 4000, 1500, 0.8, 0.02));
            v.push_back(noise(0.15, 0.08, 4000, 1500, 0.8, 0.02));
            arpeggio(v, 0.35, 0.09, {76, 79, 84}, Wave::Triangle, 0.4, 0.2);
            break;
        case Cue::Start:
            arpeggio(v, 0, 0.08, {60, 67, 72, 76}, Wave::Square, 0.25, 0.15, -0.3);
            chord(v, 0.32, 0.7, {72, 79, 84}, Wave::Saw, 0.15, 0.35);
            break;
        case Cue::Eat:
            for (int i = 0; i < 4; ++i) v.push_back(noise(i * 0.16, 0.09, 2500, 800, 0.7, 0.04));
            v.push_back(tone(0.68, 0.12, Wave::Sine, 400, 700, 0.3, 0.06));
            break;
        case Cue::Talk: {
            Rng rng(11);
            for (int i = 0; i < 8; ++i) {
                const int n = 72 + rng.below(10);
                v.push_back(tone(i * 0.075, 0.06, Wave::Triangle, hz(n), hz(n + 1), 0.35, 0.03));
            }
            break;
        }
        case Cue::Explore:
            v.push_back(noise(0, 0.25, 2000, 5000, 0.35, 0.1));
            arpeggio(v, 0.2, 0.07, {72, 79}, Wave::Square, 0.3, 0.08);
            break;
        case Cue::Enemy:
            chord(v, 0, 0.5, {48, 54, 61}, Wave::Saw, 0.3, 0.25);
            v.push_back(noise(0, 0.2, 3000, 800, 0.4, 0.08));
            break;
        case Cue::Up:
            v.push_back(tone(0, 0.15, Wave::Triangle, 600, 1400, 0.35, 0.08));
            break;
        case Cue::Song:
            arpeggio(v, 0, 0.18, {72, 74, 76, 79, 76, 84}, Wave::Triangle, 0.35, 0.2, 0.2);
            chord(v, 0, 1.2, {60, 64, 67}, Wave::Sine, 0.15, 0.8);
            break;
        case Cue::Victory:
            arpeggio(v, 0, 0.1, {67, 67, 67}, Wave::Square, 0.3, 0.06, -0.3);
            arpeggio(v, 0.3, 0.25, {72, 76}, Wave::Square, 0.3, 0.2, -0.3);
            chord(v, 0.8, 0.7, {72, 76, 79, 84}, Wave::Saw, 0.15, 0.4);
            break;
        case Cue::Water:
            v.push_back(noise(0, 0.7, 3000, 900, 0.6, 0.25));
            for (int i = 0; i < 5; ++i)
                v.push_back(tone(0.05 + i * 0.1, 0.05, Wave::Sine, 700 + i * 90, 1200 + i * 90,
                                 0.25, 0.03));
            break;
        case Cue::Skill:
            arpeggio(v, 0, 0.05, {84, 86, 88, 91, 93, 96}, Wave::Sine, 0.3, 0.1);
            v.push_back(noise(0.3, 0.5, 9000, 6000, 0.1, 0.2));
            break;
    }
    return v;
}

// Everything a cue holds stays below this frequency: under the Nyquist
// frequency of the mixer's default output (11025 Hz), so that nothing folds
// back when the mixer converts a 22050 Hz cue.
constexpr double kBandLimit = 4500.0;

// One period of a wave at `phase` (0..1) and fundamental `f`, built from its
// harmonics below the band limit, each fading out over the last 600 Hz so
// that a glide does not switch harmonics on and off.
double oscillate(Wave w, double phase, double f, double limit) {
    if (w == Wave::Sine) return std::sin(kTwoPi * phase);
    double sum = 0.0;
    const int step = w == Wave::Saw ? 1 : 2;  // square and triangle: odd harmonics only
    for (int k = 1; k * f < limit; k += step) {
        const double fade = std::min(1.0, (limit - k * f) / 600.0);
        const double s = std::sin(kTwoPi * k * phase) * fade;
        if (w == Wave::Triangle)
            sum += ((k / 2) % 2 ? -s : s) / (k * k);
        else
            sum += s / k;
    }
    switch (w) {
        case Wave::Square:
            return sum * 4.0 / std::numbers::pi * 0.7;
        case Wave::Saw:
            return sum * 2.0 / std::numbers::pi * 0.7;
        case Wave::Triangle:
            return sum * 8.0 / (std::numbers::pi * std::numbers::pi);
        default:
            return sum;
    }
}

// A second-order low-pass section (Butterworth when q = 1/sqrt 2).
struct LowPass {
    double b0, b1, b2, a1, a2, z1 = 0.0, z2 = 0.0;
    LowPass(double cutoff, double rate, double q) {
        const double w0 = kTwoPi * cutoff / rate, c = std::cos(w0), alpha = std::sin(w0) / (2 * q);
        const double a0 = 1 + alpha;
        b0 = (1 - c) / 2 / a0;
        b1 = (1 - c) / a0;
        b2 = b0;
        a1 = -2 * c / a0;
        a2 = (1 - alpha) / a0;
    }
    double run(double x) {
        const double y = b0 * x + z1;
        z1 = b1 * x - a1 * y + z2;
        z2 = b2 * x - a2 * y;
        return y;
    }
};

// Renders the voices into float frames (left, right).
std::vector<double> render(const std::vector<Voice>& voices, int rate, uint64_t seed) {
    double end = 0.0;
    for (const auto& v : voices) end = std::max(end, v.start + v.length);
    const size_t frames = static_cast<size_t>(std::ceil(end * rate)) + 1;
    std::vector<double> out(frames * 2, 0.0);
    Rng rng(seed);
    for (const auto& v : voices) {
        const size_t first = static_cast<size_t>(v.start * rate);
        const size_t count = static_cast<size_t>(v.length * rate);
        double phase = 0.0, low = 0.0;
        const double left = std::sqrt((1.0 - v.pan) / 2.0), right = std::sqrt((1.0 + v.pan) / 2.0);
        for (size_t i = 0; i < count && first + i < frames; ++i) {
            const double t = static_cast<double>(i) / rate;
            const double k = count > 1 ? static_cast<double>(i) / (count - 1) : 0.0;
            const double f = v.f0 + (v.f1 - v.f0) * k;
            double env = t < v.attack ? t / v.attack : std::exp(-(t - v.attack) / v.decay);
            // A short fade at the end avoids a click when the voice stops.
            const double tail = (count - i) / (0.004 * rate);
            env *= std::min(1.0, tail);
            double s;
            if (v.wave == Wave::Noise) {
                const double alpha = 1.0 - std::exp(-kTwoPi * std::min(f, rate * 0.45) / rate);
                low += alpha * (rng.uniform() * 2.0 - 1.0 - low);
                s = low * 1.5;
            } else {
                const double vib = 1.0 + v.vibrato * std::sin(kTwoPi * 6.0 * t);
                phase += f * vib / rate;
                phase -= std::floor(phase);
                s = oscillate(v.wave, phase, f * vib, std::min(kBandLimit, rate * 0.45));
            }
            s *= env * v.volume;
            out[(first + i) * 2] += s * left;
            out[(first + i) * 2 + 1] += s * right;
        }
    }
    // What the noise holds above the band limit goes (fourth-order Butterworth).
    for (int ch = 0; ch < 2; ++ch) {
        LowPass one(kBandLimit, rate, 0.5412), two(kBandLimit, rate, 1.3066);
        for (size_t i = 0; i < frames; ++i) out[i * 2 + ch] = two.run(one.run(out[i * 2 + ch]));
    }
    return out;
}

// Gain that brings `samples` (channels interleaved) to the loudness target as
// the mixer plays them (mono: the mean of the channels), with the peaks held
// at the ceiling by a look-ahead limiter: each sample's gain is the lowest
// any sample within 4 ms needs, averaged over those 4 ms so that it moves
// smoothly and never lets a peak through, and it recovers gently (20 ms)
// after a peak so that it does not distort what follows.
std::vector<double> level(const std::vector<double>& samples, int channels, int rate,
                          double targetLufs, double ceilingDb) {
    const size_t frames = samples.size() / static_cast<size_t>(channels);
    const double ceiling = std::pow(10.0, ceilingDb / 20.0);
    const size_t w = static_cast<size_t>(rate / 250) + 1;
    const double recovery = std::exp(1.0 / (0.02 * rate));
    auto loudness = [&](const std::vector<double>& x) {
        std::vector<float> mono(frames, 0.0f);
        for (size_t i = 0; i < x.size(); ++i)
            mono[i / static_cast<size_t>(channels)] += static_cast<float>(x[i] / channels);
        return integratedLoudness(mono, 1, rate);
    };
    double gain = std::pow(10.0, (targetLufs - loudness(samples)) / 20.0);
    std::vector<double> out;
    for (int pass = 0; pass < 10; ++pass) {
        std::vector<double> need(frames, 1.0);
        for (size_t i = 0; i < frames; ++i) {
            double peak = 0.0;
            for (int c = 0; c < channels; ++c)
                peak = std::max(peak, std::fabs(samples[i * channels + c] * gain));
            if (peak > ceiling) need[i] = ceiling / peak;
        }
        // The least need within w on either side (a sliding minimum), then
        // its mean within w / 2 on either side (prefix sums).
        std::vector<double> least(frames, 1.0), smooth(frames, 1.0), sums(frames + 1, 0.0);
        std::deque<size_t> window;
        size_t next = 0;
        for (size_t i = 0; i < frames; ++i) {
            for (; next <= std::min(frames - 1, i + w); ++next) {
                while (!window.empty() && need[window.back()] >= need[next]) window.pop_back();
                window.push_back(next);
            }
            while (window.front() + w < i) window.pop_front();
            least[i] = need[window.front()];
            sums[i + 1] = sums[i] + least[i];
        }
        for (size_t i = 0; i < frames; ++i) {
            const size_t from = i >= w / 2 ? i - w / 2 : 0, to = std::min(frames, i + w / 2 + 1);
            smooth[i] = (sums[to] - sums[from]) / static_cast<double>(to - from);
            if (i > 0) smooth[i] = std::min(smooth[i], smooth[i - 1] * recovery);
        }
        out.assign(samples.size(), 0.0);
        for (size_t i = 0; i < samples.size(); ++i)
            out[i] = samples[i] * gain * std::min(smooth[i / channels], need[i / channels]);
        const double miss = targetLufs - loudness(out);
        if (std::fabs(miss) < 0.05) break;
        gain *= std::pow(10.0, miss / 20.0);
    }
    return out;
}

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

bool isInterfaceCue(Cue cue) {
    switch (cue) {
        case Cue::Click:
        case Cue::Key:
        case Cue::Key2:
        case Cue::Key3:
        case Cue::Ok:
        case Cue::No:
        case Cue::Save:
        case Cue::Up:
        case Cue::Talk:
            return true;
        default:
            return false;
    }
}

double loudnessTarget(Cue cue) {
    return isInterfaceCue(cue) ? -22.0 : -16.0;
}

std::vector<uint8_t> wavFile(const std::vector<uint8_t>& pcm, int rate, int bits, int channels) {
    const uint32_t blockAlign = static_cast<uint32_t>(channels * bits / 8);
    std::vector<uint8_t> out;
    out.reserve(44 + pcm.size() + 1);
    out.insert(out.end(), {'R', 'I', 'F', 'F'});
    const uint32_t padded = static_cast<uint32_t>(pcm.size() + (pcm.size() & 1));
    put32(out, 36 + padded);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, static_cast<uint32_t>(channels));
    put32(out, static_cast<uint32_t>(rate));
    put32(out, static_cast<uint32_t>(rate) * blockAlign);
    put16(out, blockAlign);
    put16(out, static_cast<uint32_t>(bits));
    out.insert(out.end(), {'d', 'a', 't', 'a'});
    put32(out, static_cast<uint32_t>(pcm.size()));
    out.insert(out.end(), pcm.begin(), pcm.end());
    if (pcm.size() & 1) out.push_back(0);  // chunks are word-aligned
    return out;
}

std::vector<uint8_t> synthesiseSound(const SoundAsset& asset) {
    const auto frames = render(recipe(asset.cue), asset.rate, hashText(asset.name));
    // Fold to the file's channel count, then bring it to its loudness.
    const size_t count = frames.size() / 2;
    std::vector<double> samples;
    samples.reserve(count * asset.channels);
    for (size_t i = 0; i < count; ++i) {
        if (asset.channels == 1) {
            samples.push_back((frames[i * 2] + frames[i * 2 + 1]) / std::sqrt(2.0));
        } else {
            samples.push_back(frames[i * 2]);
            samples.push_back(frames[i * 2 + 1]);
        }
    }
    // Rounding to 8 bits may add half a step to a peak: a little room for it.
    samples =
        level(samples, asset.channels, asset.rate, loudnessTarget(asset.cue), kEffectPeakDb - 0.3);
    std::vector<uint8_t> pcm;
    pcm.reserve(samples.size() * asset.bits / 8);
    for (double raw : samples) {
        const double s = std::clamp(raw, -1.0, 1.0);
        if (asset.bits == 8) {
            pcm.push_back(static_cast<uint8_t>(std::lround(128.0 + s * 127.0)));
        } else {
            const auto v = static_cast<int16_t>(std::lround(s * 32767.0));
            pcm.push_back(static_cast<uint8_t>(v & 0xFF));
            pcm.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
        }
    }
    return wavFile(pcm, asset.rate, asset.bits, asset.channels);
}

}  // namespace kotou::assets
