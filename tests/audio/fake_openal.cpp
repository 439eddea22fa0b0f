#include "fake_openal.h"

#include <cstdio>
#include <mutex>

namespace {

struct State {
  FakeSetup setup;
  std::string deviceList;  // the names, each ended by a NUL, then an empty one
  std::vector<std::string> calls;
  std::map<ALuint, bool> playing;
  std::map<ALuint, int> plays;
  ALuint nextId = 1;
  float gain = 1.0f;
  ALenum error = kAlNoError;
};

std::mutex gMutex;
State gState;
int gContextToken;

// Devices are the addresses of the setup's entries; the one context is a token.
ALCdevice* AsDevice(const FakeDevice& device) { return reinterpret_cast<ALCdevice*>(const_cast<FakeDevice*>(&device)); }
const FakeDevice& FromDevice(ALCdevice* device) { return *reinterpret_cast<const FakeDevice*>(device); }
ALCcontext* Context() { return reinterpret_cast<ALCcontext*>(&gContextToken); }

void Record(const std::string& call) { gState.calls.push_back(call); }

ALboolean IsExtensionPresent(ALCdevice*, const ALchar*) { return 1; }

const ALchar* GetString(ALCdevice* device, ALenum what) {
  std::lock_guard<std::mutex> lock(gMutex);
  if (device) return FromDevice(device).ownName.c_str();
  return what == kAlcDefaultDeviceSpecifier ? gState.setup.defaultName.c_str() : gState.deviceList.c_str();
}

ALCdevice* OpenDevice(const ALchar* name) {
  std::lock_guard<std::mutex> lock(gMutex);
  for (const FakeDevice& device : gState.setup.devices) {
    if (device.ownName.empty() || (name && device.listedName != name)) continue;
    Record(std::string("open ") + device.ownName);
    return AsDevice(device);
  }
  return nullptr;
}

ALboolean CloseDevice(ALCdevice* device) {
  std::lock_guard<std::mutex> lock(gMutex);
  Record("close " + FromDevice(device).ownName);
  return 1;
}

ALCcontext* CreateContext(ALCdevice*, const ALint*) { return Context(); }

ALboolean MakeContextCurrent(ALCcontext* context) {
  std::lock_guard<std::mutex> lock(gMutex);
  Record(context ? "context current" : "no context");
  return 1;
}

void DestroyContext(ALCcontext*) {
  std::lock_guard<std::mutex> lock(gMutex);
  Record("destroy context");
}

ALCcontext* GetCurrentContext() { return Context(); }

ALCdevice* GetContextsDevice(ALCcontext*) {
  std::lock_guard<std::mutex> lock(gMutex);
  for (const FakeDevice& device : gState.setup.devices) {
    if (!device.ownName.empty()) return AsDevice(device);
  }
  return nullptr;
}

void GenIds(ALsizei count, ALuint* ids, const char* what) {
  std::lock_guard<std::mutex> lock(gMutex);
  for (ALsizei i = 0; i < count; ++i) {
    ids[i] = gState.nextId++;
    Record(std::string(what) + " " + std::to_string(ids[i]));
  }
}

void DeleteIds(ALsizei count, const ALuint* ids, const char* what) {
  std::lock_guard<std::mutex> lock(gMutex);
  for (ALsizei i = 0; i < count; ++i) Record(std::string(what) + " " + std::to_string(ids[i]));
}

void GenSources(ALsizei count, ALuint* ids) { GenIds(count, ids, "gen source"); }
void DeleteSources(ALsizei count, const ALuint* ids) { DeleteIds(count, ids, "delete source"); }
void GenBuffers(ALsizei count, ALuint* ids) { GenIds(count, ids, "gen buffer"); }
void DeleteBuffers(ALsizei count, const ALuint* ids) { DeleteIds(count, ids, "delete buffer"); }

void BufferData(ALuint buffer, ALenum format, const void*, ALsizei size, ALsizei rate) {
  std::lock_guard<std::mutex> lock(gMutex);
  Record("data " + std::to_string(buffer) + " " + std::to_string(format) + " " + std::to_string(size) + " " +
         std::to_string(rate));
  gState.error = gState.setup.bufferDataError;
}

ALenum GetError() {
  std::lock_guard<std::mutex> lock(gMutex);
  const ALenum error = gState.error;
  gState.error = kAlNoError;
  return error;
}

ALenum GetEnumValue(const ALchar* name) { return FakeOpenAL::FormatValue(name); }

void GetSourcei(ALuint source, ALenum what, ALint* value) {
  std::lock_guard<std::mutex> lock(gMutex);
  if (what == kAlSourceState) *value = gState.playing[source] ? kAlPlaying : 0x1014 /* stopped */;
}

void Sourcei(ALuint source, ALenum what, ALint value) {
  std::lock_guard<std::mutex> lock(gMutex);
  if (what != kAlBuffer) return;
  Record("attach " + std::to_string(source) + " " + std::to_string(value));
}

void SourcePlay(ALuint source) {
  std::lock_guard<std::mutex> lock(gMutex);
  gState.playing[source] = true;
  ++gState.plays[source];
  Record("play " + std::to_string(source));
}

void SourceStop(ALuint source) {
  std::lock_guard<std::mutex> lock(gMutex);
  gState.playing[source] = false;
  Record("stop " + std::to_string(source));
}

void Listenerf(ALenum what, ALfloat value) {
  std::lock_guard<std::mutex> lock(gMutex);
  if (what != kAlGain) return;
  gState.gain = value;
  char text[32];
  std::snprintf(text, sizeof text, "gain %.2f", static_cast<double>(value));
  Record(text);
}

void GetListenerf(ALenum what, ALfloat* value) {
  std::lock_guard<std::mutex> lock(gMutex);
  if (what == kAlGain) *value = gState.gain;
}

OpenALFunctions MakeTable() {
  OpenALFunctions t;
  t.alcIsExtensionPresent = IsExtensionPresent;
  t.alcGetString = GetString;
  t.alcOpenDevice = OpenDevice;
  t.alcCloseDevice = CloseDevice;
  t.alcCreateContext = CreateContext;
  t.alcMakeContextCurrent = MakeContextCurrent;
  t.alcDestroyContext = DestroyContext;
  t.alcGetCurrentContext = GetCurrentContext;
  t.alcGetContextsDevice = GetContextsDevice;
  t.alGenSources = GenSources;
  t.alDeleteSources = DeleteSources;
  t.alGenBuffers = GenBuffers;
  t.alDeleteBuffers = DeleteBuffers;
  t.alBufferData = BufferData;
  t.alGetError = GetError;
  t.alGetEnumValue = GetEnumValue;
  t.alGetSourcei = GetSourcei;
  t.alSourcei = Sourcei;
  t.alSourcePlay = SourcePlay;
  t.alSourceStop = SourceStop;
  t.alListenerf = Listenerf;
  t.alGetListenerf = GetListenerf;
  return t;
}

}  // namespace

namespace FakeOpenAL {

void Reset(const FakeSetup& setup) {
  std::lock_guard<std::mutex> lock(gMutex);
  gState = State{};
  gState.setup = setup;
  for (const FakeDevice& device : setup.devices) gState.deviceList += device.listedName + '\0';
  gState.deviceList += '\0';
}

const OpenALFunctions& Table() {
  static const OpenALFunctions table = MakeTable();
  return table;
}

std::vector<std::string> Calls() {
  std::lock_guard<std::mutex> lock(gMutex);
  return gState.calls;
}

void ClearCalls() {
  std::lock_guard<std::mutex> lock(gMutex);
  gState.calls.clear();
}

void Finish(ALuint source) {
  std::lock_guard<std::mutex> lock(gMutex);
  gState.playing[source] = false;
}

int PlayCount(ALuint source) {
  std::lock_guard<std::mutex> lock(gMutex);
  return gState.plays[source];
}

float Gain() {
  std::lock_guard<std::mutex> lock(gMutex);
  return gState.gain;
}

int FormatValue(const std::string& name) {
  static const std::map<std::string, int> kValues = {
      {"AL_FORMAT_MONO8", 0x1100},     {"AL_FORMAT_MONO16", 0x1101},  {"AL_FORMAT_STEREO8", 0x1102},
      {"AL_FORMAT_STEREO16", 0x1103},  {"AL_FORMAT_QUAD16", 0x1205},  {"AL_FORMAT_REAR16", 0x1208},
      {"AL_FORMAT_51CHN16", 0x120B},   {"AL_FORMAT_61CHN16", 0x120E}, {"AL_FORMAT_71CHN16", 0x1211},
  };
  const auto found = kValues.find(name);
  return found == kValues.end() ? 0 : found->second;
}

}  // namespace FakeOpenAL
