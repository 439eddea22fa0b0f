// Command splitting: SplitCommands against a std::getline split of the same script.
#include <benchmark/benchmark.h>

#include <sstream>

#include "core/strings.h"

namespace {

const std::string kScript = "wait 600; open Settings_genral;toggle_menu Settings;;open update_menu;close xmodel_list;";

void BM_SplitCommands(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(SplitCommands(kScript));
}

void BM_GetlineSplit(benchmark::State& state) {
  for (auto _ : state) {
    std::vector<std::string> pieces;
    std::istringstream stream(kScript);
    for (std::string piece; std::getline(stream, piece, ';');)
      if (!piece.empty()) pieces.push_back(piece);
    benchmark::DoNotOptimize(pieces);
  }
}

BENCHMARK(BM_SplitCommands);
BENCHMARK(BM_GetlineSplit);

}  // namespace

BENCHMARK_MAIN();
