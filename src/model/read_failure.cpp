#include "model/read_failure.h"

#include "core/log.h"

ResultCode RefuseFile(const std::string& fileName, const ByteReader& in, ResultCode code, const char* reason) {
  VornLog::Messagef("^1%s^7: %s at byte %zu of %zu", fileName.c_str(), reason, in.Position(), in.Size());
  return code;
}
