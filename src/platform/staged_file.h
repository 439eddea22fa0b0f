#pragma once
// StagedFile: a new file written under a temporary name in its target's folder and put in place only
// when it is whole, so nobody sees it half-written and a failure leaves nothing behind.
//
//   StagedFile file(folder + "/image.iwi");
//   while (...) if (!file.Write(bytes, size)) break;
//   file.Place(PlaceMode::KeepExisting);   // false with Error() == EEXIST: a file was there first
//
// Errors are the system's error numbers (errno). Not shared between threads.
#include <cstddef>
#include <string>

namespace platform {

enum class PlaceMode {
  Replace,       // the new file takes the place of whatever file is at the target
  KeepExisting,  // a file already at the target stays; the new one is dropped (error EEXIST)
};

class StagedFile {
 public:
  // Creates the temporary file in target's folder; on failure IsOpen() is false and Error() says why.
  explicit StagedFile(std::string target);
  // Removes the temporary file unless it was placed.
  ~StagedFile();
  StagedFile(const StagedFile&) = delete;
  StagedFile& operator=(const StagedFile&) = delete;

  bool IsOpen() const { return fd_ >= 0; }
  // Appends size bytes. False (Error() set, the file dropped) on a write error or when not open.
  bool Write(const void* data, size_t size);
  // Closes the file (flushed to the disk first when sync is set) and moves it to the target.
  // True when it is there; false on any failure, with the temporary file removed.
  bool Place(PlaceMode mode, bool sync = false);
  // 0, or the error number of the first failure.
  int Error() const { return error_; }

 private:
  void Drop();

  std::string target_;
  std::string temp_;
  int fd_ = -1;
  int error_ = 0;
};

}  // namespace platform
