#pragma once
// Writes a whole synthetic model (support/model_files.h) into a test's game folder.
#include <string>

#include "support/model_files.h"

namespace testfiles {

// Writes the model below gameRoot ("<gameRoot>/raw/..."), failing the test on a write error;
// returns the xmodel file's path.
std::string WriteSyntheticModel(const std::string& gameRoot, const SyntheticModel& model);

}  // namespace testfiles
