#include "support/zip_builder.h"

#include <zlib.h>

#include <fstream>

#include "support/byte_writer.h"

namespace testfiles {

namespace {

constexpr uint16_t kVersion = 20;
constexpr uint16_t kDosTime = 0x6000;  // 12:00:00
constexpr uint16_t kDosDate = 0x5821;  // 2024-01-01

}  // namespace

std::string DeflateRaw(const std::string& bytes) {
  z_stream stream{};
  deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY);
  std::string out(deflateBound(&stream, bytes.size()), '\0');
  stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
  stream.avail_in = static_cast<uInt>(bytes.size());
  stream.next_out = reinterpret_cast<Bytef*>(out.data());
  stream.avail_out = static_cast<uInt>(out.size());
  deflate(&stream, Z_FINISH);
  out.resize(stream.total_out);
  deflateEnd(&stream);
  return out;
}

std::string PatternBytes(size_t size, uint32_t seed) {
  std::string out(size, '\0');
  uint32_t state = seed * 2654435761u + 1;
  for (size_t i = 0; i < size; ++i) {
    state = state * 1103515245u + 12345u;
    // Runs of repeated bytes with some noise: compresses like image data, not like zeros.
    out[i] = static_cast<char>((i / 7 + seed) % 251 ^ ((state >> 24) & 0x0F));
  }
  return out;
}

ZipBuilder& ZipBuilder::Add(const std::string& name, const std::string& bytes, ZipMethod method) {
  Entry entry;
  entry.name = name;
  entry.method = method == ZipMethod::Deflated ? 8 : 0;
  entry.data = method == ZipMethod::Deflated ? DeflateRaw(bytes) : bytes;
  entry.crc = static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()),
                                          static_cast<uInt>(bytes.size())));
  entry.size = static_cast<uint32_t>(bytes.size());
  entries_.push_back(std::move(entry));
  return *this;
}

ZipBuilder& ZipBuilder::Folder(const std::string& name) {
  Entry entry;
  entry.name = name;
  entry.folder = true;
  entries_.push_back(std::move(entry));
  return *this;
}

ZipBuilder& ZipBuilder::Crc(uint32_t crc) {
  entries_.back().crc = crc;
  return *this;
}

ZipBuilder& ZipBuilder::DeclaredSize(uint32_t size) {
  entries_.back().size = size;
  return *this;
}

std::string ZipBuilder::Build() const {
  ByteWriter out;
  std::vector<uint32_t> offsets;
  for (const Entry& e : entries_) {
    offsets.push_back(static_cast<uint32_t>(out.Size()));
    out.U32(0x04034b50).U16(kVersion).U16(0).U16(e.method).U16(kDosTime).U16(kDosDate);
    out.U32(e.crc).U32(static_cast<uint32_t>(e.data.size())).U32(e.size);
    out.U16(static_cast<uint16_t>(e.name.size())).U16(0);
    out.Raw(e.name.data(), e.name.size()).Raw(e.data.data(), e.data.size());
  }
  const uint32_t directoryStart = static_cast<uint32_t>(out.Size());
  for (size_t i = 0; i < entries_.size(); ++i) {
    const Entry& e = entries_[i];
    out.U32(0x02014b50).U16(kVersion).U16(kVersion).U16(0).U16(e.method).U16(kDosTime).U16(kDosDate);
    out.U32(e.crc).U32(static_cast<uint32_t>(e.data.size())).U32(e.size);
    out.U16(static_cast<uint16_t>(e.name.size())).U16(0).U16(0).U16(0).U16(0);
    out.U32(e.folder ? 0x10 : 0).U32(offsets[i]);
    out.Raw(e.name.data(), e.name.size());
  }
  const uint32_t directorySize = static_cast<uint32_t>(out.Size()) - directoryStart;
  const auto count = static_cast<uint16_t>(entries_.size());
  out.U32(0x06054b50).U16(0).U16(0).U16(count).U16(count).U32(directorySize).U32(directoryStart).U16(0);
  return std::string(out.Bytes().begin(), out.Bytes().end());
}

bool ZipBuilder::WriteTo(const std::string& path) const {
  std::ofstream file(path, std::ios::binary);
  const std::string bytes = Build();
  file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace testfiles
