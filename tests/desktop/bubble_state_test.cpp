// The notification bubble's rules with made-up times: countdown, hover hold, replacement, hiding.
#include "desktop/bubble_state.h"

#include <gtest/gtest.h>

namespace {

BubbleNotice Notice(const std::string& title, const std::string& text, int durationMs = 3000) {
  return {title, text, [] { return true; }, durationMs};
}

TEST(BubbleState, SlidesInStaysItsTimeAndSlidesOut) {
  BubbleState s;
  s.Start(Notice("Exported MA", "Exported: 'gun'"), 1000);
  EXPECT_EQ(s.Phase(), BubblePhase::SlidingIn);
  EXPECT_DOUBLE_EQ(s.Shown(1150), 0.5);
  s.Tick(1300);
  EXPECT_EQ(s.Phase(), BubblePhase::Showing);
  s.Tick(3999);
  EXPECT_EQ(s.Phase(), BubblePhase::Showing);
  EXPECT_DOUBLE_EQ(s.NextChangeInMs(3999), 1.0);
  s.Tick(4000);
  EXPECT_EQ(s.Phase(), BubblePhase::SlidingOut);
  s.Tick(4300);
  EXPECT_EQ(s.Phase(), BubblePhase::Gone);
  EXPECT_DOUBLE_EQ(s.Shown(4300), 0.0);
}

TEST(BubbleState, PointerHoldsItAndTheCountdownRunsFromTheLastMovement) {
  BubbleState s;
  s.Start(Notice("t", "x"), 0);
  s.Tick(300);
  s.PointerMoved(2500);
  s.Tick(60000);  // resting on it: never hides
  EXPECT_EQ(s.Phase(), BubblePhase::Showing);
  s.PointerMoved(61000);
  s.PointerLeft();
  s.Tick(63999);
  EXPECT_EQ(s.Phase(), BubblePhase::Showing);
  s.Tick(64000);
  EXPECT_EQ(s.Phase(), BubblePhase::SlidingOut);
}

TEST(BubbleState, ReplacementTakesTextActionAndTimeButKeepsTheTitle) {
  BubbleState s;
  s.Start(Notice("Exported MA", "first", 3000), 0);
  s.Tick(2900);
  int clicked = 0;
  ASSERT_TRUE(s.Replace({"Exported OBJ", "second", [&] { return ++clicked > 0; }, 5000}, 2900));
  EXPECT_EQ(s.Notice().title, "Exported MA");
  EXPECT_EQ(s.Notice().text, "second");
  s.Notice().action();
  EXPECT_EQ(clicked, 1);
  s.Tick(7899);
  EXPECT_EQ(s.Phase(), BubblePhase::Showing);
  s.Tick(7900);
  EXPECT_EQ(s.Phase(), BubblePhase::SlidingOut);
  // Once it slides away, a notice needs a bubble of its own.
  EXPECT_FALSE(s.Replace(Notice("t", "third"), 7950));
  EXPECT_EQ(s.Notice().text, "second");
}

TEST(BubbleState, HidingWhileSlidingInSlidesBackFromWhereItWas) {
  BubbleState s;
  s.Start(Notice("t", "x"), 0);
  s.Hide(90);  // 30 % out
  EXPECT_EQ(s.Phase(), BubblePhase::SlidingOut);
  EXPECT_NEAR(s.Shown(90), 0.3, 1e-9);
  s.Tick(180);
  EXPECT_EQ(s.Phase(), BubblePhase::Gone);
}

}  // namespace
