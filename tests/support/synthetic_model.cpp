#include "support/synthetic_model.h"

#include <cmath>

namespace testmodels {

void AddBone(Xmodel& model, const std::string& name, uint8_t parent, float x, float y, float z) {
  XmodelBone bone;
  bone.name = name;
  bone.parent = parent;
  bone.offset[0] = x;
  bone.offset[1] = y;
  bone.offset[2] = z;
  model.info.bones.push_back(bone);
  if (parent == 255) {
    model.info.rootBoneCount = static_cast<int16_t>(model.info.rootBoneCount < 0 ? 1 : model.info.rootBoneCount + 1);
  } else {
    model.info.childBoneCount = static_cast<int16_t>(model.info.childBoneCount < 0 ? 1 : model.info.childBoneCount + 1);
  }
  if (model.info.childBoneCount < 0) model.info.childBoneCount = 0;
}

namespace {

XmodelVertex Vertex(float x, float y, float z, float u, float v) {
  XmodelVertex vertex{};
  vertex.position[0] = x;
  vertex.position[1] = y;
  vertex.position[2] = z;
  vertex.normal[2] = 1.0f;
  vertex.color[0] = vertex.color[1] = vertex.color[2] = vertex.color[3] = 255;
  vertex.u = u;
  vertex.v = v;
  return vertex;
}

TextureSlot Slot(const std::string& slotName, const std::string& image) {
  TextureSlot slot;
  slot.slotName = slotName;
  slot.iwiName = image + ".iwi";
  slot.ddsName = image + ".dds";
  return slot;
}

Material MakeMaterial(const std::string& name, std::vector<TextureSlot> slots) {
  Material material;
  material.name = name;
  material.textures = std::move(slots);
  material.textureCount = static_cast<int16_t>(material.textures.size());
  return material;
}

}  // namespace

void MakeSmallModel(Xmodel& model, MaterialList& materials) {
  model.Unload();
  model.name = "small_prop";
  model.loaded = true;
  model.skeletonLoaded = true;
  model.surfacesSetUp = true;
  model.info.rootBoneCount = 0;
  model.info.childBoneCount = 0;
  AddBone(model, "tag_origin", 255);
  AddBone(model, "j_arm", 0, 1, 2, 3);
  model.info.bones.back().rotation = {0.0, 0.0, std::sqrt(0.5), std::sqrt(0.5)};
  AddBone(model, "j_hand", 1, 4, 0, 0);

  XmodelSurface surface;
  surface.vertices = {Vertex(0, 0, 0, 0, 0), Vertex(1, 0, 0, 1, 0), Vertex(1, 1, 0, 1, 1), Vertex(0, 1, 0, 0, 1)};
  surface.triangles = {{{0, 1, 2}}, {{0, 2, 3}}};
  surface.vertexCount = 4;
  surface.triangleCount = 2;
  surface.hasWeights = true;
  surface.boneList = {(1u << 16) | 2u, (2u << 16) | 2u};
  for (int i = 0; i < 4; ++i) {
    XmodelWeightGroup group;
    group.mainBone = static_cast<int16_t>(i < 2 ? 1 : 2);
    surface.weightGroups.push_back(group);
  }

  XmodelLod lod;
  lod.surfsName = "small_prop_lod0";
  lod.loaded = true;
  lod.fileExists = true;
  lod.surfaces.push_back(surface);
  lod.surfaceCount = 1;
  lod.surfaceMaterials = {"mtl_body"};
  lod.uniqueMaterials = {"mtl_body", "mtl_glass"};
  lod.materialCount = 2;
  lod.uniqueMaterialCount = 2;
  model.info.lods = {lod};
  model.info.lodCount = 1;
  model.info.lodNames = {"small_prop_lod0", "", "", ""};
  model.info.lodDistances = {0, 0, 0, 0};

  materials.Clear();
  materials.materialNames = {"mtl_body", "mtl_glass"};
  materials.materials = {
      MakeMaterial("mtl_body", {Slot("colorMap", "~body_col"), Slot("normalMap", "body_nml"),
                                Slot("specularMap", "body_spc")}),
      MakeMaterial("mtl_glass", {Slot("colorMap", "glass_col")}),
  };
  materials.loaded = true;
}

}  // namespace testmodels

#include "support/game_files.h"

namespace testmodels {

ResultCode LoadRealModel(Xmodel& model, const RealModelRef& ref) {
  model.game = ref.game;
  model.SetGameSwitchQuestion([](const std::string&, const std::string&) { return true; });
  ResultCode result = model.Load(testfiles::RealDataPath(std::string(ref.folder) + "/raw/xmodel/" + ref.name));
  for (int32_t lod = 0; result == ResultCode::Success && lod < model.info.lodCount; ++lod)
    result = model.LoadSurface(lod);
  return result;
}

}  // namespace testmodels
