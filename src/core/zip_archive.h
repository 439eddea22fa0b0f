#pragma once
// ZipArchive: safe reading of ZIP archives (the games' IWD archives, the program's update package)
// over minizip and zlib.
//
//   ZipArchive zip;
//   if (zip.Open(path) != ZipStatus::Ok) ...            // a clear result, never a crash
//   for (const ZipEntry& entry : zip.Entries()) {
//     if (CheckEntryName(entry.name) != ZipNameCheck::Safe) continue;   // would leave its folder
//     zip.ReadEntry(entry, [&](const uint8_t* bytes, size_t size) { ...; return true; });
//     zip.ExtractToFile(entry, target, platform::PlaceMode::KeepExisting);
//   }
//
// Damaged, truncated or foreign files give a status, never a crash, a hang or an allocation the
// file's own size does not bound. An entry's bytes are streamed in chunks and checked against its
// length and CRC; an entry that would expand like a zip bomb is refused before any byte is read.
// One object is used by one thread at a time.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/staged_file.h"

enum class ZipStatus {
  Ok,
  NotFound,     // nothing readable at the path, or not a regular file
  NotZip,       // no ZIP directory: empty, foreign or cut short
  Damaged,      // the directory or an entry's data cannot be read
  Unsupported,  // an encrypted entry or one stored with another method than stored or deflated
  TooLarge,     // an entry larger than the limit, or expanding like a zip bomb
  BadLength,    // an entry gave another number of bytes than its header says
  BadCrc,       // an entry's bytes do not match its CRC
  SinkRefused,  // the receiver of the bytes stopped the reading (e.g. a write error)
  TargetExists, // ExtractToFile with KeepExisting: a file is already at the target (kept)
  WriteFailed,  // ExtractToFile: the file could not be created or written (see the system error)
};

// A short lower-case text for log lines ("CRC error", "not a ZIP archive", ...).
const char* ZipStatusText(ZipStatus status);

// One entry of the archive's directory, as the directory describes it.
struct ZipEntry {
  std::string name;           // as stored, every byte kept (may be unsafe: see CheckEntryName)
  uint64_t compressedSize = 0;
  uint64_t size = 0;          // uncompressed
  uint32_t crc = 0;
  uint16_t method = 0;        // 0 stored, 8 deflated
  bool encrypted = false;
  bool isFolder = false;      // the name ends in "/"
  uint64_t directoryPos = 0;  // where its record lies (used by the archive to find it again)
  uint64_t entryNumber = 0;
};

// Limits against zip bombs: an entry is refused when it is larger than maxEntrySize, or when it is
// larger than ratioFreeSize and expands more than maxRatio times its compressed size.
struct ZipLimits {
  uint64_t maxEntrySize = uint64_t{1} << 30;   // 1 GiB
  uint64_t ratioFreeSize = uint64_t{16} << 20; // 16 MiB
  uint64_t maxRatio = 100;
};

// Whether a stored name can become a path inside a target folder.
enum class ZipNameCheck {
  Safe,
  Empty,
  Absolute,          // begins with "/"
  DriveLetter,       // begins with a letter and ":"
  Backslash,         // holds "\" (a Windows separator: "..\" would climb out)
  ParentFolder,      // a ".." component
  ControlCharacter,  // a byte below 0x20 (NUL included) or 0x7F
  TooLong,           // longer than kMaxEntryNameLength, or a component longer than 255 bytes
};

inline constexpr size_t kMaxEntryNameLength = 259;

ZipNameCheck CheckEntryName(std::string_view name);
// A short lower-case text for log lines ("absolute path", "'..' component", ...).
const char* ZipNameCheckText(ZipNameCheck check);

class ZipArchive {
 public:
  // Receives the next chunk of an entry's bytes; returns false to stop the reading.
  using Sink = std::function<bool(const uint8_t* bytes, size_t size)>;

  ZipArchive();
  ~ZipArchive();
  ZipArchive(const ZipArchive&) = delete;
  ZipArchive& operator=(const ZipArchive&) = delete;

  // Opens the archive at path and reads its whole directory. Any earlier archive is closed first.
  // NotFound, NotZip or Damaged leave the object closed with no entries.
  ZipStatus Open(const std::string& path);
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }

  // The directory in stored order (folders included).
  const std::vector<ZipEntry>& Entries() const { return entries_; }

  void SetLimits(const ZipLimits& limits) { limits_ = limits; }
  // Ok when the entry may be read: not encrypted, stored or deflated, within the limits.
  ZipStatus CheckEntry(const ZipEntry& entry) const;

  // Streams entry's bytes to sink in chunks, then checks their number against its size and their
  // CRC. Ok only when the sink took every byte and both checks passed; after any other result the
  // bytes the sink got must be thrown away.
  ZipStatus ReadEntry(const ZipEntry& entry, const Sink& sink);

  // Writes entry to a temporary file beside target and moves it to target only when whole and
  // checked; on any failure no file is left behind. osError (when given) receives the system's
  // error number of a WriteFailed. No folder is created.
  ZipStatus ExtractToFile(const ZipEntry& entry, const std::string& target, platform::PlaceMode mode,
                          int* osError = nullptr, bool sync = false);

 private:
  ZipStatus ReadDirectory();

  void* handle_ = nullptr;  // unzFile
  std::vector<ZipEntry> entries_;
  ZipLimits limits_;
  std::unique_ptr<uint8_t[]> chunk_;  // made at the first read
};
