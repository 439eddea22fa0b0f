#pragma once
// CameraController: turns mouse drags into camera moves (tumble about the world Z axis, pan,
// dolly towards the centre of interest) and resets the view.
//
// A gesture is anchored by a mouse move with no button down and by every change of action; each
// drag step is computed from the camera snapshot taken at the anchor, never from the previous
// step, so switching buttons mid-drag never makes the view jump. Two button layouts exist,
// chosen by the mouse_style setting: 0 "Maya Style" (left tumble, middle pan, right or
// left+middle zoom) and 1 "Asset Viewer" (left tumble, right zoom, left+right pan); any other
// stored value acts as 0.
//
// Threads: main thread only.
#include <cstdint>

#include "view/camera.h"

// Button bits of a mouse-move's key state, as the platform layer reports them.
inline constexpr uint32_t kMouseLeftButton = 0x0001;
inline constexpr uint32_t kMouseRightButton = 0x0002;
inline constexpr uint32_t kMouseMiddleButton = 0x0010;

enum DragAction : int32_t { DRAG_NONE = 0, DRAG_ZOOM = 1, DRAG_PAN = 2, DRAG_TUMBLE = 3 };

class CameraController {
 public:
  // Both cameras at the default camera; no gesture anchored.
  CameraController();

  // Resets the view for a window of the given aspect ratio (width / height): sceneCamera gets
  // fov 45, clips 0.1 and 15000, the eye (100, -100, 100) looking at the origin with +Z up and
  // centre of interest 173.205; currentCamera becomes a copy of it. The anchor is left alone:
  // the next move without a button re-anchors.
  void ResetView(cinder::CameraPersp& sceneCamera, double aspect);

  // One mouse move over the 3D view, with the move's key-state flags (kMouse*Button bits; no
  // other bit is read) and the pointer's window position. Does nothing while pointerOverGui.
  // With no button down it anchors the gesture; otherwise it maps the buttons by mouseStyle and
  // runs Drag.
  void MouseMove(uint32_t flags, int32_t x, int32_t y, int32_t mouseStyle, bool pointerOverGui);

  // One drag step at (x, y) with the given drag buttons: right, or left with middle, zooms;
  // middle pans; left tumbles; none does nothing. A change of action re-anchors first.
  void Drag(int32_t x, int32_t y, bool left, bool middle, bool right);

  int32_t initialMousePos[2] = {0, 0};  // where the current gesture was anchored
  cinder::CameraPersp currentCamera;    // the camera the view draws and picks with
  cinder::CameraPersp initialCamera;    // snapshot of currentCamera at the anchor
  int32_t lastAction = DRAG_NONE;

 private:
  void Zoom(int32_t x, int32_t y);
  void Pan(int32_t x, int32_t y);
  void Tumble(int32_t x, int32_t y);
};
