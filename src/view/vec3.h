#pragma once
// Vec3: a 3-vector of floats (x, y, z) for the 3D view. The world is right-handed and Z-up.
// Plain value arithmetic: sums, scaling, dot and cross products, length and normalisation,
// the magnitude-based tolerance test that compares bone poses, and the in-place rotation of a
// vector about a unit axis.

struct Vec3 {
  float x = 0.0f;
  float y = 0.0f;
  float z = 0.0f;
};
static_assert(sizeof(Vec3) == 12, "Vec3 is three packed floats");

inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator-(Vec3 a) { return {-a.x, -a.y, -a.z}; }
inline Vec3 operator*(Vec3 a, float s) { return {a.x * s, a.y * s, a.z * s}; }
inline Vec3 operator*(float s, Vec3 a) { return a * s; }

inline float Dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// Right-handed cross product a x b.
inline Vec3 Cross(Vec3 a, Vec3 b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}

float Length(Vec3 v);

// v / |v|. A zero vector (also one whose squared length underflows to 0) is returned unchanged,
// so normalising never produces NaN.
Vec3 Normalized(Vec3 v);

// True when, for each of x, y, z, the magnitudes differ by less than 0.0001: | |a| - |b| | <
// 0.0001. Components that differ only in sign count as equal; the bone display relies on this
// only to recognise a zero position, so it is kept as it is.
bool Vec3NearlyEqual(Vec3 a, Vec3 b);

// Rotates v in place by angle radians about the unit axis, with the rotation matrix of
// Rodrigues' formula (positive angles turn counter-clockwise looking down the axis).
void RotateAxisAngle(Vec3& v, Vec3 axis, float angle);
