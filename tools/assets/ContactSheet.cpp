#include "tools/assets/ContactSheet.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

#include "tools/assets/AssetList.h"
#include "tools/assets/ImageFiles.h"
#include "tools/assets/Pictures.h"

namespace kotou::assets {

namespace {

constexpr int kColumns = 8;
constexpr int kBox = 150;   // the largest side of a thumbnail
constexpr int kLabel = 18;  // room for the name under it
constexpr int kGap = 8;

// Area-averaging resize (pictures only ever shrink here, icons grow).
Canvas resized(const Canvas& src, int w, int h) {
    Canvas out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int x0 = x * src.width() / w, x1 = std::max(x0 + 1, (x + 1) * src.width() / w);
            const int y0 = y * src.height() / h, y1 = std::max(y0 + 1, (y + 1) * src.height() / h);
            int sum[3] = {0, 0, 0}, n = 0;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx) {
                    const Rgb c = src.at(sx, sy);
                    sum[0] += c.r, sum[1] += c.g, sum[2] += c.b, ++n;
                }
            out.blend(x, y,
                      {static_cast<uint8_t>(sum[0] / n), static_cast<uint8_t>(sum[1] / n),
                       static_cast<uint8_t>(sum[2] / n)},
                      1.0f);
        }
    return out;
}

}  // namespace

Canvas paintContactSheet(const TextPainter& text) {
    const auto pictures = pictureAssets();
    const int rows = (static_cast<int>(pictures.size()) + kColumns - 1) / kColumns;
    const int cellW = kBox + kGap, cellH = kBox + kLabel + kGap;
    Canvas sheet(kColumns * cellW + kGap, rows * cellH + kGap, {46, 44, 52});
    for (size_t i = 0; i < pictures.size(); ++i) {
        const PictureAsset& p = pictures[i];
        const Canvas full = paintPicture(p, text);
        const float f = std::min(2.0f, std::min(static_cast<float>(kBox) / p.width,
                                                static_cast<float>(kBox) / p.height));
        const int w = std::max(1, static_cast<int>(p.width * f));
        const int h = std::max(1, static_cast<int>(p.height * f));
        const Canvas thumb = resized(full, w, h);
        const int cx = kGap + static_cast<int>(i % kColumns) * cellW;
        const int cy = kGap + static_cast<int>(i / kColumns) * cellH;
        const int ox = cx + (kBox - w) / 2, oy = cy + (kBox - h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) sheet.blend(ox + x, oy + y, thumb.at(x, y), 1.0f);
        text.drawCentred(sheet, p.name, cx + kBox / 2, cy + kBox + kLabel - 4, 12, kBox,
                         {235, 232, 240}, {20, 18, 24});
    }
    return sheet;
}

void writeContactSheet(const std::filesystem::path& file) {
    const TextPainter text(defaultFontPaths());
    const Canvas sheet = paintContactSheet(text);
    const bool jpeg = file.extension() == ".jpg" || file.extension() == ".jpeg";
    const auto bytes =
        jpeg ? encodeJpeg(sheet, 88)
             : encodePng(sheet, Canvas(sheet.width(), sheet.height(), {255, 255, 255}));
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + file.string());
}

}  // namespace kotou::assets
