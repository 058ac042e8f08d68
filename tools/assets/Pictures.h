#pragma once
// Paints one picture of the asset list: places with their mood and name,
// characters, monsters, panel backgrounds and the title.

#include "tools/assets/AssetList.h"
#include "tools/assets/Canvas.h"

namespace kotou::assets {

// The finished picture at the entry's size. Text is drawn only when the
// painter has a font.
Canvas paintPicture(const PictureAsset& asset, const TextPainter& text);

}  // namespace kotou::assets
