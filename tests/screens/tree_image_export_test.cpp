// The information tree's image actions end to end: a real model loaded by the job thread fills
// the tree, a right click on an image row of the tree view opens its menu, and "Export To DDS" or
// "Export To TGA" queues the conversion that writes, beside the IWI file, exactly the file the
// image writers make of that image.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

#include "export/image_export.h"
#include "gui/recording_painter.h"
#include "image/image_writers.h"
#include "image/iwi_image.h"
#include "jobs/job_flags.h"
#include "jobs/xmodel_threaded.h"
#include "model/material_list.h"
#include "screens/model_info_panel.h"
#include "support/game_files.h"
#include "support/job_thread.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"

namespace {

namespace fs = std::filesystem;

constexpr int32_t kMenuX = 100, kMenuY = 50;
constexpr ItemRect kViewRect{4, 22, 400, 600};

// The image steps and the trees' rebuild, as the program plugs them into the job thread.
void PlugImagesAndTrees(JobSteps& steps) {
  AddImageSteps(steps);
  steps.buildTrees = [](const Xmodel& model) { ModelInfoPanel::Rebuild(model, gMaterialList); };
}

std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// An image row of the information tree: its place among the rows and the image it names.
struct ImageRow {
  int32_t index;
  std::string iwiName;
};

std::vector<ImageRow> ImageRows(const TreeContainer& tree) {
  std::vector<ImageRow> rows;
  for (TreeIterator it = tree.Begin(); it.node != tree.Foot(); ++it) {
    if (it->icon != "tree_tick") continue;
    rows.push_back({static_cast<int32_t>(tree.IndexOf(it.node)), IwiNameOf(it->text)});
  }
  return rows;
}

class TreeImageExportThread : public ::testing::Test {
 protected:
  TreeImageExportThread() {
    fs::create_directories(folder.Path("game"));
    fs::copy(testfiles::RealDataPath("cod5/raw"), folder.Path("game/raw"), fs::copy_options::recursive);
    Menu& menu = f.AddMenu("xmodel_prop");
    menu.visible = true;
    menu.rect = {kMenuX, kMenuY};
    menu.treeViews.push_back(ModelInfoPanel::MakeInfoTreeView(kViewRect));
    f.gui.mouseInside = true;
    // As the program wires the tree views to the job queue.
    f.gui.treeHooks.exportImage = [this](const std::string& slotAndMaterial, bool tga) {
      tga ? jobs.QueueIwiToTgaJob(slotAndMaterial) : jobs.QueueIwiToDdsJob(slotAndMaterial);
    };
  }
  ~TreeImageExportThread() override {
    jobs.Stop();
    ModelInfoPanel::infoTree.Clear();
    ModelInfoPanel::tagTree.Clear();
  }

  // One GUI pass under the frame mutex, as the program's frames run.
  void Frame() {
    std::lock_guard<std::mutex> frame(jobs.frameMutex);
    f.Frame();
  }
  void Move(int32_t x, int32_t y) { f.gui.mouseX = static_cast<float>(x), f.gui.mouseY = static_cast<float>(y); }
  void Press(bool right) {
    f.gui.pressX = static_cast<int32_t>(f.gui.mouseX), f.gui.pressY = static_cast<int32_t>(f.gui.mouseY);
    (right ? f.gui.rightDown : f.gui.leftDown) = true;
    Frame();
    f.gui.leftDown = f.gui.rightDown = false;
    Frame();
  }
  // Right-clicks shown row i and chooses entry k of its context menu.
  void ChooseEntry(int32_t row, int32_t entry) {
    Move(kMenuX + kViewRect.x + 40, kMenuY + kViewRect.y + 2 + 14 * row + 6);
    Frame();
    Press(true);
    TreeView& view = f.gui.Menus()[0]->treeViews[0];
    ASSERT_TRUE(view.menuOpen);
    Move(kMenuX + view.menuX + 20, kMenuY + view.menuY + 12 + 14 * entry - 4);
    Frame();
    Press(false);
    EXPECT_FALSE(view.menuOpen);
  }

  TempFolder folder;
  XmodelThreaded jobs;
  GuiFixture f;
};

TEST_F(TreeImageExportThread, ContextMenuExportsWriteWhatTheImageWritersWrite) {
  testing_support::StartJobThread(jobs, PlugImagesAndTrees, testing_support::OptionsFor(GameId::Cod5, folder.Path("export")),
                                  folder.Root());
  jobs.AddJob(folder.Path("game/raw/xmodel/viewmodel_richtofen_diary_pencil"), kModelLoadJob, false);
  std::vector<ImageRow> rows;
  ASSERT_TRUE(testing_support::WaitUntil([&] {
    std::lock_guard<std::mutex> frame(jobs.frameMutex);
    rows = ImageRows(ModelInfoPanel::infoTree);
    return rows.size() >= 2;
  }));
  Frame();
  ASSERT_LT(rows[1].index, f.gui.Menus()[0]->treeViews[0].visibleRows);  // both rows shown

  // The references first: the TGA writer converts through one shared image, which the job thread
  // takes over (through the queue's lock) only once the exports are queued below.
  const std::string images = folder.Path("game/raw/images/");
  struct Export {
    const ImageRow& row;
    const char* extension;
    std::string expected;
  };
  Export exports[] = {{rows[0], "dds", {}}, {rows[1], "tga", {}}};
  for (Export& e : exports) {
    IwiImage original;
    ASSERT_EQ(ReadIwiInFolder(original, testfiles::RealDataPath("cod5/raw/images/"), e.row.iwiName), ImageResult::Success);
    const std::string reference = folder.Path("reference");
    fs::create_directories(reference);
    ASSERT_EQ(std::string(e.extension) == "dds" ? ExportDDS(original, reference) : ExportTGA(original, reference),
              ImageResult::Success);
    e.expected = FileBytes(ImageExportPath(original, reference, e.extension));
    EXPECT_FALSE(e.expected.empty());
  }

  // The first image as DDS, the second as TGA (entries 2 and 3 of an image row's menu).
  ChooseEntry(rows[0].index, 2);
  ChooseEntry(rows[1].index, 3);
  for (const Export& e : exports) {
    const std::string written = images + e.row.iwiName.substr(0, e.row.iwiName.size() - 3) + e.extension;
    EXPECT_TRUE(testing_support::WaitUntil([&] { return fs::is_regular_file(written) && FileBytes(written) == e.expected; }))
        << written;
  }
}

}  // namespace
