// The five generated GUI sounds: each loads through the sound system, and their waveforms are short,
// audible and never clipped, starting and ending at rest (no click).
#include "audio/gui_sounds.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "audio/vorn_sound.h"
#include "fake_openal.h"
#include "support/log_capture.h"
#include "support/wave_file.h"

namespace {

struct GeneratedSound {
  const char* name;
  const char* file;
  double maxSeconds;
};

constexpr GeneratedSound kSounds[] = {
    {"menu_focus", "menu_focus.wav", 0.06},
    {"menu_accept", "menu_accept.wav", 0.10},
    {"hello", "GLaDOS_Why_hello_there.wav", 1.2},
    {"export_done", "vorn_export.wav", 0.6},
    {"error_msg", "vorn_error.wav", 0.4},
};

const std::string kSoundsFolder = std::string(DELVIX_PROGRAM_DIR) + "/sounds/";

}  // namespace

TEST(GeneratedSounds, AreShortAudibleAndNeverClip) {
  for (const GeneratedSound& sound : kSounds) {
    SCOPED_TRACE(sound.file);
    testfiles::Pcm16Samples wave;
    ASSERT_TRUE(testfiles::ReadPcm16Wave(kSoundsFolder + sound.file, wave));
    EXPECT_EQ(wave.channels, 1);
    EXPECT_EQ(wave.rate, 44100);
    const double seconds = static_cast<double>(wave.samples.size()) / wave.rate;
    EXPECT_GT(seconds, 0.02);
    EXPECT_LE(seconds, sound.maxSeconds);
    const int peak = wave.Peak();
    EXPECT_GT(peak, 32767 / 5) << "audible";
    EXPECT_LT(peak, 32767 * 6 / 10) << "well below full scale";
    const size_t edge = 20;  // under half a millisecond at each end
    EXPECT_LT(wave.Peak(0, edge), 32767 / 8);
    EXPECT_LT(wave.Peak(wave.samples.size() - edge), 32767 / 100);
    std::printf("%-28s %5.0f ms  peak %.2f\n", sound.file, seconds * 1000, peak / 32767.0);
  }
}

// Registered from the program folder as the program does at start-up: all five load and may play.
TEST(GeneratedSounds, AllFiveRegisterFromTheProgramFolder) {
  LogCapture log;
  FakeOpenAL::Reset();
  VornSound sound{OpenALSource{.table = &FakeOpenAL::Table()}};
  ASSERT_TRUE(sound.Init());
  char* previous = ::getcwd(nullptr, 0);
  ASSERT_EQ(::chdir(DELVIX_PROGRAM_DIR), 0);
  RegisterGUISounds(sound);
  EXPECT_EQ(::chdir(previous), 0);
  std::free(previous);
  for (const GeneratedSound& generated : kSounds) EXPECT_TRUE(sound.CanPlay(generated.name)) << generated.name;
  for (const std::string& line : log.Lines()) EXPECT_EQ(line.find("Failed to load Sound"), std::string::npos) << line;
}
