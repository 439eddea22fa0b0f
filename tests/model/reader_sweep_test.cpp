// Damaged files never crash, hang or allocate without bound: every synthetic file of every
// layout, cut at every length and with single bytes changed, gives a result code. A cut that
// removes bytes the reader needs must fail. Runs under the sanitizers in CI.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>

#include "model/xmodel.h"
#include "support/parts_builder.h"
#include "support/surfs_builder.h"
#include "support/temp_folder.h"
#include "support/xmodel_builder.h"

using namespace testfiles;

namespace {

using Parser = std::function<ResultCode(const std::vector<uint8_t>&)>;

// Runs parse on every cut and on every byte set to a few values. `needed` is the number of bytes
// the reader must consume: any shorter cut has to fail.
void Sweep(const std::vector<uint8_t>& file, size_t needed, const Parser& parse) {
  ASSERT_EQ(parse(file), ResultCode::Success);
  for (size_t length = 0; length < file.size(); ++length) {
    std::vector<uint8_t> cut(file.begin(), file.begin() + length);
    ResultCode result = parse(cut);
    if (length < needed) {
      EXPECT_NE(result, ResultCode::Success) << "cut at " << length;
    }
  }
  for (size_t i = 0; i < file.size(); ++i) {
    for (uint8_t value : {uint8_t(0x00), uint8_t(0x7F), uint8_t(0xFF), static_cast<uint8_t>(file[i] ^ 0x5A)}) {
      std::vector<uint8_t> changed = file;
      changed[i] = value;
      parse(changed);  // any code will do; the sanitizers and the time limit watch the rest
    }
  }
}

class ReaderSweep : public ::testing::Test {
 protected:
  void SetUp() override { start_ = std::chrono::steady_clock::now(); }
  void TearDown() override {
    EXPECT_LT(std::chrono::steady_clock::now() - start_, std::chrono::seconds(60)) << "sweep too slow: a reader hangs";
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

}  // namespace

TEST_F(ReaderSweep, XmodelFilesOfEveryLayout) {
  TempFolder root;  // an empty game folder: the game switch finds no file and asks nothing
  for (GameId game : {GameId::Cod4, GameId::Cod5, GameId::CodBo}) {
    SCOPED_TRACE(static_cast<int>(game));
    XmodelFileSpec shape;
    shape.game = game;
    shape.physicsPreset = "default";
    shape.lodNames[0] = "barrel_lod0";
    shape.lodNames[1] = "barrel_lod1";
    shape.collisionLod = 1;
    shape.collisionEntries = {2, 0};
    shape.lodMaterials = {{"mtl_wood", "mtl_metal"}, {"mtl_wood"}};
    shape.minSize = 0;
    std::vector<uint8_t> file = BuildXmodelFile(shape);
    int asked = 0;
    Sweep(file, file.size(), [&](const std::vector<uint8_t>& bytes) {
      MaterialList materials;
      Xmodel xmodel(materials);
      xmodel.baseFolder = root.Root() + "/";
      xmodel.game = game;
      xmodel.SetGameSwitchQuestion([&](const std::string&, const std::string&) { return ++asked, true; });
      return xmodel.ParseXmodelFile(bytes.data(), bytes.size());
    });
    EXPECT_EQ(asked, 0);
  }
}

TEST_F(ReaderSweep, XmodelpartsFiles) {
  PartsFileSpec shape;
  shape.rootNames = {"tag_origin"};
  shape.children = {{"j_a", 0, {1, 2, 3}, {10, 20, 30}}, {"j_b", 1, {4, 5, 6}, {-10, 0, 5}}};
  std::vector<uint8_t> file = BuildPartsFile(shape);
  size_t trailing = shape.rootNames.size() + shape.children.size() + 1;
  Sweep(file, file.size() - trailing, [](const std::vector<uint8_t>& bytes) {
    Xmodel xmodel;
    xmodel.fileSize = 200;
    return xmodel.ParseParts(bytes.data(), bytes.size());
  });
}

TEST_F(ReaderSweep, XmodelsurfsFilesOfBothLayouts) {
  for (GameId game : {GameId::Cod4, GameId::CodBo}) {
    SCOPED_TRACE(static_cast<int>(game));
    SurfsFileSpec shape;
    shape.game = game;
    for (BoneValues boneCase : {BoneValues::Chain, BoneValues::SkipTwo, BoneValues::Rigid, BoneValues::ZeroLow}) {
      shape.surfaces.push_back(MakeSurface(boneCase, 5));
    }
    if (game == GameId::CodBo) shape.surfaces[1].vertices[2].tension = true;
    std::vector<uint8_t> file = BuildSurfsFile(shape);
    Sweep(file, file.size(), [game](const std::vector<uint8_t>& bytes) {
      Xmodel xmodel;
      xmodel.game = game;
      XmodelLod lod;
      size_t bytesRead = 0;
      ResultCode result = xmodel.ParseSurfsFile(bytes.data(), bytes.size(), lod, &bytesRead);
      EXPECT_LE(bytesRead, bytes.size());
      if (result == ResultCode::Success) {
        for (const XmodelSurface& surface : lod.surfaces) {
          for (const XmodelTriangle& t : surface.triangles) {
            for (uint16_t index : t.indices) EXPECT_LT(index, surface.vertexCount);
          }
        }
      }
      return result;
    });
  }
}
