#pragma once
// Helpers for tests that read game files: the real files in DELVIX_REALDATA, and writing
// synthetic ones into a test's folder.
#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

// DELVIX_REALDATA + "/" + relative.
std::string RealDataPath(const std::string& relative);
// The bytes of a real game file; fails the test when it cannot be read.
std::vector<uint8_t> ReadRealFile(const std::string& relative);
// Writes bytes to path, creating its folders; returns path.
std::string WriteGameFile(const std::string& path, const std::vector<uint8_t>& bytes);

// Dates the modification time of folder and of every folder below it an hour back, as a game
// folder unpacked long ago has it: folder indexes trust a listing of it at once (a fresh folder
// is listed again at each miss until FolderIndex::kSettleTime has passed).
void SettleFolders(const std::string& folder);

}  // namespace testfiles
