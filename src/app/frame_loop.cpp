// Frames of the main loop: the frame-rate cap, one frame under the frame mutex, the window resize
// of the view and the per-frame update with the hot keys.
#include <GL/glew.h>

#include <chrono>
#include <thread>

#include "app/settings_snapshots.h"
#include "app/vorn_opengl.h"
#include "core/log.h"
#include "core/settings.h"
#include "core/timer.h"
#include "desktop/custom_frame.h"
#include "desktop/system_tray.h"
#include "iwd/iwd_utils.h"
#include "app/screen_labels.h"
#include "platform/events.h"
#include "platform/key_codes.h"
#include "view/bone_display.h"
#include "view/gl_draw.h"

bool VornOpenGL::FrameDue() {
  int rate = active ? gSettings.fps_active : gSettings.fps_sleep;
  if (rate <= 5) rate = 5;
  const float interval = 1000.0f / static_cast<float>(rate);
  const float waited = Timer::NowMs() - lastFrameMs;
  if (waited >= interval) return true;
  std::this_thread::sleep_for(std::chrono::milliseconds(static_cast<int>(interval - waited)));
  return false;
}

void VornOpenGL::RenderFrame() {
  Timer::ElapsedMs();
  if (!FrameDue()) return;
  std::lock_guard<std::mutex> frame(xmodelThread.frameMutex);
  window->MakeCurrent();
  lastFrameMs = Timer::ElapsedMs();

  ++frameCount;
  const float now = Timer::NowMs() * 0.001f;
  if (now - fpsLastTime > 1.0f) {
    framesPerSecond = static_cast<float>(frameCount) / (now - fpsLastTime);
    frameCount = 0;
    fpsLastTime = now;
  }

  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  GlPushModelView();
  GlSetCameraMatrices(cameraController.currentCamera);
  GlDepthTest(true);
  GlDepthWrite(true);
  ModelView view{&renderSlots, &xmodelThread.renderLodCount, &xmodelThread.boundsMutex, &jobBounds};
  SceneFrame frameInputs;
  frameInputs.options = ViewOptionsFromSettings(gSettings);
  frameInputs.camera = &cameraController.currentCamera;
  frameInputs.width = width;
  frameInputs.height = height;
  frameInputs.mouseX = mouseX;
  frameInputs.mouseY = mouseY;
  frameInputs.nowMs = lastFrameMs;
  frameInputs.mouseOverGui = gui.mouseOverGui;
  frameInputs.drawBones = [&](const PickRay& ray) {
    gBoneDisplay.Draw({ray, *frameInputs.camera, static_cast<float>(width), static_cast<float>(height),
                       frameInputs.mouseOverGui, screenLabels});
  };
  DrawScene(scene, view, frameInputs);
  GlPopModelView();
  // The GUI pass over the scene, with the names of hovered joints for this frame only.
  GuiFrame guiFrame;
  guiFrame.framesPerSecond = framesPerSecond;
  guiFrame.drawScreenLabels = [this](GuiPainter&) { DrawScreenLabels(screenLabels); };
  gui.Render(guiFrame);
  glColor4f(1, 1, 1, 1);  // the next frame's scene starts from white, whatever the GUI drew last
  // The screenshot reads the back buffer before the swap, while it still holds this frame.
  const bool screenshot = TakeScreenShotRequested();
  if (screenshot && screenShot.Save("VornDelvix_screenshot.dds", width, height)) {
    VornLog::Printf("Screen Shot saved: 'VornDelvix_screenshot.dds");
    if (gSettings.tray_icon) gSystemTray.ShowBalloon("Screen Shot saved: 'VornDelvix_screenshot.dds");
  }
  gWindowFrame.Draw();  // the frame pass, around the client area
  window->SwapBuffers();
  Update();
  glGetError();
  window->ReleaseCurrent();
}

void VornOpenGL::ReSizeGLScene(int newWidth, int newHeight) {
  std::lock_guard<std::mutex> frame(xmodelThread.frameMutex);
  window->MakeCurrent();
  if (newHeight == 0) newHeight = 1;
  const platform::FrameInsets insets = window->Insets();  // the client area inside the frame
  glViewport(insets.left, insets.bottom, newWidth, newHeight);
  width = newWidth;
  height = newHeight;
  ResetCamera();
  gui.windowWidth = newWidth;
  gui.windowHeight = newHeight;
  gui.ItemScale();
  window->ReleaseCurrent();
}

void VornOpenGL::ResetCamera() {
  cameraController.ResetView(camera, static_cast<double>(width) / static_cast<double>(height > 0 ? height : 1));
}

namespace {

// A hot key fires when its table entry is set: KeyDownTable for a virtual key, CharTable for a
// character. Firing records it, so its entry is cleared at the end of every later update.
bool Fires(VornOpenGL& app, int index) {
  const Hotkey key = gSettings.hotkeys[index];
  const uint8_t code = static_cast<uint8_t>(key & 0xFF);
  const bool set = (key >> 8) == 1 ? KeyDownTable[code] : CharTable[code];
  if (set) app.consumedHotkeys.insert(key);
  return set;
}

}  // namespace

// The screenshot hot key is looked at inside the frame, before the swap.
bool VornOpenGL::TakeScreenShotRequested() { return Fires(*this, HK_TAKE_SCREEN_SHOT); }

void VornOpenGL::Update() {
  if (Fires(*this, HK_CHANGE_ACTIVE_GAME)) {
    for (int attempt = 1; attempt <= 2; ++attempt) {
      if (SetActiveGame((gSettings.active_game + attempt) % 3, false)) break;
    }
  }
  if (Fires(*this, HK_TOGGLE_XMODEL_LIST)) gui.ExecCmd("toggle_menu xmodel_list;");
  if (Fires(*this, HK_TOGGLE_XMODEL_LOG)) gui.ExecCmd("toggle_menu xmodel_log;");
  if (Fires(*this, HK_TOGGLE_XMODEL_PROP)) gui.ExecCmd("toggle_menu xmodel_prop;");
  if (Fires(*this, HK_TOGGLE_SETTING_MENU)) gui.ExecCmd("toggle_menu Settings;");
  if (Fires(*this, HK_BOUNDING_BOX)) gSettings.draw_bounding_box = !gSettings.draw_bounding_box;
  if (Fires(*this, HK_CENTRAL_LOCATOR)) gSettings.draw_central_locator = !gSettings.draw_central_locator;
  if (Fires(*this, HK_DRAW_BONES)) gSettings.draw_bones = !gSettings.draw_bones;
  if (Fires(*this, HK_WIREFRAME)) gSettings.wireframe = !gSettings.wireframe;
  if (Fires(*this, HK_EXPORT_MA)) gui.ExecCmd("export_ma;");
  if (Fires(*this, HK_EXPORT_OBJ)) gui.ExecCmd("export_obj;");
  if (Fires(*this, HK_EXPORT_XE)) gui.ExecCmd("export_XE;");
  if (Fires(*this, HK_VIEW_TAGS)) gui.ExecCmd("toggle_menu xmodel_tags;");

  if (gSettings.window_on_top != appliedAlwaysOnTop) {
    appliedAlwaysOnTop = gSettings.window_on_top;
    SetAlwaysOnTop(appliedAlwaysOnTop);
  }

  // The model's load progress (0..99) as the filled width of the tool bar's 150-pixel bar.
  const int32_t progress = xmodelThread.Model().progress.load();
  gui.SetProgress("progress_bar", static_cast<int>((progress + 1) * 0.01 * 150));

  // The IWD image tool: its box's progress while a scan runs, else what its threads posted.
  gIWDUtils.FrameUpdate();

  for (Hotkey key : consumedHotkeys) {
    const uint8_t code = static_cast<uint8_t>(key & 0xFF);
    if ((key >> 8) == 1) {
      KeyDownTable[code] = false;
    } else {
      CharTable[code] = false;
    }
  }
  for (uint8_t code : releasedKeys) KeyDownTable[code] = false;
  releasedKeys.clear();
}
