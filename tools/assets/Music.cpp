#include "tools/assets/Music.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include "tools/assets/Canvas.h"
#include "tools/assets/MusicLevels.h"
#include "tools/assets/MusicStyles.h"

namespace kotou::assets {

using namespace music;

namespace {

constexpr int kTicksPerQuarter = 480;
constexpr int kDrumChannel = 9;

// Channels by role; the melody is always channel 0.
enum Channel : int { Lead = 0, Bass = 1, Comp = 2, Pad = 3, Counter = 4 };

// --- Writing the file ---------------------------------------------------------

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
        if (length <= 0 || pitch < 0 || pitch > 127) return;
        const auto ch = static_cast<uint8_t>(channel);
        add(tick, 2,
            {static_cast<uint8_t>(0x90 | ch), static_cast<uint8_t>(pitch),
             static_cast<uint8_t>(std::clamp(velocity, 1, 127))});
        add(tick + length, 0, {static_cast<uint8_t>(0x80 | ch), static_cast<uint8_t>(pitch), 0});
    }
    void control(int channel, int tick, int controller, int value) {
        add(tick, 1,
            {static_cast<uint8_t>(0xB0 | channel), static_cast<uint8_t>(controller),
             static_cast<uint8_t>(std::clamp(value, 0, 127))});
    }
    void program(int channel, int tick, uint8_t program) {
        add(tick, 1, {static_cast<uint8_t>(0xC0 | channel), program});
    }
    void tempo(int tick, double bpmQuarter) {
        const auto us = static_cast<uint32_t>(std::lround(60000000.0 / bpmQuarter));
        add(tick, 1,
            {0xFF, 0x51, 0x03, static_cast<uint8_t>(us >> 16), static_cast<uint8_t>(us >> 8),
             static_cast<uint8_t>(us)});
    }
    int lastTick() const {
        int last = 0;
        for (const auto& e : events_) last = std::max(last, e.tick);
        return last;
    }
    // Serialised with delta times, ending with the end-of-track event.
    std::vector<uint8_t> bytes(int endTick) {
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
        putVarLen(out, static_cast<uint32_t>(std::max(0, endTick - last)));
        out.insert(out.end(), {0xFF, 0x2F, 0x00});
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

// --- Harmony --------------------------------------------------------------------

struct Chord {
    int root = 0;            // semitones above the tonic
    std::vector<int> tones;  // semitones above the root, the root first
    int bass = 0;            // semitones above the root of the bass note
    int tick = 0, length = 0;
    bool has(int pitchClassFromTonic) const {
        for (int t : tones)
            if ((root + t) % 12 == ((pitchClassFromTonic % 12) + 12) % 12) return true;
        return false;
    }
};

int romanValue(std::string_view r) {
    static constexpr std::array<std::pair<std::string_view, int>, 7> kRomans = {
        {{"I", 0}, {"II", 2}, {"III", 4}, {"IV", 5}, {"V", 7}, {"VI", 9}, {"VII", 11}}};
    for (const auto& [name, value] : kRomans)
        if (name == r) return value;
    return -1;
}

Chord parseChord(std::string_view tok) {
    const std::string whole(tok);
    auto fail = [&whole]() { throw std::runtime_error("bad chord \"" + whole + "\""); };
    size_t i = 0;
    int accidental = 0;
    if (i < tok.size() && (tok[i] == 'b' || tok[i] == '#')) accidental = tok[i++] == 'b' ? -1 : 1;
    std::string roman;
    while (i < tok.size() && std::string_view("IViv").find(tok[i]) != std::string_view::npos)
        roman += tok[i++];
    if (roman.empty()) fail();
    const bool minor = std::islower(static_cast<unsigned char>(roman[0]));
    for (char& c : roman) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    const int value = romanValue(roman);
    if (value < 0) fail();
    Chord c;
    c.root = (value + accidental + 12) % 12;
    std::string_view quality =
        tok.substr(i, tok.find('/', i) == std::string_view::npos ? std::string_view::npos
                                                                 : tok.find('/', i) - i);
    const int third = minor ? 3 : 4;
    if (quality.empty())
        c.tones = {0, third, 7};
    else if (quality == "7")
        c.tones = {0, third, 7, 10};
    else if (quality == "M7")
        c.tones = {0, 4, 7, 11};
    else if (quality == "o")
        c.tones = {0, 3, 6};
    else if (quality == "o7")
        c.tones = {0, 3, 6, 9};
    else if (quality == "h7")
        c.tones = {0, 3, 6, 10};
    else if (quality == "+")
        c.tones = {0, 4, 8};
    else if (quality == "s4")
        c.tones = {0, 5, 7};
    else if (quality == "s2")
        c.tones = {0, 2, 7};
    else if (quality == "7s4")
        c.tones = {0, 5, 7, 10};
    else if (quality == "6")
        c.tones = {0, third, 7, 9};
    else if (quality == "9")
        c.tones = {0, third, 7, 14};
    else
        fail();
    if (const size_t slash = tok.find('/'); slash != std::string_view::npos) {
        const std::string_view inv = tok.substr(slash + 1);
        const size_t index = inv == "3" ? 1 : inv == "5" ? 2 : inv == "7" ? 3 : 9;
        if (index >= c.tones.size()) fail();
        c.bass = c.tones[index];
    }
    return c;
}

std::vector<std::string_view> split(std::string_view text, char by) {
    std::vector<std::string_view> out;
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(by, start), text.size());
        std::string_view part = text.substr(start, end - start);
        while (!part.empty() && part.front() == ' ') part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ') part.remove_suffix(1);
        if (!part.empty() || by == '|') out.push_back(part);
        start = end + 1;
    }
    return out;
}

// The chords of a progression laid out from `tick`; returns the chords.
std::vector<Chord> layOut(std::string_view text, int tick, int beats, int beatTicks) {
    std::vector<Chord> chords;
    for (std::string_view bar : split(text, '|')) {
        if (bar.empty()) throw std::runtime_error("empty bar in \"" + std::string(text) + "\"");
        std::vector<std::string_view> tokens = split(bar, ' ');
        std::vector<int> lengths;
        int given = 0, open = 0;
        for (auto& t : tokens) {
            const size_t colon = t.find(':');
            if (colon != std::string_view::npos) {
                lengths.push_back(std::stoi(std::string(t.substr(colon + 1))));
                given += lengths.back();
                t = t.substr(0, colon);
            } else {
                lengths.push_back(0);
                ++open;
            }
        }
        // Beats left over go to the chords without a length, the first taking the rest.
        const int left = beats - given;
        if (left < open || (open == 0 && left != 0))
            throw std::runtime_error("bar does not add up: \"" + std::string(bar) + "\"");
        bool firstOpen = true;
        for (auto& l : lengths) {
            if (l != 0) continue;
            l = left / std::max(open, 1) + (firstOpen ? left % std::max(open, 1) : 0);
            firstOpen = false;
        }
        for (size_t k = 0; k < tokens.size(); ++k) {
            Chord c = parseChord(tokens[k]);
            c.tick = tick;
            c.length = lengths[k] * beatTicks;
            tick += c.length;
            chords.push_back(std::move(c));
        }
    }
    return chords;
}

// --- Scales ---------------------------------------------------------------------

std::array<int, 7> scaleOf(Mode mode) {
    switch (mode) {
        case Mode::Major:
            return {0, 2, 4, 5, 7, 9, 11};
        case Mode::Lydian:
            return {0, 2, 4, 6, 7, 9, 11};
        case Mode::Mixolydian:
            return {0, 2, 4, 5, 7, 9, 10};
        case Mode::Dorian:
            return {0, 2, 3, 5, 7, 9, 10};
        case Mode::Minor:
            return {0, 2, 3, 5, 7, 8, 10};
        case Mode::HarmonicMinor:
            return {0, 2, 3, 5, 7, 8, 11};
        case Mode::Phrygian:
            return {0, 1, 3, 5, 7, 8, 10};
    }
    return {0, 2, 4, 5, 7, 9, 11};
}

int pc(int semitones) {
    return ((semitones % 12) + 12) % 12;
}

// --- The piece ------------------------------------------------------------------

enum class Cadence : uint8_t { None, Half, Full, Final };

struct Phrase {
    std::vector<Chord> chords;
    int tick = 0, bars = 0;
    Cadence cadence = Cadence::None;
};

struct Note {
    int tick, length, pitch, velocity;
};

// A bar of melody as an idea: the rhythm, and the scale steps from note to note.
struct Motif {
    int rhythm = -1;         // its entry in the groove's rhythms
    std::vector<int> steps;  // note lengths in grid steps
    std::vector<int> moves;  // scale steps from the note before (the first is free)
};

std::vector<int> parseRhythm(std::string_view text) {
    std::vector<int> out;
    for (std::string_view t : split(text, ' ')) out.push_back(std::stoi(std::string(t)));
    return out;
}

class Composer {
  public:
    Composer(const MusicAsset& asset, const TuneStyle& style)
        : st_(style),
          g_(*style.groove),
          rng_(hashText(asset.name)),
          stepTicks_(g_.steps == 3 ? kTicksPerQuarter / 2 : kTicksPerQuarter / 4),
          beatTicks_(stepTicks_ * g_.steps),
          barTicks_(beatTicks_ * g_.beats),
          scale_(scaleOf(style.mode)),
          name_(asset.name) {}

    std::vector<uint8_t> compose();

  private:
    // Layout
    std::vector<Phrase> phrases(std::string_view a, std::string_view b, Cadence ca, Cadence cb,
                                int repeats);
    const Chord& chordAt(const std::vector<Chord>& chords, int tick) const;

    // Melody
    Motif makeMotif(int avoidRhythm);
    std::vector<int> localScale(const Chord& c) const;
    int stepFrom(int pitch, int moves, const Chord& c) const;
    int nearestChordTone(const Chord& c, int target, int avoid) const;
    std::vector<Note> melodyOf(const Phrase& p, const Motif& m, int base, int peak);
    void realiseBar(std::vector<Note>& out, const Phrase& p, int bar, const std::vector<int>& steps,
                    const std::vector<int>& moves, int target, int ceiling, int velocity);
    void cadenceBar(std::vector<Note>& out, const Phrase& p, int bar, int velocity, int rest = -1);
    std::vector<Note> ornament(const std::vector<Note>& notes, const std::vector<Chord>& chords);

    // Accompaniment
    std::vector<int> voicing(const Chord& c, int lo, int hi, std::vector<int>& previous) const;
    int bassPitch(const Chord& c, int lift);
    void accompany(const Phrase& p, int lift, double dynamics, bool pad, bool counter, bool last,
                   bool intro = false);
    void drumBar(int tick, int fill, double dynamics);
    void playPattern(int channel, std::string_view pattern, const std::vector<Chord>& chords,
                     int barTick, int lift, int velocity, bool bass, std::vector<int>& voices);

    const TuneStyle& st_;
    const Groove& g_;
    Rng rng_;
    int stepTicks_, beatTicks_, barTicks_;
    std::array<int, 7> scale_;
    std::string name_;
    Track track_;
    int prevMelody_ = -1;
    int prevBass_ = 43;
    std::vector<int> compVoices_, padVoices_;
    int prevCounter_ = -1;
};

std::vector<Phrase> Composer::phrases(std::string_view a, std::string_view b, Cadence ca,
                                      Cadence cb, int repeats) {
    std::vector<Phrase> out;
    for (int r = 0; r < repeats; ++r) {
        for (auto [text, cadence] : {std::pair{a, ca}, std::pair{b, cb}}) {
            if (text.empty()) continue;
            Phrase p;
            p.chords = layOut(text, 0, g_.beats, beatTicks_);
            p.bars = static_cast<int>(split(text, '|').size());
            p.cadence = cadence;
            out.push_back(std::move(p));
        }
    }
    return out;
}

const Chord& Composer::chordAt(const std::vector<Chord>& chords, int tick) const {
    for (const auto& c : chords)
        if (tick >= c.tick && tick < c.tick + c.length) return c;
    return tick < chords.front().tick ? chords.front() : chords.back();
}

Motif Composer::makeMotif(int avoidRhythm) {
    Motif m;
    const int count = static_cast<int>(g_.motifs.size());
    int pick = rng_.below(count);
    if (pick == avoidRhythm && count > 1) pick = (pick + 1) % count;
    m.rhythm = pick;
    m.steps = parseRhythm(g_.motifs[static_cast<size_t>(pick)]);
    const int n = static_cast<int>(m.steps.size());
    m.moves.assign(static_cast<size_t>(n), 0);
    // One leap of a third to a sixth (2 to 5 scale steps), landing on a beat
    // when the rhythm allows; steps around it, turning back after the leap.
    std::vector<int> onBeat;
    int at = 0;
    for (int i = 0; i < n; ++i) {
        // A leap on the last note would leave no room to turn back after it.
        if (i > 0 && i + 1 < n && at % g_.steps == 0) onBeat.push_back(i);
        at += m.steps[static_cast<size_t>(i)];
    }
    const int leapAt =
        !onBeat.empty() ? onBeat[static_cast<size_t>(rng_.below(static_cast<int>(onBeat.size())))]
                        : std::max(1, n / 2);
    const int up = rng_.below(3) == 0 ? -1 : 1;
    for (int i = 1; i < n; ++i) {
        if (i == leapAt) {
            m.moves[static_cast<size_t>(i)] = up * (2 + rng_.below(4));
        } else if (i > leapAt) {
            m.moves[static_cast<size_t>(i)] = -up * (rng_.below(4) == 0 ? 2 : 1);
        } else {
            m.moves[static_cast<size_t>(i)] = (rng_.below(3) == 0 ? -up : up);
        }
    }
    return m;
}

// The key's scale with the chord's own notes in place of their neighbours
// (the leading tone over a major dominant in minor, the flat seventh over bVII).
std::vector<int> Composer::localScale(const Chord& c) const {
    std::vector<int> pcs(scale_.begin(), scale_.end());
    for (int t : c.tones) {
        const int tone = pc(c.root + t);
        if (std::find(pcs.begin(), pcs.end(), tone) != pcs.end()) continue;
        for (int& s : pcs)
            if (std::abs(s - tone) == 1 || std::abs(s - tone) == 11) {
                s = tone;
                break;
            }
    }
    std::sort(pcs.begin(), pcs.end());
    pcs.erase(std::unique(pcs.begin(), pcs.end()), pcs.end());
    return pcs;
}

int Composer::stepFrom(int pitch, int moves, const Chord& c) const {
    const std::vector<int> pcs = localScale(c);
    const int tonic = st_.tonic;
    auto inScale = [&](int p) {
        return std::find(pcs.begin(), pcs.end(), pc(p - tonic)) != pcs.end();
    };
    int p = pitch;
    const int dir = moves > 0 ? 1 : -1;
    for (int k = 0; k < std::abs(moves); ++k) {
        do p += dir;
        while (!inScale(p));
    }
    return p;
}

int Composer::nearestChordTone(const Chord& c, int target, int avoid) const {
    int best = target, bestScore = 1 << 20;
    for (int p = target - 12; p <= target + 12; ++p) {
        if (!c.has(p - st_.tonic) || p == avoid) continue;
        int score = std::abs(p - target) * 4;
        if (avoid >= 0 && std::abs(p - avoid) > 7) score += (std::abs(p - avoid) - 7) * 8;
        if (score < bestScore) {
            bestScore = score;
            best = p;
        }
    }
    return best;
}

void Composer::realiseBar(std::vector<Note>& out, const Phrase& p, int bar,
                          const std::vector<int>& steps, const std::vector<int>& moves, int target,
                          int ceiling, int velocity) {
    const int lo = st_.tonic - 8, hi = st_.tonic + 15;
    int t = 0;
    for (size_t i = 0; i < steps.size(); ++i) {
        const int tick = p.tick + bar * barTicks_ + t * stepTicks_;
        const Chord& c = chordAt(p.chords, tick - p.tick);
        const bool strong = t % g_.steps == 0;
        int pitch;
        if (i == 0 || prevMelody_ < 0) {
            // The bar starts near the contour, pulled towards where the melody is.
            pitch = nearestChordTone(c, prevMelody_ < 0 ? target : (2 * target + prevMelody_) / 3,
                                     prevMelody_);
        } else {
            int move = moves[i];
            if (move == 0) move = 1;
            // At the edges of the range (or under the phrase's peak) a leap
            // shrinks, and a step turns back.
            auto fits = [&](int mv) {
                const int t = stepFrom(prevMelody_, mv, c);
                return t >= lo && t <= std::min(hi, ceiling);
            };
            if (!fits(move)) {
                const int sign = move > 0 ? 1 : -1;
                int k = std::abs(move);
                while (k > 1 && !fits(sign * k)) --k;
                move = fits(sign * k) ? sign * k : -sign;
            }
            pitch = stepFrom(prevMelody_, move, c);
            // Beats and leaps land on chord tones; passing and neighbour
            // tones stay off the beat.
            if ((strong || std::abs(move) >= 2) && !c.has(pitch - st_.tonic)) {
                const int dir = move > 0 ? 1 : -1;
                int q = pitch;
                while (!c.has(q - st_.tonic) || q == prevMelody_) q += dir;
                // No leap wider than a sixth: then the chord tone on the near side.
                if (std::abs(q - prevMelody_) > 9) {
                    q = pitch;
                    while (!c.has(q - st_.tonic) || q == prevMelody_) q -= dir;
                }
                pitch = q;
            }
        }
        // Below the phrase's peak until the bar that is to reach it.
        while (pitch > ceiling && (i == 0 || strong)) {
            int q = pitch - 1;
            while (!c.has(q - st_.tonic) || q == prevMelody_) --q;
            pitch = q;
        }
        if (pitch == prevMelody_) pitch = stepFrom(pitch, pitch > target ? -1 : 1, c);
        const int accent = strong ? (t == 0 ? 10 : 5) : 0;
        out.push_back({tick, steps[i] * stepTicks_, pitch, velocity + accent});
        prevMelody_ = pitch;
        t += steps[i];
    }
}

// `rest`: where a phrase that does not cadence (a breath half-way) comes to
// rest, or -1 for near where the melody is.
void Composer::cadenceBar(std::vector<Note>& out, const Phrase& p, int bar, int velocity,
                          int rest) {
    const std::vector<int> steps = parseRhythm(
        g_.cadences[static_cast<size_t>(rng_.below(static_cast<int>(g_.cadences.size())))]);
    const int barTick = p.tick + bar * barTicks_;
    int t = 0;
    for (size_t i = 0; i + 1 < steps.size(); ++i) t += steps[i];
    const Chord& last = chordAt(p.chords, barTick - p.tick + t * stepTicks_);
    // The goal: the tonic after the dominant, the second or the leading tone
    // (or the fifth) over the dominant, else the nearest chord tone.
    int goal;
    // Melodies fall to their cadences: the goal is looked for a little lower.
    const int aim = prevMelody_ - 2;
    auto nearestOf = [&](std::initializer_list<int> pcs) {
        int best = -1;
        for (int q = aim - 9; q <= aim + 9; ++q) {
            if (q == prevMelody_ || !last.has(q - st_.tonic)) continue;
            if (std::find(pcs.begin(), pcs.end(), pc(q - st_.tonic)) == pcs.end()) continue;
            if (best < 0 || std::abs(q - aim) < std::abs(best - aim)) best = q;
        }
        return best;
    };
    if (p.cadence == Cadence::Full || p.cadence == Cadence::Final)
        goal = nearestOf({0});
    else if (p.cadence == Cadence::Half)
        goal = nearestOf({2, 11, 7});
    else
        goal = -1;
    if (goal < 0) goal = nearestChordTone(last, rest >= 0 ? rest : prevMelody_ - 2, prevMelody_);
    if (p.cadence == Cadence::Final && goal > st_.tonic + 7) goal -= 12;
    // Walk to the goal by steps of the scale: the notes before it approach it
    // from above when the melody is higher, else from below.
    // The first note, on the downbeat, is a chord tone a second to a fourth
    // from the goal on the side the melody comes from; passing notes lead on.
    const int n = static_cast<int>(steps.size());
    std::vector<int> pitches(static_cast<size_t>(n));
    pitches[static_cast<size_t>(n - 1)] = goal;
    const int from = prevMelody_ >= goal ? 1 : -1;
    if (n > 1) {
        const Chord& first = chordAt(p.chords, barTick - p.tick);
        int q = goal + from;
        while (!first.has(q - st_.tonic) || q == prevMelody_ || q == goal) q += from;
        pitches[0] = q;
        int at = steps[0];
        for (int i = 1; i + 1 < n; at += steps[static_cast<size_t>(i)], ++i) {
            const Chord& c = chordAt(p.chords, barTick - p.tick + at * stepTicks_);
            int next = stepFrom(pitches[static_cast<size_t>(i - 1)], -from, c);
            if (next == goal) next = stepFrom(pitches[static_cast<size_t>(i - 1)], from, c);
            pitches[static_cast<size_t>(i)] = next;
        }
    }
    t = 0;
    for (int i = 0; i < n; ++i) {
        const int tick = barTick + t * stepTicks_;
        const bool strong = t % g_.steps == 0;
        out.push_back({tick, steps[static_cast<size_t>(i)] * stepTicks_,
                       pitches[static_cast<size_t>(i)], velocity + (strong ? 6 : 0)});
        prevMelody_ = pitches[static_cast<size_t>(i)];
        t += steps[static_cast<size_t>(i)];
    }
}

// A phrase of melody: statement of the motif, its sequence, a rising
// development to the phrase's peak (late in the phrase) and the cadence. An
// eight-bar phrase takes a breath half-way.
std::vector<Note> Composer::melodyOf(const Phrase& p, const Motif& m, int base, int peak) {
    std::vector<Note> out;
    const int velocity = 78;
    const int t0 = st_.tonic;
    for (int bar = 0; bar < p.bars; ++bar) {
        const int role =
            p.bars == 8 ? (bar < 4 ? std::array{0, 1, 2, 4}[bar] : std::array{0, 1, 2, 3}[bar - 4])
                        : std::array{0, 1, 2, 3}[bar % 4];
        const bool lastBar = bar == p.bars - 1;
        if (lastBar || role == 4) {
            Phrase q = p;
            if (!lastBar) q.cadence = Cadence::None;
            cadenceBar(out, q, bar, velocity, t0 + base + 2);
            continue;
        }
        std::vector<int> moves = m.moves;
        std::vector<int> steps = m.steps;
        int target = t0 + base;
        // The second half of a long phrase answers the motif upside down.
        if (bar >= 4 && role == 0)
            for (auto& mv : moves) mv = -mv;
        if (role == 1) {
            // The sequence: a step or two higher; when the harmony stays, a
            // third higher still and upside down, so that the bar is not
            // heard twice.
            const bool sameChord = bar > 0 && chordAt(p.chords, bar * barTicks_).root ==
                                                  chordAt(p.chords, (bar - 1) * barTicks_).root;
            target = t0 + base + (bar >= 4 ? 4 : 2) + (sameChord ? 3 : 0);
            if (!moves.empty()) moves.back() = -moves.back();
            if (sameChord)
                for (auto& mv : moves) mv = -mv;
        } else if (role == 2) {
            // Development: a denser rhythm climbing to the peak.
            // Half-way through a long phrase only part of the way up.
            target = p.bars == 8 && bar < 4 ? t0 + (base + peak) / 2 - 3 : t0 + peak - 4;
            auto longest = std::max_element(steps.begin(), steps.end());
            if (*longest >= 2 && steps.size() < 6) {
                const int half = *longest / 2;
                const auto at = longest - steps.begin();
                *longest -= half;
                steps.insert(steps.begin() + at + 1, half);
                moves.insert(moves.begin() + at + 1, 1);
            }
            for (size_t i = 1; i < moves.size(); ++i) moves[i] = std::abs(moves[i]);
            if (moves.size() > 2) moves.back() = -1;
        }
        // Only the development of the phrase's last part may reach its peak.
        const bool climb = role == 2 && (p.bars != 8 || bar >= 4);
        realiseBar(out, p, bar, steps, moves, target, t0 + peak + (climb ? 4 : -2), velocity);
    }
    return out;
}

// The repeat of a melody: some long notes broken into a note and a passing or
// neighbour tone off the beat, towards the next note.
std::vector<Note> Composer::ornament(const std::vector<Note>& notes,
                                     const std::vector<Chord>& chords) {
    std::vector<Note> out;
    for (size_t i = 0; i < notes.size(); ++i) {
        const Note& n = notes[i];
        const bool lastOfPhrase = i + 1 == notes.size();
        if (!lastOfPhrase && n.length >= beatTicks_ && n.length <= barTicks_ / 2 &&
            rng_.below(3) == 0) {
            const int next = notes[i + 1].pitch;
            const Chord& c = chordAt(chords, n.tick);
            int passing = stepFrom(n.pitch, next >= n.pitch ? 1 : -1, c);
            if (passing == next) passing = stepFrom(n.pitch, next >= n.pitch ? -1 : 1, c);
            const int first = n.length - stepTicks_ * (g_.steps == 3 ? 1 : 2);
            out.push_back({n.tick, first, n.pitch, n.velocity});
            out.push_back({n.tick + first, n.length - first, passing, n.velocity - 8});
        } else {
            out.push_back(n);
        }
    }
    return out;
}

std::vector<int> Composer::voicing(const Chord& c, int lo, int hi,
                                   std::vector<int>& previous) const {
    std::vector<int> pcs;
    for (int t : c.tones) {
        const int p = pc(st_.tonic + c.root + t);
        if (std::find(pcs.begin(), pcs.end(), p) == pcs.end()) pcs.push_back(p);
    }
    std::vector<int> best;
    int bestScore = 1 << 20;
    const int centre = (lo + hi) / 2;
    for (size_t r = 0; r < pcs.size(); ++r) {
        for (int octave = lo / 12 - 1; octave <= hi / 12; ++octave) {
            std::vector<int> v;
            int p = octave * 12 + pcs[r];
            if (p < lo) continue;
            v.push_back(p);
            for (size_t k = 1; k < pcs.size(); ++k) {
                int q = pcs[(r + k) % pcs.size()] + (v.back() / 12) * 12;
                while (q <= v.back()) q += 12;
                v.push_back(q);
            }
            if (v.size() == 3) v.push_back(v[0] + 12);
            if (v.back() > hi) continue;
            int score = 0;
            if (previous.size() == v.size()) {
                for (size_t k = 0; k < v.size(); ++k) score += std::abs(v[k] - previous[k]);
            } else {
                score = std::abs((v.front() + v.back()) / 2 - centre) * 2;
            }
            if (score < bestScore) {
                bestScore = score;
                best = v;
            }
        }
    }
    if (best.empty()) best = {lo, lo + 4, lo + 7, lo + 12};
    previous = best;
    return best;
}

int Composer::bassPitch(const Chord& c, int lift) {
    const int want = pc(st_.tonic + lift + c.root + c.bass);
    int best = 0, bestDist = 1 << 20;
    for (int p = 33; p <= 52; ++p) {
        if (pc(p) != want) continue;
        const int d = std::abs(p - prevBass_) + (p < 36 ? 3 : 0);
        if (d < bestDist) {
            bestDist = d;
            best = p;
        }
    }
    prevBass_ = best;
    return best;
}

void Composer::playPattern(int channel, std::string_view pattern, const std::vector<Chord>& chords,
                           int barTick, int lift, int velocity, bool bass,
                           std::vector<int>& voices) {
    std::string cells;
    for (char ch : pattern)
        if (ch != ' ') cells += ch;
    if (static_cast<int>(cells.size()) != g_.beats * g_.steps)
        throw std::runtime_error("pattern length: \"" + std::string(pattern) + "\"");
    struct Held {
        int pitch, start, velocity;
    };
    std::vector<Held> held;
    char lastCell = 0;
    auto release = [&](int tick) {
        for (const auto& h : held)
            track_.note(channel, h.start, tick - h.start - 8, h.pitch, h.velocity);
        held.clear();
    };
    auto strike = [&](char cell, const Chord& c, int tick, int step) {
        const int accent = step == 0 ? 10 : step % g_.steps == 0 ? 4 : 0;
        const int v = velocity + accent;
        if (bass) {
            const int root = bassPitch(c, lift);
            int p = root;
            auto above = [&](int semis) {
                const int want = pc(st_.tonic + lift + c.root + semis);
                int q = root + 1;
                while (pc(q) != want) ++q;
                return q;
            };
            if (cell == '3')
                p = above(c.tones.size() > 1 ? c.tones[1] : 4);
            else if (cell == '5')
                p = above(c.tones.size() > 2 ? c.tones[2] : 7);
            else if (cell == '8')
                p = root + 12;
            else if (cell == 'a') {
                // A step to the next chord's bass note, from below or above.
                const int nextTick = c.tick + c.length;
                const Chord& n = chordAt(chords, std::min(nextTick, chords.back().tick));
                const int target = pc(st_.tonic + lift + n.root + n.bass);
                int best = root;
                for (int d = -6; d <= 6; ++d)
                    if (pc(root + d) == target) best = root + d;
                p = best + (best >= root ? -1 : 1);
                prevBass_ = root;
            }
            held.push_back({p, tick, v});
            return;
        }
        std::vector<int> notes;
        if (cell == 'p') {
            const int r = pc(st_.tonic + lift + c.root);
            int p = 40;
            while (pc(p) != r) ++p;
            notes = {p, p + 7, p + 12};
        } else {
            const std::vector<int> voiced =
                voicing(c, channel == Pad ? 50 : 53, channel == Pad ? 74 : 77, voices);
            if (cell == 'c')
                notes = voiced;
            else if (cell == 'u')
                notes.assign(voiced.begin() + 1, voiced.end());
            else if (cell >= '0' && cell <= '3')
                notes = {voiced[static_cast<size_t>(cell - '0')]};
            else if (cell == '4')
                notes = {voiced[1] + 12};
        }
        for (int p : notes) held.push_back({p, tick, v - (channel == Pad ? 10 : 0)});
    };
    for (int step = 0; step < static_cast<int>(cells.size()); ++step) {
        const int tick = barTick + step * stepTicks_;
        const Chord& c = chordAt(chords, tick);
        const char cell = cells[static_cast<size_t>(step)];
        if (cell == '-') {
            release(tick);
            lastCell = 0;
        } else if (cell == '.') {
            // A held note follows a change of chord.
            if (c.tick == tick && lastCell && step > 0) {
                release(tick);
                strike(lastCell, c, tick, step);
            }
        } else {
            release(tick);
            strike(cell, c, tick, step);
            lastCell = cell;
        }
    }
    release(barTick + barTicks_);
}

void Composer::drumBar(int tick, int fill, double dynamics) {
    // fill: 0 none, 1 the last beat, 2 the whole fill
    const int cells = g_.beats * g_.steps;
    int fillFrom = cells;
    if (fill > 0) {
        for (const auto& row : g_.fill) {
            int k = 0;
            for (char ch : row.hits) {
                if (ch == ' ') continue;
                if (ch != '-') fillFrom = std::min(fillFrom, k);
                ++k;
            }
        }
        if (fill == 1) fillFrom = std::max(fillFrom, cells - g_.steps);
    }
    auto play = [&](const DrumRow& row, int from, int to) {
        int k = 0;
        for (char ch : row.hits) {
            if (ch == ' ') continue;
            if (k >= from && k < to && ch != '-') {
                const int v = ch == 'X' ? 112 : ch == 'x' ? 92 : ch == 'o' ? 72 : 46;
                track_.note(kDrumChannel, tick + k * stepTicks_, stepTicks_, row.note,
                            static_cast<int>(v * dynamics));
            }
            ++k;
        }
    };
    for (const auto& row : g_.drums)
        if (row.note) play(row, 0, fillFrom);
    for (const auto& row : g_.fill)
        if (row.note) play(row, fillFrom, cells);
}

void Composer::accompany(const Phrase& p, int lift, double dynamics, bool pad, bool counter,
                         bool last, bool intro) {
    std::vector<Chord> chords = p.chords;
    for (auto& c : chords) c.tick += p.tick;
    const bool drums = g_.drums[0].note != 0;
    for (int bar = 0; bar < p.bars; ++bar) {
        const int tick = p.tick + bar * barTicks_;
        const bool finalBar = last && bar == p.bars - 1;
        if (finalBar) {
            // The closing chord, held.
            const Chord& c = chordAt(chords, tick);
            track_.note(Bass, tick, barTicks_ * 3 / 2, bassPitch(c, lift), 84);
            for (int q : voicing(c, 53, 77, compVoices_))
                track_.note(Comp, tick, barTicks_ * 3 / 2, q, 64);
            if (st_.play.pad != kNoInstrument)
                for (int q : voicing(c, 50, 74, padVoices_))
                    track_.note(Pad, tick, barTicks_ * 3 / 2, q, 60);
            if (drums) {
                track_.note(kDrumChannel, tick, beatTicks_, 49, 90);
                track_.note(kDrumChannel, tick, beatTicks_, 36, 96);
            }
            continue;
        }
        playPattern(Bass, g_.bass, chords, tick, lift, static_cast<int>(88 * dynamics), true,
                    compVoices_);
        playPattern(Comp, g_.comp, chords, tick, lift, static_cast<int>(70 * dynamics), false,
                    compVoices_);
        if (pad && st_.play.pad != kNoInstrument)
            playPattern(Pad, g_.pad, chords, tick, lift, static_cast<int>(66 * dynamics), false,
                        padVoices_);
        if (drums && (!intro || bar == p.bars - 1)) {
            const bool phraseEnd = bar == p.bars - 1;
            const bool halfEnd = p.bars == 8 && bar == 3;
            drumBar(tick, phraseEnd ? 2 : halfEnd ? 1 : 0, dynamics);
        }
    }
    // The counter-line: guide tones (thirds and sevenths) of each chord, held,
    // moving as little as possible.
    if (counter && st_.play.counter != kNoInstrument) {
        for (const auto& c : chords) {
            if (last && c.tick >= p.tick + (p.bars - 1) * barTicks_) break;
            int best = -1;
            const int lo = st_.tonic - 10, hi = st_.tonic + 3;
            for (int q = lo; q <= hi; ++q) {
                const int rel = pc(q - st_.tonic - lift - c.root);
                const bool guide = (c.tones.size() > 1 && rel == pc(c.tones[1])) ||
                                   (c.tones.size() > 3 && rel == pc(c.tones[3])) ||
                                   (c.tones.size() <= 3 && rel == pc(c.tones.back()));
                if (!guide) continue;
                if (best < 0 || std::abs(q - prevCounter_) < std::abs(best - prevCounter_))
                    best = q;
            }
            if (best < 0) continue;
            prevCounter_ = best;
            track_.note(Counter, c.tick, c.length - 10, best, static_cast<int>(64 * dynamics));
        }
    }
}

std::vector<uint8_t> Composer::compose() {
    const Harmony& h = *st_.harmony;
    const bool compound = g_.steps == 3;
    const double quarterBpm = compound ? st_.tempo * 1.5 : st_.tempo;

    // Header: name, tempo, metre, instruments, levels.
    std::vector<uint8_t> meta = {0xFF, 0x03, static_cast<uint8_t>(name_.size())};
    meta.insert(meta.end(), name_.begin(), name_.end());
    track_.add(0, 1, meta);
    track_.tempo(0, quarterBpm);
    const int numerator = compound ? g_.beats * 3 : g_.beats;
    const int denominator = compound ? 3 : 2;  // eighths or quarters, as a power of two
    track_.add(0, 1,
               {0xFF, 0x58, 0x04, static_cast<uint8_t>(numerator),
                static_cast<uint8_t>(denominator), 24, 8});
    // The tune's level goes into every channel's expression (a gain of
    // 40 log10(value / 127) dB in General MIDI synthesisers), from 100; what
    // is left above 127 goes into the channel volumes.
    const double gain = std::pow(10.0, tuneLevel(name_) / 40.0);
    const int expression = std::clamp(static_cast<int>(std::lround(100.0 * gain)), 1, 127);
    const double volumeGain = std::max(1.0, 100.0 * gain / 127.0);
    struct Setup {
        int channel;
        uint8_t program;
        int volume, pan, reverb, chorus;
    };
    const Instruments& in = st_.play;
    const bool drums = g_.drums[0].note != 0;
    for (const Setup& s :
         {Setup{Lead, in.lead, 100, 64, st_.space, 0},
          Setup{Bass, in.bass, 96, 64, st_.space / 3, 0},
          Setup{Comp, in.comp, 80, 44, st_.space, 0},
          Setup{Pad, in.pad, 66, 86, st_.space + 10, 30},
          Setup{Counter, in.counter, 72, 82, st_.space, 0},
          Setup{kDrumChannel, drums ? uint8_t{0} : kNoInstrument, 90, 64, st_.space / 2, 0}}) {
        if (s.program == kNoInstrument) continue;
        track_.program(s.channel, 0, s.program);
        track_.control(s.channel, 0, 7, static_cast<int>(std::lround(s.volume * volumeGain)));
        track_.control(s.channel, 0, 11, expression);
        track_.control(s.channel, 0, 10, s.pan);
        track_.control(s.channel, 0, 91, s.reverb);
        track_.control(s.channel, 0, 93, s.chorus);
    }

    // The sections' phrases, timed from the start of their section.
    auto intro = phrases(h.intro, {}, Cadence::None, Cadence::None, 1);
    auto a = phrases(h.a1, h.a2, Cadence::Half, Cadence::Full, st_.repeatA);
    auto b = phrases(h.b1, h.b2, Cadence::None, Cadence::Half, 1);
    auto outro = phrases(h.outro, {}, Cadence::Final, Cadence::Final, 1);
    auto lengthOf = [&](std::vector<Phrase>& ps) {
        int t = 0;
        for (auto& p : ps) {
            p.tick = t;
            t += p.bars * barTicks_;
        }
        return t;
    };
    const int introLength = lengthOf(intro), aLength = lengthOf(a), bLength = lengthOf(b);
    const int outroLength = lengthOf(outro);

    // The melodies: the theme of A, peaking higher in its answers, and the
    // contrasting B, higher still, from a motif of another rhythm.
    const Motif motifA = makeMotif(-1);
    std::vector<std::vector<Note>> themeA, themeB, coda;
    for (size_t i = 0; i < a.size(); ++i) {
        const bool answer = a[i].cadence == Cadence::Full;
        themeA.push_back(melodyOf(a[i], motifA, 2, answer ? (i >= 2 ? 14 : 12) : 9));
    }
    const Motif motifB = makeMotif(motifA.rhythm);
    for (const auto& p : b) themeB.push_back(melodyOf(p, motifB, 5, 14));
    for (const auto& p : outro) coda.push_back(melodyOf(p, motifA, 2, 7));

    int tick = 0;
    auto section = [&](const std::vector<Phrase>& ps, const std::vector<std::vector<Note>>& line,
                       int pass, int lift, double dyn, bool pad, bool counter, bool last) {
        if (drums && tick > 0) track_.note(kDrumChannel, tick, beatTicks_, 49, 96);
        for (size_t i = 0; i < ps.size(); ++i) {
            Phrase p = ps[i];
            p.tick += tick;
            std::vector<Chord> chords = p.chords;
            for (auto& c : chords) c.tick += p.tick;
            std::vector<Note> notes = line[i];
            for (auto& n : notes) n.tick += tick;
            if (pass > 0) notes = ornament(notes, chords);
            for (const auto& n : notes)
                track_.note(Lead, n.tick, n.length - 12, n.pitch + lift,
                            static_cast<int>(n.velocity * dyn));
            accompany(p, lift, dyn, pad, counter, last && i + 1 == ps.size());
        }
    };

    // Intro: the accompaniment alone, the drums coming in with a fill.
    for (Phrase p : intro) {
        p.tick += tick;
        accompany(p, 0, 0.8, false, false, false, true);
    }
    tick += introLength;
    section(a, themeA, 0, 0, 0.86, false, false, false);
    tick += aLength;
    if (in.leadAlt != kNoInstrument) track_.program(Lead, tick, in.leadAlt);
    section(a, themeA, 1, 0, 0.92, true, true, false);
    tick += aLength;
    if (in.leadAlt != kNoInstrument) track_.program(Lead, tick, in.lead);
    section(b, themeB, 0, 0, 0.9, true, false, false);
    tick += bLength;
    section(a, themeA, 2, st_.lift, 1.0, true, true, false);
    tick += aLength;
    const int outroStart = tick;
    section(outro, coda, 0, st_.lift, 0.85, true, false, true);

    // A gentle ritardando over the last two bars.
    const int beatsLeft = 2 * g_.beats;
    for (int k = 0; k < beatsLeft; ++k) {
        const int at = outroStart + outroLength - 2 * barTicks_ + k * beatTicks_;
        track_.tempo(at, quarterBpm * (1.0 - 0.03 * (k + 1)));
    }
    const int endTick = track_.lastTick() + beatTicks_;

    const std::vector<uint8_t> body = track_.bytes(endTick);
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
                                static_cast<uint8_t>(kTicksPerQuarter >> 8),
                                static_cast<uint8_t>(kTicksPerQuarter & 0xFF)};
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    put32be(out, static_cast<uint32_t>(body.size()));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

}  // namespace

std::vector<uint8_t> composeTune(const MusicAsset& asset) {
    Composer composer(asset, styleFor(asset));
    return composer.compose();
}

double tuneLevel(std::string_view name) {
    for (const auto& [tune, level] : kTuneLevels)
        if (tune == name) return level;
    return 0.0;
}

}  // namespace kotou::assets
