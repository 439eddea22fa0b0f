// The desktop thread: GTK initialised and its main loop run on a thread of its own; work from
// other threads arrives as idle callbacks on GTK's main context.
#include <gtk/gtk.h>

#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "platform/desktop_thread.h"

namespace platform {

namespace {

struct DesktopThread {
  std::mutex mutex;
  std::condition_variable changed;
  std::thread thread;
  std::thread::id id;
  bool running = false;   // accepting work
  bool starting = false;  // the thread is initialising GTK
  GMainLoop* loop = nullptr;
};

DesktopThread& State() {
  static DesktopThread* state = new DesktopThread;  // never destroyed: usable during exit
  return *state;
}

gboolean RunTask(gpointer data) {
  std::unique_ptr<std::function<void()>> task(static_cast<std::function<void()>*>(data));
  (*task)();
  return G_SOURCE_REMOVE;
}

void ThreadMain() {
  DesktopThread& s = State();
  const bool ok = gtk_init_check(nullptr, nullptr);
  GMainLoop* loop = ok ? g_main_loop_new(nullptr, FALSE) : nullptr;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    s.loop = loop;
    s.running = ok;
    s.starting = false;
  }
  s.changed.notify_all();
  if (!ok) return;
  g_main_loop_run(loop);
  // Events GTK has read but not handled (a tray manager that went away, say) are dealt with
  // before the thread ends.
  while (g_main_context_iteration(nullptr, FALSE)) {
  }
  g_main_loop_unref(loop);
}

}  // namespace

bool StartDesktopThread() {
  DesktopThread& s = State();
  std::unique_lock<std::mutex> lock(s.mutex);
  if (s.running) return true;
  if (s.thread.joinable()) {  // an earlier start that failed
    std::thread old = std::move(s.thread);
    lock.unlock();
    old.join();
    lock.lock();
    if (s.running) return true;
  }
  s.starting = true;
  s.thread = std::thread(ThreadMain);
  s.id = s.thread.get_id();
  s.changed.wait(lock, [&] { return !s.starting; });
  return s.running;
}

void StopDesktopThread() {
  DesktopThread& s = State();
  std::thread thread;
  {
    std::lock_guard<std::mutex> lock(s.mutex);
    if (s.running) {
      s.running = false;
      GMainLoop* loop = s.loop;
      // Queued behind every task accepted so far, so those still run.
      g_idle_add_full(G_PRIORITY_DEFAULT, RunTask, new std::function<void()>([loop] { g_main_loop_quit(loop); }),
                      nullptr);
    }
    thread = std::move(s.thread);
  }
  if (thread.joinable()) thread.join();
  std::lock_guard<std::mutex> lock(s.mutex);
  s.loop = nullptr;
  s.id = {};
}

bool DesktopThreadRunning() {
  DesktopThread& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.running;
}

bool OnDesktopThread() {
  DesktopThread& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  return s.id == std::this_thread::get_id();
}

bool PostToDesktopThread(std::function<void()> task) {
  DesktopThread& s = State();
  std::lock_guard<std::mutex> lock(s.mutex);
  if (!s.running) return false;
  g_idle_add_full(G_PRIORITY_DEFAULT, RunTask, new std::function<void()>(std::move(task)), nullptr);
  return true;
}

bool RunOnDesktopThread(const std::function<void()>& task) {
  if (OnDesktopThread()) {
    task();
    return true;
  }
  std::mutex doneMutex;
  std::condition_variable doneChanged;
  bool done = false;
  const bool queued = PostToDesktopThread([&] {
    task();
    std::lock_guard<std::mutex> lock(doneMutex);
    done = true;
    doneChanged.notify_all();
  });
  if (!queued) return false;
  std::unique_lock<std::mutex> lock(doneMutex);
  doneChanged.wait(lock, [&] { return done; });
  return true;
}

}  // namespace platform
