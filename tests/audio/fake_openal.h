#pragma once
// A stand-in for the OpenAL library: a table of plain functions that keep a device list, the play
// state of each source and the listener gain, and record every call that changes something, so
// the sound object's logic runs and is checked without a sound device.
//
//   FakeOpenAL::Reset(setup)   fresh state; FakeOpenAL::Table() the entry points
//   FakeOpenAL::Calls()        the recorded calls in order, e.g. "gen buffer 3", "attach 1 3" (buffer 3
//                              to source 1), "play 1", "stop 1", "gain 0.40"
//   FakeOpenAL::Finish(source) the sound on source ends
// Thread-safe: the state is guarded by one mutex.
#include <map>
#include <string>
#include <vector>

#include "audio/openal_api.h"

struct FakeDevice {
  std::string listedName;  // as the library lists it
  std::string ownName;     // as the opened device names itself; empty: it cannot be opened
};

struct FakeSetup {
  std::vector<FakeDevice> devices = {{"Fake Speakers", "Fake Speakers"}};
  std::string defaultName = "Fake Speakers";
  ALenum bufferDataError = kAlNoError;  // what alGetError reports after alBufferData
};

namespace FakeOpenAL {

void Reset(const FakeSetup& setup = {});
const OpenALFunctions& Table();
std::vector<std::string> Calls();
void ClearCalls();
void Finish(ALuint source);
// How many times source was started.
int PlayCount(ALuint source);
float Gain();
// The value alGetEnumValue gives for a format name (0 for a name it does not know).
int FormatValue(const std::string& name);

}  // namespace FakeOpenAL
