#include "support/job_thread.h"

namespace testing_support {

void StartJobThread(XmodelThreaded& jobs, void (*plug)(JobSteps&), const JobOptions& options,
                    const std::string& programFolder) {
  plug(jobs.Steps());
  jobs.SetOptionsSource([options] { return options; });
  jobs.Start(programFolder);
}

JobOptions OptionsFor(GameId game, const std::string& exportFolder) {
  JobOptions options;
  options.game = game;
  options.exportFolder = exportFolder;
  return options;
}

}  // namespace testing_support
