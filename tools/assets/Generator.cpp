#include "tools/assets/Generator.h"

#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "tools/assets/AppIcon.h"
#include "tools/assets/AssetList.h"
#include "tools/assets/Canvas.h"
#include "tools/assets/ImageFiles.h"
#include "tools/assets/Music.h"
#include "tools/assets/Pictures.h"
#include "tools/assets/Sounds.h"

namespace kotou::assets {

namespace {

constexpr int kJpegQuality = 85;

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) throw std::runtime_error("cannot write " + path.string());
}

}  // namespace

int generateAssets(const std::filesystem::path& outDir, std::ostream* log) {
    const auto cgDir = outDir / kPictureFolder;
    const auto datDir = outDir / kSoundFolder;
    std::filesystem::create_directories(cgDir);
    std::filesystem::create_directories(datDir);

    const TextPainter text(defaultFontPaths());
    if (log && !text.available())
        *log << "kotou-assets: no Japanese font found; pictures carry no text\n";

    int written = 0;
    for (const auto& p : pictureAssets()) {
        const Canvas canvas = paintPicture(p, text);
        writeFile(cgDir / std::string(p.name), p.kind == AssetKind::Bitmap
                                                   ? encodeBmp(canvas)
                                                   : encodeJpeg(canvas, kJpegQuality));
        ++written;
    }
    for (const auto& s : soundAssets()) {
        writeFile(datDir / std::string(s.name), synthesiseSound(s));
        ++written;
    }
    for (const auto& m : musicAssets()) {
        writeFile(datDir / std::string(m.name), composeTune(m));
        ++written;
    }
    if (log) *log << "kotou-assets: wrote " << written << " files to " << outDir.string() << "\n";
    return written;
}

int generateIcons(const std::filesystem::path& hicolorDir, const std::string& iconName,
                  std::ostream* log) {
    int written = 0;
    for (const int size : kAppIconSizes) {
        const std::string name = std::to_string(size) + "x" + std::to_string(size);
        const auto dir = hicolorDir / name / "apps";
        std::filesystem::create_directories(dir);
        const AppIcon icon = paintAppIcon(size);
        writeFile(dir / (iconName + ".png"), encodePng(icon.colour, icon.alpha));
        ++written;
    }
    if (log)
        *log << "kotou-assets: wrote " << written << " icons to " << hicolorDir.string() << "\n";
    return written;
}

}  // namespace kotou::assets
