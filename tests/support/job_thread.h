#pragma once
// Starting the job thread in tests that run real jobs through it.
#include <string>

#include "jobs/job_options.h"
#include "jobs/job_steps.h"
#include "jobs/xmodel_threaded.h"

namespace testing_support {

// Plugs steps into jobs with plug (the export steps, the image steps...), gives every job queued
// from now on a copy of options (game, export folder, export options...), and starts the job
// thread with programFolder as the program's folder. The caller stops it (jobs.Stop, or the
// object's end).
void StartJobThread(XmodelThreaded& jobs, void (*plug)(JobSteps&), const JobOptions& options,
                    const std::string& programFolder);

// Options of a job for game with exports written under exportFolder; every other option at its
// default.
JobOptions OptionsFor(GameId game, const std::string& exportFolder);

}  // namespace testing_support
