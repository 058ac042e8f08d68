#pragma once
// Paints one picture of the asset list: places with their mood and name,
// characters, monsters, panel backgrounds and the title. Everything is drawn
// at twice the listed size and scaled down; the text is drawn on each size.

#include "tools/assets/AssetList.h"
#include "tools/assets/Canvas.h"

namespace kotou::assets {

// The drawing without text at `scale` times the entry's size.
Canvas paintArt(const PictureAsset& asset, int scale);

struct PicturePair {
    Canvas once;   // the entry's size
    Canvas twice;  // twice that, installed as NAME@2x.EXT
};
PicturePair paintPictureSizes(const PictureAsset& asset, const TextPainter& text);

// The finished picture at the entry's size. Text is drawn only when the
// painter has a font.
Canvas paintPicture(const PictureAsset& asset, const TextPainter& text);

}  // namespace kotou::assets
