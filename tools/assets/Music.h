#pragma once
// Composes the short tunes: a few bars of melody, bass, chords and (for the
// lively moods) drums, written as a Standard MIDI File with General MIDI
// programs.

#include <cstdint>
#include <vector>

#include "tools/assets/AssetList.h"

namespace kotou::assets {

// The complete MIDI file (format 0: "MThd" header and one "MTrk" track).
std::vector<uint8_t> composeTune(const MusicAsset& asset);

}  // namespace kotou::assets
