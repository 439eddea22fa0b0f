// xmodelsurfs reader: the surfaces (meshes) of one LOD. Two layouts: Cod4/Cod5 and Cod BO.
//
//   u16 version, i16 surface count, then per surface:
//     3 bytes, i16 vertex count, i16 triangle count,
//     bone values (see ReadBoneValues: rigid groups of vertices, then the influence total),
//     vertex records (see ReadVertices), triangle count x 3 u16 indices.
//
// Besides the layout, every surface is checked: counts must fit in the bytes that remain, the
// influence counts of a weighted surface must add up to the total the bone values announce, and
// every triangle index must be below the vertex count. A check that fails means the file is
// damaged or misread, and the LOD is refused with a log line.
#include <cerrno>
#include <chrono>
#include <cstring>

#include "model/read_failure.h"
#include "model/xmodel.h"
#include "platform/files.h"

namespace {

constexpr size_t kVertexHeadSize = 48;    // normal, colour, u v, binormal, tangent
constexpr size_t kVertexHeadOffset = 12;  // where that head sits in XmodelVertex
constexpr size_t kPositionSize = 12;
constexpr size_t kWeightHeadSize = 3;     // influence count and main bone
constexpr size_t kTriangleSize = 6;
constexpr size_t kSurfaceHeadSize = 3 + 2 + 2 + 4;
// Cod BO: the 4-byte tag after the tangent; this tag announces 48 bytes of tension data
// (indices of the triangles using the vertex, their count and area) that no one here needs.
constexpr uint32_t kTensionTag = 0x46D60A00;
constexpr size_t kTensionSize = 48;
constexpr uint8_t kMaxCod4Influences = 99;

// The layout differences between the games.
struct SurfsLayout {
  size_t vertexTagSize;   // 4 bytes after the tangent (Cod BO), or none
  bool readsAnyInfluenceCount;  // Cod BO reads every count; Cod4/Cod5 only 1..99
  int32_t progressShare;  // progress split among the surfaces
};
constexpr SurfsLayout kCod4Cod5Layout{0, false, 99};
constexpr SurfsLayout kBoLayout{4, true, 100};

uint32_t LoadU32(const uint8_t* at) {
  uint32_t value;
  std::memcpy(&value, at, sizeof value);
  return value;
}

struct SurfaceReader {
  ByteReader& in;
  const std::string& fileName;
  const SurfsLayout& layout;

  ResultCode Refuse(ResultCode code, const char* reason) const { return RefuseFile(fileName, in, code, reason); }

  // The bone values: W, the first, is a (vertex count, bone) pair, always kept. Then, by its
  // low half lo and the next 16 bits X:
  //   lo != 0, X != 0: a chain of pairs until one with low half 0 (not kept);  weighted
  //   lo != 0, X == 0, lo < vertex count (signed): 2 more bytes;               weighted
  //   lo != 0, X == 0, otherwise: nothing more;                                rigid
  //   lo == 0: nothing more;                                                   weighted
  // A weighted surface's values end with its influence total: the high half of the chain's
  // last pair, the 2 bytes of the second case, or W's high half when lo == 0.
  // Returns the total, or -1 for a rigid surface.
  int32_t ReadBoneValues(XmodelSurface& surface) {
    uint32_t first = in.U32();
    surface.boneList.push_back(first);
    uint16_t lo = first & 0xFFFF;
    surface.hasWeights = true;
    if (lo == 0) return static_cast<int32_t>(first >> 16);
    uint16_t low = in.U16();
    if (low == 0) {
      if (static_cast<int16_t>(lo) < surface.vertexCount) return in.U16();
      surface.hasWeights = false;
      return -1;
    }
    // Each pair takes 4 bytes, so the chain ends at the latest with the file.
    for (;;) {
      uint16_t high = in.U16();
      if (in.Failed() || low == 0) return high;
      surface.boneList.push_back(low | static_cast<uint32_t>(high) << 16);
      low = in.U16();
    }
  }

  // Vertex record: the 48-byte head, the Cod BO tag (and tension data), then for a weighted
  // surface the influence count n, the main bone, the position and n influences, else the
  // position. v becomes 1 - v. Returns the sum of the influence counts. Each record is taken
  // in at most four bounds-checked pieces; on a short file the loop stops with in.Failed().
  int64_t ReadVertices(XmodelSurface& surface) {
    const size_t headSize = kVertexHeadSize + layout.vertexTagSize;
    const size_t tailSize = kPositionSize + (surface.hasWeights ? kWeightHeadSize : 0);
    int64_t influenceSum = 0;
    for (int32_t i = 0; i < surface.vertexCount; ++i) {
      const uint8_t* head = in.Take(headSize);
      if (!head) break;
      XmodelVertex& vertex = surface.vertices[i];
      std::memcpy(reinterpret_cast<uint8_t*>(&vertex) + kVertexHeadOffset, head, kVertexHeadSize);
      if (layout.vertexTagSize != 0 && LoadU32(head + kVertexHeadSize) == kTensionTag && !in.Skip(kTensionSize)) break;
      const uint8_t* tail = in.Take(tailSize);
      if (!tail) break;
      if (surface.hasWeights) {
        XmodelWeightGroup& group = surface.weightGroups[i];
        const uint8_t n = tail[0];
        group.influenceCount = n;
        std::memcpy(&group.mainBone, tail + 1, sizeof group.mainBone);
        std::memcpy(vertex.position, tail + kWeightHeadSize, kPositionSize);
        if (n >= 1 && (layout.readsAnyInfluenceCount || n <= kMaxCod4Influences)) {
          const uint8_t* values = in.Take(n * sizeof(uint32_t));
          if (!values) break;
          group.influences.AssignBytes(values, n);
        }
        influenceSum += n;
      } else {
        std::memcpy(vertex.position, tail, kPositionSize);
      }
      vertex.v = 1.0f - vertex.v;
    }
    return influenceSum;
  }

  ResultCode ReadSurface(XmodelSurface& surface) {
    in.Skip(3);
    surface.vertexCount = in.I16();
    surface.triangleCount = in.I16();
    if (in.Failed()) return Refuse(ResultCode::UnknownError, "file ends in a surface header");
    if (surface.vertexCount <= 0 || surface.triangleCount <= 0) {
      return Refuse(ResultCode::InvalidIndex, "surface without vertices or triangles");
    }
    int32_t influenceTotal = ReadBoneValues(surface);
    if (in.Failed()) return Refuse(ResultCode::UnknownError, "file ends in the bone values");

    const size_t vertexCount = static_cast<size_t>(surface.vertexCount);
    const size_t triangleCount = static_cast<size_t>(surface.triangleCount);
    size_t minVertexSize = kVertexHeadSize + layout.vertexTagSize + kPositionSize + (surface.hasWeights ? kWeightHeadSize : 0);
    if (in.Remaining() < vertexCount * minVertexSize + triangleCount * kTriangleSize) {
      return Refuse(ResultCode::InvalidIndex, "vertex and triangle counts do not fit the file");
    }
    surface.vertices.resize(vertexCount);
    if (surface.hasWeights) surface.weightGroups.resize(vertexCount);
    int64_t influenceSum = ReadVertices(surface);
    if (in.Failed()) return Refuse(ResultCode::UnknownError, "file ends in the vertices");
    if (surface.hasWeights && influenceSum != influenceTotal) {
      return Refuse(ResultCode::InvalidIndex, "influence counts do not add up to the surface's total");
    }

    surface.triangles.resize(triangleCount);
    if (!in.Bytes(surface.triangles.data(), triangleCount * kTriangleSize)) {
      return Refuse(ResultCode::UnknownError, "file ends in the triangles");
    }
    for (const XmodelTriangle& triangle : surface.triangles) {
      if (triangle.indices[0] >= vertexCount || triangle.indices[1] >= vertexCount || triangle.indices[2] >= vertexCount) {
        return Refuse(ResultCode::InvalidIndex, "triangle index past the vertices");
      }
    }
    return ResultCode::Success;
  }
};

ResultCode ReadSurfaces(ByteReader& in, XmodelLod& lod, const SurfsLayout& layout, std::atomic<int32_t>& progress) {
  SurfaceReader reader{in, lod.surfsName, layout};
  int16_t surfaceCount = in.I16();
  if (in.Failed()) return reader.Refuse(ResultCode::UnknownError, "file ends before the surface count");
  if (surfaceCount < 0) return reader.Refuse(ResultCode::InvalidIndex, "negative surface count");
  size_t minSurfaceSize = kSurfaceHeadSize + kVertexHeadSize + layout.vertexTagSize + kPositionSize + kTriangleSize;
  if (!in.Fits(static_cast<size_t>(surfaceCount), minSurfaceSize)) {
    return reader.Refuse(ResultCode::InvalidIndex, "surface count does not fit the file");
  }
  lod.surfaceCount = surfaceCount;
  lod.surfaces.assign(static_cast<size_t>(surfaceCount), XmodelSurface{});
  const int32_t step = surfaceCount > 0 ? layout.progressShare / surfaceCount : 0;
  for (XmodelSurface& surface : lod.surfaces) {
    ResultCode result = reader.ReadSurface(surface);
    if (result != ResultCode::Success) return result;
    int32_t now = progress.load();
    if (now + step < 100) progress.store(now + step);
  }
  return ResultCode::Success;
}

}  // namespace

ResultCode Xmodel::SetupSurfaces() {
  if (!SurfsFolder().Exists()) return ResultCode::SurfsFolderNotFound;
  if (info.lodCount == 0) return ResultCode::NoLods;
  for (int32_t l = 0; l < info.lodCount && l < static_cast<int32_t>(info.lods.size()); ++l) {
    XmodelLod& lod = info.lods[l];
    lod.surfsName = l < static_cast<int32_t>(info.lodNames.size()) ? info.lodNames[l] : std::string();
    std::string path = SurfsFolder().FindFile(lod.surfsName);
    lod.surfsPath = path.empty() ? baseFolder + "xmodelsurfs/" + lod.surfsName : path;
    lod.loaded = false;
    lod.fileExists = !path.empty();
  }
  surfacesSetUp = true;
  return ResultCode::Success;
}

ResultCode Xmodel::LoadSurface(int32_t lodIndex) {
  if (!loaded) return ResultCode::NotLoaded;
  if (!surfacesSetUp) return ResultCode::SurfacesNotSetUp;
  if (lodIndex < 0 || lodIndex >= info.lodCount || lodIndex >= static_cast<int32_t>(info.lods.size())) {
    return ResultCode::InvalidIndex;
  }
  XmodelLod& lod = info.lods[lodIndex];
  if (lod.loaded) return ResultCode::AlreadyLoaded;
  if (!lod.fileExists) return ResultCode::CantOpenFile;
  return ReadSurfsFile(lod);
}

ResultCode Xmodel::ReadSurfsFile(XmodelLod& lod) {
  if (!loaded) return ResultCode::NotLoaded;
  progress = 1;
  auto start = std::chrono::steady_clock::now();
  std::vector<uint8_t> bytes;
  errno = 0;
  if (!platform::ReadWholeFile(lod.surfsPath, bytes)) {
    return errno == EACCES ? ResultCode::NoPermission : ResultCode::CantOpenFile;
  }
  ResultCode result = ParseSurfsFile(bytes.data(), bytes.size(), lod);
  auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  lod.loadTime = static_cast<int32_t>(elapsed.count());
  progress = 99;
  return result;
}

ResultCode Xmodel::ParseSurfsFile(const uint8_t* data, size_t size, XmodelLod& lod, size_t* bytesRead) {
  if (lod.loaded) return ResultCode::AlreadyLoaded;
  ByteReader in(data, size);
  in.U16();  // version
  ResultCode result;
  switch (game) {
    case GameId::Cod5:
    case GameId::Cod4: result = ParseSurfsCod4Cod5(in, lod); break;
    case GameId::CodBo: result = ParseSurfsBo(in, lod); break;
    default: result = ResultCode::InvalidVersion; break;
  }
  if (bytesRead) *bytesRead = in.Position();
  if (result == ResultCode::Success) {
    lod.loaded = true;
  } else {
    lod.surfaces.clear();  // a damaged LOD keeps nothing half-read
    lod.surfaceCount = 0;
  }
  return result;
}

ResultCode Xmodel::ParseSurfsCod4Cod5(ByteReader& in, XmodelLod& lod) { return ReadSurfaces(in, lod, kCod4Cod5Layout, progress); }

ResultCode Xmodel::ParseSurfsBo(ByteReader& in, XmodelLod& lod) { return ReadSurfaces(in, lod, kBoLayout, progress); }
