#include "tools/assets/Generator.h"

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <mutex>
#include <stdexcept>
#include <string>
#include <thread>
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

// Every picture at its size and at twice its size (NAME@2x.EXT), painted on
// as many threads as the machine has; each file depends only on its entry.
int writePictures(const std::filesystem::path& cgDir, const TextPainter& text) {
#ifdef __GLIBC__
    // The painters allocate and free many large coverage masks: keep that
    // memory in the heap instead of mapping fresh zeroed pages each time.
    mallopt(M_MMAP_THRESHOLD, 256 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
#endif
    const auto pictures = pictureAssets();
    std::atomic<size_t> next{0};
    std::mutex failure;
    std::string error;
    auto work = [&] {
        for (size_t i = next++; i < pictures.size(); i = next++) {
            const PictureAsset& p = pictures[i];
            try {
                const PicturePair pair = paintPictureSizes(p, text);
                const bool bmp = p.kind == AssetKind::Bitmap;
                writeFile(cgDir / std::string(p.name),
                          bmp ? encodeBmp(pair.once) : encodeJpeg(pair.once, kJpegQuality));
                writeFile(cgDir / twiceSizeName(p.name),
                          bmp ? encodeBmp8(pair.twice) : encodeJpeg(pair.twice, kJpegQuality));
            } catch (const std::exception& e) {
                const std::lock_guard lock(failure);
                if (error.empty()) error = e.what();
            }
        }
    };
    const unsigned threads = std::clamp(std::thread::hardware_concurrency(), 1u, 8u);
    std::vector<std::thread> pool;
    for (unsigned t = 1; t < threads; ++t) pool.emplace_back(work);
    work();
    for (auto& t : pool) t.join();
    if (!error.empty()) throw std::runtime_error(error);
    return static_cast<int>(pictures.size()) * 2;
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

    int written = writePictures(cgDir, text);
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
