#pragma once
// The GUI's five sounds: registered by name from the program folder's sounds/ once the GUI is
// built, and played by the GUI ("menu_focus", "menu_accept", "error_msg"), the splash ("hello")
// and the job thread ("export_done").
class VornSound;

// Registers the five sounds with sound, in this order: "menu_focus", "menu_accept", "hello",
// "export_done", "error_msg", each from its file under "sounds/" (relative to the working folder).
// A file that cannot be loaded is logged by VornSound::Load and that sound stays silent.
void RegisterGUISounds(VornSound& sound);
