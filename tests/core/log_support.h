#pragma once
// LogFileTest: a fixture that sends VornLog's lines to a file of its own (LogCapture), in mode 1,
// not keeping message lines, and puts the log's mode, kept-line switch and box hook back afterwards.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/log.h"
#include "support/log_capture.h"

class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VornLog::SetMode(VornLog::kModeSync);
    VornLog::KeepMessages(false);
  }
  void TearDown() override {
    VornLog::Close();
    VornLog::SetMode(VornLog::kModeSync);
    VornLog::KeepMessages(false);
    VornLog::SetBoxHook(nullptr);
  }

  const std::string& LogPath() const { return capture_.Path(); }
  // The lines of the log file, without their "\n".
  std::vector<std::string> LogLines() const { return capture_.Lines(); }

  LogCapture capture_;
};
