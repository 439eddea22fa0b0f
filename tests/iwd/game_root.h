#pragma once
// GameRoot: a synthetic game root for the IWD tool's tests: main/ with archives built by the
// tests, raw/images/, and a view of every file under the root afterwards.
#include <filesystem>
#include <string>
#include <vector>

#include "iwd/iwd_utils.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"
#include "support/zip_builder.h"

class GameRoot {
 public:
  GameRoot() {
    std::filesystem::create_directories(folder_.Path("main"));
    std::filesystem::create_directories(folder_.Path("raw/images"));
  }

  const std::string& Root() const { return folder_.Root(); }
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  void Write(const std::string& name, const std::string& bytes) const { folder_.Write(name, bytes); }
  std::string Read(const std::string& name) const { return folder_.Read(name); }
  void Archive(const std::string& name, const testfiles::ZipBuilder& zip) const {
    ASSERT_TRUE(zip.WriteTo(Path("main/" + name)));
  }

  // Every file (not folder) under the root but in main/, relative and sorted. Temporary files
  // (".delvix-*") show up too: a test that expects none finds them.
  std::vector<std::string> FilesOutsideMain() const {
    std::vector<std::string> files;
    for (const auto& item : std::filesystem::recursive_directory_iterator(Root())) {
      const std::string relative = std::filesystem::relative(item.path(), Root()).string();
      if (!item.is_directory() && relative.rfind("main/", 0) != 0) files.push_back(relative);
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  // Points tool at this root and checks its folders as "Move IWD's Over" does.
  void CheckWith(VornIWDUtils& tool) const {
    tool.SetPath(Root());
    tool.CheckForImages();
    ASSERT_TRUE(tool.PathsValid());
  }

  // The mailbox must hold "close iwd_images_menu;"; returns its error text ("" for none).
  static std::string TakeClosingMessage(VornIWDUtils& tool) {
    std::string command;
    std::string message;
    EXPECT_TRUE(tool.TakePending(command, message));
    EXPECT_EQ(command, "close iwd_images_menu;");
    return message;
  }

  // Runs a whole scan and waits for its end.
  static void ScanAndWait(VornIWDUtils& tool) {
    ASSERT_TRUE(tool.RunScan());
    ASSERT_TRUE(testing_support::WaitUntil([&] { return !tool.GetProgress().running; }));
  }

 private:
  TempFolder folder_;
};
