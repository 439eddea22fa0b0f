#pragma once
// The colour themes of the custom window frame: Dark, Grey and Blue. They colour only the frame;
// the GUI inside the window takes its colours from its menus and the settings.
//
//   ThemeColours       the colours of one theme as the frame painter reads them
//   VornThemeManger    the three themes and the current one (one global, gThemeManager)
//   ChangeTheme        what the theme drop-down ("Settings_theme") does; OnThemeChanged on the
//                      program's own objects
#include <cstdint>

// A frame colour: red, green and blue as 16-bit channels, the 8-bit value in the high byte
// (0xFF00 is full intensity), the form gradient filling takes.
struct FrameColour {
  uint16_t r = 0, g = 0, b = 0;
};

// Builds a frame colour from 8-bit channels.
constexpr FrameColour FrameColourFrom8Bit(uint8_t r, uint8_t g, uint8_t b) {
  return {static_cast<uint16_t>(r << 8), static_cast<uint16_t>(g << 8), static_cast<uint16_t>(b << 8)};
}

// Corners of the frame, the order of the four border colours.
enum FrameCorner { kTopLeft = 0, kTopRight = 1, kBottomLeft = 2, kBottomRight = 3 };

struct ThemeColours {
  FrameColour inactive[4];    // border corners while the window is not active
  FrameColour active[4];      // border corners while it is active
  uint32_t firstInnerLine;    // 0x00BBGGRR: the edge lines above and left of the client area
  uint32_t secondInnerLine;   // 0x00BBGGRR: the edge lines right of and below it
  uint32_t captionText;       // 0x00BBGGRR

  // The border colours for the window's active state.
  const FrameColour* Corners(bool windowActive) const { return windowActive ? active : inactive; }
};

inline constexpr int kThemeCount = 3;  // 0 Dark, 1 Grey, 2 Blue

class VornThemeManger {
 public:
  VornThemeManger();
  virtual ~VornThemeManger();

  // Selects the current theme from the settings' active_frame_theme (0 Dark, 1 Grey, 2 Blue).
  // A stored index that names no theme selects Dark and is set to 0, so the settings screen
  // shows the theme in use. Called by start-up after the settings are read.
  void Setup();
  // Makes theme index current; false (nothing changes) when index names no theme.
  bool Select(int index);
  const ThemeColours& Current() const { return *current_; }
  const ThemeColours& Theme(int index) const { return themes_[index]; }

 private:
  ThemeColours themes_[kThemeCount];
  const ThemeColours* current_;
};

extern VornThemeManger gThemeManager;

class VornSettings;

// The theme drop-down's action: makes theme index current in themes and stores it in settings'
// active_frame_theme; the frame shows the new colours from the next frame on. The theme already
// in use changes nothing. True when the index names a theme (or is the current one); an index of
// no theme is refused (false) and leaves the theme and the setting as they are.
bool ChangeTheme(VornThemeManger& themes, VornSettings& settings, int index);
// ChangeTheme on gThemeManager and gSettings.
bool OnThemeChanged(int index);
