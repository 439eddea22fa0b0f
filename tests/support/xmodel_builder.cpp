#include "support/xmodel_builder.h"

#include "support/byte_writer.h"

namespace testfiles {

namespace {

void WritePreset(ByteWriter& out, const XmodelFileSpec& spec) {
  bool preset = !spec.physicsPreset.empty();
  switch (spec.game) {
    case GameId::Cod4:
      out.PadTo(27);
      if (preset) out.CString(spec.physicsPreset);
      else out.U8(0);
      break;
    case GameId::Cod5:
      out.PadTo(27);
      if (preset) out.CString(spec.physicsPreset).Fill(1);
      else out.U8(0).Fill(1);
      break;
    case GameId::CodBo:
      out.PadTo(30);
      if (preset) out.CString(spec.physicsPreset).CString(spec.boSecondString).Fill(5);
      else out.Fill(1).U8(0).Fill(5);
      break;
  }
}

}  // namespace

size_t XmodelDistanceOffset(const XmodelFileSpec& spec) {
  ByteWriter out;
  out.U16(spec.version);
  WritePreset(out, spec);
  return out.Size();
}

std::vector<uint8_t> BuildXmodelFile(const XmodelFileSpec& spec) {
  ByteWriter out;
  out.U16(spec.version);
  WritePreset(out, spec);
  for (int i = 0; i < 4; ++i) out.F32(spec.distances[i]).CString(spec.lodNames[i]);
  out.U8(spec.collisionLod).Fill(3);
  if (spec.collisionLod == 255) {
    out.I32(spec.collisionCountField);
  } else {
    out.I32(static_cast<int32_t>(spec.collisionEntries.size()));
    for (int32_t n : spec.collisionEntries) out.I32(n).Fill(36).Fill(static_cast<size_t>(n) * 48);
  }
  for (const std::vector<std::string>& materials : spec.lodMaterials) {
    out.U8(static_cast<uint8_t>(materials.size())).Fill(1);
    for (const std::string& material : materials) out.CString(material);
  }
  out.PadTo(spec.minSize);
  return out.Bytes();
}

}  // namespace testfiles
