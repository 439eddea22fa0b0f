#pragma once
// DynamicLibrary: a shared library loaded at run time and its entry points looked up by name.
// The library stays loaded while the object lives and is unloaded when it ends (or on Close).
// Not thread-safe: its owner serialises the calls.
#include <string>

namespace platform {

class DynamicLibrary {
 public:
  DynamicLibrary() = default;
  ~DynamicLibrary();
  DynamicLibrary(const DynamicLibrary&) = delete;
  DynamicLibrary& operator=(const DynamicLibrary&) = delete;

  // Loads the library name (a file name searched the system's usual way, or a path), resolving
  // all of its symbols now. Any library loaded before is unloaded first. False when it cannot be
  // loaded.
  bool Open(const std::string& name);
  // The address of the exported symbol name; null when the library is not loaded or lacks it.
  void* Symbol(const char* name) const;
  // Unloads the library; nothing when none is loaded.
  void Close();
  bool IsOpen() const { return handle_ != nullptr; }

 private:
  void* handle_ = nullptr;
};

}  // namespace platform
