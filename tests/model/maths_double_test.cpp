#include "model/maths_double.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

void ExpectNear(Vec3d a, Vec3d e) {
  EXPECT_NEAR(a.x, e.x, 1e-12);
  EXPECT_NEAR(a.y, e.y, 1e-12);
  EXPECT_NEAR(a.z, e.z, 1e-12);
}

const double kS = std::sqrt(0.5);
const Quatd kAboutZ{0, 0, kS, kS};  // quarter turn about z
const Quatd kAboutX{kS, 0, 0, kS};  // quarter turn about x

}  // namespace

TEST(DoubleMaths, QuaternionRotationAndProductOrder) {
  ExpectNear(kAboutZ.Rotate({1, 0, 0}), {0, 1, 0});
  ExpectNear(kAboutX.Rotate({0, 1, 0}), {0, 0, 1});
  // p (x) q applies q first: y -> z -> z, and the other way y -> -x -> -x.
  ExpectNear(QuatMultiply(kAboutZ, kAboutX).Rotate({0, 1, 0}), {0, 0, 1});
  ExpectNear(QuatMultiply(kAboutX, kAboutZ).Rotate({0, 1, 0}), {-1, 0, 0});
  const Quatd p = QuatMultiply(kAboutZ, kAboutX);
  EXPECT_NEAR(p.x, 0.5, 1e-12);
  EXPECT_NEAR(p.y, 0.5, 1e-12);
  EXPECT_NEAR(p.z, 0.5, 1e-12);
  EXPECT_NEAR(p.w, 0.5, 1e-12);
}

TEST(DoubleMaths, MatrixProductAppliesRightOperandFirst) {
  Mat33d aboutZ;  // columns: x -> y, y -> -x
  aboutZ.At(0, 0) = 0, aboutZ.At(1, 0) = 1, aboutZ.At(0, 1) = -1, aboutZ.At(1, 1) = 0;
  Mat33d aboutX;  // columns: y -> z, z -> -y
  aboutX.At(1, 1) = 0, aboutX.At(2, 1) = 1, aboutX.At(1, 2) = -1, aboutX.At(2, 2) = 0;
  const Mat33d zx = aboutZ.Multiply(aboutX);
  // The image of y (column 1): x first takes y to z, z stays under the turn about z.
  EXPECT_EQ(zx.At(0, 1), 0.0);
  EXPECT_EQ(zx.At(1, 1), 0.0);
  EXPECT_EQ(zx.At(2, 1), 1.0);
  const Mat33d xz = aboutX.Multiply(aboutZ);
  EXPECT_EQ(xz.At(0, 1), -1.0);
  EXPECT_EQ(xz.At(1, 1), 0.0);
  EXPECT_EQ(xz.At(2, 1), 0.0);
}

TEST(DoubleMaths, NearlyEqualUsesTheSinglePrecisionTolerance) {
  EXPECT_TRUE(Vec3dNearlyEqual({1, -2, 3}, {-1, 2, -3}));
  EXPECT_TRUE(Vec3dNearlyEqual({9.9999e-05, 0, 0}, {0, 0, 0}));
  EXPECT_FALSE(Vec3dNearlyEqual({9.999999747378752e-05, 0, 0}, {0, 0, 0}));
  EXPECT_FALSE(Vec3dNearlyEqual({0, 0, 1e-4}, {0, 0, 0}));
}
