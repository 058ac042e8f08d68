// The generated pictures against the window layout: a picture that the
// layout shows at its natural size must have the size of its component, or
// it would be cut off (or leave a gap) on screen.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "shell/FormLayout.h"
#include "tools/assets/AssetList.h"

namespace kotou {
namespace {

TEST(AssetLayout, PicturesShownAtNaturalSizeFitTheirComponents) {
    FormModel form;
    buildForm(form);
    int checked = 0;
    for (const Component& c : form.all()) {
        if (c.kind != Kind::Image || c.picture.empty() || c.stretch) continue;
        const std::string prefix = "cg/";
        ASSERT_EQ(c.picture.rfind(prefix, 0), 0u) << c.name << ": " << c.picture;
        const assets::PictureAsset* asset = assets::findPicture(c.picture.substr(prefix.size()));
        ASSERT_NE(asset, nullptr) << c.name << " shows " << c.picture << ", which is not generated";
        EXPECT_EQ(asset->width, c.width) << c.name << " shows " << c.picture;
        EXPECT_EQ(asset->height, c.height) << c.name << " shows " << c.picture;
        ++checked;
    }
    EXPECT_GE(checked, 2);  // at least the title and its animation
}

// A panel's background (its own picture, or a picture component filling
// it) is stretched to the panel: its shape may change a little, not so much
// that its pattern looks squashed.
TEST(AssetLayout, PanelBackgroundsKeepRoughlyTheirShape) {
    FormModel form;
    buildForm(form);
    auto aspect = [](int w, int h) { return static_cast<double>(w) / h; };
    int checked = 0;
    for (const Component& c : form.all()) {
        const bool panelPicture = c.kind == Kind::Panel && !c.picture.empty();
        const bool filling = c.kind == Kind::Image && c.parent != kNoComponent && c.left == 0 &&
                             c.top == 0 && c.width == form.at(c.parent).width &&
                             c.height == form.at(c.parent).height;
        if (!panelPicture && !filling) continue;
        const assets::PictureAsset* asset = assets::findPicture(c.picture.substr(3));
        ASSERT_NE(asset, nullptr) << c.name;
        const double stretch = aspect(c.width, c.height) / aspect(asset->width, asset->height);
        EXPECT_LT(std::max(stretch, 1 / stretch), 1.6) << c.name << " shows " << c.picture;
        ++checked;
    }
    EXPECT_GE(checked, 30);
}

TEST(AssetLayout, EveryPictureOfTheLayoutIsGenerated) {
    FormModel form;
    buildForm(form);
    for (const Component& c : form.all()) {
        if (c.picture.empty()) continue;
        EXPECT_NE(assets::findPicture(c.picture.substr(3)), nullptr) << c.name << ": " << c.picture;
    }
}

}  // namespace
}  // namespace kotou
