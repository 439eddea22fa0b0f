#pragma once
// Small models built in memory for exporter tests, without reading game files: the records the
// readers would have filled, with loaded flags set.
//
//   Xmodel model(materials);
//   testmodels::MakeSmallModel(model, materials);   // 3 bones, one LOD, one weighted quad
#include <string>

#include "model/xmodel.h"

namespace testmodels {

// Fills model as a loaded model "small_prop": bones "tag_origin" (root), "j_arm" (child of 0,
// offset (1, 2, 3), rotation 90 degrees about Z) and "j_hand" (child of 1); one LOD "small_prop_lod0"
// with one surface of 4 vertices and 2 triangles, weighted to j_arm and j_hand; materials "mtl_body"
// (colorMap ~body_col.iwi, normalMap body_nml.iwi, specularMap body_spc.iwi) and "mtl_glass" (only a
// colorMap glass_col.iwi). The material list is marked loaded.
void MakeSmallModel(Xmodel& model, MaterialList& materials);

// Adds a bone to a loaded model; parent 255 for a root (roots must come before children).
void AddBone(Xmodel& model, const std::string& name, uint8_t parent, float x = 0, float y = 0, float z = 0);

}  // namespace testmodels

namespace testmodels {

// A real model of the test data: its game folder ("cod4", "cod5", "codbo"), game and name.
struct RealModelRef {
  const char* folder;
  GameId game;
  const char* name;
};

// The real models the exporter tests use: a static prop, a skinned character with 98 bones, a
// three-LOD weapon, a Cod BO prop whose one bone has an empty name, a Cod5 view model.
inline constexpr RealModelRef kStaticProp{"cod4", GameId::Cod4, "gib_abdomen"};
inline constexpr RealModelRef kSkinnedCharacter{"cod4", GameId::Cod4, "body_alice"};
inline constexpr RealModelRef kThreeLodWeapon{"cod4", GameId::Cod4, "weapon_mp_m1garand_rifle"};
inline constexpr RealModelRef kEmptyBoneName{"codbo", GameId::CodBo, "static_peleliu_wood_ammo_box"};
inline constexpr RealModelRef kViewModel{"cod5", GameId::Cod5, "viewmodel_richtofen_diary_pencil"};

// Loads a real model and every LOD as the job thread does (no scale applied). Success or the
// first failure.
ResultCode LoadRealModel(Xmodel& model, const RealModelRef& ref);

}  // namespace testmodels
