#pragma once
// The digest of the program's own file, sent with every update check.
#include <string>

// SHA-1 of the file at path in the update service's text form (see Sha1HexDigest). When the file
// cannot be read, a warning is logged and the text is forty zeros (the digest of nothing computed).
// Reads the file once, in pieces, from start to end.
std::string ComputeProgramDigest(const std::string& path);
