// The tray icon, its menu and its balloons.
#include "desktop/system_tray.h"

#include "core/global_order.h"
#include "core/lifetime.h"
#include "desktop/canvas.h"
#include "desktop/desktop_look.h"
#include "platform/desktop_notification.h"
#include "platform/text_utf8.h"

CSystemTray gSystemTray DELVIX_GLOBAL(kRankSystemTray);
static const LifetimeMark systemTrayMark DELVIX_GLOBAL(kRankSystemTray){"CSystemTray"};

std::vector<platform::TrayMenuEntry> CSystemTray::Menu() {
  return {
      {"About..", kTrayAbout, true, {}},
      {"Open", 0, false,
       {
           {"Output Directory", kTrayOutputDirectory, false, {}},
           {"Cod4 Root", kTrayCod4Root, false, {}},
           {"Cod5 Root", kTrayCod5Root, false, {}},
           {"Cod BO Root", kTrayCodBoRoot, false, {}},
           {"Running Directory", kTrayRunningDirectory, false, {}},
       }},
      {"Exit", kTrayExit, false, {}},
  };
}

std::string CSystemTray::BalloonText(const std::string& text) {
  return std::string(platform::CutUtf8(platform::DesktopTextFrom8Bit(text), kBalloonTextLimit));
}

bool CSystemTray::Create() {
  platform::TrayIconOptions options;
  options.tooltip = "VornKesh Delvix";
  Canvas icon;
  if (ReadBmpFile(desktop_look::kIconPicture, icon)) {
    options.iconWidth = icon.Width();
    options.iconHeight = icon.Height();
    options.iconRgba.assign(icon.Pixels(), icon.Pixels() + static_cast<size_t>(icon.Width()) * icon.Height() * 4);
  }
  options.menu = Menu();
  options.doubleClickCommand = kTrayAbout;
  added_.store(platform::CreateTrayIcon(options, kDockWaitMs));
  return added_.load();
}

bool CSystemTray::RemoveIcon() {
  if (!added_.load()) return true;
  const bool gone = platform::RemoveTrayIcon();
  if (gone) added_.store(false);
  return gone;
}

bool CSystemTray::ShowBalloon(const std::string& text) {
  if (!added_.load()) return false;
  return platform::ShowDesktopNotification("Delvix", BalloonText(text), kBalloonTimeoutMs);
}
