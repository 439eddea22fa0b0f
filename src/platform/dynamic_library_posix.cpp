// Shared libraries loaded at run time through the POSIX loader.
#include "platform/dynamic_library.h"

#include <dlfcn.h>

namespace platform {

DynamicLibrary::~DynamicLibrary() { Close(); }

bool DynamicLibrary::Open(const std::string& name) {
  Close();
  // Local binding: the library's symbols never stand in for the program's or another library's.
  handle_ = ::dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
  return handle_ != nullptr;
}

void* DynamicLibrary::Symbol(const char* name) const { return handle_ ? ::dlsym(handle_, name) : nullptr; }

void DynamicLibrary::Close() {
  if (!handle_) return;
  ::dlclose(handle_);
  handle_ = nullptr;
}

}  // namespace platform
