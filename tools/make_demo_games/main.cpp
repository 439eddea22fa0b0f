// make_demo_games <demo folder>: writes a small game folder per game, <demo folder>/cod4, cod5 and
// bo, each with the demo model in the games' usual layout (raw/xmodel, xmodelparts, xmodelsurfs,
// materials, images). The program points its game roots at them on a first start, so a machine
// without a game has a model to open.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

#include "demo_pillar.h"

namespace {

struct DemoGame {
  const char* folder;
  GameId game;
};
constexpr DemoGame kDemoGames[] = {{"cod4", GameId::Cod4}, {"cod5", GameId::Cod5}, {"bo", GameId::CodBo}};

// Writes bytes to path, making its folders; false (with a message on stderr) when it fails.
bool WriteFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes) {
  std::error_code error;
  std::filesystem::create_directories(path.parent_path(), error);
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (out) return true;
  std::fprintf(stderr, "make_demo_games: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_demo_games <demo folder>\n");
    return 2;
  }
  for (const DemoGame& demo : kDemoGames) {
    const std::filesystem::path root = std::filesystem::path(argv[1]) / demo.folder;
    for (const testfiles::GameFile& file : testfiles::SyntheticModelFiles(demogames::MakeDemoPillar(demo.game))) {
      if (!WriteFile(root / file.path, file.bytes)) return 1;
    }
  }
  return 0;
}
