#pragma once
// Writes a whole synthetic model into a game folder: raw/xmodel/<name>, the skeleton in
// raw/xmodelparts, one xmodelsurfs file per LOD and the material files, as a game install has them.
#include <map>
#include <string>
#include <vector>

#include "support/material_builder.h"
#include "support/parts_builder.h"
#include "support/surfs_builder.h"
#include "support/xmodel_builder.h"

namespace testfiles {

struct SyntheticModel {
  std::string name;
  XmodelFileSpec xmodel;
  PartsFileSpec parts;                          // written under partsFileName
  std::string partsFileName;                    // default: the first LOD name
  std::map<std::string, SurfsFileSpec> surfs;   // file name in xmodelsurfs -> its surfaces
  std::map<std::string, std::vector<MaterialSlotSpec>> materials;
};

// Writes the model below gameRoot ("<gameRoot>/raw/..."); returns the xmodel file's path.
std::string WriteSyntheticModel(const std::string& gameRoot, const SyntheticModel& model);

// A Cod4 model "tank": two LODs ("tank_LOD0" and "tank_LOD1", files on disk in lower case),
// two roots and one child bone, one rigid and one weighted surface per LOD, one material.
SyntheticModel MakeTankModel(GameId game);

}  // namespace testfiles
