#pragma once
// The OpenAL entry points the sound system uses, as a table of function pointers filled at run time
// from the library (the library is never linked), and the OpenAL constants it passes.
//
//   OpenALFunctions    the 65 entry points, in the order they are looked up
//   LoadOpenALLibrary  loads the library and fills the table, one entry point at a time
#include <cstdint>
#include <string>

namespace platform {
class DynamicLibrary;
}

// The OpenAL types, as the library's ABI has them.
using ALboolean = char;
using ALchar = char;
using ALint = int;
using ALuint = unsigned int;
using ALsizei = int;
using ALenum = int;
using ALfloat = float;
using ALdouble = double;
struct ALCdevice;   // opaque to the program
struct ALCcontext;  // opaque to the program

// The constants the sound system passes or compares with.
inline constexpr ALenum kAlNoError = 0;
inline constexpr ALenum kAlBuffer = 0x1009;
inline constexpr ALenum kAlGain = 0x100A;
inline constexpr ALenum kAlSourceState = 0x1010;
inline constexpr ALint kAlPlaying = 0x1012;
inline constexpr ALenum kAlcDefaultDeviceSpecifier = 0x1004;
inline constexpr ALenum kAlcDeviceSpecifier = 0x1005;

// Every entry point of the table: name, return type and parameters, in lookup order.
#define DELVIX_OPENAL_ENTRY_POINTS(X)                                                      \
  X(alEnable, void, (ALenum))                                                              \
  X(alDisable, void, (ALenum))                                                             \
  X(alIsEnabled, ALboolean, (ALenum))                                                      \
  X(alGetBoolean, ALboolean, (ALenum))                                                     \
  X(alGetInteger, ALint, (ALenum))                                                         \
  X(alGetFloat, ALfloat, (ALenum))                                                         \
  X(alGetDouble, ALdouble, (ALenum))                                                       \
  X(alGetBooleanv, void, (ALenum, ALboolean*))                                             \
  X(alGetIntegerv, void, (ALenum, ALint*))                                                 \
  X(alGetFloatv, void, (ALenum, ALfloat*))                                                 \
  X(alGetDoublev, void, (ALenum, ALdouble*))                                               \
  X(alGetString, const ALchar*, (ALenum))                                                  \
  X(alGetError, ALenum, ())                                                                \
  X(alIsExtensionPresent, ALboolean, (const ALchar*))                                      \
  X(alGetProcAddress, void*, (const ALchar*))                                              \
  X(alGetEnumValue, ALenum, (const ALchar*))                                               \
  X(alListeneri, void, (ALenum, ALint))                                                    \
  X(alListenerf, void, (ALenum, ALfloat))                                                  \
  X(alListener3f, void, (ALenum, ALfloat, ALfloat, ALfloat))                               \
  X(alListenerfv, void, (ALenum, const ALfloat*))                                          \
  X(alGetListeneri, void, (ALenum, ALint*))                                                \
  X(alGetListenerf, void, (ALenum, ALfloat*))                                              \
  X(alGetListener3f, void, (ALenum, ALfloat*, ALfloat*, ALfloat*))                         \
  X(alGetListenerfv, void, (ALenum, ALfloat*))                                             \
  X(alGenSources, void, (ALsizei, ALuint*))                                                \
  X(alDeleteSources, void, (ALsizei, const ALuint*))                                       \
  X(alIsSource, ALboolean, (ALuint))                                                       \
  X(alSourcei, void, (ALuint, ALenum, ALint))                                              \
  X(alSourcef, void, (ALuint, ALenum, ALfloat))                                            \
  X(alSource3f, void, (ALuint, ALenum, ALfloat, ALfloat, ALfloat))                         \
  X(alSourcefv, void, (ALuint, ALenum, const ALfloat*))                                    \
  X(alGetSourcei, void, (ALuint, ALenum, ALint*))                                          \
  X(alGetSourcef, void, (ALuint, ALenum, ALfloat*))                                        \
  X(alGetSourcefv, void, (ALuint, ALenum, ALfloat*))                                       \
  X(alSourcePlayv, void, (ALsizei, const ALuint*))                                         \
  X(alSourceStopv, void, (ALsizei, const ALuint*))                                         \
  X(alSourcePlay, void, (ALuint))                                                          \
  X(alSourcePause, void, (ALuint))                                                         \
  X(alSourceStop, void, (ALuint))                                                          \
  X(alGenBuffers, void, (ALsizei, ALuint*))                                                \
  X(alDeleteBuffers, void, (ALsizei, const ALuint*))                                       \
  X(alIsBuffer, ALboolean, (ALuint))                                                       \
  X(alBufferData, void, (ALuint, ALenum, const void*, ALsizei, ALsizei))                   \
  X(alGetBufferi, void, (ALuint, ALenum, ALint*))                                          \
  X(alGetBufferf, void, (ALuint, ALenum, ALfloat*))                                        \
  X(alSourceQueueBuffers, void, (ALuint, ALsizei, const ALuint*))                          \
  X(alSourceUnqueueBuffers, void, (ALuint, ALsizei, ALuint*))                              \
  X(alDistanceModel, void, (ALenum))                                                       \
  X(alDopplerFactor, void, (ALfloat))                                                      \
  X(alDopplerVelocity, void, (ALfloat))                                                    \
  X(alcGetString, const ALchar*, (ALCdevice*, ALenum))                                     \
  X(alcGetIntegerv, void, (ALCdevice*, ALenum, ALsizei, ALint*))                           \
  X(alcOpenDevice, ALCdevice*, (const ALchar*))                                            \
  X(alcCloseDevice, ALboolean, (ALCdevice*))                                               \
  X(alcCreateContext, ALCcontext*, (ALCdevice*, const ALint*))                             \
  X(alcMakeContextCurrent, ALboolean, (ALCcontext*))                                       \
  X(alcProcessContext, void, (ALCcontext*))                                                \
  X(alcGetCurrentContext, ALCcontext*, ())                                                 \
  X(alcGetContextsDevice, ALCdevice*, (ALCcontext*))                                       \
  X(alcSuspendContext, void, (ALCcontext*))                                                \
  X(alcDestroyContext, void, (ALCcontext*))                                                \
  X(alcGetError, ALenum, (ALCdevice*))                                                     \
  X(alcIsExtensionPresent, ALboolean, (ALCdevice*, const ALchar*))                         \
  X(alcGetProcAddress, void*, (ALCdevice*, const ALchar*))                                 \
  X(alcGetEnumValue, ALenum, (ALCdevice*, const ALchar*))

// The entry points, each null until it is found.
struct OpenALFunctions {
#define DELVIX_OPENAL_FIELD(name, result, params) result(*name) params = nullptr;
  DELVIX_OPENAL_ENTRY_POINTS(DELVIX_OPENAL_FIELD)
#undef DELVIX_OPENAL_FIELD
};

// Loads the library libraryName into library and fills table with its entry points, looked up one
// by one in table order (the table is cleared first). False when table is null, the library cannot
// be loaded, or an entry point is missing; a missing one is named on stderr as
// "Failed to retrieve '<name>' function address", and the library stays loaded in library.
bool LoadOpenALLibrary(OpenALFunctions* table, platform::DynamicLibrary& library, const std::string& libraryName);
