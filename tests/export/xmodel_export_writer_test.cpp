#include "export/xmodel_export_writer.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string_view>

#include "export_test_util.h"
#include "support/model_fixture.h"
#include "support/temp_folder.h"

using namespace testmodels;
using exporttest::CrlfLines;
using exporttest::ReadAll;

namespace {

constexpr double kHalfRoot2 = 0.70710678118654752;

// Two roots and a chain of three bones; a weighted surface of three vertices and an unweighted
// one of four bound to the last bone; a material with colour, normal and specular maps (the
// colour image's name starts with "~") and one material without a record.
void BuildTinyModel(Xmodel& model, MaterialList& materials) {
  XmodelSurface weighted = Surface({Vertex(1, 2, 3, 0, 0, 1, 0.25f, 0.75f, 0xFF800000),
                                    Vertex(-1.5f, 0, 0.125f, 0, 1, 0, 0.5f, 0.5f, 0x00FF00FF),
                                    Vertex(0, 0, 10, 1, 0, 0, 1, 0, 0x102030FF)},
                                   {{{0, 1, 2}}}, 2);
  weighted.hasWeights = true;
  weighted.weightGroups = {Weights({}, 2), Weights({{3, 32768}}, 2), Weights({{3, 16384}, {4, 16384}}, 0)};
  XmodelSurface rigid = Surface({Vertex(0, 0, 0), Vertex(1, 0, 0), Vertex(1, 1, 0), Vertex(0, 1, 0)},
                                {{{0, 1, 2}}, {{0, 2, 3}}}, 4);
  std::vector<XmodelBone> bones = {
      Bone("tag_origin", -1), Bone("tag_flash", -1),
      Bone("j_a", 0, 1, 2, 3, Quaternion{0, 0, kHalfRoot2, kHalfRoot2}),  // 90 degrees about z
      Bone("j_b", 2, 4, 0, 0),
      Bone("j_c", 3, 0, 0, 5, Quaternion{kHalfRoot2, 0, 0, kHalfRoot2})};  // 90 degrees about x
  MakeLoaded(model, "tiny", {Lod("tiny_lod0", {weighted, rigid}, {"mtl_body", "mtl_glass"})}, bones, 2);
  model.info.lods[0].loadTime = 12;
  AddMaterial(materials, "mtl_body", {{"colorMap", "~body_col"}, {"normalMap", "body_nml"}, {"specularMap", "body_spc"}},
              {"~body_col", "body_nml"});
}

// The parts of an XMODEL_EXPORT file that the checks below compare.
struct ParsedXmodelExport {
  int numBones = -1, numVerts = -1, numFaces = -1, numObjects = -1, numMaterials = -1;
  std::vector<std::vector<std::pair<int, double>>> weights;  // per vertex: (bone, weight)
  std::vector<int> cornerVerts;                              // every VERT line of the faces
  std::vector<std::string> materialLines;
};

// The number after the first word of line ("NUMVERTS 12" gives 12), and the one after that.
bool Numbers(std::string_view line, size_t skip, int& first, double* second = nullptr) {
  const char* end = line.data() + line.size();
  auto [next, error] = std::from_chars(line.data() + skip, end, first);
  if (error != std::errc()) return false;
  if (second && (next == end || std::from_chars(next + 1, end, *second).ec != std::errc())) return false;
  return true;
}

ParsedXmodelExport Parse(const std::string& text) {
  ParsedXmodelExport file;
  bool inFaces = false;
  for (const std::string& whole : CrlfLines(text)) {
    std::string_view line = whole;
    auto starts = [&](std::string_view word) { return line.substr(0, word.size()) == word; };
    int number = 0;
    double weight = 0.0;
    if (starts("NUMBONES ")) Numbers(line, 9, file.numBones);
    else if (starts("NUMVERTS ")) Numbers(line, 9, file.numVerts);
    else if (starts("NUMFACES ")) inFaces = Numbers(line, 9, file.numFaces);
    else if (starts("NUMOBJECTS ")) inFaces = !Numbers(line, 11, file.numObjects);
    else if (starts("NUMMATERIALS ")) Numbers(line, 13, file.numMaterials);
    else if (starts("MATERIAL ")) file.materialLines.push_back(whole);
    else if (starts("VERT ") && !inFaces) file.weights.emplace_back();
    else if (starts("VERT ") && Numbers(line, 5, number)) file.cornerVerts.push_back(number);
    else if (starts("BONE ") && !file.weights.empty() && !inFaces && Numbers(line, 5, number, &weight))
      file.weights.back().push_back({number, weight});
  }
  return file;
}

std::string Golden(const std::string& name) { return std::string(DELVIX_SOURCE_DIR) + "/tests/export/golden/" + name; }

}  // namespace

// The whole file of a small model, byte for byte (CR LF included). Set DELVIX_UPDATE_GOLDEN=1
// to write the golden file anew after a deliberate change, then review its diff.
TEST(XmodelExport, TinyModelMatchesGoldenFile) {
  TempFolder temp;
  MaterialList materials;
  Xmodel model(materials);
  BuildTinyModel(model, materials);
  ASSERT_EQ(ExportXmodelExport(model, temp.Root(), ExportOptions{}), ResultCode::Success);
  const std::string written = ReadAll(temp.Path("tiny_lod0.XMODEL_EXPORT"));
  if (std::getenv("DELVIX_UPDATE_GOLDEN")) std::ofstream(Golden("tiny_lod0.XMODEL_EXPORT"), std::ios::binary) << written;
  EXPECT_EQ(written, ReadAll(Golden("tiny_lod0.XMODEL_EXPORT")));
  EXPECT_EQ(model.progress.load(), 99);
}

// Weights: raw 32768 of 65535 gives 0.500008 and the main bone the rest; without extra
// influences the main bone has 1.0; an unweighted surface binds to its first bone.
TEST(XmodelExport, VertexInfluences) {
  XmodelSurface surface = StripSurface(3);
  surface.hasWeights = true;
  surface.weightGroups = {Weights({}, 7), Weights({{3, 32768}}, 2), Weights({{1, 65535}, {2, 65535}}, 4)};
  std::vector<BoneInfluence> out;
  VertexInfluences(surface, 0, out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].bone, 7);
  EXPECT_EQ(out[0].weight, 1.0f);
  VertexInfluences(surface, 1, out);
  ASSERT_EQ(out.size(), 2u);
  char text[64];
  std::snprintf(text, sizeof text, "%d %.6f %d %.6f", out[0].bone, out[0].weight, out[1].bone, out[1].weight);
  EXPECT_STREQ(text, "3 0.500008 2 0.499992");
  VertexInfluences(surface, 2, out);  // capped at 1 each; the main bone's share goes negative
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].weight, 1.0f);
  EXPECT_EQ(out[2].weight, -1.0f);

  XmodelSurface rigid = Surface({Vertex(0, 0, 0)}, {}, 5);
  VertexInfluences(rigid, 0, out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].bone, 5);
  EXPECT_EQ(out[0].weight, 1.0f);
}

// The texture text names the images as the image export writes them.
TEST(XmodelExport, MaterialTextureText) {
  MaterialList list;
  AddMaterial(list, "plain", {{"detailMap", "d"}});
  AddMaterial(list, "tilde", {{"colorMap", "~wall~1"}, {"normalMap", "~wall_n"}});
  AddMaterial(list, "odds", {{"colorMap", "odds_col"}, {"Normal_Map", "odds_nml"}});
  AddMaterial(list, "bo", {{"normalMap", "n"}, {"Diffuse_MapSampler", "c"}});
  AddMaterial(list, "twocolour", {{"colorMap", "first"}, {"colorMap", "second"}});
  struct Case { const char* material; bool asTga; const char* text; };
  const Case cases[] = {
      {"plain", false, "color:img_not_located.dds"},
      {"missing", false, "color:img_not_located.dds"},
      {"tilde", false, "color:_wall_1.dds normal:_wall_n.tga"},
      {"odds", false, "color:odds_col.dds normal:odds_nml.tga"},  // only the extension changes
      {"odds", true, "color:odds_col.tga normal:odds_nml.tga"},
      {"bo", false, "color:c.dds"},  // a colour slot after a normal slot replaces the text
      {"twocolour", false, "color:first.dds"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(MaterialTextureText(c.material, list, c.asTga), c.text) << c.material << " tga " << c.asTga;
}

// The model's load scale is divided out while printing; the model is not touched.
TEST(XmodelExport, LoadScaleIsUndoneWithoutChangingTheModel) {
  TempFolder temp;
  MaterialList materials;
  Xmodel model(materials);
  MakeLoaded(model, "scaled", {Lod("scaled_lod0", {Surface({Vertex(1, -2, 0.5f)}, {})})},
             {Bone("tag_origin", -1), Bone("j_1", 0, 4, 0, 0)}, 1);
  model.ApplyScaleFactor(2.0f);
  ASSERT_EQ(ExportXmodelExport(model, temp.Root(), ExportOptions{}), ResultCode::Success);
  const std::string text = ReadAll(temp.Path("scaled_lod0.XMODEL_EXPORT"));
  EXPECT_NE(text.find("//Scale: 0.500000\r\n"), std::string::npos);
  EXPECT_NE(text.find("VERT 0\r\nOFFSET 1.000000, -2.000000, 0.500000\r\n"), std::string::npos);
  EXPECT_NE(text.find("BONE 1\r\nOFFSET 4.000000, 0.000000, 0.000000\r\n"), std::string::npos);
  EXPECT_EQ(model.info.lods[0].surfaces[0].vertices[0].position[0], 2.0f);
  EXPECT_EQ(model.info.bones[1].offset[0], 8.0f);

  // A scale of 0 is never applied, so the positions stay and the file holds them as read.
  model.ApplyScaleFactor(0.0f);
  ASSERT_EQ(ExportXmodelExport(model, temp.Root(), ExportOptions{}), ResultCode::Success);
  EXPECT_EQ(ReadAll(temp.Path("scaled_lod0.XMODEL_EXPORT")), text);
}

// Large models: more than 65,535 vertices keep their numbers; more than 255 bones all get poses;
// a bone whose parent is 130 sits relative to bone 130.
TEST(XmodelExport, LargeModelsNeitherWrapNorOverflow) {
  std::vector<XmodelBone> bones = {Bone("tag_origin", -1)};
  for (int i = 1; i < 300; ++i) bones.push_back(Bone("j_" + std::to_string(i), i == 131 ? 130 : (i - 1) % 255, 1, 0, 0));
  std::vector<XmodelSurface> surfaces;
  for (int s = 0; s < 3; ++s) surfaces.push_back(StripSurface(30000, s * 100.0f));
  TempFolder temp;
  MaterialList materials;
  Xmodel model(materials);
  MakeLoaded(model, "big", {Lod("big_lod0", std::move(surfaces), {"m", "m", "m"})}, bones, 1);
  ASSERT_EQ(ExportXmodelExport(model, temp.Root(), ExportOptions{}), ResultCode::Success);
  const std::string text = ReadAll(temp.Path("big_lod0.XMODEL_EXPORT"));
  ParsedXmodelExport file = Parse(text);
  EXPECT_EQ(file.numBones, 300);
  EXPECT_EQ(file.numVerts, 90000);
  ASSERT_EQ(file.cornerVerts.size(), 3u * 3 * 29998);
  EXPECT_EQ(file.cornerVerts.back(), 89999);  // the last corner of the last triangle, unwrapped
  EXPECT_NE(text.find("BONE 299\r\nOFFSET"), std::string::npos);
  // Bone 130 lies 130 units out along x, bone 131 one further.
  EXPECT_NE(text.find("BONE 131\r\nOFFSET 131.000000, 0.000000, 0.000000\r\n"), std::string::npos);
  EXPECT_NE(text.find("BONE 131 130 \"j_131\""), std::string::npos);
}

// Failures: preconditions in order, a folder that cannot be made, and a disk that fills up.
TEST(XmodelExport, FailuresAreReported) {
  TempFolder temp;
  MaterialList materials;
  Xmodel model(materials);
  EXPECT_EQ(ExportXmodelExport(model, temp.Root(), ExportOptions{}), ResultCode::NotLoaded);
  MakeLoaded(model, "m", {Lod("m_lod0", {StripSurface(3)})}, {Bone("tag_origin", -1)}, 1);
  model.surfacesSetUp = false;
  EXPECT_EQ(ExportXmodelExport(model, temp.Root(), ExportOptions{}), ResultCode::SurfacesNotSetUp);
  model.surfacesSetUp = true;
  model.info.lods[0].loaded = false;
  EXPECT_EQ(ExportXmodelExport(model, temp.Root(), ExportOptions{}), ResultCode::NotLoaded);
  EXPECT_TRUE(std::filesystem::is_empty(temp.Root()));
  model.info.lods[0].loaded = true;

  std::ofstream(temp.Path("file")) << "x";
  EXPECT_EQ(ExportXmodelExport(model, temp.Path("file/sub"), ExportOptions{}), ResultCode::CantOpenFile);
  exporttest::LinkToFullDevice(temp.Path("full"), "m_lod0.XMODEL_EXPORT");
  EXPECT_EQ(ExportXmodelExport(model, temp.Path("full"), ExportOptions{}), ResultCode::WriteFailed);
  model.info.lods.clear();
  EXPECT_EQ(ExportXmodelExport(model, temp.Root(), ExportOptions{}), ResultCode::InvalidIndex);
}

// Every real model that loads: the counts in the file are the model's, every weight names a bone
// of the skeleton, each vertex's weights sum to 1, every corner names a vertex of the file.
TEST(XmodelExport, RealModelsExportConsistentFiles) {
  std::vector<std::string> tried;
  std::vector<exporttest::RealModel> models = exporttest::LoadRealModels(&tried);
  ASSERT_FALSE(models.empty()) << "no real model loads (" << tried.size() << " found)";
  TempFolder temp;
  for (exporttest::RealModel& real : models) {
    SCOPED_TRACE(real.label);
    Xmodel& model = *real.model;
    ASSERT_EQ(ExportXmodelExport(model, temp.Path(real.label), ExportOptions{}), ResultCode::Success);
    const XmodelLod& lod = model.info.lods[0];
    ParsedXmodelExport file = Parse(ReadAll(temp.Path(real.label) + "/" + lod.surfsName + ".XMODEL_EXPORT"));
    size_t vertices = 0, triangles = 0;
    for (const XmodelSurface& surface : lod.surfaces) {
      vertices += surface.vertices.size();
      triangles += surface.triangles.size();
    }
    EXPECT_EQ(file.numBones, static_cast<int>(model.info.bones.size()));
    EXPECT_EQ(file.numVerts, static_cast<int>(vertices));
    EXPECT_EQ(file.numFaces, static_cast<int>(triangles));
    EXPECT_EQ(file.numObjects, static_cast<int>(lod.surfaces.size()));
    EXPECT_EQ(file.numMaterials, static_cast<int>(lod.uniqueMaterials.size()));
    EXPECT_EQ(file.materialLines.size(), lod.uniqueMaterials.size());
    ASSERT_EQ(file.weights.size(), vertices);
    for (size_t v = 0; v < file.weights.size(); ++v) {
      double sum = 0.0;
      for (auto [bone, weight] : file.weights[v]) {
        EXPECT_GE(bone, 0) << "vertex " << v;
        EXPECT_LT(bone, file.numBones) << "vertex " << v;
        sum += weight;
      }
      EXPECT_NEAR(sum, 1.0, 1e-5) << "vertex " << v;
    }
    ASSERT_EQ(file.cornerVerts.size(), 3 * triangles);
    for (int corner : file.cornerVerts) ASSERT_TRUE(corner >= 0 && corner < file.numVerts) << corner;
  }
  std::printf("[ info     ] %zu of %zu real models loaded and exported\n", models.size(), tried.size());
}
