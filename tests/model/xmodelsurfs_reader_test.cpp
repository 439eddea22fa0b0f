// The xmodelsurfs reader on synthetic files of both layouts.
#include <gtest/gtest.h>

#include <cstring>

#include "model/xmodel.h"
#include "support/surfs_builder.h"

using testfiles::BoneValues;
using testfiles::BuildSurfsFile;
using testfiles::MakeSurface;
using testfiles::SurfsFileSpec;
using testfiles::SurfsSurfaceSpec;

namespace {

struct Parsed {
  ResultCode result;
  XmodelLod lod;
  size_t bytesRead = 0;
  size_t size = 0;
};

Parsed Parse(const SurfsFileSpec& shape) {
  std::vector<uint8_t> bytes = BuildSurfsFile(shape);
  Xmodel xmodel;
  xmodel.game = shape.game;
  Parsed parsed;
  parsed.size = bytes.size();
  parsed.result = xmodel.ParseSurfsFile(bytes.data(), bytes.size(), parsed.lod, &parsed.bytesRead);
  return parsed;
}

SurfsFileSpec OneSurface(GameId game, SurfsSurfaceSpec surface) {
  SurfsFileSpec shape;
  shape.game = game;
  shape.surfaces.push_back(std::move(surface));
  return shape;
}

const GameId kLayouts[] = {GameId::Cod4, GameId::CodBo};

}  // namespace

TEST(XmodelsurfsReader, WeightingCasesInBothLayouts) {
  struct Case {
    BoneValues boneCase;
    bool weighted;
    std::vector<uint32_t> boneList;
  };
  const Case cases[] = {
      {BoneValues::Chain, true, {0x00010001u, 0x00030001u}},
      {BoneValues::SkipTwo, true, {0x00050001u}},
      {BoneValues::Rigid, false, {0x00070019u}},  // lo = 25 = the vertex count
      {BoneValues::ZeroLow, true, {24u << 16}},   // hi is the influence total: 8 x (0 + 1 + 2)
  };
  for (GameId game : kLayouts) {
    for (const Case& c : cases) {
      SCOPED_TRACE(static_cast<int>(c.boneCase));
      SCOPED_TRACE(static_cast<int>(game));
      Parsed parsed = Parse(OneSurface(game, MakeSurface(c.boneCase, 25)));
      ASSERT_EQ(parsed.result, ResultCode::Success);
      EXPECT_EQ(parsed.bytesRead, parsed.size);
      const XmodelSurface& surface = parsed.lod.surfaces.at(0);
      EXPECT_EQ(surface.hasWeights, c.weighted);
      EXPECT_EQ(surface.boneList, c.boneList);
      ASSERT_EQ(surface.vertices.size(), 25u);
      EXPECT_EQ(surface.weightGroups.size(), c.weighted ? 25u : 0u);
      for (int i = 0; i < 25; ++i) {
        const XmodelVertex& vertex = surface.vertices[i];
        EXPECT_EQ(vertex.position[0], static_cast<float>(i));
        EXPECT_EQ(vertex.position[1], i + 0.5f);
        EXPECT_EQ(vertex.color[0], i);
        EXPECT_EQ(vertex.u, 0.125f * i);
        EXPECT_EQ(vertex.v, 0.75f);  // 1 - 0.25
        EXPECT_EQ(vertex.normal[2], 1.0f);
        EXPECT_EQ(vertex.tangent[1], 1.0f);
        if (c.weighted) {
          const XmodelWeightGroup& group = surface.weightGroups[i];
          EXPECT_EQ(group.mainBone, 2);
          EXPECT_EQ(group.influenceCount, i % 3);
          EXPECT_EQ(group.influences.size(), static_cast<size_t>(i % 3));
        }
      }
      EXPECT_EQ(surface.triangles.size(), 23u);
      EXPECT_EQ(surface.triangles[22].indices[2], 24);
    }
  }
}

TEST(XmodelsurfsReader, SkipTwoCaseNeedsLoBelowTheVertexCount) {
  // lo = 10 on 25 vertices: weighted; lo = 25: rigid (and no 2 bytes after X).
  SurfsSurfaceSpec weighted = MakeSurface(BoneValues::SkipTwo, 25);
  weighted.boneValues = {0x0000000Au};
  Parsed w = Parse(OneSurface(GameId::Cod4, weighted));
  ASSERT_EQ(w.result, ResultCode::Success);
  EXPECT_TRUE(w.lod.surfaces[0].hasWeights);
  SurfsSurfaceSpec rigid = MakeSurface(BoneValues::Rigid, 25);
  rigid.boneValues = {0x00000019u};
  Parsed r = Parse(OneSurface(GameId::Cod4, rigid));
  ASSERT_EQ(r.result, ResultCode::Success);
  EXPECT_FALSE(r.lod.surfaces[0].hasWeights);
  EXPECT_EQ(r.bytesRead, r.size);
}

TEST(XmodelsurfsReader, InfluenceCountsByLayout) {
  // Cod4/Cod5 read influence values for counts 1..99 only; Cod BO for every count.
  struct Case {
    GameId game;
    uint8_t count;
    size_t valuesInFile;
    size_t valuesRead;
  };
  const Case cases[] = {
      {GameId::Cod4, 0, 0, 0}, {GameId::Cod4, 99, 99, 99}, {GameId::Cod4, 100, 0, 0}, {GameId::CodBo, 120, 120, 120},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.count);
    SurfsSurfaceSpec surface = MakeSurface(BoneValues::ZeroLow, 3);
    surface.vertices[1].influenceCount = c.count;
    surface.vertices[1].influences.assign(c.valuesInFile, 0x12340005u);
    Parsed parsed = Parse(OneSurface(c.game, surface));
    ASSERT_EQ(parsed.result, ResultCode::Success);
    EXPECT_EQ(parsed.bytesRead, parsed.size);
    const XmodelWeightGroup& group = parsed.lod.surfaces[0].weightGroups[1];
    EXPECT_EQ(group.influenceCount, c.count);
    EXPECT_EQ(group.influences.size(), c.valuesRead);
    EXPECT_EQ(parsed.lod.surfaces[0].vertices[2].position[0], 2.0f);  // still aligned
  }
}

TEST(XmodelsurfsReader, TensionVerticesOfCodBo) {
  SurfsFileSpec shape;
  shape.game = GameId::CodBo;
  for (BoneValues boneCase : {BoneValues::Rigid, BoneValues::Chain}) {
    SurfsSurfaceSpec surface = MakeSurface(boneCase, 6);
    for (auto& vertex : surface.vertices) vertex.tension = true;
    shape.surfaces.push_back(surface);
  }
  shape.surfaces.push_back(MakeSurface(BoneValues::SkipTwo, 4));  // an ordinary surface after them
  Parsed parsed = Parse(shape);
  ASSERT_EQ(parsed.result, ResultCode::Success);
  EXPECT_EQ(parsed.bytesRead, parsed.size);
  ASSERT_EQ(parsed.lod.surfaces.size(), 3u);
  for (const XmodelSurface& surface : parsed.lod.surfaces) {
    EXPECT_EQ(surface.vertices.back().position[0], static_cast<float>(surface.vertexCount - 1));
  }
}

TEST(XmodelsurfsReader, SurfaceCountsAndProgress) {
  Parsed empty = Parse(SurfsFileSpec{});  // no surface: no division by zero
  EXPECT_EQ(empty.result, ResultCode::Success);
  EXPECT_TRUE(empty.lod.loaded);
  EXPECT_EQ(empty.lod.surfaceCount, 0);

  SurfsFileSpec three;
  three.game = GameId::Cod4;
  three.surfaces = {MakeSurface(BoneValues::Rigid, 3), MakeSurface(BoneValues::Rigid, 3), MakeSurface(BoneValues::Rigid, 3)};
  std::vector<uint8_t> bytes = BuildSurfsFile(three);
  Xmodel xmodel;
  xmodel.game = GameId::Cod4;
  xmodel.progress = 1;
  XmodelLod lod;
  ASSERT_EQ(xmodel.ParseSurfsFile(bytes.data(), bytes.size(), lod), ResultCode::Success);
  EXPECT_EQ(xmodel.progress.load(), 67);  // 1, 34, 67, and 67 + 33 is not below 100
  EXPECT_EQ(xmodel.ParseSurfsFile(bytes.data(), bytes.size(), lod), ResultCode::AlreadyLoaded);
}

TEST(XmodelsurfsReader, InconsistentSurfacesAreRefused) {
  struct Case {
    const char* label;
    GameId game;
    SurfsSurfaceSpec surface;
    ResultCode expected;
  };
  SurfsSurfaceSpec badIndex = MakeSurface(BoneValues::Rigid, 5);
  badIndex.triangles.push_back({0, 1, 5});
  SurfsSurfaceSpec badTotal = MakeSurface(BoneValues::Chain, 5);
  badTotal.influenceTotal = 99;
  SurfsSurfaceSpec noTriangles = MakeSurface(BoneValues::Rigid, 5);
  noTriangles.triangles.clear();
  SurfsSurfaceSpec noVertices = MakeSurface(BoneValues::Rigid, 0);
  // Read with the Cod BO layout, a Cod4 file is misaligned from the first vertex on.
  const Case cases[] = {
      {"triangle index past the vertices", GameId::Cod5, badIndex, ResultCode::InvalidIndex},
      {"influence total", GameId::CodBo, badTotal, ResultCode::InvalidIndex},
      {"no triangles", GameId::Cod4, noTriangles, ResultCode::InvalidIndex},
      {"no vertices", GameId::Cod4, noVertices, ResultCode::InvalidIndex},
  };
  for (const Case& c : cases) {
    Parsed parsed = Parse(OneSurface(c.game, c.surface));
    EXPECT_EQ(parsed.result, c.expected) << c.label;
    EXPECT_FALSE(parsed.lod.loaded) << c.label;
    EXPECT_TRUE(parsed.lod.surfaces.empty()) << c.label;
  }
  std::vector<uint8_t> cod4 = BuildSurfsFile(OneSurface(GameId::Cod4, MakeSurface(BoneValues::Chain, 40)));
  Xmodel asBo;
  asBo.game = GameId::CodBo;
  XmodelLod lod;
  EXPECT_NE(asBo.ParseSurfsFile(cod4.data(), cod4.size(), lod), ResultCode::Success);
}

TEST(XmodelsurfsReader, CountsThatCannotFitAreRefusedBeforeAllocating) {
  std::vector<uint8_t> bytes = BuildSurfsFile(OneSurface(GameId::Cod4, MakeSurface(BoneValues::Rigid, 4)));
  for (auto [offset, value] : {std::pair<size_t, int16_t>{2, 32767}, {2, -1}, {7, 32767}, {9, 32767}}) {
    std::vector<uint8_t> patched = bytes;
    std::memcpy(patched.data() + offset, &value, 2);
    Xmodel xmodel;
    xmodel.game = GameId::Cod4;
    XmodelLod lod;
    EXPECT_EQ(xmodel.ParseSurfsFile(patched.data(), patched.size(), lod), ResultCode::InvalidIndex)
        << "offset " << offset << " value " << value;
  }
}

TEST(XmodelsurfsReader, AllZeroFirstBoneValueIsWeightedInEveryGame) {
  // Real Cod4 files hold such surfaces: weighted records with influence count 0.
  for (GameId game : {GameId::Cod4, GameId::Cod5, GameId::CodBo}) {
    SurfsSurfaceSpec surface = MakeSurface(BoneValues::ZeroLow, 9);
    for (int i = 0; i < 9; ++i) {
      surface.vertices[i].influenceCount = 0;
      surface.vertices[i].influences.clear();
      surface.vertices[i].mainBone = static_cast<int16_t>(i);
    }
    Parsed parsed = Parse(OneSurface(game, surface));
    ASSERT_EQ(parsed.result, ResultCode::Success);
    EXPECT_EQ(parsed.bytesRead, parsed.size);
    const XmodelSurface& read = parsed.lod.surfaces[0];
    EXPECT_EQ(read.boneList, (std::vector<uint32_t>{0}));
    EXPECT_TRUE(read.hasWeights);
    EXPECT_EQ(read.weightGroups[8].mainBone, 8);
  }
}
