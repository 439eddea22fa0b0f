#include <gtest/gtest.h>


#include "app/job_plugs.h"
#include "jobs/xmodel_threaded.h"
#include "platform/files.h"
#include "support/game_files.h"
#include "support/job_thread.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"

using testing_support::WaitUntil;

// An "export_ma" job through the job thread with the export steps plugged in: one scene and one
// bind script per LOD of a three-LOD model, in a folder named after the model, and the job's
// line per LOD.
TEST(MayaJobThread, ExportJobWritesEveryLod) {
  TempFolder folder;
  JobOptions options = testing_support::OptionsFor(GameId::Cod4, folder.Path("exported"));
  options.exportLods = true;
  options.exports.subFolder = true;
  options.exports.melBind = true;
  LogCapture log;
  {
    XmodelThreaded jobs;
    testing_support::StartJobThread(jobs, PlugExportSteps, options, folder.Root());
    jobs.AddJob(testfiles::RealDataPath("cod4/raw/xmodel/weapon_mp_m1garand_rifle"), LoadXmodel | LoadSurfaces, false);
    jobs.QueueJob(ExportMaya);
    const std::string out = folder.Path("exported/weapon_mp_m1garand_rifle/");
    for (const char* lod : {"weapon_usa_m1garand_rifle_LOD01", "weapon_usa_m1garand_rifle_LOD11", "weapon_usa_m1garand_rifle_LOD21"}) {
      SCOPED_TRACE(lod);
      EXPECT_TRUE(WaitUntil([&] { return platform::IsRegularFile(out + lod + ".ma"); }));
      EXPECT_TRUE(platform::IsRegularFile(out + lod + "_bind.mel"));
    }
    EXPECT_TRUE(WaitUntil([&] {
      int lines = 0;
      for (const std::string& line : log.Lines()) lines += line.rfind("^2Exported MA^7: ", 0) == 0;
      return lines == 3;
    }));
    jobs.Stop();
  }
}
