#pragma once
// LogFileTest: a fixture that points VornLog at Log.txt in a folder of its own, in mode 1, with the
// log settings at their defaults, and puts everything back afterwards.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "core/log.h"
#include "core/settings.h"
#include "support/temp_folder.h"

class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    VornLog::SetFileName(LogPath());
    VornLog::SetMode(VornLog::kModeSync);
    VornLog::KeepMessages(false);
    gSettings.log_xmodel = true;
    gSettings.log_warn = false;
  }
  void TearDown() override {
    VornLog::Close();
    VornLog::SetFileName("");
    VornLog::KeepMessages(false);
    VornLog::SetBoxHook(nullptr);
    gSettings.log_xmodel = true;
    gSettings.log_warn = false;
  }

  std::string LogPath() const { return folder_.Path("Log.txt"); }
  // The lines of Log.txt, without their "\n".
  std::vector<std::string> LogLines() const {
    std::vector<std::string> lines;
    std::istringstream in(folder_.Read("Log.txt"));
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }

  TempFolder folder_;
};
