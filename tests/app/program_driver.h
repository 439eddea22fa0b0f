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

}  // namespace testing_support
