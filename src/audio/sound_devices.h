#pragma once
// The sound back end: the OpenAL library with its entry points, the list of output devices, and
// opening the output device the sound system plays on.
//
//   OpenALSource      where the entry points come from: a library loaded by name, or a given table
//   SoundDeviceList   the loaded library, its table and the output devices found, with the default
//   SoundBackendInit  builds the list, logs it and makes a context on the default device current
//
// Not thread-safe: the sound object serialises the calls.
#include <memory>
#include <string>
#include <vector>

#include "audio/openal_api.h"
#include "platform/dynamic_library.h"

struct OpenALSource {
  std::string libraryName = "libopenal.so.1";
  // When set, these entry points are used instead of a library (tests stand in for OpenAL).
  const OpenALFunctions* table = nullptr;
};

class SoundDeviceList {
 public:
  SoundDeviceList() { devices_.reserve(10); }
  // Unloads the library.
  ~SoundDeviceList() = default;
  SoundDeviceList(const SoundDeviceList&) = delete;
  SoundDeviceList& operator=(const SoundDeviceList&) = delete;

  // Loads the entry points from source, then lists the output devices: every device the library
  // names that opens with a context, under its own name, each name once. The default is recorded
  // by its place in this list (0 when it is not in it). False when the library or an entry point
  // is missing.
  bool Build(const OpenALSource& source);

  const OpenALFunctions& Al() const { return al_; }
  const std::vector<std::string>& Devices() const { return devices_; }
  int DefaultIndex() const { return defaultIndex_; }

 private:
  void Enumerate();
  // Opens the device name with a context and returns its own name; empty when it cannot be opened.
  std::string ProbeDevice(const char* name) const;

  platform::DynamicLibrary library_;
  OpenALFunctions al_{};
  std::vector<std::string> devices_;
  int defaultIndex_ = 0;
};

// Creates list if there is none and builds it: -1 when that fails. 0 for an empty list or when no
// device opens with a context. 1 when a context on the default device (the library's own default
// when the default index lies outside the list) is current. Logs the "----- Sound Info -----"
// block with the devices and the one in use.
int SoundBackendInit(std::unique_ptr<SoundDeviceList>& list, const OpenALSource& source);
