#pragma once
// ZipBuilder: builds a ZIP archive byte for byte (stored and deflated entries, folders), including
// the hostile ones a reader must survive: a wrong CRC or size in the headers, any name at all.
//
//   std::string zip = ZipBuilder().Folder("images/").Add("images/a.iwi", bytes).Build();
//   ZipBuilder().Add("x.iwi", bytes, ZipMethod::Stored).Crc(0x1234).WriteTo(path);
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace testfiles {

enum class ZipMethod { Stored, Deflated };

class ZipBuilder {
 public:
  // Adds a file entry with these bytes.
  ZipBuilder& Add(const std::string& name, const std::string& bytes, ZipMethod method = ZipMethod::Deflated);
  // Adds a folder entry (name should end in "/").
  ZipBuilder& Folder(const std::string& name);
  // Overrides what the headers of the last entry say: its CRC, its uncompressed size.
  ZipBuilder& Crc(uint32_t crc);
  ZipBuilder& DeclaredSize(uint32_t size);

  // The whole archive.
  std::string Build() const;
  // Writes Build() to path; false on failure.
  bool WriteTo(const std::string& path) const;

 private:
  struct Entry {
    std::string name;
    std::string data;  // as stored (compressed for deflated entries)
    uint16_t method = 0;
    uint32_t crc = 0;
    uint32_t size = 0;
    bool folder = false;
  };
  std::vector<Entry> entries_;
};

// The raw deflate stream of bytes (no zlib header), as ZIP stores it.
std::string DeflateRaw(const std::string& bytes);
// Bytes of the given size in a repeatable pattern that compresses moderately, seeded by seed.
std::string PatternBytes(size_t size, uint32_t seed);

}  // namespace testfiles
