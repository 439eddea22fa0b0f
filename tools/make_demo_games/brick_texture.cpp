#include "brick_texture.h"

#include <algorithm>

namespace demogames {
namespace {

constexpr int kSize = kBrickTextureSize;
constexpr int kBrickWidth = 32;
constexpr int kBrickHeight = 16;
constexpr int kMortar = 2;
constexpr Tint kMortarColour{178, 172, 160};

// A fixed pseudo-random value 0..255 of two numbers, so the texture is the same on every build.
uint8_t Hash(uint32_t a, uint32_t b) {
  uint32_t h = a * 0x9E3779B1u ^ (b + 0x7F4A7C15u) * 0x85EBCA77u;
  h ^= h >> 15;
  h *= 0xC2B2AE3Du;
  h ^= h >> 13;
  return static_cast<uint8_t>(h);
}

uint8_t Shade(uint8_t channel, int delta) { return static_cast<uint8_t>(std::clamp(int(channel) + delta, 0, 255)); }

void PutPixel(std::vector<uint8_t>& level, int x, int y, Tint colour, int delta) {
  uint8_t* p = &level[(static_cast<size_t>(y) * kSize + x) * 4];
  p[0] = Shade(colour.blue, delta);
  p[1] = Shade(colour.green, delta);
  p[2] = Shade(colour.red, delta);
  p[3] = 255;
}

// The brightness change of a brick's pixel at height yInBrick above its joint: the brick's own
// shade, its bevel and the grain.
int BrickDelta(int row, int column, int yInBrick, int x, int y) {
  int delta = Hash(row, column) % 41 - 20;
  if (yInBrick < 2) delta += 28;                              // the top edge catches the light
  if (yInBrick >= kBrickHeight - kMortar - 2) delta -= 30;    // the bottom edge is in shadow
  return delta + Hash(x, y) % 13 - 6;
}

std::vector<uint8_t> BrickLevel(Tint brick) {
  std::vector<uint8_t> level(static_cast<size_t>(kSize) * kSize * 4);
  for (int y = 0; y < kSize; ++y) {
    const int row = y / kBrickHeight, yInBrick = y % kBrickHeight;
    const int shift = row % 2 ? kBrickWidth / 2 : 0;  // every other course is laid half a brick on
    for (int x = 0; x < kSize; ++x) {
      const int xShifted = (x + shift) % kSize;
      const int column = xShifted / kBrickWidth, xInBrick = xShifted % kBrickWidth;
      if (yInBrick < kMortar || xInBrick < kMortar) {
        PutPixel(level, x, y, kMortarColour, Hash(x, y) % 17 - 8);
      } else {
        PutPixel(level, x, y, brick, BrickDelta(row, column, yInBrick - kMortar, x, y));
      }
    }
  }
  return level;
}

std::vector<uint8_t> HalfLevel(const std::vector<uint8_t>& level, int size) {
  const int half = size / 2;
  std::vector<uint8_t> out(static_cast<size_t>(half) * half * 4);
  for (int y = 0; y < half; ++y) {
    for (int x = 0; x < half; ++x) {
      for (int c = 0; c < 4; ++c) {
        auto at = [&](int dx, int dy) { return level[((static_cast<size_t>(2 * y + dy)) * size + 2 * x + dx) * 4 + c]; };
        out[(static_cast<size_t>(y) * half + x) * 4 + c] = static_cast<uint8_t>((at(0, 0) + at(1, 0) + at(0, 1) + at(1, 1) + 2) / 4);
      }
    }
  }
  return out;
}

}  // namespace

std::vector<std::vector<uint8_t>> BrickTextureLevels(Tint brick) {
  std::vector<std::vector<uint8_t>> levels{BrickLevel(brick)};
  for (int side = kSize; side > 1; side /= 2) levels.push_back(HalfLevel(levels.back(), side));
  return levels;
}

}  // namespace demogames
