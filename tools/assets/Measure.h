#pragma once
// How alike two portraits are, the measures docs/art.md sets limits for:
// the overlap of their black silhouettes and of their edge maps.

#include <cstdint>
#include <vector>

#include "tools/assets/AssetList.h"
#include "tools/assets/Canvas.h"

namespace kotou::assets {

// A map of on/off pixels.
struct BitMap {
    int width = 0, height = 0;
    std::vector<uint8_t> on;
};

// The figure of a portrait at its listed size, background removed: hair,
// body, clothing and props (a pixel is on when at least half covered).
BitMap portraitSilhouette(const PictureAsset& a);

// Edges of a picture: the Sobel gradient of the luminance at least
// kEdgeThreshold.
inline constexpr int kEdgeThreshold = 120;
BitMap edgeMap(const Canvas& picture);

// The portrait's figure alone, on flat grey, at its listed size.
Canvas portraitFigure(const PictureAsset& a);

// Pixels on in both / pixels on in either (0 when both are empty).
double overlap(const BitMap& a, const BitMap& b);

}  // namespace kotou::assets
