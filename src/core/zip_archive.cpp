// ZIP reading over minizip's unzip interface (64-bit variant), with the checks that make damaged
// and hostile archives safe to read.
#include "core/zip_archive.h"

#include <minizip/unzip.h>

#include <cerrno>

#include "platform/files.h"

namespace {

constexpr size_t kChunkSize = 256 * 1024;
constexpr size_t kMaxComponentLength = 255;
// A ZIP name is at most 65,535 bytes: this buffer always holds it whole.
constexpr unsigned long kNameBufferSize = 65536;
constexpr uint16_t kFlagEncrypted = 0x0001;

unzFile Handle(void* handle) { return static_cast<unzFile>(handle); }

bool IsAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

}  // namespace

const char* ZipStatusText(ZipStatus status) {
  switch (status) {
    case ZipStatus::Ok: return "ok";
    case ZipStatus::NotFound: return "file not found";
    case ZipStatus::NotZip: return "not a ZIP archive (or cut short)";
    case ZipStatus::Damaged: return "damaged archive";
    case ZipStatus::Unsupported: return "encrypted or unsupported compression";
    case ZipStatus::TooLarge: return "entry too large (zip bomb?)";
    case ZipStatus::BadLength: return "wrong length";
    case ZipStatus::BadCrc: return "CRC error";
    case ZipStatus::SinkRefused: return "reading stopped";
    case ZipStatus::TargetExists: return "file exists";
    case ZipStatus::WriteFailed: return "file could not be written";
  }
  return "unknown";
}

ZipNameCheck CheckEntryName(std::string_view name) {
  if (name.empty()) return ZipNameCheck::Empty;
  if (name.size() > kMaxEntryNameLength) return ZipNameCheck::TooLong;
  for (char c : name) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return ZipNameCheck::ControlCharacter;
  }
  if (name.front() == '/') return ZipNameCheck::Absolute;
  if (name.size() >= 2 && IsAsciiLetter(name[0]) && name[1] == ':') return ZipNameCheck::DriveLetter;
  if (name.find('\\') != std::string_view::npos) return ZipNameCheck::Backslash;
  size_t start = 0;
  while (start <= name.size()) {
    size_t end = name.find('/', start);
    if (end == std::string_view::npos) end = name.size();
    const std::string_view component = name.substr(start, end - start);
    if (component == "..") return ZipNameCheck::ParentFolder;
    if (component.size() > kMaxComponentLength) return ZipNameCheck::TooLong;
    start = end + 1;
  }
  return ZipNameCheck::Safe;
}

const char* ZipNameCheckText(ZipNameCheck check) {
  switch (check) {
    case ZipNameCheck::Safe: return "safe";
    case ZipNameCheck::Empty: return "empty name";
    case ZipNameCheck::Absolute: return "absolute path";
    case ZipNameCheck::DriveLetter: return "drive letter";
    case ZipNameCheck::Backslash: return "backslash in the name";
    case ZipNameCheck::ParentFolder: return "'..' component";
    case ZipNameCheck::ControlCharacter: return "control character in the name";
    case ZipNameCheck::TooLong: return "name too long";
  }
  return "unknown";
}

ZipArchive::ZipArchive() = default;

ZipArchive::~ZipArchive() { Close(); }

void ZipArchive::Close() {
  if (handle_) unzClose(Handle(handle_));
  handle_ = nullptr;
  entries_.clear();
}

ZipStatus ZipArchive::Open(const std::string& path) {
  Close();
  // A folder, a pipe or a device is no archive (and a pipe would block the reading).
  if (!platform::IsRegularFile(path)) return ZipStatus::NotFound;
  handle_ = unzOpen64(path.c_str());
  if (!handle_) return ZipStatus::NotZip;
  const ZipStatus status = ReadDirectory();
  if (status != ZipStatus::Ok) Close();
  return status;
}

ZipStatus ZipArchive::ReadDirectory() {
  unz_global_info64 global{};
  if (unzGetGlobalInfo64(Handle(handle_), &global) != UNZ_OK) return ZipStatus::Damaged;
  if (global.number_entry == 0) return ZipStatus::Ok;
  auto name = std::make_unique_for_overwrite<char[]>(kNameBufferSize);
  int rc = unzGoToFirstFile(Handle(handle_));
  while (rc == UNZ_OK) {
    unz_file_info64 info{};
    if (unzGetCurrentFileInfo64(Handle(handle_), &info, name.get(), kNameBufferSize, nullptr, 0, nullptr, 0) !=
        UNZ_OK) {
      return ZipStatus::Damaged;
    }
    unz64_file_pos pos{};
    if (unzGetFilePos64(Handle(handle_), &pos) != UNZ_OK) return ZipStatus::Damaged;
    ZipEntry entry;
    entry.name.assign(name.get(), info.size_filename);
    entry.compressedSize = info.compressed_size;
    entry.size = info.uncompressed_size;
    entry.crc = static_cast<uint32_t>(info.crc);
    entry.method = static_cast<uint16_t>(info.compression_method);
    entry.encrypted = (info.flag & kFlagEncrypted) != 0;
    entry.isFolder = !entry.name.empty() && entry.name.back() == '/';
    entry.directoryPos = pos.pos_in_zip_directory;
    entry.entryNumber = pos.num_of_file;
    entries_.push_back(std::move(entry));
    rc = unzGoToNextFile(Handle(handle_));
  }
  return rc == UNZ_END_OF_LIST_OF_FILE ? ZipStatus::Ok : ZipStatus::Damaged;
}

ZipStatus ZipArchive::CheckEntry(const ZipEntry& entry) const {
  if (entry.encrypted || (entry.method != 0 && entry.method != Z_DEFLATED)) return ZipStatus::Unsupported;
  if (entry.size > limits_.maxEntrySize) return ZipStatus::TooLarge;
  if (entry.size > limits_.ratioFreeSize && limits_.maxRatio > 0 && entry.size / limits_.maxRatio > entry.compressedSize) {
    return ZipStatus::TooLarge;
  }
  return ZipStatus::Ok;
}

ZipStatus ZipArchive::ReadEntry(const ZipEntry& entry, const Sink& sink) {
  if (!handle_) return ZipStatus::NotFound;
  const ZipStatus allowed = CheckEntry(entry);
  if (allowed != ZipStatus::Ok) return allowed;
  unz64_file_pos pos{entry.directoryPos, entry.entryNumber};
  if (unzGoToFilePos64(Handle(handle_), &pos) != UNZ_OK) return ZipStatus::Damaged;
  if (unzOpenCurrentFile(Handle(handle_)) != UNZ_OK) return ZipStatus::Damaged;
  if (!chunk_) chunk_ = std::make_unique_for_overwrite<uint8_t[]>(kChunkSize);
  uint64_t total = 0;
  ZipStatus status = ZipStatus::Ok;
  for (;;) {
    const int n = unzReadCurrentFile(Handle(handle_), chunk_.get(), static_cast<unsigned>(kChunkSize));
    if (n < 0) {
      status = ZipStatus::Damaged;
      break;
    }
    if (n == 0) break;
    total += static_cast<uint64_t>(n);
    if (!sink(chunk_.get(), static_cast<size_t>(n))) {
      status = ZipStatus::SinkRefused;
      break;
    }
  }
  if (status == ZipStatus::Ok && total != entry.size) status = ZipStatus::BadLength;
  // minizip checks the CRC when every byte the header names has been read.
  const int closed = unzCloseCurrentFile(Handle(handle_));
  if (status != ZipStatus::Ok) return status;
  if (closed == UNZ_CRCERROR) return ZipStatus::BadCrc;
  return closed == UNZ_OK ? ZipStatus::Ok : ZipStatus::Damaged;
}

ZipStatus ZipArchive::ExtractToFile(const ZipEntry& entry, const std::string& target, platform::PlaceMode mode,
                                    int* osError, bool sync) {
  if (osError) *osError = 0;
  if (mode == platform::PlaceMode::KeepExisting && platform::PathExists(target)) return ZipStatus::TargetExists;
  const ZipStatus allowed = CheckEntry(entry);
  if (allowed != ZipStatus::Ok) return allowed;
  platform::StagedFile file(target);
  if (!file.IsOpen()) {
    if (osError) *osError = file.Error();
    return ZipStatus::WriteFailed;
  }
  const ZipStatus read =
      ReadEntry(entry, [&file](const uint8_t* bytes, size_t size) { return file.Write(bytes, size); });
  if (read == ZipStatus::SinkRefused) {
    if (osError) *osError = file.Error();
    return ZipStatus::WriteFailed;
  }
  if (read != ZipStatus::Ok) return read;  // the staged file goes with its object
  if (file.Place(mode, sync)) return ZipStatus::Ok;
  if (file.Error() == EEXIST && mode == platform::PlaceMode::KeepExisting) return ZipStatus::TargetExists;
  if (osError) *osError = file.Error();
  return ZipStatus::WriteFailed;
}
