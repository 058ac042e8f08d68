#pragma once
// The layout of the game window: every panel and component with its parent,
// position, size, caption, default visibility and picture. buildForm fills an
// empty FormModel; row 0 is the window itself ("Form1").
//
// Panels of the command column all sit at the command panel's place
// (kCommandLeft, kCommandTop). Components the window never names (headings,
// the caption labels of the status column) get descriptive names ending in
// "_cap" or "_head" so that every row is addressable.

#include "shell/FormModel.h"

namespace kotou {

inline constexpr int kWindowWidth = 640;
inline constexpr int kWindowHeight = 506;
inline constexpr int kCommandLeft = 124;
inline constexpr int kCommandTop = 4;

// Adds every component of the window to an empty form. Throws
// std::invalid_argument when the form already holds one of the names.
void buildForm(FormModel& form);

}  // namespace kotou
