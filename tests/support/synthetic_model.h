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
