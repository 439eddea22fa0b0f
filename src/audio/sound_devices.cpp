#include "audio/sound_devices.h"

#include <algorithm>
#include <cstring>

#include "core/log.h"

bool SoundDeviceList::Build(const OpenALSource& source) {
  defaultIndex_ = 0;
  devices_.clear();
  if (source.table) {
    al_ = *source.table;
  } else if (!LoadOpenALLibrary(&al_, library_, source.libraryName)) {
    return false;
  }
  Enumerate();
  return true;
}

void SoundDeviceList::Enumerate() {
  if (!al_.alcIsExtensionPresent(nullptr, "ALC_ENUMERATION_EXT")) return;
  // The names are copied first: the library may reuse its list while devices open.
  std::vector<std::string> names;
  for (const char* name = al_.alcGetString(nullptr, kAlcDeviceSpecifier); name && *name; name += std::strlen(name) + 1) {
    names.emplace_back(name);
  }
  const char* defaultSpecifier = al_.alcGetString(nullptr, kAlcDefaultDeviceSpecifier);
  const std::string defaultName = defaultSpecifier ? defaultSpecifier : "";
  for (const std::string& name : names) {
    const std::string ownName = ProbeDevice(name.c_str());
    if (ownName.empty()) continue;
    auto kept = std::find(devices_.begin(), devices_.end(), ownName);
    if (kept == devices_.end()) kept = devices_.insert(devices_.end(), ownName);
    if (name == defaultName) defaultIndex_ = static_cast<int>(kept - devices_.begin());
  }
}

std::string SoundDeviceList::ProbeDevice(const char* name) const {
  ALCdevice* device = al_.alcOpenDevice(name);
  if (!device) return {};
  std::string ownName;
  if (ALCcontext* context = al_.alcCreateContext(device, nullptr)) {
    al_.alcMakeContextCurrent(context);
    const char* specifier = al_.alcGetString(device, kAlcDeviceSpecifier);
    ownName = specifier ? specifier : "";
    al_.alcMakeContextCurrent(nullptr);
    al_.alcDestroyContext(context);
  }
  al_.alcCloseDevice(device);
  return ownName;
}

namespace {

// Opens the device at the list's default index with a context and makes it current; false when no
// device or no context came.
bool OpenDefaultDevice(const SoundDeviceList& list) {
  const OpenALFunctions& al = list.Al();
  const int index = list.DefaultIndex();
  const bool listed = index >= 0 && static_cast<size_t>(index) < list.Devices().size();
  ALCdevice* device = al.alcOpenDevice(listed ? list.Devices()[index].c_str() : nullptr);
  if (!device) return false;
  ALCcontext* context = al.alcCreateContext(device, nullptr);
  if (!context) {
    al.alcCloseDevice(device);
    return false;
  }
  const char* name = al.alcGetString(device, kAlcDeviceSpecifier);
  VornLog::Printf("Using: '%s'", name ? name : "");
  al.alcMakeContextCurrent(context);
  return true;
}

}  // namespace

int SoundBackendInit(std::unique_ptr<SoundDeviceList>& list, const OpenALSource& source) {
  if (!list) list = std::make_unique<SoundDeviceList>();
  if (!list->Build(source)) return -1;
  if (list->Devices().empty()) return 0;
  VornLog::Printf("----- Sound Info -----");
  VornLog::Printf("Listing Sound output Devices:");
  for (size_t i = 0; i < list->Devices().size(); ++i) {
    VornLog::Printf("\t%d. %s%s\n", static_cast<int>(i) + 1, list->Devices()[i].c_str(),
                    static_cast<int>(i) == list->DefaultIndex() ? "(DEFAULT)" : "");
  }
  const int result = OpenDefaultDevice(*list) ? 1 : 0;
  VornLog::Printf("------------------\n");
  return result;
}
