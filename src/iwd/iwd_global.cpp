// The IWD image tool's one object, at its rank in the program's order (core/global_order.h). Its
// threads are stopped and joined at shutdown, and at the latest when it ends.
#include "core/global_order.h"
#include "core/lifetime.h"
#include "iwd/iwd_utils.h"

VornIWDUtils gIWDUtils DELVIX_GLOBAL(kRankIwdUtils);
static const LifetimeMark iwdUtilsMark DELVIX_GLOBAL(kRankIwdUtils){"VornIWDUtils"};
