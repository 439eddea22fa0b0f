#include "support/parts_builder.h"

#include "support/byte_writer.h"

namespace testfiles {

std::vector<uint8_t> BuildPartsFile(const PartsFileSpec& shape) {
  ByteWriter out;
  out.U16(25).I16(static_cast<int16_t>(shape.children.size())).I16(static_cast<int16_t>(shape.rootNames.size()));
  for (const PartsChildSpec& child : shape.children) {
    out.U8(child.parent).F32(child.offset[0]).F32(child.offset[1]).F32(child.offset[2]);
    out.I16(child.packed[0]).I16(child.packed[1]).I16(child.packed[2]);
  }
  for (const std::string& name : shape.rootNames) out.CString(name);
  for (const PartsChildSpec& child : shape.children) out.CString(child.name);
  if (shape.trailingBytes) out.Fill(shape.rootNames.size() + shape.children.size() + 1);
  return out.Bytes();
}

}  // namespace testfiles
