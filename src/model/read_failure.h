#pragma once
// The one way the game-file readers refuse a file: a log line naming the file, the reason and
// the byte where reading stopped, and the result code to return.
#include <string>

#include "core/byte_reader.h"
#include "model/result_code.h"

// Logs "^1<fileName>^7: <reason> at byte <position> of <size>" and returns code.
ResultCode RefuseFile(const std::string& fileName, const ByteReader& in, ResultCode code, const char* reason);
