#include "support/model_fixture.h"

#include <algorithm>

namespace testmodels {

XmodelVertex Vertex(float x, float y, float z, float nx, float ny, float nz, float u, float v, uint32_t rgba) {
  XmodelVertex vertex{};
  vertex.position[0] = x;
  vertex.position[1] = y;
  vertex.position[2] = z;
  vertex.normal[0] = nx;
  vertex.normal[1] = ny;
  vertex.normal[2] = nz;
  for (int i = 0; i < 4; ++i) vertex.color[i] = static_cast<uint8_t>(rgba >> (24 - 8 * i));
  vertex.u = u;
  vertex.v = v;
  return vertex;
}

XmodelSurface Surface(std::vector<XmodelVertex> vertices, std::vector<XmodelTriangle> triangles, int firstBone) {
  XmodelSurface surface;
  surface.vertexCount = static_cast<int16_t>(vertices.size());
  surface.triangleCount = static_cast<int16_t>(triangles.size());
  surface.boneList.push_back((static_cast<uint32_t>(static_cast<uint16_t>(firstBone)) << 16) |
                             static_cast<uint32_t>(vertices.size() & 0xFFFF));
  surface.vertices = std::move(vertices);
  surface.triangles = std::move(triangles);
  return surface;
}

XmodelSurface StripSurface(int count, float offset) {
  std::vector<XmodelVertex> vertices;
  std::vector<XmodelTriangle> triangles;
  for (int i = 0; i < count; ++i)
    vertices.push_back(Vertex(offset + i * 0.5f, (i % 2) * 1.0f, 0.0f, 0, 0, 1, i / float(count), 0.5f));
  for (int i = 0; i + 2 < count; ++i)
    triangles.push_back({{static_cast<uint16_t>(i), static_cast<uint16_t>(i + 1), static_cast<uint16_t>(i + 2)}});
  return Surface(std::move(vertices), std::move(triangles));
}

XmodelWeightGroup Weights(std::vector<std::pair<int, int>> influences, int mainBone) {
  XmodelWeightGroup group;
  group.influenceCount = static_cast<uint8_t>(influences.size());
  for (auto [bone, weight] : influences)
    group.influences.push_back((static_cast<uint32_t>(weight) << 16) | static_cast<uint16_t>(bone));
  group.mainBone = static_cast<int16_t>(mainBone);
  return group;
}

XmodelLod Lod(const std::string& surfsName, std::vector<XmodelSurface> surfaces, std::vector<std::string> materials) {
  XmodelLod lod;
  lod.surfsName = surfsName;
  lod.loaded = true;
  lod.fileExists = true;
  lod.surfaceCount = static_cast<int16_t>(surfaces.size());
  lod.surfaces = std::move(surfaces);
  lod.surfaceMaterials = std::move(materials);
  for (const std::string& name : lod.surfaceMaterials)
    if (std::find(lod.uniqueMaterials.begin(), lod.uniqueMaterials.end(), name) == lod.uniqueMaterials.end())
      lod.uniqueMaterials.push_back(name);
  lod.materialCount = static_cast<uint16_t>(lod.surfaceMaterials.size());
  lod.uniqueMaterialCount = static_cast<uint16_t>(lod.uniqueMaterials.size());
  return lod;
}

XmodelBone Bone(const std::string& name, int parent, float x, float y, float z, Quaternion rotation) {
  XmodelBone bone;
  bone.name = name;
  bone.parent = static_cast<uint8_t>(parent < 0 ? 255 : parent);
  bone.offset[0] = x;
  bone.offset[1] = y;
  bone.offset[2] = z;
  bone.rotation = rotation;
  return bone;
}

void MakeLoaded(Xmodel& model, const std::string& name, std::vector<XmodelLod> lods,
                std::vector<XmodelBone> bones, int rootCount) {
  model.name = name;
  model.loaded = true;
  model.pathValid = true;
  model.surfacesSetUp = true;
  model.skeletonLoaded = true;
  model.info.lodCount = static_cast<int32_t>(lods.size());
  model.info.rootBoneCount = static_cast<int16_t>(rootCount);
  model.info.childBoneCount = static_cast<int16_t>(bones.size() - static_cast<size_t>(rootCount));
  model.info.bones = std::move(bones);
  model.info.lods = std::move(lods);
  for (const XmodelLod& lod : model.info.lods) model.info.lodNames.push_back(lod.surfsName);
}

void AddMaterial(MaterialList& list, const std::string& name, std::vector<std::pair<std::string, std::string>> slots,
                 std::vector<std::string> existing) {
  Material material;
  material.name = name;
  for (auto& [slotName, image] : slots) {
    TextureSlot slot;
    slot.slotName = slotName;
    slot.iwiName = image + ".iwi";
    slot.ddsName = image + ".dds";
    slot.iwiExists = std::find(existing.begin(), existing.end(), image) != existing.end();
    material.textures.push_back(slot);
  }
  material.textureCount = static_cast<int16_t>(material.textures.size());
  list.materialNames.push_back(name);
  list.materials.push_back(material);
  list.loaded = true;
}

}  // namespace testmodels
