#include "platform/text_utf8.h"

#include <gtest/gtest.h>

namespace {

TEST(TextUtf8, DesktopTextKeepsUtf8AndWidensLatin1) {
  struct Case {
    std::string in, out;
  } cases[] = {
      {"plain ascii", "plain ascii"},
      {"caf\xC3\xA9", "caf\xC3\xA9"},               // already UTF-8 (a file name from disk)
      {"caf\xE9", "caf\xC3\xA9"},                   // Latin-1 e-acute
      {"\xFF\x80", "\xC3\xBF\xC2\x80"},             // high bytes, each one character
      {"\xC3", "\xC3\x83"},                         // a truncated sequence is Latin-1
      {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xC2\x80"}, // an encoded surrogate is not UTF-8
  };
  for (const Case& c : cases) EXPECT_EQ(platform::DesktopTextFrom8Bit(c.in), c.out) << c.in;
}

TEST(TextUtf8, Latin1FromUtf8ReplacesWhatDoesNotFit) {
  EXPECT_EQ(platform::Latin1FromUtf8("na\xC3\xAFve", '?'), "na\xEFve");
  EXPECT_EQ(platform::Latin1FromUtf8("\xE2\x82\xAC" "5", '?'), "?5");     // euro sign
  EXPECT_EQ(platform::Latin1FromUtf8("\xF0\x9F\x98\x80x", 0), "x");       // dropped
  EXPECT_EQ(platform::Latin1FromUtf8("a\xC0\xAF" "b", '?'), "a??b");      // overlong: two bad bytes
  EXPECT_EQ(platform::Latin1FromUtf8("\xE2\x82", '?'), "??");             // truncated at the end
}

}  // namespace
