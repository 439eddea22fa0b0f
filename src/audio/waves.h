#pragma once
// CWaves: the store of wave files read from disk (RIFF/WAVE, little-endian), 1,024 slots, each
// empty or holding one wave with its format and sample data. Sounds pass through it on their way
// into OpenAL buffers: a file is loaded into a slot, its data handed over, and the slot freed.
//
// Accepted layout: "RIFF", a size (ignored), "WAVE", then chunks (4-byte id, u32 size, the bytes,
// one pad byte after an odd size); ids compare without regard to letter case. A "fmt " chunk of at
// most 40 bytes with format tag 1 (PCM) or 0xFFFE (extensible) gives the format; a "data" chunk
// the samples; every other chunk is skipped. A data chunk that declares more bytes than the file
// holds makes the file unusable, before anything is allocated for it.
//
// Not thread-safe: its owner (the sound object) serialises the calls.
#include <cstdint>
#include <cstdio>
#include <memory>

// Results of the wave operations.
enum WaveResult : int32_t {
  kWaveOk = 0,
  kWaveCannotOpen = -1,      // the file cannot be opened
  kWaveBadFile = -2,         // not a usable wave file, or its sample data could not be read in full
  kWaveMissingArgument = -3,
  kWaveBadId = -4,           // no wave with that id
  kWaveNoRoom = -14,         // no memory, or all slots in use
  kWaveNoAlFormat = -16,     // no OpenAL buffer format for this wave
};

// The 40-byte extensible wave format; a plain PCM format fills only the first 16 bytes.
struct WaveFormat {
  uint16_t formatTag = 0;
  uint16_t channels = 0;
  uint32_t samplesPerSecond = 0;
  uint32_t averageBytesPerSecond = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  uint16_t extraSize = 0;
  uint16_t validBitsPerSample = 0;
  uint32_t channelMask = 0;
  uint8_t subFormat[16] = {};
};

// One wave of the store.
struct WaveRecord {
  static constexpr int32_t kKindNone = 0;        // no usable format chunk read yet
  static constexpr int32_t kKindPcm = 1;         // format tag 1
  static constexpr int32_t kKindExtensible = 2;  // format tag 0xFFFE

  int32_t kind = kKindNone;
  WaveFormat format;
  std::unique_ptr<uint8_t[]> data;
  uint32_t dataSize = 0;
  FILE* file = nullptr;    // open only while the file is read
  int32_t dataOffset = 0;  // file position of the first sample byte
};

class CWaves {
 public:
  static constexpr int32_t kSlotCount = 1024;
  // Looks an OpenAL enum up by its name (alGetEnumValue).
  using EnumLookup = int (*)(const char* name);

  CWaves() = default;
  // Frees every wave still held.
  virtual ~CWaves();
  CWaves(const CWaves&) = delete;
  CWaves& operator=(const CWaves&) = delete;

  // Reads fileName whole into the first free slot and gives its index in id. kWaveOk, or
  // kWaveMissingArgument (null name or id), ParseFile's error, kWaveBadFile (data not read in
  // full), kWaveNoRoom (no memory, or every slot in use). The file is closed in every case.
  int32_t LoadWaveFile(const char* fileName, int32_t* id);
  // Clears record, opens fileName and reads its header and chunks into it. kWaveOk leaves the file
  // open at record->file for reading the data; any error closes it. kWaveMissingArgument,
  // kWaveCannotOpen, or kWaveBadFile (no RIFF/WAVE header, no usable format or data chunk, or a
  // data chunk larger than the file).
  int32_t ParseFile(const char* fileName, WaveRecord* record);
  // Frees the wave id and empties its slot. kWaveOk, or kWaveBadId for an id outside the slots or
  // an empty slot.
  int32_t DeleteWaveFile(int32_t id);
  // The OpenAL buffer format of wave id, its name turned into a value by lookup. kWaveOk, or
  // kWaveBadId, kWaveMissingArgument (null lookup or format), kWaveNoAlFormat (a format OpenAL is
  // not given: 24-bit, 4-bit PCM, a non-PCM extensible sub-format, unknown layouts, or a name the
  // library does not know).
  int32_t GetALBufferFormat(int32_t id, EnumLookup lookup, int* format) const;
  // The wave in slot id; null for an empty slot or an id outside the slots.
  const WaveRecord* Wave(int32_t id) const;

 private:
  std::unique_ptr<WaveRecord> slots_[kSlotCount];
};
