// The dialog menus: the boxes shown over everything else, built last so that they are drawn over
// every other menu. Each box that must keep the pointer from the menus below it has a backdrop
// (or a hit rectangle) over the whole window that grows with it.
//
//   update box       update_menu_background, update_menu, update_menu_download, update_menu_cancel
//   IWD image mover  iwd_images_menu_lock, iwd_images_menu
//   about box        about_menu
//   donation box     donate_menu_lock, donate_menu
//   error, message   error_menu, msg_box_menu (their text is drawn at the GUI's message layout)
#include "core/log.h"
#include "core/project_site.h"
#include "gui/item_layout.h"
#include "iwd/iwd_box.h"
#include "screens/build_menus.h"
#include "screens/screen_colours.h"

namespace {

using namespace screen_colours;

constexpr uint32_t kCentred = ITEM_CENTER_X | ITEM_CENTER_Y;
constexpr uint32_t kGrows = ITEM_GROW_W | ITEM_GROW_H;
// The box's menu position: it moves by half of a window resize, keeping the box centred.
constexpr ItemRect kCentredMenu{0, 0, 0, 0, kCentred};
constexpr ItemRect kFixedOrigin{0, 0, 0, 0, ITEM_FIXED};
// The whole layout, growing with the window: a menu with this hit rectangle (or an item with this
// rectangle) covers every menu below it.
constexpr ItemRect kWholeWindow{0, 0, 640, 480, kGrows};
constexpr bool kHidden = false;
constexpr uint8_t kTitleFont = 4;

ItemRect At(int32_t x, int32_t y, uint32_t flags = ITEM_FIXED) { return {x, y, 0, 0, flags}; }

// A capped "button" / "button_hi" text button with its label at (15, 14), running script.
void AddBoxButton(VornGUI& gui, const ItemRect& rect, const std::string& label, const std::string& script) {
  gui.AddTextButton(rect, kButtonLabel, kWhite, "button", "button_hi", label, 15, 14, script, true);
}

void BuildUpdateBox(VornGUI& gui) {
  gui.BeginFadeMenu("update_menu_background", kFixedOrigin, kWholeWindow, kHidden, 0.5f);
  gui.AddFilledRect(kWholeWindow, kBackdropDarkest);

  gui.BeginFadeMenu("update_menu", kCentredMenu, kWholeWindow, kHidden, 0.5f);
  gui.SetOpenScript("open update_menu_background; open update_menu_download;");
  gui.SetCloseScript("close update_menu_background; close update_menu_download; close update_menu_cancel;");
  gui.AddImage({120, 105, 400, 270}, "menu_frame", kBoxFrame);
  gui.AddFontLabel(At(235, 120), "Update Available !", kBoxTitle, kTitleFont, 16);
  gui.AddLabel(At(145, 180), "A update is avalible !\n\nIt is strongly recommended you update.", kBoxLabel);
  gui.AddTextButton({300, 336, 80, 20}, kWebsiteLabel, kWebsiteHoverLabel, "blank_trans", "blank_trans", "Release Notes", 15,
                    14, "show_release_notes;", false);
  AddBoxButton(gui, {420, 336, 65, 20}, "Close", "close update_menu;");
  gui.AddProgressBar("download_progress", 2000.0f, {150, 340, 150, 16}, kBoxProgressFill);

  gui.BeginMenu("update_menu_download", kCentredMenu, kFixedOrigin, kHidden);
  gui.AddTextButton({150, 250, 256, 64}, kButtonLabel, kWhite, "download_icon", "download_icon",
                    "Download Update", 70, 32, "download_update; close update_menu_download; open update_menu_cancel;",
                    false);

  // Once a download runs, its button gives way to "Cancel", which stops the download and closes
  // the box. "Close" only closes the box: the download goes on and installs when complete.
  gui.BeginMenu("update_menu_cancel", kCentredMenu, kFixedOrigin, kHidden);
  AddBoxButton(gui, {150, 285, 75, 20}, "Cancel", "cancel_download; close update_menu;");
}

void BuildIwdBox(VornGUI& gui) {
  gui.BeginMenu("iwd_images_menu_lock", kFixedOrigin, kWholeWindow, kHidden);
  gui.AddFilledRect(kWholeWindow, kBackdropLight);

  gui.BeginMenu("iwd_images_menu", kCentredMenu, kFixedOrigin, kHidden);
  gui.SetOpenScript("open iwd_images_menu_lock;");
  gui.SetCloseScript("close iwd_images_menu_lock;");
  gui.AddImage({100, 85, 440, 310}, "menu_frame", kBoxFrame);
  gui.AddFontLabel(At(235, 102), "IWD Image Mover", kBoxTitle, kTitleFont, 16);
  gui.AddLabel(At(125, 140),
               "It looks like you have not moved all the images\n out of the 'main' game files.\n\n"
               "This will result in textures not loading",
               kBoxLabel);
  // The two values share one place: their lines fall beside different captions of the label below.
  gui.AddValueLabel(At(240, 280), kIwdProgressTextKey, kBoxLabel);
  gui.AddValueLabel(At(240, 280), kIwiProgressTextKey, kBoxLabel);
  gui.AddLabel(At(150, 280), "Current IWD: \n\niwi's Moved: \n\niwi's Skipped: ", kBoxLabel);
  gui.AddFlatButton({440, 336, 70, 20}, "Scan", 20, 14, "run_iwd_scan;");
  gui.AddFlatButton({440, 360, 70, 20}, "Cancel", 15, 14, "cancel_iwd_scan; close iwd_images_menu;");
  gui.AddProgressBar(kIwdScanProgressKey, 2000.0f, {130, 360, 150, 16}, kBoxProgressFill);
  gui.SetProgress(kIwdScanProgressKey, 1);
  // The image counts read 0 until a scan reports.
  gui.SetTextVar(kIwiProgressTextKey, kIwiProgressResetText);
}

void BuildAboutBox(VornGUI& gui) {
  gui.BeginFadeMenu("about_menu", kFixedOrigin, kWholeWindow, kHidden, 1.0f);
  gui.AddFilledRect(kWholeWindow, kBackdropLight);
  gui.AddImage({120, 105, 400, 270, kCentred}, "menu_frame", kBoxFrame);
  gui.AddImage({225, 115, 200, 41, kCentred}, "vorn_logo", kWhite);
  gui.AddLabel(At(145, 180, kCentred), "About Vorn_Kesh Delvix", kBoxLabel);
  gui.AddLabel(At(155, 200, kCentred), VersionText, kBoxLabel);
  gui.AddLabel(At(155, 220, kCentred), "Made by the Delvix developers", kBoxLabel);
  gui.AddLabel(At(155, 240, kCentred), kProjectSite, kBoxLabel);
  gui.AddLabel(At(145, 270, kCentred), "Advanced Xmodel exporter with 3D model view, exports to:", kBoxLabel);
  gui.AddLabel(At(155, 290, kCentred), ".ma(mel) .obj(mtl) .Xmodel_Export", kBoxLabelRed);
  gui.AddLabel(At(145, 320, kCentred), "Supported Games:", kBoxLabel);
  gui.AddLabel(At(155, 340, kCentred), "Cod4 Cod5 CodBO", kBoxLabelRed);
  gui.AddFlatButton({350, 335, 65, 20, kCentred}, "Donate", 15, 14, "close about_menu; open donate_menu;");
  gui.AddFlatButton({420, 335, 65, 20, kCentred}, "Close", 15, 14, "close about_menu;");
}

void BuildDonationBox(VornGUI& gui) {
  gui.BeginFadeMenu("donate_menu_lock", kFixedOrigin, kWholeWindow, kHidden, 0.3f);
  gui.AddFilledRect(kWholeWindow, kBackdropDark);

  gui.BeginSlideMenu("donate_menu", kFixedOrigin, kWholeWindow, kHidden, SLIDE_LEFT, SLIDE_LEFT, 0.65f);
  gui.SetOpenScript("open donate_menu_lock;");
  gui.SetCloseScript("close donate_menu_lock;");
  gui.AddImage({0, 50, 256, 256}, "donate_background", kWhite);
  // An invisible button over the "Donate" button of the picture.
  gui.AddTextButton({17, 255, 70, 30}, kButtonLabel, kWhite, "blank_trans", "blank_trans", "", 0, 0,
                    "close donate_menu; pay_pal_donate;", false);
  AddBoxButton(gui, {157, 272, 80, 20}, "No Thanks", "close donate_menu;");
}

// The error and the message box: a title, a backdrop, the frame, an icon and a close button; the
// text itself is drawn by the GUI while the open script's word is in force.
struct NoticeBox {
  const char* menu;
  const char* title;
  int32_t titleX;
  const char* icon;
  const char* openScript;
  const char* closeScript;
  const char* closeButtonScript;
};

void BuildNoticeBox(VornGUI& gui, const NoticeBox& box) {
  gui.BeginFadeMenu(box.menu, kFixedOrigin, kWholeWindow, kHidden, 0.5f);
  gui.SetOpenScript(box.openScript);
  gui.SetCloseScript(box.closeScript);
  gui.AddFontLabel(At(box.titleX, 165, kCentred), box.title, kBoxTitle, kTitleFont, 18);
  gui.AddFilledRect(kWholeWindow, kBackdropDark);
  gui.AddImage({165, 150, 310, 200, kCentred}, "menu_frame", kBoxFrame);
  gui.AddImage({190, 215, 64, 64, kCentred}, box.icon, kWhite);
  gui.AddFlatButton({380, 310, 65, 20, kCentred}, "Close", 15, 14, box.closeButtonScript);
}

}  // namespace

void BuildDialogMenus(ScreenContext& ctx) {
  VornGUI& gui = ctx.gui;
  BuildUpdateBox(gui);
  BuildIwdBox(gui);
  BuildAboutBox(gui);
  BuildDonationBox(gui);
  BuildNoticeBox(gui, {"error_menu", "Error", 290, "error_icon", "display_error;", "hide_error;", "close error_menu;"});
  BuildNoticeBox(gui,
                 {"msg_box_menu", "Message", 280, "info_icon", "display_msg;", "hide_msg;", "close msg_box_menu;"});
}
