#pragma once
// The colours of the screens' menus (the main screen and the dialog boxes), by the part they
// colour (r, g, b, a in 0..1). Text button labels use only r, g and b: the button's fade gives
// their alpha.
#include "gui/gui_painter.h"

namespace screen_colours {

inline constexpr Rgba kWhite{1, 1, 1, 1};
inline constexpr Rgba kClear{0, 0, 0, 0};                  // no background, no outline
inline constexpr Rgba kPressedLabel{0.5f, 0.5f, 0.5f, 1};  // a window button while its window shows
inline constexpr Rgba kArrowLabel{0.4f, 0.4f, 0.4f, 1};    // the model list's fold arrows at rest

// The one-pixel first menu.
inline constexpr Rgba kFirstMenuFill{0.1f, 0.1f, 0.1f, 0.95f};
// The tree views: a background of alpha 0 (none shows).
inline constexpr Rgba kTreeBackground{0.5f, 0, 0, 0};

// The tool bar.
inline constexpr Rgba kToolBarTop{1, 1, 1, 0.9f};
inline constexpr Rgba kToolBarBottom{1, 1, 1, 0.75f};
inline constexpr Rgba kLightBulb{0.8f, 0.8f, 1, 0.8f};
inline constexpr Rgba kProgressFill{0.65f, 0.1f, 0.1f, 0.8f};
inline constexpr Rgba kWebsiteLabel{0, 0.7f, 0, 1};
inline constexpr Rgba kWebsiteHoverLabel{0, 1, 0, 1};

// The model list.
inline constexpr Rgba kFoldedListEdge{0.15f, 0.15f, 0.15f, 0.8f};
inline constexpr Rgba kListFrame{0.25f, 0.25f, 0.25f, 0.95f};
inline constexpr Rgba kListTitle{1, 0, 0, 0.8f};
inline constexpr Rgba kSearchLabel{0, 1, 0, 0.3f};
inline constexpr Rgba kSearchBackground{0.5f, 0.5f, 0.5f, 0.1f};
inline constexpr Rgba kSearchOutline{0, 1, 0, 0.3f};
inline constexpr Rgba kListOutline{0.5f, 0.5f, 0.5f, 0};
inline constexpr Rgba kListRow{0.8f, 0.8f, 0.8f, 0.1f};
inline constexpr Rgba kListHoveredRow{0.5f, 0.5f, 0.5f, 0.75f};
inline constexpr Rgba kListSelectedRow{1, 1, 1, 0.5f};
inline constexpr Rgba kListHighlightedText{0, 0, 0, 1};

// The light settings and the view settings panel.
inline constexpr Rgba kLightPanelFrame{0.35f, 0.35f, 0.35f, 0.95f};
inline constexpr Rgba kLightLabel{0.6f, 0.6f, 0.6f, 1};
inline constexpr Rgba kPickerFrame{0.3f, 0.3f, 0.3f, 0.6f};
inline constexpr Rgba kViewPanelFill{0.05f, 0.05f, 0.05f, 1};

// The dialog boxes: text buttons' labels at rest and under the pointer, plain and red texts, the
// boxes' titles (in the title font), the frame picture behind a box's items, the full-window
// backdrops that dim everything below a box (from light to dark) and the progress bars.
inline constexpr Rgba kButtonLabel{0.7f, 0.7f, 0.7f, 1};
inline constexpr Rgba kBoxLabel{0.8f, 0.8f, 0.8f, 1};
inline constexpr Rgba kBoxLabelRed{0.8f, 0.2f, 0.2f, 1};
inline constexpr Rgba kBoxTitle{1, 0, 0, 1};
inline constexpr Rgba kBoxFrame{0.15f, 0.15f, 0.15f, 0.95f};
inline constexpr Rgba kBackdropLight{0.1f, 0.1f, 0.1f, 0.5f};
inline constexpr Rgba kBackdropDark{0.1f, 0.1f, 0.1f, 0.75f};
inline constexpr Rgba kBackdropDarkest{0.1f, 0.1f, 0.1f, 0.8f};
inline constexpr Rgba kBoxProgressFill{0.1f, 0.65f, 0.1f, 0.8f};

}  // namespace screen_colours
