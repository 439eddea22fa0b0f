#include "audio/waves.h"

#include <strings.h>

#include <climits>
#include <cstring>
#include <new>

namespace {

constexpr uint16_t kFormatTagPcm = 1;
constexpr uint16_t kFormatTagExtensible = 0xFFFE;
constexpr uint32_t kLargestFormatChunk = sizeof(WaveFormat);
constexpr uint32_t kPlainFormatBytes = 16;
static_assert(sizeof(WaveFormat) == 40, "the extensible wave format is 40 bytes");

// The sub-format of extensible PCM: {00000001-0000-0010-8000-00AA00389B71}.
constexpr uint8_t kPcmSubFormat[16] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x00, 0x10, 0x00,
                                       0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

uint32_t ReadU32(const uint8_t* bytes) {
  return static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
         static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24;
}

uint16_t ReadU16(const uint8_t* bytes) { return static_cast<uint16_t>(bytes[0] | bytes[1] << 8); }

bool IsId(const uint8_t* bytes, const char* id) { return ::strncasecmp(reinterpret_cast<const char*>(bytes), id, 4) == 0; }

void CloseFile(WaveRecord& record) {
  if (record.file) std::fclose(record.file);
  record.file = nullptr;
}

// Fills format from the bytes of a "fmt " chunk (the bytes past size are zero), little-endian.
void DecodeFormat(const uint8_t (&bytes)[kLargestFormatChunk], WaveFormat& format) {
  format.formatTag = ReadU16(bytes + 0);
  format.channels = ReadU16(bytes + 2);
  format.samplesPerSecond = ReadU32(bytes + 4);
  format.averageBytesPerSecond = ReadU32(bytes + 8);
  format.blockAlign = ReadU16(bytes + 12);
  format.bitsPerSample = ReadU16(bytes + 14);
  format.extraSize = ReadU16(bytes + 16);
  format.validBitsPerSample = ReadU16(bytes + 18);
  format.channelMask = ReadU32(bytes + 20);
  std::memcpy(format.subFormat, bytes + 24, sizeof format.subFormat);
}

// Reads a "fmt " chunk of size bytes at the file's position: a PCM or extensible format becomes the
// record's format; any other tag is ignored.
void ReadFormatChunk(WaveRecord& record, uint32_t size) {
  uint8_t bytes[kLargestFormatChunk] = {};
  if (std::fread(bytes, 1, size, record.file) != size) return;
  const uint16_t tag = ReadU16(bytes);
  if (tag != kFormatTagPcm && tag != kFormatTagExtensible) return;
  if (tag == kFormatTagPcm) std::memset(bytes + kPlainFormatBytes, 0, sizeof bytes - kPlainFormatBytes);
  record.format = WaveFormat{};
  DecodeFormat(bytes, record.format);
  record.kind = tag == kFormatTagPcm ? WaveRecord::kKindPcm : WaveRecord::kKindExtensible;
}

// The byte count of the open file; -1 when it cannot be told.
long FileSize(FILE* file) {
  if (std::fseek(file, 0, SEEK_END) != 0) return -1;
  const long size = std::ftell(file);
  return std::fseek(file, 0, SEEK_SET) == 0 ? size : -1;
}

// The name of the OpenAL buffer format for a plain layout of channels and bits; null for none.
const char* PlainFormatName(uint16_t channels, uint16_t bits) {
  // 4-bit samples are not given to OpenAL: a PCM file of 4 bits is not IMA4 ADPCM (format tag 0x11).
  if (channels == 1) return bits == 8 ? "AL_FORMAT_MONO8" : bits == 16 ? "AL_FORMAT_MONO16" : nullptr;
  if (channels == 2) return bits == 8 ? "AL_FORMAT_STEREO8" : bits == 16 ? "AL_FORMAT_STEREO16" : nullptr;
  if (channels == 4 && bits == 16) return "AL_FORMAT_QUAD16";
  return nullptr;
}

// The name of the OpenAL buffer format of an extensible format; null for none.
const char* ExtensibleFormatName(const WaveFormat& format) {
  if (std::memcmp(format.subFormat, kPcmSubFormat, sizeof kPcmSubFormat) != 0) return nullptr;
  const uint16_t channels = format.channels;
  const uint32_t mask = format.channelMask;
  if (channels == 1 && (mask == 4 || mask == 3 || mask == 0)) return PlainFormatName(1, format.bitsPerSample);
  if (channels == 2 && mask == 3) return PlainFormatName(2, format.bitsPerSample);
  if (format.bitsPerSample != 16) return nullptr;
  struct Layout {
    uint16_t channels;
    uint32_t mask;
    const char* name;
  };
  static constexpr Layout kLayouts[] = {{2, 0x30, "AL_FORMAT_REAR16"},
                                        {4, 0x33, "AL_FORMAT_QUAD16"},
                                        {6, 0x3F, "AL_FORMAT_51CHN16"},
                                        {7, 0x13F, "AL_FORMAT_61CHN16"},
                                        {8, 0x63F, "AL_FORMAT_71CHN16"}};
  for (const Layout& layout : kLayouts) {
    if (layout.channels == channels && layout.mask == mask) return layout.name;
  }
  return nullptr;
}

}  // namespace

CWaves::~CWaves() {
  for (int32_t id = 0; id < kSlotCount; ++id) DeleteWaveFile(id);
}

int32_t CWaves::ParseFile(const char* fileName, WaveRecord* record) {
  if (!record || !fileName) return kWaveMissingArgument;
  CloseFile(*record);
  *record = WaveRecord{};
  record->file = std::fopen(fileName, "rb");
  if (!record->file) return kWaveCannotOpen;

  const long fileSize = FileSize(record->file);
  uint8_t header[12];
  if (fileSize < 0 || fileSize > INT32_MAX || std::fread(header, 1, sizeof header, record->file) != sizeof header ||
      !IsId(header, "RIFF") || !IsId(header + 8, "WAVE")) {
    CloseFile(*record);
    return kWaveBadFile;
  }
  int64_t position = sizeof header;
  uint8_t chunk[8];
  while (std::fread(chunk, 1, sizeof chunk, record->file) == sizeof chunk) {
    const uint32_t size = ReadU32(chunk + 4);
    position += sizeof chunk;
    if (IsId(chunk, "fmt ") && size <= kLargestFormatChunk) {
      ReadFormatChunk(*record, size);
    } else if (IsId(chunk, "data")) {
      // Refused before anything is allocated: a corrupt size must not ask for gigabytes.
      if (size > fileSize - position) {
        record->dataSize = 0;
        break;
      }
      record->dataSize = size;
      record->dataOffset = static_cast<int32_t>(position);
    }
    position += static_cast<int64_t>(size) + (size & 1);
    if (position >= fileSize || std::fseek(record->file, static_cast<long>(position), SEEK_SET) != 0) break;
  }
  const bool usable = record->dataSize != 0 && record->dataOffset != 0 && record->kind != WaveRecord::kKindNone;
  if (usable) return kWaveOk;
  CloseFile(*record);
  return kWaveBadFile;
}

int32_t CWaves::LoadWaveFile(const char* fileName, int32_t* id) {
  std::unique_ptr<WaveRecord> record(new (std::nothrow) WaveRecord);
  if (!record) return kWaveNoRoom;
  if (!fileName || !id) return kWaveMissingArgument;
  const int32_t parsed = ParseFile(fileName, record.get());
  if (parsed != kWaveOk) return parsed;

  int32_t slot = 0;
  while (slot < kSlotCount && slots_[slot]) ++slot;
  int32_t result = kWaveOk;
  if (slot == kSlotCount) {
    result = kWaveNoRoom;
  } else {
    record->data.reset(new (std::nothrow) uint8_t[record->dataSize]);
    if (!record->data) {
      result = kWaveNoRoom;
    } else if (std::fseek(record->file, record->dataOffset, SEEK_SET) != 0 ||
               std::fread(record->data.get(), 1, record->dataSize, record->file) != record->dataSize) {
      result = kWaveBadFile;
    }
  }
  CloseFile(*record);
  if (result != kWaveOk) return result;
  slots_[slot] = std::move(record);
  *id = slot;
  return kWaveOk;
}

int32_t CWaves::DeleteWaveFile(int32_t id) {
  if (id < 0 || id >= kSlotCount || !slots_[id]) return kWaveBadId;
  CloseFile(*slots_[id]);
  slots_[id].reset();
  return kWaveOk;
}

const WaveRecord* CWaves::Wave(int32_t id) const { return id >= 0 && id < kSlotCount ? slots_[id].get() : nullptr; }

int32_t CWaves::GetALBufferFormat(int32_t id, EnumLookup lookup, int* format) const {
  const WaveRecord* wave = Wave(id);
  if (!wave) return kWaveBadId;
  if (!lookup || !format) return kWaveMissingArgument;
  const char* name = nullptr;
  if (wave->kind == WaveRecord::kKindPcm) name = PlainFormatName(wave->format.channels, wave->format.bitsPerSample);
  if (wave->kind == WaveRecord::kKindExtensible) name = ExtensibleFormatName(wave->format);
  *format = name ? lookup(name) : 0;
  return *format != 0 ? kWaveOk : kWaveNoAlFormat;
}
