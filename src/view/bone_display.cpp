// The bone display: building the joint tree, searching it, picking, labels and drawing.
//
// Index: pose helpers | Build, Clear, CreateRoot, AddChild | FindByIndex, FindByName, Mark |
//        PickTree, Pick, AddLabel | Draw, DrawNode, ConnectingLine, DrawJointCircle | the global instance
#include "view/bone_display.h"

#include <GL/glew.h>

#include <cmath>
#include <utility>

#include "core/log.h"
#include "model/maths_double.h"
#include "view/gl_draw.h"

namespace {

constexpr uint8_t kRootParent = 255;  // parent value of a bone that hangs from the model's root

// parent (x) local on doubles, as the bone records hold their rotations, stored as floats.
Quat ComposeRotation(const Quat& parent, const Quaternion& local) {
  const Quatd p{parent.x, parent.y, parent.z, parent.w};
  const Quatd q = QuatMultiply(p, Quatd{local.x, local.y, local.z, local.w});
  return {static_cast<float>(q.x), static_cast<float>(q.y), static_cast<float>(q.z), static_cast<float>(q.w)};
}

// The parent's position plus the offset turned by the parent's rotation. The rotation is
// normalised first (packed rotations can come out slightly longer than 1); one that is nearly
// the identity is skipped.
Vec3 ComposePosition(const BoneDisplayNode& parent, Vec3 offset) {
  if (!QuatNearlyEqual(parent.worldRotation, Quat{})) offset = parent.worldRotation.Normalized().Rotate(offset);
  return parent.worldPosition + offset;
}

template <typename Match>
BoneDisplayNode* FindPreOrder(BoneDisplayNode* node, const Match& match) {
  if (node == nullptr || match(*node)) return node;
  for (const auto& child : node->children) {
    if (BoneDisplayNode* found = FindPreOrder(child.get(), match)) return found;
  }
  return nullptr;
}

// Window position of world point p, false when p lies on or behind the eye's plane (its
// projection would be mirrored or infinite).
bool ProjectInFront(const cinder::Camera& camera, Vec3 p, float width, float height, ScreenPoint& out) {
  if (camera.modelViewMatrix.TransformPoint(p).z >= 0.0f) return false;  // camera looks along -z
  out = camera.WorldToScreen(p, width, height);
  return true;
}

void SelectAncestors(BoneDisplayNode& node) {
  for (BoneDisplayNode* up = node.parent; up != nullptr; up = up->parent) up->selected = 1;
}

}  // namespace

// ---- Build ---------------------------------------------------------------------------------

void BoneDisplay::Build(const std::vector<XmodelBone>& bones) {
  Clear();
  CreateRoot();
  // The children of every bone in list order, so a bone listed before its parent still lands
  // under it; bones are then placed breadth-first from the root. A bone whose parent chain never
  // reaches the root (a loop of parents) is never visited.
  std::vector<std::vector<int32_t>> childrenOf(bones.size());
  std::vector<int32_t> topLevel;
  for (size_t i = 0; i < bones.size(); ++i) {
    const uint8_t parent = bones[i].parent;
    if (parent == kRootParent) {
      topLevel.push_back(static_cast<int32_t>(i));
    } else if (parent < bones.size()) {
      childrenOf[parent].push_back(static_cast<int32_t>(i));
    }
  }
  std::vector<std::pair<BoneDisplayNode*, const std::vector<int32_t>*>> queue{{root.get(), &topLevel}};
  for (size_t next = 0; next < queue.size(); ++next) {
    auto [parent, children] = queue[next];
    for (int32_t index : *children) {
      if (BoneDisplayNode* node = AddChild(bones[index], *parent, index)) {
        queue.emplace_back(node, &childrenOf[index]);
      }
    }
  }
}

void BoneDisplay::Clear() {
  root.reset();
  nodeCount = 0;
}

void BoneDisplay::CreateRoot() {
  if (root) return;
  root = std::make_unique<BoneDisplayNode>();
  root->name = "MaterJoint";
}

BoneDisplayNode* BoneDisplay::AddChild(const XmodelBone& bone, BoneDisplayNode& parent, int32_t index) {
  if (parent.children.size() >= BoneDisplayNode::kMaxChildren) {
    VornLog::Messagef("BoneDisplay: Max Child Joints Exceeded");
    return nullptr;
  }
  auto node = std::make_unique<BoneDisplayNode>();
  node->name = bone.name;
  node->boneIndex = index;
  node->parent = &parent;
  node->localOffset = {bone.offset[0], bone.offset[1], bone.offset[2]};
  const Quaternion& r = bone.rotation;
  node->localRotation = {static_cast<float>(r.x), static_cast<float>(r.y), static_cast<float>(r.z),
                         static_cast<float>(r.w)};
  node->worldRotation = ComposeRotation(parent.worldRotation, r);
  node->worldPosition = ComposePosition(parent, node->localOffset);
  parent.children.push_back(std::move(node));
  ++nodeCount;
  return parent.children.back().get();
}

// ---- Search --------------------------------------------------------------------------------

BoneDisplayNode* BoneDisplay::FindByIndex(int32_t index) const {
  return FindPreOrder(root.get(), [index](const BoneDisplayNode& n) { return n.boneIndex == index; });
}

BoneDisplayNode* BoneDisplay::FindByName(const std::string& name) const {
  return FindPreOrder(root.get(), [&name](const BoneDisplayNode& n) { return n.name == name; });
}

bool BoneDisplay::Mark(const std::string& name) {
  BoneDisplayNode* node = FindByName(name);
  if (node == nullptr) return false;
  node->mark = BoneDisplayNode::kMarked;
  return true;
}

// ---- Picking and labels --------------------------------------------------------------------

void BoneDisplay::PickTree(const BoneFrame& frame) {
  hovered = false;
  if (!root) return;
  for (const auto& child : root->children) Pick(*child, frame);
}

// Parents are picked before their children, so a descendant that selects its ancestors does so
// after they have reset their own flags, and the whole chain is drawn highlighted this frame.
void BoneDisplay::Pick(BoneDisplayNode& node, const BoneFrame& frame) {
  if (frame.mouseOverGui) {
    hovered = false;
    node.hover = false;
    node.selected = 0;
    if (node.mark == BoneDisplayNode::kMarked) {
      node.selected = 1;
      AddLabel(node, frame);
      SelectAncestors(node);
    }
  } else {
    const Vec3 half{kPickHalfSize, kPickHalfSize, kPickHalfSize};
    node.hover = BoundsBox(node.worldPosition - half, node.worldPosition + half).HitByRay(frame.ray);
    node.selected = node.hover ? 1 : 0;
    if (node.hover) {
      hovered = true;
      AddLabel(node, frame);
      SelectAncestors(node);
    }
  }
  node.mark = 0;
  for (const auto& child : node.children) Pick(*child, frame);
}

// The label sits 15 pixels above the joint, moved up in steps of 18 pixels until it is at least
// 18 pixels from every label already placed this frame.
void BoneDisplay::AddLabel(const BoneDisplayNode& node, const BoneFrame& frame) const {
  constexpr float kAbove = 15.0f;
  constexpr float kSpacing = 18.0f;
  ScreenPoint at;
  if (!ProjectInFront(frame.camera, node.worldPosition, frame.width, frame.height, at)) return;
  at.y -= kAbove;
  for (size_t i = 0; i < labels.size();) {
    if (std::hypot(labels[i].x - at.x, labels[i].y - at.y) < kSpacing) {
      at.y -= kSpacing;
      i = 0;
    } else {
      ++i;
    }
  }
  ScreenLabel label{at.x, at.y, node.name.substr(0, kLabelLength)};
  labels.push_back(label);
  frame.guiLabels.push_back(std::move(label));
}

// ---- Drawing -------------------------------------------------------------------------------

void BoneDisplay::Draw(const BoneFrame& frame) {
  hovered = false;
  if (!root || nodeCount <= 1) return;
  GlDepthTest(false);
  PickTree(frame);
  for (const auto& child : root->children) DrawNode(*child);
  labels.clear();
  GlDepthTest(true);
}

void BoneDisplay::DrawNode(const BoneDisplayNode& node) const {
  Vec3 from, to;
  if (ConnectingLine(node, from, to)) {
    if (node.selected == 1) {
      glColor4f(0.0f, 0.8f, 0.0f, 1.0f);
    } else {
      glColor4f(0.8f, 0.0f, 0.0f, 0.6f);
    }
    GlDrawLine(from, to);
  }

  if (node.selected != 0) {
    glColor4f(1.0f, 0.0f, 0.0f, 0.9f);
  } else {
    glColor4f(0.0f, 0.75f, 0.0f, 0.8f);
  }
  GlPushModelView();
  glTranslatef(node.worldPosition.x, node.worldPosition.y, node.worldPosition.z);
  DrawJointCircle({0, 0, 0});
  glRotatef(90.0f, 1.0f, 0.0f, 0.0f);
  DrawJointCircle({0, 0, 0});
  glRotatef(90.0f, 0.0f, 1.0f, 0.0f);
  DrawJointCircle({0, 0, 0});
  GlPopModelView();

  for (const auto& child : node.children) DrawNode(*child);
}

bool BoneDisplay::ConnectingLine(const BoneDisplayNode& node, Vec3& from, Vec3& to) {
  if (node.parent == nullptr) return false;
  const Vec3 joint = node.worldPosition;
  const Vec3 parent = node.parent->worldPosition;
  const float distance = Length(joint - parent);
  if (!(distance > 1e-6f)) return false;
  const Vec3 h = (joint - parent) * (0.5f / distance);
  from = joint - h;
  to = parent + h;
  return true;
}

void BoneDisplay::DrawJointCircle(Vec3 centre) {
  constexpr int kVertices = 15;
  constexpr float kStep = 0.4188790f;  // 2 pi / 15
  float points[kVertices * 3];
  for (int i = 0; i < kVertices; ++i) {
    points[3 * i] = centre.x + 0.5f * std::cos(kStep * static_cast<float>(i));
    points[3 * i + 1] = centre.y + 0.5f * std::sin(kStep * static_cast<float>(i));
    points[3 * i + 2] = centre.z;
  }
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, points);
  glDrawArrays(GL_LINE_LOOP, 0, kVertices);
  glDisableClientState(GL_VERTEX_ARRAY);
}
