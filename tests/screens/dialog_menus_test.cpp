// The dialog boxes as the builder makes them on a real GUI (their scripts and textures are checked
// with the whole GUI's): every menu with its kind of transition and its items per kind, and what
// their buttons do: the update box's download and cancel, the IWD box's scan and cancel, the about
// and donation boxes, the error and message boxes, and the backdrops that keep the pointer from
// the menus below, also in an enlarged window.
#include <gtest/gtest.h>

#include "core/log.h"
#include "core/project_site.h"
#include "gui/item_layout.h"
#include "gui/recording_painter.h"
#include "iwd/iwd_box.h"
#include "screens/build_menus.h"
#include "support/log_capture.h"

namespace {

struct DialogShape {
  const char* name;
  MenuTransition transition;
  float durationMs;
  size_t filledRects, images, labels, valueLabels, fontLabels, textButtons, flatButtons, progressBars;
};

// The boxes in build order, with their items per kind.
const DialogShape kDialogs[] = {
    {"update_menu_background", TRANSITION_FADE, 500, 1, 0, 0, 0, 0, 0, 0, 0},
    {"update_menu", TRANSITION_FADE, 500, 0, 1, 1, 0, 1, 2, 0, 1},
    {"update_menu_download", TRANSITION_NONE, 0, 0, 0, 0, 0, 0, 1, 0, 0},
    {"update_menu_cancel", TRANSITION_NONE, 0, 0, 0, 0, 0, 0, 1, 0, 0},
    {"iwd_images_menu_lock", TRANSITION_NONE, 0, 1, 0, 0, 0, 0, 0, 0, 0},
    {"iwd_images_menu", TRANSITION_NONE, 0, 0, 1, 2, 2, 1, 0, 2, 1},
    {"about_menu", TRANSITION_FADE, 1000, 1, 2, 8, 0, 0, 0, 2, 0},
    {"donate_menu_lock", TRANSITION_FADE, 300, 1, 0, 0, 0, 0, 0, 0, 0},
    {"donate_menu", TRANSITION_SLIDE, 650, 0, 1, 0, 0, 0, 2, 0, 0},
    {"error_menu", TRANSITION_FADE, 500, 1, 2, 0, 0, 1, 0, 1, 0},
    {"msg_box_menu", TRANSITION_FADE, 500, 1, 2, 0, 0, 1, 0, 1, 0},
};

class DialogMenusTest : public ::testing::Test {
 protected:
  DialogMenusTest() {
    f.gui.hooks.startDownload = [this] { ++downloads; };
    f.gui.hooks.cancelDownload = [this] { ++cancelledDownloads; };
    f.gui.hooks.runIwdScan = [this] { ++scans; };
    f.gui.hooks.cancelIwdScan = [this] { ++cancelledScans; };
    BuildDialogMenus(ctx);
    f.gui.SetMessageLayout({280, 220, 150, 180, ITEM_CENTER_X | ITEM_CENTER_Y});
  }

  Menu& Get(const std::string& name) {
    Menu* menu = f.gui.FindMenu(name);
    EXPECT_NE(menu, nullptr) << name;
    return *menu;
  }
  bool Shown(const std::string& name) { return Get(name).visible; }
  // Lets running transitions end.
  void Settle() {
    f.nowMs += 2000;
    f.Frame();
  }
  // Runs the commands of the button of label in menu, as a click does.
  void Press(const std::string& menu, const std::string& label) {
    Menu& m = Get(menu);
    for (TextButton& button : m.textButtons) {
      if (button.label == label) return f.gui.Processcmd(button.commands);
    }
    for (FlatButton& button : m.flatButtons) {
      if (button.label == label) return f.gui.Processcmd(button.commands);
    }
    ADD_FAILURE() << "no button " << label << " in " << menu;
  }

  LogCapture log;
  GuiFixture f;
  VornLoader loader;
  XmodelThreaded jobs;
  ScreenContext ctx{f.gui, loader, jobs};
  int downloads = 0, cancelledDownloads = 0, scans = 0, cancelledScans = 0;
};

TEST_F(DialogMenusTest, EveryBoxIsBuiltHiddenInOrderWithItsItems) {
  const auto& menus = f.gui.Menus();
  ASSERT_EQ(menus.size(), std::size(kDialogs));
  for (size_t i = 0; i < menus.size(); ++i) {
    const DialogShape& shape = kDialogs[i];
    const Menu& menu = *menus[i];
    SCOPED_TRACE(shape.name);
    EXPECT_EQ(menu.name, shape.name);
    EXPECT_EQ(menu.transition, shape.transition);
    EXPECT_FLOAT_EQ(menu.durationMs, shape.durationMs);
    EXPECT_FALSE(menu.visible);
    EXPECT_EQ(menu.visibilityMirror, nullptr);
    EXPECT_FALSE(menu.framed);
    EXPECT_EQ(menu.filledRects.size(), shape.filledRects);
    EXPECT_EQ(menu.images.size(), shape.images);
    EXPECT_EQ(menu.labels.size(), shape.labels);
    EXPECT_EQ(menu.valueLabels.size(), shape.valueLabels);
    EXPECT_EQ(menu.fontLabels.size(), shape.fontLabels);
    EXPECT_EQ(menu.textButtons.size(), shape.textButtons);
    EXPECT_EQ(menu.flatButtons.size(), shape.flatButtons);
    EXPECT_EQ(menu.progressBars.size(), shape.progressBars);
    const size_t others = menu.roundedRects.size() + menu.imageButtons.size() + menu.listBoxes.size() +
                          menu.boundLists.size() + menu.textBoxes.size() + menu.keyBinds.size() +
                          menu.checkBoxes.size() + menu.sliders.size() + menu.colorPickers.size() +
                          menu.dropDowns.size() + menu.plainLabels.size() + menu.treeViews.size();
    EXPECT_EQ(others, 0u);
  }
  EXPECT_EQ(Get("donate_menu").openDirection, SLIDE_LEFT);
  EXPECT_EQ(Get("donate_menu").closeDirection, SLIDE_LEFT);
  // The bars start empty, except the IWD scan's, which shows a sliver until a scan reports.
  EXPECT_EQ(f.gui.Progress("download_progress"), 0);
  EXPECT_EQ(f.gui.Progress(kIwdScanProgressKey), 1);
}

TEST_F(DialogMenusTest, UpdateBoxDownloadsAndItsCancelStopsTheDownload) {
  f.gui.ExecCmd("open update_menu;");
  EXPECT_TRUE(Shown("update_menu_background"));
  EXPECT_TRUE(Shown("update_menu_download"));
  EXPECT_FALSE(Shown("update_menu_cancel"));
  Settle();

  Press("update_menu_download", "Download Update");
  EXPECT_EQ(downloads, 1);
  EXPECT_FALSE(Shown("update_menu_download"));
  EXPECT_TRUE(Shown("update_menu_cancel"));

  Press("update_menu_cancel", "Cancel");
  EXPECT_EQ(cancelledDownloads, 1);
  EXPECT_FALSE(Shown("update_menu"));
  EXPECT_FALSE(Shown("update_menu_cancel"));
  EXPECT_FALSE(Shown("update_menu_background"));
  Settle();

  // "Close" while a download runs hides "Cancel" too and lets the download go on; the next
  // opening shows the download button again.
  f.gui.ExecCmd("open update_menu;");
  Settle();
  Press("update_menu_download", "Download Update");
  Press("update_menu", "Close");
  EXPECT_EQ(cancelledDownloads, 1);
  EXPECT_FALSE(Shown("update_menu_cancel"));
  Settle();
  f.gui.ExecCmd("open update_menu;");
  EXPECT_TRUE(Shown("update_menu_download"));
  EXPECT_FALSE(Shown("update_menu_cancel"));
}

TEST_F(DialogMenusTest, IwdBoxScansAndItsCancelStopsTheScanAndClosesTheBox) {
  f.gui.ExecCmd("open iwd_images_menu;");
  EXPECT_TRUE(Shown("iwd_images_menu_lock"));
  Press("iwd_images_menu", "Scan");
  EXPECT_EQ(scans, 1);
  Press("iwd_images_menu", "Cancel");
  EXPECT_EQ(cancelledScans, 1);
  EXPECT_FALSE(Shown("iwd_images_menu"));
  EXPECT_FALSE(Shown("iwd_images_menu_lock"));
  // The two values are drawn at one place, beside the captions.
  const Menu& box = Get("iwd_images_menu");
  EXPECT_EQ(box.valueLabels[0].key, kIwdProgressTextKey);
  EXPECT_EQ(box.valueLabels[1].key, kIwiProgressTextKey);
  EXPECT_EQ(box.valueLabels[0].rect.x, box.valueLabels[1].rect.x);
  EXPECT_EQ(box.valueLabels[0].rect.y, box.labels[1].rect.y);
}

TEST_F(DialogMenusTest, AboutBoxShowsTheVersionAndTheSiteAndLeadsToTheDonationBox) {
  const Menu& about = Get("about_menu");
  std::vector<std::string> texts;
  for (const Label& label : about.labels) texts.push_back(label.text);
  EXPECT_EQ(texts[1], VersionText);
  EXPECT_EQ(texts[3], kProjectSite);

  f.gui.ExecCmd("open about_menu;");
  Settle();
  Press("about_menu", "Donate");
  EXPECT_FALSE(Shown("about_menu"));
  EXPECT_TRUE(Shown("donate_menu"));
  EXPECT_TRUE(Shown("donate_menu_lock"));
  Settle();
  Press("donate_menu", "No Thanks");
  EXPECT_FALSE(Shown("donate_menu"));
  EXPECT_FALSE(Shown("donate_menu_lock"));
}

TEST_F(DialogMenusTest, ErrorAndMessageBoxesShowTheirTextWhileOpen) {
  struct Box {
    const char* menu;
    void (VornGUI::*show)(const std::string&);
    bool VornGUI::*shown;
    std::string VornGUI::*text;
  };
  for (const Box& box : {Box{"error_menu", &VornGUI::ShowError, &VornGUI::showError, &VornGUI::errorText},
                         Box{"msg_box_menu", &VornGUI::ShowMessage, &VornGUI::showMessage, &VornGUI::messageText}}) {
    SCOPED_TRACE(box.menu);
    (f.gui.*box.show)("Something happened");
    EXPECT_TRUE(Shown(box.menu));
    EXPECT_TRUE(f.gui.*box.shown);
    Settle();
    Press(box.menu, "Close");
    EXPECT_FALSE(f.gui.*box.shown);
    // Another text while the box fades out replaces the text but does not reopen it.
    (f.gui.*box.show)("A second text");
    EXPECT_FALSE(Shown(box.menu));
    EXPECT_EQ(f.gui.*box.text, "A second text");
  }
}

// A box with a whole-window backdrop keeps the pointer from the menus below it, in the part of
// an enlarged window beyond the 640 x 480 layout too.
TEST(DialogMenusCover, BackdropsCoverTheWholeWindowAfterAResize) {
  for (const char* box : {"update_menu", "iwd_images_menu", "about_menu", "donate_menu", "error_menu", "msg_box_menu"}) {
    SCOPED_TRACE(box);
    GuiFixture f;
    VornLoader loader;
    XmodelThreaded jobs;
    ScreenContext ctx{f.gui, loader, jobs};
    f.AddMenu("below").visible = true;
    BuildDialogMenus(ctx);
    f.gui.windowWidth = 1000;
    f.gui.windowHeight = 800;
    f.gui.ItemScale();
    for (const ItemRect& area : {ItemRect{980, 780, 10, 10}, ItemRect{5, 5, 10, 10}, ItemRect{500, 400, 10, 10}}) {
      const auto settle = [&f] {
        f.nowMs += 2000;
        f.Frame();
      };
      EXPECT_FALSE(f.gui.IsCoveredByUpperMenu(0, area));
      f.gui.ExecCmd(std::string("open ") + box + ";");
      settle();
      EXPECT_TRUE(f.gui.IsCoveredByUpperMenu(0, area)) << area.x << "," << area.y;
      f.gui.ExecCmd(std::string("close ") + box + ";");
      settle();
    }
  }
}

}  // namespace
