#pragma once
// TextWriter: the one writer of every text export (Maya ASCII, MEL, OBJ, MTL, XMODEL_EXPORT, GDT,
// tags page). Text goes into a large buffer that is written out in big blocks; every line ends in
// CR LF, written explicitly; numbers are formatted with std::to_chars, independent of the locale,
// producing exactly what the printf forms named beside each function produce.
//
// Write errors (full disk, a folder in the way) are remembered and reported by Close(): an export
// never reports success for a file that did not reach the disk whole.
//
//   TextWriter out;
//   if (!out.Open(path)) ...;
//   out.Put("createNode joint -n \"").Put(name).Put("\";").EndLine();
//   out.Fixed(x, 6, 9);                  // printf "%9.6f"
//   if (!out.Close()) ...;               // false: something was not written
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

class TextWriter {
 public:
  TextWriter() = default;
  ~TextWriter();
  TextWriter(const TextWriter&) = delete;
  TextWriter& operator=(const TextWriter&) = delete;

  // Creates (or truncates) the file. False when it cannot be opened.
  bool Open(const std::string& path);
  // Flushes and closes. True only when every byte was written and the close succeeded.
  bool Close();
  bool IsOpen() const { return file_ != nullptr; }

  TextWriter& Put(std::string_view text);
  TextWriter& Put(char c);
  // CR LF.
  TextWriter& EndLine();
  // A whole line: the text, then CR LF.
  TextWriter& Line(std::string_view text) { return Put(text).EndLine(); }
  // Text that holds line ends: every "\n" is written as CR LF, as a text-mode file would.
  TextWriter& Text(std::string_view text);

  // printf "%i" / "%u".
  TextWriter& Int(int64_t value);
  TextWriter& Uint(uint64_t value);
  // printf "%<width>.<precision>f": fixed notation, right-aligned in at least width characters.
  TextWriter& Fixed(double value, int precision = 6, int width = 0);
  // printf-style formatting for the rare line that has no faster form. Lines of any length.
  TextWriter& Format(const char* format, ...) __attribute__((format(printf, 2, 3)));

  // Bytes written so far (flushed and buffered).
  uint64_t Size() const { return flushed_ + used_; }

 private:
  void Reserve(size_t bytes);
  void Flush();

  static constexpr size_t kBufferSize = 1 << 20;
  FILE* file_ = nullptr;
  char* buffer_ = nullptr;
  size_t used_ = 0;
  uint64_t flushed_ = 0;
  bool failed_ = false;
};

// Appends printf "%<width>.<precision>f" of value to out (for text built in memory).
void AppendFixed(std::string& out, double value, int precision = 6, int width = 0);
