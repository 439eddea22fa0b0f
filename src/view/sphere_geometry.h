#pragma once
// The vertices of the 3D view's solid sphere (drawn by GlDrawSphere, view/gl_draw.h): latitude
// bands from the -Y pole to the +Y pole, each one triangle strip of (n + 1) x 2 vertices for a
// segment count n, with unit normals and texture coordinates.
//
// Band j spans the latitudes theta1 = j * 2pi / n - pi/2 and theta2 = (j + 1) * 2pi / n - pi/2;
// column i (0..n) is at longitude phi = i * 2pi / n. A vertex on latitude theta has the normal
// e = (cos theta cos phi, sin theta, cos theta sin phi), the position centre + radius * e and
// the texture coordinate (0.999 - i / n, 0.999 - 2j / n) (band top: 2(j + 1) / n).
#include <cstdint>
#include <vector>

#include "view/vec3.h"

// One band's triangle strip: 3 floats of position and normal and 2 of texture coordinate per
// vertex, vertices in strip order (column i's lower vertex, then its upper one).
struct SphereStrip {
  std::vector<float> positions;
  std::vector<float> normals;
  std::vector<float> texCoords;

  int32_t VertexCount() const { return static_cast<int32_t>(positions.size() / 3); }
};

// Number of bands a sphere of segments segments is drawn with: n / 2 for an even n, (n + 1) / 2
// for an odd n >= 3 (the last band stops at the +Y pole, so the sphere has no hole at the top),
// and 0 for n < 2.
int32_t SphereBandCount(int32_t segments);

// Fills strip with band band (0 <= band < SphereBandCount(segments)) of the sphere at centre
// with radius radius. The strip's arrays are resized to the band's (segments + 1) x 2 vertices,
// so one strip can be reused for every band without allocating again.
void FillSphereBand(Vec3 centre, float radius, int32_t segments, int32_t band, SphereStrip& strip);
