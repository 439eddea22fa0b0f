#include "core/timer.h"

#include <gtest/gtest.h>

#include <cctype>
#include <thread>

#include "log_support.h"

namespace {

TEST(Timer, CountsMillisecondsSinceInit) {
  Timer::Init();
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  float first = Timer::ElapsedMs();
  EXPECT_GE(first, 30.0f);
  EXPECT_LT(first, 10000.0f);
  EXPECT_EQ(Timer::NowMs(), first);
  float second = Timer::ElapsedMs();
  EXPECT_GE(second, first);
  EXPECT_EQ(Timer::NowMs(), second);

  Timer::Init();  // starts again from zero
  EXPECT_LT(Timer::ElapsedMs(), first);
}

// True when line is label + "^7(" + a number with one decimal + " ms)".
bool IsTimerLine(const std::string& line, const std::string& label) {
  const std::string head = label + "^7(", tail = " ms)";
  if (line.size() < head.size() + tail.size() + 3 || line.compare(0, head.size(), head) != 0 ||
      line.compare(line.size() - tail.size(), tail.size(), tail) != 0)
    return false;
  std::string number = line.substr(head.size(), line.size() - head.size() - tail.size());
  size_t dot = number.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 2 != number.size()) return false;
  for (size_t i = 0; i < number.size(); ++i) {
    if (i != dot && !std::isdigit(static_cast<unsigned char>(number[i]))) return false;
  }
  return true;
}

using ScopedTimerLog = LogFileTest;

TEST_F(ScopedTimerLog, LogsTheLabelAndTheTimeTaken) {
  Timer::Init();
  { ScopedTimer timer("^2Loaded Images"); }
  { ScopedTimer timer("100% done "); }  // a "%" in a label is text, not a format
  std::vector<std::string> lines = LogLines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(IsTimerLine(lines[0], "^2Loaded Images")) << lines[0];
  EXPECT_TRUE(IsTimerLine(lines[1], "100% done ")) << lines[1];
}

}  // namespace
