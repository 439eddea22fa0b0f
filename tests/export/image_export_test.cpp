// The model's image export (job flag 0x800) and the single IWI conversion (0x200, 0x400).
#include "export/image_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "jobs/xmodel_threaded.h"
#include "support/game_files.h"
#include "support/iwi_builder.h"
#include "support/job_thread.h"
#include "support/log_capture.h"
#include "support/synthetic_model.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"

namespace {

// The small model of the test helpers in a temporary game folder: every image of its materials
// exists except body_spc.iwi; the export goes to <folder>/export/images.
class ImageExportJob : public testing::Test {
 protected:
  void SetUp() override {
    testmodels::MakeSmallModel(model, materials);
    model.baseFolder = folder.Path("game/");
    for (const char* name : {"~body_col.iwi", "body_nml.iwi", "glass_col.iwi"})
      testfiles::WriteGameFile(folder.Path("game/images/") + name, testfiles::MakeIwi({6, 13, 0, 8, 8, 0}));
    options.imagesLocal = true;
  }

  bool Exists(const std::string& relative) const { return std::filesystem::is_regular_file(folder.Path(relative)); }
  int FilesIn(const std::string& relative) const {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path(relative))) ++count;
    return count;
  }

  TempFolder folder;
  MaterialList materials;
  Xmodel model{materials};
  const std::string exportImages = folder.Path("export/images");
  ExportOptions options;
};

}  // namespace

TEST_F(ImageExportJob, ColourMapsAsDdsOtherTexturesAsTgaEachOnce) {
  // glass also uses ~body_col, in a second colour slot: both of its colour images are written
  materials.materials[1].textures.push_back(materials.materials[0].textures[0]);
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  LogCapture log;
  ASSERT_EQ(MoveModelImages(model, exportImages, options), ResultCode::Success);
  EXPECT_TRUE(Exists("export/images/_body_col.dds"));
  EXPECT_TRUE(Exists("export/images/body_nml.tga"));
  EXPECT_TRUE(Exists("export/images/glass_col.dds"));
  EXPECT_EQ(FilesIn("export/images"), 3);
  EXPECT_EQ(log.Count("^5Moved^7: ~body_col.iwi"), 1);
  EXPECT_TRUE(log.Has("^5Moved^7: body_nml.iwi"));
  EXPECT_TRUE(log.Has("^4IWI Not Set"));  // body_spc.iwi is missing
}

TEST_F(ImageExportJob, TheTgaChoiceAppliesToColourMaps) {
  options.colourMaps = ImageTarget::Tga;
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  ASSERT_EQ(MoveModelImages(model, exportImages, options), ResultCode::Success);
  EXPECT_TRUE(Exists("export/images/_body_col.tga"));
  EXPECT_TRUE(Exists("export/images/glass_col.tga"));
  EXPECT_FALSE(Exists("export/images/_body_col.dds"));
}

// Images not loaded for the view are read by name and written the same way.
TEST_F(ImageExportJob, WithoutLoadedImagesTheyAreReadByName) {
  ASSERT_EQ(model.LoadImages(/*readFiles=*/false), ResultCode::Success);
  ASSERT_EQ(MoveModelImages(model, exportImages, options), ResultCode::Success);
  EXPECT_TRUE(Exists("export/images/_body_col.dds"));
  EXPECT_TRUE(Exists("export/images/body_nml.tga"));
  EXPECT_TRUE(Exists("export/images/glass_col.dds"));
}

TEST_F(ImageExportJob, BesideTheIwiFilesWhenImagesAreNotLocal) {
  options.imagesLocal = false;
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  ASSERT_EQ(MoveModelImages(model, exportImages, options), ResultCode::Success);
  EXPECT_TRUE(Exists("game/images/~body_col.dds"));
  EXPECT_TRUE(Exists("game/images/body_nml.tga"));
  EXPECT_EQ(FilesIn("export/images"), 0);
}

TEST_F(ImageExportJob, ReportsTheRealReasonAndNeedsALoadedModel) {
  testfiles::WriteGameFile(folder.Path("game/images/glass_col.iwi"), {'I', 'W', 'i', 7});
  ASSERT_EQ(model.LoadImages(), ResultCode::Success);
  LogCapture log;
  ASSERT_EQ(MoveModelImages(model, exportImages, options), ResultCode::Success);
  EXPECT_TRUE(log.Has("^1IWI Error^7: Error Number: 17"));
  EXPECT_FALSE(Exists("export/images/glass_col.dds"));

  model.loaded = false;
  EXPECT_EQ(MoveModelImages(model, exportImages, options), ResultCode::NotLoaded);
}

TEST_F(ImageExportJob, ConvertIwiWritesBesideTheIwiFile) {
  LogCapture log;
  EXPECT_EQ(ConvertIwi(model, "colorMap:mtl_body", ImageTarget::Dds), ResultCode::Success);
  EXPECT_TRUE(Exists("game/images/~body_col.dds"));
  EXPECT_TRUE(log.Has("Converted: _body_col.iwi"));
  EXPECT_EQ(ConvertIwi(model, "normalMap:mtl_body", ImageTarget::Tga), ResultCode::Success);
  EXPECT_TRUE(Exists("game/images/body_nml.tga"));
  EXPECT_TRUE(log.Has("Converted: body_nml.iwi"));

  testfiles::WriteGameFile(folder.Path("game/images/glass_col.iwi"), {'I', 'W', 'i', 7});
  EXPECT_EQ(ConvertIwi(model, "colorMap:mtl_glass", ImageTarget::Tga), ResultCode::Success);
  EXPECT_TRUE(log.Has("IWI Error: Error Number: 17"));
}

TEST_F(ImageExportJob, ConvertIwiWithNothingToConvertLogsAnEmptyLine) {
  LogCapture log;
  for (const char* path : {"colorMap", "colorMap:mtl_none", "specularMap:mtl_body"})
    EXPECT_EQ(ConvertIwi(model, path, ImageTarget::Dds), ResultCode::Success) << path;
  EXPECT_EQ(log.Lines(), std::vector<std::string>(3, ""));
}

TEST(ImageExportSteps, PlugsIntoTheJobThread) {
  JobSteps steps;
  AddImageSteps(steps);
  EXPECT_TRUE(steps.loadImages && steps.moveImages && steps.convertIwi);
}

// A real model through the job thread: the row click loads its images, the export's image step
// writes them, a conversion writes one beside its IWI file.
TEST(ImageStepsThread, RealModelThroughTheJobThread) {
  TempFolder folder;
  JobOptions options = testing_support::OptionsFor(GameId::Cod5, folder.Path("export"));
  options.exports.imagesLocal = true;
  std::filesystem::create_directories(folder.Path("game"));  // the conversion writes beside the IWI files
  std::filesystem::copy(testfiles::RealDataPath("cod5/raw"), folder.Path("game/raw"),
                        std::filesystem::copy_options::recursive);
  LogCapture log;
  {
    XmodelThreaded jobs;
    testing_support::StartJobThread(jobs, AddImageSteps, options, folder.Root());
    jobs.AddJob(folder.Path("game/raw/xmodel/viewmodel_richtofen_diary_pencil"), kModelLoadJob, false);
    jobs.AddJob("", MoveImages, false);
    jobs.AddJob("normalMap:mtl_richtofen_diary_pencil", IwiToDds, false);
    EXPECT_TRUE(testing_support::WaitUntil([&] { return log.Has("Converted: i_richtofen_diary_pencil_n.iwi"); }));
    jobs.Stop();
  }
  EXPECT_TRUE(log.Has("^5Moved Images Across"));
  EXPECT_TRUE(std::filesystem::is_regular_file(folder.Path("export/images/i_richtofen_diary_pencil_c.dds")));
  EXPECT_TRUE(std::filesystem::is_regular_file(folder.Path("export/images/i_richtofen_diary_pencil_n.tga")));
  EXPECT_TRUE(std::filesystem::is_regular_file(folder.Path("game/raw/images/i_richtofen_diary_pencil_n.dds")));
}
