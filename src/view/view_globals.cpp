// The 3D view's global objects, each at its rank in the program's order (core/global_order.h):
//
//   ShaderRegistry     the model pass's programs (deleted at shutdown with a context current)
//   BoneDisplay        the labels of the current frame, then the joint tree (empty until a load)
#include <vector>

#include "core/global_order.h"
#include "core/lifetime.h"
#include "view/bone_display.h"
#include "view/shader_registry.h"

ShaderRegistry gShaderRegistry DELVIX_GLOBAL(kRankShaderRegistry);
static const LifetimeMark shaderRegistryMark DELVIX_GLOBAL(kRankShaderRegistry){"ShaderRegistry"};

std::vector<ScreenLabel> BoneDisplay::labels DELVIX_GLOBAL(kRankBoneLabels);
static const LifetimeMark boneLabelsMark DELVIX_GLOBAL(kRankBoneLabels){"BoneDisplay labels"};

BoneDisplay gBoneDisplay DELVIX_GLOBAL(kRankBoneDisplay);
static const LifetimeMark boneDisplayMark DELVIX_GLOBAL(kRankBoneDisplay){"BoneDisplay"};
