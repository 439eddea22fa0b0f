#pragma once
// Plugs the subsystems into the job thread's steps: exporters, image writing, the desktop opener,
// the export sound, and (once the window exists) the view's GPU upload, bounds and bone display. Call before the job
// thread starts.
#include "jobs/job_steps.h"

// Sets the export, sound and desktop steps, which need no window.
void PlugExportSteps(JobSteps& steps);

// Sets the export notice: the notification bubble, whose click runs clickAction (the job thread's
// OpenOutputFolder: the folder of the latest notice).
void PlugNoticeStep(JobSteps& steps, std::function<bool()> clickAction);
