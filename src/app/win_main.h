#pragma once
#include <string>

// The program's life: start-up in order, the main loop, shutdown in order. Returns the exit code.
// programFolder is the folder with the program's run-time assets, made the working folder (where
// settings.xml, Log.txt and the export folders lie); empty: the folder of the running program.
int RunProgram(const std::string& programFolder = "");
