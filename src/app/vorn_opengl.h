#pragma once
// VornOpenGL: the application object. It owns the main window with its OpenGL context, the job
// thread with the worker's shared context, the model list, the 3D camera and the renderer's copy
// of the model bounds, and runs the frames.
//
// Index:
//   start-up      Create, InitGL, StartXmodelThread, RestorePlacement, BuildGUI (vorn_opengl.cpp)
//   frames        FrameDue, RenderFrame, ReSizeGLScene, Update (hot keys)     (frame_loop.cpp)
//   window events HandleEvent: the window procedure                          (window_events.cpp)
//   tray          the tray icon (start-up, shutdown), RunTrayCommand          (tray_commands.cpp)
//   shutdown      Shutdown
//
// Threads: everything runs on the main thread, except the job thread that StartXmodelThread starts.
// Frames and the job thread's GPU upload both hold xmodelThread.frameMutex.
#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "gui/gl_painter.h"
#include "gui/vorn_gui.h"
#include "model/vorn_loader.h"
#include "jobs/xmodel_threaded.h"
#include "platform/events.h"
#include "platform/window.h"
#include "screens/screen_context.h"
#include "view/camera.h"
#include "view/camera_controller.h"
#include "view/model_bounds.h"
#include "view/model_render_data.h"
#include "view/scene_pass.h"
#include "view/screen_label.h"
#include "view/screenshot.h"

// Key tables that window events fill and the per-frame update reads: KeyDownTable by virtual-key
// code (true while the key is down), CharTable by character code (set by a typed character).
extern bool KeyDownTable[256];
extern bool CharTable[256];

class VornOpenGL {
 public:
  VornOpenGL();
  ~VornOpenGL();
  VornOpenGL(const VornOpenGL&) = delete;
  VornOpenGL& operator=(const VornOpenGL&) = delete;

  // ---- Start-up ---------------------------------------------------------------------------------
  // Opens the window and its context, plugs and starts the job thread, activates the game, loads
  // the shaders. Every failure is fatal and ends the process with its error box.
  void Create(int clientWidth, int clientHeight);
  bool InitGL();
  // The GUI's start-up, after Create: the fonts, the GUI textures, every menu, the GUI sounds,
  // then the layout for the window's client size (0 x 0: 800 x 600).
  void BuildGUI(int clientWidth, int clientHeight);
  void StartXmodelThread();
  // Moves the window to the saved position (clamped to the desktop) with the saved client size;
  // saves the settings when a position was restored.
  void RestorePlacement(int clientWidth, int clientHeight);
  void ApplyClearColor();
  // The window text "Vorn_Kesh Delvix - " + text.
  void SetTitle(const std::string& text);
  void SetAlwaysOnTop(bool onTop);
  // Adds the tray icon when tray_icon is set; without a tray host, logs the warning and clears it.
  void CreateTrayIcon();
  // Shows the main window, brings it to the front and gives it the keyboard focus.
  void ShowMainWindow();

  // ---- Frames (frame_loop.cpp) --------------------------------------------------------------------
  // True when the next frame is due by the frame-rate cap; otherwise sleeps the rest of the
  // interval and returns false.
  bool FrameDue();
  // One frame under the frame mutex: clear, 3D scene, swap, per-frame update.
  void RenderFrame();
  void ReSizeGLScene(int width, int height);
  // The per-frame update: hot keys, always-on-top, progress. Inside the frame.
  void Update();
  // Camera reset for the current window size.
  void ResetCamera();

  // ---- Window events (window_events.cpp) ----------------------------------------------------------
  void HandleEvent(const platform::Event& event);
  // A command of the tray menu (desktop/system_tray.h ids), in the main loop (tray_commands.cpp).
  void RunTrayCommand(int command);

  // ---- Jobs ------------------------------------------------------------------------------------
  // Queues a command's job (the tags page, the GDT file).
  void QueueJob(uint32_t flags) { xmodelThread.QueueJob(flags); }
  // The folders exports and GDT files go to: the path given when it is an existing folder, else
  // "exported" and "GDTs" in the program's folder. Taken by the jobs queued from now on.
  void SetExportFolder(const std::string& path);
  void SetGDTFolder(const std::string& path);
  // The options a job takes when it is queued: the settings as they are now, the folders and
  // the active game. Main thread.
  JobOptions CurrentJobOptions() const;
  // The game whose file layouts the jobs queued from now on read (the game switch sets it).
  void SetJobGame(GameId game) { jobGame_ = game; }

  // ---- Shutdown ----------------------------------------------------------------------------------
  // Stops the job thread (joined) and the notification bubble, then releases the worker's context,
  // the window and its context, and removes the tray icon.
  void Shutdown();
  // Stops the job thread and the notice bubble's thread; Shutdown begins with it.
  void StopWorkers();

  bool active = true;
  VornLoader xmodelList;
  XmodelThreaded xmodelThread;
  std::unique_ptr<platform::MainWindow> window = std::make_unique<platform::MainWindow>();
  std::unique_ptr<platform::SharedGlContext> workerContext;
  bool renderEnabled = true;
  bool quitRequested = false;
  int32_t width = 0;
  int32_t height = 0;
  float lastFrameMs = 0.0f;
  SceneState scene;         // grid colour, model size and centre, the renderer's copy of the bounds
  VornGUI gui;              // the GUI: menus, texture map ("default", ...), fonts, input state
  ScreenContext screens{gui, xmodelList, xmodelThread};  // what the screens' callbacks act on
  std::unique_ptr<GlPainter> guiPainter;  // the GUI's drawing on the window's context
  RenderSlots renderSlots;  // the model on the GPU, filled by the job thread under the frame mutex
  ModelBounds jobBounds;    // the job thread's bounds, under xmodelThread.boundsMutex
  int32_t mouseX = 0;       // pointer in client coordinates
  int32_t mouseY = 0;
  std::vector<ScreenLabel> screenLabels;  // the GUI's queue of screen labels (joint names)
  cinder::CameraPersp camera;
  CameraController cameraController;
  VornScreenShot screenShot;
  bool appliedAlwaysOnTop = false;
  std::set<uint16_t> consumedHotkeys;  // hot keys that have fired since start
  std::vector<uint8_t> releasedKeys;   // keys let go since the last update: cleared at its end
  float framesPerSecond = 0.0f;
  int32_t frameCount = 0;
  float fpsLastTime = 0.0f;

 private:
  bool TakeScreenShotRequested();
  // The start-up textures: the default texture and the 3D view's flat normal map (fatal when
  // either is missing), handed to the scene pass.
  void LoadStartupTextures();
  // Plugs the view's steps into the job thread: bounds, buffers and the GPU upload.
  void PlugViewSteps(JobSteps& steps);
  // What the GUI's commands and sounds reach, and the model list's reset of its list box.
  void PlugGuiHooks();
  bool xmodelThreadStarted_ = false;
  std::string exportFolder_;
  std::string gdtFolder_;
  GameId jobGame_ = GameId::Cod5;  // the active game's file layouts, set by SetActiveGame
};

// The program's application object while RunProgram runs (null before and after). It lives inside
// RunProgram so that nothing it owns (the loaded model, the job thread) outlives the libraries'
// own long-lived objects at exit.
extern VornOpenGL* gOpenGL;

// The game switch of the screens (screens/callbacks.h) on the application's own context, for
// start-up and the hot key (screen_hooks.cpp); false while there is no application object.
bool SetActiveGame(int index, bool withMessages);
