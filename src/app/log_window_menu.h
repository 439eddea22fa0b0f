#pragma once
// The log window: the framed window "xmodel_log" ("Xmodel Log") with the bound list "XmodelLog"
// showing the message lines the log keeps, following new lines. Its position and size live in
// the settings (xmodel_win_log, xmodel_win_log_size) and are saved with them.
class VornOpenGL;

// Starts the log keeping its message lines and adds the window to the application's GUI. Main
// thread, at start-up, before the first resize lays the menus out.
void BuildLogWindow(VornOpenGL& app);
