#pragma once
// BoneDisplay: the loaded model's skeleton in the 3D view. Every joint is drawn as three small
// circles with a line to its parent; the joint under the mouse pointer (or the one marked from the
// tags tree) is highlighted together with its chain of ancestors, and its name is queued as a
// screen label beside it.
//
// The display keeps its own tree of joints under a root "MaterJoint" (never drawn), rebuilt from
// the model's bones after each load. Picking, selection and labels are computed without OpenGL
// (PickTree), so they can be tested on their own; Draw adds the GL drawing.
//
//   BoneDisplayNode   one joint: name, bone index, local and world pose, per-frame flags, children
//   BoneFrame         what a frame gives the display: pick ray, camera, client size, GUI state
//   BoneDisplay       Build, FindByIndex, FindByName, Mark, Draw, PickTree, DrawJointCircle
//
// Threads: Build runs on the job thread while it holds the frame mutex; Draw, FindByName and Mark
// run on the main thread inside frames, under the same mutex. So the tree is never walked while
// it is rebuilt, and the display needs no lock or atomic of its own.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/xmodel_records.h"
#include "view/bounds_box.h"
#include "view/camera.h"
#include "view/quat.h"
#include "view/screen_label.h"
#include "view/vec3.h"

struct BoneDisplayNode {
  static constexpr int32_t kRootIndex = -1;  // boneIndex of the root; no bone has it
  static constexpr int kMaxChildren = 40;    // children one joint can hold
  static constexpr uint8_t kMarked = 3;      // value of `mark` while the tags tree marks a joint

  std::string name;                   // the bone's whole name
  int32_t boneIndex = kRootIndex;     // index in the model's bone list
  Vec3 localOffset;                   // offset from the parent joint
  Vec3 worldPosition;                 // position in the model
  Quat localRotation;                 // rotation relative to the parent
  Quat worldRotation;                 // accumulated rotation (not normalised)
  bool hover = false;                 // the pick box is under the pointer this frame
  int32_t selected = 0;               // 1: this joint or a descendant is hovered or marked
  uint8_t mark = 0;                   // kMarked until the next pick pass
  BoneDisplayNode* parent = nullptr;  // none for the root
  std::vector<std::unique_ptr<BoneDisplayNode>> children;  // in order of adding
};

// What one frame gives the display. The references must outlive the Draw call.
struct BoneFrame {
  const PickRay& ray;                     // ray from the eye through the mouse pointer
  const cinder::Camera& camera;           // the camera the frame draws with
  float width;                            // client size in pixels
  float height;
  bool mouseOverGui;                      // pointer over a GUI menu or item: no hover picking
  std::vector<ScreenLabel>& guiLabels;    // the GUI's queue of screen labels, appended to
};

class BoneDisplay {
 public:
  // The labels placed in the current frame, kept to keep labels apart; emptied at the end of
  // every Draw.
  static std::vector<ScreenLabel> labels;
  // Characters of a name that a label shows.
  static constexpr size_t kLabelLength = 29;
  // Half the size of the box around a joint that the pick ray must hit.
  static constexpr float kPickHalfSize = 1.5f;

  BoneDisplay() = default;
  BoneDisplay(const BoneDisplay&) = delete;
  BoneDisplay& operator=(const BoneDisplay&) = delete;

  // Replaces the tree with the skeleton of bones. Bones with parent 255 go under the root; every
  // other bone goes under the joint of its parent, wherever the parent stands in the list. A bone
  // whose parent is never placed (a parent dropped by the 40-children cap, or a loop of parents)
  // is left out with its subtree; the other bones are still placed.
  void Build(const std::vector<XmodelBone>& bones);
  // Drops the tree (root included); nodeCount becomes 0.
  void Clear();
  // Creates the root "MaterJoint" at the origin with the identity rotation, unless a root exists.
  void CreateRoot();
  // Adds bone number index under parent and returns the new joint, whose world pose follows from
  // the parent's. A parent that already holds 40 children gets nothing: the message line
  // "BoneDisplay: Max Child Joints Exceeded" and nullptr.
  BoneDisplayNode* AddChild(const XmodelBone& bone, BoneDisplayNode& parent, int32_t index);

  // The first joint, depth-first in pre-order from the root, with this bone index (the root has
  // kRootIndex); nullptr when none has it.
  BoneDisplayNode* FindByIndex(int32_t index) const;
  // The first joint, depth-first in pre-order from the root, whose whole name equals name;
  // nullptr when none does.
  BoneDisplayNode* FindByName(const std::string& name) const;
  // Marks the joint named name for the next pick pass (the tags tree calls this while a row is
  // hovered). False when no joint has that name.
  bool Mark(const std::string& name);

  // Picks, draws and labels the joints of one frame: only with a root and more than one joint.
  // Draws with the current GL matrices, the depth test off (on again afterwards); the labels go
  // to frame.guiLabels.
  void Draw(const BoneFrame& frame);
  // The picking part of Draw, without GL: resets `hovered`, recomputes hover and selected of every
  // joint, clears every mark and queues the labels of the hovered (or, over the GUI, marked)
  // joints. Leaves `labels` filled; Draw empties it.
  void PickTree(const BoneFrame& frame);

  // The line drawn between a joint and its parent: along their connection, from 0.5 away from the
  // joint towards the parent to 0.5 away from the parent towards the joint. False for the root and
  // for a joint on its parent's position (closer than 1e-6), which has no direction to draw in.
  static bool ConnectingLine(const BoneDisplayNode& node, Vec3& from, Vec3& to);
  // One joint circle: a loop of 15 vertices of radius 0.5 round centre in the local XY plane.
  static void DrawJointCircle(Vec3 centre);

  std::unique_ptr<BoneDisplayNode> root;  // "MaterJoint", or none before the first Build
  int32_t nodeCount = 0;                  // joints under the root (the root not counted)
  bool hovered = false;                   // a joint is under the pointer in the current frame

 private:
  void Pick(BoneDisplayNode& node, const BoneFrame& frame);
  void DrawNode(const BoneDisplayNode& node) const;
  void AddLabel(const BoneDisplayNode& node, const BoneFrame& frame) const;
};

// The program's bone display.
extern BoneDisplay gBoneDisplay;
