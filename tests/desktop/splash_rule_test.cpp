// When the splash screen closes: the GUI ready and at least 800 ms since it appeared.
#include <gtest/gtest.h>

#include "desktop/splash.h"

namespace {

TEST(SplashCloseRule, WaitsForBothTheGuiAndTheMinimumTime) {
  struct Case {
    double readyAtMs;  // < 0: never ready
    double nowMs;
    bool closes;
  } cases[] = {
      {300, 300, false},   // ready early: stays until 800 ms
      {300, 799, false},
      {300, 800, true},
      {2000, 1600, false},  // time passed, GUI not ready yet
      {2000, 2000, true},   // closes at the ready call
      {-1, 10000, false},
  };
  for (const Case& c : cases) {
    SplashCloseRule rule{0, false};
    rule.guiReady = c.readyAtMs >= 0 && c.readyAtMs <= c.nowMs;
    EXPECT_EQ(rule.ShouldClose(c.nowMs), c.closes) << c.readyAtMs << " " << c.nowMs;
  }
}

}  // namespace
