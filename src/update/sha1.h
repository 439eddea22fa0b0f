#pragma once
// SHA-1 (FIPS 180-1) over bytes fed in pieces of any size.
//
// The context is a plain aggregate: zero-initialised it holds no digest (Sha1HexDigest then gives
// forty zeros); Sha1Init sets the standard initial state. After Sha1Final the state words H0..H4
// are the digest.
#include <cstddef>
#include <cstdint>

struct Sha1Context {
  uint32_t countLow = 0;   // bytes fed so far, low half
  uint32_t countHigh = 0;  // high half
  uint32_t state[5] = {};  // H0 .. H4
  uint8_t block[64] = {};  // the block being filled
  uint32_t fill = 0;       // bytes in block (0 .. 63 between calls)
};

// Sets the standard initial state; count and fill 0.
void Sha1Init(Sha1Context& context);
// Feeds length bytes.
void Sha1Update(Sha1Context& context, const uint8_t* data, size_t length);
// Pads and compresses the last block; afterwards the state holds the digest.
void Sha1Final(Sha1Context& context);
// Compresses the 64-byte block into the state: 80 rounds over big-endian message words.
void Sha1Transform(Sha1Context& context);
// The digest as the update service expects it: for each word H0 .. H4 in order, its four bytes
// least significant first, each byte as two lower-case hexadecimal digits; out gets 40 digits and
// a terminating NUL.
void Sha1HexDigest(const Sha1Context& context, char out[41]);
