#include "looking_camera.h"

cinder::CameraPersp CameraLookingAtOrigin(Vec3 eye) {
  cinder::CameraPersp camera;
  camera.aspectRatio = 1;
  camera.nearClip = 0.1f;
  camera.farClip = 100;
  camera.UpdateProjection();
  camera.SetEyeTarget(eye, {0, 0, 0}, {0, 1, 0});
  return camera;
}
