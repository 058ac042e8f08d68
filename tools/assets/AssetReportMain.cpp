// kotou-asset-report: the figures of the generated tunes and effects in a
// game folder (its dat/), as Markdown tables.
//
//     kotou-asset-report <folder> [--no-render] [--gain G] [--levels]
//     kotou-asset-report <folder> --wav <tune> <file.wav>
//
// --no-render skips FluidSynth (no loudness for the tunes); --gain renders at
// another synthesiser gain than the game's; --levels prints, instead of the
// tables, tools/assets/MusicLevels.h with the levels that bring every tune to
// the music's target loudness. --wav renders one tune to a 16-bit stereo WAV
// file to listen to or to look at.

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "platform/music/MusicPlayer.h"
#include "tools/assets/AssetList.h"
#include "tools/assets/AssetReport.h"
#include "tools/assets/Loudness.h"
#include "tools/assets/Music.h"
#include "tools/assets/Sounds.h"

using namespace kotou::assets;

namespace {

std::vector<uint8_t> readFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string fixed(double v, int decimals) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.*f", decimals, v);
    return buf;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "usage: kotou-asset-report <folder> [--no-render] [--gain G] [--levels]\n";
        return 2;
    }
    const std::filesystem::path dat = std::filesystem::path(argv[1]) / kSoundFolder;
    bool render = true, levels = false;
    double gain = kotou::MusicOptions{}.gain;
    for (int i = 2; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--no-render") render = false;
        if (a == "--levels") levels = true;
        if (a == "--gain" && i + 1 < argc) gain = std::stod(argv[++i]);
    }
    const auto soundfont = findSoundfont();
    if (argc == 5 && std::string(argv[2]) == "--wav") {
        std::string error;
        const auto pcm = renderMidi(dat / argv[3], soundfont, gain, kMusicRenderRate, error);
        if (pcm.empty()) {
            std::cerr << "kotou-asset-report: " << error << "\n";
            return 1;
        }
        std::vector<uint8_t> bytes;
        for (float x : pcm) {
            const auto v = static_cast<int16_t>(std::lround(std::clamp(x, -1.0f, 1.0f) * 32767.0f));
            bytes.push_back(static_cast<uint8_t>(v & 0xFF));
            bytes.push_back(static_cast<uint8_t>((v >> 8) & 0xFF));
        }
        const auto wav = wavFile(bytes, kMusicRenderRate, 16, 2);
        std::ofstream(argv[4], std::ios::binary)
            .write(reinterpret_cast<const char*>(wav.data()),
                   static_cast<std::streamsize>(wav.size()));
        return 0;
    }
    if (render && soundfont.empty()) {
        std::cerr << "kotou-asset-report: no soundfont; tunes are not rendered\n";
        render = false;
    }

    std::vector<TuneFigures> tunes;
    for (const auto& m : musicAssets()) {
        auto f = analyseMidi(std::string(m.name), readFile(dat / std::string(m.name)));
        if (!f) {
            std::cerr << "kotou-asset-report: " << m.name << " is not a MIDI file\n";
            return 1;
        }
        tunes.push_back(*f);
    }
    if (render) {
        std::vector<std::thread> workers;
        const unsigned n = std::max(1u, std::thread::hardware_concurrency());
        for (unsigned w = 0; w < n; ++w) {
            workers.emplace_back([&, w] {
                for (size_t i = w; i < tunes.size(); i += n) {
                    std::string error;
                    const auto pcm =
                        renderMidi(dat / tunes[i].name, soundfont, gain, kMusicRenderRate, error);
                    if (pcm.empty()) continue;
                    tunes[i].lufs = integratedLoudness(pcm, 2, kMusicRenderRate);
                    tunes[i].peakDb = samplePeakDb(pcm);
                }
            });
        }
        for (auto& t : workers) t.join();
    }

    if (levels) {
        // The whole of tools/assets/MusicLevels.h.
        std::cout
            << "#pragma once\n"
               "// The level of each tune in dB, applied through the expression of all its\n"
               "// channels so that every tune renders at the music's target loudness with the\n"
               "// game's soundfont and gain. Written by\n"
               "//     kotou-asset-report <folder> --levels > tools/assets/MusicLevels.h\n"
               "// run it again (twice: the expression is rounded) after changing a tune.\n\n"
               "#include <array>\n#include <string_view>\n#include <utility>\n\n"
               "namespace kotou::assets {\n\n// clang-format off\n"
               "inline constexpr std::array<std::pair<std::string_view, double>, "
            << tunes.size() << "> kTuneLevels = {{\n";
        for (const auto& t : tunes) {
            const double trim = tuneLevel(t.name) + (t.lufs ? kMusicTargetLufs - *t.lufs : 0.0);
            std::cout << "    {\"" << t.name << "\", " << fixed(trim, 2) << "},\n";
        }
        std::cout << "}};\n// clang-format on\n\n}  // namespace kotou::assets\n";
        return 0;
    }

    std::cout << "| Tune | Length | Melody notes | Repeated | Pitch classes | Range | Loudness | "
                 "Peak |\n|---|---|---|---|---|---|---|---|\n";
    std::vector<double> lengths, louds;
    for (const auto& t : tunes) {
        lengths.push_back(t.seconds);
        if (t.lufs) louds.push_back(*t.lufs);
        std::cout << "| " << t.name << " | " << fixed(t.seconds, 0) << " s | " << t.melodyNotes
                  << " | " << fixed(100.0 * t.repeatedShare, 0) << " % | " << t.pitchClasses
                  << " | " << t.range << " | "
                  << (t.lufs ? fixed(*t.lufs, 1) + " LUFS" : std::string("-")) << " | "
                  << (t.peakDb ? fixed(*t.peakDb, 1) + " dBFS" : std::string("-")) << " |\n";
    }
    std::sort(lengths.begin(), lengths.end());
    const double median = lengths.size() % 2
                              ? lengths[lengths.size() / 2]
                              : (lengths[lengths.size() / 2 - 1] + lengths[lengths.size() / 2]) / 2;
    std::cout << "\nShortest " << fixed(lengths.front(), 0) << " s, median " << fixed(median, 0)
              << " s, longest " << fixed(lengths.back(), 0) << " s";
    if (!louds.empty()) {
        const auto [lo, hi] = std::minmax_element(louds.begin(), louds.end());
        std::cout << "; loudness " << fixed(*lo, 1) << " to " << fixed(*hi, 1) << " LUFS (spread "
                  << fixed(*hi - *lo, 1) << " dB)";
    }
    std::cout << ".\n\n| Effect | Class | Target | Peak | Loudness |\n|---|---|---|---|---|\n";
    for (const auto& s : soundAssets()) {
        const auto f = analyseEffect(s, readFile(dat / std::string(s.name)));
        if (!f) {
            std::cerr << "kotou-asset-report: " << s.name << " is not a WAV file\n";
            return 1;
        }
        std::cout << "| " << f->name << " | " << (f->interfaceCue ? "interface" : "event") << " | "
                  << fixed(f->targetLufs, 0) << " LUFS | " << fixed(f->peakDb, 1) << " dBFS | "
                  << fixed(f->lufs, 1) << " LUFS |\n";
    }
    return 0;
}
