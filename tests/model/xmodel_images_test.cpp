// Xmodel::LoadImages: the images of a model's materials, bound per material and texture kind.
#include <gtest/gtest.h>

#include "model/xmodel.h"
#include "support/game_files.h"
#include "support/iwi_builder.h"
#include "support/log_capture.h"
#include "support/synthetic_model.h"
#include "support/temp_folder.h"

namespace {

// The small model of the test helpers with its game folder in a temporary folder: every image of
// its materials exists except body_spc.iwi.
class ModelImages : public testing::Test {
 protected:
  void SetUp() override {
    testmodels::MakeSmallModel(model, materials);
    model.baseFolder = folder.Root() + "/";
    for (const char* name : {"~body_col.iwi", "body_nml.iwi", "glass_col.iwi"}) WriteImage(name, 11);
  }

  void WriteImage(const std::string& name, uint8_t format) {
    testfiles::WriteGameFile(folder.Path("images/" + name), testfiles::MakeIwi({6, format, 0, 16, 16, 0}));
  }
  const IwiImage* Bound(size_t material, TextureKind kind) const { return model.materialImages[material].Image(kind); }

  TempFolder folder;
  MaterialList materials;
  Xmodel model{materials};
};

}  // namespace

TEST_F(ModelImages, BindsEachMaterialsImagesByKind) {
  LogCapture log;
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  ASSERT_EQ(model.materialImages.size(), 2u);
  EXPECT_EQ(model.materialImages[0].materialName, "mtl_body");
  ASSERT_NE(Bound(0, TextureKind::Color), nullptr);
  EXPECT_EQ(Bound(0, TextureKind::Color)->GetName(), "~body_col.iwi");
  EXPECT_TRUE(Bound(0, TextureKind::Color)->IsLoaded());
  EXPECT_EQ(Bound(0, TextureKind::Normal)->GetName(), "body_nml.iwi");
  EXPECT_EQ(Bound(0, TextureKind::Specular), nullptr);
  EXPECT_EQ(Bound(1, TextureKind::Color)->GetName(), "glass_col.iwi");
  EXPECT_TRUE(log.Has("^1IWI Error(^4body_spc.iwi^7): Error Number: 3"));
  EXPECT_TRUE(log.Has("^2Material^7: mtl_body"));
  EXPECT_TRUE(log.Has("^2Material^7: mtl_glass"));
  EXPECT_EQ(model.progress, 99);
}

TEST_F(ModelImages, AnImageNamedTwiceIsReadOnceAndSharedByBoth) {
  materials.materials[1].textures[0].iwiName = "~body_col.iwi";
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  EXPECT_EQ(Bound(0, TextureKind::Color), Bound(1, TextureKind::Color));
  EXPECT_EQ(model.images.count("~body_col.iwi"), 1u);
}

// A later model (another game folder, other materials) never sees an earlier model's images.
TEST_F(ModelImages, ALaterModelKeepsNothingOfTheEarlierOne) {
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  TempFolder other;
  model.baseFolder = other.Root() + "/";  // no images at all
  materials.materials.push_back(materials.materials[0]);
  materials.materials.back().name = "mtl_third";
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  ASSERT_EQ(model.materialImages.size(), 3u);
  for (const MaterialImages& bound : model.materialImages) EXPECT_EQ(bound.Image(TextureKind::Color), nullptr);
  for (const auto& [name, image] : model.images) {
    EXPECT_FALSE(image.IsLoaded()) << name;
    EXPECT_EQ(image.FilePath(), "") << name;
  }
}

TEST_F(ModelImages, TexturesOffReadsNothingAndBindsNothing) {
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  LogCapture log;
  ASSERT_EQ(model.LoadImages(/*readFiles=*/false), ResultCode::Success);
  ASSERT_EQ(model.materialImages.size(), 2u);
  EXPECT_EQ(Bound(0, TextureKind::Color), nullptr);
  EXPECT_FALSE(model.images["~body_col.iwi"].IsLoaded());
  EXPECT_TRUE(log.Lines().empty());
}

TEST_F(ModelImages, NamesThatLeaveTheImagesFolderAreRefused) {
  testfiles::WriteGameFile(folder.Path("outside.iwi"), testfiles::MakeIwi({6, 11, 0, 4, 4, 1}));
  materials.materials[1].textures[0].iwiName = "../outside.iwi";
  LogCapture log;
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  EXPECT_EQ(Bound(1, TextureKind::Color), nullptr);
  EXPECT_TRUE(log.Has("^1IWI Error(^4../outside.iwi^7): Error Number: 23"));
}

TEST_F(ModelImages, AModelWithoutLodsHasNoImages) {
  model.info.lods.clear();
  EXPECT_EQ(model.LoadImages(), ResultCode::LodsMissing);
}

// Real models: a complete set of DXT images, and an uncompressed colour map beside a stock image
// that the game keeps in its archives.
TEST(ModelImagesRealData, RealModelsBindTheirImages) {
  MaterialList materials;
  Xmodel model(materials);
  ASSERT_EQ(testmodels::LoadRealModel(model, testmodels::kViewModel), ResultCode::Success);
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  int bound = 0;
  for (const MaterialImages& images : model.materialImages)
    for (int k = 0; k < kTextureKindCount; ++k) bound += images.present[k];
  EXPECT_GE(bound, 2);

  LogCapture log;
  ASSERT_EQ(testmodels::LoadRealModel(model, {"cod5", GameId::Cod5, "tom_katana_model"}), ResultCode::Success);
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  ASSERT_EQ(model.materialImages.size(), 1u);
  const IwiImage* colour = model.materialImages[0].Image(TextureKind::Color);
  ASSERT_NE(colour, nullptr);
  EXPECT_EQ(colour->Format(), 1);
  EXPECT_EQ(model.materialImages[0].Image(TextureKind::Normal), nullptr);
  EXPECT_TRUE(log.Has("^1IWI Error(^4$identitynormalmap.iwi^7): Error Number: 3"));
}
