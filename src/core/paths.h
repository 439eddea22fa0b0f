#pragma once
// Path helpers of the program. On this system every join uses "/": the functions named for the
// trailing backslash append "/" (a Windows program would append "\").
#include <string>

// The program's folder without a trailing separator ("Running Directory" of the folder settings):
// the folder of the program's file, or the folder the program was told to run in.
std::string GetRunningDirectory();
// Makes folder the running directory ("" goes back to the program file's folder). Called before
// any thread that reads it starts.
void SetRunningDirectory(const std::string& folder);
// Appends "/" to a non-empty path that ends in neither "/" nor "\".
void AddTrailingBackslash(std::string& path);
// Same as AddTrailingBackslash (paths here end in "/", never in "\").
void EnsureTrailingBackslash(std::string& path);
std::string WithTrailingBackslash(std::string path);
// A folder path without a "." gives its parent folder (the part before the last "/");
// a path holding a "." is returned unchanged.
std::string FolderForCreate(const std::string& path);
// Something exists at path (file or folder).
bool FileExists(const std::string& path);
bool FileExistsAttr(const std::string& path);

// A name from a game file that is usable as a file name in a folder: not empty, not "." or
// "..", and without "/" or "\\".
bool IsPlainFileName(const std::string& fileName);
