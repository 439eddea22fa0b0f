#pragma once
// Lifetime marks of the program's global objects.
//
// Each file that defines globals (core/global_order.h) places a mark right after each object. A mark
// is created just after its object and destroyed just before it, so the ledger of marks shows the
// order in which the globals come to life (before main) and end (after main returns, or after exit).
//
//   LifetimeMark         records "created" when made and "destroyed" when it ends
//   LifetimeEvents       the events recorded so far, in order
//   SetLifetimeObserver  a function told of every later event (tests watch the exit steps with it)
//
// Main thread only: globals are made before main and end after it.
#include <cstddef>
#include <span>

struct LifetimeEvent {
  const char* name;
  bool created;
};

class LifetimeMark {
 public:
  explicit LifetimeMark(const char* name);
  ~LifetimeMark();
  LifetimeMark(const LifetimeMark&) = delete;
  LifetimeMark& operator=(const LifetimeMark&) = delete;

 private:
  const char* name_;
};

// The events recorded so far (the first 128; later ones still reach the observer).
std::span<const LifetimeEvent> LifetimeEvents();

using LifetimeObserver = void (*)(const LifetimeEvent& event);
// Sets the function told of every event from now on; null stops it.
void SetLifetimeObserver(LifetimeObserver observer);
