#pragma once
// The painters of the pictures, each drawing at `scale` pixels per unit of
// the picture's listed size, without text (the caption is added per size).

#include "tools/assets/AssetList.h"
#include "tools/assets/Canvas.h"
#include "tools/assets/Vector.h"

namespace kotou::assets {

// A figure being drawn: every part goes into its silhouette.
struct Actor {
    explicit Actor(Painter& painter)
        : p(painter), silhouette(0, 0, painter.canvas().width(), painter.canvas().height()) {}
    Mask part(const Path& path, const Tones& t, float depth = 6) {
        Mask m = p.part(path, t, depth);
        silhouette.include(m);
        return m;
    }
    Painter& p;
    Mask silhouette;
    Rgb hair{};
};

// A small heart (blushing portraits, panels).
void heart(Painter& p, float x, float y, float size, Rgb c, float alpha);

// Characters; `silhouette`, when given, receives the figure without its
// background (for the overlap measures).
Canvas paintPortraitArt(const PictureAsset& a, int scale, Mask* silhouette = nullptr);
// Monsters on the ground of their area.
Canvas paintEnemyArt(const PictureAsset& a, int scale);
// Places, events and the full-window backgrounds.
Canvas paintSceneArt(const PictureAsset& a, int scale);

}  // namespace kotou::assets
