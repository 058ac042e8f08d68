#pragma once
// The banks the composer draws on: grooves (bass, accompaniment and drum
// patterns with the melody's bar rhythms), chord progressions, and per mood
// the pieces that combine them with a key, a tempo and instruments.
//
// Patterns are written on a grid of steps, one character per step (spaces
// are only for reading): sixteenths in simple time (4 steps a beat), eighth
// triplets in compound and shuffle time (3 steps a beat).
//   bass:  1 the chord's bass note, 3 its third, 5 its fifth, 8 the octave,
//          a a step leading to the next chord's bass;
//   comp:  c the whole chord, u the chord without its lowest note, p a power
//          chord (root, fifth, octave), 0-4 one note of the chord counted
//          from the lowest;
//   both:  . holds the note, - is silence.
//   drums: X accent, x normal, o soft, g ghost, - nothing.
// Progressions are roman numerals over the key's major scale, bars divided
// by '|': I ii iii IV V vi (case gives major or minor), b and # alter the
// root (bVII), suffixes 7 M7 o o7 h7 + s4 s2 6 9 set the chord, /3 /5 /7
// put that note in the bass, :n gives a chord n beats (else a bar's chords
// share it equally).

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

#include "tools/assets/AssetList.h"

namespace kotou::assets::music {

enum class Mode : uint8_t { Major, Lydian, Mixolydian, Dorian, Minor, HarmonicMinor, Phrygian };

inline constexpr uint8_t kNoInstrument = 0xFF;

struct DrumRow {
    uint8_t note = 0;  // General MIDI percussion key
    std::string_view hits;
};

struct Groove {
    int beats;  // per bar
    int steps;  // grid steps per beat: 4 (simple time) or 3 (compound or shuffle)
    std::string_view bass, comp, pad;
    std::array<DrumRow, 5> drums;
    // The fill played at the end of a phrase: its hits replace the groove
    // from its first hit on (only the last beat at the end of a short phrase).
    std::array<DrumRow, 4> fill;
    std::span<const std::string_view> motifs;    // bar rhythms of the melody, in steps
    std::span<const std::string_view> cadences;  // bar rhythms that close a phrase
};

// Four-bar (or eight-bar) phrases: a1 ends on the dominant, a2 answers on the
// tonic; b1 and b2 contrast and b2 leads back on the dominant.
struct Harmony {
    std::string_view intro, a1, a2, b1, b2, outro;
};

struct Instruments {
    uint8_t lead, leadAlt, bass, comp, pad, counter;  // General MIDI programs
};

struct TuneStyle {
    int tempo;  // beats a minute (dotted quarters in compound time)
    int tonic;  // MIDI note of the key's tonic in the melody's octave
    Mode mode;
    const Groove* groove;
    const Harmony* harmony;
    Instruments play;
    int lift = 0;     // semitones the last A section is raised by
    int space = 40;   // reverb send
    int repeatA = 1;  // times the A phrases run in one A section
};

// The piece written for a tune: the bank of its mood, its variant's entry.
const TuneStyle& styleFor(const MusicAsset& asset);

}  // namespace kotou::assets::music
