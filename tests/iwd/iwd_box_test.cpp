// The values the tool hands to its box: progress texts, the bar's width and the end message.
#include "iwd/iwd_box.h"

#include <gtest/gtest.h>

TEST(IwdBox, ProgressBarWidth) {
  const struct {
    int current, count, width;
  } cases[] = {{2, 4, 75}, {1, 4, 37}, {4, 4, 150}, {0, 12, 0}, {11, 15, 109}, {0, 0, 0}, {3, 0, 0}};
  for (const auto& c : cases) EXPECT_EQ(ScanProgressValue(c.current, c.count), c.width) << c.current << "/" << c.count;
}

TEST(IwdBox, ImageCountsText) {
  EXPECT_EQ(IwiProgressText(0, 0), kIwiProgressResetText);
  EXPECT_EQ(IwiProgressText(12, 3), "\n\n12\n\n3");
}

TEST(IwdBox, FailureMessageNamesTheFirstFailuresAndCountsTheRest) {
  EXPECT_EQ(ScanFailureMessage({}), "");
  const std::string two = ScanFailureMessage({"a.iwd: CRC error", "b.iwd: not a ZIP archive (or cut short)"});
  EXPECT_NE(two.find("\na.iwd: CRC error\nb.iwd: not a ZIP archive (or cut short)\n"), std::string::npos) << two;
  std::vector<std::string> many;
  for (char c = 'a'; c <= 'h'; ++c) many.push_back(std::string(1, c) + ".iwd: damaged archive");
  const std::string cut = ScanFailureMessage(many);
  EXPECT_NE(cut.find("e.iwd"), std::string::npos);
  EXPECT_EQ(cut.find("f.iwd"), std::string::npos);
  EXPECT_NE(cut.find("... and 3 more"), std::string::npos) << cut;
}
