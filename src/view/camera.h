#pragma once
// The 3D view's camera: an abstract cinder::Camera (eye, orientation, centre of interest, the
// model-view matrix and the world-to-window projection) and the perspective cinder::CameraPersp
// (frustum, projection matrices, pick ray). The camera only computes matrices; the frame loads
// them into OpenGL.
//
// Camera space looks along -Z with +Y up and +X right; `orientation` rotates camera space into the
// world, which is right-handed and Z-up. Matrices are column-major (view/matrix.h).
//
// Threads: main thread only (the frame reads the cameras under the frame mutex).
#include "view/bounds_box.h"
#include "view/matrix.h"
#include "view/quat.h"
#include "view/vec3.h"

// A window position in pixels, y measured down from the top edge.
struct ScreenPoint {
  float x = 0.0f;
  float y = 0.0f;
};

namespace cinder {

class Camera {
 public:
  virtual ~Camera() = default;
  virtual bool IsPerspective() const = 0;
  // Recomputes the frustum and both projection matrices from fov, aspectRatio and the clips.
  virtual void UpdateProjection() = 0;

  // Places the eye at eye looking at target, with up (normalised into worldUp) as the direction
  // the camera's y axis keeps closest to. Recomputes the orientation and the model-view.
  void SetEyeTarget(Vec3 eye, Vec3 target, Vec3 up);
  // orientation := q normalised (the identity for a zero q); the view direction follows it.
  // Recomputes the model-view.
  void SetOrientation(const Quat& q);
  // Recomputes backAxis, rightAxis, upAxis and modelViewMatrix from the eye, view direction and
  // orientation, and marks inverseModelViewMatrix stale.
  void UpdateModelView();
  // Window coordinates of world point p in a width x height window (y down). A point on the
  // eye's plane has no projection and gives infinities.
  ScreenPoint WorldToScreen(Vec3 p, float width, float height) const;

  Vec3 eyePoint;
  Vec3 viewDirection;           // unit vector the camera looks along
  Quat orientation;             // camera space -> world space
  float centerOfInterest = 0;   // distance from the eye to the pivot of tumble and dolly
  Vec3 worldUp{0, 1, 0};
  Vec3 rightAxis;               // orientation applied to (1, 0, 0)
  Vec3 upAxis;                  // orientation applied to (0, 1, 0)
  Vec3 backAxis;                // -viewDirection, normalised
  float fov = 0;                // vertical field of view in degrees
  float aspectRatio = 0;        // width / height
  float nearClip = 0;
  float farClip = 0;
  Mat44 projectionMatrix;
  Mat44 inverseProjectionMatrix;
  Mat44 modelViewMatrix;        // world -> camera
  Mat44 inverseModelViewMatrix; // camera -> world, valid only while inverseModelViewValid
  bool inverseModelViewValid = false;
  float frustumLeft = 0;        // extents of the near plane
  float frustumRight = 0;
  float frustumTop = 0;
  float frustumBottom = 0;

 protected:
  Camera() = default;
  Camera(const Camera&) = default;
  Camera& operator=(const Camera&) = default;
};

class CameraPersp : public Camera {
 public:
  // Eye (28, 21, 28) looking at the origin with +Y up, centre of interest 44.822, fov 35,
  // aspect 1, clips 0.1 and 1000.
  CameraPersp();
  CameraPersp(const CameraPersp&) = default;
  // Whole copy: every field, the four matrices and the validity flag.
  CameraPersp& operator=(const CameraPersp&) = default;

  bool IsPerspective() const override { return true; }
  void UpdateProjection() override;

  // The ray from the eye through the image point (u, v), each 0..1 across the image with v
  // measured upwards, for an image of the given aspect ratio (width / height).
  PickRay RayThroughPoint(float u, float v, float imageAspect) const;
};

}  // namespace cinder
