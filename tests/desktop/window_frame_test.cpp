// The window frame's logic: hit test regions, button layout, hover and press, window events;
// and the colour themes with their stored index.
#include <gtest/gtest.h>

#include <tuple>
#include <vector>

#include "core/settings.h"
#include "desktop/colour_themes.h"
#include "desktop/window_frame.h"

using platform::EventType;
using platform::HitArea;

namespace {

// A window of 1024 x 768 (client 1008 x 729), restored or maximised.
WindowFrame MakeFrame(bool maximised = false, int width = 1024, int height = 768) {
  WindowFrame frame;
  frame.SetWindowSize(width, height);
  frame.SetMaximised(maximised);
  return frame;
}

struct HitCase {
  int x, y;
  HitArea restored, maximised;
};

TEST(WindowFrame, HitTestRegionsRestoredAndMaximised) {
  // Buttons (W = 1024): close 1002..1016 x 3..16, maximise 983..997, minimise 964..978; while
  // maximised they sit at y 9..22. Maximised frames neither move by their edges nor resize.
  const std::vector<HitCase> cases = {
      {8, 31, HitArea::Client, HitArea::Client},            // client top-left pixel
      {1015, 759, HitArea::Client, HitArea::Client},        // client bottom-right pixel
      {512, 400, HitArea::Client, HitArea::Client},
      {0, 0, HitArea::TopLeft, HitArea::Caption},
      {4, 4, HitArea::TopLeft, HitArea::Caption},
      {1016, 0, HitArea::TopRight, HitArea::Caption},       // W - border
      {1023, 4, HitArea::TopRight, HitArea::Caption},
      {1, 20, HitArea::Left, HitArea::Caption},              // beside the caption band
      {1020, 25, HitArea::Right, HitArea::Caption},
      {500, 1, HitArea::Top, HitArea::Caption},
      {500, 15, HitArea::Caption, HitArea::Caption},
      {40, 30, HitArea::Caption, HitArea::Caption},
      {1009, 10, HitArea::Button, HitArea::Button},          // close
      {990, 10, HitArea::Button, HitArea::Button},           // maximise / restore
      {970, 10, HitArea::Button, HitArea::Button},           // minimise
      {990, 20, HitArea::Caption, HitArea::Button},          // below the restored box, inside the maximised one
      {990, 5, HitArea::Button, HitArea::Caption},           // above the maximised box
      {999, 10, HitArea::Caption, HitArea::Caption},         // between close and maximise
      {3, 400, HitArea::Left, HitArea::Frame},
      {1020, 400, HitArea::Right, HitArea::Frame},
      {500, 764, HitArea::Bottom, HitArea::Frame},
      {2, 765, HitArea::BottomLeft, HitArea::Frame},
      {12, 762, HitArea::BottomLeft, HitArea::Frame},         // corners reach twice the border
      {3, 755, HitArea::BottomLeft, HitArea::Frame},
      {1020, 765, HitArea::BottomRight, HitArea::Frame},
      {1010, 762, HitArea::BottomRight, HitArea::Frame},
  };
  const WindowFrame restored = MakeFrame(false), maximised = MakeFrame(true);
  for (const HitCase& c : cases) {
    EXPECT_EQ(restored.HitTest(c.x, c.y), c.restored) << c.x << "," << c.y << " restored";
    EXPECT_EQ(maximised.HitTest(c.x, c.y), c.maximised) << c.x << "," << c.y << " maximised";
  }
}

TEST(WindowFrame, TopRightCornerSpansTheBorderBesideTheClient) {
  const WindowFrame frame = MakeFrame(false, 816, 639);  // client 800 x 600
  EXPECT_EQ(frame.ClientWidth(), 800);
  EXPECT_EQ(frame.ClientHeight(), 600);
  for (int x = 808; x <= 815; ++x) {
    for (int y = 0; y <= 4; ++y) EXPECT_EQ(frame.HitTest(x, y), HitArea::TopRight) << x << "," << y;
  }
  EXPECT_EQ(frame.HitTest(807, 0), HitArea::Top);
}

TEST(WindowFrame, ButtonsStandRightToLeftAndRestoreTakesMaximisesPlace) {
  using B = FrameButton;
  const WindowFrame restored = MakeFrame(false);
  ASSERT_TRUE(restored.ButtonBox(B::Close) && restored.ButtonBox(B::Maximise) && restored.ButtonBox(B::Minimise));
  EXPECT_FALSE(restored.ButtonBox(B::Restore));
  EXPECT_EQ(std::make_tuple(restored.ButtonBox(B::Close)->x, restored.ButtonBox(B::Close)->y), std::make_tuple(1002, 3));
  EXPECT_EQ(restored.ButtonBox(B::Maximise)->x, 983);
  EXPECT_EQ(restored.ButtonBox(B::Minimise)->x, 964);
  EXPECT_EQ(restored.SizeOffset(), 0);

  const WindowFrame maximised = MakeFrame(true);
  EXPECT_FALSE(maximised.ButtonBox(B::Maximise));
  ASSERT_TRUE(maximised.ButtonBox(B::Restore));
  EXPECT_EQ(std::make_tuple(maximised.ButtonBox(B::Restore)->x, maximised.ButtonBox(B::Restore)->y), std::make_tuple(983, 9));
  EXPECT_EQ(maximised.ButtonBox(B::Close)->y, 9);
  EXPECT_EQ(maximised.IconBox().y, 10);
  EXPECT_EQ(maximised.TitleBox().y, 10);
  EXPECT_EQ(restored.TitleBox().x + restored.TitleBox().width, 1024 - 70);
}

TEST(WindowFrame, PressActsByTheButtonUnderThePoint) {
  const WindowFrame restored = MakeFrame(false), maximised = MakeFrame(true);
  EXPECT_EQ(restored.Press(1002, 3), FrameAction::Close);
  EXPECT_EQ(restored.Press(1015, 16), FrameAction::Close);
  EXPECT_EQ(restored.Press(1016, 16), FrameAction::None);  // the right edge resizes there
  EXPECT_EQ(restored.Press(990, 10), FrameAction::Maximise);
  EXPECT_EQ(maximised.Press(990, 15), FrameAction::Restore);
  EXPECT_EQ(restored.Press(970, 10), FrameAction::Minimise);
  EXPECT_EQ(restored.Press(1017, 10), FrameAction::None);  // the column past the press box
  EXPECT_EQ(restored.Press(500, 15), FrameAction::None);   // caption
  EXPECT_EQ(restored.Press(500, 400), FrameAction::None);  // client
  EXPECT_EQ(restored.CaptionDoubleClick(), FrameAction::Maximise);
  EXPECT_EQ(maximised.CaptionDoubleClick(), FrameAction::Restore);
}

TEST(WindowFrame, HoverFollowsThePointerOverOneButton) {
  WindowFrame frame = MakeFrame();
  EXPECT_TRUE(frame.UpdateHover(1009, 10));
  EXPECT_TRUE(frame.Hovered(FrameButton::Close));
  EXPECT_FALSE(frame.UpdateHover(1010, 11)) << "still the same button";
  EXPECT_TRUE(frame.UpdateHover(990, 10));
  EXPECT_FALSE(frame.Hovered(FrameButton::Close));
  EXPECT_TRUE(frame.Hovered(FrameButton::Maximise));
  EXPECT_TRUE(frame.UpdateHover(500, 400));
  for (int i = 0; i < kFrameButtonCount; ++i) EXPECT_FALSE(frame.Hovered(static_cast<FrameButton>(i)));
}

platform::Event Mouse(EventType type, int clientX, int clientY, uint32_t modifiers = 0) {
  platform::Event event;
  event.type = type;
  event.x = clientX;
  event.y = clientY;
  event.modifiers = modifiers;
  event.button = type == EventType::MouseMove ? platform::MouseButton::None : platform::MouseButton::Left;
  return event;
}

TEST(WindowFrame, EventsOverTheFrameAreItsOwnAndClientEventsPassOn) {
  WindowFrame frame = MakeFrame();
  // Client coordinates: the client area starts at window (8, 31).
  auto r = frame.HandleEvent(Mouse(EventType::MouseMove, 100, 100));
  EXPECT_FALSE(r.consumed);
  r = frame.HandleEvent(Mouse(EventType::MouseMove, 1009 - 8, 10 - 31));  // onto close
  EXPECT_TRUE(r.consumed);
  EXPECT_TRUE(r.pointerLeftClient);
  EXPECT_TRUE(frame.Hovered(FrameButton::Close));
  r = frame.HandleEvent(Mouse(EventType::ButtonDown, 1009 - 8, 10 - 31, platform::kModLeftButton));
  EXPECT_TRUE(r.consumed);
  EXPECT_EQ(r.action, FrameAction::Close);
  // A drag that started in the client area keeps its moves and its release over the frame.
  r = frame.HandleEvent(Mouse(EventType::MouseMove, 50, -20, platform::kModLeftButton));
  EXPECT_FALSE(r.consumed);
  r = frame.HandleEvent(Mouse(EventType::ButtonUp, 50, -20));
  EXPECT_FALSE(r.consumed);
  EXPECT_EQ(frame.HandleEvent(Mouse(EventType::ButtonDown, 100, 100, 1)).action, FrameAction::None);

  platform::Event event;
  event.type = EventType::CaptionDoubleClick;
  EXPECT_EQ(frame.HandleEvent(event).action, FrameAction::Maximise);
  event.type = EventType::Maximized;
  frame.HandleEvent(event);
  EXPECT_TRUE(frame.Maximised());
  EXPECT_TRUE(frame.Visible(FrameButton::Restore));
  event.type = EventType::Restored;
  frame.HandleEvent(event);
  EXPECT_FALSE(frame.Visible(FrameButton::Restore));
  event.type = EventType::Resized;
  event.x = 900, event.y = 700;
  frame.HandleEvent(event);
  EXPECT_EQ(std::make_tuple(frame.WindowWidth(), frame.WindowHeight()), std::make_tuple(916, 739));
  event.type = EventType::Activated;
  event.active = true;
  frame.HandleEvent(event);
  EXPECT_TRUE(frame.Active());
}

// ---- Colour themes ---------------------------------------------------------------------------

struct ThemeFixture : ::testing::Test {
  void SetUp() override { saved = gSettings.active_frame_theme; }
  void TearDown() override {
    gSettings.active_frame_theme = saved;
    gThemeManager.Setup();
  }
  int saved = 0;
};

uint8_t Channel(uint16_t value) { return static_cast<uint8_t>(value >> 8); }

TEST_F(ThemeFixture, StoredIndexSelectsTheThemeAndAnIndexOfNoThemeFallsBackToDark) {
  for (int stored : {0, 1, 2, 3, -1}) {
    gSettings.active_frame_theme = stored;
    gThemeManager.Setup();
    const int expected = stored >= 0 && stored <= 2 ? stored : 0;
    EXPECT_EQ(&gThemeManager.Current(), &gThemeManager.Theme(expected)) << stored;
    EXPECT_EQ(gSettings.active_frame_theme, expected) << "shown as the theme in use";
  }
}

TEST_F(ThemeFixture, BlueCaptionRunsFromItsLeftToItsRightColourActiveAndInactive) {
  gSettings.active_frame_theme = 0;
  gThemeManager.Setup();
  ASSERT_TRUE(OnThemeChanged(2));
  EXPECT_EQ(gSettings.active_frame_theme, 2);
  const ThemeColours& blue = gThemeManager.Current();
  const FrameColour* inactive = blue.Corners(false);
  const FrameColour* active = blue.Corners(true);
  EXPECT_EQ(std::make_tuple(Channel(inactive[kTopLeft].r), Channel(inactive[kTopLeft].g), Channel(inactive[kTopLeft].b)),
            std::make_tuple(22, 57, 99));
  EXPECT_EQ(std::make_tuple(Channel(inactive[kTopRight].r), Channel(inactive[kTopRight].g), Channel(inactive[kTopRight].b)),
            std::make_tuple(7, 24, 45));
  EXPECT_EQ(std::make_tuple(Channel(active[kTopLeft].r), Channel(active[kTopLeft].g), Channel(active[kTopLeft].b)),
            std::make_tuple(27, 67, 119));
  EXPECT_EQ(std::make_tuple(Channel(active[kTopRight].r), Channel(active[kTopRight].g), Channel(active[kTopRight].b)),
            std::make_tuple(10, 33, 63));
  EXPECT_EQ(active[kBottomRight].b, 0x7700) << "8-bit value in the high byte";
  EXPECT_EQ(blue.captionText, 0xFFFFFFu);
  EXPECT_EQ(gThemeManager.Theme(0).captionText, 0x999999u);
  EXPECT_EQ(gThemeManager.Theme(1).firstInnerLine, 0x101010u);
}

TEST_F(ThemeFixture, SameThemeChangesNothingAndAnIndexOfNoThemeIsRefused) {
  gSettings.active_frame_theme = 1;
  gThemeManager.Setup();
  EXPECT_TRUE(OnThemeChanged(1));
  EXPECT_EQ(&gThemeManager.Current(), &gThemeManager.Theme(1));
  EXPECT_FALSE(OnThemeChanged(3));
  EXPECT_FALSE(OnThemeChanged(-1));
  EXPECT_EQ(gSettings.active_frame_theme, 1);
  EXPECT_EQ(&gThemeManager.Current(), &gThemeManager.Theme(1));
  EXPECT_TRUE(OnThemeChanged(0));
  EXPECT_EQ(&gThemeManager.Current(), &gThemeManager.Theme(0));
  EXPECT_EQ(gSettings.active_frame_theme, 0);
}

}  // namespace
