// Loading the largest real model (Cod BO c_usa_pent_jfk_fb_zt: four LOD files, 1.07 MB of
// surfaces, 130 bones) against reading the bytes of the same files into memory, in the same run.
// The ratio load / read, printed at the end, shows what parsing costs on top of the read itself
// (files come from the page cache after the first iteration).
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "model/xmodel.h"
#include "platform/files.h"

namespace {

const std::string kModel = std::string(DELVIX_REALDATA) + "/codbo/raw/xmodel/c_usa_pent_jfk_fb_zt";

// Loads the model and every LOD as the job thread does.
bool LoadModel(Xmodel& xmodel) {
  if (xmodel.Load(kModel) != ResultCode::Success) return false;
  for (int32_t lod = 0; lod < xmodel.info.lodCount; ++lod) {
    if (xmodel.LoadSurface(lod) != ResultCode::Success) return false;
  }
  return true;
}

// Every file a load reads: the xmodel, the skeleton, the surfaces and the material files found.
std::vector<std::string> FilesOfTheModel() {
  MaterialList materials;
  Xmodel xmodel(materials);
  xmodel.game = GameId::CodBo;
  std::vector<std::string> files;
  if (!LoadModel(xmodel)) return files;
  files.push_back(kModel);
  files.push_back(xmodel.info.skeletonPath);
  for (const XmodelLod& lod : xmodel.info.lods) files.push_back(lod.surfsPath);
  for (const std::string& name : materials.materialNames) {
    std::string path = platform::ResolvePathCaseInsensitive(materials.materialsFolder + name);
    if (!path.empty()) files.push_back(path);
  }
  return files;
}

void BM_LoadModel(benchmark::State& state) {
  MaterialList materials;
  Xmodel xmodel(materials);
  xmodel.game = GameId::CodBo;
  for (auto _ : state) {
    if (!LoadModel(xmodel)) {
      state.SkipWithError("the model did not load");
      return;
    }
    benchmark::DoNotOptimize(xmodel.info.lods.data());
  }
}

void BM_ReadFilesOnly(benchmark::State& state) {
  std::vector<std::string> files = FilesOfTheModel();
  if (files.empty()) {
    state.SkipWithError("the model did not load");
    return;
  }
  std::vector<uint8_t> bytes;
  size_t total = 0;
  for (auto _ : state) {
    total = 0;
    for (const std::string& file : files) {
      platform::ReadWholeFile(file, bytes);
      total += bytes.size();
      benchmark::DoNotOptimize(bytes.data());
    }
  }
  state.counters["files"] = static_cast<double>(files.size());
  state.counters["bytes"] = static_cast<double>(total);
}

BENCHMARK(BM_LoadModel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadFilesOnly)->Unit(benchmark::kMicrosecond);

// Keeps each benchmark's time per iteration for the ratio.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.iterations > 0) nanoseconds[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> nanoseconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  auto load = reporter.nanoseconds.find("BM_LoadModel");
  auto read = reporter.nanoseconds.find("BM_ReadFilesOnly");
  if (load != reporter.nanoseconds.end() && read != reporter.nanoseconds.end() && read->second > 0) {
    std::printf("load / read = %.2f (parsing costs %.2f x the read)\n", load->second / read->second,
                (load->second - read->second) / read->second);
  }
  benchmark::Shutdown();
  return 0;
}
