// Start-up and shutdown of the application object.
#include "app/vorn_opengl.h"

#include <GL/glew.h>

#include "app/scene_text_font.h"
#include "app/screen_hooks.h"
#include "app/settings_snapshots.h"
#include "audio/gui_sounds.h"
#include "audio/vorn_sound.h"
#include "core/log.h"
#include "core/paths.h"
#include "core/settings.h"
#include "desktop/bubble.h"
#include "desktop/colour_themes.h"
#include "desktop/custom_frame.h"
#include "desktop/system_tray.h"
#include "iwd/iwd_utils.h"
#include "platform/files.h"
#include "screens/build_menus.h"
#include "screens/callbacks.h"
#include "screens/model_info_panel.h"
#include "view/bone_display.h"
#include "view/iwi_texture.h"
#include "view/shader_registry.h"

bool KeyDownTable[256];
bool CharTable[256];

VornOpenGL::VornOpenGL() = default;

VornOpenGL::~VornOpenGL() { Shutdown(); }

namespace {

// A folder setting the job thread may use: the path when it is a folder, else empty (the job
// thread then uses its default folder under the program's folder).
// The folder at path when it exists, else the named folder in the program's folder.
std::string ExistingFolderOr(const std::string& path, const char* fallback) {
  return platform::IsDirectory(path) ? path : GetRunningDirectory() + "/" + fallback;
}

void ColourToFloats(uint32_t colour, float out[3]) {
  for (int i = 0; i < 3; ++i) out[i] = static_cast<float>((colour >> (8 * i)) & 0xFF) / 255.0f;
}

}  // namespace

void VornOpenGL::Create(int clientWidth, int clientHeight) {
  platform::WindowOptions options;
  options.title = "Vorn_Kesh Delvix";
  options.width = clientWidth > 0 ? clientWidth : 800;
  options.height = clientHeight > 0 ? clientHeight : 600;
  options.minWidth = 750;
  options.minHeight = 600;
  options.borderless = true;  // the program draws its own frame
  const platform::WindowStatus status = window->Create(options);
  if (status != platform::WindowStatus::Ok) {
    VornLog::Warningf("%s", window->ErrorText().c_str());  // the window system's own words
  }
  switch (status) {
    case platform::WindowStatus::Ok: break;
    case platform::WindowStatus::VideoFailed:
    case platform::WindowStatus::WindowFailed: VornLog::FatalErrorf("Window Creation Error.");
    // Without its extensions the program cannot draw: an error, never a quiet end.
    case platform::WindowStatus::GlewFailed: VornLog::Printf("Ext (%i)", window->GlInfo().glewResult); [[fallthrough]];
    default: VornLog::FatalErrorf("Initialization Failed.");
  }
  gWindowFrame.Attach(*window);
  VornLog::Printf("Ext (%i)", window->GlInfo().glewResult);
  VornLog::Printf("OPENGL VERSION: %s", window->GlInfo().version.c_str());
  CreateTrayIcon();

  SetExportFolder(gSettings.dir_export);
  SetGDTFolder(gSettings.dir_gdt);
  FillScreenHooks(*this);
  SetModelScale(screens, gSettings.scale);
  StartXmodelThread();
  RestorePlacement(clientWidth, clientHeight);
  gui.AttachWindow(window.get());
  gui.fonts.SetTextColor(gSettings.color_txt);
  InitGL();
  PlugGuiHooks();  // the model list's hook is in place before the first listing starts
  LoadStartupTextures();

  if (!SetActiveGame(gSettings.active_game, false)) SetTitle("Set Active Game In Settings");
  GLenum error = glGetError();
  if (error != GL_NO_ERROR && error != GL_INVALID_ENUM) VornLog::OpenGLErrorf(error, "StartUp");
  CreateShaders();
  appliedAlwaysOnTop = gSettings.window_on_top;
  SetAlwaysOnTop(appliedAlwaysOnTop);
  // The window stays hidden: the splash screen shows it when it closes.
}

// A tray that fails (no tray host) is no failure: the program runs without tray, balloons and
// notices, and the next save keeps tray_icon off.
void VornOpenGL::CreateTrayIcon() {
  if (!gSettings.tray_icon) return;
  if (gSystemTray.Create()) {
    VornLog::Printf("Tray Icon Created");
  } else {
    VornLog::Warningf("Tray Icon Failed to init");
    gSettings.tray_icon = false;
  }
}

void VornOpenGL::ShowMainWindow() {
  if (!window || !window->IsOpen()) return;
  window->Show();
  window->Raise();
}

void VornOpenGL::StartXmodelThread() {
  workerContext = window->CreateSharedContext();
  JobSteps& steps = xmodelThread.Steps();
  if (workerContext) {
    platform::SharedGlContext* context = workerContext.get();
    steps.gpu.makeCurrent = [context] { return context->TryMakeCurrent(); };
    steps.gpu.releaseCurrent = [context] {
      glFinish();
      context->Release();
    };
  } else {
    VornLog::Warningf("Job thread context failed: %s", window->ErrorText().c_str());
  }
  PlugViewSteps(steps);
  xmodelThread.SetOptionsSource([this] { return CurrentJobOptions(); });
  xmodelThread.Start(GetRunningDirectory());
  xmodelThreadStarted_ = true;
}

void VornOpenGL::RestorePlacement(int clientWidth, int clientHeight) {
  ItemRect& saved = gSettings.main_window;
  if (saved.x != 0 || saved.y != 0) {
    platform::WindowRect desktop = window->DesktopBounds();
    if (saved.x < 0 || saved.x > desktop.x + desktop.width - 30) saved.x = 0;
    if (saved.y < -2) saved.y = -2;
    if (saved.y > desktop.y + desktop.height - 30) saved.y = 0;
    gSettings.Save();
  }
  int x = 0, y = 0;
  window->Position(x, y);
  window->SetPosition(saved.x != 0 ? saved.x : x, saved.y != 0 ? saved.y : y);
  window->SetClientSize(clientWidth > 0 ? clientWidth : 800, clientHeight > 0 ? clientHeight : 600);
}

bool VornOpenGL::InitGL() {
  glShadeModel(GL_SMOOTH);
  glClearDepth(1.0);
  glClearStencil(0);
  glEnable(GL_DEPTH_CLAMP);
  glEnable(GL_BLEND);
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LEQUAL);
  glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);

  // The moving lights start red and blue; the ambient intensities and enable flags stay as loaded.
  Light& red = SceneLights.lights[0];
  Light& blue = SceneLights.lights[1];
  for (Light* light : {&red, &blue}) {
    light->diffuse_intensity = 0.9f;
    light->attenuation_constant = 0.02f;
    light->attenuation_linear = 0.01f;
    light->attenuation_exp = 0.0001f;
  }
  red.color[0] = 1, red.color[1] = 0, red.color[2] = 0;
  blue.color[0] = 0, blue.color[1] = 0, blue.color[2] = 1;
  blue.position[0] = 50, blue.position[1] = 0, blue.position[2] = 0;

  ApplyClearColor();
  ColourToFloats(gSettings.color_grid, scene.gridColour);
  gSound.ApplyVolume(gSettings.volume);
  VornLog::Printf("VornGL Init");
  return true;
}

void VornOpenGL::LoadStartupTextures() {
  if (!gui.textures.LoadDefaultTexture("images/default.dds")) VornLog::FatalErrorf("Failed To Load Default Texture.");
  if (!gui.textures.LoadCursorTexture("images/cursor.dds")) VornLog::FatalErrorf("Failed To Load Cursor Texture.");
  const uint32_t identityNormalMap = gui.textures.LoadDSS("images/$identitynormalmap.dds", "identitynormalmap");
  if (identityNormalMap == kTextureLoadFailed) VornLog::FatalErrorf("Failed To Load identitynormalmap.");
  scene.defaultTexture = gui.textures.Lookup("default");
  scene.identityNormalMap = identityNormalMap;
}

void VornOpenGL::BuildGUI(int clientWidth, int clientHeight) {
  window->MakeCurrent();
  gui.fonts.LoadFonts();
  scene.labelText = SceneTextFromFonts(gui.fonts);
  guiPainter = std::make_unique<GlPainter>(gui.fonts);
  gui.SetPainter(guiPainter.get());
  gui.LoadGUITextures("gui_textures.txt", "");
  BuildMenus(screens);
  RegisterGUISounds(gSound);
  // Lays the menus out for the window (from the 640 x 480 they are built for).
  ReSizeGLScene(clientWidth > 0 ? clientWidth : 800, clientHeight > 0 ? clientHeight : 600);
}

void VornOpenGL::PlugGuiHooks() {
  gui.playSound = [](const std::string& sound, int channel) {
    if (channel == 2) {
      gSound.PlaysoundCh2(sound);
    } else {
      gSound.Playsound(sound);
    }
  };
  gui.hooks.requestQuit = [this] { quitRequested = true; };
  gui.hooks.runIwdScan = [] { gIWDUtils.RunScan(); };
  gui.hooks.cancelIwdScan = [] { gIWDUtils.RequestCancel(); };
  IWDGuiHooks iwd;
  iwd.showError = [this](const std::string& text) { gui.ShowError(text); };
  iwd.execCmd = [this](const std::string& script) { gui.ExecCmd(script); };
  iwd.setTextValue = [this](const std::string& key, const std::string& text) { gui.SetTextVar(key, text); };
  iwd.setProgressValue = [this](const std::string& key, int value) { gui.SetProgress(key, value); };
  gIWDUtils.SetGuiHooks(std::move(iwd));
  gui.hooks.queueJob = [this](CommandJob job) {
    switch (job) {
      case CommandJob::ExportMaya: xmodelThread.QueueExport(ExportMaya); break;
      case CommandJob::ExportObj: xmodelThread.QueueExport(ExportObj); break;
      case CommandJob::ExportXmodelExport: xmodelThread.QueueExport(ExportXmodelExport); break;
      case CommandJob::ViewTags: QueueJob(kViewTagsJob); break;
      case CommandJob::DumpGdt: QueueJob(DumpGdt); break;
    }
  };
  // The tree views' notices go to the tray balloon while the tray icon is on; their image
  // exports queue the single-image conversions of the loaded model.
  gui.treeHooks.showNotice = [](const std::string& text) {
    if (gSettings.tray_icon) gSystemTray.ShowBalloon(text);
  };
  gui.treeHooks.exportImage = [this](const std::string& slotAndMaterial, bool tga) {
    tga ? xmodelThread.QueueIwiToTgaJob(slotAndMaterial) : xmodelThread.QueueIwiToDdsJob(slotAndMaterial);
  };
  // The model list asks for its list box's scroll bar to go back to the top from either thread;
  // the command runs on the main thread between frames (the list box exists by then).
  VornLoaderHooks loaderHooks;
  loaderHooks.resetListBox = [this] { gui.PostCommands("reset_listbox xmodels;"); };
  xmodelList.SetHooks(std::move(loaderHooks));
}

void VornOpenGL::PlugViewSteps(JobSteps& steps) {
  steps.buildBoneDisplay = [](const Xmodel& model) { gBoneDisplay.Build(model.info.bones); };
  steps.buildBounds = [this](const Xmodel& model) { BuildBounds(jobBounds, model); };
  steps.buildTrees = [](const Xmodel& model) { ModelInfoPanel::Rebuild(model, gMaterialList); };
  steps.gpu.createBuffers = [this] { CreateRenderBuffers(renderSlots); };
  steps.gpu.upload = [this](Xmodel& model, int32_t& renderCount, ResultCode result, bool withTextures) {
    ModelRenderData::Build(model, renderCount, renderSlots, result, withTextures);
  };
}

void VornOpenGL::SetExportFolder(const std::string& path) { exportFolder_ = ExistingFolderOr(path, "exported"); }

void VornOpenGL::SetGDTFolder(const std::string& path) { gdtFolder_ = ExistingFolderOr(path, "GDTs"); }

JobOptions VornOpenGL::CurrentJobOptions() const {
  JobOptions options = JobOptionsFromSettings(gSettings);
  options.exportFolder = exportFolder_;
  options.gdtFolder = gdtFolder_;
  options.game = jobGame_;
  return options;
}

void VornOpenGL::ApplyClearColor() {
  float rgb[3];
  ColourToFloats(gSettings.color_background, rgb);
  glClearColor(rgb[0], rgb[1], rgb[2], 1.0f);
}

void VornOpenGL::SetTitle(const std::string& text) {
  if (window && window->IsOpen()) window->SetTitle("Vorn_Kesh Delvix - " + text);
}

void VornOpenGL::SetAlwaysOnTop(bool onTop) {
  if (window && window->IsOpen()) window->SetAlwaysOnTop(onTop);
}

void VornOpenGL::StopWorkers() {
  if (xmodelThreadStarted_) {
    xmodelThread.Stop();
    xmodelThreadStarted_ = false;
  }
  // Nothing shows a notice any more: the bubble's thread ends.
  gBubble.Shutdown();
}

void VornOpenGL::Shutdown() {
  // The job thread stops first: it may be using its context, which shares the window's.
  StopWorkers();
  if (!window || !window->IsOpen()) return;
  window->MakeCurrent();
  ReleaseRenderSlots(renderSlots);
  DeleteModelTextures(xmodelThread.Model());
  DeleteAllShaders();
  scene.defaultTexture = scene.identityNormalMap = 0;
  scene.labelText = SceneText();
  gIWDUtils.SetGuiHooks({});  // the tool's hooks reach into this object
  gui.Shutdown();
  guiPainter.reset();
  gWindowFrame.ReleaseGl();
  workerContext.reset();
  window->ReleaseCurrent();
  window.reset();
  if (gSystemTray.Added()) {
    if (gSystemTray.RemoveIcon()) {
      VornLog::Printf("TrayIcon Removed");
    } else {
      VornLog::Warningf("Failed To Remove TrayIcon");
    }
  }
  VornLog::Printf("VornOpenGL Shutdown");
}
