#include "support/model_files.h"

namespace testfiles {

std::vector<GameFile> SyntheticModelFiles(const SyntheticModel& model) {
  std::vector<GameFile> files;
  const std::string partsName = model.partsFileName.empty() ? model.xmodel.lodNames[0] : model.partsFileName;
  files.push_back({"raw/xmodelparts/" + partsName, BuildPartsFile(model.parts)});
  for (const auto& [fileName, surfs] : model.surfs) files.push_back({"raw/xmodelsurfs/" + fileName, BuildSurfsFile(surfs)});
  for (const auto& [materialName, slots] : model.materials) {
    files.push_back({"raw/materials/" + materialName, BuildMaterialFile(slots)});
  }
  for (const auto& [fileName, bytes] : model.images) files.push_back({"raw/images/" + fileName, bytes});
  files.push_back({"raw/xmodel/" + model.name, BuildXmodelFile(model.xmodel)});
  return files;
}

SyntheticModel MakeTankModel(GameId game) {
  SyntheticModel model;
  model.name = "tank";
  model.xmodel.game = game;
  model.xmodel.lodNames[0] = "tank_LOD0";
  model.xmodel.lodNames[1] = "tank_LOD1";
  model.xmodel.lodMaterials = {{"mtl_tank", "mtl_tank"}, {"mtl_tank", "mtl_tank"}};
  model.parts.rootNames = {"tag_origin", "tag_body"};
  model.parts.children = {{"j_turret", 1, {0.0f, 0.0f, 40.0f}, {0, 0, 0}}};
  model.partsFileName = "tank_lod0";
  SurfsFileSpec surfs;
  surfs.game = game == GameId::CodBo ? GameId::CodBo : GameId::Cod4;
  surfs.surfaces = {MakeSurface(BoneValues::Rigid, 4), MakeSurface(BoneValues::SkipTwo, 6)};
  model.surfs["tank_lod0"] = surfs;
  model.surfs["tank_lod1"] = surfs;
  model.materials["mtl_tank"] = {{"colorMap", "tank_col"}};
  return model;
}

}  // namespace testfiles
