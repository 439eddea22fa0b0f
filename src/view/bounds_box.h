#pragma once
// BoundsBox, PickRay, BoxMerge: the axis-aligned boxes of the model bounds and the ray that picks
// them from the camera.
//
// A box is 30 floats: min, max, then its eight corners. With centre c = (min + max) / 2 and half
// size h = (max - min) / 2, corner k is c + (sx h.x, sy h.y, sz h.z) with the signs, for k = 0..7:
// (-,-,+), (+,-,+), (-,+,+), (+,+,+), (-,+,-), (+,+,-), (-,-,-), (+,-,-).
#include <cstdint>

#include "view/vec3.h"

// A ray: origin, direction, and what the slab test needs precomputed (set by SetDirection).
struct PickRay {
  Vec3 origin;
  Vec3 direction;
  uint8_t sign[3] = {0, 0, 0};  // 1 where the inverse direction is negative (also for -0.0)
  Vec3 inverseDirection;        // 1 / each component; an infinity where it is 0

  // Stores the direction, its component-wise inverse and the sign bytes.
  void SetDirection(Vec3 d);
};

struct BoundsBox {
  Vec3 min;
  Vec3 max;
  Vec3 corners[8];

  // The empty box at the origin (all 30 floats zero).
  BoundsBox() = default;
  // Box from min and max as given (not reordered), with its eight corners computed.
  BoundsBox(Vec3 min, Vec3 max);

  // Slab test: true when the ray meets the box in front of its origin (entry distance > 0). A
  // box that contains the origin, or lies behind it, is not hit. Axis-parallel rays work through
  // their infinite inverse components.
  bool HitByRay(const PickRay& ray) const;
};
static_assert(sizeof(BoundsBox) == 30 * sizeof(float), "BoundsBox is 30 packed floats");

// Grows box's min and max to take in other's (component-wise minimum and maximum). The corners
// are not recomputed.
void BoxMerge(BoundsBox& box, const BoundsBox& other);
