#include "audio/gui_sounds.h"

#include "audio/vorn_sound.h"

void RegisterGUISounds(VornSound& sound) {
  struct GuiSound {
    const char* name;
    const char* file;
  };
  static constexpr GuiSound kSounds[] = {
      {"menu_focus", "sounds/menu_focus.wav"},
      {"menu_accept", "sounds/menu_accept.wav"},
      {"hello", "sounds/GLaDOS_Why_hello_there.wav"},
      {"export_done", "sounds/vorn_export.wav"},
      {"error_msg", "sounds/vorn_error.wav"},
  };
  for (const GuiSound& gui : kSounds) sound.Load(gui.file, gui.name);
}
