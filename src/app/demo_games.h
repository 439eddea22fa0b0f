#pragma once
// The demo games beside the program: the build writes a small game folder per game into
// <program folder>/demo (cod4, cod5, bo), each with one model, so a first start on a machine
// without a game has something to show. A user with a game picks its folder in the settings.
#include <string>

class VornSettings;

// Points the game roots of Cod4, Cod5 and Cod BO at the demo games of programFolder (an absolute
// path) when its "demo" folder exists; true when it did. Nothing changes without the folder.
bool UseDemoGameRoots(VornSettings& settings, const std::string& programFolder);
