#include "view/camera.h"

#include <cmath>

namespace cinder {

void Camera::SetEyeTarget(Vec3 eye, Vec3 target, Vec3 up) {
  eyePoint = eye;
  worldUp = Normalized(up);
  viewDirection = Normalized(target - eye);
  orientation = Quat::FromMatrix(Mat44::AlignZAxis(-viewDirection, worldUp)).Normalized();
  UpdateModelView();
}

void Camera::SetOrientation(const Quat& q) {
  orientation = q.Normalized();
  viewDirection = orientation.Rotate({0, 0, -1});
  UpdateModelView();
}

void Camera::UpdateModelView() {
  backAxis = Normalized(-viewDirection);
  rightAxis = orientation.Rotate({1, 0, 0});
  upAxis = orientation.Rotate({0, 1, 0});
  const Vec3 rows[3] = {rightAxis, upAxis, backAxis};
  Mat44& m = modelViewMatrix;
  m = Mat44::Identity();
  for (int r = 0; r < 3; ++r) {
    m.At(r, 0) = rows[r].x;
    m.At(r, 1) = rows[r].y;
    m.At(r, 2) = rows[r].z;
    m.At(r, 3) = -Dot(rows[r], eyePoint);
  }
  inverseModelViewValid = false;
}

ScreenPoint Camera::WorldToScreen(Vec3 p, float width, float height) const {
  const Vec3 n = projectionMatrix.TransformPoint(modelViewMatrix.TransformPoint(p));
  return {(n.x + 1.0f) * 0.5f * width, (1.0f - 0.5f * (n.y + 1.0f)) * height};
}

CameraPersp::CameraPersp() {
  SetEyeTarget({28, 21, 28}, {0, 0, 0}, {0, 1, 0});
  centerOfInterest = 44.822f;
  fov = 35.0f;
  aspectRatio = 1.0f;
  nearClip = 0.1f;
  farClip = 1000.0f;
  UpdateProjection();
}

void CameraPersp::UpdateProjection() {
  frustumTop = nearClip * std::tan(fov * 0.0174533f * 0.5f);
  frustumBottom = -frustumTop;
  frustumRight = frustumTop * aspectRatio;
  frustumLeft = -frustumRight;

  const float l = frustumLeft, r = frustumRight, b = frustumBottom, t = frustumTop;
  const float n = nearClip, f = farClip;
  Mat44& p = projectionMatrix;
  p = Mat44{};
  p.At(0, 0) = 2 * n / (r - l);
  p.At(0, 2) = (r + l) / (r - l);
  p.At(1, 1) = 2 * n / (t - b);
  p.At(1, 2) = (t + b) / (t - b);
  p.At(2, 2) = -(f + n) / (f - n);
  p.At(2, 3) = -2 * f * n / (f - n);
  p.At(3, 2) = -1;
  p.At(3, 3) = 0;

  Mat44& q = inverseProjectionMatrix;
  q = Mat44{};
  q.At(0, 0) = (r - l) / (2 * n);
  q.At(0, 3) = (r + l) / (2 * n);
  q.At(1, 1) = (t - b) / (2 * n);
  q.At(1, 3) = (t + b) / (2 * n);
  q.At(2, 2) = 0;
  q.At(2, 3) = -1;
  q.At(3, 2) = -(f - n) / (2 * f * n);
  q.At(3, 3) = (f + n) / (2 * f * n);
}

PickRay CameraPersp::RayThroughPoint(float u, float v, float imageAspect) const {
  const float s = (u - 0.5f) * imageAspect;
  const float t = v - 0.5f;
  const float d = imageAspect / std::fabs(frustumRight - frustumLeft) * nearClip;
  PickRay ray;
  ray.origin = eyePoint;
  ray.SetDirection(Normalized(rightAxis * s + upAxis * t - backAxis * d));
  return ray;
}

}  // namespace cinder
