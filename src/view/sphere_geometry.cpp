// Vertices of the solid sphere's latitude bands.
#include "view/sphere_geometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float kPi = 3.14159f;
constexpr float kTexEdge = 0.999f;  // texture coordinates start just inside the image's edge

// Writes vertex at of the strip: latitude theta, longitude phi, texture coordinate (u, v).
void AddVertex(Vec3 centre, float radius, float theta, float phi, float u, float v, SphereStrip& strip, int32_t at) {
  const Vec3 e{std::cos(theta) * std::cos(phi), std::sin(theta), std::cos(theta) * std::sin(phi)};
  const Vec3 p = centre + radius * e;
  float* position = &strip.positions[3 * at];
  float* normal = &strip.normals[3 * at];
  position[0] = p.x, position[1] = p.y, position[2] = p.z;
  normal[0] = e.x, normal[1] = e.y, normal[2] = e.z;
  strip.texCoords[2 * at] = u;
  strip.texCoords[2 * at + 1] = v;
}

}  // namespace

int32_t SphereBandCount(int32_t segments) {
  if (segments < 2) return 0;
  return (segments + 1) / 2;
}

void FillSphereBand(Vec3 centre, float radius, int32_t segments, int32_t band, SphereStrip& strip) {
  const int32_t n = segments;
  const size_t vertices = static_cast<size_t>(n + 1) * 2;
  strip.positions.resize(vertices * 3);
  strip.normals.resize(vertices * 3);
  strip.texCoords.resize(vertices * 2);

  const float step = 2.0f * kPi / static_cast<float>(n);
  const float theta1 = static_cast<float>(band) * step - kPi / 2.0f;
  // The last band of an odd count would reach past the pole: it ends exactly on it.
  const float theta2 = std::min(static_cast<float>(band + 1) * step - kPi / 2.0f, kPi / 2.0f);
  const float v1 = kTexEdge - 2.0f * static_cast<float>(band) / static_cast<float>(n);
  const float v2 = std::max(kTexEdge - 2.0f * static_cast<float>(band + 1) / static_cast<float>(n), kTexEdge - 1.0f);

  for (int32_t i = 0; i <= n; ++i) {
    const float phi = static_cast<float>(i) * step;
    const float u = kTexEdge - static_cast<float>(i) / static_cast<float>(n);
    AddVertex(centre, radius, theta1, phi, u, v1, strip, 2 * i);
    AddVertex(centre, radius, theta2, phi, u, v2, strip, 2 * i + 1);
  }
}
