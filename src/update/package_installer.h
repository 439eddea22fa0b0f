#pragma once
// Installs a downloaded update package (a ZIP archive, whatever its extension) over the program's
// folder.
//
// Nothing of the program is touched until the whole package has been checked: it opens as an
// archive, every entry name stays inside the folder, the program file is among the entries, and
// every entry unpacks whole with a good CRC into a staging folder. Only then is the running
// program moved aside to its path + ".old" and the staged files renamed into place, the program
// file last. When a step fails, the program file is moved back, the staged files are removed and
// false is returned; every failure is logged as a warning.
#include <string>

// package: the downloaded archive; installFolder: the program's folder; programPath: the program
// file inside it. True when every file of the package is in place.
bool InstallUpdate(const std::string& package, const std::string& installFolder, const std::string& programPath);

// Removes the program file an earlier update moved aside (programPath + ".old"). A folder of that
// name, or a file that cannot be removed, is left with a warning.
void RemoveOldExecutable(const std::string& programPath);
