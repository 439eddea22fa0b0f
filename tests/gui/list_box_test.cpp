// The list box over a source of names: rows, scrolling, hover, selection by click and arrow
// keys, shortened names passing on their full names, the "Copy Name" menu, and a listing thread
// that replaces the names while frames draw.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <thread>

#include "gui/list_source.h"
#include "recording_painter.h"

namespace {

class FakeSource : public ListSource {
 public:
  std::mutex& Mutex() override { return mutex; }
  std::vector<std::string>* ShownNames() override { return shown ? &names : nullptr; }
  bool ShortenPending() const override { return shortenPending; }
  void ClearShortenPending() override { shortenPending = false; }
  bool ListReady() const override { return ready; }
  void ClearFullNames() override { fullNames.clear(); }
  void AddFullName(const std::string& name, int index) override { fullNames[index] = name; }
  std::string FullName(int index) override {
    auto found = fullNames.find(index);
    return found == fullNames.end() ? std::string() : found->second;
  }

  std::mutex mutex;
  std::vector<std::string> names;
  std::map<int, std::string> fullNames;
  bool shown = true;
  bool shortenPending = true;
  bool ready = true;
};

std::vector<std::string> Numbered(size_t count) {
  std::vector<std::string> names;
  for (size_t i = 0; i < count; ++i) names.push_back("model_" + std::to_string(i));
  return names;
}

// The model list's geometry: 26 visible rows, the knob from y 55 to 410.
class ListBoxTest : public ::testing::Test {
 protected:
  ListBoxTest() {
    Menu& menu = f.AddMenu("xmodel_list");
    menu.visible = true;
    ListBox list;
    list.name = "xmodels";
    list.rect = {348, 50, 283, 375};
    list.scrollPosition = 55;
    list.source = &source;
    list.rowCallback = [this](const std::string& name) { picked.push_back(name); };
    menu.listBoxes.push_back(list);
    f.gui.mouseInside = true;
    f.gui.treeHooks.setClipboard = [this](const std::string& text) {
      clipboard = text;
      return clipboardWorks;
    };
    f.gui.treeHooks.showNotice = [this](const std::string& text) { notices.push_back(text); };
  }
  ListBox& List() { return f.gui.FindMenu("xmodel_list")->listBoxes[0]; }
  void MoveTo(float x, float y) {
    f.gui.mouseX = x;
    f.gui.mouseY = y;
  }
  // The centre of drawn row i.
  float RowY(int i) const { return 52.0f + 14.0f * static_cast<float>(i) + 6.0f; }
  // Moves over (x, y), draws a frame, presses there and draws another.
  void Press(float x, float y, bool right = false) {
    MoveTo(x, y);
    f.Frame();
    f.gui.pressX = static_cast<int32_t>(x);
    f.gui.pressY = static_cast<int32_t>(y);
    (right ? f.gui.rightDown : f.gui.leftDown) = true;
    f.gui.leftPressTime = f.nowMs;
    f.Frame();
    f.gui.leftDown = f.gui.rightDown = false;
  }
  // The row texts drawn in the last frame (texts inside the list's columns).
  std::vector<std::string> RowTexts() const {
    std::vector<std::string> rows;
    for (const PaintCall& call : f.painter.calls) {
      if ((call.op == "text" || call.op == "blend") && call.rect.x == 356) rows.push_back(call.text);
    }
    return rows;
  }

  GuiFixture f;
  FakeSource source;
  std::vector<std::string> picked;
  std::string clipboard;
  bool clipboardWorks = true;
  std::vector<std::string> notices;
};

TEST_F(ListBoxTest, DrawsTheVisibleRowsOfEmptySmallAndHugeLists) {
  struct Case {
    size_t count;
    size_t rows;
  };
  for (const Case c : {Case{0, 0}, Case{1, 1}, Case{20000, 26}}) {
    source.names = Numbered(c.count);
    List().scrollPosition = 55;
    List().appliedScroll = 0;
    f.Frame();
    SCOPED_TRACE(c.count);
    EXPECT_EQ(List().visibleRows, 26);
    EXPECT_EQ(RowTexts().size(), c.rows);
    if (c.rows) {
      EXPECT_EQ(RowTexts()[0], "model_0");
    }
  }
  source.shown = false;  // nothing to show: nothing drawn, not even the background
  f.Frame();
  EXPECT_TRUE(RowTexts().empty());
  for (const PaintCall& quad : f.painter.Of("quad")) EXPECT_NE(quad.rect.x, 353);
}

TEST_F(ListBoxTest, TheWheelMovesTheKnobByTheListsLengthWithinItsTrack) {
  struct Case {
    size_t count;
    int notches;
    float from, to;
  };
  const Case cases[] = {
      {5000, -1, 55, 56},  {50, -1, 55, 58},  {0, -1, 55, 60},  {50, 1, 58, 55},
      {5000, 1, 55, 55},   {5, -200, 55, 410}, {20000, -3, 409, 410},
  };
  MoveTo(400, 200);
  for (const Case& c : cases) {
    source.names = Numbered(c.count);
    List().scrollPosition = c.from;
    f.gui.wheelNotches = c.notches;
    f.Frame();
    EXPECT_FLOAT_EQ(List().scrollPosition, c.to) << c.count << " names, " << c.notches << " notches";
    EXPECT_EQ(f.gui.wheelNotches, 0);
  }
}

TEST_F(ListBoxTest, TheKnobAtTheBottomShowsTheLastRowsAndOneEmptyRow) {
  source.names = Numbered(100);
  List().scrollPosition = 410;
  f.Frame();
  EXPECT_EQ(List().firstVisible, 100 - 26 + 1);
  const auto rows = RowTexts();
  ASSERT_EQ(rows.size(), 25u);
  EXPECT_EQ(rows.front(), "model_75");
  EXPECT_EQ(rows.back(), "model_99");
}

TEST_F(ListBoxTest, AClickPlaysAcceptAndPassesTheFullNameOfAShortenedRow) {
  const std::string longName(60, 'w');  // 300 pixels in a 273-pixel column
  source.names = {"short", longName, "third"};
  f.Frame();
  EXPECT_FALSE(source.shortenPending);
  EXPECT_EQ(source.names[1].size(), 54u);  // 52 characters and "." fit 273 pixels at 5 each
  EXPECT_EQ(source.names[1], std::string(53, 'w') + ".");
  Press(400, RowY(1));
  ASSERT_EQ(picked.size(), 1u);
  EXPECT_EQ(picked[0], longName);
  EXPECT_EQ(List().selected, 1);
  EXPECT_NE(std::find(f.sounds.begin(), f.sounds.end(), "menu_accept@1"), f.sounds.end());
  // The arrow key passes the full name too.
  f.gui.upDownKey = -1;
  f.Frame();
  f.gui.upDownKey = 1;
  f.Frame();
  ASSERT_EQ(picked.size(), 3u);
  EXPECT_EQ(picked[1], "short");
  EXPECT_EQ(picked[2], longName);
}

TEST_F(ListBoxTest, NamesThatCannotFitAtAllEndAsTheirShortestForm) {
  List().rect.w = 12;  // a column of 2 pixels
  source.names = {"abcdef", "x"};
  f.Frame();
  EXPECT_EQ(source.names[0], ".");
  EXPECT_EQ(source.names[1], "x");  // one character is as short as it gets
  EXPECT_EQ(source.FullName(0), "abcdef");
}

TEST_F(ListBoxTest, TheStatusRowOfARunningListingAnswersNoClick) {
  source.names = {"Loading: 300"};
  source.ready = false;
  source.shortenPending = false;
  Press(400, RowY(0));
  EXPECT_TRUE(picked.empty());
  EXPECT_EQ(List().selected, -1);
  EXPECT_FALSE(f.gui.leftDown);
  for (const std::string& sound : f.sounds) EXPECT_NE(sound, "menu_accept@1");
}

TEST_F(ListBoxTest, ArrowKeysStopAtTheEndsAndScrollTheSelectionIntoView) {
  source.names = Numbered(100);
  f.Frame();
  Press(400, RowY(0));
  ASSERT_EQ(picked.size(), 1u);
  f.gui.upDownKey = -1;  // up on the first row: nothing
  f.Frame();
  EXPECT_EQ(picked.size(), 1u);
  EXPECT_EQ(f.gui.upDownKey, 0);
  for (int i = 1; i <= 26; ++i) {
    f.gui.upDownKey = 1;
    f.Frame();
  }
  EXPECT_EQ(List().selected, 26);
  EXPECT_EQ(picked.back(), "model_26");
  f.Frame();  // the new scroll position applies
  EXPECT_LE(List().firstVisible, 26);
  EXPECT_GT(List().firstVisible + List().visibleRows, 26);
  // Down on the last row: nothing.
  List().selected = 99;
  f.gui.upDownKey = 1;
  const size_t before = picked.size();
  f.Frame();
  EXPECT_EQ(picked.size(), before);
  EXPECT_EQ(List().selected, 99);
}

TEST_F(ListBoxTest, CopyNameCopiesTheFullNameAndLogsItLiterally) {
  const std::string name = "weapon_100%_" + std::string(60, 'x');
  source.names = {"a", name};
  f.Frame();
  Press(420, RowY(1), /*right=*/true);
  ASSERT_TRUE(List().contextOpen);
  EXPECT_EQ(List().contextRow, 1);
  EXPECT_EQ(List().contextX, 420);
  ASSERT_NE(f.painter.FindText("Copy Name"), nullptr);
  EXPECT_EQ(f.painter.FindText("Copy Name")->rect.x, 425);
  Press(440, RowY(1) + 1);  // on the entry
  EXPECT_FALSE(List().contextOpen);
  EXPECT_EQ(clipboard, name);
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0], "Copied text to clipboard: " + name);
  EXPECT_TRUE(picked.empty());  // the press went to the menu, not to the row

  clipboardWorks = false;
  Press(420, RowY(0), true);
  Press(440, RowY(0) + 1);
  EXPECT_EQ(notices.back(), "Failed to open clipboard.");
  // Any other press closes the menu without copying.
  Press(420, RowY(0), true);
  Press(600, 300);
  EXPECT_FALSE(List().contextOpen);
  EXPECT_EQ(notices.size(), 2u);
}

TEST_F(ListBoxTest, TheKnobFollowsADragAndATrackPressJumps) {
  source.names = Numbered(1000);
  f.Frame();
  // Press on the knob (its hit rectangle starts at x + w - 8), drag down, release.
  Press(625, 56);
  f.gui.leftDown = true;
  ASSERT_TRUE(List().draggingKnob);
  MoveTo(625, 200);
  f.Frame();
  EXPECT_FLOAT_EQ(List().scrollPosition, 200);
  MoveTo(625, 900);
  f.Frame();
  EXPECT_FLOAT_EQ(List().scrollPosition, 410);
  f.gui.leftDown = false;
  f.Frame();
  EXPECT_FALSE(List().draggingKnob);
  // A press lower on the track moves the knob there.
  Press(627, 300);
  EXPECT_FLOAT_EQ(List().scrollPosition, 300);
}

TEST_F(ListBoxTest, ANewListClearsTheSelection) {
  source.names = Numbered(10);
  f.Frame();
  Press(400, RowY(3));
  EXPECT_EQ(List().selected, 3);
  source.shortenPending = true;
  f.Frame();
  EXPECT_EQ(List().selected, -1);
}

// A listing thread replaces the names under the source's mutex while frames draw and click.
TEST(ListBoxThread, NamesReplacedWhileFramesDrawAreNeverReadStale) {
  GuiFixture f;
  FakeSource source;
  Menu& menu = f.AddMenu("xmodel_list");
  menu.visible = true;
  ListBox list;
  list.rect = {348, 50, 283, 375};
  list.scrollPosition = 410;
  list.source = &source;
  menu.listBoxes.push_back(list);
  f.gui.mouseInside = true;
  f.gui.mouseX = 400;
  f.gui.mouseY = 60;
  std::atomic<bool> done{false};
  std::thread listing([&] {
    for (size_t n = 0, round = 0; round < 200; ++round, n = (n + 37) % 3000) {
      {
        std::lock_guard<std::mutex> lock(source.mutex);
        source.names = Numbered(n);
        source.shortenPending = true;
      }
      std::this_thread::yield();
    }
    done = true;
  });
  for (int i = 0; !done.load() || i < 50; ++i) {
    f.gui.wheelNotches = (i % 3) - 1;
    f.gui.upDownKey = (i % 2) ? 1 : -1;
    f.Frame();
  }
  listing.join();
  SUCCEED();
}

}  // namespace
