#pragma once
// The pieces of the settings screens: the panel with its tab buttons (settings_screens.cpp) and
// one builder per tab, each appending its menu (or menus) to ctx.gui in the panel's order.
//
//   general: logs, updates, window and list options, active game, game roots and output folders
//                                                              settings_general.cpp
//   sounds, misc (IWD image mover), theme, shaders             settings_screens.cpp
//   export: formats, images, scale, folders                    settings_export.cpp
//   OpenGL: frame caps, view flags, grid and background colours settings_opengl.cpp
//   hot keys and the two mouse-scheme pictures                 settings_hotkeys.cpp
//
// The tab menus share one frame (the panel's area below the tab buttons), fade in over a second,
// stay centred in the window and begin with their title in the title font.
#include <cstdint>
#include <functional>
#include <string>

#include "gui/gui_painter.h"
#include "gui/item_layout.h"
#include "gui/vorn_gui.h"
#include "screens/screen_context.h"

// The colours the settings screens draw with.
namespace settings_style {
inline constexpr Rgba kWhite{1, 1, 1, 1};
inline constexpr Rgba kRed{1, 0, 0, 1};           // section headings and the tab titles
inline constexpr Rgba kSoftRed{0.99f, 0, 0, 1};   // the "Note:" heading
inline constexpr Rgba kLightGrey{0.8f, 0.8f, 0.8f, 1};  // secondary labels
inline constexpr Rgba kGreyLabel{0.7f, 0.7f, 0.7f, 1};  // idle tab and folder-button labels
inline constexpr Rgba kSection{0.3f, 0.3f, 0.3f, 1};    // rounded outlines around a group
// A field that takes typing or shows a value: background, outline, text.
inline constexpr Rgba kFieldBackground{0.5f, 0.5f, 0.5f, 0.1f};
inline constexpr Rgba kFieldOutline{0, 1, 0, 0.3f};
inline constexpr Rgba kFieldText{1, 1, 1, 1};
}  // namespace settings_style

// The flags of every settings menu: it stays centred in the window.
inline constexpr uint32_t kCentredMenu = ITEM_CENTER_X | ITEM_CENTER_Y;

// Begins the tab menu name (fading in over one second, hidden, centred) and adds its title.
void BeginSettingsTab(VornGUI& gui, const std::string& name, const std::string& title);
// A white (or coloured) label at x, y.
void AddSettingsLabel(VornGUI& gui, int32_t x, int32_t y, const std::string& text,
                      const Rgba& colour = settings_style::kWhite);
// A value text box in the field colours.
void AddSettingsTextBox(VornGUI& gui, const std::string& name, const std::string& text, const ItemRect& rect,
                        std::function<void(const std::string&)> onChange, bool readOnly);
// A stored drop-down index as the drop-down's initial index: one that does not fit its 16 bits
// becomes -1, so it shows no option instead of wrapping onto one.
int16_t StoredDropDownIndex(int32_t stored);

// The tabs, in the panel's order.
void BuildGeneralTab(ScreenContext& ctx);
void BuildSoundsTab(ScreenContext& ctx);
void BuildExportTab(ScreenContext& ctx);
void BuildOpenGLTab(ScreenContext& ctx);
void BuildHotkeysTab(ScreenContext& ctx);  // also the two mouse-scheme pictures
void BuildMiscTab(ScreenContext& ctx);
void BuildThemeTab(ScreenContext& ctx);
void BuildShadersTab(ScreenContext& ctx);
