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
    {"title.mid", -3.41},
    {"voice.mid", 0.99},
    {"yoru.mid", 1.23},
    {"ame.mid", 0.49},
    {"battle.mid", -4.60},
    {"svival.mid", -1.55},
    {"bokura.mid", 0.38},
    {"tanken.mid", -4.14},
    {"tanken2.mid", 1.86},
    {"tanken3.mid", -3.73},
    {"tanken4.mid", -3.66},
    {"sorairo.mid", -1.00},
    {"tensai.mid", -6.23},
    {"radio01.mid", 2.10},
    {"radio02.mid", 1.03},
    {"radio03.mid", 0.31},
    {"radio04.mid", 0.24},
    {"radio05.mid", 0.08},
    {"radio06.mid", -0.34},
    {"radio07.mid", 4.54},
    {"radio08.mid", 1.00},
    {"radio09.mid", 3.85},
    {"radio10.mid", -1.33},
    {"radio11.mid", 0.68},
    {"radio12.mid", -2.06},
}};
// clang-format on

}  // namespace kotou::assets
