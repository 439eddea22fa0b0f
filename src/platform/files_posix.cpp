// File services on POSIX.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>

namespace platform {

bool IsRegularFile(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

bool IsDirectory(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

bool PathExists(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0;
}

namespace {

// Looks in folder for an entry named like name, ignoring ASCII case. Empty when none.
std::string FindEntryIgnoringCase(const std::string& folder, const std::string& name) {
  DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
  if (!dir) return {};
  std::string found;
  while (dirent* entry = ::readdir(dir)) {
    if (::strcasecmp(entry->d_name, name.c_str()) == 0) {
      found = entry->d_name;
      break;
    }
  }
  ::closedir(dir);
  return found;
}

}  // namespace

std::string ResolvePathCaseInsensitive(const std::string& path) {
  if (path.empty()) return {};
  if (PathExists(path)) return path;
  // Walk the components; keep each one that exists as written, else look it up.
  std::string resolved;
  size_t pos = 0;
  if (path[0] == '/') {
    resolved = "/";
    pos = 1;
  }
  while (pos <= path.size()) {
    size_t end = path.find('/', pos);
    if (end == std::string::npos) end = path.size();
    std::string part = path.substr(pos, end - pos);
    pos = end + 1;
    if (part.empty() || part == ".") {
      if (end == path.size()) break;
      continue;
    }
    std::string candidate = resolved.empty() ? part : (resolved.back() == '/' ? resolved + part : resolved + "/" + part);
    if (part != ".." && !PathExists(candidate)) {
      std::string match = FindEntryIgnoringCase(resolved.empty() ? "." : resolved, part);
      if (match.empty()) return {};
      candidate = resolved.empty() ? match : (resolved.back() == '/' ? resolved + match : resolved + "/" + match);
    }
    resolved = candidate;
    if (end == path.size()) break;
  }
  return PathExists(resolved) ? resolved : std::string();
}

bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes) {
  bytes.clear();
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st;
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
  if (ok) {
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
      ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      done += static_cast<size_t>(n);
    }
    bytes.resize(done);  // a file that shrank while being read keeps what was read
  }
  ::close(fd);
  if (!ok) bytes.clear();
  return ok;
}

bool ReplaceFileAtomically(const std::string& path, const void* data, size_t size) {
  std::string temp = path + ".tmp" + std::to_string(::getpid());
  int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const char* bytes = static_cast<const char*>(data);
  size_t done = 0;
  bool ok = true;
  while (done < size) {
    ssize_t n = ::write(fd, bytes + done, size - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) {
      ok = false;
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && ::rename(temp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

bool CreateFolders(const std::string& path) {
  if (path.empty()) return false;
  std::string partial;
  size_t pos = 0;
  while (pos != std::string::npos) {
    pos = path.find('/', pos + 1);
    partial = path.substr(0, pos);
    if (partial.empty() || IsDirectory(partial)) continue;
    if (::mkdir(partial.c_str(), 0755) != 0 && errno != EEXIST) return false;
  }
  return IsDirectory(path);
}

std::string ProgramPath() {
  char buf[PATH_MAX];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return {};
  return std::string(buf, static_cast<size_t>(n));
}

std::string ProgramFolder() {
  std::string path = ProgramPath();
  size_t cut = path.find_last_of('/');
  if (cut == std::string::npos) return path;
  return cut == 0 ? std::string("/") : path.substr(0, cut);
}

}  // namespace platform
