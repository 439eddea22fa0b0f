#pragma once
// The loaded model on the graphics card: one ModelRenderData slot per level of detail (LOD), each
// with a vertex and an index buffer per surface, the GL textures of each surface's material and a
// display list of debug lines (tangent, binormal and normal of every vertex).
//
// The job thread fills the slots (ModelRenderData::Build) in its images-and-upload step, with its
// own context current and the frame mutex held; frames read them under the same mutex, drawing
// renderLodCount slots. The GL objects live in the context the job thread's context shares with
// the window's, so what the job thread made is drawn by the frame.
//
// Buffers are named once (CreateRenderBuffers) and grow to the largest surface they have held:
// a reload of a model no larger than the ones before allocates nothing on the card.
//
// Textures belong to the model's images (view/iwi_texture.h): Build deletes them and makes them
// afresh, two surfaces with one material share them, and at shutdown DeleteModelTextures releases
// them. Nothing here calls GL from a destructor: GL objects are deleted by Clear,
// ReleaseRenderSlots, DeleteModelTextures and Build, each with a context current.
//
//   SurfaceTextures        GL texture names of one surface, by TextureKind
//   ModelRenderData        one LOD slot: buffers, counts, textures, debug list
//   RenderSlots            the four slots of the view
//   ClearRenderSlots       render count 0, every slot emptied
//   CreateRenderBuffers    names every slot's buffers (once per run)
//   ReleaseRenderSlots     deletes every GL object of the slots (shutdown)
//   BindVertexLayout       the model pass's attribute pointers into a bound vertex buffer
#include <array>
#include <cstdint>
#include <vector>

#include "model/material_images.h"
#include "model/result_code.h"

class Xmodel;
struct XmodelLod;
struct XmodelSurface;

// The GL textures of one surface's material; 0 where it has no such image or its upload failed.
struct SurfaceTextures {
  std::array<uint32_t, kTextureKindCount> names{};

  uint32_t operator[](TextureKind kind) const { return names[static_cast<int>(kind)]; }
  uint32_t& operator[](TextureKind kind) { return names[static_cast<int>(kind)]; }
};

class ModelRenderData;
inline constexpr int kRenderSlotCount = 4;  // LODs an xmodel file can name
using RenderSlots = std::array<ModelRenderData, kRenderSlotCount>;

class ModelRenderData {
 public:
  static constexpr int kMaxSurfaces = 64;  // surfaces drawn per LOD; later ones are not uploaded

  ModelRenderData() = default;
  ModelRenderData(const ModelRenderData&) = delete;
  ModelRenderData& operator=(const ModelRenderData&) = delete;

  // surfaceCount := 0, no texture records, the debug list deleted. The buffers stay for the next
  // model. Context current when a list exists.
  void Clear();

  // Rebuilds every slot from the model, with the job thread's context current:
  //   1. deletes the texture of every image of the model and marks the image as having none;
  //   2. ClearRenderSlots;
  //   3. when result is not Success, stops: nothing is drawn;
  //   4. renderCount := the model's LOD count (at most 4);
  //   5. withTextures: one SurfaceTextures record per surface of each LOD;
  //   6. for each LOD whose surfaces are loaded: uploads its first 64 surfaces into buffers j,
  //      and compiles the debug lines of all its surfaces into a new list.
  // A LOD whose surfaces are not loaded keeps an empty slot but is counted. Ends with glFinish,
  // so the window's context sees everything once the caller releases the job thread's context.
  static void Build(Xmodel& model, int32_t& renderCount, RenderSlots& slots, ResultCode result, bool withTextures);

  // Emits the surface's debug lines into the list being compiled, as one GL_LINES batch with
  // lighting off: blue from p to p - tangent, red from p to p + binormal, yellow from p to
  // p + normal, for every vertex p. The enable state and the colour are restored afterwards.
  static void DrawDebugLines(const XmodelSurface& surface);

  // Names the 64 vertex and 64 index buffers (no storage yet). Safe to call again.
  void CreateBuffers();

  // Deletes the debug list and the buffers and forgets them. Context current.
  void ReleaseGl();

  uint32_t debugList = 0;    // debug lines of every surface of the LOD; 0 for none
  int32_t surfaceCount = 0;  // surfaces uploaded, at most kMaxSurfaces
  std::array<int32_t, kMaxSurfaces> vertexBytes{};   // bytes in vertex buffer j (vertices x 64)
  std::array<int32_t, kMaxSurfaces> indexBytes{};    // bytes in index buffer j (triangles x 6)
  std::array<int32_t, kMaxSurfaces> vertexCounts{};  // vertices of surface j
  std::array<int32_t, kMaxSurfaces> indexCounts{};   // indices of surface j: what is drawn
  std::array<uint32_t, kMaxSurfaces> vertexBuffers{};
  std::array<uint32_t, kMaxSurfaces> indexBuffers{};
  std::vector<SurfaceTextures> textures;  // one per surface of the LOD, in surface order

 private:
  void UploadSurface(int j, const XmodelSurface& surface);
  void UploadTextures(const XmodelLod& lod, const std::vector<MaterialImages>& materials);
  void CompileDebugList(const std::vector<XmodelSurface>& surfaces);

  // Storage of each buffer on the card; a buffer is reallocated only to grow.
  std::array<int32_t, kMaxSurfaces> vertexCapacity_{};
  std::array<int32_t, kMaxSurfaces> indexCapacity_{};
};

// renderCount := 0 and Clear on every slot. Context current when a slot has a list.
void ClearRenderSlots(int32_t& renderCount, RenderSlots& slots);

// CreateBuffers on every slot: the job thread's one-time buffer step. Context current.
void CreateRenderBuffers(RenderSlots& slots);

// ReleaseGl on every slot, at shutdown with a context of the share group current.
void ReleaseRenderSlots(RenderSlots& slots);

// For the model pass, with a vertex buffer of a slot bound to GL_ARRAY_BUFFER: points and enables
// the six attributes of the 64-byte vertex (locations of ShaderAttribute):
//   0 position  3 floats at 0      1 normal    3 floats at 12    3 colour  4 bytes at 24, 0..1
//   2 texcoord  2 floats at 28     5 binormal  3 floats at 36    4 tangent 3 floats at 48
// Indices are uint16, three per triangle, drawn as GL_TRIANGLES (kIndexType).
void BindVertexLayout();
// Disables the six attributes again.
void UnbindVertexLayout();
inline constexpr uint32_t kIndexType = 0x1403;  // GL_UNSIGNED_SHORT
