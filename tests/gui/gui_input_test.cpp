// The input filter: text editing, key capture, mouse and keys.
#include <gtest/gtest.h>

#include "platform/events.h"
#include "platform/key_codes.h"
#include "recording_painter.h"
#include "support/log_capture.h"

namespace {

using platform::Event;
using platform::EventType;
namespace vk = platform::vk;

Event Key(int code, uint32_t modifiers = 0) {
  return Event{.type = EventType::KeyDown, .keyCode = code, .modifiers = modifiers};
}
Event Char(uint8_t c) { return Event{.type = EventType::Char, .character = c}; }

class EditingTest : public ::testing::Test {
 protected:
  void Edit(const std::string& start, int caret) {
    text = start;
    f.gui.textEntryActive = true;
    f.gui.editedText = &text;
    f.gui.caret = caret;
  }
  GuiFixture f;
  std::string text;
};

TEST_F(EditingTest, BackspaceDeleteAndShiftClear) {
  struct Case {
    Event event;
    std::string text;
    int caret;
  } cases[] = {
      {Char(8), "ac", 1},
      {Key(vk::kDelete), "ab", 2},
      {Key(vk::kBackspace, platform::kModShift), "", 0},
      {Key(vk::kDelete, platform::kModShift), "", 0},
      {Key(vk::kBackspace), "abc", 2},  // the character message deletes
      {Key(vk::kLeft), "abc", 1},
      {Key(vk::kRight), "abc", 3},
  };
  for (const Case& c : cases) {
    Edit("abc", 2);
    EXPECT_TRUE(f.gui.HandleInput(c.event));
    EXPECT_EQ(text, c.text);
    EXPECT_EQ(f.gui.caret, c.caret) << c.text;
  }
  Edit("abc", 0);
  f.gui.HandleInput(Char(8));
  f.gui.HandleInput(Key(vk::kLeft));
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(f.gui.caret, 0);
  Edit("abc", 3);
  f.gui.HandleInput(Key(vk::kDelete));
  f.gui.HandleInput(Key(vk::kRight));
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(f.gui.caret, 3);
}

TEST_F(EditingTest, TypingInsertsAtTheCaretUpToFiftyCharacters) {
  Edit("ac", 1);
  EXPECT_TRUE(f.gui.HandleInput(Char('b')));
  EXPECT_EQ(text, "abc");
  EXPECT_EQ(f.gui.caret, 2);
  Edit(std::string(49, 'x'), 49);
  f.gui.HandleInput(Char('y'));
  EXPECT_TRUE(f.gui.HandleInput(Char('z')));  // the 51st character is dropped
  EXPECT_EQ(text, std::string(49, 'x') + "y");
}

TEST_F(EditingTest, ControlCharactersAreNotTypedAndControlCombinationsPassOn) {
  Edit("ab", 2);
  EXPECT_TRUE(f.gui.HandleInput(Char(13)));  // Enter asks the text box to end the editing
  EXPECT_TRUE(f.gui.commitRequested);
  EXPECT_TRUE(f.gui.HandleInput(Char(9)));
  EXPECT_EQ(text, "ab");
  EXPECT_TRUE(f.gui.HandleInput(Key('V', platform::kModControl)));  // above 46: consumed
  EXPECT_TRUE(f.gui.HandleInput(Char(0x16)));  // Control+V asks the text box to paste
  EXPECT_TRUE(f.gui.pasteRequested);
  EXPECT_FALSE(f.gui.HandleInput(Char(0x03)));  // other Control combinations reach the window
  f.gui.HandleInput(Event{.type = EventType::KeyUp, .keyCode = 'V'});
  EXPECT_TRUE(f.gui.HandleInput(Char('v')));
  EXPECT_EQ(text, "abv");
}

TEST_F(EditingTest, KeysWhileEditing) {
  Edit("ab", 1);
  EXPECT_FALSE(f.gui.HandleInput(Key(vk::kShift)));
  EXPECT_FALSE(f.gui.HandleInput(Key(vk::kControl)));
  EXPECT_FALSE(f.gui.HandleInput(Key(vk::kEscape)));
  EXPECT_TRUE(f.gui.HandleInput(Key('A')));       // above 46: nothing, consumed
  EXPECT_TRUE(f.gui.HandleInput(Key(vk::kDown)));  // Up and Down do not scroll lists
  EXPECT_TRUE(f.gui.HandleInput(Key(vk::kUp)));
  EXPECT_EQ(f.gui.upDownKey, 0);
  EXPECT_EQ(text, "ab");
}

TEST(KeyCapture, AKeyStoresItsVirtualKeyAndTheCharacterAfterItFindsNoTarget) {
  GuiFixture f;
  Hotkey key = 0;
  f.gui.textEntryActive = true;
  f.gui.captureTarget = &key;
  EXPECT_TRUE(f.gui.HandleInput(Key('A')));
  EXPECT_EQ(key, 0x0141);
  EXPECT_EQ(f.gui.captureTarget, nullptr);
  EXPECT_FALSE(f.gui.HandleInput(Char('a')));
  f.gui.captureTarget = &key;
  EXPECT_TRUE(f.gui.HandleInput(Char('p')));
  EXPECT_EQ(key, 0x0070);
}

TEST(MouseInput, PressesWheelKeysAndTheSystemCursor) {
  GuiFixture f;
  f.nowMs = 1234;
  EXPECT_FALSE(f.gui.HandleInput(Event{.type = EventType::MouseMove, .x = 30, .y = 40}));
  EXPECT_TRUE(f.gui.mouseInside);
  EXPECT_FALSE(f.gui.systemCursorShown);
  EXPECT_FLOAT_EQ(f.gui.mouseX, 30);
  EXPECT_FALSE(f.gui.HandleInput(
      Event{.type = EventType::ButtonDown, .x = 31, .y = 41, .button = platform::MouseButton::Left}));
  EXPECT_TRUE(f.gui.leftDown);
  EXPECT_EQ(f.gui.pressX, 31);
  EXPECT_FLOAT_EQ(f.gui.leftPressTime, 1234);
  f.gui.HandleInput(Event{.type = EventType::ButtonDown, .x = 5, .y = 6, .button = platform::MouseButton::Right});
  EXPECT_TRUE(f.gui.rightDown);
  f.gui.HandleInput(Event{.type = EventType::ButtonUp, .button = platform::MouseButton::Right});
  EXPECT_FALSE(f.gui.rightDown);
  f.gui.HandleInput(Event{.type = EventType::Wheel, .wheelNotches = -1});
  EXPECT_EQ(f.gui.wheelNotches, -1);
  EXPECT_TRUE(f.gui.HandleInput(Key(vk::kDown)));
  EXPECT_EQ(f.gui.upDownKey, 1);
  EXPECT_TRUE(f.gui.HandleInput(Key(vk::kUp)));
  EXPECT_EQ(f.gui.upDownKey, -1);
  EXPECT_FALSE(f.gui.HandleInput(Key('A')));

  EXPECT_TRUE(f.gui.HandleInput(Event{.type = EventType::MouseLeave}));
  EXPECT_FALSE(f.gui.mouseInside);
  EXPECT_TRUE(f.gui.systemCursorShown);
  EXPECT_FALSE(f.gui.leftDown);
  EXPECT_EQ(f.gui.pressX, 0);
  f.gui.HandleInput(Event{.type = EventType::MouseMove, .x = 1, .y = 1});
  EXPECT_FALSE(f.gui.systemCursorShown);  // hidden again on coming back
}

TEST(MouseInput, TheFirstPassesKeepTheWheelAndLaterPassesClearIt) {
  GuiFixture f;
  f.gui.wheelNotches = 2;
  f.Frame();
  f.Frame();
  EXPECT_EQ(f.gui.wheelNotches, 2);
  f.Frame();
  EXPECT_EQ(f.gui.wheelNotches, 0);
}

TEST(Clipboard, APasteTakesTheFirst45CharactersAndLogsThem) {
  LogCapture log;
  GuiFixture f;
  const std::string sixty(60, 'q');
  f.gui.readClipboard = [&] { return sixty; };
  EXPECT_EQ(f.gui.PasteClipboard(), std::string(45, 'q'));
  EXPECT_TRUE(log.Has("Copied Text From ClipBoard: '" + std::string(45, 'q') + "'"));
  f.gui.readClipboard = [] { return std::string(); };
  EXPECT_EQ(f.gui.PasteClipboard(), "");
}

}  // namespace
