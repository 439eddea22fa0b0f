// The light settings (the two moving lights, the main light and the shader options; opened by the
// tool bar's bulb) and the small view settings panel (opened by the button at the bottom right).
// Sliders, pickers and the drop-down start at the values the lights hold when the menus are built.
#include <cstdint>

#include "gui/item_layout.h"
#include "screens/build_menus.h"
#include "screens/callbacks.h"
#include "screens/screen_colours.h"
#include "screens/main_screen_parts.h"

namespace colours = screen_colours;

namespace {

constexpr uint8_t kGuiFont = 0;
constexpr uint8_t kTitleSize = 14;

// A stored drop-down index as the drop-down takes it; one that no option can have (beyond 16
// bits) shows no option rather than wrapping onto one.
int16_t ShownIndex(int32_t stored) {
  return stored >= INT16_MIN && stored <= INT16_MAX ? static_cast<int16_t>(stored) : int16_t{-1};
}

// A text at (x, y) of the panel.
ItemRect At(int32_t x, int32_t y) { return {x, y, 0, 0, ITEM_FIXED}; }

// A 140 x 16 slider from 0 to maximum at (x, y) that reports its value while it is dragged.
void AddLightSlider(ScreenContext& ctx, const char* name, int32_t x, int32_t y, float maximum, float value,
                    void (*callback)(ScreenContext&, float)) {
  ctx.gui.AddSlider(name, {x, y, 140, 16, ITEM_FIXED}, 0.0f, maximum, value,
                    [&ctx, callback](float v) { callback(ctx, v); }, false);
}

// A colour picker at (x, y) starting at colour.
void AddLightPicker(ScreenContext& ctx, int32_t x, int32_t y, const float colour[3],
                    void (*callback)(ScreenContext&, float, float, float)) {
  ctx.gui.AddColorPicker(At(x, y), colours::kPickerFrame, colour[0], colour[1], colour[2],
                         [&ctx, callback](float r, float g, float b) { callback(ctx, r, g, b); });
}

struct MovingLightControls {
  const char* title;
  const char* enableName;
  void (*constant)(ScreenContext&, float);
  void (*linear)(ScreenContext&, float);
  void (*exp)(ScreenContext&, float);
  void (*colour)(ScreenContext&, float, float, float);
};

// One moving light's block, its title at (15, top + 30): enable, the three attenuations, colour.
void AddMovingLight(ScreenContext& ctx, int index, int32_t top, const MovingLightControls& controls) {
  VornGUI& gui = ctx.gui;
  const Light& light = ctx.lights.lights[index];
  gui.AddFontLabel(At(15, top + 30), controls.title, colours::kWhite, kGuiFont, kTitleSize);
  gui.AddCheckBox(controls.enableName, "Enable", {15, top + 40, 140, 16, ITEM_FIXED}, &ctx.settings.light_enable[index]);
  gui.AddLabel(At(15, top + 70), "Constant", colours::kLightLabel);
  gui.AddLabel(At(15, top + 90), "Linear", colours::kLightLabel);
  gui.AddLabel(At(15, top + 110), "Exp", colours::kLightLabel);
  AddLightSlider(ctx, "light_att_constant", 70, top + 60, 1.0f, light.attenuation_constant, controls.constant);
  AddLightSlider(ctx, "light_att_linear", 70, top + 80, 0.001f, light.attenuation_linear, controls.linear);
  AddLightSlider(ctx, "light_att_exp", 70, top + 100, 0.0001f, light.attenuation_exp, controls.exp);
  gui.AddLabel(At(15, top + 130), "Color", colours::kLightLabel);
  AddLightPicker(ctx, 12, top + 135, light.color, controls.colour);
}

void AddMainLight(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  ShadingParams& shading = ctx.shading;
  gui.AddFontLabel(At(245, 30), "Main Light", colours::kWhite, kGuiFont, kTitleSize);
  gui.AddLabel(At(245, 50), "Diffuse", colours::kLightLabel);
  gui.AddLabel(At(245, 70), "Ambient", colours::kLightLabel);
  gui.AddLabel(At(245, 90), "SpecInt", colours::kLightLabel);
  gui.AddLabel(At(245, 110), "SpecPow", colours::kLightLabel);
  AddLightSlider(ctx, "light_DiffuseIntensity", 300, 40, 1.0f, shading.mainLight.diffuseIntensity, OnMainLightDiffuse);
  AddLightSlider(ctx, "light_AmbientIntensity", 300, 60, 1.0f, shading.mainLight.ambientIntensity, OnMainLightAmbient);
  AddLightSlider(ctx, "light_SpecInten", 300, 80, 1.0f, shading.specularIntensity, OnSpecularIntensity);
  AddLightSlider(ctx, "light_SpecPower", 300, 100, 1.0f, shading.specularPower, OnSpecularPower);
  gui.AddLabel(At(245, 130), "Color", colours::kLightLabel);
  AddLightPicker(ctx, 242, 135, shading.mainLight.color, OnMainLightColor);
}

void AddShaderOptions(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  VornSettings& s = ctx.settings;
  gui.AddCheckBox("bump_mapping", "Normal Maps", {245, 280, 200, 20, ITEM_FIXED}, &s.bump_mapping);
  gui.AddCheckBox("vertex_colors", "Vertex Colors", {245, 300, 200, 20, ITEM_FIXED}, &s.use_vertex_col);
  gui.AddCheckBox("disable_alpha", "Disable Alpha", {245, 320, 200, 20, ITEM_FIXED}, &ctx.shading.disableAlpha);
  gui.AddLabel(At(245, 355), "Shader", colours::kLightLabel);
  gui.AddDropDown({290, 340, 150, 20, ITEM_FIXED}, {{0, "Default"}, {1, "Phong"}},
                  [&ctx](int index) { return OnShaderChanged(ctx, index); }, ShownIndex(s.light_model));
}

}  // namespace

void BuildLightSettingsMenu(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  // Beside the bulb that opens it and high enough that its 520 pixels end above the bottom bar of
  // the smallest window; it takes the mouse over all of itself, so no click on it reaches a button
  // underneath.
  gui.BeginMenu("light_settings", {40, 30, 0, 0, ITEM_FIXED}, {0, 0, 460, 520, ITEM_FIXED}, false);
  gui.AddImage({0, 0, 230, 260, ITEM_FIXED}, "menu_frame", colours::kLightPanelFrame);
  gui.AddImage({0, 260, 230, 260, ITEM_FIXED}, "menu_frame", colours::kLightPanelFrame);
  gui.AddImage({230, 0, 230, 260, ITEM_FIXED}, "menu_frame", colours::kLightPanelFrame);
  gui.AddImage({230, 260, 230, 220, ITEM_FIXED}, "menu_frame", colours::kLightPanelFrame);
  AddMovingLight(ctx, 0, 0,
                 {"Moving Light 1", "light_enable_1", OnLight1AttConstant, OnLight1AttLinear, OnLight1AttExp, OnLight1Color});
  AddMovingLight(ctx, 1, 260,
                 {"Moving Light 2", "light_enable_2", OnLight2AttConstant, OnLight2AttLinear, OnLight2AttExp, OnLight2Color});
  AddMainLight(ctx);
  AddShaderOptions(ctx);
}

void BuildMiniSettingsMenu(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  VornSettings& s = ctx.settings;
  constexpr uint32_t kCorner = ITEM_MOVE_X | ITEM_MOVE_Y;  // in the lower right corner
  gui.BeginMenu("opengl_mini_settings", {0, 0, 0, 0, ITEM_FIXED}, {490, 340, 145, 115, kCorner}, false);
  gui.AddFilledRect({490, 340, 145, 115, kCorner}, colours::kViewPanelFill);
  // Each box toggles its own flag; the names are never looked up.
  gui.AddCheckBox("tangents", "Draw LODS", {500, 350, 80, 20, kCorner}, &s.draw_LODS);
  gui.AddCheckBox("tangents", "Draw Tangents", {500, 370, 80, 20, kCorner}, &s.draw_tangents);
  gui.AddCheckBox("tangents", "Draw Bones", {500, 390, 80, 20, kCorner}, &s.draw_bones);
  gui.AddCheckBox("bounding_box", "Bounding Box", {500, 410, 80, 20, kCorner}, &s.draw_bounding_box);
  gui.AddCheckBox("locator", "Central Locator", {500, 430, 80, 20, kCorner}, &s.draw_central_locator);
}
