#include "core/strings.h"

#include <gtest/gtest.h>

TEST(SplitCommands, DropsEmptyPiecesAndKeepsBlanks) {
  EXPECT_EQ(SplitCommands("open a;; close b;"), (std::vector<std::string>{"open a", " close b"}));
  EXPECT_TRUE(SplitCommands("").empty());
  EXPECT_TRUE(SplitCommands(";;;").empty());
}

TEST(ReplaceAll, ReplacesEveryOccurrenceOnce) {
  EXPECT_EQ(StringReplaceCopy("a.dds_b.dds", "dds", "tga"), "a.tga_b.tga");
  EXPECT_EQ(StringReplaceCopy("xax", "x", "xx"), "xxaxx");  // no endless loop
  EXPECT_EQ(StringReplaceCopy("abc", "", "z"), "abc");      // empty pattern changes nothing
}
