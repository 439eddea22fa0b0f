#include "core/lifetime.h"

namespace {

constexpr size_t kMaxEvents = 128;

// Constant-initialised and trivially destructible: usable before the first global is made and
// after the last one has ended.
constinit LifetimeEvent gEvents[kMaxEvents] = {};
constinit size_t gEventCount = 0;
constinit LifetimeObserver gObserver = nullptr;

void Record(const char* name, bool created) {
  const LifetimeEvent event{name, created};
  if (gEventCount < kMaxEvents) gEvents[gEventCount++] = event;
  if (gObserver) gObserver(event);
}

}  // namespace

LifetimeMark::LifetimeMark(const char* name) : name_(name) { Record(name_, true); }

LifetimeMark::~LifetimeMark() { Record(name_, false); }

std::span<const LifetimeEvent> LifetimeEvents() { return {gEvents, gEventCount}; }

void SetLifetimeObserver(LifetimeObserver observer) { gObserver = observer; }
