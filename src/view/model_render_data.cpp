// Upload of the loaded model into the LOD slots: buffers, texture records and debug lines.
#include "view/model_render_data.h"

#include <GL/glew.h>

#include <algorithm>
#include <string>

#include "model/xmodel.h"
#include "view/iwi_texture.h"
#include "view/shader.h"

namespace {

// One attribute of the 64-byte vertex record.
struct VertexAttribute {
  GLuint location;
  GLint components;
  GLenum type;
  GLboolean normalised;
  size_t offset;
};

constexpr VertexAttribute kVertexLayout[] = {
    {kAttribPosition, 3, GL_FLOAT, GL_FALSE, offsetof(XmodelVertex, position)},
    {kAttribNormal, 3, GL_FLOAT, GL_FALSE, offsetof(XmodelVertex, normal)},
    {kAttribColor, 4, GL_UNSIGNED_BYTE, GL_TRUE, offsetof(XmodelVertex, color)},
    {kAttribTexcoord, 2, GL_FLOAT, GL_FALSE, offsetof(XmodelVertex, u)},
    {kAttribBinormal, 3, GL_FLOAT, GL_FALSE, offsetof(XmodelVertex, binormal)},
    {kAttribTangent, 3, GL_FLOAT, GL_FALSE, offsetof(XmodelVertex, tangent)},
};
static_assert(kIndexType == GL_UNSIGNED_SHORT);
static_assert(sizeof(XmodelTriangle) == 3 * sizeof(GLushort));

// Replaces the first size bytes of buffer with data, reallocating it only when it must grow.
void FillBuffer(GLenum target, GLuint buffer, int32_t& capacity, const void* data, int32_t size) {
  glBindBuffer(target, buffer);
  if (size > capacity) {
    glBufferData(target, size, data, GL_DYNAMIC_DRAW);
    capacity = size;
  } else if (size > 0) {
    glBufferSubData(target, 0, size, data);
  }
}

void VertexOffset(const float* p, const float* d, float sign) {
  glVertex3f(p[0] + sign * d[0], p[1] + sign * d[1], p[2] + sign * d[2]);
}

// The first entry of materials for the material name (exact comparison), or null.
const MaterialImages* FindMaterialImages(const std::vector<MaterialImages>& materials, const std::string& name) {
  for (const MaterialImages& entry : materials) {
    if (entry.materialName == name) return &entry;
  }
  return nullptr;
}

// The textures of the entry's present images, each uploaded once; zeros without an entry.
SurfaceTextures UploadSurfaceTextures(const MaterialImages* entry) {
  SurfaceTextures record;
  if (!entry) return record;
  for (int k = 0; k < kTextureKindCount; ++k) {
    IwiImage* image = entry->Image(static_cast<TextureKind>(k));
    uint32_t texture = 0;
    if (image && UploadIwiTexture(*image, texture) == ImageResult::Success) record.names[k] = texture;
  }
  return record;
}

}  // namespace

void ModelRenderData::Clear() {
  surfaceCount = 0;
  textures.clear();
  if (debugList != 0) {
    glDeleteLists(debugList, 1);
    debugList = 0;
  }
}

void ModelRenderData::CreateBuffers() {
  if (vertexBuffers[0] != 0) return;
  glGenBuffers(kMaxSurfaces, vertexBuffers.data());
  glGenBuffers(kMaxSurfaces, indexBuffers.data());
  vertexCapacity_.fill(0);
  indexCapacity_.fill(0);
}

void ModelRenderData::ReleaseGl() {
  Clear();
  if (vertexBuffers[0] != 0) {
    glDeleteBuffers(kMaxSurfaces, vertexBuffers.data());
    glDeleteBuffers(kMaxSurfaces, indexBuffers.data());
  }
  vertexBuffers.fill(0);
  indexBuffers.fill(0);
  vertexCapacity_.fill(0);
  indexCapacity_.fill(0);
}

void ModelRenderData::UploadSurface(int j, const XmodelSurface& surface) {
  const int32_t vertices = static_cast<int32_t>(surface.vertices.size());
  const int32_t triangles = static_cast<int32_t>(surface.triangles.size());
  vertexCounts[j] = vertices;
  vertexBytes[j] = vertices * static_cast<int32_t>(sizeof(XmodelVertex));
  indexCounts[j] = triangles * 3;
  indexBytes[j] = triangles * static_cast<int32_t>(sizeof(XmodelTriangle));
  FillBuffer(GL_ARRAY_BUFFER, vertexBuffers[j], vertexCapacity_[j], surface.vertices.data(), vertexBytes[j]);
  FillBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffers[j], indexCapacity_[j], surface.triangles.data(), indexBytes[j]);
}

void ModelRenderData::UploadTextures(const XmodelLod& lod, const std::vector<MaterialImages>& materials) {
  textures.reserve(lod.surfaces.size());
  for (size_t s = 0; s < lod.surfaces.size(); ++s) {
    const bool named = s < lod.surfaceMaterials.size();
    textures.push_back(UploadSurfaceTextures(named ? FindMaterialImages(materials, lod.surfaceMaterials[s]) : nullptr));
  }
}

void ModelRenderData::CompileDebugList(const std::vector<XmodelSurface>& surfaces) {
  debugList = glGenLists(1);
  if (debugList == 0) return;
  glNewList(debugList, GL_COMPILE);
  for (const XmodelSurface& surface : surfaces) DrawDebugLines(surface);
  glEndList();
}

void ModelRenderData::DrawDebugLines(const XmodelSurface& surface) {
  // Pushed and popped inside the list, so the state is restored where the list runs.
  glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT);
  glDisable(GL_LIGHTING);
  glBegin(GL_LINES);
  glColor3f(0.0f, 0.0f, 1.0f);
  for (const XmodelVertex& v : surface.vertices) {
    glVertex3fv(v.position);
    VertexOffset(v.position, v.tangent, -1.0f);
  }
  glColor3f(1.0f, 0.0f, 0.0f);
  for (const XmodelVertex& v : surface.vertices) {
    glVertex3fv(v.position);
    VertexOffset(v.position, v.binormal, 1.0f);
  }
  glColor3f(1.0f, 1.0f, 0.0f);
  for (const XmodelVertex& v : surface.vertices) {
    glVertex3fv(v.position);
    VertexOffset(v.position, v.normal, 1.0f);
  }
  glEnd();
  glPopAttrib();
}

void ModelRenderData::Build(Xmodel& model, int32_t& renderCount, RenderSlots& slots, ResultCode result,
                            bool withTextures) {
  DeleteModelTextures(model);
  ClearRenderSlots(renderCount, slots);
  if (result != ResultCode::Success) {
    glFinish();
    return;
  }
  const int32_t lods = std::min<int32_t>({model.info.lodCount, static_cast<int32_t>(model.info.lods.size()),
                                          kRenderSlotCount});
  renderCount = std::max(lods, 0);

  if (withTextures) {
    for (int32_t i = 0; i < renderCount; ++i) slots[i].UploadTextures(model.info.lods[i], model.materialImages);
  }
  for (int32_t i = 0; i < renderCount; ++i) {
    const XmodelLod& lod = model.info.lods[i];
    if (!lod.loaded) continue;
    ModelRenderData& slot = slots[i];
    slot.CreateBuffers();
    slot.surfaceCount = std::min<int32_t>(static_cast<int32_t>(lod.surfaces.size()), kMaxSurfaces);
    for (int j = 0; j < slot.surfaceCount; ++j) slot.UploadSurface(j, lod.surfaces[j]);
    slot.CompileDebugList(lod.surfaces);
  }
  glBindBuffer(GL_ARRAY_BUFFER, 0);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
  glFinish();
}

void ClearRenderSlots(int32_t& renderCount, RenderSlots& slots) {
  renderCount = 0;
  for (ModelRenderData& slot : slots) slot.Clear();
}

void CreateRenderBuffers(RenderSlots& slots) {
  for (ModelRenderData& slot : slots) slot.CreateBuffers();
}

void ReleaseRenderSlots(RenderSlots& slots) {
  for (ModelRenderData& slot : slots) slot.ReleaseGl();
}

void BindVertexLayout() {
  for (const VertexAttribute& a : kVertexLayout) {
    glEnableVertexAttribArray(a.location);
    glVertexAttribPointer(a.location, a.components, a.type, a.normalised, sizeof(XmodelVertex),
                          reinterpret_cast<const void*>(a.offset));
  }
}

void UnbindVertexLayout() {
  for (const VertexAttribute& a : kVertexLayout) glDisableVertexAttribArray(a.location);
}
