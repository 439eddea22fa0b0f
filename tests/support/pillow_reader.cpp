#include "support/pillow_reader.h"

#include <sys/wait.h>

#include <cstdlib>
#include <fstream>

#include "support/temp_folder.h"

namespace testfiles {

namespace {

constexpr const char* kPython = "/usr/bin/python3";

// For each line "<image path>\t<output path>" of argv[1]: writes the image's width and height as
// two little-endian uint32, then its RGBA bytes.
constexpr const char* kScript =
    "import struct, sys\n"
    "from PIL import Image\n"
    "for line in open(sys.argv[1], encoding='utf-8', errors='surrogateescape').read().splitlines():\n"
    "    source, target = line.split('\\t')\n"
    "    im = Image.open(source).convert('RGBA')\n"
    "    with open(target, 'wb') as f:\n"
    "        f.write(struct.pack('<II', *im.size))\n"
    "        f.write(im.tobytes())\n";

int Run(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

bool ReadPixels(const std::string& path, ReadBackImage& image) {
  std::ifstream file(path, std::ios::binary);
  uint32_t size[2] = {};
  if (!file.read(reinterpret_cast<char*>(size), sizeof size)) return false;
  image.width = size[0];
  image.height = size[1];
  image.rgba.resize(size_t(image.width) * image.height * 4);
  return bool(file.read(reinterpret_cast<char*>(image.rgba.data()), std::streamsize(image.rgba.size())));
}

}  // namespace

bool PillowAvailable() {
  static const bool available = Run(std::string(kPython) + " -c 'import PIL' 2>/dev/null") == 0;
  return available;
}

bool ReadWithPillow(const std::vector<std::string>& paths, std::vector<ReadBackImage>& images, std::string& error) {
  TempFolder folder;
  std::ofstream(folder.Path("read.py")) << kScript;
  {
    std::ofstream list(folder.Path("list"));
    for (size_t i = 0; i < paths.size(); ++i) list << paths[i] << '\t' << folder.Path(std::to_string(i)) << '\n';
  }
  if (Run(std::string(kPython) + " " + folder.Path("read.py") + " " + folder.Path("list")) != 0) {
    error = "Pillow could not read every file";
    return false;
  }
  images.assign(paths.size(), {});
  for (size_t i = 0; i < paths.size(); ++i) {
    if (!ReadPixels(folder.Path(std::to_string(i)), images[i])) {
      error = "no pixels from Pillow for " + paths[i];
      return false;
    }
  }
  return true;
}

}  // namespace testfiles
