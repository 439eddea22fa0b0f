#include "app/job_plugs.h"

#include <gtest/gtest.h>


#include "jobs/xmodel_threaded.h"
#include "platform/files.h"
#include "platform/open.h"
#include "support/game_files.h"
#include "support/job_thread.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"

namespace {

bool WaitForFile(const std::string& path) {
  return testing_support::WaitUntil([&] { return platform::IsRegularFile(path); });
}

}  // namespace

// A "view_tags" job and a "dump_GDT" job on a real model, through the job thread with the export
// steps plugged in: the page, its images and the GDT file appear where the steps put them, and the
// page is handed to the desktop opener.
TEST(JobPlugsThread, TagsAndGdtJobsWriteTheirFiles) {
  TempFolder folder;
  std::vector<std::string> opened;
  std::mutex openedMutex;
  platform::SetOpenHook([&](const std::string& target) {
    std::lock_guard<std::mutex> lock(openedMutex);
    opened.push_back(target);
  });

  XmodelThreaded jobs;
  JobOptions options = testing_support::OptionsFor(GameId::Cod4, folder.Path("exported"));
  options.gdtFolder = folder.Path("GDTs");
  testing_support::StartJobThread(jobs, PlugExportSteps, options, folder.Root());
  jobs.AddJob(testfiles::RealDataPath("cod4/raw/xmodel/body_alice"), LoadXmodel | LoadSurfaces, false);
  jobs.QueueJob(kViewTagsJob);
  jobs.QueueJob(DumpGdt);

  EXPECT_TRUE(WaitForFile(folder.Path("Tags/body_alice_tags.html")));
  EXPECT_TRUE(WaitForFile(folder.Path("Tags/dotted.gif")));
  EXPECT_TRUE(WaitForFile(folder.Path("Tags/joint.png")));
  EXPECT_TRUE(WaitForFile(folder.Path("GDTs/body_alice.gdt")));
  jobs.Stop();
  platform::SetOpenHook(nullptr);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0], folder.Path("Tags/body_alice_tags.html"));
}

// "export_obj" with every LOD and "export_XE" on a real model of three LODs, through the job
// thread: one OBJ and MTL per LOD and the XMODEL_EXPORT of LOD 0, in the model's sub-folder, named
// after the LOD names of the model file.
TEST(JobPlugsThread, ObjAndXmodelExportJobsWriteTheirFiles) {
  TempFolder folder;
  JobOptions options = testing_support::OptionsFor(GameId::Cod4, folder.Path("exported"));
  options.exportLods = options.exports.subFolder = options.exports.mtl = true;
  XmodelThreaded jobs;
  testing_support::StartJobThread(jobs, PlugExportSteps, options, folder.Root());
  jobs.AddJob(testfiles::RealDataPath("cod4/raw/xmodel/weapon_mp_m1garand_rifle"), LoadXmodel | LoadSurfaces, false);
  jobs.QueueJob(ExportObj);
  jobs.QueueJob(ExportXmodelExport);

  const std::string out = folder.Path("exported/weapon_mp_m1garand_rifle/");
  for (const char* lod : {"LOD01", "LOD11", "LOD21"}) {
    EXPECT_TRUE(WaitForFile(out + "weapon_usa_m1garand_rifle_" + lod + ".obj")) << lod;
    EXPECT_TRUE(WaitForFile(out + "weapon_usa_m1garand_rifle_" + lod + ".mtl")) << lod;
  }
  EXPECT_TRUE(WaitForFile(out + "weapon_usa_m1garand_rifle_LOD01.XMODEL_EXPORT"));
  jobs.Stop();
}
