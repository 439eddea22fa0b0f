#pragma once
// ByteWriter: builds a game file byte for byte, little-endian. Bytes that readers skip are
// filled with kFill, so a reader that reads them by mistake sees a recognisable pattern.
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace testfiles {

inline constexpr uint8_t kFill = 0xA5;

class ByteWriter {
 public:
  ByteWriter& U8(uint8_t v) { return Raw(&v, 1); }
  ByteWriter& U16(uint16_t v) { return Raw(&v, 2); }
  ByteWriter& I16(int16_t v) { return Raw(&v, 2); }
  ByteWriter& U32(uint32_t v) { return Raw(&v, 4); }
  ByteWriter& I32(int32_t v) { return Raw(&v, 4); }
  ByteWriter& F32(float v) { return Raw(&v, 4); }
  // The text and its terminating zero.
  ByteWriter& CString(const std::string& text) { return Raw(text.c_str(), text.size() + 1); }
  ByteWriter& Fill(size_t count, uint8_t value = kFill) {
    bytes_.insert(bytes_.end(), count, value);
    return *this;
  }
  ByteWriter& Raw(const void* data, size_t count) {
    const uint8_t* p = static_cast<const uint8_t*>(data);
    bytes_.insert(bytes_.end(), p, p + count);
    return *this;
  }
  // Pads with kFill up to size bytes.
  ByteWriter& PadTo(size_t size) {
    if (bytes_.size() < size) Fill(size - bytes_.size());
    return *this;
  }
  // Overwrites 4 bytes at an absolute offset.
  void PatchU32(size_t offset, uint32_t v) { std::memcpy(bytes_.data() + offset, &v, 4); }

  size_t Size() const { return bytes_.size(); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace testfiles
