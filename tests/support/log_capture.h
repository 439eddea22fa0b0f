#pragma once
// LogCapture: sends VornLog's lines to a fresh temporary file for the life of the object and reads
// them back, so a test can check the exact lines a piece of code wrote. Message lines are written
// (log_xmodel is set while it lives); warnings too (log_warn is cleared).
#include <string>
#include <vector>

class LogCapture {
 public:
  LogCapture();
  ~LogCapture();
  LogCapture(const LogCapture&) = delete;
  LogCapture& operator=(const LogCapture&) = delete;

  // Every line written so far, in order, without line ends.
  std::vector<std::string> Lines() const;
  // True when some line equals text exactly.
  bool Has(const std::string& text) const;
  // Number of lines that equal text exactly.
  int Count(const std::string& text) const;
  // The file the lines go to.
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
  bool savedLogXmodel_;
  bool savedLogWarn_;
};
