#pragma once
// The demo model of each game: "demo_pillar", a brick pillar 24 units high (plinth, shaft and
// capital), each part a box bound rigidly to its own bone of a four-bone chain (tag_origin at the
// foot, j_base, j_shaft, j_cap), in one LOD with one material whose colour map is a brick wall in
// the game's own tint.
#include <string>

#include "support/model_files.h"

namespace demogames {

inline constexpr const char* kDemoModelName = "demo_pillar";

// The files of the demo model in the layout of game.
testfiles::SyntheticModel MakeDemoPillar(GameId game);

}  // namespace demogames
