#include "support/wave_file.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>

#include "support/byte_writer.h"

namespace testfiles {

std::vector<uint8_t> FormatChunkBytes(const WaveFormatSpec& format, std::optional<size_t> size) {
  const uint16_t blockAlign = static_cast<uint16_t>(format.channels * format.bits / 8);
  ByteWriter w;
  w.U16(format.tag).U16(format.channels).U32(format.rate).U32(format.rate * blockAlign).U16(blockAlign).U16(format.bits);
  if (format.tag == 0xFFFE) {
    static const uint8_t kGuidTail[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                          0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    w.U16(22).U16(format.bits).U32(format.channelMask).U16(format.pcmSubFormat ? 1 : 3).Raw(kGuidTail, sizeof kGuidTail);
  }
  std::vector<uint8_t> bytes = w.Bytes();
  if (size) bytes.resize(*size, 0);
  return bytes;
}

std::vector<uint8_t> WaveFileBytes(const std::vector<WaveChunk>& chunks, const char* riffId, const char* waveId) {
  ByteWriter w;
  w.Raw(riffId, 4).U32(0).Raw(waveId, 4);
  for (const WaveChunk& chunk : chunks) {
    w.Raw(chunk.id.data(), 4).U32(chunk.declaredSize.value_or(static_cast<uint32_t>(chunk.bytes.size())));
    w.Raw(chunk.bytes.data(), chunk.bytes.size());
    if (chunk.bytes.size() % 2) w.U8(0);
  }
  w.PatchU32(4, static_cast<uint32_t>(w.Size() - 8));
  return w.Bytes();
}

std::vector<uint8_t> CountingBytes(size_t count, uint8_t first) {
  std::vector<uint8_t> bytes(count);
  for (size_t i = 0; i < count; ++i) bytes[i] = static_cast<uint8_t>(first + i);
  return bytes;
}

std::vector<uint8_t> SimpleWaveBytes(const WaveFormatSpec& format, size_t dataBytes) {
  return WaveFileBytes({{"fmt ", FormatChunkBytes(format)}, {"data", CountingBytes(dataBytes)}});
}

int Pcm16Samples::Peak(size_t begin, size_t end) const {
  int peak = 0;
  for (size_t i = begin; i < std::min(end, samples.size()); ++i) peak = std::max(peak, std::abs(int{samples[i]}));
  return peak;
}

bool ReadPcm16Wave(const std::string& path, Pcm16Samples& out) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  auto u16 = [&](size_t at) { return static_cast<uint32_t>(file[at] | file[at + 1] << 8); };
  auto u32 = [&](size_t at) { return u16(at) | u16(at + 2) << 16; };
  if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 || std::memcmp(file.data() + 8, "WAVE", 4) != 0) {
    return false;
  }
  bool format = false;
  for (size_t at = 12; at + 8 <= file.size();) {
    const uint32_t size = u32(at + 4);
    const size_t body = at + 8;
    if (std::memcmp(&file[at], "fmt ", 4) == 0 && size >= 16 && body + 16 <= file.size()) {
      const uint32_t tag = u16(body);
      format = (tag == 1 || tag == 0xFFFE) && u16(body + 14) == 16;
      out.channels = static_cast<int>(u16(body + 2));
      out.rate = static_cast<int>(u32(body + 4));
    } else if (std::memcmp(&file[at], "data", 4) == 0) {
      if (!format) return false;
      const size_t end = std::min<size_t>(file.size(), body + size);  // a writer killed early leaves a short file
      out.samples.resize((end - body) / 2);
      std::memcpy(out.samples.data(), &file[body], out.samples.size() * 2);
      return true;
    }
    at = body + size + (size & 1);
  }
  return false;
}

}  // namespace testfiles
