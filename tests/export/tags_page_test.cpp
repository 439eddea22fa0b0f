#include "export/tags_page.h"

#include <gtest/gtest.h>

#include "export/tags_images.h"
#include "model/xmodel.h"
#include "support/golden.h"
#include "support/synthetic_model.h"
#include "support/temp_folder.h"

namespace {

class TagsPage : public ::testing::Test {
 protected:
  void SetUp() override { testmodels::MakeSmallModel(model_, materials_); }

  // A loaded model whose bones are exactly the given (name, parent) pairs, roots first.
  void SetBones(const std::vector<std::pair<std::string, uint8_t>>& bones) {
    model_.info.bones.clear();
    model_.info.rootBoneCount = 0;
    model_.info.childBoneCount = 0;
    for (const auto& [name, parent] : bones) testmodels::AddBone(model_, name, parent);
  }

  MaterialList materials_;
  Xmodel model_{materials_};
  TempFolder folder_;
};

}  // namespace

TEST_F(TagsPage, MatchesGoldenPage) {
  ASSERT_EQ(DumpTagsHtml(model_, folder_.Root()), ResultCode::Success);
  ExpectGolden(folder_.Read("small_prop_tags.html"), "export/golden/small_prop_tags.html");
}

TEST_F(TagsPage, JointTreeShapes) {
  // One root with a chain: one top-level entry, one nested list per generation, no empty lists.
  SetBones({{"a", 255}, {"b", 0}, {"c", 1}});
  EXPECT_EQ(WriteJointTree(model_),
            "<li><a id=\"tag_0_link\" num=\"0\" href=\"javascript:void()\">a</a><ul>"
            "<li><a id=\"tag_1_link\" num=\"1\" href=\"javascript:void()\">b</a><ul>"
            "<li><a id=\"tag_2_link\" num=\"2\" href=\"javascript:void()\">c</a></li></ul></li></ul></li>");

  // Two roots, each its own top-level entry; children in number order under their parent.
  SetBones({{"r1", 255}, {"r2", 255}, {"x", 1}, {"y", 0}, {"z", 1}});
  EXPECT_EQ(WriteJointTree(model_),
            "<li><a id=\"tag_0_link\" num=\"0\" href=\"javascript:void()\">r1</a><ul>"
            "<li><a id=\"tag_3_link\" num=\"3\" href=\"javascript:void()\">y</a></li></ul></li>"
            "<li><a id=\"tag_1_link\" num=\"1\" href=\"javascript:void()\">r2</a><ul>"
            "<li><a id=\"tag_2_link\" num=\"2\" href=\"javascript:void()\">x</a></li>"
            "<li><a id=\"tag_4_link\" num=\"4\" href=\"javascript:void()\">z</a></li></ul></li>");
}

// A bone whose parent is number 200 sits under bone 200; every bone is listed exactly once, even in
// a chain far deeper than a recursive writer could take.
TEST_F(TagsPage, DeepAndWideSkeletons) {
  std::vector<std::pair<std::string, uint8_t>> bones = {{"root", 255}};
  for (int i = 1; i <= 201; ++i) bones.push_back({"b" + std::to_string(i), static_cast<uint8_t>(i == 201 ? 200 : 0)});
  SetBones(bones);
  std::string tree = WriteJointTree(model_);
  EXPECT_NE(tree.find(">b200</a><ul><li><a id=\"tag_201_link\""), std::string::npos);

  model_.info.bones.clear();
  model_.info.bones.resize(60000);
  for (size_t i = 0; i < model_.info.bones.size(); ++i) {
    model_.info.bones[i].name = "j";
    model_.info.bones[i].parent = static_cast<uint8_t>(i == 0 ? 255 : (i - 1) % 255);
  }
  tree = WriteJointTree(model_);
  size_t entries = 0;
  for (size_t at = 0; (at = tree.find("<li>", at)) != std::string::npos; ++at) ++entries;
  EXPECT_EQ(entries, model_.info.bones.size());
}

TEST_F(TagsPage, NamesAreEscaped) {
  SetBones({{"<script>alert(1)</script>", 255}, {"a&b\"c'", 0}});
  model_.name = "x<y>";
  ASSERT_EQ(DumpTagsHtml(model_, folder_.Root() + "/"), ResultCode::Success);
  std::string page = folder_.Read("x<y>_tags.html");
  EXPECT_EQ(page.find("<script>alert"), std::string::npos);
  EXPECT_NE(page.find("&lt;script&gt;alert(1)&lt;/script&gt;"), std::string::npos);
  EXPECT_NE(page.find("a&amp;b&quot;c&#39;"), std::string::npos);
  EXPECT_NE(page.find("<title>x&lt;y&gt;</title>"), std::string::npos);
}

TEST_F(TagsPage, RefusesWithoutModelOrSkeleton) {
  model_.skeletonLoaded = false;
  EXPECT_EQ(DumpTagsHtml(model_, folder_.Root()), ResultCode::TagsNotLoaded);
  model_.loaded = false;
  EXPECT_EQ(DumpTagsHtml(model_, folder_.Root()), ResultCode::NotLoaded);
  EXPECT_EQ(folder_.Read("small_prop_tags.html"), "");
}

TEST_F(TagsPage, StaticFilesAreWrittenOnce) {
  ASSERT_EQ(WriteTagsStaticFiles(folder_.Root()), ResultCode::Success);
  EXPECT_EQ(folder_.Read("dotted.gif"), std::string(reinterpret_cast<const char*>(kDottedGif), sizeof kDottedGif));
  EXPECT_EQ(folder_.Read("joint.png"), std::string(reinterpret_cast<const char*>(kJointPng), sizeof kJointPng));
  EXPECT_EQ(folder_.Read("dotted.gif").substr(0, 6), "GIF89a");
  EXPECT_EQ(folder_.Read("joint.png").substr(1, 3), "PNG");

  // dotted.gif present: nothing is written, even when joint.png is missing.
  std::remove(folder_.Path("joint.png").c_str());
  EXPECT_EQ(WriteTagsStaticFiles(folder_.Root() + "/"), ResultCode::AlreadyPresent);
  EXPECT_EQ(folder_.Read("joint.png"), "");
}

// Real skeletons: every bone has one row and one tree entry, under its parent.
TEST_F(TagsPage, RealModelsListEveryBoneOnce) {
  for (const auto& ref : {testmodels::kSkinnedCharacter, testmodels::kEmptyBoneName, testmodels::kViewModel}) {
    SCOPED_TRACE(ref.name);
    MaterialList materials;
    Xmodel model(materials);
    ASSERT_EQ(testmodels::LoadRealModel(model, ref), ResultCode::Success);
    ASSERT_EQ(DumpTagsHtml(model, folder_.Root()), ResultCode::Success);
    const std::string page = folder_.Read(model.name + "_tags.html");
    const std::string tree = WriteJointTree(model);
    for (size_t i = 0; i < model.info.bones.size(); ++i) {
      const std::string id = "tag_" + std::to_string(i);
      EXPECT_NE(page.find("<tr id=\"" + id + "\">"), std::string::npos);
      const std::string link = "<li><a id=\"" + id + "_link\"";
      size_t at = tree.find(link);
      ASSERT_NE(at, std::string::npos) << id;
      EXPECT_EQ(tree.find(link, at + 1), std::string::npos) << id << " listed twice";
      const uint8_t parent = model.info.bones[i].parent;
      if (parent != 255) EXPECT_LT(tree.find("<a id=\"tag_" + std::to_string(parent) + "_link\""), at);
    }
  }
}
