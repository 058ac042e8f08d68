#pragma once
// Writes every file of the asset list into cg/ and dat/ under a folder.

#include <filesystem>
#include <ostream>
#include <string>

namespace kotou::assets {

// Creates <outDir>/cg and <outDir>/dat and writes all pictures, sounds and
// tunes. Output is the same bytes on every run. Returns the number of files
// written; throws std::runtime_error when a file cannot be written. Progress
// lines go to `log` when given.
int generateAssets(const std::filesystem::path& outDir, std::ostream* log = nullptr);

// Writes the desktop icon called `name` at every size into a hicolor icon
// theme folder: <hicolorDir>/<N>x<N>/apps/<name>.png. Returns the number of
// files written.
int generateIcons(const std::filesystem::path& hicolorDir, const std::string& name,
                  std::ostream* log = nullptr);

}  // namespace kotou::assets
