#include "support/unprivileged.h"

#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>

namespace testing_support {

int RunUnprivileged(const std::function<int()>& body) {
  const pid_t child = fork();
  if (child < 0) return -1;
  if (child == 0) {
    if (geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(kCannotDropPrivileges);
    if (geteuid() == 0) _exit(kCannotDropPrivileges);
    _exit(body());
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child || !WIFEXITED(status)) return -1;
  return WEXITSTATUS(status);
}

void LetOthersIn(const std::string& folder) {
  namespace fs = std::filesystem;
  const fs::perms others = fs::perms::others_read | fs::perms::others_exec;
  fs::permissions(folder, others, fs::perm_options::add);
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_directory()) fs::permissions(entry.path(), others, fs::perm_options::add);
  }
}

}  // namespace testing_support
