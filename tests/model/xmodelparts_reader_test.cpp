// The xmodelparts (skeleton) reader on synthetic files.
#include <gtest/gtest.h>

#include <cstring>

#include "model/xmodel.h"
#include "support/parts_builder.h"

using testfiles::BuildPartsFile;
using testfiles::PartsFileSpec;

namespace {

ResultCode Parse(Xmodel& xmodel, const std::vector<uint8_t>& bytes) {
  xmodel.fileSize = 4000;  // the xmodel file's size limits the names
  return xmodel.ParseParts(bytes.data(), bytes.size());
}

PartsFileSpec TwoRootsThreeChildren() {
  PartsFileSpec shape;
  shape.rootNames = {"tag_origin", ""};  // real skeletons may have an empty root name
  shape.children = {
      {"j_hip", 0, {1.5f, 2.0f, -3.0f}, {0, 0, 0}},
      {"j_knee", 2, {0.0f, 10.0f, 0.0f}, {16383, 0, 0}},
      {"j_ankle", 3, {0.0f, 0.0f, 5.0f}, {0, -16383, 100}},
  };
  return shape;
}

}  // namespace

TEST(XmodelpartsReader, RootsFirstThenChildren) {
  Xmodel xmodel;
  ASSERT_EQ(Parse(xmodel, BuildPartsFile(TwoRootsThreeChildren())), ResultCode::Success);
  EXPECT_TRUE(xmodel.skeletonLoaded);
  EXPECT_EQ(xmodel.info.rootBoneCount, 2);
  EXPECT_EQ(xmodel.info.childBoneCount, 3);
  const std::vector<XmodelBone>& bones = xmodel.info.bones;
  ASSERT_EQ(bones.size(), 5u);
  const char* names[] = {"tag_origin", "", "j_hip", "j_knee", "j_ankle"};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(bones[i].name, names[i]);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(bones[i].parent, 255);
    EXPECT_EQ(bones[i].offset[0], 0.0f);
    EXPECT_EQ(bones[i].rotation.w, 1.0);
  }
  EXPECT_EQ(bones[2].parent, 0);
  EXPECT_EQ(bones[2].offset[2], -3.0f);
  EXPECT_EQ(bones[2].rotation.w, 1.0);  // packed (0, 0, 0) is the identity
  EXPECT_EQ(bones[3].parent, 2);
  EXPECT_DOUBLE_EQ(bones[3].rotation.x, 16383 / 32766.5);
  EXPECT_DOUBLE_EQ(bones[4].rotation.y, -16383 / 32766.5);
  EXPECT_EQ(xmodel.GetJointName(bones[4].parent), "j_knee");
  EXPECT_EQ(Parse(xmodel, BuildPartsFile(TwoRootsThreeChildren())), ResultCode::SkeletonLoaded);
}

TEST(XmodelpartsReader, SingleRootAndNoTrailingBytes) {
  PartsFileSpec shape;
  shape.rootNames = {""};
  shape.trailingBytes = false;
  Xmodel xmodel;
  ASSERT_EQ(Parse(xmodel, BuildPartsFile(shape)), ResultCode::Success);
  ASSERT_EQ(xmodel.info.bones.size(), 1u);
  EXPECT_EQ(xmodel.info.bones[0].parent, 255);
}

TEST(XmodelpartsReader, BadCountsAndParentsAreRefused) {
  auto withCounts = [](int16_t children, int16_t roots) {
    std::vector<uint8_t> bytes = BuildPartsFile(TwoRootsThreeChildren());
    std::memcpy(bytes.data() + 2, &children, 2);
    std::memcpy(bytes.data() + 4, &roots, 2);
    return bytes;
  };
  struct Case {
    const char* label;
    std::vector<uint8_t> bytes;
    ResultCode expected;
  };
  PartsFileSpec badParent = TwoRootsThreeChildren();
  badParent.children[2].parent = 5;  // one past the last bone
  PartsFileSpec rootParent = TwoRootsThreeChildren();
  rootParent.children[0].parent = 255;
  const Case cases[] = {
      {"child count -1", withCounts(-1, 2), ResultCode::InvalidIndex},
      {"root count -1", withCounts(3, -1), ResultCode::InvalidIndex},
      {"root count -32768", withCounts(3, -32768), ResultCode::InvalidIndex},
      {"counts larger than the file", withCounts(3000, 2), ResultCode::InvalidIndex},
      {"parent past the bones", BuildPartsFile(badParent), ResultCode::InvalidIndex},
      {"child with the root parent", BuildPartsFile(rootParent), ResultCode::InvalidIndex},
      {"names cut by the end", withCounts(3, 20), ResultCode::UnknownError},
  };
  for (const Case& c : cases) {
    Xmodel xmodel;
    EXPECT_EQ(Parse(xmodel, c.bytes), c.expected) << c.label;
    EXPECT_FALSE(xmodel.skeletonLoaded) << c.label;
    EXPECT_TRUE(xmodel.info.bones.empty()) << c.label;
  }
}
