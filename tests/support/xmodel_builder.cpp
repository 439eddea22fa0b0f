#include "support/xmodel_builder.h"

#include "support/byte_writer.h"

namespace testfiles {

namespace {

void WritePreset(ByteWriter& out, const XmodelFileSpec& shape) {
  bool preset = !shape.physicsPreset.empty();
  switch (shape.game) {
    case GameId::Cod4:
      out.PadTo(27);
      if (preset) out.CString(shape.physicsPreset);
      else out.U8(0);
      break;
    case GameId::Cod5:
      out.PadTo(27);
      if (preset) out.CString(shape.physicsPreset).Fill(1);
      else out.U8(0).Fill(1);
      break;
    case GameId::CodBo:
      out.PadTo(30);
      if (preset) out.CString(shape.physicsPreset).CString(shape.boSecondString).Fill(5);
      else out.Fill(1).U8(0).Fill(5);
      break;
  }
}

}  // namespace

size_t XmodelDistanceOffset(const XmodelFileSpec& shape) {
  ByteWriter out;
  out.U16(shape.version);
  WritePreset(out, shape);
  return out.Size();
}

std::vector<uint8_t> BuildXmodelFile(const XmodelFileSpec& shape) {
  ByteWriter out;
  out.U16(shape.version);
  WritePreset(out, shape);
  for (int i = 0; i < 4; ++i) out.F32(shape.distances[i]).CString(shape.lodNames[i]);
  out.U8(shape.collisionLod).Fill(3);
  if (shape.collisionLod == 255) {
    out.I32(shape.collisionCountField);
  } else {
    out.I32(static_cast<int32_t>(shape.collisionEntries.size()));
    for (int32_t n : shape.collisionEntries) out.I32(n).Fill(36).Fill(static_cast<size_t>(n) * 48);
  }
  for (const std::vector<std::string>& materials : shape.lodMaterials) {
    out.U8(static_cast<uint8_t>(materials.size())).Fill(1);
    for (const std::string& material : materials) out.CString(material);
  }
  out.PadTo(shape.minSize);
  return out.Bytes();
}

}  // namespace testfiles
