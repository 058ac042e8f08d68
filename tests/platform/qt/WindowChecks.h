#pragma once
// Checks over what the window actually draws, for any panel on screen:
//  - every visible label, button caption and group-box title contrasts with
//    what is drawn behind it (luminance contrast of the rendered pixels);
//  - the widget under the centre of every visible, enabled button is that
//    button (no picture or panel lies over it);
//  - every caption fits its widget by the font's metrics.
// Each finding is one line naming the component, so a failing test says
// what to look at.

#include <QImage>
#include <QWidget>
#include <string>
#include <vector>

namespace kotou::checks {

struct Options {
    // At least this share of the pixels under the glyphs must reach the
    // contrast ratio (anti-aliased edges and busy pictures may dip).
    double minContrast = 3.0;
    double share = 0.9;
    // Components whose text is meant to be clipped or scrolled.
    std::vector<std::string> mayClip;
};

// Relative luminance contrast ratio of two colours, 1..21.
double contrastRatio(QRgb a, QRgb b);

// Runs every check over the visible widgets under `root` (usually the whole
// window). `window` is grabbed with and without each text to find the glyph
// pixels and what lies behind them.
std::vector<std::string> checkWindow(QWidget* window, QWidget* root, const Options& o = {});

std::vector<std::string> checkContrast(QWidget* window, QWidget* root, const Options& o = {});
std::vector<std::string> checkButtonsReachable(QWidget* window, QWidget* root);
std::vector<std::string> checkCaptionsFit(QWidget* root, const Options& o = {});

}  // namespace kotou::checks
