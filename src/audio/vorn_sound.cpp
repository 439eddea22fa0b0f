#include "audio/vorn_sound.h"

#include <climits>

#include "core/log.h"
#include "core/settings.h"

VornSound::VornSound(OpenALSource source) : source_(std::move(source)) {}

VornSound::~VornSound() { Shutdown(); }

bool VornSound::Init() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (ready_) return true;
  waves_ = std::make_unique<CWaves>();
  switch (SoundBackendInit(devices_, source_)) {
    case 1: break;
    case -1:
      VornLog::Warningf("Failed to find OpenAL.dll (Sound will be disabled)");
      devices_.reset();
      waves_.reset();
      enabled_ = ready_ = false;
      return false;
    default:
      VornLog::Warningf("Failed to initialize OpenAL");
      BackendShutdownLocked();
      enabled_ = ready_ = false;
      return false;
  }
  Al().alGenSources(1, &channel1_);
  Al().alGenSources(1, &channel2_);
  volume_ = 1.0f;
  enabled_ = ready_ = true;
  return true;
}

void VornSound::BackendShutdownLocked() {
  if (waves_) {
    VornLog::Printf("OpenAL ShutDown");
    waves_.reset();
  }
  devices_.reset();
}

void VornSound::Shutdown() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (ready_) {
    const OpenALFunctions& al = Al();
    al.alDeleteSources(1, &channel1_);
    al.alDeleteSources(1, &channel2_);
    for (const auto& [name, buffer] : buffers_) al.alDeleteBuffers(1, &buffer);
    ALCcontext* context = al.alcGetCurrentContext();
    ALCdevice* device = context ? al.alcGetContextsDevice(context) : nullptr;
    al.alcMakeContextCurrent(nullptr);
    if (context) al.alcDestroyContext(context);
    if (device) al.alcCloseDevice(device);
  }
  // Cleared before the library goes: a later play (the job thread may still finish an export)
  // must find nothing to call.
  enabled_ = ready_ = false;
  BackendShutdownLocked();
}

void VornSound::Load(const std::string& fileName, const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!ready_) return;
  ALuint buffer = 0;
  Al().alGenBuffers(1, &buffer);
  buffers_[name] = buffer;
  if (waves_ && LoadWaveToBuffer(*waves_, Al(), fileName, buffer)) return;
  VornLog::Warningf("Failed to load Sound: %s", fileName.c_str());
  buffers_.erase(name);
  Al().alDeleteBuffers(1, &buffer);
}

bool LoadWaveToBuffer(CWaves& waves, const OpenALFunctions& al, const std::string& fileName, ALuint buffer) {
  int32_t id = -1;
  if (waves.LoadWaveFile(fileName.c_str(), &id) != kWaveOk) return false;
  const WaveRecord& wave = *waves.Wave(id);
  int format = 0;
  bool loaded = false;
  if (waves.GetALBufferFormat(id, al.alGetEnumValue, &format) == kWaveOk && wave.dataSize <= INT_MAX &&
      wave.format.samplesPerSecond <= INT_MAX) {
    al.alGetError();
    al.alBufferData(buffer, format, wave.data.get(), static_cast<ALsizei>(wave.dataSize),
                    static_cast<ALsizei>(wave.format.samplesPerSecond));
    loaded = al.alGetError() == kAlNoError;
  }
  waves.DeleteWaveFile(id);
  return loaded;
}

bool VornSound::CanPlayLocked(const std::string& name) const {
  if (!enabled_ || muted_ || gSettings.disable_all || buffers_.find(name) == buffers_.end()) return false;
  if (name == "menu_accept") return gSettings.sound_accept;
  if (name == "menu_focus") return gSettings.sound_focus;
  if (name == "hello") return gSettings.sound_welcome;
  if (name == "export_done") return gSettings.sound_export;
  return name == "error_msg";
}

bool VornSound::CanPlay(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  return CanPlayLocked(name);
}

bool VornSound::IsPlaying(ALuint source, ALint& state) {
  Al().alGetSourcei(source, kAlSourceState, &state);
  return state == kAlPlaying;
}

void VornSound::Start(ALuint source, const std::string& name) {
  lastName_ = name;
  Al().alSourcei(source, kAlBuffer, static_cast<ALint>(buffers_.at(name)));
  Al().alSourcePlay(source);
}

void VornSound::Playsound(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!CanPlayLocked(name)) return;
  if (IsPlaying(channel1_, channel1State_)) Al().alSourceStop(channel1_);
  Start(channel1_, name);
}

void VornSound::PlaysoundCh2(const std::string& name) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!CanPlayLocked(name)) return;
  if (!IsPlaying(channel2_, channel2State_)) {
    Start(channel2_, name);
  } else if (name != lastName_) {
    VornLog::Warningf("VornSound::Playsound::(Ch2) Tried to play '%s' source already active.", name.c_str());
  }
}

void VornSound::FreeBuffers() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!ready_) return;
  for (const auto& [name, buffer] : buffers_) Al().alDeleteBuffers(1, &buffer);
}

void VornSound::ApplyVolume(float v) {
  std::lock_guard<std::mutex> lock(mutex_);
  volume_ = v;
  if (ready_) Al().alListenerf(kAlGain, v);
}

void VornSound::MuteLocked() {
  if (ready_) {
    Al().alGetListenerf(kAlGain, &savedVolume_);
    Al().alListenerf(kAlGain, 0.0f);
  }
  muted_ = true;
}

void VornSound::Mute() {
  std::lock_guard<std::mutex> lock(mutex_);
  MuteLocked();
}

void VornSound::SetVolume(float v) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (v == 0.0f && !muted_) MuteLocked();
  if (v > 0.0f && muted_) {
    if (ready_) Al().alListenerf(kAlGain, savedVolume_);
    muted_ = false;
  }
  volume_ = v;
  if (ready_) Al().alListenerf(kAlGain, v);
  gSettings.volume = v;
}

bool VornSound::Ready() {
  std::lock_guard<std::mutex> lock(mutex_);
  return ready_;
}

bool VornSound::Muted() {
  std::lock_guard<std::mutex> lock(mutex_);
  return muted_;
}

float VornSound::Volume() {
  std::lock_guard<std::mutex> lock(mutex_);
  return volume_;
}

float VornSound::SavedVolume() {
  std::lock_guard<std::mutex> lock(mutex_);
  return savedVolume_;
}
