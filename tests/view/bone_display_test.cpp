// The bone display: the joint tree built from bone lists (checked against an independent
// composition of 4x4 matrices), searching and marking, picking with its highlights and labels,
// and one drawing on the offscreen canvas.
#include "view/bone_display.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>

#include "support/gl_canvas.h"
#include "looking_camera.h"
#include "support/log_capture.h"
#include "model/xmodel.h"
#include "support/synthetic_model.h"
#include "view/gl_draw.h"
#include "view/matrix.h"

namespace {

XmodelBone MakeBone(const std::string& name, uint8_t parent, Vec3 offset = {}, Quaternion rotation = {}) {
  XmodelBone bone;
  bone.name = name;
  bone.parent = parent;
  bone.offset[0] = offset.x;
  bone.offset[1] = offset.y;
  bone.offset[2] = offset.z;
  bone.rotation = rotation;
  return bone;
}

Quaternion AxisAngle(double x, double y, double z, double degrees) {
  const double n = std::sqrt(x * x + y * y + z * z);
  const double h = degrees * 3.14159265358979 / 360.0;
  return {x / n * std::sin(h), y / n * std::sin(h), z / n * std::sin(h), std::cos(h)};
}

// The rigid transform of a bone relative to its parent: translation by offset after rotation by
// the (normalised) quaternion, built from the textbook rotation matrix.
Mat44 LocalMatrix(const XmodelBone& bone) {
  const Quaternion& r = bone.rotation;
  const double n = std::sqrt(r.x * r.x + r.y * r.y + r.z * r.z + r.w * r.w);
  const double x = r.x / n, y = r.y / n, z = r.z / n, w = r.w / n;
  const double rows[3][3] = {{1 - 2 * (y * y + z * z), 2 * (x * y - z * w), 2 * (x * z + y * w)},
                             {2 * (x * y + z * w), 1 - 2 * (x * x + z * z), 2 * (y * z - x * w)},
                             {2 * (x * z - y * w), 2 * (y * z + x * w), 1 - 2 * (x * x + y * y)}};
  Mat44 m;
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) m.At(row, col) = static_cast<float>(rows[row][col]);
    m.At(row, 3) = bone.offset[row];
  }
  return m;
}

// Every bone's joint position by composing the matrices of its parent chain (parents first in
// the list, as the game files have them).
std::vector<Vec3> ComposedPositions(const std::vector<XmodelBone>& bones) {
  std::vector<Mat44> world(bones.size());
  std::vector<Vec3> positions;
  for (size_t i = 0; i < bones.size(); ++i) {
    const Mat44 local = LocalMatrix(bones[i]);
    world[i] = bones[i].parent == 255 ? local : world[bones[i].parent].Multiply(local);
    positions.push_back({world[i].At(0, 3), world[i].At(1, 3), world[i].At(2, 3)});
  }
  return positions;
}

void ExpectPositionsMatch(const BoneDisplay& display, const std::vector<XmodelBone>& bones, float tolerance) {
  const std::vector<Vec3> expected = ComposedPositions(bones);
  for (size_t i = 0; i < bones.size(); ++i) {
    const BoneDisplayNode* node = display.FindByIndex(static_cast<int32_t>(i));
    ASSERT_NE(node, nullptr) << bones[i].name;
    EXPECT_NEAR(node->worldPosition.x, expected[i].x, tolerance) << bones[i].name;
    EXPECT_NEAR(node->worldPosition.y, expected[i].y, tolerance) << bones[i].name;
    EXPECT_NEAR(node->worldPosition.z, expected[i].z, tolerance) << bones[i].name;
  }
}

// Bone index -> index of the parent joint (-1 for the root), for every joint placed.
std::map<int32_t, int32_t> ParentTable(const BoneDisplay& display) {
  std::map<int32_t, int32_t> table;
  std::vector<const BoneDisplayNode*> stack{display.root.get()};
  while (!stack.empty()) {
    const BoneDisplayNode* node = stack.back();
    stack.pop_back();
    for (const auto& child : node->children) {
      table[child->boneIndex] = node->boneIndex;
      stack.push_back(child.get());
    }
  }
  return table;
}

TEST(BoneDisplayBuild, WorldPositionsMatchComposedMatrices) {
  // A rotated root at the origin and a rotated child at its parent's position: their children
  // must be turned by the rotation even though the parent sits at the origin.
  const std::vector<XmodelBone> bones = {
      MakeBone("tag_origin", 255, {0, 0, 0}, AxisAngle(0, 0, 1, 90)),
      MakeBone("j_spine", 0, {2, 0, 0}, AxisAngle(1, 0, 0, 90)),
      MakeBone("j_neck", 1, {0, 3, 0}, AxisAngle(0, 1, 0, 45)),
      MakeBone("j_head", 2, {1, 1, 1}),
      MakeBone("j_pivot", 0, {0, 0, 0}, AxisAngle(1, 1, 0, 120)),
      MakeBone("j_tip", 4, {4, 0, 0}),
      // A packed rotation can be slightly longer than 1; it must still act as a pure rotation.
      MakeBone("j_long", 1, {0, 0, 2}, {0.0, 0.75, 0.0, 0.7}),
      MakeBone("j_after_long", 6, {2, 0, 0}),
      MakeBone("tag_second_root", 255, {5, 5, 5})};
  BoneDisplay display;
  display.Build(bones);
  EXPECT_EQ(display.nodeCount, static_cast<int32_t>(bones.size()));
  ExpectPositionsMatch(display, bones, 1e-4f);
  // The children of the rotated root at the origin really are turned: (2, 0, 0) becomes (0, 2, 0).
  EXPECT_NEAR(display.FindByName("j_spine")->worldPosition.y, 2.0f, 1e-5f);
}

TEST(BoneDisplayBuild, RandomSkeletonsMatchComposedMatrices) {
  std::mt19937 random(7);
  std::uniform_real_distribution<double> unit(-1.0, 1.0);
  std::uniform_real_distribution<float> offset(-10.0f, 10.0f);
  for (int skeleton = 0; skeleton < 5; ++skeleton) {
    std::vector<XmodelBone> bones = {MakeBone("root", 255, {}, AxisAngle(unit(random), unit(random), 1, 70))};
    for (int i = 1; i < 60; ++i) {
      std::uniform_int_distribution<int> parent(0, i - 1);
      const Vec3 at = i % 7 == 0 ? Vec3{} : Vec3{offset(random), offset(random), offset(random)};
      bones.push_back(MakeBone("j" + std::to_string(i), static_cast<uint8_t>(parent(random)), at,
                               AxisAngle(unit(random), unit(random), unit(random), 360 * unit(random))));
    }
    BoneDisplay display;
    display.Build(bones);
    EXPECT_EQ(display.nodeCount, 60);
    ExpectPositionsMatch(display, bones, 2e-3f);
  }
}

TEST(BoneDisplayBuild, PlacesWhatItCanAndLeavesOutOnlyUnreachableBones) {
  struct Case {
    const char* what;
    std::vector<XmodelBone> bones;
    std::map<int32_t, int32_t> parents;  // bone -> parent joint (-1: the root)
  };
  const Case cases[] = {
      {"parents first",
       {MakeBone("a", 255), MakeBone("b", 0), MakeBone("c", 1), MakeBone("d", 0)},
       {{0, -1}, {1, 0}, {2, 1}, {3, 0}}},
      {"child listed before its parent",
       {MakeBone("a", 255), MakeBone("c", 2), MakeBone("b", 0), MakeBone("d", 1)},
       {{0, -1}, {2, 0}, {1, 2}, {3, 1}}},
      {"parent loop and a bone that is its own parent are left out, later bones are kept",
       {MakeBone("a", 255), MakeBone("x", 2), MakeBone("y", 1), MakeBone("self", 3), MakeBone("b", 0),
        MakeBone("c", 4)},
       {{0, -1}, {4, 0}, {5, 4}}},
      {"no bones", {}, {}},
  };
  for (const Case& c : cases) {
    BoneDisplay display;
    display.Build(c.bones);
    ASSERT_NE(display.root, nullptr) << c.what;
    EXPECT_EQ(display.root->name, "MaterJoint") << c.what;
    EXPECT_EQ(display.root->boneIndex, BoneDisplayNode::kRootIndex) << c.what;
    EXPECT_EQ(ParentTable(display), c.parents) << c.what;
    EXPECT_EQ(display.nodeCount, static_cast<int32_t>(c.parents.size())) << c.what;
  }
}

TEST(BoneDisplayBuild, FortyFirstChildIsLeftOutWithItsSubtreeAndAMessage) {
  std::vector<XmodelBone> bones = {MakeBone("hub", 255)};
  for (int i = 1; i <= 41; ++i) bones.push_back(MakeBone("spoke" + std::to_string(i), 0));
  bones.push_back(MakeBone("under_spoke41", 41));     // child of the dropped joint
  bones.push_back(MakeBone("under_spoke40", 40));     // child of the last joint that fits
  bones.push_back(MakeBone("second_root", 255));
  LogCapture log;
  BoneDisplay display;
  display.Build(bones);
  EXPECT_EQ(log.Count("BoneDisplay: Max Child Joints Exceeded"), 1);
  EXPECT_EQ(display.FindByIndex(0)->children.size(), 40u);
  EXPECT_EQ(display.FindByName("spoke41"), nullptr);
  EXPECT_EQ(display.FindByName("under_spoke41"), nullptr);
  ASSERT_NE(display.FindByName("under_spoke40"), nullptr);
  EXPECT_EQ(display.FindByName("under_spoke40")->parent->name, "spoke40");
  EXPECT_NE(display.FindByName("second_root"), nullptr);
  EXPECT_EQ(display.nodeCount, static_cast<int32_t>(bones.size()) - 2);
}

TEST(BoneDisplayBuild, MoreThan255BonesKeepTheirOwnIndices) {
  std::vector<XmodelBone> bones = {MakeBone("b0", 255)};
  for (int i = 1; i < 255; ++i) bones.push_back(MakeBone("b" + std::to_string(i), static_cast<uint8_t>(i - 1)));
  for (int i = 255; i < 300; ++i) bones.push_back(MakeBone("b" + std::to_string(i), static_cast<uint8_t>(i - 200)));
  BoneDisplay display;
  display.Build(bones);
  EXPECT_EQ(display.nodeCount, 300);
  EXPECT_EQ(display.FindByIndex(BoneDisplayNode::kRootIndex), display.root.get());
  ASSERT_NE(display.FindByIndex(255), nullptr);
  EXPECT_EQ(display.FindByIndex(255)->name, "b255");
  EXPECT_EQ(display.FindByIndex(255)->parent->name, "b55");
}

TEST(BoneDisplayBuild, RebuildReplacesTheTree) {
  BoneDisplay display;
  display.Build({MakeBone("old_a", 255), MakeBone("old_b", 0)});
  display.Build({MakeBone("new", 255)});
  EXPECT_EQ(display.nodeCount, 1);
  EXPECT_EQ(display.FindByName("old_b"), nullptr);
  EXPECT_NE(display.FindByName("new"), nullptr);
  display.Clear();
  EXPECT_EQ(display.root, nullptr);
  EXPECT_EQ(display.nodeCount, 0);
  EXPECT_EQ(display.FindByName("new"), nullptr);
}

TEST(BoneDisplayBuild, RealCharacterPlacesEveryBone) {
  MaterialList materials;
  Xmodel model(materials);
  ASSERT_EQ(testmodels::LoadRealModel(model, testmodels::kSkinnedCharacter), ResultCode::Success);
  const std::vector<XmodelBone>& bones = model.info.bones;
  ASSERT_EQ(bones.size(), 98u);
  BoneDisplay display;
  display.Build(bones);
  EXPECT_EQ(display.nodeCount, 98);
  ExpectPositionsMatch(display, bones, 1e-3f);
}

TEST(BoneDisplaySearch, FindsWholeNamesInPreOrderAndMarksThem) {
  const std::string longName = "j_a_bone_name_of_forty_characters_long_x";
  ASSERT_EQ(longName.size(), 40u);
  BoneDisplay display;
  EXPECT_EQ(display.FindByName("MaterJoint"), nullptr);  // no tree yet
  EXPECT_FALSE(display.Mark("anything"));
  display.Build({MakeBone("top", 255), MakeBone(longName, 0), MakeBone("twin", 0), MakeBone("twin", 1)});
  EXPECT_EQ(display.FindByName("MaterJoint"), display.root.get());
  ASSERT_NE(display.FindByName(longName), nullptr);
  EXPECT_EQ(display.FindByName(longName)->boneIndex, 1);
  EXPECT_EQ(display.FindByName(longName.substr(0, 29)), nullptr);
  EXPECT_EQ(display.FindByName("twin")->boneIndex, 3);  // pre-order: under the long one first
  EXPECT_TRUE(display.Mark(longName));
  EXPECT_EQ(display.FindByName(longName)->mark, BoneDisplayNode::kMarked);
  EXPECT_FALSE(display.Mark("missing"));
}

TEST(BoneDisplayLine, StopsHalfAUnitShortOfBothJointsAndSkipsCoincidentJoints) {
  BoneDisplay display;
  display.Build({MakeBone("a", 255, {0, 0, 4}), MakeBone("b", 0, {0, 3, 0}), MakeBone("on_b", 1)});
  Vec3 from{-9, -9, -9}, to{-9, -9, -9};
  ASSERT_TRUE(BoneDisplay::ConnectingLine(*display.FindByName("b"), from, to));
  EXPECT_TRUE(Vec3NearlyEqual(from, {0, 2.5f, 4}));
  EXPECT_TRUE(Vec3NearlyEqual(to, {0, 0.5f, 4}));
  ASSERT_TRUE(BoneDisplay::ConnectingLine(*display.FindByName("a"), from, to));  // to the root
  EXPECT_TRUE(Vec3NearlyEqual(to, {0, 0, 0.5f}));
  EXPECT_FALSE(BoneDisplay::ConnectingLine(*display.FindByName("on_b"), from, to));
  EXPECT_FALSE(BoneDisplay::ConnectingLine(*display.root, from, to));
}

// Picking and labels, without GL: a 64 x 64 view from (0, 0, 60) onto the XY plane.
class BonePick : public ::testing::Test {
 protected:
  static constexpr float kSize = 64.0f;

  void SetUp() override { BoneDisplay::labels.clear(); }
  void TearDown() override { BoneDisplay::labels.clear(); }

  // The ray the scene pass would cast with the pointer over world point p.
  PickRay RayThrough(Vec3 p) const {
    const ScreenPoint s = camera_.WorldToScreen(p, kSize, kSize);
    return camera_.RayThroughPoint(s.x / kSize, (kSize - s.y) / kSize, 1.0f);
  }

  void Pick(const PickRay& ray, bool overGui = false) {
    display_.PickTree(BoneFrame{ray, camera_, kSize, kSize, overGui, guiLabels_});
  }

  // Chain a -> b -> c -> e, and d beside b under a.
  void BuildChain() {
    display_.Build({MakeBone("a", 255, {0, -10, 0}), MakeBone("b", 0, {10, 0, 0}), MakeBone("c", 1, {0, 10, 0}),
                    MakeBone("d", 0, {-10, 0, 0}), MakeBone("e", 2, {0, 8, 0})});
  }

  std::string Selected() const {
    std::string names;
    for (const char* name : {"a", "b", "c", "d", "e"}) {
      if (display_.FindByName(name)->selected == 1) names += name;
    }
    return names;
  }

  cinder::CameraPersp camera_ = CameraLookingAtOrigin({0, 0, 60});
  BoneDisplay display_;
  std::vector<ScreenLabel> guiLabels_;
};

TEST_F(BonePick, HoveredJointHighlightsItsChainAndQueuesOneLabel) {
  BuildChain();
  const Vec3 c = display_.FindByName("c")->worldPosition;
  Pick(RayThrough(c));
  EXPECT_TRUE(display_.hovered);
  EXPECT_TRUE(display_.FindByName("c")->hover);
  EXPECT_FALSE(display_.FindByName("b")->hover);
  EXPECT_EQ(Selected(), "abc");
  ASSERT_EQ(guiLabels_.size(), 1u);
  const ScreenPoint s = camera_.WorldToScreen(c, kSize, kSize);
  EXPECT_EQ(guiLabels_[0].text, "c");
  EXPECT_FLOAT_EQ(guiLabels_[0].x, s.x);
  EXPECT_FLOAT_EQ(guiLabels_[0].y, s.y - 15.0f);
  EXPECT_EQ(BoneDisplay::labels.size(), 1u);
}

TEST_F(BonePick, RayThroughEmptySpaceHoversNothing) {
  BuildChain();
  Pick(RayThrough(display_.FindByName("c")->worldPosition));  // a frame with a hover first
  guiLabels_.clear();
  BoneDisplay::labels.clear();
  Pick(RayThrough({-10, 10, 0}));
  EXPECT_FALSE(display_.hovered);
  EXPECT_EQ(Selected(), "");
  EXPECT_TRUE(guiLabels_.empty());
}

TEST_F(BonePick, OverTheGuiOnlyTheMarkedJointAndItsChainAreSelected) {
  BuildChain();
  ASSERT_TRUE(display_.Mark("c"));
  Pick(RayThrough(display_.FindByName("d")->worldPosition), /*overGui=*/true);  // no hover over the GUI
  EXPECT_FALSE(display_.hovered);
  EXPECT_EQ(Selected(), "abc");
  ASSERT_EQ(guiLabels_.size(), 1u);
  EXPECT_EQ(guiLabels_[0].text, "c");
  EXPECT_EQ(display_.FindByName("c")->mark, 0);  // a mark lasts one pick pass
  guiLabels_.clear();
  Pick(RayThrough({-10, 10, 0}), true);
  EXPECT_EQ(Selected(), "");
  EXPECT_TRUE(guiLabels_.empty());
}

TEST_F(BonePick, JointsOnOneScreenSpotStackTheirLabelsUpwards) {
  // Three joints on the camera's line of sight project to the same pixel.
  display_.Build({MakeBone("near", 255, {0, 0, 20}), MakeBone("middle", 255, {0, 0, 10}), MakeBone("far", 255, {})});
  Pick(RayThrough({0, 0, 0}));
  ASSERT_EQ(guiLabels_.size(), 3u);
  const ScreenPoint s = camera_.WorldToScreen({0, 0, 0}, kSize, kSize);
  const char* names[] = {"near", "middle", "far"};
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(guiLabels_[i].text, names[i]);
    EXPECT_FLOAT_EQ(guiLabels_[i].x, s.x);
    EXPECT_FLOAT_EQ(guiLabels_[i].y, s.y - 15.0f - 18.0f * i);
  }
}

TEST_F(BonePick, LabelShowsTwentyNineCharactersAndNoneForAJointBehindTheCamera) {
  const std::string longName = "j_a_bone_name_of_forty_characters_long_x";
  display_.Build({MakeBone(longName, 255, {5, 0, 0}), MakeBone("behind", 255, {0, 0, 80})});
  display_.Mark(longName);
  display_.Mark("behind");
  Pick(RayThrough({0, 0, 0}), /*overGui=*/true);
  EXPECT_EQ(display_.FindByName("behind")->selected, 1);
  ASSERT_EQ(guiLabels_.size(), 1u);
  EXPECT_EQ(guiLabels_[0].text, longName.substr(0, 29));
}

// Drawing: the canvas seen from (0, 0, 40); a joint's circles are a few pixels across.
class BoneDraw : public BonePick {
 protected:
  void SetUp() override {
    BonePick::SetUp();
    canvas_ = GlCanvas::Shared();
    ASSERT_TRUE(canvas_->IsOpen()) << canvas_->Error();
    canvas_->Clear(0, 0, 0);
    camera_ = CameraLookingAtOrigin({0, 0, 40});
    GlSetCameraMatrices(camera_);
  }

  void Draw(const PickRay& ray) { display_.Draw(BoneFrame{ray, camera_, kSize, kSize, false, guiLabels_}); }

  ScreenPoint Screen(Vec3 p) const { return camera_.WorldToScreen(p, kSize, kSize); }

  // True when a pixel within one of the one under world point p has the hue of c.
  bool HueNear(Vec3 p, bool red) const {
    const ScreenPoint s = Screen(p);
    for (int dy = -1; dy <= 1; ++dy) {
      for (int dx = -1; dx <= 1; ++dx) {
        const Rgb c = canvas_->PixelBelowTop(s.x + dx, s.y + dy);
        if (c.b == 0 && (red ? c.r > 100 && c.g == 0 : c.g > 100 && c.r == 0)) return true;
      }
    }
    return false;
  }

  GlCanvas* canvas_ = nullptr;
};

// Distance of point (x, y) from the segment from a to b, in pixels.
float SegmentDistance(float x, float y, ScreenPoint a, ScreenPoint b) {
  const float dx = b.x - a.x, dy = b.y - a.y;
  const float lengthSquared = dx * dx + dy * dy;
  float t = lengthSquared > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / lengthSquared : 0.0f;
  t = std::fmax(0.0f, std::fmin(1.0f, t));
  return std::hypot(x - (a.x + t * dx), y - (a.y + t * dy));
}

TEST_F(BoneDraw, JointsAndLinesAppearWhereTheSkeletonProjectsAndNowhereElse) {
  // "a" sits on the root's position, so it has no line of its own.
  display_.Build({MakeBone("a", 255), MakeBone("b", 0, {8, 0, 0}), MakeBone("c", 1, {0, 8, 0}),
                  MakeBone("d", 0, {-7, -7, 0})});
  const Vec3 a{0, 0, 0}, b{8, 0, 0}, c{8, 8, 0}, d{-7, -7, 0};
  Draw(RayThrough({-8, 8, 0}));  // the pointer over nothing
  for (Vec3 joint : {a, b, c, d}) EXPECT_TRUE(HueNear(joint, /*red=*/false)) << joint.x << " " << joint.y;
  EXPECT_TRUE(HueNear({4, 0, 0}, true));
  EXPECT_TRUE(HueNear({8, 4, 0}, true));
  EXPECT_TRUE(HueNear({-3.5f, -3.5f, 0}, true));
  const std::pair<Vec3, Vec3> bones[] = {{a, b}, {b, c}, {a, d}};
  int lit = 0;
  for (int y = 0; y < GlCanvas::kSize; ++y) {
    for (int x = 0; x < GlCanvas::kSize; ++x) {
      const Rgb pixel = canvas_->Pixel(x, y);
      if (pixel == Rgb{}) continue;
      ++lit;
      EXPECT_EQ(pixel.b, 0) << x << "," << y;
      EXPECT_TRUE(pixel.r == 0 || pixel.g == 0) << x << "," << y;
      const float sx = x + 0.5f, sy = GlCanvas::kSize - y - 0.5f;  // window position, y down
      float nearest = 1e9f;
      for (const auto& [from, to] : bones) nearest = std::fmin(nearest, SegmentDistance(sx, sy, Screen(from), Screen(to)));
      EXPECT_LT(nearest, 3.0f) << x << "," << y;
    }
  }
  EXPECT_GT(lit, 20);
  EXPECT_TRUE(guiLabels_.empty());
  EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
  EXPECT_FALSE(glIsEnabled(GL_VERTEX_ARRAY));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(BoneDraw, HoveredChainTurnsGreenAndItsJointRed) {
  display_.Build({MakeBone("a", 255), MakeBone("b", 0, {8, 0, 0}), MakeBone("c", 1, {0, 8, 0}),
                  MakeBone("d", 0, {-7, -7, 0})});
  Draw(RayThrough({8, 8, 0}));
  EXPECT_TRUE(HueNear({8, 8, 0}, /*red=*/true));     // the hovered joint
  EXPECT_TRUE(HueNear({8, 4, 0}, false));            // its line and the one above it
  EXPECT_TRUE(HueNear({4, 0, 0}, false));
  EXPECT_TRUE(HueNear({-3.5f, -3.5f, 0}, true));     // the other branch stays red
  EXPECT_TRUE(HueNear({-7, -7, 0}, false));
  ASSERT_EQ(guiLabels_.size(), 1u);
  EXPECT_EQ(guiLabels_[0].text, "c");
  EXPECT_TRUE(BoneDisplay::labels.empty());  // emptied at the end of the frame
}

TEST_F(BoneDraw, SingleBoneModelDrawsNothing) {
  display_.Build({MakeBone("tag_origin", 255, {3, 3, 0})});
  EXPECT_EQ(display_.nodeCount, 1);
  Draw(RayThrough({3, 3, 0}));
  for (int y = 0; y < GlCanvas::kSize; ++y) {
    for (int x = 0; x < GlCanvas::kSize; ++x) ASSERT_EQ(canvas_->Pixel(x, y), Rgb{}) << x << "," << y;
  }
  EXPECT_TRUE(guiLabels_.empty());
  EXPECT_FALSE(display_.hovered);
}

}  // namespace
