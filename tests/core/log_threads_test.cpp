// Many threads logging at once: every line arrives whole, exactly once, and the kept message lines
// are exactly the message lines written. Runs under ThreadSanitizer too.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "log_support.h"

namespace {

constexpr int kThreads = 8;
const std::string kPayload(200, 'x');  // long lines make a torn write visible

// Thread t writes lines "<kind> t<t> n<i> <payload>", cycling through the three line kinds.
void WriteLines(int thread, int count) {
  for (int i = 0; i < count; ++i) {
    switch (i % 3) {
      case 0: VornLog::Printf("plain t%d n%d %s", thread, i, kPayload.c_str()); break;
      case 1: VornLog::Messagef("message t%d n%d %s", thread, i, kPayload.c_str()); break;
      case 2: VornLog::Warningf("warn t%d n%d %s", thread, i, kPayload.c_str()); break;
    }
  }
}

class LogThreads : public LogFileTest, public ::testing::WithParamInterface<int> {};

TEST_P(LogThreads, NoLineIsTornOrLost) {
  const int mode = GetParam();
  const int perThread = mode == VornLog::kModeNormal ? 3000 : 600;  // mode 1 reopens per line
  VornLog::SetMode(mode);
  VornLog::KeepMessages(true);
  size_t keptBefore = VornLog::KeptMessages().size();

  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) threads.emplace_back(WriteLines, t, perThread);
  for (std::thread& thread : threads) thread.join();
  VornLog::Close();

  std::set<std::string> expected, expectedKept;
  char line[512];
  for (int t = 0; t < kThreads; ++t) {
    for (int i = 0; i < perThread; ++i) {
      const char* kind = i % 3 == 0 ? "plain" : i % 3 == 1 ? "message" : "------ WARNING: warn";
      std::snprintf(line, sizeof line, "%s t%d n%d %s", kind, t, i, kPayload.c_str());
      expected.insert(line);
      if (i % 3 == 1) expectedKept.insert(line);
    }
  }
  std::vector<std::string> lines = LogLines();
  EXPECT_EQ(lines.size(), expected.size());
  EXPECT_EQ(std::set<std::string>(lines.begin(), lines.end()), expected);

  std::vector<std::string> kept = VornLog::KeptMessages();
  ASSERT_GE(kept.size(), keptBefore);
  std::set<std::string> keptNow(kept.begin() + static_cast<long>(keptBefore), kept.end());
  EXPECT_EQ(kept.size() - keptBefore, expectedKept.size());
  EXPECT_EQ(keptNow, expectedKept);
}

INSTANTIATE_TEST_SUITE_P(BothModes, LogThreads, ::testing::Values(VornLog::kModeNormal, VornLog::kModeSync),
                         [](const testing::TestParamInfo<int>& info) {
                           return info.param == VornLog::kModeNormal ? std::string("Normal") : std::string("SyncEveryWrite");
                         });

// A reader of the kept lines (the GUI's log window) while the job thread appends.
using LogThreadReader = LogFileTest;

TEST_F(LogThreadReader, KeptLinesReadWhileAppended) {
  VornLog::SetMode(VornLog::kModeNormal);
  VornLog::KeepMessages(true);
  size_t before = VornLog::KeptMessages().size();
  std::thread writer([] {
    for (int i = 0; i < 2000; ++i) VornLog::Messagef("line %d", i);
  });
  size_t seen = 0;
  while (seen < before + 2000) {
    VornLog::WithKeptMessages([&](const std::vector<std::string>& lines) {
      EXPECT_GE(lines.size(), seen);
      seen = lines.size();
      if (seen > before) {
        EXPECT_EQ(lines.back(), "line " + std::to_string(seen - before - 1));
      }
    });
  }
  writer.join();
}

}  // namespace
