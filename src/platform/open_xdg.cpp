// Opening files, folders and web addresses with xdg-open, started without a shell.
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <mutex>

#include "platform/open.h"

namespace platform {

namespace {

std::mutex gHookMutex;
std::function<void(const std::string&)> gHook;

// The first executable file named name in the folders of PATH; empty when none.
std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "/usr/local/bin:/usr/bin:/bin";
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    std::string folder = folders.substr(start, end - start);
    std::string candidate = (folder.empty() ? "." : folder) + "/" + name;
    struct stat st;
    if (::stat(candidate.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return {};
}

// Runs program with one argument, detached: a child forks the opener and ends at once, so
// the opener belongs to init and never becomes a zombie of ours. True when exec succeeded.
bool SpawnDetached(const std::string& program, const std::string& argument) {
  int report[2];  // the opener's exec error, if any; closed by a successful exec
  if (::pipe2(report, O_CLOEXEC) != 0) return false;
  char* argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(argument.c_str()), nullptr};
  pid_t child = ::fork();
  if (child == 0) {
    pid_t opener = ::fork();
    if (opener == 0) {
      ::setsid();  // its own session: a Ctrl+C in our terminal does not end it
      ::execv(argv[0], argv);
      int error = errno;
      [[maybe_unused]] ssize_t n = ::write(report[1], &error, sizeof error);
      ::_exit(127);
    }
    ::_exit(opener < 0 ? 1 : 0);
  }
  ::close(report[1]);
  bool started = false;
  if (child > 0) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    int error = 0;
    ssize_t n;
    while ((n = ::read(report[0], &error, sizeof error)) < 0 && errno == EINTR) {
    }
    started = WIFEXITED(status) && WEXITSTATUS(status) == 0 && n == 0;
  }
  ::close(report[0]);
  return started;
}

}  // namespace

bool OpenWithDesktop(const std::string& target) {
  if (target.empty()) return false;
  std::string argument = target[0] == '-' ? "./" + target : target;
  std::function<void(const std::string&)> hook;
  {
    std::lock_guard<std::mutex> lock(gHookMutex);
    hook = gHook;
  }
  if (hook) {
    hook(argument);
    return true;
  }
  std::string opener = FindOnPath("xdg-open");
  return !opener.empty() && SpawnDetached(opener, argument);
}

void SetOpenHook(std::function<void(const std::string& target)> hook) {
  std::lock_guard<std::mutex> lock(gHookMutex);
  gHook = std::move(hook);
}

}  // namespace platform
