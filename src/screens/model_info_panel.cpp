#include "screens/model_info_panel.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "core/strings.h"
#include "model/material_list.h"
#include "model/xmodel.h"

namespace ModelInfoPanel {

namespace {

constexpr int32_t kGreen = 1, kLightGrey = 2, kRed = 3;
constexpr uint8_t kNoParent = 255;

void AddMaterialRows(const XmodelLod& lod, const MaterialList& materials, TreeContainer& tree, TreeIterator parent) {
  TreeIterator folder = tree.AppendChild(parent, TreeRow("Materials", "tree_arrow_right"));
  const std::vector<std::string>& names = lod.uniqueMaterials;
  size_t matches = 0;
  for (const std::string& name : names) {
    TreeIterator materialRow = tree.AppendChild(folder, TreeRow(name, "tree_folder"));
    for (const Material& material : materials.materials) {
      if (matches == names.size()) break;
      if (material.name != name) continue;
      ++matches;
      for (const TextureSlot& slot : material.textures) {
        tree.AppendChild(materialRow, TreeRow(slot.slotName + ": " + slot.iwiName,
                                              slot.iwiExists ? "tree_tick" : "tree_cross"));
      }
    }
  }
}

TreeRow BoneRow(const XmodelBone& bone) { return TreeRow(bone.name, "joint", kLightGrey, true); }

}  // namespace

std::string ShortToText(int value) { return IntToString(static_cast<int16_t>(static_cast<uint16_t>(value & 0xFFFF))); }

void BuildInfoTree(const Xmodel& model, const MaterialList& materials, TreeContainer& tree) {
  const XmodelInfo& info = model.info;
  tree.Clear();
  const auto top = [&tree](const std::string& text, const char* icon = "tree_node") {
    return tree.Insert({}, TreeRow(text, icon));
  };
  top("Name: " + model.name);
  if (!info.physicsPreset.empty()) top("Physics: " + info.physicsPreset);
  if (info.collisionLod != -1) top("CollisionLOD: " + IntToString(info.collisionLod));
  top("LODs: " + IntToString(info.lodCount));
  if (!info.lods.empty()) {
    const XmodelLod& first = info.lods[0];
    int64_t vertices = 0, triangles = 0;
    for (const XmodelSurface& surface : first.surfaces) {
      vertices += surface.vertexCount;
      triangles += surface.triangleCount;
    }
    top("Meshes: " + ShortToText(first.surfaceCount));
    top("Verts: " + std::to_string(vertices));
    top("Faces: " + std::to_string(triangles));
  }
  top("Tags: " + ShortToText(info.childBoneCount + info.rootBoneCount));
  TreeIterator surfaces = top("Surfaces", "tree_arrow_right");

  // The LOD count of the header, bounded by the LOD records that exist.
  const size_t lodCount = std::min(info.lods.size(), static_cast<size_t>(std::max(info.lodCount, 0)));
  for (size_t i = 0; i < lodCount; ++i) {
    const XmodelLod& lod = info.lods[i];
    TreeIterator surfaceRow =
        lod.fileExists ? tree.AppendChild(surfaces, TreeRow(lod.surfsName, "tree_mesh", kGreen))
                       : tree.AppendChild(surfaces, TreeRow(lod.surfsName + " - FileNotFnd", "tree_mesh", kRed));
    const float distance = i < info.lodDistances.size() ? info.lodDistances[i] : 0.0f;
    tree.AppendChild(surfaceRow, TreeRow("LOD distance: " + FloatToString(distance), "tree_node"));
    AddMaterialRows(lod, materials, tree, surfaceRow);
  }
}

void BuildTagTree(const Xmodel& model, TreeContainer& tree) {
  const XmodelInfo& info = model.info;
  tree.Clear();
  TreeIterator root =
      tree.Insert({}, TreeRow("Tags: " + ShortToText(info.childBoneCount + info.rootBoneCount), "tree_node", kGreen));
  const std::vector<XmodelBone>& bones = info.bones;
  if (bones.empty()) return;

  // Children of every bone in index order, then a depth-first walk with an explicit stack.
  const size_t count = bones.size();
  std::vector<std::vector<uint32_t>> children(count);
  std::vector<uint32_t> roots;
  for (size_t j = 0; j < count; ++j) {
    const uint8_t parent = bones[j].parent;
    if (parent == kNoParent) {
      roots.push_back(static_cast<uint32_t>(j));
    } else if (parent < count && parent != j) {
      children[parent].push_back(static_cast<uint32_t>(j));
    }
  }
  std::vector<bool> added(count, false);
  struct Pending {
    uint32_t bone;
    TreeIterator row;
    size_t nextChild;
  };
  std::vector<Pending> stack;
  for (uint32_t r : roots) {
    added[r] = true;
    stack.push_back({r, tree.AppendChild(root, BoneRow(bones[r])), 0});
    while (!stack.empty()) {
      Pending& top = stack.back();
      if (top.nextChild == children[top.bone].size()) {
        stack.pop_back();
        continue;
      }
      const uint32_t child = children[top.bone][top.nextChild++];
      if (added[child]) continue;
      added[child] = true;
      TreeIterator row = tree.AppendChild(top.row, BoneRow(bones[child]));
      stack.push_back({child, row, 0});
    }
  }
}

TreeView MakeInfoTreeView(const ItemRect& rect) { return MakeTreeView("Xmodel_properties", rect, &infoTree); }

TreeView MakeTagTreeView(const ItemRect& rect, std::function<bool(const std::string&)> markBone) {
  TreeView view = MakeTreeView("Xmodel_tags", rect, &tagTree);
  if (markBone) view.rowCallback = [markBone = std::move(markBone)](TreeRow* row) { markBone(row->text); };
  return view;
}

void Rebuild(const Xmodel& model, const MaterialList& materials) {
  TreeContainer info, tags;
  BuildInfoTree(model, materials, info);
  BuildTagTree(model, tags);
  infoTree.Swap(info);
  tagTree.Swap(tags);
}

}  // namespace ModelInfoPanel
