#pragma once
// The demo model's colour map: a wall of bricks in one tint with light mortar joints, each brick a
// little lighter or darker than its neighbours, lit from above along its top edge and shaded along
// its bottom edge, with a fine grain. Pixels are stored B, G, R, A as IWI RGBA images hold them.
#include <cstdint>
#include <vector>

namespace demogames {

struct Tint {
  uint8_t red, green, blue;
};

// Width and height of the texture: four bricks across, eight courses high.
inline constexpr int kBrickTextureSize = 128;

// The mipmap chain of the brick texture, largest first, down to 1 x 1; each level is the 2 x 2
// average of the one before.
std::vector<std::vector<uint8_t>> BrickTextureLevels(Tint brick);

}  // namespace demogames
