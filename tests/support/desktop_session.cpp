// Private D-Bus session, stand-in notification server and tray host for tray and notice tests.
#include "support/desktop_session.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <thread>

#include "support/wait_until.h"
#include "support/x_server.h"

namespace testing_support {

namespace {

// The first line a process writes to the pipe's read end, waiting up to 30 s.
std::string FirstLine(int fd) {
  std::string line;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  ::fcntl(fd, F_SETFL, O_NONBLOCK);
  char c;
  while (std::chrono::steady_clock::now() < deadline) {
    const ssize_t n = ::read(fd, &c, 1);
    if (n == 1) {
      if (c == '\n') return line;
      line += c;
    } else if (n == 0) {
      return line;
    } else {
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  return line;
}

// Starts argv and returns the first line it prints; pid receives its id.
std::string StartAndReadLine(const std::vector<std::string>& argv, int& pid) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return {};
  pid = StartProcess(argv, fds[1]);
  ::close(fds[1]);
  std::string line = pid > 0 ? FirstLine(fds[0]) : std::string();
  ::close(fds[0]);
  return line;
}

}  // namespace

DesktopSession::~DesktopSession() {
  StopTrayHost();
  EndProcess(serverPid_);
  EndProcess(busPid_);
}

bool DesktopSession::StartBus(const std::string& recordPath, std::string& error) {
  recordPath_ = recordPath;
  const std::string address =
      StartAndReadLine({"dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"}, busPid_);
  if (address.empty()) {
    error = "dbus-daemon did not start";
    return false;
  }
  ::setenv("DBUS_SESSION_BUS_ADDRESS", address.c_str(), 1);
  ::setenv("NO_AT_BRIDGE", "1", 1);  // no accessibility bus for the test's GTK
  // The system Python, which has the D-Bus and GLib bindings of the install script.
  const std::string script = std::string(DELVIX_SOURCE_DIR) + "/tests/support/notification_server.py";
  if (StartAndReadLine({"/usr/bin/python3", script, recordPath}, serverPid_) != "ready") {
    error = "the notification server did not start";
    return false;
  }
  return true;
}

std::vector<std::string> DesktopSession::Notices() const {
  std::vector<std::string> notices;
  std::ifstream file(recordPath_);
  for (std::string line; std::getline(file, line);) {
    if (!line.empty()) notices.push_back(line);
  }
  return notices;
}

bool DesktopSession::StartTrayHost(std::string& error) {
  StopTrayHost();
  trayPid_ = StartProcess({"trayer", "--edge", "bottom", "--align", "right", "--widthtype", "pixel", "--width", "120",
                           "--heighttype", "pixel", "--height", "28", "--SetDockType", "true", "--SetPartialStrut",
                           "true", "--transparent", "false", "--tint", "0x30343c"});
  const bool up = trayPid_ > 0 && WaitUntil([] { return RunTool({"xwininfo", "-name", "panel"}, nullptr, 10000) == 0; },
                                            30000);
  if (!up) error = "trayer did not start";
  // The panel is mapped once trayer owns the tray selection; a moment more lets it settle.
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return up;
}

void DesktopSession::StopTrayHost() {
  EndProcess(trayPid_);
  trayPid_ = -1;
}

}  // namespace testing_support
