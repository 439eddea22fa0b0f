// The splash screen's window and close rule.
#include "desktop/splash.h"

#include <chrono>
#include <cstdio>
#include <memory>
#include <mutex>

#include "core/log.h"
#include "desktop/canvas.h"
#include "desktop/desktop_look.h"
#include "platform/message_box.h"
#include "platform/picture_window.h"

namespace {

struct SplashScreen {
  SplashCloseRule rule;
  std::unique_ptr<platform::PictureWindow> window;  // null once closed or taken down for an error box
  bool closed = false;                              // the main window has been brought up
  std::function<void()> showMainWindow;
  std::function<void()> onClose;
};

// The record stays after closing (a second close finds no window); never destroyed, so a box at
// exit still finds it.
constinit SplashScreen* gSplash = nullptr;
constinit std::mutex gSplashMutex;  // guards gSplash->window against the error boxes' threads

double NowMs() {
  using namespace std::chrono;
  return duration<double, std::milli>(steady_clock::now().time_since_epoch()).count();
}

void ErrorBox(const char* format, int code) {
  char text[260];
  std::snprintf(text, sizeof text, format, code);
  VornLog::Warningf("Splash screen: %s", text);
  platform::ShowMessageBox(platform::MessageBoxKind::Error, "Vorn_kesh - Error", text);
}

}  // namespace

bool ShowSplash(std::function<void()> showMainWindow, std::function<void()> onClose) {
  if (gSplash) return false;
  Canvas picture;
  if (!ReadBmpFile(desktop_look::kSplashPicture, picture)) {
    ErrorBox("Failed to create window- error %d", 2);  // the picture is missing or damaged
    return false;
  }
  auto window = std::make_unique<platform::PictureWindow>();
  if (!window->Create("Delvix", platform::PictureWindowKind::Splash, {0, 0, picture.Width(), picture.Height()})) {
    ErrorBox("Failed to create window- error %d", 1);
    return false;
  }
  // Centred on the desktop, with integer halves as the layout of the picture expects.
  const platform::ScreenRect screen = window->ScreenBounds();
  window->SetRect({screen.x + screen.width / 2 - picture.Width() / 2, screen.y + screen.height / 2 - picture.Height() / 2,
                   picture.Width(), picture.Height()});
  window->SetPicture(picture.Width(), picture.Height(), picture.Pixels());
  window->Show();
  std::lock_guard<std::mutex> lock(gSplashMutex);
  gSplash = new SplashScreen{{NowMs(), false}, std::move(window), false, std::move(showMainWindow), std::move(onClose)};
  return true;
}

void SplashDone() {
  if (!gSplash) return;
  gSplash->rule.guiReady = true;
  TryCloseSplash();
}

void TryCloseSplash() {
  if (gSplash && !gSplash->closed && gSplash->rule.ShouldClose(NowMs())) CloseSplash();
}

void CloseSplash() {
  if (!gSplash || gSplash->closed) return;
  gSplash->closed = true;
  {
    std::lock_guard<std::mutex> lock(gSplashMutex);
    gSplash->window.reset();
  }
  if (gSplash->showMainWindow) gSplash->showMainWindow();
  if (gSplash->onClose) gSplash->onClose();
}

void CloseSplashForErrorBox() {
  std::lock_guard<std::mutex> lock(gSplashMutex);
  if (gSplash) gSplash->window.reset();
}

bool SplashShowing() {
  std::lock_guard<std::mutex> lock(gSplashMutex);
  return gSplash && gSplash->window;
}
