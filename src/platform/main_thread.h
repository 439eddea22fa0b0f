#pragma once
// Work handed to the main thread. Other threads post tasks; the main thread runs them between
// frames (RunPostedTasks), so they never overlap a frame and need no extra locks against it.
//
// The main thread announces that it serves the queue (StartMainThreadService) once its loop is
// about to run, and withdraws before it stops running the loop (StopMainThreadService). Calls
// that must run on the main thread and wait for it (message boxes) use TryPostToMainThread and
// run on their own thread while nobody serves. A thread that waits for the main thread must not
// hold a lock that the main thread takes before it next runs the queue.
#include <cstddef>
#include <functional>

namespace platform {

// Makes the calling thread the main thread and starts serving the queue.
void StartMainThreadService();

// Stops serving: runs the tasks still queued, then later requests of other threads that need
// the main thread run on their own threads. Main thread.
void StopMainThreadService();

// The calling thread is the one that last started the service (false everywhere before).
bool IsMainThread();

// Queues task for the main thread's next RunPostedTasks and wakes WaitEvent. Any thread.
void PostToMainThread(std::function<void()> task);

// Queues task only while the main thread serves the queue; false (task not queued) otherwise.
bool TryPostToMainThread(std::function<void()> task);

// Runs every task queued so far, in order; tasks they post wait for the next call. Main thread.
// Returns the number of tasks run.
size_t RunPostedTasks();

}  // namespace platform
