#pragma once
// TempFolder: a fresh, empty folder of its own for one test, removed with everything in it when the
// object goes. CTest runs tests as parallel processes, so a test that writes files must not share
// a fixed name with another.
//
//   TempFolder folder;
//   std::string path = folder.Path("settings.xml");   // <folder>/settings.xml
//   folder.Write("settings.xml", "<genral />");
//   std::string text = folder.Read("Log.txt");          // "" when missing
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = ::testing::TempDir() + "delvix-XXXXXX";
    if (::mkdtemp(pattern.data())) root_ = pattern;
    EXPECT_FALSE(root_.empty()) << "could not create a temporary folder from " << pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!root_.empty()) std::filesystem::remove_all(root_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The folder itself, without a trailing "/".
  const std::string& Root() const { return root_; }
  // name inside the folder.
  std::string Path(const std::string& name) const { return root_ + "/" + name; }

  // Creates or replaces the file name with exactly these bytes.
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  // The bytes of the file name; empty when it cannot be read.
  std::string Read(const std::string& name) const { return ReadFileBytes(Path(name)); }

  // The bytes of the file at path; empty when it cannot be read.
  static std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
  }

 private:
  std::string root_;
};
