#include "program_driver.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "app/vorn_opengl.h"
#include "app/win_main.h"
#include "core/log.h"
#include "desktop/splash.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/key_codes.h"
#include "support/dds_builder.h"
#include "support/game_files.h"
#include "support/graphics_driver.h"
#include "support/pillow_reader.h"
#include "support/png_writer.h"
#include "support/x_server.h"
#include "support/wait_until.h"
#include "view/vec3.h"

namespace testing_support {

int RunProgramDriven(const std::string& programFolder, const std::function<void()>& drive) {
  std::thread driver([&] {
    struct QuitAtEnd {
      ~QuitAtEnd() {
        platform::Event quit;
        quit.type = platform::EventType::Quit;
        platform::PostEvent(quit);
      }
    } quitAtEnd;
    if (!WaitUntil([] { return platform::TryPostToMainThread([] {}); })) return;
    KeepGraphicsDriversLoaded();
    drive();
  });
  const int exitCode = RunProgram(programFolder);
  driver.join();
  return exitCode;
}

void LinkProgramAssets(const std::string& folder) {
  for (const char* asset : {"shaders", "images", "Fonts", "sounds", "gui_textures.txt"}) {
    const std::string built = std::string(DELVIX_PROGRAM_DIR) + "/" + asset;
    if (platform::PathExists(built)) {
      EXPECT_EQ(::symlink(built.c_str(), (folder + "/" + asset).c_str()), 0);
    }
  }
}

bool KeepScreenshot(const std::string& dds, const std::string& name, const std::string& what) {
  const std::string png = ScreenshotFolder() + name + ".png";
  const std::string command =
      "/usr/bin/python3 -c 'import sys; from PIL import Image; Image.open(sys.argv[1]).save(sys.argv[2])' '" + dds +
      "' '" + png + "'";
  if (std::system(command.c_str()) != 0) return false;
  std::printf("screenshot of %s: %s\n", what.c_str(), png.c_str());
  return true;
}

ProgramFolder::ProgramFolder(const std::string& extraOpenglSettings, const std::string& extraSections) {
  LinkProgramAssets(folder_.Root());
  // Exports go to the folder's own "exported".
  EXPECT_TRUE(platform::CreateFolders(Path("exported")));
  std::ofstream settings(Path("settings.xml"));
  settings << "<?xml version=\"1.0\"?>\n<genral>\n\t<active_game value=\"0\" />\n\t<tray_icon value=\"false\" />\n"
           << "\t<log_xmodel value=\"true\" />\n</genral>\n<dirs>\n\t<cod4 value=\"" << testfiles::RealDataPath("cod4")
           << "\" />\n\t<cod5 value=\"" << testfiles::RealDataPath("cod5") << "\" />\n\t<bo1 value=\""
           << testfiles::RealDataPath("codbo") << "\" />\n\t<export value=\"" << Path("exported") << "\" />\n</dirs>\n<opengl>\n" << extraOpenglSettings
           << "</opengl>\n" << extraSections;
}

void ProgramFolder::ReplaceImage(const std::string& name, const std::vector<uint8_t>& bytes) const {
  const std::string built = std::string(DELVIX_PROGRAM_DIR) + "/images";
  ASSERT_EQ(::unlink(Path("images").c_str()), 0);
  ASSERT_TRUE(platform::CreateFolders(Path("images")));
  for (const auto& entry : std::filesystem::directory_iterator(built)) {
    const std::string image = entry.path().filename().string();
    if (image != name) {
      ASSERT_EQ(::symlink(entry.path().c_str(), Path("images/" + image).c_str()), 0);
    }
  }
  ASSERT_TRUE(testfiles::WriteBytes(Path("images/" + name), bytes));
}

int RunProgramWith(const ProgramFolder& folder, const std::function<void()>& drive) {
  // An error box waits for a click that never comes under the test's X server: a fatal error
  // (a missing asset, say) must end the test with its log line instead of hanging it.
  VornLog::SetBoxHook([](const std::string& caption, const std::string& text) {
    std::fprintf(stderr, "error box: %s: %s\n", caption.c_str(), text.c_str());
  });
  return RunProgramDriven(folder.Root(), [&] {
    // The model list of the active game first.
    if (!WaitUntil([] { return OnMainThread([] { return !gOpenGL->xmodelList.IsLoading(); }); })) return;
    drive();
  });
}

bool LoadAndWaitUntilDrawn(const char* name) {
  OnMainThread([name] {
    gOpenGL->xmodelThread.QueueXmodelLoad(gOpenGL->xmodelList.GetFolder(), name);
    return true;
  });
  return WaitUntil([name] { return DrawnModelName() == name; });
}

std::string DrawnModelName() {
  return OnMainThread([] {
    std::lock_guard<std::mutex> frame(gOpenGL->xmodelThread.frameMutex);
    return gOpenGL->xmodelThread.renderLodCount > 0 ? gOpenGL->xmodelThread.Model().name : std::string();
  });
}

bool ModelDrawn() { return !DrawnModelName().empty(); }

size_t ShownModelCount() {
  return OnMainThread([] {
    std::lock_guard<std::mutex> lock(LoaderMutex);
    return gOpenGL->xmodelList.shownNames ? gOpenGL->xmodelList.shownNames->size() : size_t{0};
  });
}

void LookAtWholeModel() {
  OnMainThread([] {
    const float* centre = gOpenGL->scene.modelCenter;
    const float height = gOpenGL->scene.modelSize[2];
    const Vec3 target{centre[0], centre[1], centre[2]};
    const Vec3 eye{target.x + 0.5f * height, target.y - 1.6f * height, target.z + 0.3f * height};
    gOpenGL->cameraController.currentCamera.SetEyeTarget(eye, target, Vec3{0, 0, 1});
    return true;
  });
}

ItemRect ItemOnScreen(const std::string& menuName, const std::string& kind, size_t index) {
  return OnMainThread([&] {
    const ItemRect none{-1, -1, 0, 0};
    const Menu* menu = gOpenGL->gui.FindMenu(menuName);
    if (!menu) return none;
    const auto pick = [&](const auto& items) { return index < items.size() ? items[index].rect : none; };
    ItemRect r = none;
    if (kind == "TextButton") r = pick(menu->textButtons);
    if (kind == "ImageButton") r = pick(menu->imageButtons);
    if (kind == "ListBox") r = pick(menu->listBoxes);
    if (kind == "TextBox") r = pick(menu->textBoxes);
    if (kind == "TreeView") r = pick(menu->treeViews);
    if (kind == "CheckBox") r = pick(menu->checkBoxes);
    if (kind == "Slider") r = pick(menu->sliders);
    if (kind == "BoundList") r = pick(menu->boundLists);
    if (r.w == 0 && r.h == 0) return none;
    return ItemRect{r.x + menu->rect.x, r.y + menu->rect.y, r.w, r.h, r.flags};
  });
}

bool TakeScreenShot(const ProgramFolder& folder) {
  const std::string shot = folder.Path("VornDelvix_screenshot.dds");
  ::unlink(shot.c_str());
  platform::Event key;
  key.type = platform::EventType::KeyDown;
  key.keyCode = platform::vk::kF1 + 1;
  platform::PostEvent(key);
  const bool written = WaitUntil([&] { return platform::IsRegularFile(shot); });
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  return written;
}

std::string KeepScreenshot(const ProgramFolder& folder, const std::string& name) {
  if (!testfiles::PillowAvailable()) return "";
  const bool kept = KeepScreenshot(folder.Path("VornDelvix_screenshot.dds"), name, name);
  return kept ? ScreenshotFolder() + name + ".png" : "";
}

namespace {

bool MenuSettles(const std::string& name, bool visible) {
  return WaitUntil([name, visible] {
    return OnMainThread([name, visible] {
      const Menu* menu = gOpenGL->gui.FindMenu(name);
      return menu && menu->visible == visible && !menu->animating;
    });
  });
}

}  // namespace

bool MenuShown(const std::string& name) { return MenuSettles(name, true); }
bool MenuHidden(const std::string& name) { return MenuSettles(name, false); }

OwnXServer::OwnXServer(const std::string& screen) {
  // A display number of this process's own, tried until one is free.
  for (int attempt = 0; attempt < 20 && display_.empty(); ++attempt) {
    const std::string display = ":" + std::to_string(200 + (::getpid() * 7 + attempt) % 5000);
    pid_ = ::fork();
    if (pid_ == 0) {
      ::execlp("Xvfb", "Xvfb", display.c_str(), "-screen", "0", screen.c_str(), "-nolisten", "tcp",
               static_cast<char*>(nullptr));
      ::_exit(127);
    }
    if (pid_ < 0) return;
    const std::string socket = "/tmp/.X11-unix/X" + display.substr(1);
    const bool up = WaitUntil([&] { return ::waitpid(pid_, nullptr, WNOHANG) == pid_ || platform::PathExists(socket); });
    if (up && ::waitpid(pid_, nullptr, WNOHANG) == 0 && platform::PathExists(socket)) {
      display_ = display;
    } else {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
      pid_ = -1;
    }
  }
  if (display_.empty()) return;
  if (const char* old = std::getenv("DISPLAY")) oldDisplay_ = old;
  ::setenv("DISPLAY", display_.c_str(), 1);
}

OwnXServer::~OwnXServer() {
  if (!display_.empty()) {
    oldDisplay_.empty() ? ::unsetenv("DISPLAY") : ::setenv("DISPLAY", oldDisplay_.c_str(), 1);
  }
  if (pid_ > 0) {
    ::kill(pid_, SIGTERM);
    ::waitpid(pid_, nullptr, 0);
  }
}

bool XdotoolAvailable() { return std::system("command -v xdotool >/dev/null") == 0; }

bool WindowShown(const std::string& prefix) {
  std::string tree;
  RunTool({"xwininfo", "-root", "-tree"}, &tree, 5000);
  const size_t at = tree.find(" \"" + prefix);
  if (at == std::string::npos) return false;
  const size_t idStart = tree.rfind("0x", at);
  std::string info;
  RunTool({"xwininfo", "-id", tree.substr(idStart, at - idStart)}, &info, 5000);
  return info.find("IsViewable") != std::string::npos;
}

std::string Xdotool(const std::string& args) {
  std::string out;
  if (FILE* pipe = ::popen(("xdotool " + args + " 2>/dev/null").c_str(), "r")) {
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, pipe)) out += buffer;
    ::pclose(pipe);
  }
  while (!out.empty() && (out.back() == '\n' || out.back() == ' ')) out.pop_back();
  return out;
}

std::string ProgramWindow() {
  const std::string windows = Xdotool("search --name \"Vorn_Kesh Delvix\"");
  return windows.substr(0, windows.find('\n'));
}

bool XdotoolMove(const std::string& window, int x, int y) {
  // x and y are client coordinates; the window's own frame lies around the client area.
  const platform::FrameInsets insets = OnMainThread([] { return gOpenGL->window->Insets(); });
  Xdotool("mousemove --window " + window + " " + std::to_string(x + insets.left) + " " +
          std::to_string(y + insets.top));
  const bool seen = WaitUntil([&] {
    return OnMainThread([&] {
      return gOpenGL->gui.mouseX == static_cast<float>(x) && gOpenGL->gui.mouseY == static_cast<float>(y);
    });
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return seen;
}

bool XdotoolPress(int x, int y, bool release) {
  Xdotool("mousedown 1");
  const bool seen = WaitUntil([&] {
    return OnMainThread([&] { return gOpenGL->gui.pressX == x && gOpenGL->gui.pressY == y; });
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  if (release) Xdotool("mouseup 1");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return seen;
}

bool XdotoolClick(const std::string& window, int x, int y) { return XdotoolMove(window, x, y) && XdotoolPress(x, y); }

bool ChooseFolderInChooser(const std::string& title, const std::string& screenshot) {
  std::string id;
  // GTK's first dialog of a run loads its themes and icons: slow on a loaded machine.
  if (!WaitUntil([&] { return !(id = FindShownWindow(title)).empty(); }, 90000)) return false;
  std::this_thread::sleep_for(std::chrono::seconds(1));  // drawn by now
  RunTool({"import", "-window", "root", ScreenshotFolder() + screenshot + ".png"});
  for (int attempt = 0; attempt < 5 && !FindShownWindow(title).empty(); ++attempt) {
    TypeIntoWindow(id, {{"key", "Return"}});
    WaitUntil([&] { return FindShownWindow(title).empty(); }, 3000);
  }
  return true;
}

bool ClickItem(const std::string& window, const std::string& menu, const std::string& kind, size_t index) {
  const ItemRect r = ItemOnScreen(menu, kind, index);
  if (r.w <= 0 || r.h <= 0) return false;
  return XdotoolClick(window, CentreX(r), CentreY(r));
}

bool ClickInMenu(const std::string& window, const std::string& menu, int x, int y) {
  const ItemRect origin = OnMainThread([menu] {
    const Menu* found = gOpenGL->gui.FindMenu(menu);
    return found ? found->rect : ItemRect{};
  });
  return XdotoolClick(window, origin.x + x, origin.y + y);
}

bool OpenDropDown(const std::string& window, const std::string& menu, const ItemRect& rect) {
  return ClickInMenu(window, menu, rect.x + rect.w - rect.h / 2, rect.y + rect.h / 2);
}

bool PickOption(const std::string& window, const std::string& menu, const ItemRect& rect, int option) {
  return ClickInMenu(window, menu, rect.x + rect.w / 2, rect.y + rect.h + 5 + 15 * option + 6);
}

bool PickFolderInSettings(const std::string& window, int row, const std::string& title, const std::string& screenshot) {
  // The keys reach the main window once the splash screen has made way for it.
  if (!WaitUntil([] { return OnMainThread([] { return !SplashShowing(); }); })) return false;
  Xdotool("windowfocus --sync " + window);
  Xdotool("key s");
  if (!MenuShown("Settings_genral")) {
    std::fprintf(stderr, "the settings hot key did not open the general tab\n");
    return false;
  }
  // The row's "..." button, the row-th of the tab's buttons with that label.
  const ItemRect button = OnMainThread([row] {
    int seen = 0;
    for (const TextButton& b : gOpenGL->gui.FindMenu("Settings_genral")->textButtons) {
      if (b.label == "..." && seen++ == row) return b.rect;
    }
    return ItemRect{};
  });
  if (button.w <= 0) return false;
  bool chosen = false;
  std::thread user([&] { chosen = ChooseFolderInChooser(title, screenshot); });
  // The chooser is modal: the main loop waits in it until it is answered.
  const bool clicked = ClickInMenu(window, "Settings_genral", CentreX(button), CentreY(button));
  user.join();
  if (!clicked || !chosen) {
    std::fprintf(stderr, "the \"...\" button: %s, the chooser: %s\n", clicked ? "clicked" : "not seen",
                 chosen ? "answered" : "not shown");
  }
  return clicked && chosen;
}

bool XdotoolDrag(const std::string& window, int x0, int y0, int x1, int y1) {
  if (!XdotoolMove(window, x0, y0) || !XdotoolPress(x0, y0, /*release=*/false)) return false;
  bool moved = true;
  for (int step = 1; step <= 4; ++step) {
    moved = XdotoolMove(window, x0 + (x1 - x0) * step / 4, y0 + (y1 - y0) * step / 4) && moved;
  }
  Xdotool("mouseup 1");
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  return moved;
}

void XdotoolKey(const std::string& window, const std::string& key) {
  Xdotool("key --window " + window + " " + key);
  std::this_thread::sleep_for(std::chrono::milliseconds(400));
}

}  // namespace testing_support
