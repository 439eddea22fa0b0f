// The main thread's task queue.
#include "platform/main_thread.h"

#include <deque>
#include <mutex>
#include <thread>

#include "platform/video_sdl.h"

namespace platform {

namespace {

struct TaskQueue {
  std::mutex mutex;
  std::deque<std::function<void()>> tasks;
  bool serving = false;
  std::thread::id mainThread;
};

TaskQueue& Queue() {
  static TaskQueue queue;
  return queue;
}

}  // namespace

void StartMainThreadService() {
  TaskQueue& q = Queue();
  std::lock_guard<std::mutex> lock(q.mutex);
  q.mainThread = std::this_thread::get_id();
  q.serving = true;
}

void StopMainThreadService() {
  {
    TaskQueue& q = Queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    q.serving = false;
  }
  // Whatever was accepted while serving still runs here, so no waiting caller is stranded.
  RunPostedTasks();
}

bool IsMainThread() {
  TaskQueue& q = Queue();
  std::lock_guard<std::mutex> lock(q.mutex);
  return q.mainThread == std::this_thread::get_id();
}

void PostToMainThread(std::function<void()> task) {
  {
    TaskQueue& q = Queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    q.tasks.push_back(std::move(task));
  }
  sdl::WakeEventLoop();
}

bool TryPostToMainThread(std::function<void()> task) {
  {
    TaskQueue& q = Queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    if (!q.serving) return false;
    q.tasks.push_back(std::move(task));
  }
  sdl::WakeEventLoop();
  return true;
}

size_t RunPostedTasks() {
  std::deque<std::function<void()>> batch;
  {
    TaskQueue& q = Queue();
    std::lock_guard<std::mutex> lock(q.mutex);
    batch.swap(q.tasks);
  }
  for (auto& task : batch) task();
  return batch.size();
}

}  // namespace platform
