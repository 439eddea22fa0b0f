#pragma once
// VornSettings: the program's one settings record, filled with compiled-in defaults, read once
// from settings.xml in the working folder and written back by Save. Every subsystem reads the
// fields directly. The moving lights of the 3D view are stored in the same file (SceneLights).
//
// Threads: fields are written on the main thread (or in command lists serialised with the frame);
// the job thread reads the flag and number fields.
#include <cstdint>
#include <string>

#include "core/item_rect.h"

// A hot key: low byte the key code, high byte 1 for a virtual-key code, 0 for a character code.
// 0 means unbound.
using Hotkey = uint16_t;

enum HotkeyIndex : int {
  HK_CHANGE_ACTIVE_GAME, HK_VIEW_TAGS, HK_EXPORT_MA, HK_EXPORT_OBJ, HK_EXPORT_XE,
  HK_TAKE_SCREEN_SHOT, HK_WIREFRAME, HK_TOGGLE_XMODEL_LIST, HK_TOGGLE_XMODEL_LOG,
  HK_TOGGLE_XMODEL_PROP, HK_TOGGLE_SETTING_MENU, HK_BOUNDING_BOX, HK_CENTRAL_LOCATOR,
  HK_DRAW_BONES, HK_COUNT
};

// Folder placeholders: a game root not chosen yet, and the program's own folder.
inline constexpr const char* kSetPath = "Set Path";
inline constexpr const char* kRunningDirectory = "Running Directory";

class VornSettings {
 public:
  VornSettings();

  // Writes the fourteen default hot keys.
  void SetDefaultHotkeys();

  // The root folder of a game by its index in active_game (0 Cod4, 1 Cod5, 2 Cod BO); empty for
  // any other index.
  std::string GameRoot(int game) const;
  // Reads path (settings.xml in the working folder) over the current values. A missing or
  // malformed file keeps every value; a missing section keeps its fields (a missing "hotkeys"
  // section sets the default hot keys again); a missing key inside a present section reads as
  // false or 0, except the folders, the rectangles and clear_list_on_change, which keep their
  // values. Also reads the lights into SceneLights. Clamps scale, the frame rates, mouse_style,
  // active_frame_theme and the light values to their ranges.
  void Load(const std::string& path = "settings.xml");
  // Writes the whole file anew from the current values and SceneLights (a temporary file renamed
  // over the old one, so a failed save never loses the file). Writes nothing once
  // SettingsResetPending is set. True when the file was written; a failure is also logged.
  bool Save(const std::string& path = "settings.xml") const;

  std::string dir_cod2 = kSetPath;
  std::string dir_cod4 = kSetPath;
  std::string dir_cod5 = kSetPath;
  std::string dir_bo1 = kSetPath;
  std::string dir_export = kRunningDirectory;
  std::string dir_gdt = kRunningDirectory;
  bool vsync = false;
  bool wireframe = false;
  bool draw_grid = true;
  bool draw_axis = false;
  bool load_textures = true;
  bool draw_bones = true;
  bool disable_all = false;
  bool sound_focus = true;
  bool sound_accept = true;
  bool sound_export = true;
  bool sound_welcome = true;
  bool sound_leave = true;
  bool mtl = true;
  bool mel_bind = true;
  bool sub_folder = true;
  bool exp_images = true;
  bool images_local = true;
  bool images_col = false;
  bool tags_local = false;
  bool export_lods = true;
  int32_t as_tga = 0;
  float scale = 2.54f;
  bool log_xmodel = true;
  bool log_warn = false;
  bool log_genral = true;
  int32_t export_count = 0;
  int32_t log_type = 0;
  int32_t active_game = 0;  // 0 Cod4, 1 Cod5, 2 Cod BO
  float volume = 0.15f;
  int32_t fps_sleep = 24;
  int32_t fps_active = 40;
  uint32_t color_txt = 0x000000FF;  // colours are packed 0x00BBGGRR
  uint32_t color_background = 0x000F0E0F;
  uint32_t color_grid = 0x00272728;
  bool tray_icon = true;
  bool auto_update_check = true;
  bool draw_bounding_box = false;
  bool draw_central_locator = false;
  bool draw_tangents = false;
  bool use_vertex_col = true;
  bool bump_mapping = true;
  bool draw_LODS = false;
  bool clear_list_on_change = false;
  ItemRect xmodel_win_prop{20, 90, 0, 0};
  ItemRect xmodel_win_prop_size{0, 0, 200, 150};
  ItemRect xmodel_win_log{20, 250, 0, 0};
  ItemRect xmodel_win_log_size{0, 0, 200, 150};
  ItemRect xmodel_win_tags{20, 410, 0, 0};
  ItemRect xmodel_win_tags_size{0, 0, 200, 150};
  bool xmodel_win_vis[4] = {false, false, true, false};  // prop, log, list, tags
  bool save_menu_states = true;
  bool save_window_rect = true;
  bool window_on_top = false;
  ItemRect main_window{20, 20, 800, 600};
  Hotkey hotkeys[HK_COUNT] = {};
  int32_t mouse_style = 0;
  bool draw_bounding_box_units = false;
  bool light_enable[2] = {false, false};
  int32_t light_model = 0;
  int32_t active_frame_theme = 0;
  bool donate_shown = false;
  int32_t donate_actions = 0;
  int32_t donate_last = 0;
};

// One of the two moving lights of the 3D view.
struct Light {
  float color[3] = {0, 0, 0};
  float ambient_intensity = 0;
  float diffuse_intensity = 0;
  float position[3] = {0, 0, 0};
  float attenuation_constant = 1.0f;
  float attenuation_linear = 0;
  float attenuation_exp = 0;
};

struct SceneLightsData {
  Light lights[2];
};

extern VornSettings gSettings;
extern SceneLightsData SceneLights;
// Set by "reset_settings": from then on Save writes nothing.
extern bool SettingsResetPending;
