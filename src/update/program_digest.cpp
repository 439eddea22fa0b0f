#include "update/program_digest.h"

#include <fstream>
#include <vector>

#include "core/log.h"
#include "update/sha1.h"

std::string ComputeProgramDigest(const std::string& path) {
  Sha1Context context;
  std::ifstream in(path, std::ios::binary);
  if (in) {
    Sha1Init(context);
    std::vector<char> buffer(1 << 16);
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
      Sha1Update(context, reinterpret_cast<const uint8_t*>(buffer.data()), static_cast<size_t>(in.gcount()));
    if (in.bad()) context = Sha1Context{};
    else Sha1Final(context);
  }
  if (!in.is_open() || in.bad()) VornLog::Warningf("Could not read the program file for its digest: %s", path.c_str());
  char text[41];
  Sha1HexDigest(context, text);
  return text;
}
