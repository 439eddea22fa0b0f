#include "support/pillow_reader.h"

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>

#include "support/temp_folder.h"

namespace testfiles {

namespace {

constexpr const char* kPython = "/usr/bin/python3";

// Writes "<width> <height>\n" and the RGBA bytes of the image at argv[1] to argv[2].
constexpr const char* kScript =
    "import sys\n"
    "from PIL import Image\n"
    "im = Image.open(sys.argv[1]).convert('RGBA')\n"
    "with open(sys.argv[2], 'wb') as f:\n"
    "    f.write(b'%d %d\\n' % im.size)\n"
    "    f.write(im.tobytes())\n";

std::string Quote(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

int RunQuiet(const std::string& command) {
  const int status = std::system((command + " 2>/dev/null").c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

bool PillowAvailable() {
  static const bool available = RunQuiet(std::string(kPython) + " -c 'import PIL'") == 0;
  return available;
}

bool ReadWithPillow(const std::string& path, ReadBackImage& image, std::string& error) {
  TempFolder folder;
  const std::string script = folder.Path("read.py"), out = folder.Path("pixels");
  std::ofstream(script) << kScript;
  if (RunQuiet(std::string(kPython) + " " + Quote(script) + " " + Quote(path) + " " + Quote(out)) != 0) {
    error = "Pillow could not read " + path;
    return false;
  }
  std::ifstream file(out, std::ios::binary);
  file >> image.width >> image.height;
  file.get();
  image.rgba.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
  if (image.rgba.size() != size_t(image.width) * image.height * 4) {
    error = "short pixel data from Pillow for " + path;
    return false;
  }
  return true;
}

}  // namespace testfiles
