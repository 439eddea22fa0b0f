// OpenGL contexts over SDL (GLX): the main window's compatibility context and the shared
// context of the job thread.
#include <GL/glew.h>
#include <SDL.h>

#include <atomic>
#include <cstdio>
#include <cstring>

#include "platform/video_sdl.h"
#include "platform/window.h"

namespace platform {

namespace {

// GLEW reports 4 (no GLX display) under SDL's EGL path although every entry point is loaded.
constexpr GLenum kGlewNoGlxDisplay = 4;

bool HasExtension(const char* name) {
  GLint count = 0;
  glGetIntegerv(GL_NUM_EXTENSIONS, &count);
  for (GLint i = 0; i < count; ++i) {
    const char* ext = reinterpret_cast<const char*>(glGetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
    if (ext && std::strcmp(ext, name) == 0) return true;
  }
  return false;
}

std::string GlString(GLenum name) {
  const char* s = reinterpret_cast<const char*>(glGetString(name));
  return s ? s : "";
}

// Version, names and whether fixed-function drawing is there, read from the current context.
void DescribeContext(GlContextInfo& info) {
  info.version = GlString(GL_VERSION);
  info.renderer = GlString(GL_RENDERER);
  info.vendor = GlString(GL_VENDOR);
  if (std::sscanf(info.version.c_str(), "%d.%d", &info.major, &info.minor) != 2) info.major = info.minor = 0;
  if (info.major > 3 || (info.major == 3 && info.minor >= 2)) {
    GLint mask = 0;
    glGetIntegerv(GL_CONTEXT_PROFILE_MASK, &mask);
    info.compatibility = (mask & GL_CONTEXT_COMPATIBILITY_PROFILE_BIT) != 0 || HasExtension("GL_ARB_compatibility");
  } else if (info.major == 3 && info.minor == 1) {
    info.compatibility = HasExtension("GL_ARB_compatibility");
  } else {
    info.compatibility = info.major > 0;  // before 3.1 every context draws fixed-function
  }
  while (glGetError() != GL_NO_ERROR) {
  }
}

}  // namespace

void SetGlPixelFormat() {
  SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 8);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 24);
  SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
}

WindowStatus CreateWindowContext(MainWindow::Impl& impl, const WindowOptions& options) {
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, options.glMajor);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, options.glMinor);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_FLAGS, 0);
  impl.context = SDL_GL_CreateContext(impl.window);
  if (!impl.context) {
    // No such versioned context: the driver's default one (shared contexts later match it).
    SDL_GL_ResetAttributes();
    SetGlPixelFormat();
    impl.context = SDL_GL_CreateContext(impl.window);
    impl.gl.legacy = true;
  }
  if (!impl.context) {
    impl.error = SDL_GetError();
    return WindowStatus::ContextFailed;
  }
  SDL_GL_MakeCurrent(impl.window, impl.context);

  glewExperimental = GL_TRUE;
  GLenum glew = glewInit();
  impl.gl.glewResult = static_cast<int>(glew);
  if (glew != GLEW_OK && glew != kGlewNoGlxDisplay) {
    impl.error = reinterpret_cast<const char*>(glewGetErrorString(glew));
    return WindowStatus::GlewFailed;
  }
  DescribeContext(impl.gl);
  if (!impl.gl.compatibility) {
    impl.error = "the OpenGL context has no compatibility profile: " + impl.gl.version;
    return WindowStatus::NoCompatibility;
  }
  return WindowStatus::Ok;
}

void MainWindow::SwapBuffers() {
  if (impl_->window) SDL_GL_SwapWindow(impl_->window);
}

bool MainWindow::SetVsync(bool on) { return impl_->context && SDL_GL_SetSwapInterval(on ? 1 : 0) == 0; }

bool MainWindow::MakeCurrent() {
  return impl_->context && SDL_GL_MakeCurrent(impl_->window, impl_->context) == 0;
}

void MainWindow::ReleaseCurrent() {
  if (impl_->window) SDL_GL_MakeCurrent(impl_->window, nullptr);
}

// ---------------------------------------------------------------------------------------------
// The shared context

struct SharedGlContext::Impl {
  SDL_Window* drawable = nullptr;  // hidden 1x1 window of its own, so the worker never touches the main window
  SDL_GLContext context = nullptr;
  std::atomic<int> failNext{0};
};

SharedGlContext::SharedGlContext(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}

SharedGlContext::~SharedGlContext() {
  SDL_GL_DeleteContext(impl_->context);
  SDL_DestroyWindow(impl_->drawable);
  sdl::ReleaseVideo();
}

bool SharedGlContext::TryMakeCurrent() {
  int fail = impl_->failNext.load();
  while (fail > 0) {
    if (impl_->failNext.compare_exchange_weak(fail, fail - 1)) return false;
  }
  return SDL_GL_MakeCurrent(impl_->drawable, impl_->context) == 0;
}

void SharedGlContext::Release() { SDL_GL_MakeCurrent(impl_->drawable, nullptr); }

void SharedGlContext::FailNextAttempts(int count) { impl_->failNext.store(count > 0 ? count : 0); }

std::unique_ptr<SharedGlContext> MainWindow::CreateSharedContext() {
  Impl& impl = *impl_;
  if (!impl.context) {
    impl.error = "no main window context to share with";
    return nullptr;
  }
  if (!sdl::AcquireVideo(impl.error)) return nullptr;  // the shared context keeps video up until it goes
  auto shared = std::make_unique<SharedGlContext::Impl>();
  SDL_GL_MakeCurrent(impl.window, impl.context);
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
  shared->drawable = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (shared->drawable) shared->context = SDL_GL_CreateContext(shared->drawable);
  if (!shared->context) impl.error = SDL_GetError();
  SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 0);
  // Creating a context makes it current here; the main thread keeps drawing with its own.
  SDL_GL_MakeCurrent(impl.window, impl.context);
  if (!shared->context) {
    if (shared->drawable) SDL_DestroyWindow(shared->drawable);
    sdl::ReleaseVideo();
    return nullptr;
  }
  return std::make_unique<SharedGlContext>(std::move(shared));
}

}  // namespace platform
