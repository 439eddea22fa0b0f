#include "core/timer.h"

#include <chrono>

#include "core/log.h"

namespace {

using Clock = std::chrono::steady_clock;

std::atomic<int64_t> gStartTicks{0};  // steady_clock ticks at Init; 0 = not initialised
std::atomic<float> gNowMs{0.0f};

}  // namespace

namespace Timer {

void Init() {
  gStartTicks.store(Clock::now().time_since_epoch().count());
  gNowMs.store(0.0f);
}

float ElapsedMs() {
  int64_t start = gStartTicks.load();
  if (start == 0) return 0.0f;
  auto ticks = Clock::now().time_since_epoch().count() - start;
  double ms = std::chrono::duration<double, std::milli>(Clock::duration(ticks)).count();
  float value = static_cast<float>(ms);
  gNowMs.store(value);
  return value;
}

float NowMs() { return gNowMs.load(); }

}  // namespace Timer

ScopedTimer::ScopedTimer(const char* label) : label_(label), startMs_(Timer::ElapsedMs()) {}

ScopedTimer::~ScopedTimer() {
  VornLog::Messagef("%s^7(%.1f ms)", label_, Timer::ElapsedMs() - startMs_);
}
