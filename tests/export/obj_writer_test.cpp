#include "export/obj_writer.h"

#include <assimp/DefaultLogger.hpp>
#include <assimp/Importer.hpp>
#include <assimp/fast_atof.h>
#include <assimp/LogStream.hpp>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "export/image_export.h"
#include "export_test_util.h"
#include "support/model_fixture.h"
#include "support/synthetic_model.h"
#include "support/temp_folder.h"

using namespace testmodels;
using exporttest::ReadAll;

namespace {

// A temporary folder, a material list, a model of nothing yet and the export options a test
// gives the writer.
class ObjExport : public ::testing::Test {
 protected:
  TempFolder temp;
  MaterialList materials;
  Xmodel model{materials};
  ExportOptions options;
};

// Collects assimp's warnings and errors while a file is read.
class AssimpMessages : public Assimp::LogStream {
 public:
  void write(const char* message) override { text += message; }
  std::string text;
};

// Reads an OBJ file with assimp. Returns the scene (owned by importer) and the messages.
const aiScene* ReadWithAssimp(Assimp::Importer& importer, const std::string& path, std::string& messages) {
  Assimp::DefaultLogger::create("", Assimp::Logger::NORMAL, 0);
  auto* stream = new AssimpMessages;
  Assimp::DefaultLogger::get()->attachStream(stream, Assimp::Logger::Warn | Assimp::Logger::Err);
  const aiScene* scene = importer.ReadFile(path, 0);
  messages = stream->text;
  Assimp::DefaultLogger::kill();
  return scene;
}

// The meshes of the scene by the name of the node that holds them.
std::map<std::string, const aiMesh*> MeshesByGroup(const aiScene* scene) {
  std::map<std::string, const aiMesh*> meshes;
  for (unsigned i = 0; i < scene->mRootNode->mNumChildren; ++i) {
    const aiNode* node = scene->mRootNode->mChildren[i];
    if (node->mNumMeshes == 1) meshes[node->mName.C_Str()] = scene->mMeshes[node->mMeshes[0]];
  }
  return meshes;
}

std::string MaterialName(const aiScene* scene, const aiMesh* mesh) {
  aiString name;
  scene->mMaterials[mesh->mMaterialIndex]->Get(AI_MATKEY_NAME, name);
  return name.C_Str();
}

// Raised by assimp's number parser on text that is not a number (never, for printed numbers).
struct ParseError {
  template <class... Parts>
  explicit ParseError(Parts&&...) {}
};

// The vertex of the surface as assimp reads it back: each component printed with "%f" and parsed
// by assimp's own number parser.
std::array<float, 8> AsReadBack(const XmodelVertex& v) {
  const float values[8] = {v.position[0], v.position[1], v.position[2], v.normal[0], v.normal[1], v.normal[2], v.u, v.v};
  std::array<float, 8> out;
  for (int i = 0; i < 8; ++i) {
    char text[64];
    std::snprintf(text, sizeof text, "%f", values[i]);
    Assimp::fast_atoreal_move<float, ParseError>(text, out[i]);
  }
  return out;
}

std::array<float, 8> AssimpVertex(const aiMesh* mesh, unsigned i) {
  const aiVector3D &p = mesh->mVertices[i], &n = mesh->mNormals[i], &t = mesh->mTextureCoords[0][i];
  return {p.x, p.y, p.z, n.x, n.y, n.z, t.x, t.y};
}

// What assimp must find for one LOD: per group the face count, the vertex count, every corner's
// vertex in the order a, c, b of the model's triangles, and the surface's material (present in
// the MTL).
void ExpectAssimpReadsLod(const std::string& objPath, const XmodelLod& lod) {
  Assimp::Importer importer;
  std::string messages;
  const aiScene* scene = ReadWithAssimp(importer, objPath, messages);
  ASSERT_NE(scene, nullptr) << importer.GetErrorString();
  EXPECT_EQ(messages.find("failed to locate material"), std::string::npos) << messages;
  std::map<std::string, const aiMesh*> meshes = MeshesByGroup(scene);
  ASSERT_EQ(meshes.size(), lod.surfaces.size());
  for (size_t s = 0; s < lod.surfaces.size(); ++s) {
    const XmodelSurface& surface = lod.surfaces[s];
    const aiMesh* mesh = meshes["VornGroup_" + std::to_string(s)];
    ASSERT_NE(mesh, nullptr) << "group " << s;
    ASSERT_EQ(mesh->mNumFaces, surface.triangles.size()) << "group " << s;
    if (s < lod.surfaceMaterials.size()) {
      EXPECT_EQ(MaterialName(scene, mesh), lod.surfaceMaterials[s]);
    }
    // Every corner is the model's vertex (a, c, b order); the group holds as many distinct
    // vertices as the faces of the surface use.
    std::set<std::array<float, 8>> ours, theirs;
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
      const XmodelTriangle& t = surface.triangles[f];
      const uint16_t order[3] = {t.indices[0], t.indices[2], t.indices[1]};
      ASSERT_EQ(mesh->mFaces[f].mNumIndices, 3u);
      for (int k = 0; k < 3; ++k) {
        std::array<float, 8> expected = AsReadBack(surface.vertices[order[k]]);
        std::array<float, 8> actual = AssimpVertex(mesh, mesh->mFaces[f].mIndices[k]);
        ASSERT_EQ(actual, expected) << "group " << s << " face " << f << " corner " << k;
        ours.insert(expected);
        theirs.insert(actual);
      }
    }
    EXPECT_EQ(theirs.size(), ours.size()) << "group " << s;
  }
}

// Two surfaces of 3 and 4 vertices with their materials.
void BuildTwoSurfaceModel(Xmodel& model) {
  XmodelSurface first = Surface({Vertex(0, 0, 0, 0, 0, 1, 0, 1), Vertex(1, 0, 0, 0, 0, 1, 1, 1),
                                 Vertex(0, 1, 0, 0, 0, 1, 0, 0)},
                                {{{0, 1, 2}}});
  XmodelSurface second = Surface({Vertex(0, 0, 1), Vertex(1, 0, 1), Vertex(0, 1, 1), Vertex(1, 1, 1.5f)},
                                 {{{0, 1, 2}}, {{1, 3, 2}}});
  MakeLoaded(model, "crate", {Lod("crate_lod0", {first, second}, {"mtl_wood", "mtl_metal"})},
             {Bone("tag_origin", -1)}, 1);
  model.info.lods[0].loadTime = 7;
}

}  // namespace

// The text of a small model, line for line: header, per-surface blocks, faces a, c, b with one
// running index across the surfaces.
TEST_F(ObjExport, TwoSurfacesText) {
  options.mtl = false;
  BuildTwoSurfaceModel(model);
  ASSERT_EQ(ExportObj(model, 0, temp.Root(), options), ResultCode::Success);
  const std::string expected =
      "\r\n# Generated By Vorn_Kesh Delvix\r\n# Parent Xmodel: crate\r\n# Surface Load Time: 7.00ms\r\n"
      "# Total Meshes: 2\r\n\r\nmtllib crate_lod0.mtl\r\n"
      "v 0.000000 0.000000 0.000000\r\nv 1.000000 0.000000 0.000000\r\nv 0.000000 1.000000 0.000000\r\n"
      "# 3 vertices\r\n\r\n"
      "vt 0.000000 1.000000\r\nvt 1.000000 1.000000\r\nvt 0.000000 0.000000\r\n# 3 UV's\r\n\r\n"
      "vn 0.000000 0.000000 1.000000\r\nvn 0.000000 0.000000 1.000000\r\nvn 0.000000 0.000000 1.000000\r\n"
      "# 3 normals\r\n\r\n"
      "\r\ns off\r\ng VornGroup_0\r\nusemtl mtl_wood\r\nf 1/1/1 3/3/3 2/2/2\r\n# 1 faces\r\n\r\n"
      "v 0.000000 0.000000 1.000000\r\nv 1.000000 0.000000 1.000000\r\nv 0.000000 1.000000 1.000000\r\n"
      "v 1.000000 1.000000 1.500000\r\n# 4 vertices\r\n\r\n"
      "vt 0.000000 0.000000\r\nvt 0.000000 0.000000\r\nvt 0.000000 0.000000\r\nvt 0.000000 0.000000\r\n"
      "# 4 UV's\r\n\r\n"
      "vn 0.000000 0.000000 1.000000\r\nvn 0.000000 0.000000 1.000000\r\nvn 0.000000 0.000000 1.000000\r\n"
      "vn 0.000000 0.000000 1.000000\r\n# 4 normals\r\n\r\n"
      "\r\ns off\r\ng VornGroup_1\r\nusemtl mtl_metal\r\nf 4/4/4 6/6/6 5/5/5\r\nf 5/5/5 6/6/6 7/7/7\r\n"
      "# 2 faces\r\n\r\n";
  EXPECT_EQ(ReadAll(temp.Path("crate_lod0.obj")), expected);
  EXPECT_FALSE(exporttest::FileExists(temp.Path("crate_lod0.mtl")));  // mtl off: the library is named, not written
  EXPECT_EQ(model.progress.load(), 99);
}

// The MTL records: colour map always, normal and specular maps when their image exists, a slot
// repeating the previous image adds nothing, a material without a record gets a bare record;
// the references are where the image export writes the images.
TEST_F(ObjExport, MaterialLibrary) {
  const std::string images = temp.Path("game/images/");
  std::filesystem::create_directories(images);
  std::ofstream(images + "Wood_Col.iwi") << "x";  // on disk in another case than the material names it:
  // the export folder's copy is named as the material names it, the one beside the IWI as on disk
  std::ofstream(images + "wood_nml.iwi") << "x";
  materials.imagesFolder = images;
  BuildTwoSurfaceModel(model);
  model.info.lods[0].surfaceMaterials = {"mtl_wood", "mtl_metal", "mtl_bo", "mtl_none"};
  model.info.lods[0].uniqueMaterials = {"mtl_wood", "mtl_metal", "mtl_bo", "mtl_none"};
  AddMaterial(materials, "mtl_wood", {{"colorMap", "wood_col"}, {"normalMap", "wood_nml"}, {"detailMap", "d"},
                                      {"specularMap", "wood_spc"}},
              {"wood_col", "wood_nml"});
  AddMaterial(materials, "mtl_metal", {{"colorMap", "~metal~1"}, {"specularMap", "~metal~1"}, {"normalMap", "gone"}},
              {"~metal~1"});
  AddMaterial(materials, "mtl_bo", {{"Diffuse_MapSampler", "bo_c"}, {"Normal_Map", "bo_n"}}, {"bo_c", "bo_n"});

  options.mtl = true;
  options.imagesLocal = true;
  ASSERT_EQ(ExportObj(model, 0, temp.Path("out"), options), ResultCode::Success);
  EXPECT_EQ(ReadAll(temp.Path("out/crate_lod0.mtl")),
            "newmtl mtl_wood\r\nKd 1.0000 1.0000 1.0000\r\nNs 1\r\nillum 0\r\n"
            "map_Kd images/wood_col.dds\r\nmap_bump images/wood_nml.tga\r\n\r\n"
            "newmtl mtl_metal\r\nKd 1.0000 1.0000 1.0000\r\nNs 1\r\nillum 0\r\nmap_Kd images/_metal_1.dds\r\n\r\n"
            "newmtl mtl_bo\r\nKd 1.0000 1.0000 1.0000\r\nNs 1\r\nillum 0\r\n"
            "map_Kd images/bo_c.dds\r\nmap_bump images/bo_n.tga\r\n\r\n"
            "newmtl mtl_none\r\nKd 1.0000 1.0000 1.0000\r\nNs 1\r\nillum 0\r\n\r\n");

  // Without images_local the references are the images beside their IWI files, "~" kept; with
  // the TGA choice the colour maps are TGA too.
  options.imagesLocal = false;
  options.colourMaps = ImageTarget::Tga;
  ASSERT_EQ(ExportObj(model, 0, temp.Path("out"), options), ResultCode::Success);
  const std::string mtl = ReadAll(temp.Path("out/crate_lod0.mtl"));
  EXPECT_NE(mtl.find("map_Kd " + images + "Wood_Col.tga\r\nmap_bump " + images + "wood_nml.tga\r\n"), std::string::npos)
      << mtl;
  EXPECT_NE(mtl.find("map_Kd " + images + "~metal~1.tga\r\n"), std::string::npos) << mtl;
}

// An empty material list fails the library (NoMaterials) although the OBJ is complete.
TEST_F(ObjExport, MaterialListFailureIsTheResult) {
  options.mtl = true;
  BuildTwoSurfaceModel(model);
  EXPECT_EQ(ExportObj(model, 0, temp.Root(), options), ResultCode::NoMaterials);
  EXPECT_NE(ReadAll(temp.Path("crate_lod0.obj")).find("# 2 faces"), std::string::npos);
}

// Preconditions in order, nothing written on a failed one; open and write failures.
TEST_F(ObjExport, FailuresAreReported) {
  options.mtl = false;
  EXPECT_EQ(ExportObj(model, 0, temp.Path("a"), options), ResultCode::NotLoaded);
  BuildTwoSurfaceModel(model);
  model.surfacesSetUp = false;
  EXPECT_EQ(ExportObj(model, 0, temp.Path("a"), options), ResultCode::SurfacesNotSetUp);
  model.surfacesSetUp = true;
  EXPECT_EQ(ExportObj(model, 1, temp.Path("a"), options), ResultCode::InvalidIndex);
  EXPECT_EQ(ExportObj(model, -1, temp.Path("a"), options), ResultCode::InvalidIndex);
  model.info.lods[0].loaded = false;
  EXPECT_EQ(ExportObj(model, 0, temp.Path("a"), options), ResultCode::NotLoaded);
  EXPECT_FALSE(std::filesystem::exists(temp.Path("a")));
  model.info.lods[0].loaded = true;

  std::ofstream(temp.Path("file")) << "x";
  EXPECT_EQ(ExportObj(model, 0, temp.Path("file/sub"), options), ResultCode::CantOpenFile);
  exporttest::LinkToFullDevice(temp.Path("full"), "crate_lod0.obj");
  EXPECT_EQ(ExportObj(model, 0, temp.Path("full"), options), ResultCode::WriteFailed);
  options.mtl = true;
  exporttest::LinkToFullDevice(temp.Path("fullmtl"), "crate_lod0.mtl");
  AddMaterial(materials, "mtl_wood", {});
  EXPECT_EQ(ExportObj(model, 0, temp.Path("fullmtl"), options), ResultCode::WriteFailed);
}

// assimp reads the small model back: groups, materials from the library, corners in order.
TEST_F(ObjExport, AssimpReadsTheFileBack) {
  options.mtl = true;
  BuildTwoSurfaceModel(model);
  AddMaterial(materials, "mtl_wood", {{"colorMap", "wood"}});
  AddMaterial(materials, "mtl_metal", {});
  ASSERT_EQ(ExportObj(model, 0, temp.Root(), options), ResultCode::Success);
  ExpectAssimpReadsLod(temp.Path("crate_lod0.obj"), model.info.lods[0]);
}

// Every real model that loads, every LOD: assimp reads the OBJ with the model's groups, face
// counts, vertex counts, corner positions and materials that the MTL defines.
TEST_F(ObjExport, RealModelsReadBackWithAssimp) {
  options.mtl = true;
  std::vector<std::string> tried;
  std::vector<exporttest::RealModel> models = exporttest::LoadRealModels(&tried);
  ASSERT_FALSE(models.empty()) << "no real model loads (" << tried.size() << " found)";
  int lods = 0;
  for (exporttest::RealModel& real : models) {
    for (size_t lod = 0; lod < real.model->info.lods.size(); ++lod) {
      const XmodelLod& record = real.model->info.lods[lod];
      if (!record.loaded) continue;
      SCOPED_TRACE(real.label + " LOD " + std::to_string(lod));
      const std::string folder = temp.Path(real.label);
      ASSERT_EQ(ExportObj(*real.model, static_cast<int>(lod), folder, options), ResultCode::Success);
      ExpectAssimpReadsLod(folder + "/" + record.surfsName + ".obj", record);
      ++lods;
    }
  }
  std::printf("[ info     ] %zu of %zu real models loaded; %d LODs exported and read back\n", models.size(),
              tried.size(), lods);
}

// The MTL of a real model names exactly the files that the model's image export writes into the
// export folder's "images" folder.
TEST_F(ObjExport, RealModelTexturesPointAtExportedImages) {
  options.mtl = true;
  options.imagesLocal = true;
  for (const testmodels::RealModelRef& ref : {testmodels::kSkinnedCharacter, testmodels::kThreeLodWeapon}) {
    SCOPED_TRACE(ref.name);
    MaterialList list;
    Xmodel real(list);
    ASSERT_EQ(testmodels::LoadRealModel(real, ref), ResultCode::Success);
    const std::string folder = temp.Path(ref.name);
    ASSERT_EQ(ExportObj(real, 0, folder, options), ResultCode::Success);
    ASSERT_EQ(MoveModelImages(real, folder + "/images", options), ResultCode::Success);
    std::istringstream mtl(ReadAll(folder + "/" + real.info.lods[0].surfsName + ".mtl"));
    int references = 0;
    for (std::string line; std::getline(mtl, line);) {
      if (line.rfind("map_", 0) != 0) continue;
      if (!line.empty() && line.back() == '\r') line.pop_back();
      const std::string file = line.substr(line.find(' ') + 1);
      EXPECT_TRUE(exporttest::FileExists(folder + "/" + file)) << line;
      ++references;
    }
    EXPECT_GT(references, 0);
  }
}
