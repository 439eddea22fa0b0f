#include "core/log.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fstream>

#include "core/settings.h"
#include "log_support.h"

namespace {

std::string Banner(const std::tm& t) {
  char text[256];
  std::snprintf(text, sizeof text,
                "*************************** Application Started (Version 1.041) : %d/%d/%d %d:%d:%d "
                "***************************",
                t.tm_mday, t.tm_mon + 1, t.tm_year + 1900, t.tm_hour, t.tm_min, t.tm_sec);
  return text;
}

std::tm LocalNow() {
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

using LogStart = LogFileTest;

TEST_F(LogStart, BeginsAFreshFileWithTheBannerAndTheModeLines) {
  std::ofstream(LogPath()) << "a line of the previous run\n";
  std::tm before = LocalNow();
  VornLog::Start();
  std::tm after = LocalNow();
  VornLog::SwitchModeForSetting(0);
  VornLog::Printf("first line");

  std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 6u);
  EXPECT_EQ(lines[0], "");
  EXPECT_TRUE(lines[1] == Banner(before) || lines[1] == Banner(after)) << lines[1];
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "Logging Mode: Sync every write");
  EXPECT_EQ(lines[4], "Logging Mode Changed: Normal");
  EXPECT_EQ(lines[5], "first line");
  EXPECT_EQ(VornLog::Mode(), VornLog::kModeNormal);
}

TEST_F(LogStart, OnlyLogType1KeepsSyncEveryWrite) {
  const std::pair<int, bool> cases[] = {{0, true}, {1, false}, {2, true}, {-1, true}};
  for (const auto& [logType, switches] : cases) {
    SCOPED_TRACE(logType);
    VornLog::SetMode(VornLog::kModeSync);
    VornLog::Start();
    VornLog::SwitchModeForSetting(logType);
    std::vector<std::string> lines = LogLines();
    EXPECT_EQ(lines.size(), switches ? 5u : 4u);
    EXPECT_EQ(VornLog::Mode(), switches ? VornLog::kModeNormal : VornLog::kModeSync);
    VornLog::Close();
  }
}

TEST_F(LogStart, WithoutAFileNameNothingIsWritten) {
  VornLog::SetFileName("");
  VornLog::Start();
  VornLog::Printf("lost");
  EXPECT_TRUE(LogLines().empty());
}

// Which operation writes what, and what is kept for the GUI's log window.
TEST_F(LogFileTest, GatesOfTheLineKinds) {
  enum Op { kPrintf, kMessagef, kMessage, kWarningf, kWarning };
  struct Case {
    Op op;
    bool logXmodel, logWarn, keep;
    const char* written;  // the line expected in the file, or null
    bool kept;
  };
  const Case cases[] = {
      {kPrintf, false, true, true, "text", false},
      {kMessagef, true, false, false, "text", false},  // before the GUI exists: written, not kept
      {kMessagef, true, false, true, "text", true},
      {kMessage, true, false, true, "text", true},
      {kMessagef, false, false, true, nullptr, false},  // log_xmodel off: neither written nor kept
      {kMessage, false, false, true, nullptr, false},
      {kWarningf, true, false, true, "------ WARNING: text", false},
      {kWarning, true, false, true, "------ WARNING: text", false},
      {kWarningf, true, true, true, nullptr, false},  // "Hide Warnings"
      {kWarning, true, true, true, nullptr, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    std::remove(LogPath().c_str());
    gSettings.log_xmodel = c.logXmodel;
    gSettings.log_warn = c.logWarn;
    VornLog::KeepMessages(c.keep);
    size_t keptBefore = VornLog::KeptMessages().size();
    switch (c.op) {
      case kPrintf: VornLog::Printf("%s", "text"); break;
      case kMessagef: VornLog::Messagef("%s", "text"); break;
      case kMessage: VornLog::Message("text"); break;
      case kWarningf: VornLog::Warningf("%s", "text"); break;
      case kWarning: VornLog::Warning("text"); break;
    }
    std::vector<std::string> lines = LogLines();
    if (c.written) {
      EXPECT_EQ(lines, std::vector<std::string>{c.written});
    } else {
      EXPECT_TRUE(lines.empty());
    }
    std::vector<std::string> kept = VornLog::KeptMessages();
    ASSERT_EQ(kept.size(), keptBefore + (c.kept ? 1 : 0));
    if (c.kept) {
      EXPECT_EQ(kept.back(), "text");
    }
  }
}

TEST_F(LogFileTest, ColourCodesPassUnchanged) {
  VornLog::KeepMessages(true);
  VornLog::Messagef("^2Loaded ^7%s", "model");
  EXPECT_EQ(LogLines(), std::vector<std::string>{"^2Loaded ^7model"});
  EXPECT_EQ(VornLog::KeptMessages().back(), "^2Loaded ^7model");
}

TEST_F(LogFileTest, SyncModeCreatesADeletedFileAgain) {
  VornLog::Printf("one");
  ASSERT_EQ(std::remove(LogPath().c_str()), 0);
  VornLog::Printf("two");
  EXPECT_EQ(LogLines(), std::vector<std::string>{"two"});

  // In the normal mode the file stays open: the line goes to the file that was open.
  VornLog::SetMode(VornLog::kModeNormal);
  VornLog::Printf("three");
  ASSERT_EQ(std::remove(LogPath().c_str()), 0);
  VornLog::Printf("four");
  EXPECT_TRUE(LogLines().empty());
  VornLog::Close();
  VornLog::Printf("five");  // after Close the next line opens the file again
  EXPECT_EQ(LogLines(), std::vector<std::string>{"five"});
}

TEST_F(LogFileTest, LongLinesAreCutAt1023Characters) {
  const std::string longText(5000, 'a');
  VornLog::KeepMessages(true);
  VornLog::Printf("%s", longText.c_str());
  VornLog::Warningf("%s", longText.c_str());
  VornLog::Messagef("%s", longText.c_str());
  VornLog::Write(longText);  // a finished text is written whole

  std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], std::string(1023, 'a'));
  EXPECT_EQ(lines[1], "------ WARNING: " + std::string(1023 - 16, 'a'));
  EXPECT_EQ(lines[2], std::string(1023, 'a'));
  EXPECT_EQ(lines[3], longText);
  EXPECT_EQ(VornLog::KeptMessages().back(), std::string(1023, 'a'));
}

TEST(ErrorCodeText, TextsOfTheResultCodes) {
  const std::pair<int32_t, const char*> cases[] = {
      {0, "Unknown Error"},
      {5, "Can't OpenFile"},
      {6, "File Handel failed due to permissions, please run program as admin"},
      {8, "File already loaded"},
      {10, "Unknown DDS Error"},
      {12, "Format Error"},
      {13, "COMP size error"},
      {20, "Unknown image format"},
      {24, "Error Number: 24"},  // success has no text of its own
      {7, "Error Number: 7"},
      {-3, "Error Number: -3"},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(ErrorCodeText(code), text) << code;
}

// The box hook stands in for the message box; it logs what it was shown, so the order of the
// error line and the box is visible in the file.
void LogTheBox(const std::string& caption, const std::string& text) { VornLog::Write("[box] " + caption + ": " + text); }

using LogDeathTest = LogFileTest;

TEST_F(LogDeathTest, FatalErrorWritesTheLineShowsTheBoxAndExitsWith1) {
  EXPECT_EXIT(
      {
        VornLog::SetBoxHook(LogTheBox);
        VornLog::FatalErrorf("Could not load %s", "shaders");
      },
      testing::ExitedWithCode(1), "");
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"------------ ERROR: Could not load shaders",
                                                  "[box] Vorn_Kesh - Critical Error: Could not load shaders"}));
}

TEST_F(LogFileTest, OpenGLErrorWritesTheLineShowsTheBoxAndReturns) {
  VornLog::SetBoxHook(LogTheBox);
  VornLog::OpenGLErrorf(0x0501, "glTexImage2D %d", 2);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"------------ OpenGl ERROR: glTexImage2D 2: invalid value",
                                                  "[box] Vorn_Kesh - OpenGl Error: glTexImage2D 2: invalid value"}));
}

}  // namespace
