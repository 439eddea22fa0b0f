#include "view/camera_controller.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr Vec3 kWorldUp{0, 0, 1};
constexpr float kZoomPerPixel = 0.002f;
constexpr float kPanPerPixel = 0.001f;    // times the centre of interest
constexpr float kTumblePerPixel = 0.01f;  // radians
constexpr float kE = 2.7182817f;
// The centre of interest stays inside this range however far the user dollies, so the eye never
// reaches the pivot (where zoom would stop working) nor overflows into infinities.
constexpr float kMinCenterOfInterest = 1e-30f;
constexpr float kMaxCenterOfInterest = 1e30f;

// The horizontal axis that pan and tumble move along and turn about: (0, 0, 1) x w normalised,
// w the view direction. That product equals -upAxis.z times the camera's right axis, so where it
// vanishes (a view straight up or down) the right axis with that sign stands in for it.
Vec3 HorizontalAxis(const cinder::Camera& camera, Vec3 w) {
  const Vec3 u = Cross(kWorldUp, w);
  if (Length(u) > 1e-6f) return Normalized(u);
  return camera.upAxis.z < 0.0f ? camera.rightAxis : -camera.rightAxis;
}

// The camera's pivot: the point the centre of interest names along the view direction.
Vec3 Pivot(const cinder::Camera& camera) {
  return camera.eyePoint + camera.viewDirection * camera.centerOfInterest;
}

}  // namespace

CameraController::CameraController() {
  const cinder::CameraPersp fresh;
  currentCamera = fresh;
  initialCamera = fresh;
}

void CameraController::ResetView(cinder::CameraPersp& sceneCamera, double aspect) {
  sceneCamera.fov = 45.0f;
  sceneCamera.aspectRatio = static_cast<float>(aspect);
  sceneCamera.nearClip = 0.1f;
  sceneCamera.farClip = 15000.0f;
  sceneCamera.UpdateProjection();
  const Vec3 eye{100, -100, 100};
  const Vec3 target{0, 0, 0};
  sceneCamera.SetEyeTarget(eye, target, kWorldUp);
  sceneCamera.centerOfInterest = Length(target - eye);
  currentCamera = sceneCamera;
}

void CameraController::MouseMove(uint32_t flags, int32_t x, int32_t y, int32_t mouseStyle,
                                 bool pointerOverGui) {
  const bool left = flags & kMouseLeftButton;
  const bool right = flags & kMouseRightButton;
  const bool middle = flags & kMouseMiddleButton;
  if (pointerOverGui) return;
  if (!left && !right && !middle) {
    initialMousePos[0] = x;
    initialMousePos[1] = y;
    initialCamera = currentCamera;
    lastAction = DRAG_NONE;
    return;
  }
  if (mouseStyle == 1) {
    Drag(x, y, left && !right, left && right, right && !left);
  } else {
    Drag(x, y, left, middle, right);
  }
}

void CameraController::Drag(int32_t x, int32_t y, bool left, bool middle, bool right) {
  DragAction action = DRAG_NONE;
  if (right || (left && middle)) {
    action = DRAG_ZOOM;
  } else if (middle) {
    action = DRAG_PAN;
  } else if (left) {
    action = DRAG_TUMBLE;
  } else {
    return;
  }
  if (action != lastAction) {
    initialCamera = currentCamera;
    initialMousePos[0] = x;
    initialMousePos[1] = y;
  }
  lastAction = action;
  switch (action) {
    case DRAG_ZOOM: Zoom(x, y); break;
    case DRAG_PAN: Pan(x, y); break;
    case DRAG_TUMBLE: Tumble(x, y); break;
    case DRAG_NONE: break;
  }
}

// Dolly towards the pivot: up or left moves away, down or right comes closer, by a factor of e
// per 500 pixels.
void CameraController::Zoom(int32_t x, int32_t y) {
  const cinder::CameraPersp& from = initialCamera;
  const int64_t k = (int64_t{initialMousePos[0]} - x) + (int64_t{initialMousePos[1]} - y);
  const float c = std::clamp(std::pow(kE, kZoomPerPixel * static_cast<float>(k)) *
                                 from.centerOfInterest,
                             kMinCenterOfInterest, kMaxCenterOfInterest);
  currentCamera.eyePoint = Pivot(from) - from.viewDirection * c;
  currentCamera.UpdateModelView();
  currentCamera.centerOfInterest = c;
}

// Slide the eye in the view plane (horizontal axis and the axis square to it and the view),
// scaled by the centre of interest so the pivot follows the pointer at any distance.
void CameraController::Pan(int32_t x, int32_t y) {
  const cinder::CameraPersp& from = initialCamera;
  const float scale = kPanPerPixel * from.centerOfInterest;
  const float dx = static_cast<float>(int64_t{x} - initialMousePos[0]) * scale;
  const float dy = static_cast<float>(int64_t{y} - initialMousePos[1]) * scale;
  const Vec3 w = Normalized(from.viewDirection);
  const Vec3 u = HorizontalAxis(from, w);
  const Vec3 v = Normalized(Cross(w, u));
  currentCamera.eyePoint = from.eyePoint + u * dx + v * dy;
  currentCamera.UpdateModelView();
}

// Circle the eye about the pivot: horizontal movement turns about the world Z axis, vertical
// movement about the horizontal axis. The directions are reversed for a camera that is upside
// down (its up axis points below the horizon), so the model follows the pointer from every side.
void CameraController::Tumble(int32_t x, int32_t y) {
  const cinder::CameraPersp& from = initialCamera;
  float dx = static_cast<float>(int64_t{x} - initialMousePos[0]) * -kTumblePerPixel;
  float dy = static_cast<float>(int64_t{y} - initialMousePos[1]) * kTumblePerPixel;
  if (from.orientation.Rotate({0, 1, 0}).z < 0.0f) {
    dx = -dx;
    dy = -dy;
  }
  const Vec3 pivot = Pivot(from);
  const Vec3 u = HorizontalAxis(from, Normalized(from.viewDirection));
  const Quat aboutU = Quat::FromAxisAngle(u, dy);
  const Quat aboutZ = Quat::FromAxisAngle(kWorldUp, dx);
  currentCamera.eyePoint = pivot + aboutZ.Rotate(aboutU.Rotate(from.eyePoint - pivot));
  currentCamera.UpdateModelView();
  currentCamera.SetOrientation(aboutZ.Multiply(aboutU).Multiply(from.orientation));
}
