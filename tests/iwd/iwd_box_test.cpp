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

TEST(IwdBox, FailureMessageNamesTheFirstFailureAndCountsTheRest) {
  EXPECT_EQ(ScanFailureMessage({}), "");
  EXPECT_EQ(ScanFailureMessage({"a.iwd: CRC error"}),
            "Some IWD files could not be read completely:\n\na.iwd: CRC error\n\nSee Log.txt for details.");
  const std::string two = ScanFailureMessage({"a.iwd: CRC error", "b.iwd: not a ZIP archive (or cut short)"});
  EXPECT_NE(two.find("\na.iwd: CRC error\n... and 1 more\n"), std::string::npos) << two;
  EXPECT_EQ(two.find("b.iwd"), std::string::npos);
  // A long failure is cut, so the message keeps to the error box.
  const std::string longName = "x.iwd: '" + std::string(200, 'n') + ".iwi' refused (the name is too long)";
  const std::string cut = ScanFailureMessage({longName});
  EXPECT_NE(cut.find("\n" + longName.substr(0, 41) + "...\n"), std::string::npos) << cut;
}
