#include "model/xmodel.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "support/game_files.h"
#include "support/temp_folder.h"



TEST(ResultCodeText, TextsAndNumberedFallback) {
  EXPECT_EQ(ErrorText(ResultCode::FileTooSmall), "File To small");
  EXPECT_EQ(ErrorText(ResultCode::NoPermission), "File Handel failed due to permissions, please run program as admin");
  EXPECT_EQ(ErrorText(ResultCode::SurfsFolderNotFound), "'xmodelsurfs' folder not Found");
  EXPECT_EQ(ErrorText(ResultCode::Success), "Error No: 28");
  EXPECT_EQ(ErrorText(ResultCode::AlreadyLoaded), "Error No: 4");
  EXPECT_EQ(Xmodel().GetLastErrorText(), "No Error Set!");
}

TEST(XmodelPath, SetPathFindsNameAndBaseFolder) {
  TempFolder root;
  std::string model = testfiles::WriteGameFile(root.Path("raw/xmodel/tank"), {0});
  Xmodel xmodel;
  EXPECT_FALSE(xmodel.SetPath("tank"));                       // no separator
  EXPECT_FALSE(xmodel.SetPath(root.Path("raw/xmodel/missing")));  // no file
  EXPECT_FALSE(xmodel.SetPath(root.Path("raw/xmodel")));          // a folder is not a model file
  EXPECT_FALSE(xmodel.pathValid);
  ASSERT_TRUE(xmodel.SetPath(model));
  EXPECT_TRUE(xmodel.pathValid);
  EXPECT_EQ(xmodel.GetName(), "tank");
  EXPECT_EQ(xmodel.fullPath, model);
  EXPECT_EQ(xmodel.baseFolder, root.Path("raw/"));
  EXPECT_EQ(xmodel.Materials().materialsFolder, root.Path("raw/materials/"));
}

TEST(XmodelPath, FailedLoadLeavesNothingBehind) {
  Xmodel xmodel;
  xmodel.info.bones.resize(3);
  xmodel.loaded = true;
  EXPECT_EQ(xmodel.Load("/no/such/folder/model"), ResultCode::InvalidPath);
  EXPECT_EQ(xmodel.lastResult, ResultCode::InvalidPath);
  EXPECT_EQ(xmodel.GetLastErrorText(), "Invalid Path");
  EXPECT_FALSE(xmodel.loaded);
  EXPECT_TRUE(xmodel.info.bones.empty());
  EXPECT_TRUE(xmodel.info.lods.empty());
  EXPECT_EQ(xmodel.info.rootBoneCount, 0);
  EXPECT_EQ(xmodel.info.childBoneCount, 0);
}

namespace {

// A model with two bones and one loaded LOD of one surface with one vertex at (1, 2, 3).
void FillSmallModel(Xmodel& xmodel) {
  xmodel.loaded = true;
  xmodel.info.lodCount = 1;
  xmodel.info.lods.resize(1);
  XmodelLod& lod = xmodel.info.lods[0];
  lod.loaded = true;
  lod.surfaceCount = 1;
  lod.surfaces.resize(1);
  XmodelSurface& surface = lod.surfaces[0];
  surface.vertexCount = 1;
  surface.vertices.resize(1);
  surface.vertices[0].position[0] = 1;
  surface.vertices[0].position[1] = 2;
  surface.vertices[0].position[2] = 3;
  surface.boneList = {0x00010001u};  // one vertex, bone 1
  xmodel.info.bones.resize(2);
  xmodel.info.bones[0].name = "tag_origin";
  xmodel.info.bones[1].name = "j_gun";
  xmodel.info.bones[1].parent = 0;
  xmodel.info.bones[1].offset[0] = 4;
}

}  // namespace

TEST(XmodelQueries, NamesOutsideTheBones) {
  Xmodel xmodel;
  FillSmallModel(xmodel);
  EXPECT_EQ(xmodel.GetJointName(-1), "Joints");
  EXPECT_EQ(xmodel.GetJointName(1), "j_gun");
  EXPECT_EQ(xmodel.GetBoneName(2), "tag_not_fnd");
  EXPECT_EQ(xmodel.GetBoneName(0), "tag_origin");
  XmodelSurface& surface = xmodel.info.lods[0].surfaces[0];
  EXPECT_EQ(xmodel.GetSurfaceBoneName(surface), "j_gun");
  surface.boneList = {0xFFFF0001u};  // bone -1
  EXPECT_EQ(xmodel.GetSurfaceBoneName(surface), "tag_not_fnd");
  surface.boneList.clear();
  EXPECT_EQ(xmodel.GetSurfaceBoneName(surface), "tag_not_fnd");
  xmodel.info.lods[0].loadTime = 7;
  EXPECT_EQ(xmodel.GetLodLoadTime(0), 7.0f);
  EXPECT_EQ(xmodel.GetLodLoadTime(1), 0.0f);
  EXPECT_EQ(xmodel.GetLodLoadTime(-1), 0.0f);
}

TEST(XmodelQueries, UniqueMaterialsAcrossLods) {
  Xmodel xmodel;
  xmodel.info.lods.resize(2);
  xmodel.info.lods[0].uniqueMaterials = {"a", "b"};
  xmodel.info.lods[1].uniqueMaterials = {"b", "c"};
  EXPECT_EQ(xmodel.GetUniqueMaterialNames(), (std::vector<std::string>{"a", "b", "c"}));
}

TEST(XmodelScale, AppliedScaleIsRecordedAndBadScalesRefused) {
  Xmodel xmodel;
  FillSmallModel(xmodel);
  const float* position = xmodel.info.lods[0].surfaces[0].vertices[0].position;
  xmodel.scale = 1.0f;
  EXPECT_EQ(xmodel.ApplyScale(), ResultCode::Success);
  EXPECT_EQ(position[2], 3.0f);
  xmodel.scale = 2.0f;
  xmodel.ApplyScale();
  xmodel.ApplyScale();
  EXPECT_EQ(position[2], 12.0f);  // every call multiplies again
  EXPECT_EQ(xmodel.info.bones[1].offset[0], 16.0f);
  EXPECT_EQ(xmodel.info.lods[0].appliedScale, 4.0f);
  EXPECT_EQ(xmodel.info.boneScale, 4.0f);
  for (float bad : {0.0f, -1.0f, std::numeric_limits<float>::infinity(), std::numeric_limits<float>::quiet_NaN()}) {
    xmodel.scale = bad;
    EXPECT_EQ(xmodel.ApplyScale(), ResultCode::Success);
    EXPECT_EQ(position[2], 12.0f);
    EXPECT_EQ(xmodel.info.lods[0].appliedScale, 4.0f);
  }
  xmodel.info.lods[0].loaded = false;  // an unread LOD is not scaled
  xmodel.ApplyScaleFactor(0.5f);
  EXPECT_EQ(position[2], 12.0f);
  EXPECT_EQ(xmodel.info.bones[1].offset[0], 8.0f);
}

TEST(XmodelProgress, StepStopsAt99) {
  Xmodel xmodel;
  xmodel.progress = 97;
  xmodel.StepProgress();
  xmodel.StepProgress();
  xmodel.StepProgress();
  EXPECT_EQ(xmodel.progress.load(), 99);
}

TEST(XmodelUnload, ForgetsTheModelKeepsGameScaleAndBase) {
  Xmodel xmodel;
  FillSmallModel(xmodel);
  xmodel.game = GameId::CodBo;
  xmodel.scale = 2.54f;
  xmodel.baseFolder = "/g/raw/";
  xmodel.name = "tank";
  xmodel.gameSwitchActive = true;
  xmodel.lastResult = ResultCode::Success;
  xmodel.Materials().materialNames = {"m"};
  xmodel.Unload();
  EXPECT_FALSE(xmodel.loaded);
  EXPECT_TRUE(xmodel.info.bones.empty());
  EXPECT_TRUE(xmodel.info.lods.empty());
  EXPECT_EQ(xmodel.info.lodCount, 0);
  EXPECT_EQ(xmodel.info.rootBoneCount, -1);
  EXPECT_EQ(xmodel.info.version, 0xFFFF);
  EXPECT_EQ(xmodel.fileSize, -1);
  EXPECT_FALSE(xmodel.gameSwitchActive);
  EXPECT_TRUE(xmodel.name.empty());
  EXPECT_EQ(xmodel.lastResult, ResultCode::None);
  EXPECT_TRUE(xmodel.Materials().materialNames.empty());
  EXPECT_EQ(xmodel.game, GameId::CodBo);
  EXPECT_EQ(xmodel.scale, 2.54f);
  EXPECT_EQ(xmodel.baseFolder, "/g/raw/");
}
