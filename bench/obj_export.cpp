// OBJ export of the largest real model that loads: ExportObj against assimp's OBJ exporter
// writing the same mesh (every surface one mesh with positions, normals and texture
// coordinates, one material per surface material), in the same run. Both write the OBJ and its
// MTL into a temporary folder. The ratio assimp / Delvix is printed at the end.
#include <assimp/Exporter.hpp>
#include <assimp/material.h>
#include <assimp/scene.h>
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>

#include "export/obj_writer.h"
#include "model/xmodel.h"

namespace {

struct Loaded {
  std::string label;
  std::unique_ptr<MaterialList> materials;
  std::unique_ptr<Xmodel> model;
  size_t vertices = 0;
  size_t triangles = 0;
};

// The real model whose LOD 0 has the most vertices.
Loaded LoadLargestRealModel() {
  const std::pair<const char*, GameId> games[] = {{"cod4", GameId::Cod4}, {"cod5", GameId::Cod5}, {"codbo", GameId::CodBo}};
  Loaded best;
  for (auto [game, id] : games) {
    const std::string folder = std::string(DELVIX_REALDATA) + "/" + game + "/raw/xmodel";
    if (!std::filesystem::is_directory(folder)) continue;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
      Loaded candidate;
      candidate.label = std::string(game) + "/" + entry.path().filename().string();
      candidate.materials = std::make_unique<MaterialList>();
      candidate.model = std::make_unique<Xmodel>(*candidate.materials);
      candidate.model->game = id;
      candidate.model->SetGameSwitchQuestion([](const std::string&, const std::string&) { return true; });
      if (candidate.model->Load(entry.path().string()) != ResultCode::Success) continue;
      if (candidate.model->LoadSurface(0) != ResultCode::Success) continue;
      for (const XmodelSurface& surface : candidate.model->info.lods[0].surfaces) {
        candidate.vertices += surface.vertices.size();
        candidate.triangles += surface.triangles.size();
      }
      if (candidate.vertices > best.vertices) best = std::move(candidate);
    }
  }
  return best;
}

// LOD 0 of the model as an assimp scene: one mesh and one child node per surface.
std::unique_ptr<aiScene> BuildScene(const Xmodel& model) {
  const XmodelLod& lod = model.info.lods[0];
  auto scene = std::make_unique<aiScene>();
  scene->mRootNode = new aiNode(model.name);
  std::map<std::string, unsigned> materialIndex;
  for (const std::string& name : lod.uniqueMaterials) materialIndex.emplace(name, static_cast<unsigned>(materialIndex.size()));
  if (materialIndex.empty()) materialIndex.emplace("default", 0);
  scene->mNumMaterials = static_cast<unsigned>(materialIndex.size());
  scene->mMaterials = new aiMaterial*[scene->mNumMaterials];
  for (const auto& [name, index] : materialIndex) {
    auto* material = new aiMaterial;
    aiString text(name);
    material->AddProperty(&text, AI_MATKEY_NAME);
    scene->mMaterials[index] = material;
  }
  const unsigned meshCount = static_cast<unsigned>(lod.surfaces.size());
  scene->mNumMeshes = meshCount;
  scene->mMeshes = new aiMesh*[meshCount];
  scene->mRootNode->mNumChildren = meshCount;
  scene->mRootNode->mChildren = new aiNode*[meshCount];
  for (unsigned s = 0; s < meshCount; ++s) {
    const XmodelSurface& surface = lod.surfaces[s];
    auto* mesh = new aiMesh;
    const unsigned count = static_cast<unsigned>(surface.vertices.size());
    mesh->mPrimitiveTypes = aiPrimitiveType_TRIANGLE;
    mesh->mNumVertices = count;
    mesh->mVertices = new aiVector3D[count];
    mesh->mNormals = new aiVector3D[count];
    mesh->mTextureCoords[0] = new aiVector3D[count];
    mesh->mNumUVComponents[0] = 2;
    for (unsigned i = 0; i < count; ++i) {
      const XmodelVertex& v = surface.vertices[i];
      mesh->mVertices[i] = aiVector3D(v.position[0], v.position[1], v.position[2]);
      mesh->mNormals[i] = aiVector3D(v.normal[0], v.normal[1], v.normal[2]);
      mesh->mTextureCoords[0][i] = aiVector3D(v.u, v.v, 0.0f);
    }
    mesh->mNumFaces = static_cast<unsigned>(surface.triangles.size());
    mesh->mFaces = new aiFace[mesh->mNumFaces];
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
      const XmodelTriangle& t = surface.triangles[f];
      mesh->mFaces[f].mNumIndices = 3;
      mesh->mFaces[f].mIndices = new unsigned[3]{t.indices[0], t.indices[2], t.indices[1]};
    }
    auto found = s < lod.surfaceMaterials.size() ? materialIndex.find(lod.surfaceMaterials[s]) : materialIndex.end();
    mesh->mMaterialIndex = found == materialIndex.end() ? 0 : found->second;
    scene->mMeshes[s] = mesh;
    auto* node = new aiNode("VornGroup_" + std::to_string(s));
    node->mParent = scene->mRootNode;
    node->mNumMeshes = 1;
    node->mMeshes = new unsigned[1]{s};
    scene->mRootNode->mChildren[s] = node;
  }
  return scene;
}

Loaded gModel;
std::unique_ptr<aiScene> gScene;
std::string gFolder;

void BM_DelvixObj(benchmark::State& state) {
  ExportOptions options;
  options.mtl = true;  // the material library too, as assimp writes one
  for (auto _ : state)
    if (ExportObj(*gModel.model, 0, gFolder + "/delvix", options) != ResultCode::Success) state.SkipWithError("export failed");
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * gModel.vertices));
}

void BM_AssimpObj(benchmark::State& state) {
  Assimp::Exporter exporter;
  std::filesystem::create_directories(gFolder + "/assimp");
  const std::string path = gFolder + "/assimp/" + gModel.model->info.lods[0].surfsName + ".obj";
  for (auto _ : state)
    if (exporter.Export(gScene.get(), "obj", path) != AI_SUCCESS) state.SkipWithError(exporter.GetErrorString());
  state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * gModel.vertices));
}

// Keeps each benchmark's time per iteration for the ratio printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs)
      if (run.run_type == Run::RT_Iteration) times[run.benchmark_name()] = run.GetAdjustedRealTime();
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> times;
};

}  // namespace

int main(int argc, char** argv) {
  gModel = LoadLargestRealModel();
  if (!gModel.model) {
    std::fprintf(stderr, "no real model loads from %s\n", DELVIX_REALDATA);
    return 1;
  }
  std::printf("model %s: LOD 0 %zu surfaces, %zu vertices, %zu triangles\n", gModel.label.c_str(),
              gModel.model->info.lods[0].surfaces.size(), gModel.vertices, gModel.triangles);
  gScene = BuildScene(*gModel.model);
  std::string pattern = std::filesystem::temp_directory_path().string() + "/delvix-bench-XXXXXX";
  if (!::mkdtemp(pattern.data())) return 1;
  gFolder = pattern;

  benchmark::RegisterBenchmark("BM_DelvixObj", BM_DelvixObj)->Unit(benchmark::kMillisecond);
  benchmark::RegisterBenchmark("BM_AssimpObj", BM_AssimpObj)->Unit(benchmark::kMillisecond);
  benchmark::Initialize(&argc, argv);
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  if (reporter.times.count("BM_DelvixObj") && reporter.times.count("BM_AssimpObj"))
    std::printf("assimp / Delvix time: %.2f\n", reporter.times["BM_AssimpObj"] / reporter.times["BM_DelvixObj"]);
  std::filesystem::remove_all(gFolder);
  return 0;
}
