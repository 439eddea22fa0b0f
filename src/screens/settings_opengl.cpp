// The OpenGL tab: the frame caps while active and while asleep, what the 3D view draws, and the
// colours of its grid and background. Several of its flags also have a box on the main screen;
// both point at the same flag, so each shows the current state.
#include "core/strings.h"
#include "screens/callbacks.h"
#include "screens/settings_tabs.h"

using namespace settings_style;

namespace {

struct ViewFlag {
  const char* name;
  const char* label;
  int32_t x, y;
  bool* flag;
};

void AddFrameCaps(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  AddSettingsLabel(gui, 80, 400, "Active FPS Cap:");
  AddSettingsTextBox(gui, "active_fps", IntToString(ctx.settings.fps_active), {190, 387, 50, 17},
                     [&ctx](const std::string& text) { OnActiveFpsText(ctx, text); }, false);
  AddSettingsLabel(gui, 80, 420, "Sleep FPS Cap:");
  AddSettingsTextBox(gui, "sleep_fps", IntToString(ctx.settings.fps_sleep), {190, 408, 50, 17},
                     [&ctx](const std::string& text) { OnSleepFpsText(ctx, text); }, false);
}

void AddViewFlags(ScreenContext& ctx) {
  VornSettings& s = ctx.settings;
  const ViewFlag flags[] = {
      {"vsync", "Vsync", 80, 120, &s.vsync},
      {"lods", "Draw Lods", 80, 145, &s.draw_LODS},
      {"WireFrame", "WireFrame", 80, 170, &s.wireframe},
      {"grid", "Display Grid", 80, 195, &s.draw_grid},
      {"axis", "Display Axis", 80, 220, &s.draw_axis},
      {"LoadTextures", "Load Textures", 80, 245, &s.load_textures},
      {"bound_box", "Bounding Box", 80, 270, &s.draw_bounding_box},
      {"locator", "Central Locator", 80, 295, &s.draw_central_locator},
      {"bones", "Draw 3D Bones", 80, 320, &s.draw_bones},
      {"tangents", "Draw Tangents", 80, 345, &s.draw_tangents},
      {"show_units", "Draw BB Units", 230, 120, &s.draw_bounding_box_units},
      {"normal_maps", "NormalMaps", 230, 145, &s.bump_mapping},
      {"vertex_col", "Vertex Colors", 230, 170, &s.use_vertex_col},
      {"disable_alpha", "Disable Alpha", 230, 195, &ctx.shading.disableAlpha},
  };
  ctx.gui.AddRoundedRect({65, 105, 300, 265}, kSection);
  for (const ViewFlag& f : flags) ctx.gui.AddCheckBox(f.name, f.label, {f.x, f.y, 120, 20}, f.flag);
}

void AddColourPickers(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  constexpr Rgba kPickerFrame{0.3f, 0.3f, 0.3f, 0.6f};
  AddSettingsLabel(gui, 385, 120, "Grid Color:");
  AddSettingsLabel(gui, 385, 260, "Background Color:");
  float r, g, b;
  UnpackColor(ctx.settings.color_grid, r, g, b);
  gui.AddColorPicker({380, 125}, kPickerFrame, r, g, b,
                     [&ctx](float red, float green, float blue) { OnGridColor(ctx, red, green, blue); });
  UnpackColor(ctx.settings.color_background, r, g, b);
  gui.AddColorPicker({380, 265}, kPickerFrame, r, g, b,
                     [&ctx](float red, float green, float blue) { OnBackgroundColor(ctx, red, green, blue); });
}

}  // namespace

void BuildOpenGLTab(ScreenContext& ctx) {
  BeginSettingsTab(ctx.gui, "Settings_OpenGL", "Settings - OpenGL");
  AddFrameCaps(ctx);
  AddViewFlags(ctx);
  AddColourPickers(ctx);
}
