#include "desktop/colour_themes.h"

#include "core/global_order.h"
#include "core/lifetime.h"
#include "core/settings.h"

VornThemeManger gThemeManager DELVIX_GLOBAL(kRankThemeColours);
static const LifetimeMark themeManagerMark DELVIX_GLOBAL(kRankThemeColours){"VornThemeManger"};

namespace {

constexpr uint32_t Packed(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<uint32_t>(r) | static_cast<uint32_t>(g) << 8 | static_cast<uint32_t>(b) << 16;
}

constexpr FrameColour C(uint8_t r, uint8_t g, uint8_t b) { return FrameColourFrom8Bit(r, g, b); }

// Dark, Grey, Blue.
constexpr ThemeColours kThemes[kThemeCount] = {
    {{C(16, 16, 16), C(16, 16, 16), C(16, 16, 16), C(16, 16, 16)},
     {C(16, 16, 16), C(32, 32, 32), C(44, 44, 44), C(60, 60, 60)},
     Packed(81, 81, 81), Packed(81, 81, 81), Packed(153, 153, 153)},
    {{C(40, 40, 40), C(40, 40, 40), C(44, 44, 44), C(60, 60, 60)},
     {C(85, 85, 85), C(40, 40, 40), C(44, 44, 44), C(60, 60, 60)},
     Packed(16, 16, 16), Packed(81, 81, 81), Packed(255, 255, 255)},
    {{C(22, 57, 99), C(7, 24, 45), C(11, 36, 61), C(28, 49, 76)},
     {C(27, 67, 119), C(10, 33, 63), C(18, 60, 104), C(43, 76, 119)},
     Packed(0, 0, 0), Packed(81, 81, 81), Packed(255, 255, 255)},
};

bool IsTheme(int index) { return index >= 0 && index < kThemeCount; }

}  // namespace

VornThemeManger::VornThemeManger() : current_(&themes_[0]) {
  for (int i = 0; i < kThemeCount; ++i) themes_[i] = kThemes[i];
}

VornThemeManger::~VornThemeManger() = default;

void VornThemeManger::Setup() {
  if (!IsTheme(gSettings.active_frame_theme)) gSettings.active_frame_theme = 0;
  Select(gSettings.active_frame_theme);
}

bool VornThemeManger::Select(int index) {
  if (!IsTheme(index)) return false;
  current_ = &themes_[index];
  return true;
}

bool ChangeTheme(VornThemeManger& themes, VornSettings& settings, int index) {
  if (index == settings.active_frame_theme) return true;
  if (!themes.Select(index)) return false;
  settings.active_frame_theme = index;
  return true;
}

bool OnThemeChanged(int index) { return ChangeTheme(gThemeManager, gSettings, index); }
