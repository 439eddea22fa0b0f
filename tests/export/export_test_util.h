#pragma once
// Helpers of the exporter tests: whole-file reads, line splitting, a file whose writes fail, and
// loading the real models of the game data.
#include <memory>
#include <string>
#include <vector>

#include "model/xmodel.h"

namespace exporttest {

std::string ReadAll(const std::string& path);
bool FileExists(const std::string& path);
// Lines of text ending in CR LF, without the line ends. A line end that is not CR LF fails the
// test.
std::vector<std::string> CrlfLines(const std::string& text);
// Makes folder/name a link to /dev/full, whose writes fail with ENOSPC.
void LinkToFullDevice(const std::string& folder, const std::string& name);

// One real model of the game data, loaded with every LOD's surfaces.
struct RealModel {
  std::string label;  // "<game>/<model>"
  std::unique_ptr<MaterialList> materials;
  std::unique_ptr<Xmodel> model;
};
// Every real model of the game data that loads with all its LODs.
// labelsTried receives every model found, loaded or not.
std::vector<RealModel> LoadRealModels(std::vector<std::string>* labelsTried = nullptr);

}  // namespace exporttest
