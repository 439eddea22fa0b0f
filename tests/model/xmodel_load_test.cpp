// The load sequence end to end on synthetic model folders.
#include <gtest/gtest.h>

#include <filesystem>

#include "model/xmodel.h"
#include "support/model_tree.h"
#include "support/temp_folder.h"

using testfiles::MakeTankModel;
using testfiles::WriteSyntheticModel;

namespace {

Xmodel::GameSwitchQuestion Answer(bool yes, int* asked) {
  return [yes, asked](const std::string&, const std::string&) {
    ++*asked;
    return yes;
  };
}

}  // namespace

TEST(XmodelLoad, SyntheticModelOfEachGameLoadsWithItsParts) {
  for (GameId game : {GameId::Cod4, GameId::Cod5, GameId::CodBo}) {
    SCOPED_TRACE(static_cast<int>(game));
    TempFolder root;
    std::string path = WriteSyntheticModel(root.Root(), MakeTankModel(game));
    MaterialList materials;
    Xmodel xmodel(materials);
    xmodel.game = game;
    int asked = 0;
    xmodel.SetGameSwitchQuestion(Answer(true, &asked));
    ASSERT_EQ(xmodel.Load(path), ResultCode::Success);
    EXPECT_EQ(asked, 0);
    EXPECT_EQ(xmodel.info.skeletonPath, root.Path("raw/xmodelparts/tank_lod0"));
    EXPECT_EQ(xmodel.info.bones.size(), 3u);
    EXPECT_EQ(materials.materialNames, (std::vector<std::string>{"mtl_tank"}));
    ASSERT_EQ(materials.materials.size(), 1u);
    EXPECT_EQ(materials.materials[0].textures.at(0).slotName, "colorMap");
    ASSERT_EQ(xmodel.info.lods.size(), 2u);
    EXPECT_EQ(xmodel.info.lods[1].surfsPath, root.Path("raw/xmodelsurfs/tank_lod1"));
    EXPECT_EQ(xmodel.LoadSurface(0), ResultCode::Success);
    EXPECT_EQ(xmodel.progress.load(), 99);
    EXPECT_EQ(xmodel.LoadSurface(0), ResultCode::AlreadyLoaded);
    EXPECT_EQ(xmodel.LoadSurface(1), ResultCode::Success);
    EXPECT_EQ(xmodel.LoadSurface(2), ResultCode::InvalidIndex);
    EXPECT_EQ(xmodel.LoadSurface(-1), ResultCode::InvalidIndex);
    EXPECT_EQ(xmodel.info.lods[1].surfaces.size(), 2u);
    EXPECT_GE(xmodel.GetLodLoadTime(1), 0.0f);
  }
}

TEST(XmodelLoad, StepFailuresAndTheirCodes) {
  TempFolder root;
  testfiles::SyntheticModel tank = MakeTankModel(GameId::Cod4);
  std::string path = WriteSyntheticModel(root.Root(), tank);
  auto load = [&](Xmodel& xmodel) {
    xmodel.game = GameId::Cod4;
    return xmodel.Load(path);
  };
  MaterialList materials;
  {
    Xmodel xmodel(materials);
    EXPECT_EQ(xmodel.LoadSurface(0), ResultCode::NotLoaded);
  }
  // A missing LOD file: the model loads, that LOD gives CantOpenFile.
  std::filesystem::remove(root.Path("raw/xmodelsurfs/tank_lod1"));
  {
    Xmodel xmodel(materials);
    ASSERT_EQ(load(xmodel), ResultCode::Success);
    EXPECT_FALSE(xmodel.info.lods[1].fileExists);
    EXPECT_EQ(xmodel.LoadSurface(1), ResultCode::CantOpenFile);
  }
  std::filesystem::remove(root.Path("raw/xmodelparts/tank_lod0"));
  {
    Xmodel xmodel(materials);
    EXPECT_EQ(load(xmodel), ResultCode::FileNotFound);
    EXPECT_FALSE(xmodel.loaded);
    EXPECT_TRUE(materials.materialNames.empty());
  }
  std::filesystem::remove_all(root.Path("raw/xmodelparts"));
  {
    Xmodel xmodel(materials);
    EXPECT_EQ(load(xmodel), ResultCode::NoPartsFolder);
  }
  WriteSyntheticModel(root.Root(), tank);
  std::filesystem::remove_all(root.Path("raw/xmodelsurfs"));
  {
    Xmodel xmodel(materials);
    EXPECT_EQ(load(xmodel), ResultCode::SurfsFolderNotFound);
    EXPECT_EQ(xmodel.GetLastErrorText(), "'xmodelsurfs' folder not Found");
    EXPECT_TRUE(xmodel.info.lods.empty());
    EXPECT_EQ(xmodel.info.rootBoneCount, 0);
  }
}

TEST(XmodelLoad, Cod4ModelReadAsCod5OffersTheSwitchOnce) {
  TempFolder root;
  std::string path = WriteSyntheticModel(root.Root(), MakeTankModel(GameId::Cod4));
  for (bool yes : {true, false}) {
    Xmodel xmodel;
    xmodel.game = GameId::Cod5;
    int asked = 0;
    xmodel.SetGameSwitchQuestion(Answer(yes, &asked));
    ResultCode result = xmodel.Load(path);
    EXPECT_EQ(asked, 1);
    if (yes) {
      ASSERT_EQ(result, ResultCode::Success);
      EXPECT_TRUE(xmodel.gameSwitchActive);
      EXPECT_EQ(xmodel.game, GameId::Cod5);
      EXPECT_EQ(xmodel.info.lodNames[0], "tank_LOD0");
      EXPECT_EQ(xmodel.LoadSurface(1), ResultCode::Success);
    } else {
      EXPECT_EQ(result, ResultCode::FileNotFound);  // "ank_LOD0" names no skeleton
      EXPECT_FALSE(xmodel.gameSwitchActive);
    }
  }
}
