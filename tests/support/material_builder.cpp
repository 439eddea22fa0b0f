#include "support/material_builder.h"

#include "support/byte_writer.h"

namespace testfiles {

std::vector<uint8_t> BuildMaterialFile(const std::vector<MaterialSlotSpec>& slots) {
  ByteWriter out;
  out.Fill(48).U32(static_cast<uint32_t>(slots.size())).Fill(12);
  size_t tableStart = out.Size();
  out.Fill(12 * slots.size());
  for (size_t i = 0; i < slots.size(); ++i) {
    uint32_t slotOffset = static_cast<uint32_t>(out.Size());
    out.CString(slots[i].slotName);
    uint32_t imageOffset = static_cast<uint32_t>(out.Size());
    out.CString(slots[i].imageName);
    out.PatchU32(tableStart + 12 * i, slotOffset);
    out.PatchU32(tableStart + 12 * i + 8, imageOffset);
  }
  return out.Bytes();
}

}  // namespace testfiles
