// The program's one sound object, at its rank in the program's order (core/global_order.h). It
// loads nothing when made: Init at start-up loads OpenAL, and Shutdown releases it before the
// settings are saved (at the latest when it ends).
#include "audio/vorn_sound.h"
#include "core/global_order.h"
#include "core/lifetime.h"

VornSound gSound DELVIX_GLOBAL(kRankSound);
static const LifetimeMark soundMark DELVIX_GLOBAL(kRankSound){"VornSound"};
