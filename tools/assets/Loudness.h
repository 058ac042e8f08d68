#pragma once
// Loudness and peak of sampled sound, measured the way broadcast loudness is:
// K-weighting (a high shelf near 1.7 kHz and a high pass near 38 Hz), the mean
// square over 400 ms blocks overlapping by 75 %, an absolute gate at -70 LUFS
// and a relative gate 10 LU below the ungated level. Used by the effects'
// synthesis (to set each cue's level) and by the asset report.

#include <span>

namespace kotou::assets {

// A level so low that it stands for silence.
inline constexpr double kSilenceLufs = -120.0;

// Integrated loudness in LUFS of interleaved samples (full scale = 1.0) with
// `channels` channels, all weighted 1. A sound shorter than one block is
// measured as one block over its whole length, so that short cues still get a
// figure. Returns kSilenceLufs for silence.
double integratedLoudness(std::span<const float> samples, int channels, int rate);

// The largest absolute sample in dBFS (0 dBFS = 1.0), kSilenceLufs for silence.
double samplePeakDb(std::span<const float> samples);

}  // namespace kotou::assets
