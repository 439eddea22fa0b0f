#pragma once
// The desktop thread: one thread that runs GTK's main loop and owns every GTK and GLib object of
// the program (tray icon, notifications, folder chooser). Other threads never call GTK; they hand
// work to this thread and, where they need an answer, wait for it.
//
// The thread starts on first use and ends with StopDesktopThread (joined), which the program's
// shutdown calls after the last desktop object is gone.
#include <functional>

namespace platform {

// Starts the thread when it does not run yet and GTK can open the display. True when it runs.
// Any thread.
bool StartDesktopThread();

// Ends the GTK main loop and joins the thread. Work queued until then still runs first. Later
// calls to RunOnDesktopThread fail until the thread is started again. Not on the desktop thread.
void StopDesktopThread();

// True while the thread runs. Any thread.
bool DesktopThreadRunning();

// True on the desktop thread itself.
bool OnDesktopThread();

// Queues task for the desktop thread and returns at once; false (task dropped) when the thread
// does not run. Any thread.
bool PostToDesktopThread(std::function<void()> task);

// Runs task on the desktop thread and waits for it to finish (runs it at once when called on the
// desktop thread). False when the thread does not run: task did not run.
bool RunOnDesktopThread(const std::function<void()>& task);

}  // namespace platform
