#pragma once
// The game's icon for the desktop menu: the island with its palm at sunset on
// a rounded square, transparent around it.

#include <array>

#include "tools/assets/Canvas.h"

namespace kotou::assets {

// The sizes installed into the hicolor icon theme.
inline constexpr std::array<int, 6> kAppIconSizes = {16, 32, 48, 64, 128, 256};

struct AppIcon {
    Canvas colour;
    Canvas alpha;  // the opacity in its red channel
};

// The icon at size x size pixels.
AppIcon paintAppIcon(int size);

}  // namespace kotou::assets
