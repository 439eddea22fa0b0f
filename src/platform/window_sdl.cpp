// The main window over SDL (X11): creation, placement, state and cursor.
#include <SDL.h>
#include <SDL_syswm.h>

#include <algorithm>

#include "platform/text_utf8.h"
#include "platform/video_sdl.h"
#include "platform/window.h"

namespace platform {

namespace {

void CloseWindow(MainWindow::Impl& impl) {
  if (impl.context) {
    SDL_GL_MakeCurrent(impl.window, nullptr);
    SDL_GL_DeleteContext(impl.context);
    impl.context = nullptr;
  }
  if (impl.window) {
    sdl::SetMainWindowId(0);
    sdl::SetMainWindowFrame({}, nullptr);
    SDL_SetWindowHitTest(impl.window, nullptr, nullptr);
    SDL_DestroyWindow(impl.window);
    impl.window = nullptr;
  }
  if (impl.videoAcquired) {
    sdl::ReleaseVideo();
    impl.videoAcquired = false;
  }
}

uint32_t WindowFlags(const WindowOptions& options) {
  uint32_t flags = SDL_WINDOW_OPENGL;
  flags |= options.visible ? SDL_WINDOW_SHOWN : SDL_WINDOW_HIDDEN;
  if (options.borderless) flags |= SDL_WINDOW_BORDERLESS;
  if (options.resizable) flags |= SDL_WINDOW_RESIZABLE;
  if (options.alwaysOnTop) flags |= SDL_WINDOW_ALWAYS_ON_TOP;
  return flags;
}

SDL_HitTestResult SdlHitTest(HitArea area) {
  switch (area) {
    case HitArea::Client:
    case HitArea::Button:
    case HitArea::Frame: return SDL_HITTEST_NORMAL;
    case HitArea::Caption: return SDL_HITTEST_DRAGGABLE;
    case HitArea::Top: return SDL_HITTEST_RESIZE_TOP;
    case HitArea::Bottom: return SDL_HITTEST_RESIZE_BOTTOM;
    case HitArea::Left: return SDL_HITTEST_RESIZE_LEFT;
    case HitArea::Right: return SDL_HITTEST_RESIZE_RIGHT;
    case HitArea::TopLeft: return SDL_HITTEST_RESIZE_TOPLEFT;
    case HitArea::TopRight: return SDL_HITTEST_RESIZE_TOPRIGHT;
    case HitArea::BottomLeft: return SDL_HITTEST_RESIZE_BOTTOMLEFT;
    case HitArea::BottomRight: return SDL_HITTEST_RESIZE_BOTTOMRIGHT;
  }
  return SDL_HITTEST_NORMAL;
}

// SDL asks on a left press; for a move or resize it hands the press to the window manager and
// delivers nothing, otherwise the press arrives as usual. The window manager follows the pointer
// until the button is released: given a press that is already over (read late, after a slow
// frame), it would follow it until the next click, so such a press stays the program's.
SDL_HitTestResult HitTestCallback(SDL_Window* window, const SDL_Point* point, void* data) {
  const auto& impl = *static_cast<const MainWindow::Impl*>(data);
  const HitArea area = impl.hitTest ? impl.hitTest(point->x, point->y) : HitArea::Client;
  int x = 0, y = 0;
  SDL_GetWindowPosition(window, &x, &y);
  const bool mayMove = sdl::NoteFramePress(area, x + point->x, y + point->y);
  const SDL_HitTestResult result = SdlHitTest(area);
  if (result == SDL_HITTEST_NORMAL || !mayMove || !sdl::LeftButtonHeld(window)) return SDL_HITTEST_NORMAL;
  return result;
}

}  // namespace

MainWindow::MainWindow() : impl_(std::make_unique<Impl>()) {}

MainWindow::~MainWindow() { CloseWindow(*impl_); }

WindowStatus MainWindow::Create(const WindowOptions& options) {
  Impl& impl = *impl_;
  CloseWindow(impl);
  impl.error.clear();
  impl.gl = GlContextInfo{};
  if (!sdl::AcquireVideo(impl.error)) return WindowStatus::VideoFailed;
  impl.videoAcquired = true;

  SetGlPixelFormat();
  impl.window = SDL_CreateWindow(DesktopTextFrom8Bit(options.title).c_str(), options.x, options.y,
                                 std::max(1, options.width), std::max(1, options.height), WindowFlags(options));
  if (!impl.window) {
    impl.error = SDL_GetError();
    CloseWindow(impl);
    return WindowStatus::WindowFailed;
  }
  if (options.minWidth > 0 || options.minHeight > 0) SetMinimumSize(options.minWidth, options.minHeight);

  WindowStatus status = CreateWindowContext(impl, options);
  if (status != WindowStatus::Ok) {
    CloseWindow(impl);
    return status;
  }
  sdl::SetMainWindowId(SDL_GetWindowID(impl.window));
  impl.title = options.title;
  return WindowStatus::Ok;
}

bool MainWindow::IsOpen() const { return impl_->window != nullptr; }
std::string MainWindow::ErrorText() const { return impl_->error; }
const GlContextInfo& MainWindow::GlInfo() const { return impl_->gl; }

void MainWindow::Show() {
  if (impl_->window) SDL_ShowWindow(impl_->window);
}

void MainWindow::Hide() {
  if (impl_->window) SDL_HideWindow(impl_->window);
}

void MainWindow::Raise() {
  if (impl_->window) SDL_RaiseWindow(impl_->window);
}

void MainWindow::SetTitle(const std::string& title) {
  if (!impl_->window) return;
  impl_->title = title;
  SDL_SetWindowTitle(impl_->window, DesktopTextFrom8Bit(title).c_str());
}

std::string MainWindow::Title() const { return impl_->title; }

void MainWindow::SetCustomFrame(const FrameInsets& insets, HitTestFunction hitTest) {
  Impl& impl = *impl_;
  if (!impl.window) return;
  int width = 0, height = 0, minWidth = 0, minHeight = 0;
  ClientSize(width, height);
  SDL_GetWindowMinimumSize(impl.window, &minWidth, &minHeight);
  SDL_SetWindowBordered(impl.window, SDL_FALSE);
  impl.insets = insets;
  impl.hitTest = std::move(hitTest);
  sdl::SetMainWindowFrame(insets, &impl.hitTest);
  SDL_SetWindowHitTest(impl.window, HitTestCallback, &impl);
  if (minWidth > 1 || minHeight > 1) SetMinimumSize(minWidth, minHeight);
  SetClientSize(width, height);
}

FrameInsets MainWindow::Insets() const { return impl_->insets; }

PointerShape MainWindow::CurrentPointerShape() const { return sdl::ShownPointerShape(); }

void MainWindow::WindowSize(int& width, int& height) const {
  width = height = 0;
  if (impl_->window) SDL_GetWindowSize(impl_->window, &width, &height);
}

void MainWindow::Position(int& x, int& y) const {
  x = y = 0;
  if (impl_->window) SDL_GetWindowPosition(impl_->window, &x, &y);
}

void MainWindow::SetPosition(int x, int y) {
  if (impl_->window) SDL_SetWindowPosition(impl_->window, x, y);
}

void MainWindow::ClientSize(int& width, int& height) const {
  WindowSize(width, height);
  if (!impl_->window) return;
  const FrameInsets& f = impl_->insets;
  width = std::max(0, width - f.left - f.right);
  height = std::max(0, height - f.top - f.bottom);
}

void MainWindow::SetClientSize(int width, int height) {
  const FrameInsets& f = impl_->insets;
  if (impl_->window) SDL_SetWindowSize(impl_->window, std::max(1, width) + f.left + f.right, std::max(1, height) + f.top + f.bottom);
}

void MainWindow::SetMinimumSize(int width, int height) {
  const FrameInsets& f = impl_->insets;
  if (impl_->window) SDL_SetWindowMinimumSize(impl_->window, std::max(1, width) + f.left + f.right, std::max(1, height) + f.top + f.bottom);
}

WindowRect MainWindow::DesktopBounds() const {
  int count = SDL_GetNumVideoDisplays();
  bool any = false;
  int left = 0, top = 0, right = 0, bottom = 0;
  for (int i = 0; i < count; ++i) {
    SDL_Rect r;
    if (SDL_GetDisplayBounds(i, &r) != 0) continue;
    left = any ? std::min(left, r.x) : r.x;
    top = any ? std::min(top, r.y) : r.y;
    right = any ? std::max(right, r.x + r.w) : r.x + r.w;
    bottom = any ? std::max(bottom, r.y + r.h) : r.y + r.h;
    any = true;
  }
  return {left, top, right - left, bottom - top};
}

void MainWindow::Minimize() {
  if (!impl_->window) return;
  if (!sdl::RequestWindowState(impl_->window, sdl::WindowState::Minimized)) SDL_MinimizeWindow(impl_->window);
  sdl::NoteStateRequest();
}

void MainWindow::Maximize() {
  if (!impl_->window) return;
  if (!sdl::RequestWindowState(impl_->window, sdl::WindowState::Maximized)) SDL_MaximizeWindow(impl_->window);
  sdl::NoteStateRequest();
}

void MainWindow::Restore() {
  if (!impl_->window) return;
  if (!sdl::RequestWindowState(impl_->window, sdl::WindowState::Normal)) SDL_RestoreWindow(impl_->window);
  sdl::NoteStateRequest();
}

bool MainWindow::IsMinimized() const {
  return impl_->window && sdl::QueryWindowState(impl_->window) == sdl::WindowState::Minimized;
}

bool MainWindow::IsMaximized() const {
  return impl_->window && sdl::QueryWindowState(impl_->window) == sdl::WindowState::Maximized;
}

void MainWindow::SetAlwaysOnTop(bool onTop) {
  if (impl_->window) SDL_SetWindowAlwaysOnTop(impl_->window, onTop ? SDL_TRUE : SDL_FALSE);
}

void MainWindow::ShowSystemCursor(bool show) { SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE); }

uint64_t MainWindow::NativeId() const {
  if (!impl_->window) return 0;
  SDL_SysWMinfo info;
  SDL_VERSION(&info.version);
  if (!SDL_GetWindowWMInfo(impl_->window, &info) || info.subsystem != SDL_SYSWM_X11) return 0;
  return static_cast<uint64_t>(info.info.x11.window);
}

}  // namespace platform
