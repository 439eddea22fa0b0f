#include "update/sha1.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr uint32_t RotateLeft(uint32_t value, int bits) { return (value << bits) | (value >> (32 - bits)); }

uint32_t LoadBigEndian(const uint8_t* bytes) {
  return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | uint32_t{bytes[3]};
}

}  // namespace

void Sha1Init(Sha1Context& context) {
  context = Sha1Context{};
  context.state[0] = 0x67452301u;
  context.state[1] = 0xEFCDAB89u;
  context.state[2] = 0x98BADCFEu;
  context.state[3] = 0x10325476u;
  context.state[4] = 0xC3D2E1F0u;
}

void Sha1Transform(Sha1Context& context) {
  uint32_t w[80];
  for (int i = 0; i < 16; ++i) w[i] = LoadBigEndian(context.block + 4 * i);
  for (int i = 16; i < 80; ++i) w[i] = RotateLeft(w[i - 3] ^ w[i - 8] ^ w[i - 14] ^ w[i - 16], 1);

  uint32_t a = context.state[0], b = context.state[1], c = context.state[2], d = context.state[3],
           e = context.state[4];
  auto round = [&](uint32_t f, uint32_t k, uint32_t word) {
    const uint32_t next = RotateLeft(a, 5) + f + e + k + word;
    e = d;
    d = c;
    c = RotateLeft(b, 30);
    b = a;
    a = next;
  };
  for (int i = 0; i < 20; ++i) round((b & c) | (~b & d), 0x5A827999u, w[i]);
  for (int i = 20; i < 40; ++i) round(b ^ c ^ d, 0x6ED9EBA1u, w[i]);
  for (int i = 40; i < 60; ++i) round((b & c) | (b & d) | (c & d), 0x8F1BBCDCu, w[i]);
  for (int i = 60; i < 80; ++i) round(b ^ c ^ d, 0xCA62C1D6u, w[i]);

  context.state[0] += a;
  context.state[1] += b;
  context.state[2] += c;
  context.state[3] += d;
  context.state[4] += e;
}

void Sha1Update(Sha1Context& context, const uint8_t* data, size_t length) {
  while (length > 0) {
    const size_t take = std::min<size_t>(64 - context.fill, length);
    std::memcpy(context.block + context.fill, data, take);
    context.fill += static_cast<uint32_t>(take);
    const uint32_t low = context.countLow + static_cast<uint32_t>(take);
    if (low < context.countLow) ++context.countHigh;
    context.countLow = low;
    data += take;
    length -= take;
    if (context.fill == 64) {
      Sha1Transform(context);
      context.fill = 0;
    }
  }
}

void Sha1Final(Sha1Context& context) {
  context.block[context.fill++] = 0x80;
  if (context.fill <= 56) {
    std::memset(context.block + context.fill, 0, 56 - context.fill);
  } else {
    std::memset(context.block + context.fill, 0, 64 - context.fill);
    Sha1Transform(context);
    std::memset(context.block, 0, 56);
  }
  const uint64_t bits = ((uint64_t{context.countHigh} << 32) | context.countLow) << 3;
  for (int i = 0; i < 8; ++i) context.block[56 + i] = static_cast<uint8_t>(bits >> (56 - 8 * i));
  Sha1Transform(context);
  context.fill = 0;
}

void Sha1HexDigest(const Sha1Context& context, char out[41]) {
  static constexpr char kDigits[] = "0123456789abcdef";
  char* next = out;
  for (uint32_t word : context.state) {
    for (int byte = 0; byte < 4; ++byte) {
      const uint32_t value = (word >> (8 * byte)) & 0xFF;
      *next++ = kDigits[value >> 4];
      *next++ = kDigits[value & 0xF];
    }
  }
  *next = '\0';
}
