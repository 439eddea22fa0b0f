#pragma once
// Test helpers for code that opens windows: a private virtual X server per test process, so
// tests that drive keyboard focus and the pointer never meet another test's windows, and a way
// to run the X tools (xdotool, xwininfo) with a time limit.
#include <string>
#include <vector>

#include "support/wait_until.h"

namespace testing_support {

// Starts Xvfb on a free display and points DISPLAY of this process (and of the tools it runs)
// at it. The server ends with the object.
class PrivateXServer {
 public:
  PrivateXServer() = default;
  ~PrivateXServer();
  PrivateXServer(const PrivateXServer&) = delete;
  PrivateXServer& operator=(const PrivateXServer&) = delete;

  // False (with the reason in error) when the server did not come up within 30 s.
  bool Start(std::string& error);
  // Starts a window manager (openbox) on the server and waits until it manages the screen.
  // Maximising, minimising, keeping on top and closing through the frame need one.
  bool StartWindowManager(std::string& error);
  const std::string& Display() const { return display_; }

 private:
  int pid_ = -1;
  int windowManagerPid_ = -1;
  std::string display_;
};

// Starts argv (no shell, searched on PATH) with stdout to outFd (or /dev/null) and stderr to
// /dev/null; the process id, or -1.
int StartProcess(const std::vector<std::string>& argv, int outFd = -1);
// Ends a process started with StartProcess (SIGTERM) and waits for it.
void EndProcess(int pid);

// Runs argv (no shell), capturing stdout into output when given. Kills it after timeoutMs.
// Returns the exit code, or -1 when it could not run or timed out.
int RunTool(const std::vector<std::string>& argv, std::string* output = nullptr, int timeoutMs = 30000);

// The id (xwininfo's hexadecimal form) of the shown top-level window titled title; "" while there
// is none, or while it is not mapped yet and so takes no keys.
std::string FindShownWindow(const std::string& title);

// Gives window id the keyboard focus, as a window manager would, and runs one xdotool call per
// entry of keys (the arguments after "xdotool", e.g. {"key", "ctrl+l"} or {"type", "text"}).
void TypeIntoWindow(const std::string& id, const std::vector<std::vector<std::string>>& keys);

}  // namespace testing_support
