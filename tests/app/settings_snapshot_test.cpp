// The settings as the job thread takes them: a job keeps the options it was queued with while the
// settings change, and every writer follows one colour-map format rule.
#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <sstream>
#include <string>

#include "app/job_plugs.h"
#include "app/settings_snapshots.h"
#include "core/settings.h"
#include "jobs/xmodel_threaded.h"
#include "support/game_files.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"

namespace {

using testing_support::WaitUntil;

bool IsFile(const std::string& path) { return std::filesystem::is_regular_file(path); }

// The text from the end of key's first occurrence up to the next quote, CR or blank.
std::string ValueAfter(const std::string& text, const std::string& key) {
  const size_t at = text.find(key);
  if (at == std::string::npos) return {};
  const size_t start = at + key.size();
  return text.substr(start, text.find_first_of("\"\r\n ", start) - start);
}

// A job thread with the export steps, whose jobs take the program's settings (gSettings) as
// the application does when they are queued, with their folders in folder.
struct SettingsJobs {
  explicit SettingsJobs(const TempFolder& folder) {
    PlugExportSteps(jobs.Steps());
    jobs.SetOptionsSource([&folder] {
      JobOptions options = JobOptionsFromSettings(gSettings);
      options.exportFolder = folder.Path("exported");
      options.gdtFolder = folder.Path("GDTs");
      options.game = GameId::Cod4;
      return options;
    });
    jobs.Start(folder.Root());
  }
  ~SettingsJobs() { jobs.Stop(); }
  XmodelThreaded jobs;
};

constexpr const char* kRifle = "weapon_mp_m1garand_rifle";
constexpr const char* kRifleLod0 = "weapon_usa_m1garand_rifle_LOD01";

// Every export setting changes on the main thread while an OBJ export runs (held inside its
// writer step): the files are those of the settings at queue time.
TEST(SettingsSnapshotThread, AJobKeepsTheSettingsItWasQueuedWith) {
  const VornSettings saved = gSettings;
  TempFolder folder;
  gSettings.mtl = true;
  gSettings.images_local = true;
  gSettings.sub_folder = false;
  gSettings.export_lods = false;
  gSettings.exp_images = true;
  gSettings.as_tga = 0;
  gSettings.scale = 1.0f;
  {
    SettingsJobs run(folder);
    std::mutex gate;
    std::condition_variable opened;
    bool open = false;
    std::atomic<bool> held{false};
    const auto writeObj = run.jobs.Steps().exportObj;
    run.jobs.Steps().exportObj = [&](Xmodel& model, const std::string& out, int lod, const ExportOptions& options) {
      held = true;
      std::unique_lock<std::mutex> lock(gate);
      opened.wait(lock, [&] { return open; });
      return writeObj(model, out, lod, options);
    };
    run.jobs.QueueXmodelLoad(testfiles::RealDataPath("cod4/raw/xmodel"), kRifle);
    run.jobs.QueueExport(ExportObj);
    ASSERT_TRUE(WaitUntil([&] { return held.load(); }));
    for (int turn = 0; turn < 200; ++turn) {
      gSettings.mtl = gSettings.images_local = (turn % 2) != 0;
      gSettings.sub_folder = gSettings.export_lods = gSettings.tags_local = (turn % 2) == 0;
      gSettings.exp_images = (turn % 3) != 0;
      gSettings.as_tga = turn % 2;
      gSettings.scale = static_cast<float>(turn);
    }
    {
      std::lock_guard<std::mutex> lock(gate);
      open = true;
    }
    opened.notify_all();
    const std::string out = folder.Path("exported/");
    ASSERT_TRUE(WaitUntil([&] { return IsFile(out + "images/w_m1garand_mp_c.dds"); }));
    EXPECT_TRUE(IsFile(out + kRifleLod0 + ".obj"));
    EXPECT_TRUE(IsFile(out + kRifleLod0 + ".mtl"));
    EXPECT_FALSE(IsFile(out + "weapon_usa_m1garand_rifle_LOD11.obj")) << "LOD 0 only";
    EXPECT_FALSE(std::filesystem::exists(out + kRifle)) << "no sub-folder";
    EXPECT_EQ(ValueAfter(TempFolder::ReadFileBytes(out + kRifleLod0 + ".mtl"), "map_Kd "), "images/w_m1garand_mp_c.dds");
  }
  gSettings = saved;
}

// With as_tga 0, 1, 2 and -1 in settings.xml, the GDT, the MTL and the written colour map name
// the same file: TGA for 1 (and 2, clamped to 1), DDS for 0 (and -1, clamped to 0).
TEST(SettingsSnapshotThread, TheColourMapFormatIsOneRuleForEveryWriter) {
  const VornSettings saved = gSettings;
  for (int asTga : {0, 1, 2, -1}) {
    SCOPED_TRACE(asTga);
    TempFolder folder;
    std::ofstream(folder.Path("settings.xml"))
        << "<export>\n  <mtl value=\"1\"/>\n  <images_local value=\"1\"/>\n  <exp_images value=\"1\"/>\n"
        << "  <as_tga value=\"" << asTga << "\"/>\n  <scale value=\"1\"/>\n</export>\n";
    gSettings = VornSettings();
    gSettings.Load(folder.Path("settings.xml"));
    const std::string extension = asTga >= 1 ? "tga" : "dds";
    {
      SettingsJobs run(folder);
      run.jobs.QueueXmodelLoad(testfiles::RealDataPath("cod4/raw/xmodel"), kRifle);
      run.jobs.QueueExport(ExportObj);
      run.jobs.QueueJob(DumpGdt);
      ASSERT_TRUE(WaitUntil([&] { return IsFile(folder.Path("GDTs/weapon_mp_m1garand_rifle.gdt")); }));
    }
    const std::string image = "w_m1garand_mp_c." + extension;
    EXPECT_TRUE(IsFile(folder.Path("exported/images/" + image)));
    EXPECT_EQ(ValueAfter(TempFolder::ReadFileBytes(folder.Path("exported/") + kRifleLod0 + ".mtl"), "map_Kd "), "images/" + image);
    const std::string gdt = TempFolder::ReadFileBytes(folder.Path("GDTs/weapon_mp_m1garand_rifle.gdt"));
    EXPECT_NE(gdt.find("\\\\" + image + "\""), std::string::npos) << gdt.substr(0, 400);
  }
  gSettings = saved;
}

}  // namespace
