#pragma once
// OpenGL contexts of the program. The main window owns a compatibility-profile context (the GUI,
// the grid and the markers draw with fixed-function GL); the job thread gets a second context
// that shares buffers, textures and lists with it (MainWindow::CreateSharedContext).
#include <memory>
#include <string>

namespace platform {

// What the main window's context turned out to be.
struct GlContextInfo {
  bool legacy = false;         // the versioned compatibility request failed; a default context is used
  bool compatibility = false;  // fixed-function drawing is available (checked after creation)
  int major = 0, minor = 0;    // GL version of the context
  int glewResult = 0;          // glewInit's result (0, or 4 when GLEW finds no GLX display, is success)
  std::string version;         // GL_VERSION, GL_RENDERER, GL_VENDOR as the driver reports them
  std::string renderer;
  std::string vendor;
};

// A context sharing objects with the main window's, with its own hidden drawable, for a worker
// thread. Created and destroyed on the main thread (destroy it only after the worker released it);
// made current and released on the worker thread. GL work done in it becomes visible to the main
// context once the worker has called glFinish.
class SharedGlContext {
 public:
  ~SharedGlContext();
  SharedGlContext(const SharedGlContext&) = delete;
  SharedGlContext& operator=(const SharedGlContext&) = delete;

  // One attempt to make the context current on the calling thread. False when it failed (the
  // caller decides how often to retry); nothing is logged.
  bool TryMakeCurrent();

  // Makes no context current on the calling thread. Call glFinish first when the main context
  // must see the work.
  void Release();

  // Test seam: the next count calls of TryMakeCurrent fail without trying.
  void FailNextAttempts(int count);

  struct Impl;
  explicit SharedGlContext(std::unique_ptr<Impl> impl);

 private:
  std::unique_ptr<Impl> impl_;
};

}  // namespace platform
