#pragma once
// Golden files: expected outputs kept under tests/<folder>/golden/. ExpectGolden compares bytes;
// run a test with DELVIX_UPDATE_GOLDEN=1 to (re)write the golden file from the actual output,
// then read the new file before committing it.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <string>

#include "support/temp_folder.h"

inline void ExpectGolden(const std::string& actual, const std::string& relativePath) {
  const std::string path = std::string(DELVIX_SOURCE_DIR) + "/tests/" + relativePath;
  if (const char* update = std::getenv("DELVIX_UPDATE_GOLDEN"); update && update[0] == '1') {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  const std::string expected = TempFolder::ReadFileBytes(path);
  ASSERT_FALSE(expected.empty()) << "golden file missing: " << path;
  EXPECT_TRUE(actual == expected) << "output differs from " << path << " (" << actual.size() << " bytes against "
                                  << expected.size() << ")";
}
