#include "core/text_writer.h"

#include <charconv>
#include <cstdarg>
#include <cstring>
#include <vector>

namespace {

// Writes printf "%<width>.<precision>f" of value into out (at least 400 + width bytes);
// returns the length.
size_t FormatFixed(char* out, double value, int precision, int width) {
  char digits[400];
  auto result = std::to_chars(digits, digits + sizeof digits, value, std::chars_format::fixed, precision);
  size_t length = static_cast<size_t>(result.ptr - digits);
  size_t pad = width > 0 && static_cast<size_t>(width) > length ? static_cast<size_t>(width) - length : 0;
  std::memset(out, ' ', pad);
  std::memcpy(out + pad, digits, length);
  return pad + length;
}

}  // namespace

TextWriter::~TextWriter() { Close(); }

bool TextWriter::Open(const std::string& path) {
  Close();
  file_ = std::fopen(path.c_str(), "wb");
  if (!file_) return false;
  buffer_ = new char[kBufferSize];
  used_ = 0;
  flushed_ = 0;
  failed_ = false;
  return true;
}

bool TextWriter::Close() {
  if (!file_) return false;
  Flush();
  if (std::fclose(file_) != 0) failed_ = true;
  file_ = nullptr;
  delete[] buffer_;
  buffer_ = nullptr;
  return !failed_;
}

void TextWriter::Flush() {
  if (!file_ || used_ == 0) return;
  if (std::fwrite(buffer_, 1, used_, file_) != used_) failed_ = true;
  flushed_ += used_;
  used_ = 0;
}

void TextWriter::Reserve(size_t bytes) {
  if (used_ + bytes > kBufferSize) Flush();
}

TextWriter& TextWriter::Put(std::string_view text) {
  if (!file_) return *this;
  if (text.size() > kBufferSize / 2) {  // very long text goes straight through
    Flush();
    if (std::fwrite(text.data(), 1, text.size(), file_) != text.size()) failed_ = true;
    flushed_ += text.size();
    return *this;
  }
  Reserve(text.size());
  std::memcpy(buffer_ + used_, text.data(), text.size());
  used_ += text.size();
  return *this;
}

TextWriter& TextWriter::Put(char c) {
  if (!file_) return *this;
  Reserve(1);
  buffer_[used_++] = c;
  return *this;
}

TextWriter& TextWriter::EndLine() { return Put(std::string_view("\r\n", 2)); }

TextWriter& TextWriter::Text(std::string_view text) {
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string_view::npos; start = end + 1)
    Put(text.substr(start, end - start)).EndLine();
  return Put(text.substr(start));
}

TextWriter& TextWriter::Int(int64_t value) {
  if (!file_) return *this;
  Reserve(24);
  used_ = static_cast<size_t>(std::to_chars(buffer_ + used_, buffer_ + used_ + 24, value).ptr - buffer_);
  return *this;
}

TextWriter& TextWriter::Uint(uint64_t value) {
  if (!file_) return *this;
  Reserve(24);
  used_ = static_cast<size_t>(std::to_chars(buffer_ + used_, buffer_ + used_ + 24, value).ptr - buffer_);
  return *this;
}

TextWriter& TextWriter::Fixed(double value, int precision, int width) {
  if (!file_) return *this;
  if (width > 64) width = 64;
  Reserve(400 + 64);
  used_ += FormatFixed(buffer_ + used_, value, precision, width);
  return *this;
}

TextWriter& TextWriter::Format(const char* format, ...) {
  if (!file_) return *this;
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  if (length > 0) {
    std::vector<char> text(static_cast<size_t>(length) + 1);
    std::vsnprintf(text.data(), text.size(), format, args);
    Put(std::string_view(text.data(), static_cast<size_t>(length)));
  }
  va_end(args);
  return *this;
}

void AppendFixed(std::string& out, double value, int precision, int width) {
  char text[400 + 64];
  if (width > 64) width = 64;
  out.append(text, FormatFixed(text, value, precision, width));
}
