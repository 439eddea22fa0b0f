#pragma once
// Driving the real program in the test's process: its main loop runs on the test's thread, the
// test's steps on another.
#include <functional>
#include <future>
#include <string>

#include "platform/main_thread.h"

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

// Converts the program's screenshot (a DDS file) into <build>/tests/screenshots/<name>.png, kept
// for a person to look at, and prints where with what. False when it could not be written.
bool KeepScreenshot(const std::string& dds, const std::string& name, const std::string& what);

// ---- Real input through xdotool, on the X server of DISPLAY ------------------------------------

// Runs xdotool with args (shell words); its standard output, trimmed.
std::string Xdotool(const std::string& args);

// Moves the pointer to client point (x, y) of the program's window and waits until the GUI has
// seen it there and drawn a few frames with it (frames are slow when other tests share the machine).
bool XdotoolMove(const std::string& window, int x, int y);

// Presses the left button where the pointer is, holds it until the GUI has seen the press at
// (x, y) and drawn a few frames, and releases it unless release is false.
bool XdotoolPress(int x, int y, bool release = true);

// A click as a hand makes it: moved there first, the button held for some frames.
bool XdotoolClick(const std::string& window, int x, int y);

}  // namespace testing_support
