#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "view/camera.h"
#include "view/camera_controller.h"

namespace {

void ExpectNear(Vec3 actual, Vec3 expected, float tol) {
  EXPECT_NEAR(actual.x, expected.x, tol);
  EXPECT_NEAR(actual.y, expected.y, tol);
  EXPECT_NEAR(actual.z, expected.z, tol);
}

bool IsFinite(const cinder::Camera& c) {
  for (float f : c.modelViewMatrix.m)
    if (!std::isfinite(f)) return false;
  return std::isfinite(c.eyePoint.x) && std::isfinite(c.eyePoint.y) && std::isfinite(c.eyePoint.z);
}

constexpr float kRoot3 = 1.7320508f;
constexpr uint32_t kNone = 0;
constexpr uint32_t kL = kMouseLeftButton, kM = kMouseMiddleButton, kR = kMouseRightButton;

// A controller reset to the start view (800 x 600) with a gesture anchored at (400, 300).
struct ResetController {
  cinder::CameraPersp scene;
  CameraController controller;
  explicit ResetController(int style = 0) : style(style) {
    controller.ResetView(scene, 800.0 / 600.0);
    Move(kNone, 400, 300);
  }
  void Move(uint32_t flags, int x, int y) { controller.MouseMove(flags, x, y, style, false); }
  // Presses the buttons at the anchor (the first move with them anchors the gesture) and drags.
  void DragTo(uint32_t flags, int x, int y) {
    Move(flags, 400, 300);
    Move(flags, x, y);
  }
  const cinder::CameraPersp& camera() const { return controller.currentCamera; }
  int style;
};

}  // namespace

TEST(Camera, DefaultCameraLooksAtTheOriginWithYUp) {
  const cinder::CameraPersp camera;
  ExpectNear(camera.eyePoint, {28, 21, 28}, 0);
  ExpectNear(camera.viewDirection, Normalized({-28, -21, -28}), 1e-6f);
  EXPECT_FLOAT_EQ(camera.centerOfInterest, 44.822f);
  EXPECT_FLOAT_EQ(camera.fov, 35.0f);
  EXPECT_TRUE(camera.IsPerspective());
  EXPECT_FALSE(camera.inverseModelViewValid);
  EXPECT_GT(camera.upAxis.y, 0.0f);
  EXPECT_NEAR(camera.rightAxis.y, 0.0f, 1e-6f);  // no roll: the right axis stays horizontal
}

TEST(Camera, ResetViewLooksFromTheFrontRightAboveWithZUp) {
  cinder::CameraPersp scene;
  CameraController controller;
  controller.lastAction = DRAG_PAN;
  controller.ResetView(scene, 4.0 / 3.0);
  const cinder::CameraPersp& c = controller.currentCamera;
  ExpectNear(c.eyePoint, {100, -100, 100}, 0);
  ExpectNear(c.viewDirection, Vec3{-1, 1, -1} * (1 / kRoot3), 1e-6f);
  ExpectNear(c.backAxis, Vec3{1, -1, 1} * (1 / kRoot3), 1e-6f);
  ExpectNear(c.rightAxis, Vec3{1, 1, 0} * std::sqrt(0.5f), 1e-6f);
  ExpectNear(c.upAxis, Vec3{-1, 1, 2} * (1 / std::sqrt(6.0f)), 1e-6f);
  EXPECT_NEAR(c.centerOfInterest, 173.20508f, 1e-3f);
  ExpectNear(c.worldUp, {0, 0, 1}, 0);
  // Model-view: the eye goes to the origin, the target to (0, 0, -distance).
  ExpectNear(c.modelViewMatrix.TransformPoint(c.eyePoint), {0, 0, 0}, 1e-4f);
  ExpectNear(c.modelViewMatrix.TransformPoint({0, 0, 0}), {0, 0, -173.20508f}, 1e-3f);
  // Projection for fov 45, aspect 4/3, clips 0.1 and 15000.
  const Mat44& p = c.projectionMatrix;
  EXPECT_NEAR(p.At(0, 0), 1.8106593f, 1e-5f);
  EXPECT_NEAR(p.At(1, 1), 2.4142124f, 1e-5f);
  EXPECT_NEAR(p.At(2, 2), -1.0000133f, 1e-6f);
  EXPECT_NEAR(p.At(2, 3), -0.2000013f, 1e-6f);
  EXPECT_EQ(p.At(3, 2), -1.0f);
  EXPECT_EQ(p.At(3, 3), 0.0f);
  // The current camera is a whole copy of the scene camera; the gesture state is left alone.
  EXPECT_EQ(0, std::memcmp(c.projectionMatrix.m, scene.projectionMatrix.m, sizeof(Mat44)));
  EXPECT_EQ(controller.lastAction, DRAG_PAN);
}

TEST(Camera, MatricesAndTheirInverses) {
  for (double aspect : {1.0, 4.0 / 3.0, 0.25}) {
    cinder::CameraPersp scene;
    CameraController controller;
    controller.ResetView(scene, aspect);
    const cinder::CameraPersp& c = controller.currentCamera;
    const Mat44 pp = c.projectionMatrix.Multiply(c.inverseProjectionMatrix);
    const Mat44 mm = c.modelViewMatrix.Multiply(c.modelViewMatrix.AffineInverse());
    for (int i = 0; i < 16; ++i) {
      EXPECT_NEAR(pp.m[i], Mat44{}.m[i], 1e-4f) << "aspect " << aspect << " element " << i;
      EXPECT_NEAR(mm.m[i], Mat44{}.m[i], 1e-4f) << "aspect " << aspect << " element " << i;
    }
  }
}

// A point along the pick ray through image point (u, v) projects back onto that point of the
// window (v measured upwards, window y downwards).
TEST(Camera, PickRayAndWorldToScreenAgree) {
  struct Window { float w, h; };
  for (Window win : {Window{800, 600}, Window{300, 600}}) {
    cinder::CameraPersp scene;
    CameraController controller;
    controller.ResetView(scene, win.w / win.h);
    const cinder::CameraPersp& c = controller.currentCamera;
    const float uv[][2] = {{0.5f, 0.5f}, {0, 0}, {1, 1}, {0.25f, 0.9f}, {0.8f, 0.1f}};
    for (const auto& [u, v] : uv) {
      const PickRay ray = c.RayThroughPoint(u, v, win.w / win.h);
      ExpectNear(ray.origin, c.eyePoint, 0);
      for (float depth : {1.0f, 150.0f}) {
        const ScreenPoint s = c.WorldToScreen(ray.origin + ray.direction * depth, win.w, win.h);
        EXPECT_NEAR(s.x, u * win.w, 0.05f) << "u " << u << " v " << v << " depth " << depth;
        EXPECT_NEAR(s.y, (1 - v) * win.h, 0.05f) << "u " << u << " v " << v << " depth " << depth;
      }
    }
  }
}

TEST(Camera, RayThroughTheWindowCentreHitsTheCentreOfInterest) {
  ResetController t;
  t.DragTo(kL, 437, 281);  // tumble somewhere first: the rule must hold for any view
  t.Move(kM, 437, 281);    // and pan
  t.Move(kM, 420, 330);
  const cinder::CameraPersp& c = t.camera();
  const PickRay ray = c.RayThroughPoint(0.5f, 0.5f, 800.0f / 600.0f);
  ExpectNear(ray.direction, c.viewDirection, 1e-6f);
  const Vec3 pivot = c.eyePoint + c.viewDirection * c.centerOfInterest;
  ExpectNear(ray.origin + ray.direction * c.centerOfInterest, pivot, 1e-3f);
  const ScreenPoint s = c.WorldToScreen(pivot, 800, 600);
  EXPECT_NEAR(s.x, 400, 1e-2f);
  EXPECT_NEAR(s.y, 300, 1e-2f);
  const Vec3 half{1, 1, 1};
  EXPECT_TRUE(BoundsBox(pivot - half, pivot + half).HitByRay(ray));
  EXPECT_FALSE(BoundsBox(pivot + c.rightAxis * 10 - half, pivot + c.rightAxis * 10 + half).HitByRay(ray));
}

// Each drag from the start view, anchored at (400, 300), against the eye the gesture computes by
// hand: zoom by a factor of e per 500 pixels, pan by 0.001 x distance per pixel along the
// horizontal axis (-1, -1, 0)/sqrt 2 and the view's up (-1, 1, 2)/sqrt 6, tumble by 0.01 radians
// per pixel.
TEST(CameraController, DragsMoveTheEyeAsComputed) {
  enum Kind { kZoom, kPan, kTumble };
  struct Case { const char* what; int style; uint32_t buttons; int x, y; Kind kind; Vec3 eye; };
  const Case cases[] = {
      {"zoom in, right", 0, kR, 400, 800, kZoom, {36.787944f, -36.787944f, 36.787944f}},
      {"zoom in, left+middle", 0, kL | kM, 650, 550, kZoom, {36.787944f, -36.787944f, 36.787944f}},
      {"zoom out, right, style 1", 1, kR, 0, 200, kZoom, {271.82818f, -271.82818f, 271.82818f}},
      {"zoom in, middle+right, style 1", 1, kM | kR, 400, 800, kZoom, {36.787944f, -36.787944f, 36.787944f}},
      {"pan right, middle", 0, kM, 500, 300, kPan, {87.752551f, -112.247449f, 100}},
      {"pan right, left+right, style 1", 1, kL | kR, 500, 300, kPan, {87.752551f, -112.247449f, 100}},
      {"pan down, middle", 0, kM, 400, 400, kPan, {92.928932f, -92.928932f, 114.142136f}},
      {"tumble right", 0, kL, 450, 300, kTumble, {39.815702f, -135.700810f, 100}},
      {"tumble right, left+middle, style 1", 1, kL | kM, 450, 300, kTumble, {39.815702f, -135.700810f, 100}},
      {"tumble down", 0, kL, 400, 350, kTumble, {53.857751f, -53.857751f, 155.559266f}},
  };
  const Vec3 startEye{100, -100, 100};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ResetController t(c.style);
    t.DragTo(c.buttons, c.x, c.y);
    const cinder::CameraPersp& cam = t.camera();
    ExpectNear(cam.eyePoint, c.eye, 2e-3f);
    // Zoom and tumble keep looking at the pivot (the origin); pan carries the pivot with the eye.
    const Vec3 pivot = cam.eyePoint + cam.viewDirection * cam.centerOfInterest;
    ExpectNear(pivot, c.kind == kPan ? c.eye - startEye : Vec3{}, 2e-3f);
    if (c.kind != kZoom) {
      EXPECT_NEAR(cam.centerOfInterest, 173.20508f, 1e-3f);
    }
  }
}

TEST(CameraController, PanKeepsOrientationAndPivotDistance) {
  ResetController t;
  const Quat q = t.camera().orientation;
  t.DragTo(kM, 530, 170);
  EXPECT_TRUE(QuatNearlyEqual(t.camera().orientation, q));
  EXPECT_EQ(t.camera().centerOfInterest, t.controller.initialCamera.centerOfInterest);
  // The eye moved in the view plane only.
  EXPECT_NEAR(Dot(t.camera().eyePoint - Vec3{100, -100, 100}, t.camera().viewDirection), 0, 1e-3f);
}

TEST(CameraController, EachStepStartsFromTheAnchorAndSwitchingButtonsDoesNotJump) {
  ResetController t;
  t.DragTo(kL, 430, 300);
  t.Move(kL, 450, 300);  // the same as one step of 50 pixels from the anchor
  ExpectNear(t.camera().eyePoint, {39.815702f, -135.700810f, 100}, 2e-3f);
  const Vec3 eye = t.camera().eyePoint;
  t.Move(kL | kR, 450, 300);  // now a zoom: re-anchored here, nothing moves
  EXPECT_EQ(t.controller.lastAction, DRAG_ZOOM);
  EXPECT_EQ(t.controller.initialMousePos[0], 450);
  ExpectNear(t.camera().eyePoint, eye, 1e-4f);
  t.Move(kL | kR, 450, 800);  // zoom in from the tumbled view, towards the same pivot
  ExpectNear(t.camera().eyePoint, eye * (1 / 2.7182817f), 2e-3f);
}

TEST(CameraController, ButtonMappingOfBothStyles) {
  struct Case { uint32_t buttons; DragAction style0, style1; };
  const Case cases[] = {
      {kL, DRAG_TUMBLE, DRAG_TUMBLE},          {kM, DRAG_PAN, DRAG_NONE},
      {kR, DRAG_ZOOM, DRAG_ZOOM},              {kL | kM, DRAG_ZOOM, DRAG_TUMBLE},
      {kL | kR, DRAG_ZOOM, DRAG_PAN},          {kL | kM | kR, DRAG_ZOOM, DRAG_PAN},
      {kM | kR, DRAG_ZOOM, DRAG_ZOOM},
      {kNone | 0x4 | 0x8, DRAG_NONE, DRAG_NONE},  // Shift and Control alone are no buttons
  };
  for (const Case& c : cases) {
    for (int style : {0, 1, 2}) {
      ResetController t(style);
      t.Move(c.buttons, 410, 290);
      const DragAction expected = style == 1 ? c.style1 : c.style0;
      EXPECT_EQ(t.controller.lastAction, expected) << "buttons " << c.buttons << " style " << style;
      if (expected == DRAG_NONE) {
        ExpectNear(t.camera().eyePoint, {100, -100, 100}, 0);
        // Style 1 middle-only anchors nothing; a move with no button anchors at once.
        const int anchorX = c.buttons & (kL | kM | kR) ? 400 : 410;
        EXPECT_EQ(t.controller.initialMousePos[0], anchorX);
      }
    }
  }
}

TEST(CameraController, PointerOverTheGuiChangesNothing) {
  ResetController t;
  t.controller.MouseMove(kNone, 10, 20, 0, true);
  EXPECT_EQ(t.controller.initialMousePos[0], 400);
  EXPECT_EQ(t.controller.initialMousePos[1], 300);
  t.controller.MouseMove(kL, 600, 600, 0, true);
  ExpectNear(t.camera().eyePoint, {100, -100, 100}, 0);
  EXPECT_EQ(t.controller.lastAction, DRAG_NONE);
}

TEST(CameraController, ZoomStaysPositiveAndFinite) {
  ResetController t;
  for (int i = 0; i < 40; ++i) {  // forty long drags towards the pivot
    t.DragTo(kR, 400, 300 + 5000);
    t.Move(kNone, 400, 300);
  }
  EXPECT_GT(t.camera().centerOfInterest, 0.0f);
  EXPECT_TRUE(IsFinite(t.camera()));
  t.DragTo(kR, 400, 300 - 5000);  // zooming out again still works
  EXPECT_GT(t.camera().centerOfInterest, t.controller.initialCamera.centerOfInterest);
  for (int i = 0; i < 40; ++i) {  // and forty away from it
    t.DragTo(kR, 400, 300 - 5000);
    t.Move(kNone, 400, 300);
  }
  EXPECT_TRUE(std::isfinite(t.camera().centerOfInterest));
  EXPECT_TRUE(IsFinite(t.camera()));
}

// Looking straight down, (0, 0, 1) x view is zero; pan and tumble fall back on the camera's
// own right axis instead of producing NaN.
TEST(CameraController, VerticalViewPansAndTumblesWithoutNaN) {
  for (float upSign : {1.0f, -1.0f}) {
    CameraController controller;
    controller.currentCamera.SetEyeTarget({0, 0, 100}, {0, 0, 0}, {0, upSign, 0});
    controller.currentCamera.centerOfInterest = 100;
    controller.MouseMove(kM, 400, 300, 0, false);
    // Pan right by 100 pixels moves the eye 10 units to the camera's left, as for any view.
    controller.MouseMove(kM, 500, 300, 0, false);
    ASSERT_TRUE(IsFinite(controller.currentCamera));
    ExpectNear(controller.currentCamera.eyePoint, Vec3{0, 0, 100} - controller.currentCamera.rightAxis * 10, 1e-4f);
    // Tumbling keeps the eye on the sphere about the pivot and the view on the pivot.
    controller.MouseMove(kNone, 400, 300, 0, false);
    controller.MouseMove(kL, 400, 300, 0, false);
    controller.MouseMove(kL, 470, 360, 0, false);
    const cinder::CameraPersp& c = controller.currentCamera;
    ASSERT_TRUE(IsFinite(c));
    const Vec3 pivot{-controller.initialCamera.rightAxis.x * 10, -controller.initialCamera.rightAxis.y * 10, 0};
    EXPECT_NEAR(Length(c.eyePoint - pivot), 100, 1e-3f);
    ExpectNear(c.eyePoint + c.viewDirection * 100, pivot, 1e-3f);
  }
}

// Tumbling right turns the eye the same way about Z from either side of the XZ plane; only an
// upside-down camera (tumbled over the top) reverses, so the model follows the pointer.
TEST(CameraController, TumbleDirectionDoesNotDependOnTheSideOfTheModel) {
  struct Case { Vec3 eye; Vec3 up; float turn; };
  const Case cases[] = {
      {{100, -100, 100}, {0, 0, 1}, -0.5f},  // the start view, on the -Y side
      {{-100, 100, 100}, {0, 0, 1}, -0.5f},  // the opposite side
      {{100, 100, 50}, {0, 0, 1}, -0.5f},
      {{100, -100, 100}, {0, 0, -1}, 0.5f},  // upside down
  };
  for (const Case& c : cases) {
    CameraController controller;
    controller.currentCamera.SetEyeTarget(c.eye, {0, 0, 0}, c.up);
    controller.currentCamera.centerOfInterest = Length(c.eye);
    controller.MouseMove(kL, 400, 300, 0, false);
    controller.MouseMove(kL, 450, 300, 0, false);
    const Vec3 e = controller.currentCamera.eyePoint;
    const float turned = std::atan2(e.y, e.x) - std::atan2(c.eye.y, c.eye.x);
    EXPECT_NEAR(std::remainder(turned, 2 * 3.14159265f), c.turn, 1e-4f)
        << "eye " << c.eye.x << "," << c.eye.y << "," << c.eye.z << " up z " << c.up.z;
    EXPECT_NEAR(e.z, c.eye.z, 1e-3f);
  }
}
