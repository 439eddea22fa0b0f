#include <gtest/gtest.h>

#include <cmath>
#include <utility>
#include <vector>

#include "view/sphere_geometry.h"

namespace {

Vec3 At(const std::vector<float>& v, int32_t i) { return {v[3 * i], v[3 * i + 1], v[3 * i + 2]}; }

TEST(SphereGeometry, BandCountCoversTheSphereAndDrawsNothingBelowTwoSegments) {
  const std::vector<std::pair<int32_t, int32_t>> cases = {
      {-5, 0}, {0, 0}, {1, 0}, {2, 1}, {3, 2}, {4, 2}, {7, 4}, {20, 10}, {21, 11},
  };
  for (auto [segments, bands] : cases) EXPECT_EQ(SphereBandCount(segments), bands) << segments;
}

// Every vertex lies on the sphere with its unit normal pointing outwards; the bands are stacked
// without gaps from the -Y pole to the +Y pole, also for an odd count; column n meets column 0.
TEST(SphereGeometry, BandsCloseTheSphereFromPoleToPole) {
  const Vec3 centre{3, -2, 5};
  const float radius = 2.5f;
  for (int32_t n : {2, 7, 20}) {
    SCOPED_TRACE(n);
    const int32_t bands = SphereBandCount(n);
    SphereStrip strip, previous;
    for (int32_t band = 0; band < bands; ++band) {
      FillSphereBand(centre, radius, n, band, strip);
      ASSERT_EQ(strip.VertexCount(), (n + 1) * 2);
      for (int32_t v = 0; v < strip.VertexCount(); ++v) {
        const Vec3 p = At(strip.positions, v), e = At(strip.normals, v);
        EXPECT_NEAR(Length(e), 1.0f, 1e-5f);
        const Vec3 offset = p - centre - radius * e;
        EXPECT_NEAR(Length(offset), 0.0f, 1e-5f);
      }
      for (int32_t i = 0; i <= n; ++i) {
        if (band == 0) {
          EXPECT_NEAR(At(strip.positions, 2 * i).y, centre.y - radius, 1e-4f);
        } else {
          // This band's lower row is the previous band's upper row.
          const Vec3 gap = At(strip.positions, 2 * i) - At(previous.positions, 2 * i + 1);
          EXPECT_NEAR(Length(gap), 0.0f, 1e-5f);
        }
        if (band == bands - 1) {
          EXPECT_NEAR(At(strip.positions, 2 * i + 1).y, centre.y + radius, 1e-4f);
        }
      }
      const Vec3 seam = At(strip.positions, 2 * n + 1) - At(strip.positions, 1);
      EXPECT_NEAR(Length(seam), 0.0f, 1e-4f);
      previous = strip;
    }
  }
}

TEST(SphereGeometry, TextureCoordinatesRunFromJustInsideTheCorner) {
  SphereStrip strip;
  FillSphereBand({}, 1, 20, 0, strip);
  EXPECT_FLOAT_EQ(strip.texCoords[0], 0.999f);  // column 0, lower row
  EXPECT_FLOAT_EQ(strip.texCoords[1], 0.999f);
  EXPECT_FLOAT_EQ(strip.texCoords[3], 0.999f - 2.0f / 20.0f);  // column 0, upper row
  EXPECT_FLOAT_EQ(strip.texCoords[2 * 41], 0.999f - 1.0f);     // column 20
  FillSphereBand({}, 1, 20, 9, strip);
  EXPECT_FLOAT_EQ(strip.texCoords[3], 0.999f - 1.0f);  // the top pole
}

}  // namespace
