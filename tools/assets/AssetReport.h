#pragma once
// The figures of the generated music and sound effects: per tune its length,
// the melody's repeated notes, pitch classes and range (from the MIDI data:
// the melody is always on MIDI channel 0) and its loudness as FluidSynth
// renders it with the game's soundfont and gain; per effect its peak and
// loudness. `kotou-asset-report` prints them; the tests hold them to goals.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "tools/assets/AssetList.h"

namespace kotou::assets {

struct TuneFigures {
    std::string name;
    double seconds = 0.0;          // from the start to the end of the track
    int melodyNotes = 0;           // note-ons of the melody channel
    double repeatedShare = 0.0;    // melody notes equal to the note before them
    int pitchClasses = 0;          // distinct pitch classes of the melody
    int range = 0;                 // highest minus lowest melody note, semitones
    std::optional<double> lufs;    // rendered loudness, when rendered
    std::optional<double> peakDb;  // rendered sample peak
};

struct EffectFigures {
    std::string name;
    bool interfaceCue = false;  // a click or beep of the interface
    double targetLufs = 0.0;
    double peakDb = 0.0;
    double lufs = 0.0;  // as the mixer hears it: mono (stereo files folded)
};

// The melody and length figures of a Standard MIDI File; nullopt when the
// bytes are not one.
std::optional<TuneFigures> analyseMidi(const std::string& name, const std::vector<uint8_t>& bytes);

// Renders a MIDI file offline through FluidSynth with the soundfont at the
// synthesiser gain and rate: interleaved stereo, until the file has ended and
// the last notes have died away. Empty with `error` set when it cannot.
std::vector<float> renderMidi(const std::filesystem::path& midi,
                              const std::filesystem::path& soundfont, double gain, int rate,
                              std::string& error);

// The figures of one generated effect file; nullopt when it is not a WAV file.
std::optional<EffectFigures> analyseEffect(const SoundAsset& asset,
                                           const std::vector<uint8_t>& bytes);

// The first of the player's soundfonts that exists, or an empty path.
std::filesystem::path findSoundfont();

}  // namespace kotou::assets
