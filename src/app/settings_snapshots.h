#pragma once
// The settings as the other threads and the 3D view take them: copies made on the main thread,
// where the settings object is read and written. A job takes its options when it is queued, the
// frame takes the view's once per frame.
#include "core/settings.h"
#include "jobs/job_options.h"
#include "view/view_options.h"

// The image format of the model's colour maps: TGA only when as_tga is 1 (the settings file
// clamps it to 0..1), else DDS. The one rule every writer and the image export follow.
ImageTarget ColourMapTarget(const VornSettings& settings);

// The job options that come from the settings; the folders and the game are the caller's.
JobOptions JobOptionsFromSettings(const VornSettings& settings);

ViewOptions ViewOptionsFromSettings(const VornSettings& settings);
