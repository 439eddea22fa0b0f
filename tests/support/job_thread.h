#pragma once
// Starting the job thread in tests that run real jobs through it.
#include <string>

#include "jobs/job_steps.h"
#include "jobs/xmodel_threaded.h"

namespace testing_support {

// Plugs steps into jobs with plug (the export steps, the image steps...), makes game the active
// game with exports written under exportFolder, and starts the job thread with programFolder as
// the program's folder. The caller stops it (jobs.Stop, or the object's end).
void StartJobThread(XmodelThreaded& jobs, void (*plug)(JobSteps&), GameId game, const std::string& exportFolder,
                    const std::string& programFolder);

}  // namespace testing_support
