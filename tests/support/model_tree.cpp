#include "support/model_tree.h"

#include "support/game_files.h"

namespace testfiles {

std::string WriteSyntheticModel(const std::string& gameRoot, const SyntheticModel& model) {
  std::string written;
  // The xmodel file comes last.
  for (const GameFile& file : SyntheticModelFiles(model)) written = WriteGameFile(gameRoot + "/" + file.path, file.bytes);
  return written;
}

}  // namespace testfiles
