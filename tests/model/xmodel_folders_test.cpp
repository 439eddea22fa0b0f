// Loads against game folders that change between two loads, two games side by side, and a whole
// game folder loaded model after model: the folder indexes every load shares see each change at
// the next load, never mix two games, and list each folder once, not once per model.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "model/xmodel.h"
#include "support/game_files.h"
#include "support/iwi_builder.h"
#include "support/model_tree.h"
#include "support/temp_folder.h"

namespace fs = std::filesystem;
using testfiles::MakeTankModel;
using testfiles::WriteSyntheticModel;

namespace {

// The Cod4 tank (header names "tank_LOD0", "tank_LOD1", files in lower case) with its colour map
// "tank_col.iwi", in a game folder of its own.
struct TankGame {
  TankGame() {
    path = WriteSyntheticModel(root.Root(), MakeTankModel(GameId::Cod4));
    testfiles::WriteGameFile(root.Path("raw/images/tank_col.iwi"), testfiles::MakeIwi({6, 11, 0, 4, 4, 0}));
  }
  TempFolder root;
  std::string path;
};

// One load as the job thread does it: the model and its images.
struct LoadedTank {
  explicit LoadedTank(const std::string& path) {
    model.game = GameId::Cod4;
    result = model.Load(path);
    if (result == ResultCode::Success) model.LoadImages();
  }
  MaterialList materials;
  Xmodel model{materials};
  ResultCode result;
};

// A file of the tank in one game folder and how a load shows that it was found.
struct TankFile {
  const char* folder;
  const char* name;       // on disk, as written
  const char* otherCase;  // the same name in another case
  std::function<bool(const LoadedTank&)> found;
};

const TankFile kTankFiles[] = {
    {"xmodelparts", "tank_lod0", "TANK_Lod0",
     [](const LoadedTank& t) { return t.result == ResultCode::Success; }},
    {"xmodelsurfs", "tank_lod1", "Tank_Lod1",
     [](const LoadedTank& t) { return t.result == ResultCode::Success && t.model.info.lods.at(1).fileExists; }},
    {"materials", "mtl_tank", "MTL_Tank",
     [](const LoadedTank& t) { return t.materials.materials.at(0).textures.size() == 1; }},
    {"images", "tank_col.iwi", "TANK_COL.iwi",
     [](const LoadedTank& t) {
       const bool bound = t.model.materialImages.at(0).Image(TextureKind::Color) != nullptr;
       EXPECT_EQ(bound, t.materials.materials.at(0).textures.at(0).iwiExists);
       return bound;
     }},
};

enum class Change { Added, RenamedToAnotherCase, Removed };

}  // namespace

TEST(XmodelFolders, FileAddedRenamedOrRemovedBetweenTwoLoadsIsSeenByTheNextLoad) {
  for (bool settled : {false, true}) {
    for (const TankFile& file : kTankFiles) {
      for (Change change : {Change::Added, Change::RenamedToAnotherCase, Change::Removed}) {
        SCOPED_TRACE(std::string(file.folder) + "/" + file.name + ", change " + std::to_string(int(change)) +
                     (settled ? ", settled folder" : ", fresh folder"));
        TankGame game;
        const std::string onDisk = game.root.Path(std::string("raw/") + file.folder + "/" + file.name);
        const std::string otherCase = game.root.Path(std::string("raw/") + file.folder + "/" + file.otherCase);
        if (change == Change::Added) fs::rename(onDisk, game.root.Path("kept"));
        if (settled) testfiles::SettleFolders(game.root.Root());
        EXPECT_EQ(file.found(LoadedTank(game.path)), change != Change::Added);

        if (change == Change::Added) fs::rename(game.root.Path("kept"), otherCase);
        if (change == Change::RenamedToAnotherCase) fs::rename(onDisk, otherCase);
        if (change == Change::Removed) fs::remove(onDisk);
        EXPECT_EQ(file.found(LoadedTank(game.path)), change != Change::Removed);
      }
    }
  }
}

TEST(XmodelFolders, TwoGamesWithTheSameModelNeverShareAFolderIndex) {
  TankGame cod4, other;
  fs::remove(other.root.Path("raw/xmodelsurfs/tank_lod1"));
  fs::rename(other.root.Path("raw/materials/mtl_tank"), other.root.Path("raw/materials/MTL_TANK"));
  MaterialList materials;
  Xmodel model(materials);
  model.game = GameId::Cod4;
  for (int round = 0; round < 2; ++round) {
    ASSERT_EQ(model.Load(cod4.path), ResultCode::Success);
    EXPECT_EQ(model.info.lods.at(1).surfsPath, cod4.root.Path("raw/xmodelsurfs/tank_lod1"));
    EXPECT_TRUE(model.info.lods.at(1).fileExists);
    ASSERT_EQ(model.Load(other.path), ResultCode::Success);
    EXPECT_FALSE(model.info.lods.at(1).fileExists);  // the first game's file is not found here
    EXPECT_EQ(model.info.skeletonPath, other.root.Path("raw/xmodelparts/tank_lod0"));
    EXPECT_EQ(materials.materials.at(0).textures.size(), 1u);  // read from MTL_TANK
  }
}

// A settled game folder of 30 models whose header names differ in case from the files: loading
// every model, twice, lists each of the four folders once; in a folder whose names all match,
// nothing is listed at all.
TEST(XmodelFolders, LoadingEveryModelListsEachFolderOnce) {
  for (bool namesMatch : {false, true}) {
    SCOPED_TRACE(namesMatch ? "names as on disk" : "names in another case");
    TempFolder root;
    std::vector<std::string> paths;
    for (int i = 0; i < 30; ++i) {
      const std::string name = "prop_" + std::to_string(i);
      testfiles::SyntheticModel model = MakeTankModel(GameId::Cod4);
      model.name = name;
      model.xmodel.lodNames[0] = name + (namesMatch ? "_lod0" : "_LOD0");
      model.xmodel.lodNames[1] = name + (namesMatch ? "_lod1" : "_LOD1");
      model.partsFileName = name + "_lod0";
      model.surfs = {{name + "_lod0", model.surfs["tank_lod0"]}, {name + "_lod1", model.surfs["tank_lod1"]}};
      const std::string material = "mtl_" + name;
      model.xmodel.lodMaterials = {{material, material}, {material, material}};
      model.materials = {{namesMatch ? material : "MTL_" + name, {{"colorMap", name + "_col"}}}};
      paths.push_back(WriteSyntheticModel(root.Root(), model));
      testfiles::WriteGameFile(root.Path("raw/images/" + name + (namesMatch ? "_col.iwi" : "_COL.iwi")), {1});
    }
    testfiles::SettleFolders(root.Root());
    MaterialList materials;
    Xmodel model(materials);
    model.game = GameId::Cod4;
    for (int pass = 0; pass < 2; ++pass) {
      for (const std::string& path : paths) {
        ASSERT_EQ(model.Load(path), ResultCode::Success) << path;
        ASSERT_TRUE(model.info.lods.at(1).fileExists);
        ASSERT_TRUE(materials.materials.at(0).textures.at(0).iwiExists);
      }
    }
    for (const char* folder : {"xmodelparts", "xmodelsurfs", "materials", "images"}) {
      // Every texture's DDS name is looked for too and missing, so the images folder is listed
      // once even when every name matches.
      const bool listed = !namesMatch || std::string(folder) == "images";
      EXPECT_EQ(gFolderIndexes.For(root.Path(std::string("raw/") + folder))->Listings(), listed ? 1u : 0u) << folder;
    }
  }
}
