// Extracting the ".iwi" entries of a large generated IWD archive: the IWD image tool's extraction
// (ZipArchive over minizip, whole-file staging, CRC and length checks) against Info-ZIP unzip
// extracting the same entries, in the same run. Counter: MB/s of image bytes written.
// The archive (about 600 images and 100 other entries, ~150 MB of image data) is built once in
// a temporary folder with minizip's zip interface, under $DELVIX_BENCH_DIR (default /tmp; /dev/shm
// leaves the disk out of the comparison).
#include <benchmark/benchmark.h>
#include <minizip/zip.h>
#include <stdlib.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "core/log.h"
#include "iwd/iwd_utils.h"

namespace {

constexpr int kImages = 600;
constexpr int kOthers = 100;

// Image-like bytes: blocks that repeat with variation, compressing 2-4 times as real DXT data does.
std::string ImageBytes(size_t size, uint32_t seed) {
  std::string bytes(size, '\0');
  uint32_t state = seed * 2654435761u + 1;
  for (size_t i = 0; i < size; ++i) {
    if (i % 8 == 0) state = state * 1103515245u + 12345u;
    bytes[i] = static_cast<char>(((i / 64 + seed) & 0x3F) ^ ((state >> ((i % 8) * 3)) & 0x0F));
  }
  return bytes;
}

struct Fixture {
  std::string root;       // game root: main/big.iwd, raw/images
  uint64_t imageBytes = 0;

  Fixture() {
    const char* folder = std::getenv("DELVIX_BENCH_DIR");
    std::string pattern = std::string(folder ? folder : "/tmp") + "/delvix-bench-XXXXXX";
    root = ::mkdtemp(pattern.data());
    std::filesystem::create_directories(root + "/main");
    std::filesystem::create_directories(root + "/raw/images");
    zipFile zip = zipOpen64((root + "/main/big.iwd").c_str(), APPEND_STATUS_CREATE);
    for (int i = 0; i < kImages + kOthers; ++i) {
      const bool image = i % 7 != 3 || i >= kImages + kOthers - 1;
      const std::string name = image ? "images/img_" + std::to_string(i) + ".iwi" : "sound/snd_" + std::to_string(i);
      const std::string bytes = ImageBytes(16384 + (i * 7919) % 500000, static_cast<uint32_t>(i));
      if (image) imageBytes += bytes.size();
      zip_fileinfo info{};
      zipOpenNewFileInZip64(zip, name.c_str(), &info, nullptr, 0, nullptr, 0, nullptr, Z_DEFLATED,
                            Z_DEFAULT_COMPRESSION, 0);
      zipWriteInFileInZip(zip, bytes.data(), static_cast<unsigned>(bytes.size()));
      zipCloseFileInZip(zip);
    }
    zipClose(zip, nullptr);
  }
  ~Fixture() { std::filesystem::remove_all(root); }

  void EmptyImages() const {
    std::filesystem::remove_all(root + "/raw/images");
    std::filesystem::create_directories(root + "/raw/images");
  }
};

Fixture& TheFixture() {
  static Fixture fixture;
  return fixture;
}

void SetRate(benchmark::State& state, uint64_t bytes) {
  state.counters["MB/s"] =
      benchmark::Counter(double(bytes) * double(state.iterations()) / 1e6, benchmark::Counter::kIsRate);
}

void BM_DelvixExtractIWD(benchmark::State& state) {
  const Fixture& fixture = TheFixture();
  VornIWDUtils tool;
  tool.SetPath(fixture.root);
  tool.CheckForImages();
  for (auto _ : state) {
    state.PauseTiming();
    fixture.EmptyImages();
    state.ResumeTiming();
    const IWDResult result = tool.ExtractIWD(fixture.root + "/main/big.iwd");
    if (result != IWDResult::Done || tool.GetProgress().moved == 0) {
      state.SkipWithError(("extraction failed: result " + std::to_string(static_cast<int>(result))).c_str());
      break;
    }
  }
  SetRate(state, fixture.imageBytes);
}

void BM_InfoZipUnzip(benchmark::State& state) {
  const Fixture& fixture = TheFixture();
  const std::string command =
      "unzip -qq -C " + fixture.root + "/main/big.iwd '*.iwi' -d " + fixture.root + "/raw";
  for (auto _ : state) {
    state.PauseTiming();
    fixture.EmptyImages();
    state.ResumeTiming();
    if (std::system(command.c_str()) != 0) {
      state.SkipWithError("unzip failed (is Info-ZIP unzip installed?)");
      break;
    }
  }
  SetRate(state, fixture.imageBytes);
}

}  // namespace

BENCHMARK(BM_DelvixExtractIWD)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK(BM_InfoZipUnzip)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);
BENCHMARK_MAIN();
