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

}  // namespace testfiles
