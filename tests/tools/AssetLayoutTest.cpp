// The generated pictures against the window layout: a picture that the
// layout shows at its natural size must have the size of its component, or
// it would be cut off (or leave a gap) on screen.
#include <gtest/gtest.h>

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
