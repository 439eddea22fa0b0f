#include "core/settings.h"

VornSettings gSettings;
SceneLightsData SceneLights;
bool SettingsResetPending = false;

VornSettings::VornSettings() { SetDefaultHotkeys(); }

void VornSettings::SetDefaultHotkeys() {
  static constexpr Hotkey kDefaults[HK_COUNT] = {
      0x0170,  // change_active_game: F1
      0x0074,  // view_tags: t
      0x006D,  // export_ma: m
      0x006F,  // export_obj: o
      0x006B,  // export_XE: k
      0x0171,  // take_screen_shot: F2
      0x0077,  // wireframe: w
      0x0120,  // toggle_xmodel_list: Space
      0x007A,  // toggle_xmodel_log: z
      0x0078,  // toggle_xmodel_prop: x
      0x0073,  // toggle_setting_menu: s
      0x0062,  // bounding_box: b
      0x006E,  // central_locator: n
      0x0031,  // draw_bones: 1
  };
  for (int i = 0; i < HK_COUNT; ++i) hotkeys[i] = kDefaults[i];
}

// Reading and writing settings.xml comes next; until then the defaults hold.
void VornSettings::Load(const std::string&) {}
bool VornSettings::Save(const std::string&) const { return !SettingsResetPending; }
