#pragma once
// The records of a loaded model: vertices and triangles (also the GPU buffer layouts), bone
// weights, surfaces, levels of detail (LODs), bones, and the header record XmodelInfo.
//
//   XmodelVertex       64 bytes, the vertex buffer layout
//   XmodelTriangle     6 bytes, the index buffer layout
//   XmodelWeightGroup  bone influences of one vertex
//   XmodelSurface      one mesh
//   XmodelLod          one level of detail: its xmodelsurfs file, surfaces and material names
//   XmodelBone         one bone of the skeleton
//   XmodelInfo         header, skeleton and LOD records of the model
#include <bit>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "model/influence_list.h"
#include "model/rotation.h"

static_assert(std::endian::native == std::endian::little,
              "the vertex and index records are the little-endian layouts of the game files and the GPU");

// One vertex. Little-endian, 64 bytes: this is also the layout of the GPU vertex buffers.
// Bytes 12..59 (normal to tangent) are the game file's 48-byte vertex head, in file order.
struct XmodelVertex {
  float position[3];   // 0
  float normal[3];     // 12
  uint8_t color[4];    // 24, in file order
  float u;             // 28
  float v;             // 32, stored as 1 - v of the file
  float binormal[3];   // 36
  float tangent[3];    // 48
  uint32_t reserved;   // 60, read by no one
};
static_assert(sizeof(XmodelVertex) == 64);
static_assert(offsetof(XmodelVertex, position) == 0);
static_assert(offsetof(XmodelVertex, normal) == 12);
static_assert(offsetof(XmodelVertex, color) == 24);
static_assert(offsetof(XmodelVertex, u) == 28);
static_assert(offsetof(XmodelVertex, v) == 32);
static_assert(offsetof(XmodelVertex, binormal) == 36);
static_assert(offsetof(XmodelVertex, tangent) == 48);
static_assert(offsetof(XmodelVertex, reserved) == 60);

// One triangle: three vertex indices of its surface, in stored order; the index buffer layout.
// The reader guarantees every index is below the surface's vertex count.
struct XmodelTriangle {
  uint16_t indices[3];
};
static_assert(sizeof(XmodelTriangle) == 6);

// The bone influences of one vertex of a weighted surface.
struct XmodelWeightGroup {
  // Number of extra influences as the file gives it. For Cod4/Cod5 a count above 99 carries no
  // influence values: always go by influences.size().
  uint8_t influenceCount = 0;
  // Each value: bone index (signed 16 bits) in the low half, weight (unsigned 16 bits) in the
  // high half. Bone indices are as the file gives them: range-check them against the bones.
  // (A vector-like list that stores short lists in place: see influence_list.h.)
  InfluenceList influences;
  int16_t mainBone = 0;  // bone of the vertex's main influence (range-check it too)
};

// One mesh of a LOD.
struct XmodelSurface {
  int16_t vertexCount = 0;    // 1..32767 once read
  int16_t triangleCount = 0;  // 1..32767 once read
  bool hasWeights = false;    // the vertex records carry bone weights (weightGroups is filled)
  // The surface's bone values: each a vertex count in the low 16 bits and a bone index (signed)
  // in the high 16 bits; the first value is always present. Where the first value's low half is
  // 0, its high half is not a bone (it is the surface's influence total).
  std::vector<uint32_t> boneList;
  std::vector<XmodelWeightGroup> weightGroups;  // one per vertex when hasWeights, else empty
  std::vector<XmodelVertex> vertices;           // vertexCount records
  std::vector<XmodelTriangle> triangles;        // triangleCount records
};

// One level of detail. Made by the xmodel reader, prepared by Xmodel::SetupSurfaces and filled
// by Xmodel::LoadSurface.
struct XmodelLod {
  std::string surfsName;     // xmodelsurfs file name (the LOD name of the header)
  std::string surfsPath;     // path of that file on disk
  int32_t loadTime = 0;      // milliseconds spent reading the xmodelsurfs file
  int32_t exportClock = 0;   // timing field of the exporters
  bool loaded = false;       // the xmodelsurfs file was read (surfaces are complete)
  bool fileExists = false;   // the xmodelsurfs file existed when the surfaces were set up
  int16_t surfaceCount = 0;  // surfaces.size() once loaded
  std::vector<XmodelSurface> surfaces;
  // Scale factor multiplied into this LOD's vertex positions by Xmodel::ApplyScale since it
  // was read (1 = positions as in the file). Divide by it to get the file's sizes.
  float appliedScale = 1.0f;
  uint16_t materialCount = 0;        // material names read for this LOD (one per surface)
  uint16_t uniqueMaterialCount = 0;  // distinct material names of this LOD
  // Material name of each surface in surface order. A LOD may name more materials than it
  // has surfaces: do not assume the counts are equal.
  std::vector<std::string> surfaceMaterials;
  std::vector<std::string> uniqueMaterials;  // distinct names, first-seen order
};

// One bone ("tag") of the skeleton.
struct XmodelBone {
  std::string name;
  float offset[3] = {0.0f, 0.0f, 0.0f};  // relative to the parent
  Quaternion rotation;                   // x, y, z, w
  uint8_t parent = 255;                  // index into the bones; 255 for a root bone
};

// Header, skeleton and LOD records of a model.
struct XmodelInfo {
  static constexpr int kMaxLods = 4;

  uint16_t version = 0xFFFF;     // first two bytes of the xmodel file; never tested
  int32_t lodCount = 0;          // LODs counted from the header's names (0..4)
  int16_t childBoneCount = -1;   // bones with a parent
  int16_t rootBoneCount = -1;    // bones without a parent
  int32_t collisionLod = -1;     // -1 for none
  std::string physicsPreset;     // empty for none
  std::string skeletonPath;      // path of the xmodelparts file
  std::vector<float> lodDistances;     // one per LOD slot, four in all
  std::vector<std::string> lodNames;   // the four xmodelsurfs names of the header, empty included
  // Root bones first, then child bones. Every child's parent is below bones.size().
  std::vector<XmodelBone> bones;
  std::vector<XmodelLod> lods;   // one per counted LOD
  // Scale factor multiplied into the bone offsets by Xmodel::ApplyScale (1 = as in the file).
  float boneScale = 1.0f;
};
