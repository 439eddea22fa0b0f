// The callbacks of the settings screens that take numbers and choices: the model scale, the frame
// caps, the logging mode, the image format, the mouse scheme, the theme, the update check and the
// fast-file note.
#include <algorithm>

#include "core/log.h"
#include "core/strings.h"
#include "screens/callbacks.h"

namespace {

constexpr int32_t kMostFps = 999;  // the settings file's upper bound of both frame caps

// One of the two frame-cap text boxes.
struct FpsField {
  const char* box;        // the text box's name
  const char* logFormat;  // the line logged when the cap changes
  const char* errorText;  // shown for a text that is no number
  int32_t lowestTaken;    // the smallest number the box takes
};

constexpr FpsField kActiveFps{"active_fps", "ActiveFPS set to: %i", "Active FPS: Not a valid number", 31};
constexpr FpsField kSleepFps{"sleep_fps", "InactiveFPS set to: %i", "Inactive FPS: Not a valid number", 11};

// The cap typed into field's box: the number text begins with, when at least field.lowestTaken,
// held to the settings' upper bound; false for a number below it (ignored) and for a text that
// is no number (the error box says so).
bool ReadFpsText(ScreenContext& ctx, const FpsField& field, const std::string& text, int32_t& cap) {
  int32_t value = 0;
  if (!ReadLeadingInt(text.c_str(), value)) {
    ctx.gui.ShowError(field.errorText);
    return false;
  }
  if (value < field.lowestTaken) return false;
  cap = std::min(value, kMostFps);
  return true;
}

// Sets cap to value and logs the change; nothing when it holds value already.
void SetFpsCap(int32_t& cap, int32_t value, const FpsField& field) {
  if (cap == value) return;
  cap = value;
  VornLog::Printf(field.logFormat, value);
}

// The box of field shows cap, unless it shows that number already; so a refused or clamped
// value is never left on screen.
void ShowFpsCap(ScreenContext& ctx, const FpsField& field, const std::string& text, int32_t cap) {
  if (text != IntToString(cap)) ctx.gui.SetText(field.box, IntToString(cap));
}

}  // namespace

// ---- Numbers ------------------------------------------------------------------------------------

void SetModelScale(ScreenContext& ctx, float scale) {
  ctx.settings.scale = scale;
  VornLog::Printf("XmodelScale SetTo: %.2f", scale);
}

void OnActiveFpsText(ScreenContext& ctx, const std::string& text) {
  VornSettings& s = ctx.settings;
  int32_t cap = 0;
  // The active cap never falls below the inactive one (as the settings file holds them).
  if (ReadFpsText(ctx, kActiveFps, text, cap)) SetFpsCap(s.fps_active, std::max(cap, s.fps_sleep), kActiveFps);
  ShowFpsCap(ctx, kActiveFps, text, s.fps_active);
}

void OnSleepFpsText(ScreenContext& ctx, const std::string& text) {
  VornSettings& s = ctx.settings;
  int32_t cap = 0;
  if (ReadFpsText(ctx, kSleepFps, text, cap)) {
    SetFpsCap(s.fps_sleep, cap, kSleepFps);
    if (s.fps_active < s.fps_sleep) {
      SetFpsCap(s.fps_active, s.fps_sleep, kActiveFps);
      ctx.gui.SetText(kActiveFps.box, IntToString(s.fps_active));
    }
  }
  ShowFpsCap(ctx, kSleepFps, text, s.fps_sleep);
}

void OnModelScaleText(ScreenContext& ctx, const std::string& text) {
  double value = 0.0;
  if (!ReadLeadingDouble(text.c_str(), value)) {
    ctx.gui.ShowError("Model Scale: Not a valid float");
  } else if (!(value > 0.0 && value < 999.0)) {  // NaN is refused too
    ctx.gui.ShowError("Model Scale: Please enter\n a scale between 0-999");
  } else {
    const float scale = static_cast<float>(value);
    if (scale != ctx.settings.scale) SetModelScale(ctx, scale);
    return;
  }
  ctx.gui.SetText("model_scale", FloatToString(ctx.settings.scale));
}

// ---- Choices ------------------------------------------------------------------------------------

bool OnLoggingMode(ScreenContext& ctx, int index) {
  if (index == 0) {
    VornLog::SetMode(VornLog::kModeNormal);
    VornLog::Printf("Logging Mode Changed: %s", "Normal");
  } else if (index == 1) {
    VornLog::SetMode(VornLog::kModeSync);
    VornLog::Printf("Logging Mode Changed: %s", "Sync every write");
  } else {
    return false;
  }
  ctx.settings.log_type = index;
  return true;
}

bool OnImageFormat(ScreenContext& ctx, int index) {
  if (index < 0 || index > 1) return false;
  ctx.settings.as_tga = index;
  return true;
}

bool OnMouseScheme(ScreenContext& ctx, int index) {
  if (index == 0) {
    ctx.gui.ExecCmd("open Settings_hotkeys_mouse_maya; force_close Settings_hotkeys_mouse_assView;");
  } else if (index == 1) {
    ctx.gui.ExecCmd("open Settings_hotkeys_mouse_assView; force_close Settings_hotkeys_mouse_maya;");
  } else {
    return false;
  }
  ctx.settings.mouse_style = index;
  return true;
}

bool OnThemeChanged(ScreenContext& ctx, int index) { return ChangeTheme(ctx.themes, ctx.settings, index); }

// ---- Buttons ------------------------------------------------------------------------------------

void OnCheckForUpdates(ScreenContext& ctx) {
  if (ctx.hooks.checkForUpdates) {
    ctx.hooks.checkForUpdates();
  } else {
    VornLog::Warningf("Check for Updates: the update check is not built into this program");
  }
}

void OnFastFileScanner(ScreenContext& ctx) {
  ctx.gui.ShowMessage(
      "Models inside fast files (.ff) cannot be opened here. Export them from the fast file with a "
      "fast-file tool first, then open the exported model files from the model list.");
}

void OnTextChanged(ScreenContext&, const std::string&) {}
