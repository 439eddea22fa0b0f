#include "support/job_thread.h"

namespace testing_support {

void StartJobThread(XmodelThreaded& jobs, void (*plug)(JobSteps&), GameId game, const std::string& exportFolder,
                    const std::string& programFolder) {
  plug(jobs.Steps());
  jobs.SetGame(game);
  jobs.SetExportFolder(exportFolder);
  jobs.Start(programFolder);
}

}  // namespace testing_support
