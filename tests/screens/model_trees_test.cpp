// The model information tree and the tag tree: built from models made in memory (the cases of
// optional rows, missing files, large totals, materials not in the list, bone hierarchies) and
// from real models of the three games.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "model/material_list.h"
#include "model/xmodel.h"
#include "screens/model_info_panel.h"
#include "support/model_fixture.h"
#include "support/synthetic_model.h"

namespace {

using namespace testmodels;

// Every row as "<indent by depth><text> [icon kind]".
std::vector<std::string> Rows(const TreeContainer& tree) {
  std::vector<std::string> rows;
  for (TreeIterator it = tree.Begin(); it.node != tree.Foot(); ++it) {
    rows.push_back(std::string(2 * it.node->depth, ' ') + it->text + " [" + it->icon + " " +
                   std::to_string(it->kind) + (it->connector ? " c" : "") + "]");
  }
  return rows;
}

std::vector<std::string> TopLevel(const TreeContainer& tree) {
  std::vector<std::string> texts;
  for (TreeIterator it = tree.Begin(); it.node != tree.Foot(); ++it) {
    if (it.node->depth == 0) texts.push_back(it->text);
  }
  return texts;
}

TEST(ModelInfoTree, RowsOfASyntheticModel) {
  MaterialList materials;
  Xmodel model(materials);
  MakeLoaded(model, "crate", {Lod("crate_lod0", {StripSurface(20000), StripSurface(20000)}, {"mtl_wood", "mtl_gone"})},
             {Bone("tag_origin", 255)}, 1);
  model.info.lodDistances = {250.5f, 0, 0, 0};
  model.info.lods[0].fileExists = false;
  Material wood;
  wood.name = "mtl_wood";
  wood.textures = {{"colorMap", "wood_c.iwi", "wood_c.dds", true, false},
                   {"normalMap", "wood_n.iwi", "wood_n.dds", false, false}};
  materials.materials = {wood};

  TreeContainer tree;
  ModelInfoPanel::BuildInfoTree(model, materials, tree);
  // No physics preset and collision LOD -1: neither row; totals above 32,767 in full.
  EXPECT_EQ(Rows(tree), (std::vector<std::string>{
                            "Name: crate [tree_node -1]",
                            "LODs: 1 [tree_node -1]",
                            "Meshes: 2 [tree_node -1]",
                            "Verts: 40000 [tree_node -1]",
                            "Faces: 39996 [tree_node -1]",
                            "Tags: 1 [tree_node -1]",
                            "Surfaces [tree_arrow_right -1]",
                            "  crate_lod0 - FileNotFnd [tree_mesh 3]",
                            "    LOD distance: 250.5 [tree_node -1]",
                            "    Materials [tree_arrow_right -1]",
                            "      mtl_wood [tree_folder -1]",
                            "        colorMap: wood_c.iwi [tree_tick -1]",
                            "        normalMap: wood_n.iwi [tree_cross -1]",
                            "      mtl_gone [tree_folder -1]",
                        }));
  EXPECT_EQ(ModelInfoPanel::ShortToText(70000), "4464");
  EXPECT_EQ(ModelInfoPanel::ShortToText(40000), "-25536");

  // A LOD count beyond the records builds what exists.
  model.info.lodCount = 4;
  model.info.lods.clear();
  ModelInfoPanel::BuildInfoTree(model, materials, tree);
  EXPECT_EQ(TopLevel(tree), (std::vector<std::string>{"Name: crate", "LODs: 4", "Tags: 1", "Surfaces"}));
}

TEST(ModelTagTree, HierarchyInIndexOrderForEveryRootWithoutDepthLimit) {
  MaterialList materials;
  Xmodel model(materials);
  // Two roots; bone 4's parent comes after it; a bone whose parent index is above 127.
  std::vector<XmodelBone> bones = {Bone("root", 255), Bone("second_root", 255), Bone("a", 0), Bone("b", 0),
                                   Bone("a_child", 2), Bone("under_second", 1)};
  MakeLoaded(model, "m", {Lod("m0", {StripSurface(3)}, {"x"})}, bones, 2);
  TreeContainer tree;
  ModelInfoPanel::BuildTagTree(model, tree);
  EXPECT_EQ(Rows(tree), (std::vector<std::string>{
                            "Tags: 6 [tree_node 1]",
                            "  root [joint 2 c]",
                            "    a [joint 2 c]",
                            "      a_child [joint 2 c]",
                            "    b [joint 2 c]",
                            "  second_root [joint 2 c]",
                            "    under_second [joint 2 c]",
                        }));

  // A chain of 250 bones, each the child of the one before: every bone is in the tree, the
  // deepest 250 levels down.
  std::vector<XmodelBone> chain = {Bone("b0", 255)};
  for (int i = 1; i < 250; ++i) chain.push_back(Bone("b" + std::to_string(i), i - 1));
  MakeLoaded(model, "chain", {Lod("c0", {StripSurface(3)}, {"x"})}, chain, 1);
  ModelInfoPanel::BuildTagTree(model, tree);
  ASSERT_EQ(tree.CountRows(), 251u);
  EXPECT_EQ(tree.RowAt(250)->row.text, "b249");
  EXPECT_EQ(tree.RowAt(250)->depth, 250u);
}

TEST(ModelTrees, RebuildReplacesBothGlobals) {
  MaterialList materials;
  Xmodel model(materials);
  MakeLoaded(model, "first", {Lod("f0", {StripSurface(3)}, {"x"})}, {Bone("tag_origin", 255)}, 1);
  ModelInfoPanel::Rebuild(model, materials);
  EXPECT_EQ(ModelInfoPanel::infoTree.RowAt(0)->row.text, "Name: first");
  EXPECT_EQ(ModelInfoPanel::tagTree.CountRows(), 2u);
  MakeLoaded(model, "second", {Lod("s0", {StripSurface(3)}, {"x"})}, {}, 0);
  ModelInfoPanel::Rebuild(model, materials);
  EXPECT_EQ(ModelInfoPanel::infoTree.RowAt(0)->row.text, "Name: second");
  EXPECT_EQ(ModelInfoPanel::tagTree.CountRows(), 1u);
}

// ---- Real models --------------------------------------------------------------------------------

struct RealCase {
  RealModelRef ref;
  std::vector<std::string> topLevel;
  size_t bones;
  size_t lods;
};

class RealModelTrees : public ::testing::TestWithParam<RealCase> {};

TEST_P(RealModelTrees, CountsMatchTheModel) {
  const RealCase& c = GetParam();
  MaterialList materials;
  Xmodel model(materials);
  ASSERT_EQ(LoadRealModel(model, c.ref), ResultCode::Success);
  TreeContainer info, tags;
  ModelInfoPanel::BuildInfoTree(model, materials, info);
  ModelInfoPanel::BuildTagTree(model, tags);
  EXPECT_EQ(TopLevel(info), c.topLevel);
  EXPECT_EQ(tags.CountRows(), 1 + c.bones);  // the root row and every bone
  EXPECT_EQ(tags.RowAt(0)->row.text, "Tags: " + std::to_string(c.bones));
  // Every bone once, right under its parent bone's row (a root bone under the tag root), and
  // after the bones of lower index among its siblings.
  const std::vector<XmodelBone>& bones = model.info.bones;
  ASSERT_EQ(bones.size(), c.bones);
  std::vector<int> seen(bones.size(), 0);
  for (TreeIterator it = tags.Begin(); it.node != tags.Foot(); ++it) {
    if (it.node->depth == 0) continue;
    const auto bone = static_cast<size_t>(std::find_if(bones.begin(), bones.end(), [&](const XmodelBone& b) {
                                            return b.name == it->text;
                                          }) - bones.begin());
    ASSERT_LT(bone, bones.size()) << it->text;
    ++seen[bone];
    const std::string parentText = it.node->parent->row.text;
    EXPECT_EQ(parentText, bones[bone].parent == 255 ? tags.RowAt(0)->row.text : bones[bones[bone].parent].name)
        << it->text;
    if (it.node->previous) {
      const std::string before = it.node->previous->row.text;
      EXPECT_LT(std::find_if(bones.begin(), bones.end(), [&](const XmodelBone& b) { return b.name == before; }) -
                    bones.begin(),
                static_cast<std::ptrdiff_t>(bone));
    }
  }
  EXPECT_EQ(seen, std::vector<int>(bones.size(), 1));

  // One surface row per LOD, each with its distance, "Materials", its materials and their slots.
  size_t surfaceRows = 0, materialRows = 0, slotRows = 0;
  for (TreeIterator it = info.Begin(); it.node != info.Foot(); ++it) {
    surfaceRows += it->icon == "tree_mesh";
    materialRows += it->icon == "tree_folder";
    slotRows += it->icon == "tree_tick" || it->icon == "tree_cross";
  }
  EXPECT_EQ(surfaceRows, c.lods);
  size_t expectedMaterials = 0, expectedSlots = 0;
  for (const XmodelLod& lod : model.info.lods) {
    expectedMaterials += lod.uniqueMaterials.size();
    for (const std::string& name : lod.uniqueMaterials) {
      for (const Material& m : materials.materials) expectedSlots += m.name == name ? m.textures.size() : 0;
    }
  }
  EXPECT_EQ(materialRows, expectedMaterials);
  EXPECT_EQ(slotRows, expectedSlots);
  EXPECT_GT(slotRows, 0u);
}

INSTANTIATE_TEST_SUITE_P(
    ThreeGames, RealModelTrees,
    ::testing::Values(
        RealCase{kStaticProp,
                 {"Name: gib_abdomen", "Physics: fruit_small", "CollisionLOD: 0", "LODs: 1", "Meshes: 1", "Verts: 127",
                  "Faces: 66", "Tags: 1", "Surfaces"},
                 1, 1},
        RealCase{kSkinnedCharacter,
                 {"Name: body_alice", "LODs: 1", "Meshes: 6", "Verts: 4431", "Faces: 6623", "Tags: 98", "Surfaces"},
                 98, 1},
        RealCase{kViewModel,
                 {"Name: viewmodel_richtofen_diary_pencil", "LODs: 1", "Meshes: 5", "Verts: 371", "Faces: 430",
                  "Tags: 8", "Surfaces"},
                 8, 1},
        // 130 bones: parents above 127 count as bones, not as "none".
        RealCase{RealModelRef{"codbo", GameId::CodBo, "c_usa_pent_jfk_fb_zt"},
                 {"Name: c_usa_pent_jfk_fb_zt", "LODs: 4", "Meshes: 15", "Verts: 7139", "Faces: 10408", "Tags: 130",
                  "Surfaces"},
                 130, 4}));

}  // namespace
