// The screens' global objects, each at its rank in the program's order (core/global_order.h):
//
//   ModelInfoPanel::infoTree   the model information tree, empty until a model is shown
//   ModelInfoPanel::tagTree    the tag tree, likewise
#include "core/global_order.h"
#include "core/lifetime.h"
#include "screens/model_info_panel.h"

TreeContainer ModelInfoPanel::infoTree DELVIX_GLOBAL(kRankModelTrees);
static const LifetimeMark infoTreeMark DELVIX_GLOBAL(kRankModelTrees){"ModelInfoPanel::infoTree"};
TreeContainer ModelInfoPanel::tagTree DELVIX_GLOBAL(kRankModelTrees);
static const LifetimeMark tagTreeMark DELVIX_GLOBAL(kRankModelTrees){"ModelInfoPanel::tagTree"};
