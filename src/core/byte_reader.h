#pragma once
// ByteReader: a bounds-checked little-endian cursor over a file held in memory. Every game-file
// reader parses through it in one pass.
//
// A read or skip that would leave the buffer fails, sets the sticky failure flag, reads as 0
// and does not move the cursor; check Failed() (or Fits() before sizing anything from a count)
// at the points where a value is used.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

class ByteReader {
 public:
  ByteReader(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  size_t Position() const { return pos_; }
  size_t Size() const { return size_; }
  size_t Remaining() const { return size_ - pos_; }
  bool Failed() const { return failed_; }
  // True when count records of recordSize bytes fit in the bytes that remain (no overflow).
  bool Fits(size_t count, size_t recordSize) const {
    return recordSize == 0 || count <= Remaining() / recordSize;
  }

  // Moves to an absolute position at or before the end; fails beyond it.
  bool Seek(size_t position) {
    if (position > size_) return Fail();
    pos_ = position;
    return true;
  }
  bool Skip(size_t count) {
    if (count > Remaining()) return Fail();
    pos_ += count;
    return true;
  }
  // Copies count bytes to out.
  bool Bytes(void* out, size_t count) {
    if (count > Remaining()) return Fail();
    std::memcpy(out, data_ + pos_, count);
    pos_ += count;
    return true;
  }
  // The next count bytes in place (null, and a failure, when they do not fit); the cursor moves.
  const uint8_t* Take(size_t count) {
    if (count > Remaining()) {
      Fail();
      return nullptr;
    }
    const uint8_t* at = data_ + pos_;
    pos_ += count;
    return at;
  }

  uint8_t U8() { return Read<uint8_t>(); }
  uint16_t U16() { return Read<uint16_t>(); }
  int16_t I16() { return Read<int16_t>(); }
  uint32_t U32() { return Read<uint32_t>(); }
  int32_t I32() { return Read<int32_t>(); }
  float F32() { return Read<float>(); }

  // Reads a zero-terminated string of at most limit bytes before its zero and moves past the
  // zero. Fails (out empty, cursor unmoved) when no zero comes within limit bytes or the end.
  bool CString(size_t limit, std::string& out) {
    size_t window = Remaining() < limit + 1 ? Remaining() : limit + 1;
    const void* zero = std::memchr(data_ + pos_, 0, window);
    if (!zero) {
      out.clear();
      return Fail();
    }
    size_t length = static_cast<const uint8_t*>(zero) - (data_ + pos_);
    out.assign(reinterpret_cast<const char*>(data_ + pos_), length);
    pos_ += length + 1;
    return true;
  }

 private:
  template <class T>
  T Read() {
    T value{};
    if (sizeof(T) > Remaining()) {
      Fail();
      return value;
    }
    std::memcpy(&value, data_ + pos_, sizeof(T));
    pos_ += sizeof(T);
    return value;
  }
  bool Fail() {
    failed_ = true;
    return false;
  }

  const uint8_t* data_;
  size_t size_;
  size_t pos_ = 0;
  bool failed_ = false;
};
