#pragma once
// Synthesises the sound effects: each cue is a short recipe of tones and
// noise bursts, rendered to PCM in the entry's format and wrapped in a RIFF
// WAVE file.

#include <cstdint>
#include <vector>

#include "tools/assets/AssetList.h"

namespace kotou::assets {

// The complete WAV file (RIFF header, 16-byte PCM "fmt " chunk, "data" chunk).
std::vector<uint8_t> synthesiseSound(const SoundAsset& asset);

// Clicks and beeps of the interface, as against cues of events in the game.
bool isInterfaceCue(Cue cue);
// The loudness a cue is made to (LUFS, mono as the mixer plays it): about
// -22 for the interface, -16 for events. Every cue peaks at -6 dBFS or lower,
// so that two can sound together without clipping.
double loudnessTarget(Cue cue);
inline constexpr double kEffectPeakDb = -6.0;

// Wraps interleaved PCM samples (8-bit unsigned or 16-bit little-endian) in a WAV file.
std::vector<uint8_t> wavFile(const std::vector<uint8_t>& pcm, int rate, int bits, int channels);

}  // namespace kotou::assets
