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

// A bottom-up 8-bit BMP with a palette of 256 colours chosen for the
// picture (median cut) and error diffusion: a third of the 24-bit size.
std::vector<uint8_t> encodeBmp8(const Canvas& canvas);

// An 8-bit RGBA PNG of the canvas; the red channel of `alpha` (same size)
// is the opacity.
std::vector<uint8_t> encodePng(const Canvas& canvas, const Canvas& alpha);

}  // namespace kotou::assets
