#pragma once
// WAV files for the sound tests: built byte for byte (RIFF chunks, odd chunks padded, sizes and
// ids overridable for broken files), and read back by a reader of the tests' own for checking
// what the program wrote or generated.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testfiles {

struct WaveFormatSpec {
  uint16_t tag = 1;  // 1 PCM, 0xFFFE extensible, anything else
  uint16_t channels = 1;
  uint32_t rate = 22050;
  uint16_t bits = 16;
  uint32_t channelMask = 0;   // extensible only
  bool pcmSubFormat = true;   // extensible only: PCM, else IEEE float
};

// The bytes of a "fmt " chunk: 16 for PCM, 40 for extensible (size, when given, cuts or pads them
// with zeros to that many bytes, e.g. 18 for PCM with an empty extra size).
std::vector<uint8_t> FormatChunkBytes(const WaveFormatSpec& format, std::optional<size_t> size = std::nullopt);

struct WaveChunk {
  std::string id;
  std::vector<uint8_t> bytes;
  std::optional<uint32_t> declaredSize;  // the size written in its header, when not bytes.size()
};

// "RIFF", size, "WAVE" (ids overridable), then the chunks, each followed by a pad byte when its
// byte count is odd.
std::vector<uint8_t> WaveFileBytes(const std::vector<WaveChunk>& chunks, const char* riffId = "RIFF",
                                   const char* waveId = "WAVE");
// A file of one format chunk and dataBytes of sample data counting up from 0.
std::vector<uint8_t> SimpleWaveBytes(const WaveFormatSpec& format, size_t dataBytes);
// count bytes counting up from first.
std::vector<uint8_t> CountingBytes(size_t count, uint8_t first = 0);

// The samples of a 16-bit PCM file (plain or extensible), read by the tests' own reader.
struct Pcm16Samples {
  int channels = 0;
  int rate = 0;
  std::vector<int16_t> samples;  // interleaved
  // The largest magnitude of the samples from begin to end (whole file by default).
  int Peak(size_t begin = 0, size_t end = SIZE_MAX) const;
};
// False when path is not a 16-bit PCM WAV file; the data chunk may run to the end of the file.
bool ReadPcm16Wave(const std::string& path, Pcm16Samples& out);

}  // namespace testfiles
