#pragma once
// File services of the platform: existence checks, case-insensitive lookup of game files,
// whole-file reads, atomic replacement and folder creation. Paths are 8-bit strings joined with "/".
#include <cstdint>
#include <string>
#include <vector>

namespace platform {

bool IsRegularFile(const std::string& path);
bool IsDirectory(const std::string& path);
// Anything at all exists at path (file, folder or other).
bool PathExists(const std::string& path);

// Finds path on disk: the exact name first, then, folder by folder, an entry whose name matches
// case-insensitively (ASCII). Returns the path as it exists on disk, or an empty string.
// Game files name their parts in another case than the files on disk.
std::string ResolvePathCaseInsensitive(const std::string& path);

// Reads the whole file into bytes. False when it cannot be opened or read.
bool ReadWholeFile(const std::string& path, std::vector<uint8_t>& bytes);

// Writes bytes to a temporary file beside path, then renames it over path, so a crash never
// leaves a half-written file in its place. False (and path untouched) on any error.
bool ReplaceFileAtomically(const std::string& path, const void* data, size_t size);

// Creates the folder and every missing parent. True when the folder exists afterwards.
bool CreateFolders(const std::string& path);

// The running program's full path (from /proc/self/exe), and its folder without a trailing "/".
std::string ProgramPath();
std::string ProgramFolder();

}  // namespace platform
