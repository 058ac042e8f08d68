#pragma once
// Composes the tunes: pieces of two to three minutes in the form intro, A,
// A', B, A'', outro, with a motif-built melody (always on MIDI channel 0),
// bass, accompaniment and drums from per-mood banks (MusicStyles.h), written
// as a Standard MIDI File with General MIDI programs.

#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/assets/AssetList.h"

namespace kotou::assets {

// The loudness every tune is brought to, rendered through FluidSynth and the
// game's soundfont at the music player's gain.
inline constexpr double kMusicTargetLufs = -24.0;
// The rate at which tunes are rendered to measure them (FluidSynth's default).
inline constexpr int kMusicRenderRate = 44100;

// The complete MIDI file (format 0: "MThd" header and one "MTrk" track).
std::vector<uint8_t> composeTune(const MusicAsset& asset);

// The level of a tune in dB, applied through its channels' expression: set so
// that the tune renders at kMusicTargetLufs (MusicLevels.h).
double tuneLevel(std::string_view name);

}  // namespace kotou::assets
