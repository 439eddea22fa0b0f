#include "export_test_util.h"

#include "support/synthetic_model.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace exporttest {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool FileExists(const std::string& path) { return std::filesystem::is_regular_file(path); }

std::vector<std::string> CrlfLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) {
      ADD_FAILURE() << "text does not end with a line end";
      lines.push_back(text.substr(start));
      break;
    }
    if (end == start || text[end - 1] != '\r' || (end >= start + 2 && text[end - 2] == '\r'))
      ADD_FAILURE() << "line " << lines.size() + 1 << " does not end in one CR LF";
    lines.push_back(text.substr(start, end > start ? end - 1 - start : 0));
    start = end + 1;
  }
  return lines;
}

void LinkToFullDevice(const std::string& folder, const std::string& name) {
  std::filesystem::create_directories(folder);
  ASSERT_EQ(::symlink("/dev/full", (folder + "/" + name).c_str()), 0);
}

std::vector<RealModel> LoadRealModels(std::vector<std::string>* labelsTried) {
  const std::pair<const char*, GameId> games[] = {
      {"cod4", GameId::Cod4}, {"cod5", GameId::Cod5}, {"codbo", GameId::CodBo}};
  std::vector<RealModel> loaded;
  for (auto [game, id] : games) {
    const std::string folder = std::string(DELVIX_REALDATA) + "/" + game + "/raw/xmodel";
    if (!std::filesystem::is_directory(folder)) continue;
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    for (const std::string& name : names) {
      RealModel real;
      real.label = std::string(game) + "/" + name;
      if (labelsTried) labelsTried->push_back(real.label);
      real.materials = std::make_unique<MaterialList>();
      real.model = std::make_unique<Xmodel>(*real.materials);
      if (testmodels::LoadRealModel(*real.model, {game, id, name.c_str()}) != ResultCode::Success) continue;
      loaded.push_back(std::move(real));
    }
  }
  return loaded;
}

}  // namespace exporttest
