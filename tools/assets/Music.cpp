#include "tools/assets/Music.h"

#include <algorithm>
#include <array>
#include <string>

#include "tools/assets/Canvas.h"

namespace kotou::assets {

namespace {

constexpr int kTicksPerBeat = 480;
constexpr int kEighth = kTicksPerBeat / 2;
constexpr int kDrumChannel = 9;

// General MIDI programs (0-based).
enum Program : uint8_t {
    Piano = 0,
    MusicBox = 10,
    Vibraphone = 11,
    Organ = 16,
    NylonGuitar = 24,
    SteelGuitar = 25,
    Overdrive = 29,
    Distortion = 30,
    AcousticBass = 32,
    FingerBass = 33,
    SynthBass = 38,
    Strings = 48,
    SlowStrings = 49,
    Choir = 52,
    Trumpet = 56,
    Brass = 61,
    Clarinet = 71,
    Flute = 73,
    Ocarina = 79,
    SquareLead = 80,
    WarmPad = 89,
    Harp = 46,
    Timpani = 47,
    SteelDrums = 114,
    Marimba = 12,
    Accordion = 21,
};

// The character of a tune.
struct Style {
    int tempo;  // beats per minute
    int root;   // MIDI note of the key's tonic in the melody octave
    bool minor;
    int beats;  // beats per bar (3 or 4)
    uint8_t lead, bass, pad;
    bool drums;
    int busy;  // 0 calm, 1 walking, 2 driving
    int bars;
};

Style styleFor(const MusicAsset& m) {
    switch (m.tune) {
        case Tune::Title:
            return {84, 72, false, 4, Flute, FingerBass, Strings, false, 0, 8};
        case Tune::Voice:
            return {76, 77, false, 4, Piano, AcousticBass, Choir, false, 0, 8};
        case Tune::Night:
            return {72, 69, true, 3, MusicBox, AcousticBass, WarmPad, false, 0, 8};
        case Tune::Rain:
            return {80, 74, true, 4, Piano, AcousticBass, SlowStrings, false, 1, 8};
        case Tune::Battle:
            return {152, 76, true, 4, SquareLead, SynthBass, Brass, true, 2, 8};
        case Tune::Survival:
            return {140, 67, true, 4, Distortion, FingerBass, Strings, true, 2, 8};
        case Tune::Together:
            return {120, 67, false, 4, SteelGuitar, FingerBass, Organ, true, 1, 8};
        case Tune::SkyBlue:
            return {108, 76, false, 4, Clarinet, FingerBass, Harp, true, 1, 8};
        case Tune::Disaster:
            return {100, 72, true, 4, Brass, SynthBass, Timpani, true, 1, 6};
        case Tune::Explore: {
            static constexpr std::array<Style, 4> kExplore = {{
                {112, 72, false, 4, Ocarina, FingerBass, Strings, true, 1, 8},
                {100, 77, false, 4, SteelDrums, AcousticBass, NylonGuitar, true, 1, 8},
                {126, 74, false, 4, Trumpet, FingerBass, Strings, true, 2, 8},
                {96, 70, false, 4, Flute, AcousticBass, SlowStrings, true, 0, 8},
            }};
            return kExplore[static_cast<size_t>(m.variant) % kExplore.size()];
        }
        case Tune::Radio: {
            static constexpr std::array<uint8_t, 6> kLeads = {Vibraphone, Accordion, Marimba,
                                                              Overdrive,  Clarinet,  Piano};
            const int v = m.variant;
            return {90 + (v * 13) % 60,
                    67 + (v * 5) % 12,
                    v % 3 == 1,
                    v % 4 == 3 ? 3 : 4,
                    kLeads[static_cast<size_t>(v) % kLeads.size()],
                    FingerBass,
                    v % 2 ? WarmPad : Strings,
                    v % 3 != 1,
                    v % 3,
                    8};
        }
    }
    return {100, 72, false, 4, Piano, AcousticBass, Strings, false, 1, 8};
}

constexpr std::array<int, 7> kMajor = {0, 2, 4, 5, 7, 9, 11};
constexpr std::array<int, 7> kMinor = {0, 2, 3, 5, 7, 8, 10};

// Chord roots as scale degrees, two phrases of four bars.
constexpr std::array<int, 8> kMajorChords = {0, 4, 5, 3, 0, 3, 4, 0};
constexpr std::array<int, 8> kMinorChords = {0, 5, 2, 6, 0, 3, 4, 0};

// Note lengths in eighths that fill one bar, by busyness and metre.
const std::vector<std::vector<int>>& rhythms(int busy, int beats) {
    static const std::vector<std::vector<int>> kCalm4 = {{4, 2, 2}, {2, 2, 4}, {6, 2}, {4, 4}};
    static const std::vector<std::vector<int>> kWalk4 = {
        {2, 2, 2, 2}, {3, 1, 2, 2}, {2, 1, 1, 2, 2}, {4, 2, 2}};
    static const std::vector<std::vector<int>> kDrive4 = {
        {1, 1, 2, 1, 1, 2}, {2, 1, 1, 2, 1, 1}, {1, 1, 1, 1, 2, 2}, {2, 2, 1, 1, 2}};
    static const std::vector<std::vector<int>> kCalm3 = {{4, 2}, {2, 2, 2}, {6}, {3, 1, 2}};
    static const std::vector<std::vector<int>> kWalk3 = {
        {2, 2, 2}, {3, 1, 2}, {2, 1, 1, 2}, {4, 2}};
    static const std::vector<std::vector<int>> kDrive3 = {
        {1, 1, 2, 2}, {2, 1, 1, 1, 1}, {1, 1, 1, 1, 2}, {2, 2, 1, 1}};
    if (beats == 3) return busy == 0 ? kCalm3 : busy == 1 ? kWalk3 : kDrive3;
    return busy == 0 ? kCalm4 : busy == 1 ? kWalk4 : kDrive4;
}

struct Event {
    int tick;
    int order;  // note-offs before controls before note-ons at the same tick
    std::vector<uint8_t> bytes;
};

class Track {
  public:
    void add(int tick, int order, std::vector<uint8_t> bytes) {
        events_.push_back({tick, order, std::move(bytes)});
    }
    void note(int channel, int tick, int length, int pitch, int velocity) {
        const auto ch = static_cast<uint8_t>(channel);
        add(tick, 2,
            {static_cast<uint8_t>(0x90 | ch), static_cast<uint8_t>(pitch),
             static_cast<uint8_t>(velocity)});
        add(tick + length, 0, {static_cast<uint8_t>(0x80 | ch), static_cast<uint8_t>(pitch), 0});
    }
    void program(int channel, uint8_t program, uint8_t volume) {
        const auto ch = static_cast<uint8_t>(channel);
        add(0, 1, {static_cast<uint8_t>(0xC0 | ch), program});
        add(0, 1, {static_cast<uint8_t>(0xB0 | ch), 7, volume});
    }
    // Serialised with delta times, ending with the end-of-track event.
    std::vector<uint8_t> bytes() {
        std::stable_sort(events_.begin(), events_.end(), [](const Event& a, const Event& b) {
            return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
        });
        std::vector<uint8_t> out;
        int last = 0;
        for (const auto& e : events_) {
            putVarLen(out, static_cast<uint32_t>(e.tick - last));
            last = e.tick;
            out.insert(out.end(), e.bytes.begin(), e.bytes.end());
        }
        out.insert(out.end(), {0x00, 0xFF, 0x2F, 0x00});
        return out;
    }

  private:
    static void putVarLen(std::vector<uint8_t>& out, uint32_t v) {
        uint8_t buf[5];
        int n = 0;
        buf[n++] = v & 0x7F;
        while (v >>= 7) buf[n++] = static_cast<uint8_t>(0x80 | (v & 0x7F));
        while (n > 0) out.push_back(buf[--n]);
    }
    std::vector<Event> events_;
};

void put32be(std::vector<uint8_t>& out, uint32_t v) {
    for (int s = 24; s >= 0; s -= 8) out.push_back(static_cast<uint8_t>(v >> s));
}

}  // namespace

std::vector<uint8_t> composeTune(const MusicAsset& asset) {
    const Style st = styleFor(asset);
    const auto& scale = st.minor ? kMinor : kMajor;
    const auto& chords = st.minor ? kMinorChords : kMajorChords;
    Rng rng(hashText(asset.name));
    Track track;

    const std::string name(asset.name);
    std::vector<uint8_t> meta = {0xFF, 0x03, static_cast<uint8_t>(name.size())};
    meta.insert(meta.end(), name.begin(), name.end());
    track.add(0, 1, meta);
    const uint32_t usPerBeat = 60000000u / static_cast<uint32_t>(st.tempo);
    track.add(0, 1,
              {0xFF, 0x51, 0x03, static_cast<uint8_t>(usPerBeat >> 16),
               static_cast<uint8_t>(usPerBeat >> 8), static_cast<uint8_t>(usPerBeat)});
    track.add(0, 1, {0xFF, 0x58, 0x04, static_cast<uint8_t>(st.beats), 2, 24, 8});
    track.program(0, st.lead, 110);
    track.program(1, st.bass, 100);
    track.program(2, st.pad, 70);
    if (st.drums) track.add(0, 1, {0xB9, 7, 90});

    // Pitch of a scale degree (any integer) relative to the melody octave.
    auto pitchOf = [&](int degree, int octaveShift) {
        const int oct = (degree >= 0 ? degree / 7 : (degree - 6) / 7);
        const int idx = degree - oct * 7;
        return st.root + 12 * (oct + octaveShift) + scale[static_cast<size_t>(idx)];
    };

    const int barTicks = st.beats * kTicksPerBeat;
    const auto& patterns = rhythms(st.busy, st.beats);
    std::vector<int> barPattern(static_cast<size_t>(st.bars));
    for (int bar = 0; bar < st.bars; ++bar) {
        // The second phrase echoes the rhythm of the first, so the tune has a shape.
        barPattern[bar] =
            bar < 4 ? rng.below(static_cast<int>(patterns.size())) : barPattern[bar - 4];
    }

    int degree = 2;  // start on the third
    for (int bar = 0; bar < st.bars; ++bar) {
        const int chordRoot = chords[static_cast<size_t>(bar) % chords.size()];
        const bool last = bar == st.bars - 1;
        const int start = bar * barTicks;

        // Chords: the triad held for the bar.
        for (int k = 0; k < 3; ++k)
            track.note(2, start, barTicks - 10, pitchOf(chordRoot + 2 * k, -1), 55);

        // Bass: the root on the downbeat, with fifths and octaves when lively.
        const int bassRoot = pitchOf(chordRoot, -2);
        if (st.busy == 0) {
            track.note(1, start, barTicks - 20, bassRoot, 80);
        } else {
            for (int beat = 0; beat < st.beats; ++beat) {
                const int p =
                    beat % 2 == 0 ? bassRoot : (st.busy == 2 ? bassRoot + 12 : bassRoot + 7);
                track.note(1, start + beat * kTicksPerBeat, kTicksPerBeat - 30, p, 85);
            }
        }

        // Melody: chord tones on the beats, steps in between; the last bar rests on the tonic.
        if (last) {
            track.note(0, start, barTicks - 10, pitchOf(0, 0), 96);
        } else {
            int t = 0;
            for (int len : patterns[static_cast<size_t>(barPattern[bar])]) {
                const bool onBeat = (t % 2) == 0;
                if (onBeat) {
                    // Nearest chord tone to where the melody is.
                    int best = degree, bestDist = 100;
                    for (int octave = -1; octave <= 1; ++octave) {
                        for (int k = 0; k < 3; ++k) {
                            const int cand = chordRoot + 2 * k + 7 * octave;
                            const int dist = std::abs(cand - degree) + rng.below(2);
                            if (dist < bestDist) {
                                bestDist = dist;
                                best = cand;
                            }
                        }
                    }
                    degree = best;
                } else {
                    degree += rng.below(2) == 0 ? -1 : 1;
                }
                degree = std::clamp(degree, -2, 9);
                const int velocity = onBeat ? 100 : 84;
                track.note(0, start + t * kEighth, len * kEighth - 20, pitchOf(degree, 0),
                           velocity);
                t += len;
            }
        }

        // Drums: kick and snare on alternate beats, hats on the eighths.
        if (st.drums) {
            if (bar == 0) track.note(kDrumChannel, start, kEighth, 49, 90);
            for (int e = 0; e < st.beats * 2; ++e) {
                const int tick = start + e * kEighth;
                if (e % 2 == 0) {
                    const int beat = e / 2;
                    track.note(kDrumChannel, tick, kEighth, beat % 2 == 0 ? 36 : 38,
                               beat == 0 ? 100 : 85);
                }
                if (st.busy > 0 || e % 2 == 0) track.note(kDrumChannel, tick, kEighth / 2, 42, 60);
            }
        }
    }

    const std::vector<uint8_t> body = track.bytes();
    std::vector<uint8_t> out = {'M',
                                'T',
                                'h',
                                'd',
                                0,
                                0,
                                0,
                                6,
                                0,
                                0,
                                0,
                                1,
                                static_cast<uint8_t>(kTicksPerBeat >> 8),
                                static_cast<uint8_t>(kTicksPerBeat & 0xFF)};
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    put32be(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace kotou::assets
