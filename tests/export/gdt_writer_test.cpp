#include "export/gdt_writer.h"

#include <gtest/gtest.h>

#include "model/xmodel.h"
#include "support/golden.h"
#include "support/synthetic_model.h"
#include "support/temp_folder.h"

namespace {

class GdtWriter : public ::testing::Test {
 protected:
  void SetUp() override { testmodels::MakeSmallModel(model_, materials_); }

  ExportOptions options_;
  MaterialList materials_;
  Xmodel model_{materials_};
  TempFolder folder_;
};

}  // namespace

// The whole file, byte for byte, for both image formats and both folder layouts.
TEST_F(GdtWriter, MatchesGoldenFiles) {
  struct Case { bool subFolder; ImageTarget colourMaps; const char* golden; };
  for (const Case& c : {Case{true, ImageTarget::Dds, "small_prop_subfolder_dds.gdt"},
                        Case{false, ImageTarget::Tga, "small_prop_flat_tga.gdt"}}) {
    options_.subFolder = c.subFolder;
    options_.colourMaps = c.colourMaps;
    ASSERT_EQ(DumpGdt(model_, model_.name, folder_.Root(), options_, 0), ResultCode::Success);
    ExpectGolden(folder_.Read("small_prop.gdt"), std::string("export/golden/") + c.golden);
  }
}

TEST_F(GdtWriter, NamesAndTypes) {
  // A name that already ends in ".gdt" gets no second one; the folder is created.
  ASSERT_EQ(DumpGdt(model_, "given.gdt", folder_.Path("new/deeper"), options_, 0), ResultCode::Success);
  EXPECT_FALSE(folder_.Read("new/deeper/given.gdt").empty());
  EXPECT_NE(folder_.Read("new/deeper/given.gdt").find("\"type\" \"animated\""), std::string::npos);

  // One bone (or none) is rigid.
  model_.info.bones.resize(1);
  ASSERT_EQ(DumpGdt(model_, "rigid", folder_.Root(), options_, 0), ResultCode::Success);
  EXPECT_NE(folder_.Read("rigid.gdt").find("\"type\" \"rigid\""), std::string::npos);
}

// A failure never destroys an existing file, and an unloaded model writes nothing.
TEST_F(GdtWriter, FailuresKeepTheExistingFile) {
  folder_.Write("small_prop.gdt", "kept");
  materials_.loaded = false;
  materials_.materialNames.clear();  // nothing to read: the material list's load fails
  EXPECT_EQ(DumpGdt(model_, model_.name, folder_.Root(), options_, 0), ResultCode::NoMaterials);
  EXPECT_EQ(folder_.Read("small_prop.gdt"), "kept");

  model_.Unload();
  EXPECT_EQ(DumpGdt(model_, model_.name, folder_.Root(), options_, 0), ResultCode::NotLoaded);
  EXPECT_EQ(folder_.Read("small_prop.gdt"), "kept");
}

TEST_F(GdtWriter, OpenFailuresAreReported) {
  folder_.Write("blocker", "a file where a folder should be");
  EXPECT_EQ(DumpGdt(model_, model_.name, folder_.Path("blocker"), options_, 0), ResultCode::CantOpenFile);
}

// Real models: one record per material of LOD 0 that has a material file, and the model record.
TEST_F(GdtWriter, RealModels) {
  for (const auto& ref : {testmodels::kSkinnedCharacter, testmodels::kThreeLodWeapon, testmodels::kEmptyBoneName}) {
    SCOPED_TRACE(ref.name);
    MaterialList materials;
    Xmodel model(materials);
    ASSERT_EQ(testmodels::LoadRealModel(model, ref), ResultCode::Success);
    ASSERT_EQ(DumpGdt(model, model.name, folder_.Root(), options_, 0), ResultCode::Success);
    const std::string gdt = folder_.Read(model.name + ".gdt");
    size_t records = 0;
    for (const std::string& name : model.info.lods[0].uniqueMaterials) {
      if (gdt.find("\t\"" + name + "\" ( \"material.gdf\" )\r\n") != std::string::npos) ++records;
    }
    size_t written = 0;
    for (size_t at = 0; (at = gdt.find("\"material.gdf\"", at)) != std::string::npos; ++at) ++written;
    EXPECT_EQ(records, written);
    EXPECT_GE(written, 1u);
    EXPECT_NE(gdt.find("\t\"" + model.name + "\" ( \"xmodel.gdf\" )\r\n"), std::string::npos);
    EXPECT_NE(gdt.find(model.info.lods[0].surfsName + ".XMODEL_EXPORT\""), std::string::npos);
    EXPECT_NE(gdt.find(model.info.bones.size() > 1 ? "\"animated\"" : "\"rigid\""), std::string::npos);
  }
}
