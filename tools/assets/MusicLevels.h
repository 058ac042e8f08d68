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

// clang-format off
inline constexpr std::array<std::pair<std::string_view, double>, 25> kTuneLevels = {{
    {"title.mid", -3.40},
    {"voice.mid", 1.01},
    {"yoru.mid", 1.21},
    {"ame.mid", 0.72},
    {"battle.mid", -4.66},
    {"svival.mid", -1.53},
    {"bokura.mid", 0.26},
    {"tanken.mid", -4.24},
    {"tanken2.mid", 1.92},
    {"tanken3.mid", -3.64},
    {"tanken4.mid", -3.76},
    {"sorairo.mid", -1.12},
    {"tensai.mid", -6.25},
    {"radio01.mid", 2.18},
    {"radio02.mid", 0.95},
    {"radio03.mid", 0.39},
    {"radio04.mid", 0.14},
    {"radio05.mid", 0.11},
    {"radio06.mid", -0.45},
    {"radio07.mid", 4.34},
    {"radio08.mid", 0.90},
    {"radio09.mid", 3.83},
    {"radio10.mid", -1.34},
    {"radio11.mid", 0.78},
    {"radio12.mid", -2.10},
}};
// clang-format on

}  // namespace kotou::assets
