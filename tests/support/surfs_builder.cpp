#include "support/surfs_builder.h"

#include "support/byte_writer.h"

namespace testfiles {

namespace {

constexpr uint32_t kOrdinaryTag = 0x46D60C00;
constexpr uint32_t kTensionTag = 0x46D60A00;

uint16_t InfluenceTotal(const SurfsSurfaceSpec& surface) {
  if (surface.influenceTotal) return *surface.influenceTotal;
  uint32_t total = 0;
  for (const SurfsVertexSpec& vertex : surface.vertices) total += vertex.influenceCount;
  return static_cast<uint16_t>(total);
}

void WriteBoneValues(ByteWriter& out, const SurfsSurfaceSpec& surface) {
  uint32_t first = surface.boneValues.empty() ? 0 : surface.boneValues[0];
  uint16_t total = InfluenceTotal(surface);
  switch (surface.boneCase) {
    case BoneValues::Chain:
      for (uint32_t value : surface.boneValues) out.U32(value);
      out.U16(0).U16(total);
      break;
    case BoneValues::SkipTwo:
      out.U32(first).U16(0).U16(total);
      break;
    case BoneValues::Rigid:
      if ((first & 0xFFFF) == 0) first |= static_cast<uint32_t>(surface.vertices.size());
      out.U32(first).U16(0);
      break;
    case BoneValues::ZeroLow:
      out.U32(static_cast<uint32_t>(total) << 16);
      break;
  }
}

void WriteVertex(ByteWriter& out, const SurfsVertexSpec& vertex, bool weighted, bool bo) {
  out.Raw(vertex.normal, 12).Raw(vertex.color, 4).F32(vertex.u).F32(vertex.v);
  out.Raw(vertex.binormal, 12).Raw(vertex.tangent, 12);
  if (bo) {
    out.U32(vertex.tension ? kTensionTag : kOrdinaryTag);
    if (vertex.tension) {
      for (int i = 0; i < 12; ++i) out.F32(static_cast<float>(i));
    }
  }
  if (weighted) out.U8(vertex.influenceCount).I16(vertex.mainBone);
  out.Raw(vertex.position, 12);
  if (weighted) {
    for (uint32_t influence : vertex.influences) out.U32(influence);
  }
}

}  // namespace

std::vector<uint8_t> BuildSurfsFile(const SurfsFileSpec& shape) {
  const bool bo = shape.game == GameId::CodBo;
  ByteWriter out;
  out.U16(bo ? 62 : 25).I16(static_cast<int16_t>(shape.surfaces.size()));
  for (const SurfsSurfaceSpec& surface : shape.surfaces) {
    out.Fill(3).I16(static_cast<int16_t>(surface.vertices.size())).I16(static_cast<int16_t>(surface.triangles.size()));
    WriteBoneValues(out, surface);
    const bool weighted = surface.boneCase != BoneValues::Rigid;
    for (const SurfsVertexSpec& vertex : surface.vertices) WriteVertex(out, vertex, weighted, bo);
    for (const auto& triangle : surface.triangles) out.U16(triangle[0]).U16(triangle[1]).U16(triangle[2]);
  }
  out.Fill(shape.trailingBytes);
  return out.Bytes();
}

SurfsSurfaceSpec MakeSurface(BoneValues boneCase, int vertexCount) {
  SurfsSurfaceSpec surface;
  surface.boneCase = boneCase;
  const bool weighted = boneCase != BoneValues::Rigid;
  for (int i = 0; i < vertexCount; ++i) {
    SurfsVertexSpec vertex;
    vertex.position[0] = static_cast<float>(i);
    vertex.position[1] = i + 0.5f;
    vertex.position[2] = static_cast<float>(-i);
    vertex.u = 0.125f * i;
    vertex.v = 0.25f;
    vertex.color[0] = static_cast<uint8_t>(i);
    if (weighted) {
      vertex.mainBone = 2;
      vertex.influenceCount = static_cast<uint8_t>(i % 3);
      for (int k = 0; k < i % 3; ++k) vertex.influences.push_back(0x40000001u + static_cast<uint32_t>(k));
    }
    surface.vertices.push_back(vertex);
  }
  for (int i = 1; i + 1 < vertexCount; ++i) {
    surface.triangles.push_back({0, static_cast<uint16_t>(i), static_cast<uint16_t>(i + 1)});
  }
  if (surface.triangles.empty()) surface.triangles.push_back({0, 0, 0});
  switch (boneCase) {
    case BoneValues::Chain: surface.boneValues = {0x00010001u, 0x00030001u}; break;  // (1, bone 1), (1, bone 3)
    case BoneValues::SkipTwo: surface.boneValues = {0x00050001u}; break;             // (1, bone 5)
    case BoneValues::Rigid: surface.boneValues = {0x00070000u}; break;               // all vertices, bone 7
    case BoneValues::ZeroLow: surface.boneValues = {0}; break;
  }
  return surface;
}

}  // namespace testfiles
