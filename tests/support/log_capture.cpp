#include "log_capture.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>

#include "core/log.h"
#include "core/settings.h"

LogCapture::LogCapture() : savedLogXmodel_(gSettings.log_xmodel), savedLogWarn_(gSettings.log_warn) {
  char name[] = "/tmp/delvix_log_XXXXXX";
  int fd = ::mkstemp(name);
  if (fd >= 0) ::close(fd);
  path_ = name;
  gSettings.log_xmodel = true;
  gSettings.log_warn = false;
  VornLog::SetFileName(path_);
}

LogCapture::~LogCapture() {
  VornLog::SetFileName("");
  gSettings.log_xmodel = savedLogXmodel_;
  gSettings.log_warn = savedLogWarn_;
  std::remove(path_.c_str());
}

std::vector<std::string> LogCapture::Lines() const {
  std::vector<std::string> lines;
  std::lock_guard<std::mutex> lock(LogWriteMutex);  // no line is half written while we read
  std::ifstream in(path_);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

bool LogCapture::Has(const std::string& text) const { return Count(text) > 0; }

int LogCapture::Count(const std::string& text) const {
  auto lines = Lines();
  return static_cast<int>(std::count(lines.begin(), lines.end(), text));
}
