#include "update/sha1.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace {

constexpr uint32_t RotateLeft(uint32_t value, int bits) { return (value << bits) | (value >> (32 - bits)); }

uint32_t LoadBigEndian(const uint8_t* bytes) {
  return (uint32_t{bytes[0]} << 24) | (uint32_t{bytes[1]} << 16) | (uint32_t{bytes[2]} << 8) | uint32_t{bytes[3]};
}

// One round: the message word of round i (computed in place in a 16-word ring from round 16 on),
// added into e, with b rotated. The callers rotate the roles of a..e instead of moving values.
template <int kRound>
inline void Round(uint32_t* w, uint32_t a, uint32_t& b, uint32_t c, uint32_t d, uint32_t& e) {
  uint32_t word;
  if constexpr (kRound < 16) {
    word = w[kRound];
  } else {
    word = RotateLeft(w[(kRound + 13) & 15] ^ w[(kRound + 8) & 15] ^ w[(kRound + 2) & 15] ^ w[kRound & 15], 1);
    w[kRound & 15] = word;
  }
  uint32_t f, k;
  if constexpr (kRound < 20) {
    f = d ^ (b & (c ^ d));
    k = 0x5A827999u;
  } else if constexpr (kRound < 40) {
    f = b ^ c ^ d;
    k = 0x6ED9EBA1u;
  } else if constexpr (kRound < 60) {
    f = (b & c) | (d & (b | c));
    k = 0x8F1BBCDCu;
  } else {
    f = b ^ c ^ d;
    k = 0xCA62C1D6u;
  }
  e += RotateLeft(a, 5) + f + k + word;
  b = RotateLeft(b, 30);
}

// Five rounds from kFirst, after which a..e hold their roles again.
template <int kFirst>
inline void FiveRounds(uint32_t* w, uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d, uint32_t& e) {
  Round<kFirst>(w, a, b, c, d, e);
  Round<kFirst + 1>(w, e, a, b, c, d);
  Round<kFirst + 2>(w, d, e, a, b, c);
  Round<kFirst + 3>(w, c, d, e, a, b);
  Round<kFirst + 4>(w, b, c, d, e, a);
}

template <int... kGroups>
inline void AllRounds(uint32_t* w, uint32_t& a, uint32_t& b, uint32_t& c, uint32_t& d, uint32_t& e,
                      std::integer_sequence<int, kGroups...>) {
  (FiveRounds<kGroups * 5>(w, a, b, c, d, e), ...);
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
  uint32_t w[16];
  for (int i = 0; i < 16; ++i) w[i] = LoadBigEndian(context.block + 4 * i);
  uint32_t a = context.state[0], b = context.state[1], c = context.state[2], d = context.state[3],
           e = context.state[4];
  AllRounds(w, a, b, c, d, e, std::make_integer_sequence<int, 16>());
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
