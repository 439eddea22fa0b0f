#include "core/text_writer.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "platform/files.h"

namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

// Numbers come out exactly as printf would print them, whatever the value.
TEST(TextWriter, NumbersMatchPrintf) {
  struct Case { double value; int precision; int width; };
  const Case cases[] = {{0.0, 6, 0}, {-0.0, 6, 0}, {1.5, 6, 9}, {-123.4567891, 6, 9}, {2.54, 6, 5},
                        {1e-7, 6, 0}, {0.0000005, 6, 0}, {123456789.125, 6, 5}, {0.125, 2, 0},
                        {-1.0 / 3.0, 5, 0}, {1e300, 6, 0}, {0.5, 1, 6}};
  const std::string path = ::testing::TempDir() + "numbers.txt";
  TextWriter out;
  ASSERT_TRUE(out.Open(path));
  std::string expected;
  for (const Case& c : cases) {
    out.Fixed(c.value, c.precision, c.width).Put('|');
    char buf[512];
    std::snprintf(buf, sizeof buf, "%*.*f|", c.width, c.precision, c.value);
    expected += buf;
  }
  out.Int(-2147483648LL).Put(' ').Uint(4294967295u).EndLine();
  expected += "-2147483648 4294967295\r\n";
  ASSERT_TRUE(out.Close());
  EXPECT_EQ(ReadAll(path), expected);
}

// Text with line ends is written as a text-mode file would write it.
TEST(TextWriter, TextTurnsLineEndsIntoCrLf) {
  const std::string path = ::testing::TempDir() + "text.txt";
  TextWriter out;
  ASSERT_TRUE(out.Open(path));
  out.Text("\n{\n").Text("a\tb").Text("\n}");
  ASSERT_TRUE(out.Close());
  EXPECT_EQ(ReadAll(path), "\r\n{\r\na\tb\r\n}");
}

// Output larger than the buffer arrives whole and in order.
TEST(TextWriter, LargeOutputArrivesWhole) {
  const std::string path = ::testing::TempDir() + "large.txt";
  TextWriter out;
  ASSERT_TRUE(out.Open(path));
  std::string expected;
  for (int i = 0; i < 200000; ++i) {
    out.Put("v ").Int(i).EndLine();
    expected += "v " + std::to_string(i) + "\r\n";
  }
  ASSERT_TRUE(out.Close());
  EXPECT_EQ(ReadAll(path), expected);
}

// A full disk is a failure, never a success.
TEST(TextWriter, WriteErrorsAreReported) {
  TextWriter out;
  ASSERT_TRUE(out.Open("/dev/full"));
  out.Line("some text that cannot be stored");
  EXPECT_FALSE(out.Close());
  EXPECT_FALSE(out.Open(::testing::TempDir() + "no/such/folder/file.txt"));
}
