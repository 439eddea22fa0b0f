#pragma once
// The callbacks of the screens: the functions that the settings screens, the light settings, the
// tags tree and a few buttons call when their item fires. Each takes the ScreenContext it acts on
// first; menus bind them with lambdas that capture the context, for example
//   picker.callback = [&ctx](float r, float g, float b) { OnGridColor(ctx, r, g, b); };
// Drop-down callbacks return true when they took the index. Invalid input is reported through the
// GUI's error or message box or ignored; no callback throws.
//
// Implementation files:
//   colours, lights, shader, volume            light_callbacks.cpp
//   numbers, logging, formats, mouse, fast file, theme, update      settings_callbacks.cpp
//   game roots, output folders, IWD mover, folder picking          folder_callbacks.cpp
//   SetActiveGame, LoadXmodelListForGame, model list and tags tree  game_switch.cpp
//
// Threads: the main thread only (inside the GUI pass, or start-up and the hot keys).
#include <cstdint>
#include <string>

#include "gui/tree_container.h"
#include "screens/screen_context.h"

// ---- Shared helpers ---------------------------------------------------------------------------

// A packed colour 0x00BBGGRR as three channels 0..1 (each byte / 255).
void UnpackColor(uint32_t packed, float& r, float& g, float& b);
// Three channels already scaled to 0..255, each truncated to an integer and masked to 8 bits,
// packed as red | green << 8 | blue << 16.
uint32_t PackColor(float r, float g, float b);

// The job thread's model scale: the settings' scale = scale (the jobs queued from now on take
// it); logs "XmodelScale SetTo: %.2f". Start-up calls it with the settings' scale.
void SetModelScale(ScreenContext& ctx, float scale);

// The desktop's folder chooser with title, kept above the window ownerWindow (its window-system
// id; 0: none), starting in the user's home folder (else the desktop folder, with a log line).
// The chosen folder, or "" when cancelled or when no chooser can be shown (gui's error box says
// why). Blocks the main thread until answered, like a modal dialog: presses, wheel turns and keys
// given to the program's window meanwhile are dropped.
std::string PickFolder(VornGUI& gui, const std::string& title, uint64_t ownerWindow = 0);

// Activates game index (0 Cod4, 1 Cod5, 2 Cod BO): the jobs read that game's layouts from now on
// and the model list lists its root's "raw/xmodel" folder. Refused (false, warning) while a listing
// runs; an unknown index shows "Unkown Game selected in dropbox." and returns false. The game of
// the jobs and the settings' active_game change only when the listing started (the list call
// returned true), so the list on screen and the readers always belong to the same game.
// Returns the list call's result. withMessages shows problems in the GUI's boxes.
bool SetActiveGame(ScreenContext& ctx, int index, bool withMessages);
// Points the model list at root: false ("Directory Not Set" with messages) when root is unset;
// false with the error "Xmodel List: '<root>' is not a valid path" (with messages) when root has
// no "raw/xmodel" folder; otherwise the window title becomes root, the listing starts, true.
bool LoadXmodelListForGame(ScreenContext& ctx, const std::string& root, bool withMessages);

// ---- Model list and tags tree -----------------------------------------------------------------

// The clear button beside "xmodel_search": empties the search box.
void OnClearSearch(ScreenContext& ctx);
// A highlighted row of the tree "Xmodel_tags": marks the bone of that name in the 3D view when it
// exists. Always true.
bool OnTagRowClicked(ScreenContext& ctx, const TreeRow* row);

// ---- Light settings ---------------------------------------------------------------------------

// The colour of moving light 0 or 1, and of the main light (channels 0..1).
void OnLight1Color(ScreenContext& ctx, float r, float g, float b);
void OnLight2Color(ScreenContext& ctx, float r, float g, float b);
void OnMainLightColor(ScreenContext& ctx, float r, float g, float b);
// The constant, linear and exponential attenuation of moving light 0 or 1.
void OnLight1AttConstant(ScreenContext& ctx, float v);
void OnLight1AttLinear(ScreenContext& ctx, float v);
void OnLight1AttExp(ScreenContext& ctx, float v);
void OnLight2AttConstant(ScreenContext& ctx, float v);
void OnLight2AttLinear(ScreenContext& ctx, float v);
void OnLight2AttExp(ScreenContext& ctx, float v);
// The main light's diffuse and ambient intensities, the specular intensity and power.
void OnMainLightDiffuse(ScreenContext& ctx, float v);
void OnMainLightAmbient(ScreenContext& ctx, float v);
void OnSpecularIntensity(ScreenContext& ctx, float v);
void OnSpecularPower(ScreenContext& ctx, float v);
// The drop-down "Default" / "Phong": the settings' light_model = index; true; false (nothing
// changes) for any other index.
bool OnShaderChanged(ScreenContext& ctx, int index);

// ---- Sounds -------------------------------------------------------------------------------------

// The slider "master_volume" (0..1): 0 mutes, a value above 0 while muted unmutes; the listener
// gain and the settings' volume become v.
void OnMasterVolume(ScreenContext& ctx, float v);

// ---- OpenGL settings --------------------------------------------------------------------------

// The text boxes "active_fps" and "sleep_fps": the whole decimal number the text begins with (in
// any locale; text after it is ignored), when above 30 (above 10), becomes the active (inactive)
// frame cap, clamped as the settings file clamps it (at most 999; the active cap never below the
// inactive one), and is logged ("ActiveFPS set to: %i", "InactiveFPS set to: %i") when it
// changed; a number not above the bound is ignored; a text that is no number keeps the old value
// and shows an error. Afterwards the text box shows the cap in force.
void OnActiveFpsText(ScreenContext& ctx, const std::string& text);
void OnSleepFpsText(ScreenContext& ctx, const std::string& text);
// The grid and background colour pickers (channels 0..1): the view takes the colour now and the
// settings keep it packed.
void OnGridColor(ScreenContext& ctx, float r, float g, float b);
void OnBackgroundColor(ScreenContext& ctx, float r, float g, float b);

// ---- General settings -------------------------------------------------------------------------

// The reset buttons of the three game roots: the root becomes "Set Path", and its text box shows it.
void OnResetCod4Path(ScreenContext& ctx);
void OnResetCod5Path(ScreenContext& ctx);
void OnResetCodBOPath(ScreenContext& ctx);
// The reset buttons of "output_dir" and "output_GDT_dir": the folder becomes "Running Directory"
// (the program's "exported" or "GDTs" folder), and its text box shows it.
void OnResetExportFolder(ScreenContext& ctx);
void OnResetGDTFolder(ScreenContext& ctx);
// The "..." buttons of the game roots: a chosen folder that holds "raw/xmodel" becomes the root
// (its text box shows it, the IWD tool takes it and counts its images); any other folder is
// refused with an error ("No 'raw' folder found ..." when it has no "raw" folder) and the old root
// stays. Cancel changes nothing. The active game and the model list follow the new root at the
// next game switch or start.
void OnPickCod4Root(ScreenContext& ctx);
void OnPickCod5Root(ScreenContext& ctx);
void OnPickCodBORoot(ScreenContext& ctx);
// The "..." buttons of "output_dir" and "output_GDT_dir": a chosen folder becomes the export
// (GDT) folder and its text box shows it. Cancel changes nothing.
void OnPickExportFolder(ScreenContext& ctx);
void OnPickGDTFolder(ScreenContext& ctx);
// The path text boxes and the mouse-control labels: nothing.
void OnTextChanged(ScreenContext& ctx, const std::string& text);
// The drop-down "COD 4" / "COD 5" / "COD BO": SetActiveGame with messages; its result.
bool OnActiveGameChanged(ScreenContext& ctx, int index);
// The drop-down "Normal Mode" / "SYNC writes": the log's mode and the settings' log_type; false
// (nothing changes) for any other index.
bool OnLoggingMode(ScreenContext& ctx, int index);
// The button "Check for Updates": the update check in manual mode.
void OnCheckForUpdates(ScreenContext& ctx);

// ---- Export settings --------------------------------------------------------------------------

// The drop-down "DDS" / "TGA": the settings' as_tga = index (the jobs queued from now on write
// colour maps in that format); true; false (nothing changes) for any other index.
bool OnImageFormat(ScreenContext& ctx, int index);
// The text box "model_scale": the number the text begins with (in any locale; text after it is
// ignored), when between 0 and 999 (both excluded), becomes the scale (SetModelScale); otherwise
// an error box says why, the scale stays and the text box shows it again. An equal value changes
// nothing.
void OnModelScaleText(ScreenContext& ctx, const std::string& text);

// ---- Hot keys, misc, theme, fast files --------------------------------------------------------

// The drop-down "Maya Style" / "Asset Viewer": opens that scheme's mouse panel, closes the other,
// and stores the scheme; false (nothing changes) for any other index.
bool OnMouseScheme(ScreenContext& ctx, int index);
// The IWD mover's drop-down "COD 4" / "COD 5" / "COD BO": the mover's game choice; true; false
// (nothing changes) for any other index.
bool OnIWDGameChanged(ScreenContext& ctx, int index);
// The button "Move IWD's Over": resets the tool's progress texts and starts its image check for
// the chosen game's root; a choice of no game shows "Unkown Game selected in dropbox." only.
void OnMoveIWDs(ScreenContext& ctx);
// The drop-down "Dark Theme" / "Grey Theme" / "Blue Theme": the frame's colour theme; false for
// an index of no theme.
bool OnThemeChanged(ScreenContext& ctx, int index);
// The button "FASTFILE SCANNER": a message that models inside fast files are exported with
// another tool.
void OnFastFileScanner(ScreenContext& ctx);
