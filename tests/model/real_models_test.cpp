// Every real model of the test data loads with the counts its README gives, in the right game.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "model/xmodel.h"
#include "support/game_files.h"
#include "support/log_capture.h"

namespace {

struct RealModel {
  const char* game;  // folder in the real data
  GameId gameId;
  const char* name;
  int lodCount;
  int surfaces;  // LOD 0
  int vertices;  // LOD 0, all surfaces
  int triangles;
  int roots;
  int children;
};

const RealModel kRealModels[] = {
    {"cod4", GameId::Cod4, "gib_abdomen", 1, 1, 127, 66, 1, 0},
    {"cod4", GameId::Cod4, "weapon_bo_tomahawk", 1, 1, 972, 962, 1, 0},
    {"cod4", GameId::Cod4, "body_alice", 1, 6, 4431, 6623, 1, 97},
    {"cod4", GameId::Cod4, "weapon_mp_m1garand_rifle", 3, 2, 1217, 911, 1, 4},
    {"cod5", GameId::Cod5, "viewmodel_richtofen_diary_pencil", 1, 5, 371, 430, 1, 7},
    {"cod5", GameId::Cod5, "tom_katana_model", 1, 1, 355, 186, 1, 1},
    {"codbo", GameId::CodBo, "static_peleliu_wood_ammo_box", 3, 2, 542, 287, 1, 0},
    {"codbo", GameId::CodBo, "char_ger_honorgd_body1_g_larmspawn", 1, 3, 1099, 1326, 1, 1},
    {"codbo", GameId::CodBo, "c_usa_pent_jfk_fb_zt", 4, 15, 7139, 10408, 1, 129},
};

std::string ModelPath(const RealModel& model) {
  return testfiles::RealDataPath(std::string(model.game) + "/raw/xmodel/" + model.name);
}

// Loads the model and every LOD as the job thread does.
ResultCode LoadEverything(Xmodel& xmodel, const std::string& path) {
  ResultCode result = xmodel.Load(path);
  if (result != ResultCode::Success) return result;
  for (int32_t lod = 0; lod < xmodel.info.lodCount; ++lod) {
    result = xmodel.LoadSurface(lod);
    if (result != ResultCode::Success) return result;
  }
  return ResultCode::Success;
}

void ExpectCounts(const Xmodel& xmodel, const RealModel& model) {
  EXPECT_EQ(xmodel.info.lodCount, model.lodCount);
  ASSERT_FALSE(xmodel.info.lods.empty());
  const XmodelLod& lod0 = xmodel.info.lods[0];
  EXPECT_EQ(lod0.surfaceCount, model.surfaces);
  int vertices = 0, triangles = 0;
  for (const XmodelSurface& surface : lod0.surfaces) {
    vertices += surface.vertexCount;
    triangles += surface.triangleCount;
    EXPECT_EQ(surface.vertices.size(), static_cast<size_t>(surface.vertexCount));
    EXPECT_EQ(surface.triangles.size(), static_cast<size_t>(surface.triangleCount));
    EXPECT_EQ(surface.weightGroups.size(), surface.hasWeights ? surface.vertices.size() : 0u);
  }
  EXPECT_EQ(vertices, model.vertices);
  EXPECT_EQ(triangles, model.triangles);
  EXPECT_EQ(xmodel.info.rootBoneCount, model.roots);
  EXPECT_EQ(xmodel.info.childBoneCount, model.children);
  EXPECT_EQ(xmodel.info.bones.size(), static_cast<size_t>(model.roots + model.children));
  for (const XmodelLod& lod : xmodel.info.lods) EXPECT_TRUE(lod.loaded) << lod.surfsName;
}

}  // namespace

TEST(RealModels, EveryModelLoadsWithItsCountsInItsGame) {
  for (const RealModel& model : kRealModels) {
    SCOPED_TRACE(model.name);
    Xmodel xmodel;
    xmodel.game = model.gameId;
    xmodel.SetGameSwitchQuestion([](const std::string&, const std::string&) {
      ADD_FAILURE() << "no question expected in the model's own game";
      return false;
    });
    ASSERT_EQ(LoadEverything(xmodel, ModelPath(model)), ResultCode::Success) << xmodel.GetLastErrorText();
    EXPECT_EQ(xmodel.game, model.gameId);
    EXPECT_FALSE(xmodel.gameSwitchActive);
    ExpectCounts(xmodel, model);
  }
}

TEST(RealModels, Cod4ModelsWithCod5ActiveAskToSwitch) {
  for (const RealModel& model : kRealModels) {
    if (model.gameId != GameId::Cod4) continue;
    SCOPED_TRACE(model.name);
    int asked = 0;
    std::string caption, text;
    Xmodel xmodel;
    xmodel.game = GameId::Cod5;
    xmodel.SetGameSwitchQuestion([&](const std::string& c, const std::string& t) {
      ++asked;
      caption = c;
      text = t;
      return true;
    });
    ASSERT_EQ(LoadEverything(xmodel, ModelPath(model)), ResultCode::Success) << xmodel.GetLastErrorText();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(caption, "Auto Game Switcher");
    EXPECT_EQ(text,
              "It looks like this model is a COD4 Xmodel\nDo you want to switch to COD4 Loader just for this Xmodel?\n\n"
              "* You can disable this check in settings.");
    EXPECT_TRUE(xmodel.gameSwitchActive);
    EXPECT_EQ(xmodel.game, GameId::Cod5);  // the user's game stays in force
    ExpectCounts(xmodel, model);

    // Answered No, the Cod5 layout reads the name without its first character: no skeleton.
    Xmodel refused;
    refused.game = GameId::Cod5;
    refused.SetGameSwitchQuestion([](const std::string&, const std::string&) { return false; });
    EXPECT_EQ(refused.Load(ModelPath(model)), ResultCode::FileNotFound);
    EXPECT_FALSE(refused.loaded);
    EXPECT_FALSE(refused.gameSwitchActive);
    EXPECT_TRUE(refused.info.bones.empty());
    EXPECT_TRUE(refused.info.lods.empty());
    // The next load starts without the switch.
    EXPECT_EQ(xmodel.Load(ModelPath(model)), ResultCode::Success);
    EXPECT_EQ(asked, 2);
  }
}

TEST(RealModels, DamagedModelFailsCleanlyAndFast) {
  for (GameId game : {GameId::Cod5, GameId::Cod4, GameId::CodBo}) {
    Xmodel xmodel;
    xmodel.game = game;
    xmodel.SetGameSwitchQuestion([](const std::string&, const std::string&) { return true; });
    LogCapture log;
    auto start = std::chrono::steady_clock::now();
    ResultCode result = xmodel.Load(testfiles::RealDataPath("cod5/raw/xmodel/vm_mp_skin_c_type99_rifle"));
    auto elapsed = std::chrono::steady_clock::now() - start;
    EXPECT_NE(result, ResultCode::Success);
    std::vector<std::string> lines = log.Lines();
    ASSERT_EQ(lines.size(), 1u) << "one line saying why";
    EXPECT_EQ(lines[0].rfind("^1vm_mp_skin_c_type99_rifle^7: ", 0), 0u) << lines[0];
    EXPECT_FALSE(xmodel.loaded);
    EXPECT_TRUE(xmodel.info.lods.empty());
    EXPECT_LT(elapsed, std::chrono::milliseconds(200));
  }
}

TEST(RealModels, EverySurfaceFileIsReadToItsLastByte) {
  struct SurfsFile {
    const char* path;
    GameId game;
  };
  const SurfsFile files[] = {
      {"cod4/raw/xmodelsurfs/gib_abdomen1", GameId::Cod4},
      {"cod4/raw/xmodelsurfs/playermodel_aot_alice2", GameId::Cod4},
      {"cod4/raw/xmodelsurfs/tomahawk1", GameId::Cod4},
      {"cod4/raw/xmodelsurfs/weapon_usa_m1garand_rifle_lod01", GameId::Cod4},
      {"cod4/raw/xmodelsurfs/weapon_usa_m1garand_rifle_lod11", GameId::Cod4},
      {"cod4/raw/xmodelsurfs/weapon_usa_m1garand_rifle_lod21", GameId::Cod4},
      {"cod5/raw/xmodelsurfs/katana_model1", GameId::Cod5},
      {"cod5/raw/xmodelsurfs/viewmodel_richtofen_diary_pencil_view1", GameId::Cod5},
      {"codbo/raw/xmodelsurfs/c_usa_pent_jfk_fb_zt_lod_01", GameId::CodBo},
      {"codbo/raw/xmodelsurfs/c_usa_pent_jfk_fb_zt_lod_11", GameId::CodBo},
      {"codbo/raw/xmodelsurfs/c_usa_pent_jfk_fb_zt_lod_21", GameId::CodBo},
      {"codbo/raw/xmodelsurfs/c_usa_pent_jfk_fb_zt_lod_31", GameId::CodBo},
      {"codbo/raw/xmodelsurfs/char_ger_honorgd_body1_g_larmspawn_lod_01", GameId::CodBo},
      {"codbo/raw/xmodelsurfs/static_peleliu_wood_ammo_box_lod001", GameId::CodBo},
  };
  for (const SurfsFile& file : files) {
    SCOPED_TRACE(file.path);
    std::vector<uint8_t> bytes = testfiles::ReadRealFile(file.path);
    Xmodel xmodel;
    xmodel.game = file.game;
    XmodelLod lod;
    size_t bytesRead = 0;
    ASSERT_EQ(xmodel.ParseSurfsFile(bytes.data(), bytes.size(), lod, &bytesRead), ResultCode::Success);
    EXPECT_EQ(bytesRead, bytes.size());
    EXPECT_TRUE(lod.loaded);
  }
}
