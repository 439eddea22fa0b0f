#include "export/maya_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "core/log.h"
#include "export_test_util.h"
#include "maya_ascii_check.h"
#include "support/model_fixture.h"
#include "support/golden.h"
#include "support/log_capture.h"
#include "support/synthetic_model.h"
#include "support/temp_folder.h"
#include "support/unprivileged.h"

using testmodels::Bone;
using testmodels::Lod;
using testmodels::Surface;
using testmodels::Vertex;
using testmodels::Weights;

namespace {

// The export options a test gives the writer: by default with the bind script and the images in
// the export folder.
class MayaExport : public ::testing::Test {
 protected:
  void SetUp() override {
    options_.melBind = true;
    options_.imagesLocal = true;
  }

  // Exports lod of model into the temporary folder; the scene and script texts.
  struct Files {
    std::string scene, script;
  };
  Files Export(Xmodel& model, int lod = 0) {
    EXPECT_EQ(ExportMaya(model, lod, folder_.Root(), options_), ResultCode::Success);
    const std::string base = folder_.Root() + "/" + model.info.lods[static_cast<size_t>(lod)].surfsName;
    return {exporttest::ReadAll(base + ".ma"), exporttest::ReadAll(base + "_bind.mel")};
  }

  TempFolder folder_;
  ExportOptions options_;
};

XmodelTriangle Tri(int a, int b, int c) {
  return {{static_cast<uint16_t>(a), static_cast<uint16_t>(b), static_cast<uint16_t>(c)}};
}

// A weighted surface of vertices on a line, one weight group per vertex.
XmodelSurface WeightedSurface(std::vector<XmodelWeightGroup> groups) {
  std::vector<XmodelVertex> vertices;
  std::vector<XmodelTriangle> triangles;
  for (size_t i = 0; i < groups.size(); ++i) vertices.push_back(Vertex(float(i), float(i % 2), 0, 0, 0, 1, 0.1f * i, 0.5f));
  for (size_t i = 0; i + 2 < groups.size(); ++i) triangles.push_back(Tri(int(i), int(i) + 1, int(i) + 2));
  if (triangles.empty()) triangles.push_back(Tri(0, 0, 0));
  XmodelSurface surface = Surface(std::move(vertices), std::move(triangles));
  surface.hasWeights = true;
  surface.weightGroups = std::move(groups);
  return surface;
}

std::vector<int> VertexCounts(const XmodelLod& lod) {
  std::vector<int> counts;
  for (const XmodelSurface& surface : lod.surfaces) counts.push_back(static_cast<int>(surface.vertices.size()));
  return counts;
}

std::vector<bool> WeightedFlags(const XmodelLod& lod) {
  std::vector<bool> flags;
  for (const XmodelSurface& surface : lod.surfaces) flags.push_back(surface.hasWeights);
  return flags;
}

std::set<std::string> JointSet(const MayaScene& scene) { return {scene.joints.begin(), scene.joints.end()}; }

// The weights a vertex should end with: each extra influence its 16-bit weight / 65535, the main
// bone the rest.
std::map<std::string, double> ExpectedWeights(const Xmodel& model, const XmodelWeightGroup& group) {
  std::map<std::string, double> weights;
  double rest = 1.0;
  for (uint32_t influence : group.influences) {
    double w = (influence >> 16) / 65535.0;
    weights[model.info.bones[static_cast<int16_t>(influence & 0xFFFF)].name] += w;
    rest -= w;
  }
  weights[model.info.bones[group.mainBone].name] += rest;
  return weights;
}

// Checks the scene and the script of lod against the model: structure, counts, mesh data, joints
// and every vertex's weights.
void CheckExport(const Xmodel& model, int lodIndex, const std::string& sceneText, const std::string& scriptText) {
  const XmodelLod& lod = model.info.lods[static_cast<size_t>(lodIndex)];
  const MayaScene scene = CheckMayaAscii(sceneText);
  for (const std::string& error : scene.errors) ADD_FAILURE() << "scene: " << error;

  ASSERT_EQ(scene.meshes.size(), lod.surfaces.size());
  for (size_t i = 0; i < lod.surfaces.size(); ++i) {
    const XmodelSurface& surface = lod.surfaces[i];
    const MayaMesh& mesh = scene.meshes[i];
    EXPECT_EQ(mesh.shape, "MeshShape_" + std::to_string(i));
    EXPECT_EQ(mesh.vertices, static_cast<int>(surface.vertices.size()));
    EXPECT_EQ(mesh.uvs, static_cast<int>(surface.vertices.size()));
    ASSERT_EQ(mesh.faces, static_cast<int>(surface.triangles.size()));
    for (size_t v = 0; v < surface.vertices.size(); ++v) {
      for (int k = 0; k < 3; ++k) ASSERT_NEAR(mesh.positions[3 * v + k], surface.vertices[v].position[k], 1e-5);
    }
    for (size_t t = 0; t < surface.triangles.size(); ++t) {  // corners c, b, a: the winding reversed
      const auto& idx = surface.triangles[t].indices;
      const std::vector<int> expected = {idx[2], idx[1], idx[0]};
      ASSERT_EQ(mesh.faceVertices[t], expected) << "surface " << i << " face " << t;
      ASSERT_EQ(mesh.faceUvs[t], expected);
    }
  }
  size_t named = 0;
  for (const XmodelBone& bone : model.info.bones) named += bone.name.empty() ? 0 : 1;
  EXPECT_EQ(scene.joints.size(), named);

  if (scriptText.empty()) return;  // exported without the bind script
  const MelBind bind = CheckMelBind(scriptText, JointSet(scene), VertexCounts(lod), WeightedFlags(lod));
  for (const std::string& error : bind.errors) ADD_FAILURE() << "script: " << error;
  for (const auto& [surfaceIndex, vertices] : bind.weights) {
    const XmodelSurface& surface = lod.surfaces[static_cast<size_t>(surfaceIndex)];
    for (size_t v = 0; v < vertices.size(); ++v) {
      std::map<std::string, double> expected = ExpectedWeights(model, surface.weightGroups[v]);
      std::map<std::string, double> got = vertices[v];
      for (const auto& [joint, weight] : got) expected.emplace(joint, 0.0);
      for (const auto& [joint, weight] : expected) {
        EXPECT_NEAR(got[joint], weight, 2e-5) << "surface " << surfaceIndex << " vertex " << v << " " << joint;
      }
    }
  }
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// Golden files: one small model, byte for byte (CR LF included).
// ---------------------------------------------------------------------------------------------

// Two surfaces (one rigid, one weighted with a shared vertex), two bones listed child first, one
// textured material and one without a colour map.
TEST_F(MayaExport, SmallModelMatchesGoldenFiles) {
  MaterialList materials;
  Xmodel model(materials);
  XmodelSurface rigid = Surface({Vertex(0, 0, 0, 0, 0, 1, 0, 1), Vertex(1, 0, 0, 0, 0, 1, 1, 1), Vertex(0, 1, 0, 0, 0.6f, 0.8f, 0, 0)},
                                {Tri(0, 1, 2)}, 1);
  XmodelSurface weighted = WeightedSurface({Weights({}, 0), Weights({{1, 16384}}, 0), Weights({}, 1)});
  testmodels::MakeLoaded(model, "small_prop",
                         {Lod("small_prop_lod0", {rigid, weighted}, {"mtl_small_wood", "mtl_small_glass"})},
                         {Bone("j_lid", 1, 1.5f, -2.25f, 0.125f, Quaternion{0, 0, 0.70710678, 0.70710678}),
                          Bone("tag_origin", -1)},
                         0);
  model.info.lods[0].loadTime = 3;
  model.info.boneScale = 2.54f;  // as a load at scale 2.54 leaves it: the joints' radius follows
  testmodels::AddMaterial(materials, "mtl_small_wood", {{"colorMap", "~small_wood_c"}, {"normalMap", "small_wood_n"}});
  testmodels::AddMaterial(materials, "mtl_small_glass", {{"specularMap", "small_glass_s"}});

  const Files files = Export(model);
  ExpectGolden(files.scene, "export/golden/maya_small_prop.ma");
  ExpectGolden(files.script, "export/golden/maya_small_prop_bind.mel");
  CheckExport(model, 0, files.scene, files.script);
}

// ---------------------------------------------------------------------------------------------
// Scene structure
// ---------------------------------------------------------------------------------------------

// Several surfaces with vertex count != triangle count and nine UVs; a skeleton listing children
// before parents, an unnamed bone with a child, a parent loop; materials missing from the list,
// with two colour slots, or listed twice. The scene stays well formed and complete.
TEST_F(MayaExport, SceneIsWellFormedForAwkwardModels) {
  MaterialList materials;
  Xmodel model(materials);
  std::vector<XmodelSurface> surfaces = {testmodels::StripSurface(9), testmodels::StripSurface(4, 5.0f),
                                         testmodels::StripSurface(3, -3.0f), testmodels::StripSurface(12, 1.0f)};
  testmodels::MakeLoaded(model, "awkward",
                         {Lod("awkward_lod0", surfaces, {"mtl_a", "mtl_missing", "mtl_b", "mtl_a"})},
                         {Bone("tag_origin", -1), Bone("j_hand", 3), Bone("", 0), Bone("j_arm", 0),
                          Bone("j_orphan", 2), Bone("j_loop_a", 6), Bone("j_loop_b", 5), Bone("j_self", 7)},
                         1);
  testmodels::AddMaterial(materials, "mtl_a", {{"colorMap", "a_c"}, {"Diffuse_MapSampler", "a_d"}});
  testmodels::AddMaterial(materials, "mtl_b", {{"normalMap", "b_n"}});
  testmodels::AddMaterial(materials, "mtl_a", {{"colorMap", "a_again"}});

  const Files files = Export(model);
  CheckExport(model, 0, files.scene, files.script);
  const MayaScene scene = CheckMayaAscii(files.scene);
  EXPECT_EQ(scene.parents.at("j_hand"), "j_arm");
  EXPECT_EQ(scene.parents.at("j_arm"), "tag_origin");
  EXPECT_EQ(scene.parents.at("j_orphan"), "Joints");  // its parent has no name, so no joint
  EXPECT_EQ(scene.parents.at("j_self"), "Joints");
  EXPECT_TRUE(scene.parents.at("j_loop_a") == "Joints" || scene.parents.at("j_loop_b") == "Joints");
  EXPECT_EQ(scene.nodeTypes.at("mtl_missingSG"), "shadingEngine");  // plain network, nothing dangles
  EXPECT_EQ(scene.fileTextures.size(), 1u);
  EXPECT_EQ(scene.fileTextures.at("mtl_aFILE"), "images/a_c.dds");
}

// The counts Maya reads for a mesh of 10 vertices and 4 triangles, nine UVs on three lines, and a
// LOD without surfaces.
TEST_F(MayaExport, MeshHeadersAndEmptyLod) {
  MaterialList materials;
  Xmodel model(materials);
  XmodelSurface surface = testmodels::StripSurface(10);
  surface.triangles.resize(4);
  surface.triangleCount = 4;
  XmodelSurface nine = testmodels::StripSurface(9);
  testmodels::MakeLoaded(model, "m", {Lod("m_lod0", {surface, nine}, {"x", "x"}), Lod("m_lod1", {})}, {Bone("tag_origin", -1)}, 1);
  options_.melBind = false;

  const Files files = Export(model);
  for (const char* expected : {"\"f[0:10]\";", "setAttr -s 10 \".uvst[0].uvsp[0:9]\"", "setAttr -s 12 \".clst[0].clsp\";",
                               "\".clst[0].clsp[0:11]\"", "setAttr -s 12 \".ed[0:11]\"", "setAttr -s 12 \".n[0:11]\"",
                               "setAttr -s 4 \".fc[0:3]\""}) {
    EXPECT_NE(files.scene.find(expected), std::string::npos) << expected;
  }
  // Nine UV pairs: lines of four, four and one.
  const size_t uvs = files.scene.find("setAttr -s 9 \".uvst[0].uvsp[0:8]\" -type \"float2\"\r\n");
  ASSERT_NE(uvs, std::string::npos);
  std::vector<std::string> lines = exporttest::CrlfLines(files.scene.substr(uvs));
  EXPECT_EQ(std::count(lines[1].begin(), lines[1].end(), ' '), 8);
  EXPECT_EQ(std::count(lines[2].begin(), lines[2].end(), ' '), 8);
  EXPECT_EQ(lines[3], " 0.888889 0.500000;");
  CheckExport(model, 0, files.scene, "");

  const Files empty = Export(model, 1);
  const MayaScene scene = CheckMayaAscii(empty.scene);
  EXPECT_TRUE(scene.errors.empty());
  EXPECT_TRUE(scene.meshes.empty());
  EXPECT_EQ(scene.nodeTypes.count("Vorn_m_lod1"), 1u);
  EXPECT_EQ(scene.joints.size(), 1u);
  EXPECT_FALSE(exporttest::FileExists(folder_.Path("m_lod0_bind.mel")));
}

// Texture paths name the file the image export writes.
TEST_F(MayaExport, TexturePathsFollowTheImageExport) {
  struct Case {
    bool local, tga;
    std::string expected;
  };
  const std::string images = "/game/raw/images/";
  const Case cases[] = {{true, false, "images/w_~gun_c.dds"},
                        {true, true, "images/w__gun_c.tga"},
                        {false, false, images + "w_~gun_c.dds"},
                        {false, true, images + "w_~gun_c.tga"}};
  for (const Case& c : cases) {
    MaterialList materials;
    materials.imagesFolder = images;
    Xmodel model(materials);
    testmodels::MakeLoaded(model, "gun", {Lod("gun_lod0", {testmodels::StripSurface(3)}, {"mtl_gun"})}, {Bone("tag_origin", -1)}, 1);
    testmodels::AddMaterial(materials, "mtl_gun", {{"colorMap", "w_~gun_c"}});
    options_.imagesLocal = c.local;
    options_.colourMaps = c.tga ? ImageTarget::Tga : ImageTarget::Dds;
    const MayaScene scene = CheckMayaAscii(Export(model).scene);
    std::string expected = c.expected;
    if (c.local) std::replace(expected.begin(), expected.end(), '~', '_');
    EXPECT_EQ(scene.fileTextures.at("mtl_gunFILE"), expected) << c.local << c.tga;
  }
}

// ---------------------------------------------------------------------------------------------
// Bind script weights
// ---------------------------------------------------------------------------------------------

// Every vertex of every weighted surface ends with the model's weights.
TEST_F(MayaExport, EveryVertexGetsItsWeights) {
  struct Case {
    const char* name;
    std::vector<XmodelWeightGroup> groups;
  };
  const Case cases[] = {
      {"runs and a shared vertex",
       {Weights({}, 5), Weights({}, 5), Weights({{1, 20000}, {2, 10000}}, 7), Weights({}, 9), Weights({}, 9), Weights({}, 9)}},
      {"last vertex with another bone", {Weights({}, 5), Weights({}, 5), Weights({}, 5), Weights({}, 5), Weights({}, 7)}},
      {"run whose first vertex has extras", {Weights({{3, 30000}}, 5), Weights({}, 5), Weights({}, 5)}},
      {"last vertex with extras", {Weights({}, 4), Weights({}, 4), Weights({{6, 65535}}, 4)}},
      {"one vertex", {Weights({}, 8)}},
      {"one vertex with extras", {Weights({{2, 32768}}, 8)}},
      {"two vertices", {Weights({}, 8), Weights({}, 3)}},
      {"three extras and a repeated bone", {Weights({{1, 9000}, {2, 9000}, {1, 9000}}, 0), Weights({{0, 100}}, 0)}},
  };
  std::vector<XmodelBone> bones = {Bone("tag_origin", -1)};
  for (int i = 1; i < 10; ++i) bones.push_back(Bone("j_" + std::to_string(i), 0));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    MaterialList materials;
    Xmodel model(materials);
    testmodels::MakeLoaded(model, "w", {Lod("w_lod0", {WeightedSurface(c.groups), testmodels::StripSurface(3)}, {"m", "m"})}, bones, 1);
    const Files files = Export(model);
    CheckExport(model, 0, files.scene, files.script);
  }
}

// The weight lines keep their two forms: a range per run, 16-bit weights as "%.5f".
TEST_F(MayaExport, WeightLineForms) {
  MaterialList materials;
  Xmodel model(materials);
  std::vector<XmodelBone> bones = {Bone("tag_origin", -1), Bone("j_a", 0), Bone("j_b", 0)};
  testmodels::MakeLoaded(model, "w",
                         {Lod("w_lod0", {WeightedSurface({Weights({}, 1), Weights({}, 1), Weights({{2, 32768}}, 1), Weights({{2, 65535}}, 1)})}, {"m"})},
                         bones, 1);
  const std::string script = Export(model).script;
  EXPECT_NE(script.find("\tskinPercent -tv j_a 1.0 $cluster VornMesh_0.vtx[0:1];\r\n"), std::string::npos);
  EXPECT_NE(script.find("\t\tskinPercent -tv j_a 0.49999 -tv j_b 0.50001 $cluster VornMesh_0.vtx[2];\r\n"), std::string::npos);
  EXPECT_NE(script.find("\t\tskinPercent -tv j_a 0.00000 -tv j_b 1.00000 $cluster VornMesh_0.vtx[3];\r\n"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Result codes
// ---------------------------------------------------------------------------------------------

TEST_F(MayaExport, PreconditionsAndOpenFailures) {
  MaterialList materials;
  Xmodel model(materials);
  EXPECT_EQ(ExportMaya(model, 0, folder_.Root(), options_), ResultCode::NotLoaded);
  testmodels::MakeLoaded(model, "p", {Lod("p_lod0", {testmodels::StripSurface(3)}, {"m"}), Lod("p_lod1", {})}, {Bone("tag_origin", -1)}, 1);
  model.surfacesSetUp = false;
  EXPECT_EQ(ExportMaya(model, 0, folder_.Root(), options_), ResultCode::SurfacesNotSetUp);
  model.surfacesSetUp = true;
  EXPECT_EQ(ExportMaya(model, -1, folder_.Root(), options_), ResultCode::InvalidIndex);
  EXPECT_EQ(ExportMaya(model, 2, folder_.Root(), options_), ResultCode::InvalidIndex);
  model.info.lods[1].loaded = false;
  EXPECT_EQ(ExportMaya(model, 1, folder_.Root(), options_), ResultCode::NotLoaded);
  EXPECT_TRUE(std::filesystem::is_empty(folder_.Root()));  // nothing created before the checks pass

  // A folder path under a regular file cannot be created or opened.
  TempFolder other;
  other.Write("plain", "x");
  const std::string file = other.Path("plain");
  EXPECT_EQ(ExportMaya(model, 0, file + "/sub", options_), ResultCode::CantOpenFile);

  // A full disk is a failure, for the scene and for the script.
  exporttest::LinkToFullDevice(folder_.Path("full"), "p_lod0.ma");
  EXPECT_EQ(ExportMaya(model, 0, folder_.Path("full"), options_), ResultCode::WriteFailed);
  exporttest::LinkToFullDevice(folder_.Path("fullmel"), "p_lod0_bind.mel");
  EXPECT_EQ(WriteBindScript(model, 0, folder_.Path("fullmel/")), ResultCode::WriteFailed);

  // Success: the folder is made, the progress ends at 99.
  EXPECT_EQ(ExportMaya(model, 0, folder_.Path("new/deeper"), options_), ResultCode::Success);
  EXPECT_TRUE(exporttest::FileExists(folder_.Path("new/deeper/p_lod0.ma")));
  EXPECT_TRUE(exporttest::FileExists(folder_.Path("new/deeper/p_lod0_bind.mel")));
  EXPECT_EQ(model.progress.load(), 99);
}

// A folder the user may not write to gives NoPermission, and the failed script is logged. Run as
// an unprivileged user in a child process (root may write anywhere).
TEST_F(MayaExport, ReadOnlyFolderGivesNoPermission) {
  std::filesystem::create_directories(folder_.Path("locked"));
  std::filesystem::permissions(folder_.Path("locked"), std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                                                       std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                                                       std::filesystem::perms::others_exec);
  testing_support::LetOthersIn(folder_.Root());
  const int status = testing_support::RunUnprivileged([&] {
    MaterialList materials;
    Xmodel model(materials);
    testmodels::MakeLoaded(model, "p", {Lod("p_lod0", {testmodels::StripSurface(3)}, {"m"})}, {Bone("tag_origin", -1)}, 1);
    LogCapture log;
    ResultCode result = ExportMaya(model, 0, folder_.Path("locked"), options_);
    bool logged = log.Has("^1Mel Error^7: " + ErrorText(ResultCode::NoPermission));
    return result == ResultCode::NoPermission ? (logged ? 0 : 2) : 1;
  });
  if (status == testing_support::kCannotDropPrivileges) GTEST_SKIP() << "cannot drop privileges here";
  EXPECT_EQ(status, 0) << "1: wrong result, 2: the script's failure was not logged";
}

// ---------------------------------------------------------------------------------------------
// Real models
// ---------------------------------------------------------------------------------------------

// Every LOD of the real models exports a well-formed scene whose counts are the model's, and a
// script that gives every vertex its weights: a static prop, a skinned character of 98 bones, a
// three-LOD weapon, a Cod5 view model with a weighted surface.
TEST_F(MayaExport, RealModelsExportCompleteScenes) {
  for (const testmodels::RealModelRef& ref :
       {testmodels::kStaticProp, testmodels::kSkinnedCharacter, testmodels::kThreeLodWeapon, testmodels::kViewModel}) {
    SCOPED_TRACE(ref.name);
    MaterialList materials;
    Xmodel model(materials);
    ASSERT_EQ(testmodels::LoadRealModel(model, ref), ResultCode::Success);
    if (ref.name == std::string(testmodels::kSkinnedCharacter.name)) {
      EXPECT_EQ(model.info.bones.size(), 98u);
    }
    if (ref.name == std::string(testmodels::kThreeLodWeapon.name)) {
      EXPECT_EQ(model.info.lodCount, 3);
    }
    for (int lod = 0; lod < model.info.lodCount; ++lod) {
      const Files files = Export(model, lod);
      CheckExport(model, lod, files.scene, files.script);
    }
  }
}

// A Cod BO prop whose only bone has no name: the scene has no joint, and the script binds nothing
// rather than naming a joint that does not exist.
TEST_F(MayaExport, RealModelWithUnnamedBone) {
  MaterialList materials;
  Xmodel model(materials);
  ASSERT_EQ(testmodels::LoadRealModel(model, testmodels::kEmptyBoneName), ResultCode::Success);
  const Files files = Export(model);
  const MayaScene scene = CheckMayaAscii(files.scene);
  EXPECT_TRUE(scene.errors.empty());
  EXPECT_TRUE(scene.joints.empty());
  EXPECT_EQ(scene.meshes.size(), model.info.lods[0].surfaces.size());
  EXPECT_EQ(files.script.find("skinCluster"), std::string::npos);
  EXPECT_EQ(files.script.find("\"\""), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// The checkers themselves
// ---------------------------------------------------------------------------------------------

// Each fault the checkers exist for, planted in the golden files, is found.
TEST(MayaChecker, FindsPlantedFaults) {
  const std::string golden = std::string(DELVIX_SOURCE_DIR) + "/tests/export/golden/";
  const std::string scene = exporttest::ReadAll(golden + "maya_small_prop.ma");
  const std::string script = exporttest::ReadAll(golden + "maya_small_prop_bind.mel");
  ASSERT_TRUE(CheckMayaAscii(scene).errors.empty());

  auto replaced = [](std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  };
  const std::pair<std::string, std::string> sceneFaults[] = {
      {"createNode joint -n \"tag_origin\" -p \"Joints\";", "createNode joint -n \"tag_origin\" -p \"j_lid\";"},  // parent later
      {"createNode file -n \"mtl_small_woodFILE\";", "createNode file -n \"mtl_small_woodFIL\";"},  // connection dangles
      {"createNode lambert -n \"mtl_small_glass\";", "createNode lambert -n \"mtl_small_wood\";"},  // name twice
      {"setAttr -s 3 \".vt[0:2]\"", "setAttr -s 4 \".vt[0:2]\""},                                  // size differs
      {"\t2 1 0 1 0 0 0 2 0;", "\t2 1 0 1 0 0 0 3 0;"},                                            // missing vertex
      {"\t2 1 0 1 0 0 0 2 0;", "\t2 1 0 0 1 0 0 2 0;"},                                            // edges do not join
      {"\tmu 0 3 2 1 0\r\n", "\tmu 0 3 2 1 3\r\n"},                                                // missing UV
      {" 0.000000 0.500000 0.100000 0.500000 0.200000 0.500000;", " 0.000000 0.500000 0.100000 0.500000;"},
      {"//Codeset: 1252\r\n", "//Codeset: 1252\n"},                                                // bare LF
  };
  for (const auto& [from, to] : sceneFaults) {
    EXPECT_FALSE(CheckMayaAscii(replaced(scene, from, to)).errors.empty()) << to;
  }

  const std::set<std::string> joints = {"tag_origin", "j_lid"};
  const std::vector<int> counts = {3, 3};
  const std::vector<bool> weighted = {false, true};
  ASSERT_TRUE(CheckMelBind(script, joints, counts, weighted).errors.empty());
  const std::pair<std::string, std::string> scriptFaults[] = {
      {"\tskinPercent -tv tag_origin 1.0 $cluster VornMesh_1.vtx[2];\r\n", ""},                    // vertex left out
      {"\tselect -add tag_origin;\r\n", ""},                                                       // joint not in cluster
      {"VornMesh_1.vtx[2];", "VornMesh_1.vtx[3];"},                                                // past the mesh
      {"skinCluster -tsb -mi 1 tag_origin", "skinCluster -tsb -mi 1 tag_not_fnd"},                 // no such joint
      {"\tcatch(VornMesh_1_SmoothBinder());", ""},                                                 // binder never runs
  };
  for (const auto& [from, to] : scriptFaults) {
    EXPECT_FALSE(CheckMelBind(replaced(script, from, to), joints, counts, weighted).errors.empty()) << from;
  }
}
