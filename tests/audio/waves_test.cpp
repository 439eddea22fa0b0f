// The wave-file store: which files load, with what format and data, and each way a file is refused.
#include "audio/waves.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>

#include "audio/vorn_sound.h"
#include "fake_openal.h"
#include "support/temp_folder.h"
#include "support/wave_file.h"

namespace {

using testfiles::CountingBytes;
using testfiles::FormatChunkBytes;
using testfiles::SimpleWaveBytes;
using testfiles::WaveChunk;
using testfiles::WaveFileBytes;
using testfiles::WaveFormatSpec;

int Lookup(const char* name) { return FakeOpenAL::FormatValue(name); }

std::string WriteFile(const TempFolder& folder, const std::string& name, const std::vector<uint8_t>& bytes) {
  folder.Write(name, std::string(bytes.begin(), bytes.end()));
  return folder.Path(name);
}

constexpr WaveFormatSpec kMono16{};
constexpr WaveFormatSpec kExtensible{.tag = 0xFFFE, .channels = 1, .rate = 44100, .bits = 16, .channelMask = 4};

}  // namespace

// Files that load: the format lookup gives the buffer format named, and the data is the bytes of
// the data chunk.
TEST(WaveStore, LoadsUsableFilesWithTheirFormatAndData) {
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    const char* formatName;
    std::vector<uint8_t> data;
    int32_t kind = WaveRecord::kKindPcm;
  };
  const std::vector<uint8_t> data = CountingBytes(8, 10);
  const std::vector<uint8_t> odd = CountingBytes(5, 40);
  const Case cases[] = {
      {"mono 8-bit", WaveFileBytes({{"fmt ", FormatChunkBytes({.bits = 8})}, {"data", data}}), "AL_FORMAT_MONO8", data},
      {"mono 16-bit", WaveFileBytes({{"fmt ", FormatChunkBytes(kMono16)}, {"data", data}}), "AL_FORMAT_MONO16", data},
      {"stereo 8-bit", WaveFileBytes({{"fmt ", FormatChunkBytes({.channels = 2, .bits = 8})}, {"data", data}}),
       "AL_FORMAT_STEREO8", data},
      {"stereo 16-bit", WaveFileBytes({{"fmt ", FormatChunkBytes({.channels = 2})}, {"data", data}}),
       "AL_FORMAT_STEREO16", data},
      {"quad 16-bit", WaveFileBytes({{"fmt ", FormatChunkBytes({.channels = 4})}, {"data", data}}), "AL_FORMAT_QUAD16",
       data},
      {"an 18-byte format chunk", WaveFileBytes({{"fmt ", FormatChunkBytes(kMono16, 18)}, {"data", data}}),
       "AL_FORMAT_MONO16", data},
      {"ids in lower and mixed case", WaveFileBytes({{"FMT ", FormatChunkBytes(kMono16)}, {"DaTa", data}}, "riff", "Wave"),
       "AL_FORMAT_MONO16", data},
      {"odd chunks with pad bytes around",
       WaveFileBytes({{"LIST", CountingBytes(3)}, {"fmt ", FormatChunkBytes({.bits = 8})}, {"data", odd},
                      {"cue ", CountingBytes(1)}}),
       "AL_FORMAT_MONO8", odd},
      {"odd data ending the file without its pad byte",
       [&] {
         auto bytes = WaveFileBytes({{"fmt ", FormatChunkBytes({.bits = 8})}, {"data", odd}});
         bytes.pop_back();
         return bytes;
       }(),
       "AL_FORMAT_MONO8", odd},
      {"data before the format", WaveFileBytes({{"data", data}, {"fmt ", FormatChunkBytes(kMono16)}}),
       "AL_FORMAT_MONO16", data},
      {"a format chunk over 40 bytes skipped, a later one used",
       WaveFileBytes({{"fmt ", FormatChunkBytes({.channels = 2}, 50)}, {"fmt ", FormatChunkBytes(kMono16)}, {"data", data}}),
       "AL_FORMAT_MONO16", data},
      {"extensible mono, mask 4", WaveFileBytes({{"fmt ", FormatChunkBytes(kExtensible)}, {"data", data}}),
       "AL_FORMAT_MONO16", data, WaveRecord::kKindExtensible},
      {"extensible mono, mask 0",
       WaveFileBytes({{"fmt ", FormatChunkBytes({.tag = 0xFFFE, .bits = 8, .channelMask = 0})}, {"data", data}}),
       "AL_FORMAT_MONO8", data, WaveRecord::kKindExtensible},
      {"extensible stereo, mask 3",
       WaveFileBytes({{"fmt ", FormatChunkBytes({.tag = 0xFFFE, .channels = 2, .channelMask = 3})}, {"data", data}}),
       "AL_FORMAT_STEREO16", data, WaveRecord::kKindExtensible},
      {"extensible rear pair, mask 0x30",
       WaveFileBytes({{"fmt ", FormatChunkBytes({.tag = 0xFFFE, .channels = 2, .channelMask = 0x30})}, {"data", data}}),
       "AL_FORMAT_REAR16", data, WaveRecord::kKindExtensible},
      {"extensible 5.1, mask 0x3F",
       WaveFileBytes({{"fmt ", FormatChunkBytes({.tag = 0xFFFE, .channels = 6, .channelMask = 0x3F})}, {"data", data}}),
       "AL_FORMAT_51CHN16", data, WaveRecord::kKindExtensible},
      {"extensible 7.1, mask 0x63F",
       WaveFileBytes({{"fmt ", FormatChunkBytes({.tag = 0xFFFE, .channels = 8, .channelMask = 0x63F})}, {"data", data}}),
       "AL_FORMAT_71CHN16", data, WaveRecord::kKindExtensible},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    CWaves waves;
    int32_t id = -1;
    ASSERT_EQ(waves.LoadWaveFile(WriteFile(folder, "sound.wav", c.file).c_str(), &id), kWaveOk);
    EXPECT_EQ(id, 0);
    const WaveRecord* wave = waves.Wave(id);
    ASSERT_NE(wave, nullptr);
    EXPECT_EQ(wave->kind, c.kind);
    EXPECT_EQ(wave->file, nullptr) << "the file is closed once read";
    ASSERT_EQ(wave->dataSize, c.data.size());
    EXPECT_EQ(std::memcmp(wave->data.get(), c.data.data(), c.data.size()), 0);
    int format = 0;
    EXPECT_EQ(waves.GetALBufferFormat(id, Lookup, &format), kWaveOk);
    EXPECT_EQ(format, FakeOpenAL::FormatValue(c.formatName));
  }
}

// Files that never reach OpenAL, each with its result: broken files fail to load; formats OpenAL
// is not given load but get no buffer format.
TEST(WaveStore, RefusesBrokenFilesAndFormatsWithoutABufferFormat) {
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    int32_t loadResult;
    int32_t formatResult = kWaveOk;
  };
  const std::vector<uint8_t> data = CountingBytes(8);
  const Case cases[] = {
      {"not RIFF", WaveFileBytes({{"fmt ", FormatChunkBytes(kMono16)}, {"data", data}}, "RIFX"), kWaveBadFile},
      {"not WAVE", WaveFileBytes({{"fmt ", FormatChunkBytes(kMono16)}, {"data", data}}, "RIFF", "AVI "), kWaveBadFile},
      {"shorter than its header", {'R', 'I', 'F', 'F', 0, 0}, kWaveBadFile},
      {"only a 50-byte format chunk", WaveFileBytes({{"fmt ", FormatChunkBytes(kMono16, 50)}, {"data", data}}),
       kWaveBadFile},
      {"no format chunk", WaveFileBytes({{"data", data}}), kWaveBadFile},
      {"an IEEE float format tag", WaveFileBytes({{"fmt ", FormatChunkBytes({.tag = 3, .bits = 32})}, {"data", data}}),
       kWaveBadFile},
      {"no data chunk", WaveFileBytes({{"fmt ", FormatChunkBytes(kMono16)}}), kWaveBadFile},
      {"empty data", WaveFileBytes({{"fmt ", FormatChunkBytes(kMono16)}, {"data", {}}}), kWaveBadFile},
      {"data cut short", WaveFileBytes({{"fmt ", FormatChunkBytes(kMono16)}, {"data", data, 100u}}), kWaveBadFile},
      {"a data size of nearly 4 GiB",
       WaveFileBytes({{"fmt ", FormatChunkBytes(kMono16)}, {"data", data, 0xFFFFFFF0u}}), kWaveBadFile},
      {"a good data chunk, then one larger than the file",
       WaveFileBytes({{"fmt ", FormatChunkBytes(kMono16)}, {"data", data}, {"data", data, 0x7FFFFFFFu}}), kWaveBadFile},
      {"24-bit PCM", SimpleWaveBytes({.bits = 24}, 6), kWaveOk, kWaveNoAlFormat},
      {"4-bit PCM (not IMA4 ADPCM)", SimpleWaveBytes({.bits = 4}, 4), kWaveOk, kWaveNoAlFormat},
      {"3 channels", SimpleWaveBytes({.channels = 3}, 6), kWaveOk, kWaveNoAlFormat},
      {"extensible IEEE float", SimpleWaveBytes({.tag = 0xFFFE, .channelMask = 4, .pcmSubFormat = false}, 8), kWaveOk,
       kWaveNoAlFormat},
      {"extensible stereo with a rear mask at 8 bits",
       SimpleWaveBytes({.tag = 0xFFFE, .channels = 2, .bits = 8, .channelMask = 0x30}, 8), kWaveOk, kWaveNoAlFormat},
      {"extensible quad with an unknown mask", SimpleWaveBytes({.tag = 0xFFFE, .channels = 4, .channelMask = 0x0F}, 8),
       kWaveOk, kWaveNoAlFormat},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string path = WriteFile(folder, "sound.wav", c.file);
    CWaves waves;
    int32_t id = -1;
    EXPECT_EQ(waves.LoadWaveFile(path.c_str(), &id), c.loadResult);
    if (c.loadResult != kWaveOk) {
      EXPECT_EQ(waves.Wave(0), nullptr) << "nothing is kept";
      continue;
    }
    int format = -1;
    EXPECT_EQ(waves.GetALBufferFormat(id, Lookup, &format), c.formatResult);
  }
}

// A data size larger than the file is refused by the parser itself, before the loader allocates
// anything for it; a plausible size passes the parser.
TEST(WaveStore, ParserRefusesADataSizeLargerThanTheFile) {
  TempFolder folder;
  CWaves waves;
  WaveRecord record;
  const auto huge = WaveFileBytes({{"fmt ", FormatChunkBytes(kMono16)}, {"data", CountingBytes(8), 0xFFFFFFF0u}});
  EXPECT_EQ(waves.ParseFile(WriteFile(folder, "huge.wav", huge).c_str(), &record), kWaveBadFile);
  EXPECT_EQ(record.file, nullptr);
  EXPECT_EQ(record.data, nullptr);

  EXPECT_EQ(waves.ParseFile(WriteFile(folder, "good.wav", SimpleWaveBytes(kMono16, 8)).c_str(), &record), kWaveOk);
  EXPECT_EQ(record.dataSize, 8u);
  EXPECT_EQ(record.dataOffset, 12 + 8 + 16 + 8);
  ASSERT_NE(record.file, nullptr) << "left open for reading the data";
  std::fclose(record.file);
}

TEST(WaveStore, ArgumentAndIdErrors) {
  TempFolder folder;
  const std::string path = WriteFile(folder, "sound.wav", SimpleWaveBytes(kMono16, 8));
  CWaves waves;
  int32_t id = -1;
  int format = 0;
  EXPECT_EQ(waves.LoadWaveFile(nullptr, &id), kWaveMissingArgument);
  EXPECT_EQ(waves.LoadWaveFile(path.c_str(), nullptr), kWaveMissingArgument);
  EXPECT_EQ(waves.ParseFile(path.c_str(), nullptr), kWaveMissingArgument);
  EXPECT_EQ(waves.LoadWaveFile(folder.Path("missing.wav").c_str(), &id), kWaveCannotOpen);
  for (int32_t bad : {-1, 0, 1023, 1024}) {
    SCOPED_TRACE(bad);
    EXPECT_EQ(waves.DeleteWaveFile(bad), kWaveBadId);
    EXPECT_EQ(waves.GetALBufferFormat(bad, Lookup, &format), kWaveBadId);
  }
  ASSERT_EQ(waves.LoadWaveFile(path.c_str(), &id), kWaveOk);
  EXPECT_EQ(waves.GetALBufferFormat(id, nullptr, &format), kWaveMissingArgument);
  EXPECT_EQ(waves.GetALBufferFormat(id, Lookup, nullptr), kWaveMissingArgument);
  EXPECT_EQ(waves.GetALBufferFormat(id, [](const char*) { return 0; }, &format), kWaveNoAlFormat)
      << "a name the library does not know";
  EXPECT_EQ(waves.DeleteWaveFile(id), kWaveOk);
  EXPECT_EQ(waves.DeleteWaveFile(id), kWaveBadId);
}

// 1,024 waves fill the store; the next is refused until a slot is freed, and then takes that slot.
TEST(WaveStore, HoldsAtMost1024Waves) {
  TempFolder folder;
  const std::string path = WriteFile(folder, "sound.wav", SimpleWaveBytes(kMono16, 8));
  CWaves waves;
  int32_t id = -1;
  for (int32_t i = 0; i < CWaves::kSlotCount; ++i) {
    ASSERT_EQ(waves.LoadWaveFile(path.c_str(), &id), kWaveOk);
    ASSERT_EQ(id, i);
  }
  id = -1;
  EXPECT_EQ(waves.LoadWaveFile(path.c_str(), &id), kWaveNoRoom);
  EXPECT_EQ(id, -1);
  EXPECT_EQ(waves.DeleteWaveFile(517), kWaveOk);
  EXPECT_EQ(waves.LoadWaveFile(path.c_str(), &id), kWaveOk);
  EXPECT_EQ(id, 517);
}

// Handing a wave to OpenAL frees it from the store whatever happens: taken, refused by the format
// lookup, or refused by the library.
TEST(WaveStore, WaveToBufferFreesTheWaveOnEveryPath) {
  TempFolder folder;
  struct Case {
    const char* what;
    std::vector<uint8_t> file;
    ALenum bufferDataError;
    bool loaded;
  };
  const Case cases[] = {
      {"taken", SimpleWaveBytes(kMono16, 8), kAlNoError, true},
      {"no buffer format", SimpleWaveBytes({.bits = 24}, 6), kAlNoError, false},
      {"refused by the library", SimpleWaveBytes(kMono16, 8), 0xA003 /* invalid value */, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    FakeOpenAL::Reset({.bufferDataError = c.bufferDataError});
    CWaves waves;
    EXPECT_EQ(LoadWaveToBuffer(waves, FakeOpenAL::Table(), WriteFile(folder, "sound.wav", c.file), 7), c.loaded);
    EXPECT_EQ(waves.Wave(0), nullptr);
  }
  const std::vector<std::string> taken = {"data 7 " + std::to_string(FakeOpenAL::FormatValue("AL_FORMAT_MONO16")) + " 8 22050"};
  FakeOpenAL::Reset();
  CWaves waves;
  ASSERT_TRUE(LoadWaveToBuffer(waves, FakeOpenAL::Table(), WriteFile(folder, "sound.wav", SimpleWaveBytes(kMono16, 8)), 7));
  EXPECT_EQ(FakeOpenAL::Calls(), taken);
}
