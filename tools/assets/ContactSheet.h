#pragma once
// Every picture of the list on one sheet, each with its file name: the way
// to look at all the art at once (kotou-assets --contact-sheet FILE).

#include <filesystem>

#include "tools/assets/Canvas.h"

namespace kotou::assets {

Canvas paintContactSheet(const TextPainter& text);

// Writes the sheet as PNG, or as JPEG when the name ends in .jpg.
void writeContactSheet(const std::filesystem::path& file);

}  // namespace kotou::assets
