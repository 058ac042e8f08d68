#pragma once
// The level of each tune in dB, applied through the expression of all its
// channels so that every tune renders at the music's target loudness with the
// game's soundfont and gain. Written by
//     kotou-asset-report <folder> --levels > tools/assets/MusicLevels.h
// run it again (twice: the expression is rounded) after changing a tune.

#include <array>
#include <string_view>
#include <utility>

namespace kotou::assets {

inline constexpr std::array<std::pair<std::string_view, double>, 25> kTuneLevels = {{
    {"title.mid", -3.39},   {"voice.mid", 0.97},    {"yoru.mid", 1.25},     {"ame.mid", 0.61},
    {"battle.mid", -4.76},  {"svival.mid", -1.57},  {"bokura.mid", 0.29},   {"tanken.mid", -4.28},
    {"tanken2.mid", 1.80},  {"tanken3.mid", -3.82}, {"tanken4.mid", -3.56}, {"sorairo.mid", -0.85},
    {"tensai.mid", -5.95},  {"radio01.mid", 2.54},  {"radio02.mid", 0.95},  {"radio03.mid", 0.22},
    {"radio04.mid", 0.16},  {"radio05.mid", 0.22},  {"radio06.mid", -0.41}, {"radio07.mid", 4.12},
    {"radio08.mid", 0.95},  {"radio09.mid", 3.75},  {"radio10.mid", -1.51}, {"radio11.mid", 0.62},
    {"radio12.mid", -2.02},
}};

}  // namespace kotou::assets
