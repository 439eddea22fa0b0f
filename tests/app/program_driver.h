#pragma once
// Driving the real program in the test's process: its main loop runs on the test's thread, the
// test's steps on another. A program folder of the test's own holds the built run-time assets and
// a settings file; real input comes through xdotool on the test's X server.
#include <functional>
#include <future>
#include <string>
#include <vector>

#include "core/item_rect.h"
#include "platform/main_thread.h"
#include "support/temp_folder.h"

namespace testing_support {

// Runs fn on the program's main thread, between frames, and returns its result.
template <class Fn>
auto OnMainThread(Fn fn) {
  std::promise<decltype(fn())> result;
  auto future = result.get_future();
  platform::PostToMainThread([&] { result.set_value(fn()); });
  return future.get();
}

// Runs the program from programFolder; drive runs on another thread once the main loop serves
// posted tasks (the GL driver is then kept loaded, so leak reports stay attributable), and the
// program is asked to end when drive returns, or when the main loop never came. Returns the
// program's exit code.
int RunProgramDriven(const std::string& programFolder, const std::function<void()>& drive);

// Links the built program's run-time assets (shaders, images, fonts, sounds, the GUI texture
// list) into folder, a test's own program folder.
void LinkProgramAssets(const std::string& folder);

// Converts a screenshot of the program (a DDS file) into <build>/tests/screenshots/<name>.png,
// kept for a person to look at, and prints where with what. False when it could not be written.
bool KeepScreenshot(const std::string& dds, const std::string& name, const std::string& what);

// A program folder of a test's own, with the built program's run-time assets and a settings file
// that names the real game files' three game roots and makes Cod4 the active game. extraOpenglSettings go into the
// "opengl" section, extraSections after it.
class ProgramFolder {
 public:
  explicit ProgramFolder(const std::string& extraOpenglSettings = "", const std::string& extraSections = "");
  // Gives the folder its own images/: the built images, with `name` replaced by bytes.
  void ReplaceImage(const std::string& name, const std::vector<uint8_t>& bytes) const;
  std::string Root() const { return folder_.Root(); }
  std::string Path(const std::string& name) const { return folder_.Root() + "/" + name; }
  // The whole of a file of the folder ("" when it cannot be read).
  std::string Read(const std::string& name) const { return folder_.Read(name); }
  std::string Log() const { return Read("Log.txt"); }

 private:
  TempFolder folder_;
};

// Runs the program in folder; drive runs on another thread once the model list of the active game
// is listed, and the program is asked to end when it returns. A fatal error box is printed, not
// shown. Returns the program's exit code.
int RunProgramWith(const ProgramFolder& folder, const std::function<void()>& drive);

// Loads a model of the active game as a row of the model list does and waits until it is drawn.
bool LoadAndWaitUntilDrawn(const char* name);
// Whether the 3D view of the running program draws a model, and the name of the one it draws
// ("" when none), read under the frame mutex as the frame reads them.
bool ModelDrawn();
std::string DrawnModelName();
// Points the camera at the loaded model from in front of it and a little above its centre, at
// about one and a half of its heights (Z is up), so a standing character is wholly in view.
void LookAtWholeModel();
// The rectangle of an item of a menu of the running program in client pixels (the menu's place
// added); kind is "TextButton", "ImageButton", "ListBox", "TextBox", "TreeView", "CheckBox",
// "Slider" or "BoundList", index picks among the menu's items of that kind. {-1, -1, 0, 0}
// when there is no such item.
ItemRect ItemOnScreen(const std::string& menu, const std::string& kind, size_t index = 0);
inline int CentreX(const ItemRect& r) { return r.x + r.w / 2; }
// The rows the model list shows now (its search box's filter applied).
size_t ShownModelCount();
// Waits until the menu name of the running program shows (hides) and its transition has ended;
// false when it does not within a minute.
bool MenuShown(const std::string& name);
bool MenuHidden(const std::string& name);
inline int CentreY(const ItemRect& r) { return r.y + r.h / 2; }

// Presses F2 (take_screen_shot) and waits for the file "VornDelvix_screenshot.dds".
bool TakeScreenShot(const ProgramFolder& folder);
// Keeps the folder's screenshot for a person to look at as <build>/tests/screenshots/<name>.png;
// its path, or "" when it could not be converted (Pillow missing).
std::string KeepScreenshot(const ProgramFolder& folder, const std::string& name);

// ---- Real input through xdotool, in the program window's client coordinates --------------------

// An X server of the test's own for the tests that drive the program with real input: the
// pointer and the stacking of windows are the server's, so other tests running beside this one
// (each with its program window) must not share them. The program and xdotool reach it through
// DISPLAY, which is set back when the server ends. screen is Xvfb's "<width>x<height>x<depth>".
class OwnXServer {
 public:
  explicit OwnXServer(const std::string& screen = "1280x1024x24");
  ~OwnXServer();
  OwnXServer(const OwnXServer&) = delete;
  OwnXServer& operator=(const OwnXServer&) = delete;
  bool Running() const { return !display_.empty(); }

 private:
  int pid_ = -1;
  std::string display_, oldDisplay_;
};

// A window whose name starts with prefix is on screen (looked up by xwininfo, which reads the
// UTF-8 names SDL gives, where xdotool's name search does not).
bool WindowShown(const std::string& prefix);

// xdotool is installed.
bool XdotoolAvailable();

// Runs xdotool with args; its standard output, trimmed.
std::string Xdotool(const std::string& args);
// The program's main window (the first window of its title), or "".
std::string ProgramWindow();
// Moves the pointer to (x, y) of the window and waits until the GUI has seen it there and drawn a
// few frames with it (frames are slow when other tests share the machine).
bool XdotoolMove(const std::string& window, int x, int y);
// Presses the left button where the pointer is, holds it until the GUI has seen the press and
// drawn a few frames, and releases it (unless release is false).
bool XdotoolPress(int x, int y, bool release = true);
// A click as a hand makes it: moved there first, the button held for some frames.
bool XdotoolClick(const std::string& window, int x, int y);
// A user at the desktop's folder chooser titled title: waits for it, keeps a screenshot of the
// screen as <build>/tests/screenshots/<screenshot>.png and chooses the folder it opened on (Return),
// again should the first key arrive before the dialog takes it. False when no chooser showed within
// a minute and a half.
bool ChooseFolderInChooser(const std::string& title, const std::string& screenshot);
// Clicks the centre of an item of a menu (kind and index as ItemOnScreen); false when there is no
// such item or the GUI did not see the click.
bool ClickItem(const std::string& window, const std::string& menu, const std::string& kind, size_t index = 0);
// Clicks the point (x, y) of the menu name of the running program (the menu's place added).
bool ClickInMenu(const std::string& window, const std::string& menu, int x, int y);
// Opens the drop-down at rect (in its menu's coordinates) of menu by its arrow; picks option
// number option of the open drop-down at rect.
bool OpenDropDown(const std::string& window, const std::string& menu, const ItemRect& rect);
bool PickOption(const std::string& window, const std::string& menu, const ItemRect& rect, int option);
// A user picks a folder in the settings: the settings hot key "s" opens the panel on its general
// tab, a click on the "..." button of folder row (0 Cod4, 1 Cod5, 2 Cod BO root, 3 export, 4 GDT
// folder) opens the desktop's folder chooser titled title, answered as ChooseFolderInChooser does.
// False when the panel or the chooser did not show.
bool PickFolderInSettings(const std::string& window, int row, const std::string& title, const std::string& screenshot);
// Drags with the left button held from (x0, y0) to (x1, y1) in steps, as a hand does.
bool XdotoolDrag(const std::string& window, int x0, int y0, int x1, int y1);
// Taps a key (an xdotool key name such as "z" or "space") in window and lets frames see it.
void XdotoolKey(const std::string& window, const std::string& key);

}  // namespace testing_support
