#pragma once
// Timer: the program's clock, milliseconds since Timer::Init as a 32-bit float, from
// std::chrono::steady_clock. The last value read is kept in Timer::nowMs for readers on any thread.
// Before Init the clock reads 0.
#include <atomic>
#include <cstdint>

namespace Timer {

void Init();
// Milliseconds since Init; also stored in nowMs.
float ElapsedMs();
// The last result of ElapsedMs.
float NowMs();

}  // namespace Timer

// Logs (as a message line) the label followed by "^7(%.1f ms)": the time since the record was made.
class ScopedTimer {
 public:
  explicit ScopedTimer(const char* label);
  ~ScopedTimer();
  ScopedTimer(const ScopedTimer&) = delete;
  ScopedTimer& operator=(const ScopedTimer&) = delete;

 private:
  const char* label_;
  float startMs_;
};
