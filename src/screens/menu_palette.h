#pragma once
// The colours the screens' menus are built with: one table, so that boxes, labels and buttons of
// every screen look alike.
#include "gui/gui_painter.h"

namespace palette {

// Text buttons: the label at rest and under the pointer (their alpha comes from the button's fade).
inline constexpr Rgba kButtonLabel{0.7f, 0.7f, 0.7f, 1};
inline constexpr Rgba kButtonLabelHover{1, 1, 1, 1};
// Links drawn as green text on a transparent button.
inline constexpr Rgba kLinkLabel{0, 0.7f, 0, 1};
inline constexpr Rgba kLinkLabelHover{0, 1, 0, 1};
// Plain texts, and texts that stand out in red.
inline constexpr Rgba kLabel{0.8f, 0.8f, 0.8f, 1};
inline constexpr Rgba kLabelRed{0.8f, 0.2f, 0.2f, 1};
// Titles of boxes (in the title font).
inline constexpr Rgba kTitle{1, 0, 0, 1};
// The frame picture behind a box's items.
inline constexpr Rgba kBoxFrame{0.15f, 0.15f, 0.15f, 0.95f};
// Pictures drawn in their own colours.
inline constexpr Rgba kPicture{1, 1, 1, 1};
// The full-window backdrops that dim everything under a box, from light to dark.
inline constexpr Rgba kBackdropLight{0.1f, 0.1f, 0.1f, 0.5f};
inline constexpr Rgba kBackdropDark{0.1f, 0.1f, 0.1f, 0.75f};
inline constexpr Rgba kBackdropDarkest{0.1f, 0.1f, 0.1f, 0.8f};
// Progress bars.
inline constexpr Rgba kProgress{0.1f, 0.65f, 0.1f, 0.8f};

}  // namespace palette
