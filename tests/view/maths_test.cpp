#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "view/bounds_box.h"
#include "view/int_rect.h"
#include "view/matrix.h"
#include "view/quat.h"
#include "view/vec3.h"

namespace {

constexpr float kHalfPi = std::numbers::pi_v<float> / 2;
constexpr float kTol = 1e-5f;

void ExpectNear(Vec3 actual, Vec3 expected, float tol = kTol) {
  EXPECT_NEAR(actual.x, expected.x, tol);
  EXPECT_NEAR(actual.y, expected.y, tol);
  EXPECT_NEAR(actual.z, expected.z, tol);
}

void ExpectNear(const Quat& a, const Quat& e, float tol = kTol) {
  EXPECT_NEAR(a.x, e.x, tol);
  EXPECT_NEAR(a.y, e.y, tol);
  EXPECT_NEAR(a.z, e.z, tol);
  EXPECT_NEAR(a.w, e.w, tol);
}

void ExpectNear(const Mat44& a, const Mat44& e, float tol = kTol) {
  for (int i = 0; i < 16; ++i) EXPECT_NEAR(a.m[i], e.m[i], tol) << "element " << i;
}

Mat44 FromColumns(Vec3 x, Vec3 y, Vec3 z, Vec3 t = {}) {
  Mat44 m;
  const Vec3 cols[4] = {x, y, z, t};
  for (int c = 0; c < 4; ++c) {
    m.At(0, c) = cols[c].x;
    m.At(1, c) = cols[c].y;
    m.At(2, c) = cols[c].z;
  }
  return m;
}

Vec3 Column(const Mat44& m, int c) { return {m.At(0, c), m.At(1, c), m.At(2, c)}; }

const Vec3 kX{1, 0, 0}, kY{0, 1, 0}, kZ{0, 0, 1};

}  // namespace

TEST(MatrixLayout, ColumnMajorWithTranslationAt12) {
  Mat44 m;
  for (int i = 0; i < 16; ++i) m.m[i] = static_cast<float>(i);
  EXPECT_EQ(m.At(1, 2), 9.0f);  // row 1, column 2 is index 4*2+1
  EXPECT_EQ(m.At(3, 0), 3.0f);
  Mat44 t;
  t.Translate({5, 6, 7});
  EXPECT_EQ(t.m[12], 5.0f);
  EXPECT_EQ(t.m[13], 6.0f);
  EXPECT_EQ(t.m[14], 7.0f);
  const Mat33 block = m.UpperLeft33();
  const Mat33 transposed = block.Transposed();
  for (int r = 0; r < 3; ++r) {
    for (int c = 0; c < 3; ++c) {
      EXPECT_EQ(block.At(r, c), m.At(r, c));
      EXPECT_EQ(transposed.At(r, c), m.At(c, r));
    }
  }
  EXPECT_EQ(block.m[5], m.m[6]);  // Mat33 (2, 1) is index 3*1+2
}

// A quarter turn about each axis, by quaternion and by Rodrigues' formula: x->y about z,
// y->z about x, z->x about y (right-handed), and back with the negative angle.
TEST(Rotation, QuarterTurnsAboutEachAxis) {
  struct Case { Vec3 axis; float angle; Vec3 in; Vec3 out; };
  const Case cases[] = {
      {kX, kHalfPi, kY, kZ},   {kY, kHalfPi, kZ, kX},   {kZ, kHalfPi, kX, kY},
      {kX, -kHalfPi, kZ, kY},  {kY, -kHalfPi, kX, kZ},  {kZ, -kHalfPi, kY, kX},
      {kZ, kHalfPi, kY, -kX},  {kZ, 2 * kHalfPi, kX, -kX},
      {{0, 0, 5}, kHalfPi, kX, kY},  // the quaternion normalises its axis
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "axis " << c.axis.x << "," << c.axis.y << "," << c.axis.z
                                    << " angle " << c.angle);
    ExpectNear(Quat::FromAxisAngle(c.axis, c.angle).Rotate(c.in), c.out);
    Vec3 v = c.in;
    RotateAxisAngle(v, Normalized(c.axis), c.angle);
    ExpectNear(v, c.out);
  }
  ExpectNear(Quat::FromAxisAngle(kZ, kHalfPi), {0, 0, std::sqrt(0.5f), std::sqrt(0.5f)});
}

TEST(Rotation, QuaternionAndRodriguesAgreeOnOddAxes) {
  const Vec3 axes[] = {{1, 2, 3}, {-0.3f, 0.1f, 0.9f}, {0, -1, 1}};
  const float angles[] = {0.3f, -2.0f, 3.0f};
  const Vec3 v{0.7f, -1.5f, 2.25f};
  for (const Vec3& a : axes) {
    for (float angle : angles) {
      Vec3 r = v;
      RotateAxisAngle(r, Normalized(a), angle);
      ExpectNear(Quat::FromAxisAngle(a, angle).Rotate(v), r, 1e-5f);
    }
  }
}

// p (x) q applies q first: a quarter turn about x then one about z takes y to z; the other order
// takes y to -x.
TEST(Rotation, HamiltonProductAppliesRightOperandFirst) {
  const Quat aboutZ = Quat::FromAxisAngle(kZ, kHalfPi);
  const Quat aboutX = Quat::FromAxisAngle(kX, kHalfPi);
  ExpectNear(aboutZ.Multiply(aboutX).Rotate(kY), kZ);
  ExpectNear(aboutX.Multiply(aboutZ).Rotate(kY), -kX);
  // Hand product: (0,0,s,s) (x) (s,0,0,s) with s = sqrt(1/2) is (1/2, 1/2, 1/2, 1/2).
  ExpectNear(aboutZ.Multiply(aboutX), {0.5f, 0.5f, 0.5f, 0.5f});
}

TEST(Rotation, DegenerateInputsGiveTheIdentity) {
  ExpectNear(Quat{0, 0, 0, 0}.Normalized(), Quat{});
  ExpectNear(Quat{0, 0, 0, -4}.Normalized(), Quat{0, 0, 0, -1});
  ExpectNear(Quat{1e-30f, 0, 0, 0}.Normalized(), Quat{});  // squared length underflows
  ExpectNear(Quat::FromAxisAngle({0, 0, 0}, 1.0f), Quat{});
  ExpectNear(Normalized(Vec3{0, 0, 0}), Vec3{0, 0, 0});
  ExpectNear(Normalized(Vec3{0, 3, 4}), Vec3{0, 0.6f, 0.8f});
}

// FromMatrix on rotations that reach each branch: the positive trace, and the largest diagonal
// element at 0, 1 and 2, plus the zero-diagonal permutation (120 degrees about (1,1,1)).
TEST(Rotation, QuaternionFromMatrixCoversEveryBranch) {
  const float s = std::sqrt(0.5f);
  struct Case { Mat44 m; Quat q; };
  const Case cases[] = {
      {Mat44{}, {0, 0, 0, 1}},
      {FromColumns(kY, -kX, kZ), {0, 0, s, s}},    // quarter turn about z, trace 1
      {FromColumns(kX, -kY, -kZ), {1, 0, 0, 0}},   // half turn about x
      {FromColumns(-kX, kY, -kZ), {0, 1, 0, 0}},   // half turn about y
      {FromColumns(-kX, -kY, kZ), {0, 0, 1, 0}},   // half turn about z
      {FromColumns(kY, kZ, kX), {0.5f, 0.5f, 0.5f, 0.5f}},
  };
  for (const Case& c : cases) ExpectNear(Quat::FromMatrix(c.m), c.q);

  // Round trip through AlignZAxis for an arbitrary frame: the quaternion rotates the axes onto
  // the matrix's columns.
  const Mat44 frame = Mat44::AlignZAxis({-1, 2, 0.5f}, {0.3f, 0, 1});
  const Quat q = Quat::FromMatrix(frame).Normalized();
  ExpectNear(q.Rotate(kX), Column(frame, 0));
  ExpectNear(q.Rotate(kY), Column(frame, 1));
  ExpectNear(q.Rotate(kZ), Column(frame, 2));
}

TEST(Matrix, ProductAppliesRightOperandFirst) {
  Mat44 translate;
  translate.Translate({1, 0, 0});
  const Mat44 scale = FromColumns({2, 0, 0}, {0, 2, 0}, {0, 0, 2});
  ExpectNear(translate.Multiply(scale).TransformPoint(kX), {3, 0, 0});
  ExpectNear(scale.Multiply(translate).TransformPoint(kX), {4, 0, 0});
  Mat44 m = scale;
  m.MultiplyAssign(translate);
  ExpectNear(m, scale.Multiply(translate));
  // Translate multiplies on the right: the translation is scaled by the matrix.
  Mat44 t = scale;
  t.Translate({1, 2, 3});
  ExpectNear(t.TransformPoint({0, 0, 0}), {2, 4, 6});
}

TEST(Matrix, TransformPointDividesByW) {
  Mat44 m;
  m.At(3, 3) = 2.0f;
  m.At(3, 2) = 1.0f;  // w' = z + 2
  ExpectNear(m.TransformPoint({4, 8, 2}), {1, 2, 0.5f});
}

TEST(Matrix, AffineInverse) {
  // Scale (2, 4, 8) then translation (1, 2, 3), by hand.
  const Mat44 m = FromColumns({2, 0, 0}, {0, 4, 0}, {0, 0, 8}, {1, 2, 3});
  ExpectNear(m.AffineInverse(), FromColumns({0.5f, 0, 0}, {0, 0.25f, 0}, {0, 0, 0.125f},
                                            {-0.5f, -0.5f, -0.375f}));
  // A general frame: rotation, shear-free scale and translation; inverse x m is the identity.
  Mat44 g = Mat44::AlignZAxis({1, -2, 0.25f}, {0, 0, 1});
  g.Translate({3, -1, 7});
  g.MultiplyAssign(FromColumns({1.5f, 0, 0}, {0, 0.5f, 0}, {0, 0, 3}));
  ExpectNear(g.AffineInverse().Multiply(g), Mat44{});
  ExpectNear(g.Multiply(g.AffineInverse()), Mat44{});
}

TEST(Matrix, AffineInverseOfSingularBlockIsIdentity) {
  const Mat44 singular[] = {
      FromColumns({0, 0, 0}, kY, kZ, {5, 5, 5}),  // zero scale on x
      FromColumns(kX, kY, {0, 0, 0}),             // zero scale on z
      FromColumns(kX, kX, kZ),                    // two equal columns
      FromColumns({0.03f, 0, 0}, {0, 0.03f, 0}, {0, 0, 0.03f}),  // det 2.7e-5, under the limit
  };
  for (const Mat44& m : singular) ExpectNear(m.AffineInverse(), Mat44{}, 0.0f);
}

TEST(Matrix, AlignZAxis) {
  struct Case { Vec3 t, u; Vec3 x, y, z; };
  const Case cases[] = {
      {kZ, kY, kX, kY, kZ},                        // already aligned
      {kX, kZ, kY, kZ, kX},                        // look along x with z up
      {{0, 0, 0}, kY, kX, kY, kZ},                 // zero target counts as z
      {kZ, {0, 0, 0}, kX, kY, kZ},                 // zero up counts as y
      {{0, 0, 3}, {0, 0, 5}, kX, kY, kZ},          // parallel: up := t x (1,0,0)
      {kX, {-2, 0, 0}, kZ, -kY, kX},               // parallel to x: up := t x (0,0,1)
      {{0, 0, 2}, {0, 3, 3}, kX, kY, kZ},          // up not perpendicular: only its plane counts
  };
  for (const Case& c : cases) {
    const Mat44 m = Mat44::AlignZAxis(c.t, c.u);
    SCOPED_TRACE(testing::Message() << "t " << c.t.x << "," << c.t.y << "," << c.t.z);
    ExpectNear(Column(m, 0), c.x);
    ExpectNear(Column(m, 1), c.y);
    ExpectNear(Column(m, 2), c.z);
    ExpectNear(Column(m, 3), {0, 0, 0});
  }
}

TEST(Tolerance, ComparesMagnitudesOnly) {
  EXPECT_TRUE(Vec3NearlyEqual({1, 2, 3}, {-1, 2, -3}));
  // 3.0001f is 3.0000999 in single precision, inside the tolerance; 3.0002f is outside.
  EXPECT_TRUE(Vec3NearlyEqual({1, 2, 3}, {1, 2, 3.0001f}));
  EXPECT_FALSE(Vec3NearlyEqual({1, 2, 3}, {1, 2, 3.0002f}));
  EXPECT_FALSE(Vec3NearlyEqual({0, 0, 0}, {0.0001f, 0, 0}));  // not strictly below
  const Quat q = Quat::FromAxisAngle({1, 2, 3}, 0.7f);
  EXPECT_TRUE(QuatNearlyEqual(q, {-q.x, -q.y, -q.z, -q.w}));
  EXPECT_FALSE(QuatNearlyEqual(q, {q.x, q.y, q.z, q.w + 0.001f}));
  EXPECT_FALSE(QuatNearlyEqual(q, {q.x + 0.001f, q.y, q.z, q.w}));
}

TEST(BoundsBox, CornersInTheirFixedOrder) {
  const BoundsBox box({0, 0, 0}, {2, 4, 6});
  const Vec3 expected[8] = {{0, 0, 6}, {2, 0, 6}, {0, 4, 6}, {2, 4, 6},
                            {0, 4, 0}, {2, 4, 0}, {0, 0, 0}, {2, 0, 0}};
  for (int k = 0; k < 8; ++k) ExpectNear(box.corners[k], expected[k], 0.0f);

  BoundsBox merged = box;
  BoxMerge(merged, BoundsBox({-1, 1, 1}, {1, 9, 2}));
  ExpectNear(merged.min, {-1, 0, 0}, 0.0f);
  ExpectNear(merged.max, {2, 9, 6}, 0.0f);
  for (int k = 0; k < 8; ++k) ExpectNear(merged.corners[k], expected[k], 0.0f);  // not recomputed
}

TEST(BoundsBox, RayHitsAndMisses) {
  const BoundsBox box({-1, -1, -1}, {1, 1, 1});
  struct Case { const char* what; Vec3 origin, direction; bool hit; };
  const Case cases[] = {
      {"along x from the left", {-5, 0, 0}, kX, true},
      {"along x, outside the y slab", {-5, 2, 0}, kX, false},
      {"along x, on the edge plane of the y slab", {-5, 1, 0}, kX, true},
      {"origin inside", {0, 0, 0}, kX, false},
      {"box behind", {5, 0, 0}, kX, false},
      {"diagonal", {-5, -5, -5}, Normalized({1, 1, 1}), true},
      {"diagonal passing by", {-5, 0, 0}, Normalized({1, 1, 0}), false},
      {"down the z axis from above", {0, 0, 5}, -kZ, true},
      {"down z with -0 on x and y", {0.5f, 0.5f, 5}, {-0.0f, -0.0f, -1}, true},
      {"down z with -0, outside the x slab", {1.5f, 0.5f, 5}, {-0.0f, 0, -1}, false},
      {"from below along y with -0 on z", {0, -5, 0.5f}, {0, 1, -0.0f}, true},
      {"steep miss above", {-5, 0, 3}, Normalized({1, 0, 0.1f}), false},
  };
  for (const Case& c : cases) {
    PickRay ray;
    ray.origin = c.origin;
    ray.SetDirection(c.direction);
    EXPECT_EQ(box.HitByRay(ray), c.hit) << c.what;
  }
}

TEST(PickRay, SignFollowsTheInverseDirection) {
  PickRay ray;
  ray.SetDirection({-0.0f, 0.0f, -2.0f});
  EXPECT_EQ(ray.sign[0], 1);
  EXPECT_EQ(ray.sign[1], 0);
  EXPECT_EQ(ray.sign[2], 1);
  EXPECT_TRUE(std::isinf(ray.inverseDirection.x) && ray.inverseDirection.x < 0);
  EXPECT_TRUE(std::isinf(ray.inverseDirection.y) && ray.inverseDirection.y > 0);
  EXPECT_EQ(ray.inverseDirection.z, -0.5f);
}

TEST(IntRect, SetOrdersTheCorners) {
  IntRect r;
  r.Set(10, 20, 0, 5);
  EXPECT_EQ(r.x1, 0);
  EXPECT_EQ(r.y1, 5);
  EXPECT_EQ(r.x2, 10);
  EXPECT_EQ(r.y2, 20);
}
