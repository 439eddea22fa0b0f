#pragma once
// Wires the updater into the application: the update service's address and authorities, the
// program's file and folder, and the GUI's side of the update: the update box, the message box,
// the download's progress bar, its failures, and the commands that start and cancel a download.
#include <atomic>
#include <memory>
#include <string>

#include "gui/vorn_gui.h"
#include "update/vorn_updater.h"

// The application's updater while RunProgram runs (null before and after); the settings screen's
// "Check for Updates" reaches it here.
extern VornUpdater* gUpdater;

// Makes the updater for the program file programPath in folder, with its digest computed now. A
// newer version opens the GUI's update box; the download shows its progress in
// "download_progress", and a failed one closes the box and shows why in the error box. An
// installed update sets restartRequested and asks the main loop to end, so the program shuts down
// normally before it starts the new one (RestartProgram). gui must outlive the updater's download
// thread (StopDownloadThread before the GUI shuts down).
std::unique_ptr<VornUpdater> MakeUpdater(const std::string& programPath, const std::string& folder, VornGUI& gui,
                                         std::atomic<bool>& restartRequested);

// The command words "download_update" and "cancel_download" reach updater from now on. Main
// thread; updater must outlive gui's use of its hooks.
void PlugUpdaterCommands(VornGUI& gui, VornUpdater& updater);

// Replaces the process with the program at programPath (after the shutdown). Returns only when
// that failed, with a warning logged.
void RestartProgram(const std::string& programPath);
