// Loading every model of a large game folder, one after another as a user loading a whole game
// does, against reading the bytes of the same files, in the same run.
//
// The game folders are generated in the real shape at three sizes: per 1,000 models, 1,000 xmodel
// files, 1,500 surface files (half the models have two LODs), 1,000 skeletons, 1,000 material
// files and 1,000 images; for a third of the models the header names their files in another case
// than the disk ("_LOD0" against "_lod0", as real models do). 4,000 models is the size of a real
// Cod4 raw folder. The folders are dated an hour back, as an unpacked game folder is.
//
// Printed at the end per size: the cost per model of the load and of the read alone, and their
// ratio (medians with --benchmark_repetitions=N). The load's cost per model stays flat when the folders grow eightfold because each folder
// is listed once, not once per model.
#include <benchmark/benchmark.h>

#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "model/xmodel.h"
#include "platform/files.h"
#include "support/game_files.h"
#include "support/iwi_builder.h"
#include "support/model_tree.h"

namespace {

constexpr int kSizes[] = {1000, 4000, 8000};

// One generated game folder: the model paths, and every file the loads read.
struct GameFolder {
  std::string root;
  std::vector<std::string> models;
  std::vector<std::string> filesRead;
};

// Model i: one or two LODs, a skeleton, a material with a colour map; every third one names its
// files in another case than they have on disk.
testfiles::SyntheticModel MakeModel(int i, std::string& imageOnDisk) {
  const std::string name = "prop_" + std::to_string(i);
  const bool otherCase = i % 3 == 0;
  const bool twoLods = i % 2 == 0;
  testfiles::SyntheticModel model = testfiles::MakeTankModel(GameId::Cod4);
  const testfiles::SurfsFileSpec surfs = model.surfs["tank_lod0"];
  model.name = name;
  model.xmodel.lodNames[0] = name + (otherCase ? "_LOD0" : "_lod0");
  model.xmodel.lodNames[1] = twoLods ? name + (otherCase ? "_LOD1" : "_lod1") : std::string();
  model.partsFileName = name + "_lod0";
  model.surfs = {{name + "_lod0", surfs}};
  if (twoLods) model.surfs[name + "_lod1"] = surfs;
  const std::string material = "mtl_" + name;
  model.xmodel.lodMaterials = {{material, material}};
  if (twoLods) model.xmodel.lodMaterials.push_back({material, material});
  model.materials = {{otherCase ? "MTL_" + name : material, {{"colorMap", name + "_col"}}}};
  imageOnDisk = name + (otherCase ? "_COL.iwi" : "_col.iwi");
  return model;
}

GameFolder Generate(int modelCount) {
  GameFolder game;
  std::string pattern = (std::filesystem::temp_directory_path() / "delvix-game-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return game;
  game.root = pattern;
  const std::string raw = game.root + "/raw/";
  const std::vector<uint8_t> image = testfiles::MakeIwi({6, 11, 0, 16, 16, 0});
  for (int i = 0; i < modelCount; ++i) {
    std::string imageOnDisk;
    const testfiles::SyntheticModel model = MakeModel(i, imageOnDisk);
    game.models.push_back(testfiles::WriteSyntheticModel(game.root, model));
    testfiles::WriteGameFile(raw + "images/" + imageOnDisk, image);
    game.filesRead.push_back(game.models.back());
    game.filesRead.push_back(raw + "xmodelparts/" + model.partsFileName);
    for (const auto& [surfsName, shape] : model.surfs) game.filesRead.push_back(raw + "xmodelsurfs/" + surfsName);
    for (const auto& [materialName, slots] : model.materials) game.filesRead.push_back(raw + "materials/" + materialName);
  }
  testfiles::SettleFolders(game.root);
  return game;
}

// The game folder of each size, made at first use and removed at exit.
struct GameFolders {
  ~GameFolders() {
    std::error_code ignored;
    for (auto& [size, game] : bySize) std::filesystem::remove_all(game.root, ignored);
  }
  const GameFolder& Of(int size) {
    auto found = bySize.find(size);
    if (found == bySize.end()) found = bySize.emplace(size, Generate(size)).first;
    return found->second;
  }
  std::map<int, GameFolder> bySize;
};

GameFolders gGames;

void BM_LoadEveryModel(benchmark::State& state) {
  const GameFolder& game = gGames.Of(static_cast<int>(state.range(0)));
  MaterialList materials;
  Xmodel xmodel(materials);
  xmodel.game = GameId::Cod4;
  xmodel.SetGameSwitchQuestion([](const std::string&, const std::string&) { return false; });
  for (auto _ : state) {
    for (const std::string& path : game.models) {
      if (xmodel.Load(path) != ResultCode::Success) {
        state.SkipWithError(("did not load: " + path).c_str());
        return;
      }
      for (int32_t lod = 0; lod < xmodel.info.lodCount; ++lod) {
        if (xmodel.LoadSurface(lod) != ResultCode::Success) {
          state.SkipWithError(("a LOD did not load: " + path).c_str());
          return;
        }
      }
      benchmark::DoNotOptimize(xmodel.info.lods.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(game.models.size()));
}

void BM_ReadTheSameFiles(benchmark::State& state) {
  const GameFolder& game = gGames.Of(static_cast<int>(state.range(0)));
  std::vector<uint8_t> bytes;
  for (auto _ : state) {
    for (const std::string& file : game.filesRead) {
      if (!platform::ReadWholeFile(file, bytes)) {
        state.SkipWithError(("could not read: " + file).c_str());
        return;
      }
      benchmark::DoNotOptimize(bytes.data());
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(game.models.size()));
  state.counters["files"] = static_cast<double>(game.filesRead.size());
}

BENCHMARK(BM_LoadEveryModel)->Arg(1000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTheSameFiles)->Arg(1000)->Arg(4000)->Arg(8000)->Unit(benchmark::kMillisecond);

// Keeps each benchmark's time per iteration in nanoseconds for the summary, by name and size: the
// median when the run is repeated (--benchmark_repetitions), else the run's own.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred || run.iterations <= 0 || (run.run_type == Run::RT_Aggregate && !median)) continue;
      nanoseconds[run.run_name.function_name + "/" + run.run_name.args] = run.GetAdjustedRealTime() * Scale(run);
    }
    ConsoleReporter::ReportRuns(runs);
  }
  static double Scale(const Run& run) {
    switch (run.time_unit) {
      case benchmark::kMillisecond: return 1e6;
      case benchmark::kMicrosecond: return 1e3;
      case benchmark::kSecond: return 1e9;
      default: return 1.0;
    }
  }
  std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\n%8s %18s %18s %12s\n", "models", "load per model", "read per model", "load / read");
  for (int size : kSizes) {
    auto load = reporter.nanoseconds.find("BM_LoadEveryModel/" + std::to_string(size));
    auto read = reporter.nanoseconds.find("BM_ReadTheSameFiles/" + std::to_string(size));
    if (load == reporter.nanoseconds.end() || read == reporter.nanoseconds.end() || read->second <= 0) continue;
    std::printf("%8d %15.1f us %15.1f us %12.2f\n", size, load->second / size / 1e3, read->second / size / 1e3,
                load->second / read->second);
  }
  benchmark::Shutdown();
  return 0;
}
