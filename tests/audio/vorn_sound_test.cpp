// The sound object against a stand-in OpenAL: start-up and its log, the two channels, the settings
// that let a sound play, mute and volume, the silent paths and shutdown.
#include "audio/vorn_sound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>

#include "core/settings.h"
#include "fake_openal.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/wave_file.h"

namespace {

constexpr const char* kNames[] = {"menu_focus", "menu_accept", "hello", "export_done", "error_msg"};
const std::string kCh2Warning = "------ WARNING: VornSound::Playsound::(Ch2) Tried to play '";

// The settings as they were, restored when the test ends.
class SoundSettings {
 public:
  SoundSettings() : saved_(gSettings) {}
  ~SoundSettings() { gSettings = saved_; }

 private:
  VornSettings saved_;
};

// A sound object started on the stand-in, with the five sounds registered and the call record
// cleared: channel 1 is source 1, channel 2 source 2, and the buffers of the sounds are 3 to 7 in
// the order of kNames.
class SoundTest : public ::testing::Test {
 protected:
  void SetUp() override {
    FakeOpenAL::Reset();
    ASSERT_TRUE(sound.Init());
    const auto bytes = testfiles::SimpleWaveBytes({}, 16);
    folder.Write("sound.wav", std::string(bytes.begin(), bytes.end()));
    for (const char* name : kNames) sound.Load(folder.Path("sound.wav"), name);
    FakeOpenAL::ClearCalls();
  }
  // The calls that attach, start or stop a sound.
  static std::vector<std::string> PlayCalls() {
    std::vector<std::string> calls = FakeOpenAL::Calls();
    std::erase_if(calls, [](const std::string& call) {
      return call.rfind("play", 0) != 0 && call.rfind("stop", 0) != 0 && call.rfind("attach", 0) != 0;
    });
    return calls;
  }

  SoundSettings settings;
  LogCapture log;
  TempFolder folder;
  VornSound sound{OpenALSource{.table = &FakeOpenAL::Table()}};
  static constexpr ALuint kChannel1 = 1, kChannel2 = 2;
};

}  // namespace

TEST_F(SoundTest, StartUpLogsTheDevicesAndTheOneInUse) {
  const std::vector<std::string> lines = log.Lines();
  const std::vector<std::string> block = {"----- Sound Info -----", "Listing Sound output Devices:",
                                          "\t1. Fake Speakers(DEFAULT)", "", "Using: 'Fake Speakers'",
                                          "------------------", ""};
  EXPECT_NE(std::search(lines.begin(), lines.end(), block.begin(), block.end()), lines.end());
  EXPECT_TRUE(sound.Ready());
  for (const char* name : kNames) EXPECT_TRUE(sound.CanPlay(name)) << name;
}

// The default is found by its place among the devices kept: one that does not open and a second
// name of the same device are left out, and the default is still the one opened.
TEST(SoundDevices, DefaultIsRecordedByItsPlaceInTheKeptList) {
  LogCapture log;
  FakeOpenAL::Reset({.devices = {{"Broken", ""}, {"Headset", "Headset"}, {"Headset (alias)", "Headset"}, {"Speakers", "Speakers"}},
                     .defaultName = "Speakers"});
  SoundDeviceList list;
  ASSERT_TRUE(list.Build({.table = &FakeOpenAL::Table()}));
  EXPECT_EQ(list.Devices(), (std::vector<std::string>{"Headset", "Speakers"}));
  EXPECT_EQ(list.DefaultIndex(), 1);

  std::unique_ptr<SoundDeviceList> backend;
  FakeOpenAL::ClearCalls();
  EXPECT_EQ(SoundBackendInit(backend, {.table = &FakeOpenAL::Table()}), 1);
  EXPECT_TRUE(log.Has("\t2. Speakers(DEFAULT)"));
  EXPECT_TRUE(log.Has("Using: 'Speakers'"));
}

TEST_F(SoundTest, Channel1InterruptsTheSoundPlaying) {
  sound.Playsound("menu_accept");
  sound.Playsound("menu_focus");
  EXPECT_EQ(PlayCalls(), (std::vector<std::string>{"attach 1 4", "play 1", "stop 1", "attach 1 3", "play 1"}));
  FakeOpenAL::Finish(kChannel1);
  FakeOpenAL::ClearCalls();
  sound.Playsound("menu_accept");
  EXPECT_EQ(PlayCalls(), (std::vector<std::string>{"attach 1 4", "play 1"})) << "nothing to stop once it ended";
}

// Channel 2 never interrupts: another sound logs the warning, the same sound again is ignored, and
// the last name is shared with channel 1.
TEST_F(SoundTest, Channel2BusyWarnsForAnotherSoundAndKeepsPlaying) {
  sound.PlaysoundCh2("export_done");
  sound.PlaysoundCh2("error_msg");
  sound.PlaysoundCh2("export_done");
  EXPECT_EQ(PlayCalls(), (std::vector<std::string>{"attach 2 6", "play 2"}));
  EXPECT_EQ(log.Count(kCh2Warning + "error_msg' source already active."), 1);
  EXPECT_EQ(log.Count(kCh2Warning + "export_done' source already active."), 0);

  sound.Playsound("menu_focus");  // starts at once on channel 1 while channel 2 plays
  sound.PlaysoundCh2("export_done");
  EXPECT_EQ(PlayCalls(), (std::vector<std::string>{"attach 2 6", "play 2", "attach 1 3", "play 1"}));
  EXPECT_EQ(log.Count(kCh2Warning + "export_done' source already active."), 1);

  FakeOpenAL::Finish(kChannel2);
  sound.PlaysoundCh2("error_msg");
  EXPECT_EQ(PlayCalls(),
            (std::vector<std::string>{"attach 2 6", "play 2", "attach 1 3", "play 1", "attach 2 7", "play 2"}));
}

// What the settings, mute and registration let play.
TEST_F(SoundTest, SettingsAndMuteDecideWhatPlays) {
  struct Case {
    const char* what;
    void (*set)(VornSound& sound);
    const char* name;
    bool plays;
  };
  const Case cases[] = {
      {"all on", [](VornSound&) {}, "menu_focus", true},
      {"focus off", [](VornSound&) { gSettings.sound_focus = false; }, "menu_focus", false},
      {"focus off, accept plays", [](VornSound&) { gSettings.sound_focus = false; }, "menu_accept", true},
      {"accept off", [](VornSound&) { gSettings.sound_accept = false; }, "menu_accept", false},
      {"welcome off", [](VornSound&) { gSettings.sound_welcome = false; }, "hello", false},
      {"export off", [](VornSound&) { gSettings.sound_export = false; }, "export_done", false},
      {"every flag off, the error plays",
       [](VornSound&) { gSettings.sound_focus = gSettings.sound_accept = gSettings.sound_export = gSettings.sound_welcome = false; },
       "error_msg", true},
      {"disable_all", [](VornSound&) { gSettings.disable_all = true; }, "error_msg", false},
      {"muted", [](VornSound& s) { s.Mute(); }, "error_msg", false},
      {"volume 0", [](VornSound& s) { s.SetVolume(0.0f); }, "menu_accept", false},
      {"not registered", [](VornSound&) {}, "msg_box", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SoundSettings restore;
    VornSound fresh{OpenALSource{.table = &FakeOpenAL::Table()}};
    FakeOpenAL::Reset();
    ASSERT_TRUE(fresh.Init());
    for (const char* name : kNames) fresh.Load(folder.Path("sound.wav"), name);
    c.set(fresh);
    const size_t linesBefore = log.Lines().size();
    FakeOpenAL::ClearCalls();
    EXPECT_EQ(fresh.CanPlay(c.name), c.plays);
    fresh.Playsound(c.name);
    fresh.PlaysoundCh2(c.name);
    EXPECT_EQ(PlayCalls().size(), c.plays ? 4u : 0u);
    EXPECT_EQ(log.Lines().size(), linesBefore) << "a sound that may not play logs nothing";
  }
}

// The slider: 0 mutes (keeping the gain), a later value unmutes and becomes the gain and the
// settings' volume.
TEST_F(SoundTest, VolumeZeroMutesAndALaterValueUnmutes) {
  sound.ApplyVolume(0.4f);
  EXPECT_FLOAT_EQ(FakeOpenAL::Gain(), 0.4f);
  FakeOpenAL::ClearCalls();
  sound.SetVolume(0.0f);
  EXPECT_TRUE(sound.Muted());
  EXPECT_FLOAT_EQ(sound.SavedVolume(), 0.4f);
  EXPECT_FLOAT_EQ(gSettings.volume, 0.0f);
  sound.PlaysoundCh2("error_msg");
  EXPECT_TRUE(PlayCalls().empty());

  sound.SetVolume(0.7f);
  EXPECT_FALSE(sound.Muted());
  EXPECT_FLOAT_EQ(sound.Volume(), 0.7f);
  EXPECT_FLOAT_EQ(gSettings.volume, 0.7f);
  std::vector<std::string> gains = FakeOpenAL::Calls();
  std::erase_if(gains, [](const std::string& call) { return call.rfind("gain", 0) != 0; });
  EXPECT_EQ(gains, (std::vector<std::string>{"gain 0.00", "gain 0.00", "gain 0.40", "gain 0.70"}));
  sound.PlaysoundCh2("error_msg");
  EXPECT_EQ(PlayCalls(), (std::vector<std::string>{"attach 2 7", "play 2"}));
}

TEST_F(SoundTest, AFileThatCannotBeLoadedStaysSilent) {
  const auto deep = testfiles::SimpleWaveBytes({.bits = 24}, 6);
  folder.Write("deep.wav", std::string(deep.begin(), deep.end()));
  sound.Load(folder.Path("missing.wav"), "menu_focus");
  sound.Load(folder.Path("deep.wav"), "menu_accept");
  EXPECT_TRUE(log.Has("------ WARNING: Failed to load Sound: " + folder.Path("missing.wav")));
  EXPECT_TRUE(log.Has("------ WARNING: Failed to load Sound: " + folder.Path("deep.wav")));
  EXPECT_FALSE(sound.CanPlay("menu_focus"));
  EXPECT_FALSE(sound.CanPlay("menu_accept"));
  EXPECT_TRUE(sound.CanPlay("hello"));
  const std::vector<std::string> calls = FakeOpenAL::Calls();
  EXPECT_EQ(std::count_if(calls.begin(), calls.end(), [](const std::string& c) { return c.rfind("delete buffer", 0) == 0; }), 2)
      << "the buffers made for them are deleted";
}

// Shutdown releases everything in order, and afterwards nothing reaches the library.
TEST_F(SoundTest, ShutdownReleasesAllAndLaterCallsDoNothing) {
  sound.Shutdown();
  const std::vector<std::string> expected = {"delete source 1", "delete source 2", "delete buffer 7", "delete buffer 6",
                                             "delete buffer 5", "delete buffer 4", "delete buffer 3", "no context",
                                             "destroy context", "close Fake Speakers"};
  EXPECT_EQ(FakeOpenAL::Calls(), expected) << "buffers go in the order of their names";
  EXPECT_TRUE(log.Has("OpenAL ShutDown"));
  EXPECT_FALSE(sound.Ready());

  FakeOpenAL::ClearCalls();
  sound.Playsound("menu_focus");
  sound.PlaysoundCh2("export_done");
  sound.Load(folder.Path("sound.wav"), "menu_focus");
  sound.Mute();
  sound.SetVolume(0.5f);
  sound.ApplyVolume(0.5f);
  sound.FreeBuffers();
  sound.Shutdown();
  EXPECT_TRUE(FakeOpenAL::Calls().empty());
  EXPECT_EQ(log.Count("OpenAL ShutDown"), 1);
  EXPECT_FLOAT_EQ(gSettings.volume, 0.5f) << "the volume is still stored";
}

// The silent paths: no library, a library without the entry points, no device that opens.
TEST(SoundSilent, WithoutOpenALTheProgramRunsSilentWithOneWarning) {
  struct Case {
    const char* what;
    OpenALSource source;
    FakeSetup setup;
    std::vector<std::string> warnings;
    std::string stderrLine;
  };
  const std::string missing = "------ WARNING: Failed to find OpenAL.dll (Sound will be disabled)";
  const Case cases[] = {
      {"no library", {.libraryName = "libdelvix-no-such-openal.so.1"}, {}, {missing}, ""},
      {"a library without the entry points", {.libraryName = "libm.so.6"}, {}, {missing},
       "Failed to retrieve 'alEnable' function address\n"},
      {"no device that opens", {.table = &FakeOpenAL::Table()}, {.devices = {{"Broken", ""}}},
       {"------ WARNING: Failed to initialize OpenAL", "OpenAL ShutDown"}, ""},
  };
  TempFolder folder;
  const auto bytes = testfiles::SimpleWaveBytes({}, 16);
  folder.Write("sound.wav", std::string(bytes.begin(), bytes.end()));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    SoundSettings restore;
    LogCapture log;
    FakeOpenAL::Reset(c.setup);
    VornSound sound(c.source);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(sound.Init());
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), c.stderrLine);
    EXPECT_FALSE(sound.Ready());
    FakeOpenAL::ClearCalls();
    sound.Load(folder.Path("sound.wav"), "error_msg");
    sound.PlaysoundCh2("error_msg");
    sound.Mute();
    sound.SetVolume(0.3f);
    sound.Shutdown();
    EXPECT_TRUE(FakeOpenAL::Calls().empty());
    EXPECT_EQ(log.Lines(), c.warnings);
    EXPECT_FLOAT_EQ(gSettings.volume, 0.3f);
  }
}

// The job thread's export sound meets the main thread's GUI sounds and shutdown: every operation
// runs whole under the sound lock, and nothing reaches the library once it is shut down.
TEST_F(SoundTest, ThreadJobAndMainThreadSoundsNeverOverlapShutdown) {
  std::atomic<bool> stop{false};
  std::thread job([&] {
    while (!stop) sound.PlaysoundCh2("export_done");
  });
  // Channel 2's sound ends again and again, so the job thread starts it anew meanwhile.
  for (int i = 0; FakeOpenAL::PlayCount(kChannel2) < 50 && i < 1000000; ++i) {
    sound.Playsound(i % 2 ? "menu_focus" : "menu_accept");
    FakeOpenAL::Finish(kChannel2);
  }
  sound.Shutdown();
  for (int i = 0; i < 200; ++i) sound.Playsound("menu_focus");
  stop = true;
  job.join();
  const std::vector<std::string> calls = FakeOpenAL::Calls();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back(), "close Fake Speakers") << "no call after the device closed";
  EXPECT_GE(std::count(calls.begin(), calls.end(), "play 2"), 50);
}
