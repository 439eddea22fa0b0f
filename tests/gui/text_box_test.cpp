// The text box: editing starts and ends by presses (and Enter), the filter form reports every
// change while typing, the value form once per change after editing, read-only boxes report what
// SetText gives them, the caret blinks, and pastes replace the text (bounded, never stale).
#include <gtest/gtest.h>

#include "platform/events.h"
#include "recording_painter.h"

namespace {

using platform::Event;
using platform::EventType;

Event Char(uint8_t c, uint32_t modifiers = 0) {
  return Event{.type = EventType::Char, .character = c, .modifiers = modifiers};
}

class TextBoxTest : public ::testing::Test {
 protected:
  TextBoxTest() {
    Menu& menu = f.AddMenu("xmodel_list");
    menu.visible = true;
    TextBox search;
    search.name = "xmodel_search";
    search.rect = {412, 430, 190, 17};
    search.committed = "Click to Search..";
    search.filter = [this](const std::string& text) { filtered.push_back(text); };
    menu.textBoxes.push_back(search);
    TextBox scale;
    scale.name = "scale";
    scale.rect = {100, 100, 100, 17};
    scale.committed = scale.text = "1.0";
    scale.onChange = [this](const std::string& text) { changes.push_back(text); };
    menu.textBoxes.push_back(scale);
    f.gui.mouseInside = true;
    f.gui.readClipboard = [this] { return clipboard; };
  }
  TextBox& Box(size_t i) { return f.gui.FindMenu("xmodel_list")->textBoxes[i]; }
  void Press(float x, float y, bool right = false) {
    f.nowMs += 10;
    f.gui.mouseX = x, f.gui.mouseY = y;
    f.gui.pressX = static_cast<int32_t>(x), f.gui.pressY = static_cast<int32_t>(y);
    (right ? f.gui.rightDown : f.gui.leftDown) = true;
    if (!right) f.gui.leftPressTime = f.nowMs;
    f.nowMs += 10;
    f.Frame();
    f.gui.leftDown = f.gui.rightDown = false;
  }
  void Type(const std::string& text) {
    for (char c : text) {
      f.gui.HandleInput(Char(static_cast<uint8_t>(c)));
      f.Frame();
    }
  }

  GuiFixture f;
  std::vector<std::string> filtered, changes;
  std::string clipboard;
};

TEST_F(TextBoxTest, TheSearchBoxFiltersAfterEveryCharacterAndListsAllWhenEmptied) {
  f.Frame();
  EXPECT_NE(f.painter.FindText("Click to Search.."), nullptr);
  EXPECT_TRUE(filtered.empty());
  Press(450, 438);
  ASSERT_TRUE(Box(0).editing);
  EXPECT_TRUE(f.gui.textEntryActive);
  EXPECT_EQ(f.gui.FindMenu("xmodel_list")->textBoxes[0].text, "");
  Type("ab");
  EXPECT_EQ(filtered, (std::vector<std::string>{"a", "ab"}));
  f.gui.HandleInput(Char(8));
  f.gui.HandleInput(Char(8));
  f.Frame();
  EXPECT_EQ(filtered.back(), "");
  // A replacement of the same length filters again.
  Type("xy");
  Box(0).text = "zz";
  f.Frame();
  EXPECT_EQ(filtered.back(), "zz");
}

TEST_F(TextBoxTest, AValueBoxReportsOnceAfterEditingEndsAndOnlyWhenChanged) {
  struct Case {
    const char* typed;
    std::vector<std::string> reported;
  };
  for (const Case& c : {Case{"", {}}, Case{"2.5", {"2.5"}}}) {
    changes.clear();
    Box(1).text = Box(1).committed = "1.0";
    Press(120, 105);  // starts editing
    ASSERT_TRUE(Box(1).editing);
    if (*c.typed) {
      f.gui.HandleInput(Event{.type = EventType::KeyDown, .keyCode = 0x2E, .modifiers = platform::kModShift});
      Type(c.typed);
    }
    EXPECT_TRUE(changes.empty()) << "nothing while editing";
    Press(300, 300);  // a press elsewhere ends it
    EXPECT_FALSE(Box(1).editing);
    EXPECT_FALSE(f.gui.textEntryActive);
    EXPECT_EQ(f.gui.editedText, nullptr);
    f.Frame();
    EXPECT_EQ(changes, c.reported) << c.typed;
  }
}

TEST_F(TextBoxTest, EnterEndsTheEditingAndCommits) {
  Press(120, 105);
  f.gui.HandleInput(Char('7'));
  f.gui.HandleInput(Char(13));
  f.Frame();
  EXPECT_FALSE(Box(1).editing);
  EXPECT_EQ(changes, (std::vector<std::string>{"1.07"}));
}

TEST_F(TextBoxTest, AReadOnlyBoxTakesNoPressButReportsWhatSetTextGives) {
  Box(1).readOnly = true;
  Press(120, 105);
  EXPECT_FALSE(Box(1).editing);
  EXPECT_FALSE(f.gui.textEntryActive);
  f.gui.SetText("scale", "/games/cod4");
  f.Frame();
  EXPECT_EQ(changes, (std::vector<std::string>{"/games/cod4"}));
}

TEST_F(TextBoxTest, ALongTextShowsItsEndAndTheCaretBlinksRed) {
  Press(450, 438);
  Type(std::string(30, 'a') + std::string(20, 'b'));  // 250 pixels in a 190-pixel box
  const std::vector<PaintCall> texts = f.painter.Of("text");  // kept: shown points into it
  const PaintCall* shown = nullptr;
  for (const PaintCall& call : texts) {
    if (call.rect.x == 415) shown = &call;
  }
  ASSERT_NE(shown, nullptr);
  EXPECT_EQ(shown->text.size(), 38u);
  EXPECT_EQ(shown->text.substr(18), std::string(20, 'b'));
  const auto caretDrawn = [&] {
    for (const PaintCall& quad : f.painter.Of("quad")) {
      if (quad.rect.w == 2 && quad.rect.h == 10 && quad.colour == Rgba{1, 0, 0, 1}) return true;
    }
    return false;
  };
  EXPECT_TRUE(caretDrawn());
  f.nowMs += 751;
  f.Frame();
  EXPECT_FALSE(caretDrawn());
  f.nowMs += 751;
  f.Frame();
  EXPECT_TRUE(caretDrawn());
}

TEST_F(TextBoxTest, PasteTextReplacesTheTextWithAtMost45Characters) {
  clipboard = std::string(60, 'p');
  Press(120, 105);
  Press(120, 105, /*right=*/true);
  ASSERT_TRUE(Box(1).contextOpen);
  const PaintCall* entry = f.painter.FindText("Paste Text");
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->rect.x, 155);  // x + w / 2 + 5
  f.sounds.clear();
  Press(170, 106);  // on the entry: pastes, and the press then ends the editing
  EXPECT_FALSE(Box(1).contextOpen);
  EXPECT_EQ(Box(1).text, std::string(45, 'p'));
  EXPECT_EQ(f.sounds, (std::vector<std::string>{"menu_accept@1"}));
  // Any other press closes the menu and pastes nothing.
  Press(120, 105);
  Box(1).text = "x";
  Press(120, 105, true);
  Press(500, 300);
  EXPECT_FALSE(Box(1).contextOpen);
  EXPECT_EQ(Box(1).text, "x");
}

TEST_F(TextBoxTest, ControlVPastesOnlyIntoTheBoxThatEdits) {
  clipboard = "weapon_ak47";
  // Control+V typed while no box edits is no request for the next one.
  f.gui.HandleInput(Char(0x16, platform::kModControl));
  f.gui.pasteRequested = true;  // as if it had reached the GUI
  Press(450, 438);
  f.Frame();
  EXPECT_EQ(Box(0).text, "");
  f.gui.HandleInput(Event{.type = EventType::KeyDown, .keyCode = 'V', .modifiers = platform::kModControl});
  EXPECT_TRUE(f.gui.HandleInput(Char(0x16)));
  f.Frame();
  EXPECT_EQ(Box(0).text, "weapon_ak47");
  EXPECT_EQ(f.gui.caret, 11);
  EXPECT_EQ(filtered.back(), "weapon_ak47");
}

TEST_F(TextBoxTest, APressInAnotherBoxMovesTheEditingThere) {
  Press(450, 438);
  ASSERT_TRUE(Box(0).editing);
  Press(120, 105);  // drawn after the first box
  EXPECT_FALSE(Box(0).editing);
  EXPECT_TRUE(Box(1).editing);
  EXPECT_EQ(f.gui.editedText, &Box(1).text);
  Press(450, 438);  // drawn before the second box
  EXPECT_TRUE(Box(0).editing);
  EXPECT_FALSE(Box(1).editing);
  EXPECT_EQ(f.gui.editedText, &Box(0).text);
  EXPECT_TRUE(f.gui.textEntryActive);
}

}  // namespace
