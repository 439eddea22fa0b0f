#pragma once
// Wires the updater into the application: the update service's address, the program's file and
// folder, and the hooks through which the updater reaches the GUI and asks for the restart.
#include <atomic>
#include <memory>
#include <string>

#include "update/vorn_updater.h"

// The application's updater while RunProgram runs (null before and after); the settings screen's
// "Check for Updates" and the command "download_update" reach it here.
extern VornUpdater* gUpdater;

// Makes the updater for the program file programPath in folder, with its digest computed now. The
// GUI's update box and message box are not built yet: the check's requests to them are logged as
// such. An installed update sets restartRequested and asks the main loop to end, so the program
// shuts down normally before it starts the new one (RestartProgram).
std::unique_ptr<VornUpdater> MakeUpdater(const std::string& programPath, const std::string& folder,
                                         std::atomic<bool>& restartRequested);

// Replaces the process with the program at programPath (after the shutdown). Returns only when
// that failed, with a warning logged.
void RestartProgram(const std::string& programPath);
