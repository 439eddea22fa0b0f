#pragma once
// A whole synthetic model as the files of a game install: raw/xmodel/<name>, the skeleton in
// raw/xmodelparts, one xmodelsurfs file per LOD, the material files and the IWI images. Only the
// bytes and their places below the game root; writing them is the caller's.
#include <cstdint>
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
  std::map<std::string, std::vector<uint8_t>> images;  // file name in images -> its bytes
};

// One file of a game: its path below the game root ("raw/...") and its bytes.
struct GameFile {
  std::string path;
  std::vector<uint8_t> bytes;
};

// The files of model, the xmodel file last (so a listing never meets a model whose parts are
// still missing).
std::vector<GameFile> SyntheticModelFiles(const SyntheticModel& model);

// A Cod4 model "tank": two LODs ("tank_LOD0" and "tank_LOD1", files on disk in lower case),
// two roots and one child bone, one rigid and one weighted surface per LOD, one material.
SyntheticModel MakeTankModel(GameId game);

}  // namespace testfiles
