// DXT1 and DXT5 decoding of the largest real game textures (DXT1 1024x512, DXT5 1024x1024): the TGA converters against libsquish's
// DecompressImage, in the same run. Counters report Mpixel/s. Debian's libsquish spreads
// DecompressImage over OpenMP threads; run with OMP_NUM_THREADS=1 for a one-thread comparison.
#include <benchmark/benchmark.h>
#include <squish.h>

#include <string>
#include <vector>

#include "image/converters.h"
#include "image/iwi_image.h"

namespace {

const char* const kDxt1File = "/codbo/raw/images/~-gchar_ger_head1_c.iwi";  // 1024x512 DXT1
const char* const kDxt5File = "/cod4/raw/images/w_m1garand_n.iwi";          // 1024x1024 DXT5

// Level 0 of a real image, or a skipped benchmark when it cannot be read.
const IwiImage* LoadReal(const char* file, benchmark::State& state) {
  static std::vector<std::pair<std::string, IwiImage>> cache;
  for (auto& [name, image] : cache)
    if (name == file) return &image;
  IwiImage image;
  if (image.SetFile(std::string(DELVIX_REALDATA) + file) != ImageResult::Success ||
      image.LoadIWI() != ImageResult::Success) {
    state.SkipWithError("real image missing");
    return nullptr;
  }
  cache.emplace_back(file, std::move(image));
  return &cache.back().second;
}

void SetPixelCounter(benchmark::State& state, const IwiLevel& level) {
  state.counters["Mpixel/s"] = benchmark::Counter(double(level.width) * level.height * double(state.iterations()) / 1e6,
                                                  benchmark::Counter::kIsRate);
}

template <class Converter>
void BM_Delvix(benchmark::State& state, const char* file) {
  const IwiImage* image = LoadReal(file, state);
  if (!image) return;
  const IwiLevel level = image->Level(0);
  Converters::TgaImage output;
  for (auto _ : state) {
    Converter converter;
    converter.width = level.width;
    converter.height = level.height;
    converter.source = level.data;
    converter.sourceSize = level.size;
    converter.output = &output;
    RunConverter(converter);
    benchmark::DoNotOptimize(output.pixels.data());
  }
  SetPixelCounter(state, level);
}

void BM_Squish(benchmark::State& state, const char* file, int flags) {
  const IwiImage* image = LoadReal(file, state);
  if (!image) return;
  const IwiLevel level = image->Level(0);
  std::vector<uint8_t> rgba(size_t(level.width) * level.height * 4);
  for (auto _ : state) {
    squish::DecompressImage(rgba.data(), int(level.width), int(level.height), level.data, flags);
    benchmark::DoNotOptimize(rgba.data());
  }
  SetPixelCounter(state, level);
}

void BM_DelvixDxt1(benchmark::State& state) { BM_Delvix<Converters::DXT1>(state, kDxt1File); }
void BM_SquishDxt1(benchmark::State& state) { BM_Squish(state, kDxt1File, squish::kDxt1); }
void BM_DelvixDxt5(benchmark::State& state) { BM_Delvix<Converters::DXT5>(state, kDxt5File); }
void BM_SquishDxt5(benchmark::State& state) { BM_Squish(state, kDxt5File, squish::kDxt5); }

BENCHMARK(BM_DelvixDxt1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SquishDxt1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DelvixDxt5)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SquishDxt5)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
