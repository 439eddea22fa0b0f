// The program digest's SHA-1 against OpenSSL's SHA-1 over the same bytes (a program file's size).
#include <benchmark/benchmark.h>
#include <openssl/sha.h>

#include <string>

#include "update/sha1.h"

namespace {

const std::string& Bytes() {
  static const std::string bytes = [] {
    std::string data(8 << 20, '\0');
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>((i * 2654435761u) >> 24);
    return data;
  }();
  return bytes;
}

void BM_DelvixSha1(benchmark::State& state) {
  const std::string& bytes = Bytes();
  for (auto _ : state) {
    Sha1Context context;
    Sha1Init(context);
    Sha1Update(context, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    Sha1Final(context);
    benchmark::DoNotOptimize(context.state);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

void BM_OpenSslSha1(benchmark::State& state) {
  const std::string& bytes = Bytes();
  unsigned char digest[SHA_DIGEST_LENGTH];
  for (auto _ : state) {
    SHA1(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), digest);
    benchmark::DoNotOptimize(digest);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}

BENCHMARK(BM_DelvixSha1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenSslSha1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
