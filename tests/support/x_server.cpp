// Private Xvfb servers and tool runs for window tests.
#include "support/x_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <thread>

namespace testing_support {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return left > 0 ? static_cast<int>(left) : 0;
}

// Reads from fd until EOF or the deadline; false on timeout.
bool ReadAll(int fd, std::string& out, Clock::time_point deadline, bool stopAtNewline) {
  char buf[4096];
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    int left = MsLeft(deadline);
    if (left == 0) return false;
    int r = ::poll(&p, 1, left);
    if (r < 0 && errno == EINTR) continue;
    if (r <= 0) return false;
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return true;
    out.append(buf, static_cast<size_t>(n));
    if (stopAtNewline && out.find('\n') != std::string::npos) return true;
  }
}

// Forks and execs argv with stdout to outFd (or /dev/null) and stderr to /dev/null.
pid_t Spawn(const std::vector<std::string>& argv, int outFd, int keepFd) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  pid_t pid = ::fork();
  if (pid == 0) {
    int null = ::open("/dev/null", O_RDWR);
    ::dup2(null, 0);
    ::dup2(outFd >= 0 ? outFd : null, 1);
    ::dup2(null, 2);
    if (keepFd >= 0) ::fcntl(keepFd, F_SETFD, 0);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
  return pid;
}

int WaitExit(pid_t pid) {
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

PrivateXServer::~PrivateXServer() {
  if (windowManagerPid_ > 0) {
    ::kill(windowManagerPid_, SIGTERM);
    WaitExit(windowManagerPid_);
  }
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    WaitExit(pid_);
  }
}

bool PrivateXServer::Start(std::string& error) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) {
    error = "pipe failed";
    return false;
  }
  // Xvfb writes the display number it took to the descriptor given with -displayfd.
  pid_ = Spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", "1024x768x24", "-nolisten", "tcp",
                "-ac", "-noreset"},
               -1, fds[1]);
  ::close(fds[1]);
  std::string number;
  bool read = pid_ > 0 && ReadAll(fds[0], number, Clock::now() + std::chrono::seconds(30), true);
  ::close(fds[0]);
  while (!number.empty() && (number.back() == '\n' || number.back() == ' ')) number.pop_back();
  if (!read || number.empty()) {
    error = "Xvfb did not start";
    return false;
  }
  display_ = ":" + number;
  ::setenv("DISPLAY", display_.c_str(), 1);
  return true;
}

bool PrivateXServer::StartWindowManager(std::string& error) {
  windowManagerPid_ = Spawn({"openbox", "--sm-disable"}, -1, -1);
  // A managing window manager names its check window on the root window.
  bool up = windowManagerPid_ > 0 && WaitUntil(
                                         [] {
                                           std::string out;
                                           RunTool({"xprop", "-root", "_NET_SUPPORTING_WM_CHECK"}, &out, 10000);
                                           return out.find("window id") != std::string::npos;
                                         },
                                         30000);
  if (!up) error = "openbox did not start";
  return up;
}

int StartProcess(const std::vector<std::string>& argv, int outFd) { return Spawn(argv, outFd, -1); }

void EndProcess(int pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  WaitExit(pid);
}

int RunTool(const std::vector<std::string>& argv, std::string* output, int timeoutMs) {
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return -1;
  pid_t pid = Spawn(argv, fds[1], -1);
  ::close(fds[1]);
  if (pid < 0) {
    ::close(fds[0]);
    return -1;
  }
  std::string out;
  bool finished = ReadAll(fds[0], out, Clock::now() + std::chrono::milliseconds(timeoutMs), false);
  ::close(fds[0]);
  if (!finished) ::kill(pid, SIGKILL);
  int code = WaitExit(pid);
  if (output) *output = out;
  return finished ? code : -1;
}

std::string FindShownWindow(const std::string& title) {
  std::string out;
  if (RunTool({"xwininfo", "-name", title}, &out, 10000) != 0) return {};
  if (out.find("IsViewable") == std::string::npos) return {};
  size_t at = out.find("Window id: ");
  if (at == std::string::npos) return {};
  at += 11;
  return out.substr(at, out.find(' ', at) - at);
}

void TypeIntoWindow(const std::string& id, const std::vector<std::vector<std::string>>& keys) {
  RunTool({"xdotool", "windowfocus", "--sync", id}, nullptr, 5000);
  for (const auto& key : keys) {
    std::vector<std::string> argv = {"xdotool"};
    argv.insert(argv.end(), key.begin(), key.end());
    RunTool(argv);
  }
}

}  // namespace testing_support
