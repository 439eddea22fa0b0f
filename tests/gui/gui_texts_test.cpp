// Texts and values the screens show: wrapping of error and message texts, the text boxes and
// list boxes addressed by name, the progress map.
#include <gtest/gtest.h>

#include <thread>

#include "recording_painter.h"
#include "support/log_capture.h"

namespace {

class TextsTest : public ::testing::Test {
 protected:
  void SetUp() override { f.gui.messageLayout = {20, 200, 100, 0}; }  // 20 characters at 10 points
  LogCapture log;
  GuiFixture f;
};

TEST_F(TextsTest, WrapTextBreaksAtTheLastBlankThatFitsOrInsideALongWord) {
  struct Case {
    const char* text;
    const char* wrapped;
  } cases[] = {
      {"short text", "short text"},
      {"exactly twenty chars", "exactly twenty chars"},
      {"the quick brown fox jumps over the lazy dog", "the quick brown fox\njumps over the lazy\ndog"},
      {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrst\nuvwxyz"},
      {"a abcdefghijklmnopqrstuvwxyz", "a\nabcdefghijklmnopqrst\nuvwxyz"},
      {"twenty chars here ok next", "twenty chars here ok\nnext"},
      {"spaces    between         words here", "spaces    between\nwords here"},
      {"line one\nthe quick brown fox jumps", "line one\nthe quick brown fox\njumps"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(f.gui.WrapText(c.text), c.wrapped) << c.text;
}

TEST_F(TextsTest, ErrorsAreWrappedInOneTextStateWhateverTheCallerLeft) {
  Menu& error = f.AddMenu("error_menu");
  error.openCommands = {"display_error"};
  const TextStyle caller{GuiFont::BookmanDemi, 20.0f, 0.4f, 0.15f};
  f.painter.SetTextStyle(caller);
  f.gui.ShowError("the quick brown fox jumps over the lazy dog");
  EXPECT_EQ(f.gui.errorText, "the quick brown fox\njumps over the lazy\ndog");
  EXPECT_EQ(f.painter.CurrentTextStyle(), caller);
  EXPECT_TRUE(error.visible);
  EXPECT_TRUE(f.gui.showError);
  EXPECT_EQ(f.sounds, (std::vector<std::string>{"error_msg@2"}));

  f.AddMenu("msg_box_menu").openCommands = {"display_msg"};
  f.gui.ShowMessage("Done");
  EXPECT_EQ(f.gui.messageText, "Done");
  EXPECT_TRUE(f.gui.showMessage);
  EXPECT_EQ(f.sounds.back(), "msg_box@2");
}

TEST_F(TextsTest, TheErrorTextWinsAndIsDrawnAtTheMessageLayout) {
  f.gui.errorText = "error";
  f.gui.messageText = "message";
  f.gui.showError = f.gui.showMessage = true;
  f.Frame();
  ASSERT_NE(f.painter.FindText("error"), nullptr);
  EXPECT_EQ(f.painter.FindText("error")->rect.x, 20);
  EXPECT_EQ(f.painter.FindText("error")->rect.y, 200);
  EXPECT_EQ(f.painter.FindText("message"), nullptr);
  f.gui.showError = false;
  f.Frame();
  EXPECT_NE(f.painter.FindText("message"), nullptr);
}

TEST_F(TextsTest, SetTextFindsTheFirstTextBoxOfTheNameOrWarns) {
  Menu& a = f.AddMenu("a");
  a.textBoxes.push_back(TextBox{.name = "fps"});
  Menu& b = f.AddMenu("b");
  b.textBoxes.push_back(TextBox{.name = "fps"});
  f.gui.SetText("fps", "60");
  EXPECT_EQ(a.textBoxes[0].text, "60");
  EXPECT_EQ(b.textBoxes[0].text, "");
  f.gui.SetText("nothing", "x");
  EXPECT_TRUE(log.Has("------ WARNING: Failed To Set 'nothing' text"));
}

TEST_F(TextsTest, ResetListboxScrollsTheFirstListOfTheNameToItsTop) {
  Menu& menu = f.AddMenu("list");
  menu.listBoxes.push_back(ListBox{.name = "xmodels", .rect = {0, 40, 100, 300}, .scrollPosition = 900});
  f.gui.ExecCmd("reset_listbox xmodels; reset_listbox missing;");
  EXPECT_FLOAT_EQ(menu.listBoxes[0].scrollPosition, 45.0f);
}

TEST_F(TextsTest, ValueLabelsShowTheTextMapAndMissingKeysShowNothing) {
  Menu& menu = f.AddMenu("status");
  menu.visible = true;
  menu.valueLabels.push_back(ValueLabel{.rect = {1, 2}, .key = "status"});
  menu.valueLabels.push_back(ValueLabel{.rect = {1, 20}, .key = "unset"});
  f.gui.SetTextVar("status", "Loading: 100");
  f.Frame();
  EXPECT_NE(f.painter.FindText("Loading: 100"), nullptr);
  EXPECT_EQ(f.gui.textMap.count("unset"), 1u);
}

TEST(ProgressMapThread, WritersOnOtherThreadsAndTheReaderShareOneMutex) {
  GuiFixture f;
  std::thread writer([&] {
    for (int i = 1; i <= 1000; ++i) f.gui.SetProgress("download", i);
  });
  int last = 0;
  while (last < 1000) {
    const int value = f.gui.Progress("download");
    ASSERT_GE(value, last);
    last = value;
  }
  writer.join();
  EXPECT_EQ(f.gui.Progress("missing"), 0);
}

}  // namespace
