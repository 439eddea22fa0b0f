#include "support/game_files.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "platform/files.h"

namespace testfiles {

std::string RealDataPath(const std::string& relative) { return std::string(DELVIX_REALDATA) + "/" + relative; }

std::vector<uint8_t> ReadRealFile(const std::string& relative) {
  std::vector<uint8_t> bytes;
  EXPECT_TRUE(platform::ReadWholeFile(RealDataPath(relative), bytes)) << "missing real file " << relative;
  return bytes;
}

std::string WriteGameFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  EXPECT_TRUE(out.good()) << "could not write " << path;
  return path;
}

void SettleFolders(const std::string& folder) {
  namespace fs = std::filesystem;
  const fs::file_time_type past = fs::file_time_type::clock::now() - std::chrono::hours(1);
  fs::last_write_time(folder, past);
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_directory()) fs::last_write_time(entry.path(), past);
  }
}

}  // namespace testfiles
