// The program's one sound object. It loads nothing when made: Init at start-up loads OpenAL, and
// Shutdown releases it before the settings are saved. Its mark records its place among the
// program's global objects (core/lifetime.h).
#include "audio/vorn_sound.h"
#include "core/lifetime.h"

VornSound gSound;
static const LifetimeMark soundMark{"VornSound"};
