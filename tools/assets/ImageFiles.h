#pragma once
// Encoders for the two picture formats the game reads: baseline JPEG through
// libjpeg and uncompressed 24-bit Windows bitmaps; and PNG for the desktop
// icon.

#include <cstdint>
#include <vector>

#include "tools/assets/Canvas.h"

namespace kotou::assets {

// A baseline JPEG of the canvas; throws std::runtime_error if libjpeg fails.
std::vector<uint8_t> encodeJpeg(const Canvas& canvas, int quality);

// A bottom-up 24-bit BMP (BITMAPINFOHEADER, rows padded to 4 bytes).
std::vector<uint8_t> encodeBmp(const Canvas& canvas);

// An 8-bit PNG of the canvas. With `alpha` (same size) the red channel of
// that canvas is the opacity (RGBA), else the picture is opaque (RGB).
std::vector<uint8_t> encodePng(const Canvas& canvas, const Canvas* alpha = nullptr);

}  // namespace kotou::assets
