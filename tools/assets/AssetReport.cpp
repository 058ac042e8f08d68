#include "tools/assets/AssetReport.h"

#include <fluidsynth.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <set>

#include "platform/music/MusicPlayer.h"
#include "tools/assets/Loudness.h"
#include "tools/assets/Sounds.h"

namespace kotou::assets {

namespace {

uint32_t be(const std::vector<uint8_t>& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | b[at + static_cast<size_t>(i)];
    return v;
}

struct Note {
    uint32_t tick;
    int pitch;
};

}  // namespace

std::optional<TuneFigures> analyseMidi(const std::string& name, const std::vector<uint8_t>& b) {
    if (b.size() < 14 || be(b, 0, 4) != 0x4D546864u) return std::nullopt;  // "MThd"
    const int tracks = static_cast<int>(be(b, 10, 2));
    const int division = static_cast<int>(be(b, 12, 2));
    if (division <= 0 || (division & 0x8000)) return std::nullopt;

    std::map<uint32_t, uint32_t> tempos{{0, 500000}};  // tick -> microseconds per beat
    std::vector<Note> melody;
    uint32_t lastTick = 0;
    size_t at = 8 + be(b, 4, 4);
    for (int t = 0; t < tracks; ++t) {
        if (at + 8 > b.size() || be(b, at, 4) != 0x4D54726Bu) return std::nullopt;  // "MTrk"
        const size_t end = at + 8 + be(b, at + 4, 4);
        if (end > b.size()) return std::nullopt;
        at += 8;
        uint32_t tick = 0;
        uint8_t status = 0;
        while (at < end) {
            uint32_t delta = 0;
            for (int i = 0; i < 4 && at < end; ++i) {
                const uint8_t c = b[at++];
                delta = (delta << 7) | (c & 0x7F);
                if (!(c & 0x80)) break;
            }
            tick += delta;
            if (at >= end) return std::nullopt;
            if (b[at] & 0x80) status = b[at++];
            if (status == 0xFF || status == 0xF0 || status == 0xF7) {
                uint8_t type = 0;
                if (status == 0xFF) type = b[at++];
                uint32_t len = 0;
                for (int i = 0; i < 4 && at < end; ++i) {
                    const uint8_t c = b[at++];
                    len = (len << 7) | (c & 0x7F);
                    if (!(c & 0x80)) break;
                }
                if (at + len > end) return std::nullopt;
                if (status == 0xFF && type == 0x51 && len == 3) tempos[tick] = be(b, at, 3);
                at += len;
                status = 0;
            } else {
                const int kind = status >> 4;
                const int size = (kind == 0xC || kind == 0xD) ? 1 : 2;
                if (at + static_cast<size_t>(size) > end) return std::nullopt;
                if (kind == 0x9 && (status & 0x0F) == 0 && b[at + 1] > 0)
                    melody.push_back({tick, b[at]});
                at += static_cast<size_t>(size);
            }
            lastTick = std::max(lastTick, tick);
        }
        at = end;
    }

    TuneFigures f;
    f.name = name;
    // Seconds through the tempo map.
    double seconds = 0.0;
    uint32_t from = 0, us = 500000;
    for (const auto& [tick, tempo] : tempos) {
        if (tick >= lastTick) break;
        seconds += static_cast<double>(tick - from) * us / division / 1e6;
        from = tick;
        us = tempo;
    }
    f.seconds = seconds + static_cast<double>(lastTick - from) * us / division / 1e6;

    // The melody line: the highest note where several start together.
    std::stable_sort(melody.begin(), melody.end(), [](const Note& a, const Note& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.pitch > b.pitch;
    });
    std::vector<int> line;
    for (size_t i = 0; i < melody.size(); ++i)
        if (i == 0 || melody[i].tick != melody[i - 1].tick) line.push_back(melody[i].pitch);
    f.melodyNotes = static_cast<int>(line.size());
    if (!line.empty()) {
        int repeats = 0;
        std::set<int> classes;
        for (size_t i = 0; i < line.size(); ++i) {
            classes.insert(line[i] % 12);
            if (i > 0 && line[i] == line[i - 1]) ++repeats;
        }
        f.repeatedShare = line.size() > 1
                              ? static_cast<double>(repeats) / static_cast<double>(line.size() - 1)
                              : 0.0;
        f.pitchClasses = static_cast<int>(classes.size());
        const auto [lo, hi] = std::minmax_element(line.begin(), line.end());
        f.range = *hi - *lo;
    }
    return f;
}

std::vector<float> renderMidi(const std::filesystem::path& midi,
                              const std::filesystem::path& soundfont, double gain, int rate,
                              std::string& error) {
    std::vector<float> out;
    static std::once_flag quiet;
    std::call_once(quiet, [] {
        for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG})
            fluid_set_log_function(level, nullptr, nullptr);
    });
    fluid_settings_t* settings = new_fluid_settings();
    fluid_settings_setnum(settings, "synth.gain", gain);
    fluid_settings_setnum(settings, "synth.sample-rate", rate);
    fluid_settings_setstr(settings, "player.timing-source", "sample");
    fluid_settings_setint(settings, "synth.lock-memory", 0);
    fluid_synth_t* synth = new_fluid_synth(settings);
    fluid_player_t* player = nullptr;
    if (!synth || fluid_synth_sfload(synth, soundfont.string().c_str(), 1) == FLUID_FAILED) {
        error = "cannot load the soundfont " + soundfont.string();
    } else {
        player = new_fluid_player(synth);
        if (!player || fluid_player_add(player, midi.string().c_str()) != FLUID_OK ||
            fluid_player_play(player) != FLUID_OK) {
            error = "cannot play " + midi.string();
        } else {
            constexpr int kBlock = 4096;
            std::vector<float> left(kBlock), right(kBlock);
            // The file, then the release of its last notes (silent blocks end it).
            int quietBlocks = 0;
            const int tailBlocks = rate * 4 / kBlock;
            while (quietBlocks < tailBlocks) {
                const bool playing = fluid_player_get_status(player) == FLUID_PLAYER_PLAYING;
                fluid_synth_write_float(synth, kBlock, left.data(), 0, 1, right.data(), 0, 1);
                float peak = 0.0f;
                for (int i = 0; i < kBlock; ++i) {
                    out.push_back(left[static_cast<size_t>(i)]);
                    out.push_back(right[static_cast<size_t>(i)]);
                    peak = std::max({peak, std::fabs(left[static_cast<size_t>(i)]),
                                     std::fabs(right[static_cast<size_t>(i)])});
                }
                quietBlocks = (!playing && peak < 1e-4f) ? quietBlocks + 1 : 0;
                if (out.size() > static_cast<size_t>(rate) * 2 * 600) break;  // ten minutes
            }
        }
    }
    if (player) delete_fluid_player(player);
    if (synth) delete_fluid_synth(synth);
    delete_fluid_settings(settings);
    return out;
}

std::optional<EffectFigures> analyseEffect(const SoundAsset& asset, const std::vector<uint8_t>& b) {
    if (b.size() < 12 || be(b, 0, 4) != 0x52494646u || be(b, 8, 4) != 0x57415645u)
        return std::nullopt;
    auto le = [&b](size_t at, int n) {
        uint32_t v = 0;
        for (int i = n - 1; i >= 0; --i) v = (v << 8) | b[at + static_cast<size_t>(i)];
        return v;
    };
    int channels = 0, rate = 0, bits = 0;
    size_t at = 12;
    while (at + 8 <= b.size()) {
        const uint32_t size = le(at + 4, 4);
        if (at + 8 + size > b.size()) return std::nullopt;
        if (be(b, at, 4) == 0x666D7420u && size >= 16) {  // "fmt "
            channels = static_cast<int>(le(at + 10, 2));
            rate = static_cast<int>(le(at + 12, 4));
            bits = static_cast<int>(le(at + 22, 2));
        } else if (be(b, at, 4) == 0x64617461u && channels > 0) {  // "data"
            // Folded to mono as the mixer's conversion does: the mean of the channels.
            const size_t bytesPerSample = static_cast<size_t>(bits / 8);
            const size_t frames = size / (bytesPerSample * static_cast<size_t>(channels));
            std::vector<float> all(frames * static_cast<size_t>(channels)), mono(frames, 0.0f);
            for (size_t i = 0; i < all.size(); ++i) {
                const size_t p = at + 8 + i * bytesPerSample;
                all[i] = bits == 8 ? (b[p] - 128) / 128.0f
                                   : static_cast<float>(static_cast<int16_t>(le(p, 2))) / 32768.0f;
                mono[i / static_cast<size_t>(channels)] += all[i] / static_cast<float>(channels);
            }
            EffectFigures f;
            f.name = std::string(asset.name);
            f.interfaceCue = isInterfaceCue(asset.cue);
            f.targetLufs = loudnessTarget(asset.cue);
            f.peakDb = samplePeakDb(all);
            f.lufs = integratedLoudness(mono, 1, rate);
            return f;
        }
        at += 8 + size + (size & 1);
    }
    return std::nullopt;
}

std::filesystem::path findSoundfont() {
    for (const auto& path : MusicOptions{}.soundfonts)
        if (std::filesystem::exists(path)) return path;
    return {};
}

}  // namespace kotou::assets
