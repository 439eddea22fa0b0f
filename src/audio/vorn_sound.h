#pragma once
// VornSound: the program's sounds, played through OpenAL on two sources ("channels"). Channel 1
// carries the GUI's feedback, and a new sound interrupts the one playing; channel 2 carries notices
// (an error box, a finished export), and a sound playing there is never interrupted. Sounds are
// registered by name from WAV files; the settings decide per sound whether it may play.
//
// Without OpenAL (library or entry point missing, no output device) the program runs silent:
// Init logs one warning and every later call does nothing. After Shutdown every call does nothing
// too, so a job that finishes during shutdown cannot reach the released library.
//
// Threads: every public operation takes the sound mutex for its whole run, so the main thread
// (GUI sounds, volume, start-up, shutdown) and the job thread ("export_done") never run through the
// state together. Lock order: the sound mutex is taken before the log's mutex (warnings are logged
// under it) and no other lock is taken under it.
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "audio/openal_api.h"
#include "audio/sound_devices.h"
#include "audio/waves.h"

class VornSound {
 public:
  explicit VornSound(OpenALSource source = {});
  // Shuts a back end still running down (a fatal error ends the program without the normal
  // shutdown), so the library is never unloaded under its own playing thread.
  ~VornSound();
  VornSound(const VornSound&) = delete;
  VornSound& operator=(const VornSound&) = delete;

  // Start-up: loads OpenAL, lists the devices and opens the default one, then makes both channels.
  // True when sound is available. Without the library or an entry point: the warning "Failed to
  // find OpenAL.dll (Sound will be disabled)"; without a usable device: "Failed to initialize
  // OpenAL" then "OpenAL ShutDown". The listener gain stays the library's until ApplyVolume.
  bool Init();
  // Releases the channels, every buffer, the context, the device and the library; logs "OpenAL
  // ShutDown" when the back end had started. Every later call does nothing.
  void Shutdown();

  // Registers the sound name from the WAV file fileName (replacing a sound of that name). A file
  // that is missing or unusable logs "Failed to load Sound: <file>" and the name stays unknown.
  void Load(const std::string& fileName, const std::string& name);
  // Plays name on channel 1 when CanPlay allows it, stopping the sound playing there.
  void Playsound(const std::string& name);
  // Plays name on channel 2 when CanPlay allows it and channel 2 is idle. While it plays, a name
  // other than the last one started logs "VornSound::Playsound::(Ch2) Tried to play '<name>' source
  // already active."; the sound playing goes on.
  void PlaysoundCh2(const std::string& name);
  // Whether name may play now: sound started, not muted, the settings' disable_all clear, name
  // registered, and its setting on ("menu_accept" accept, "menu_focus" focus, "hello" welcome,
  // "export_done" export; "error_msg" always; any other name never).
  bool CanPlay(const std::string& name);
  // Deletes every registered sound's buffer.
  void FreeBuffers();

  // The start-up volume: volume = v, applied as the listener gain when sound is ready.
  void ApplyVolume(float v);
  // The mute action: the current gain is kept as the saved volume and the gain becomes 0.
  void Mute();
  // A new volume from the master-volume slider: 0 mutes, a value above 0 while muted unmutes
  // (the saved gain returns first); then the gain and the settings' volume become v.
  void SetVolume(float v);

  bool Ready();
  bool Muted();
  float Volume();
  float SavedVolume();

 private:
  bool CanPlayLocked(const std::string& name) const;
  void MuteLocked();
  // Whether source is playing now; its state is kept in state.
  bool IsPlaying(ALuint source, ALint& state);
  // Starts the buffer of name on source.
  void Start(ALuint source, const std::string& name);
  // Frees the wave store and the device list (which unloads the library).
  void BackendShutdownLocked();
  const OpenALFunctions& Al() const { return devices_->Al(); }

  std::mutex mutex_;
  OpenALSource source_;
  std::unique_ptr<SoundDeviceList> devices_;
  std::unique_ptr<CWaves> waves_;

  ALuint channel1_ = 0;
  ALuint channel2_ = 0;
  ALint channel1State_ = 0;
  ALint channel2State_ = 0;
  std::string lastName_;
  bool enabled_ = false;
  bool muted_ = false;
  bool ready_ = false;
  float volume_ = 1.0f;
  float savedVolume_ = 1.0f;
  std::map<std::string, ALuint> buffers_;
};

// Reads fileName into buffer through waves: true when OpenAL took the samples. The wave is freed
// from the store on every path.
bool LoadWaveToBuffer(CWaves& waves, const OpenALFunctions& al, const std::string& fileName, ALuint buffer);

// The program's one sound object (sound_global.cpp).
extern VornSound gSound;
