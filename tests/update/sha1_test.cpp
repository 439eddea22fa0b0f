// SHA-1 and the program digest's text form: standard vectors, every length around the block
// edges and feeding in pieces against OpenSSL, and the digest of a file against sha1sum.
#include "update/sha1.h"

#include <gtest/gtest.h>
#include <openssl/sha.h>

#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "platform/files.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "update/program_digest.h"

namespace {

std::string DigestText(const std::string& bytes) {
  Sha1Context context;
  Sha1Init(context);
  Sha1Update(context, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  Sha1Final(context);
  char text[41];
  Sha1HexDigest(context, text);
  return text;
}

// A standard SHA-1 hex digest turned into the program's text: each 8-digit word's bytes reversed.
std::string ReverseWordBytes(const std::string& standard) {
  std::string text;
  for (size_t word = 0; word < 40; word += 8)
    for (int byte = 3; byte >= 0; --byte) text += standard.substr(word + 2 * byte, 2);
  return text;
}

std::string OpenSslText(const std::string& bytes) {
  unsigned char digest[SHA_DIGEST_LENGTH];
  SHA1(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), digest);
  char hex[41];
  for (int i = 0; i < SHA_DIGEST_LENGTH; ++i) std::snprintf(hex + 2 * i, 3, "%02x", digest[i]);
  return ReverseWordBytes(hex);
}

std::string PatternBytes(size_t length) {
  std::string bytes(length, '\0');
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>((i * 131 + 7) & 0xFF);
  return bytes;
}

std::string Sha1sumOf(const std::string& path) {
  FILE* pipe = ::popen(("sha1sum '" + path + "'").c_str(), "r");
  char hex[41] = {};
  if (pipe) {
    if (std::fscanf(pipe, "%40s", hex) != 1) hex[0] = '\0';
    ::pclose(pipe);
  }
  return hex;
}

TEST(Sha1, StandardVectorsInTheServiceTextForm) {
  EXPECT_EQ(DigestText("abc"), "363e99a96a81064771253eba6cc250789dd8d09c");
  EXPECT_EQ(DigestText(""), "eea339da0d4b6b5eefbf5532901860950907d8af");
  EXPECT_EQ(DigestText("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
            ReverseWordBytes("84983e441c3bd26ebaae4aa1f95129e5e54670f1"));
  EXPECT_EQ(DigestText(std::string(1000000, 'a')), ReverseWordBytes("34aa973cd4c4daa4f61eeb2bdbad27316534016f"));
}

TEST(Sha1, EveryLengthAroundTheBlockEdgesMatchesOpenSsl) {
  for (size_t length = 0; length <= 200; ++length) {
    const std::string bytes = PatternBytes(length);
    EXPECT_EQ(DigestText(bytes), OpenSslText(bytes)) << "length " << length;
  }
}

TEST(Sha1, FeedingInPiecesGivesTheSameDigest) {
  const std::string bytes = PatternBytes(100000);
  std::mt19937 random(30);
  for (int round = 0; round < 20; ++round) {
    Sha1Context context;
    Sha1Init(context);
    for (size_t at = 0; at < bytes.size();) {
      const size_t piece = std::min<size_t>(random() % 200, bytes.size() - at);
      Sha1Update(context, reinterpret_cast<const uint8_t*>(bytes.data() + at), piece);
      at += piece;
    }
    Sha1Final(context);
    char text[41];
    Sha1HexDigest(context, text);
    ASSERT_EQ(std::string(text), OpenSslText(bytes)) << "round " << round;
  }
}

TEST(Sha1, NothingComputedGivesFortyZeros) {
  char text[41];
  Sha1HexDigest(Sha1Context{}, text);
  EXPECT_EQ(std::string(text), std::string(40, '0'));
}

TEST(ProgramDigest, MatchesSha1sumOfTheSameFileWithWordBytesReversed) {
  TempFolder folder;
  folder.Write("program", PatternBytes(300000));
  EXPECT_EQ(ComputeProgramDigest(folder.Path("program")), ReverseWordBytes(Sha1sumOf(folder.Path("program"))));
  // The running test program itself, as the start-up digest reads it.
  const std::string self = platform::ProgramPath();
  EXPECT_EQ(ComputeProgramDigest(self), ReverseWordBytes(Sha1sumOf(self)));
}

TEST(ProgramDigest, UnreadableFileGivesFortyZerosAndAWarning) {
  LogCapture log;
  TempFolder folder;
  EXPECT_EQ(ComputeProgramDigest(folder.Path("missing")), std::string(40, '0'));
  EXPECT_TRUE(log.Has("------ WARNING: Could not read the program file for its digest: " + folder.Path("missing")));
}

}  // namespace
