#pragma once
// The geometric value types of the 3D view, in one include:
//   view/vec3.h        Vec3, Dot, Cross, Length, Normalized, Vec3NearlyEqual, RotateAxisAngle
//   view/matrix.h      Mat33, Mat44 (column-major, OpenGL order; A x B applies B first)
//   view/quat.h        Quat (x, y, z, w; Hamilton product), QuatNearlyEqual
//   view/bounds_box.h  BoundsBox (30 floats), PickRay, BoxMerge
//   view/int_rect.h    IntRect
// The double-precision twins for bone poses live in model/maths_double.h.
#include "view/bounds_box.h"
#include "view/int_rect.h"
#include "view/matrix.h"
#include "view/quat.h"
#include "view/vec3.h"
