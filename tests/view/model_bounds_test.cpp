#include "view/model_bounds.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "model/xmodel.h"
#include "support/synthetic_model.h"

namespace {

void ExpectVec(const Vec3& v, float x, float y, float z) {
  EXPECT_FLOAT_EQ(v.x, x);
  EXPECT_FLOAT_EQ(v.y, y);
  EXPECT_FLOAT_EQ(v.z, z);
}

}  // namespace

// A model entirely above the ground: its box starts at its own lowest point, not at the origin.
TEST(ModelBounds, BoxesFollowTheVertices) {
  MaterialList materials;
  Xmodel model(materials);
  testmodels::MakeSmallModel(model, materials);
  XmodelSurface second = model.info.lods[0].surfaces[0];
  for (XmodelVertex& v : second.vertices) v.position[2] += 10.0f;
  second.vertices[0].position[0] = -5.0f;
  for (XmodelVertex& v : model.info.lods[0].surfaces[0].vertices) v.position[2] = 50.0f;
  model.info.lods[0].surfaces.push_back(second);

  ModelBounds bounds;
  BuildBounds(bounds, model);
  ASSERT_EQ(bounds.count, 1u);
  const BoundsBlock& block = bounds.blocks[0];
  ASSERT_EQ(block.surfaceCount, 2u);
  ExpectVec(block.surfaceBoxes[0].min, 0, 0, 50);
  ExpectVec(block.surfaceBoxes[1].min, -5, 0, 10);
  ExpectVec(block.surfaceBoxes[1].corners[6], -5, 0, 10);  // corner (-,-,-)
  ExpectVec(block.lodBox.min, -5, 0, 10);
  ExpectVec(block.lodBox.max, 1, 1, 50);
}

// LODs not loaded, more surfaces than a block holds, and an unloaded model.
TEST(ModelBounds, EdgeCases) {
  MaterialList materials;
  Xmodel model(materials);
  testmodels::MakeSmallModel(model, materials);
  XmodelLod unloaded;
  model.info.lods.push_back(unloaded);
  std::vector<XmodelSurface>& surfaces = model.info.lods[0].surfaces;
  XmodelSurface far = surfaces[0];
  while (surfaces.size() < 70) surfaces.push_back(surfaces[0]);
  for (XmodelVertex& v : far.vertices) v.position[0] = 1000.0f;
  surfaces.push_back(far);  // the 71st surface still enlarges the LOD's box

  ModelBounds bounds;
  BuildBounds(bounds, model);
  ASSERT_EQ(bounds.count, 2u);
  EXPECT_EQ(bounds.blocks[0].surfaceCount, 64u);
  EXPECT_FLOAT_EQ(bounds.blocks[0].lodBox.max.x, 1000.0f);
  EXPECT_EQ(bounds.blocks[1].surfaceCount, 0u);
  ExpectVec(bounds.blocks[1].lodBox.max, 0, 0, 0);

  ModelBounds copy;
  CopyBounds(bounds, copy);
  EXPECT_EQ(copy.count, 2u);
  EXPECT_FLOAT_EQ(copy.blocks[0].lodBox.max.x, 1000.0f);

  model.loaded = false;
  BuildBounds(bounds, model);
  EXPECT_EQ(bounds.blocks[0].surfaceCount, 0u);
}

// Real models: every LOD's box is the min/max of its vertex positions, scaled as loaded.
TEST(ModelBounds, RealModelsMatchTheirVertices) {
  for (const auto& ref : {testmodels::kThreeLodWeapon, testmodels::kSkinnedCharacter, testmodels::kEmptyBoneName}) {
    SCOPED_TRACE(ref.name);
    MaterialList materials;
    Xmodel model(materials);
    ASSERT_EQ(testmodels::LoadRealModel(model, ref), ResultCode::Success);
    model.ApplyScaleFactor(2.54f);
    ModelBounds bounds;
    BuildBounds(bounds, model);
    ASSERT_EQ(bounds.count, static_cast<uint32_t>(model.info.lods.size()));
    for (size_t i = 0; i < model.info.lods.size(); ++i) {
      Vec3 lo{1e30f, 1e30f, 1e30f}, hi{-1e30f, -1e30f, -1e30f};
      for (const XmodelSurface& s : model.info.lods[i].surfaces) {
        for (const XmodelVertex& v : s.vertices) {
          lo = {std::min(lo.x, v.position[0]), std::min(lo.y, v.position[1]), std::min(lo.z, v.position[2])};
          hi = {std::max(hi.x, v.position[0]), std::max(hi.y, v.position[1]), std::max(hi.z, v.position[2])};
        }
      }
      ExpectVec(bounds.blocks[i].lodBox.min, lo.x, lo.y, lo.z);
      ExpectVec(bounds.blocks[i].lodBox.max, hi.x, hi.y, hi.z);
    }
  }
}
