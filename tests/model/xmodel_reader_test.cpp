// The xmodel reader on synthetic files of each game's layout.
#include <gtest/gtest.h>

#include <cstring>

#include "model/xmodel.h"
#include "support/xmodel_builder.h"

using testfiles::BuildXmodelFile;
using testfiles::XmodelFileSpec;

namespace {

XmodelFileSpec TwoLodSpec(GameId game, const std::string& preset) {
  XmodelFileSpec shape;
  shape.game = game;
  shape.physicsPreset = preset;
  shape.lodNames[0] = "tank_lod0";
  shape.lodNames[1] = "tank_lod1";
  shape.lodMaterials = {{"mtl_body", "mtl_tracks", "mtl_body"}, {"mtl_body"}};
  return shape;
}

// Parses bytes in game; the game switch is never offered a file here.
ResultCode Parse(Xmodel& xmodel, GameId game, const std::vector<uint8_t>& bytes) {
  xmodel.game = game;
  return xmodel.ParseXmodelFile(bytes.data(), bytes.size());
}

}  // namespace

TEST(XmodelReader, EachLayoutWithAndWithoutPreset) {
  for (GameId game : {GameId::Cod4, GameId::Cod5, GameId::CodBo}) {
    for (std::string preset : {"", "fruit_small"}) {
      SCOPED_TRACE(static_cast<int>(game));
      SCOPED_TRACE(preset);
      XmodelFileSpec shape = TwoLodSpec(game, preset);
      MaterialList materials;
      Xmodel xmodel(materials);
      ASSERT_EQ(Parse(xmodel, game, BuildXmodelFile(shape)), ResultCode::Success);
      EXPECT_TRUE(xmodel.loaded);
      EXPECT_EQ(xmodel.info.version, 25);
      EXPECT_EQ(xmodel.info.physicsPreset, preset);
      EXPECT_EQ(xmodel.info.lodDistances, (std::vector<float>{0, 250, 500, 1000}));
      EXPECT_EQ(xmodel.info.lodNames, (std::vector<std::string>{"tank_lod0", "tank_lod1", "", ""}));
      EXPECT_EQ(xmodel.info.lodCount, 2);
      EXPECT_EQ(xmodel.info.collisionLod, -1);
      ASSERT_EQ(xmodel.info.lods.size(), 2u);
      const XmodelLod& lod0 = xmodel.info.lods[0];
      EXPECT_EQ(lod0.surfaceMaterials, (std::vector<std::string>{"mtl_body", "mtl_tracks", "mtl_body"}));
      EXPECT_EQ(lod0.materialCount, 3);
      EXPECT_EQ(lod0.uniqueMaterialCount, 2);
      EXPECT_EQ(lod0.uniqueMaterials, (std::vector<std::string>{"mtl_body", "mtl_tracks"}));
      EXPECT_EQ(materials.materialNames, (std::vector<std::string>{"mtl_body", "mtl_tracks"}));
    }
  }
}

TEST(XmodelReader, DistanceOffsetsOfTheLayouts) {
  EXPECT_EQ(testfiles::XmodelDistanceOffset(TwoLodSpec(GameId::Cod4, "")), 28u);
  EXPECT_EQ(testfiles::XmodelDistanceOffset(TwoLodSpec(GameId::Cod5, "")), 29u);
  EXPECT_EQ(testfiles::XmodelDistanceOffset(TwoLodSpec(GameId::CodBo, "")), 37u);
}

TEST(XmodelReader, SizeLimit) {
  std::vector<uint8_t> bytes = BuildXmodelFile(TwoLodSpec(GameId::Cod4, ""));
  bytes.resize(64);
  Xmodel xmodel;
  EXPECT_EQ(Parse(xmodel, GameId::Cod4, bytes), ResultCode::FileTooSmall);
  EXPECT_EQ(xmodel.fileSize, 64);
  XmodelFileSpec small;
  small.game = GameId::Cod4;
  small.lodNames[0] = "abc";
  small.lodMaterials = {{"m"}};
  small.minSize = 65;
  std::vector<uint8_t> bytes65 = BuildXmodelFile(small);
  ASSERT_EQ(bytes65.size(), 65u);
  Xmodel read65;
  EXPECT_EQ(Parse(read65, GameId::Cod4, bytes65), ResultCode::Success);
}

TEST(XmodelReader, LodNameLengthsThatCount) {
  struct Case {
    GameId game;
    const char* name;
    int lodCount;
  };
  const Case cases[] = {
      {GameId::Cod5, "ab", 2}, {GameId::Cod4, "ab", 1}, {GameId::Cod4, "abcd", 2}, {GameId::CodBo, "abcd", 1},
      {GameId::CodBo, "abcde", 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    XmodelFileSpec shape = TwoLodSpec(c.game, "");
    shape.lodNames[0] = "first_lod";
    shape.lodNames[1] = c.name;
    shape.lodMaterials.resize(c.lodCount);
    Xmodel xmodel;
    ASSERT_EQ(Parse(xmodel, c.game, BuildXmodelFile(shape)), ResultCode::Success);
    EXPECT_EQ(xmodel.info.lodCount, c.lodCount);
    EXPECT_EQ(xmodel.info.lodNames[1], c.name);
  }
}

TEST(XmodelReader, CollisionEntriesAreSkipped) {
  XmodelFileSpec shape = TwoLodSpec(GameId::Cod4, "");
  shape.collisionCountField = 0x7FFFFFFF;  // no collision LOD: the count is not used
  Xmodel none;
  ASSERT_EQ(Parse(none, GameId::Cod4, BuildXmodelFile(shape)), ResultCode::Success);
  EXPECT_EQ(none.info.lods[0].surfaceMaterials.size(), 3u);

  shape.collisionLod = 0;
  shape.collisionEntries = {0, 3};
  Xmodel some;
  ASSERT_EQ(Parse(some, GameId::Cod4, BuildXmodelFile(shape)), ResultCode::Success);
  EXPECT_EQ(some.info.collisionLod, 0);
  EXPECT_EQ(some.info.lods[1].surfaceMaterials, (std::vector<std::string>{"mtl_body"}));
}

TEST(XmodelReader, ImpossibleCollisionCountsAreRefused) {
  XmodelFileSpec shape = TwoLodSpec(GameId::Cod4, "");
  shape.collisionLod = 0;
  shape.collisionEntries = {1};
  std::vector<uint8_t> good = BuildXmodelFile(shape);
  // The count sits 4 bytes after the collision LOD byte; the first entry's n right after it.
  size_t countAt = testfiles::XmodelDistanceOffset(shape) + 4 * 4 + 10 + 10 + 1 + 1 + 4;
  ASSERT_EQ(good[countAt - 4], 0);  // the collision LOD byte
  for (int32_t count : {-1, 1869442401, 2}) {
    std::vector<uint8_t> bytes = good;
    std::memcpy(bytes.data() + countAt, &count, 4);
    Xmodel xmodel;
    EXPECT_EQ(Parse(xmodel, GameId::Cod4, bytes), ResultCode::UnknownError) << count;
    EXPECT_FALSE(xmodel.loaded);
  }
  for (int32_t n : {-1, 1000000, 0x7FFFFFFF}) {
    std::vector<uint8_t> bytes = good;
    std::memcpy(bytes.data() + countAt + 4, &n, 4);
    Xmodel xmodel;
    EXPECT_EQ(Parse(xmodel, GameId::Cod4, bytes), ResultCode::UnknownError) << n;
  }
}

TEST(XmodelReader, LoadedModelRefusesASecondRead) {
  std::vector<uint8_t> bytes = BuildXmodelFile(TwoLodSpec(GameId::Cod4, ""));
  Xmodel xmodel;
  ASSERT_EQ(Parse(xmodel, GameId::Cod4, bytes), ResultCode::Success);
  EXPECT_EQ(Parse(xmodel, GameId::Cod4, bytes), ResultCode::AlreadyLoaded);
}

TEST(XmodelReader, NameWithoutZeroWithinTheLimit) {
  XmodelFileSpec shape = TwoLodSpec(GameId::Cod4, "");
  shape.lodNames[0] = std::string(1100, 'n');
  Xmodel xmodel;
  EXPECT_EQ(Parse(xmodel, GameId::Cod4, BuildXmodelFile(shape)), ResultCode::NameReadFailed);
  shape.lodNames[0] = "ok_name";
  shape.lodMaterials[0][1] = std::string(1100, 'm');
  Xmodel materialName;
  EXPECT_EQ(Parse(materialName, GameId::Cod4, BuildXmodelFile(shape)), ResultCode::UnknownError);
}
