#include "core/strings.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cstdlib>

std::string IntToString(int value) { return std::to_string(value); }

std::string FloatToString(float value) {
  // to_chars with a precision formats exactly as printf does in the C locale.
  char buf[32];
  auto result = std::to_chars(buf, buf + sizeof buf, static_cast<double>(value), std::chars_format::general, 6);
  return std::string(buf, result.ptr);
}

namespace {

locale_t CLocale() {
  static const locale_t cLocale = ::newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
  return cLocale;
}

}  // namespace

double ParseDouble(const char* text) { return ::strtod_l(text, nullptr, CLocale()); }

bool ReadLeadingDouble(const char* text, double& value) {
  char* end = nullptr;
  const double read = ::strtod_l(text, &end, CLocale());
  if (end == text) return false;
  value = read;
  return true;
}

bool ReadLeadingInt(const char* text, int32_t& value) {
  char* end = nullptr;
  const long long read = ::strtoll_l(text, &end, 10, CLocale());
  if (end == text) return false;
  value = static_cast<int32_t>(std::clamp<long long>(read, INT32_MIN, INT32_MAX));
  return true;
}

std::vector<std::string> SplitCommands(const std::string& script) {
  std::vector<std::string> pieces;
  size_t start = 0;
  while (start <= script.size()) {
    size_t end = script.find(';', start);
    if (end == std::string::npos) end = script.size();
    if (end > start) pieces.emplace_back(script, start, end - start);
    start = end + 1;
  }
  return pieces;
}

void ReplaceAll(std::string& subject, const std::string& from, const std::string& to) {
  if (from.empty()) return;
  size_t pos = 0;
  while ((pos = subject.find(from, pos)) != std::string::npos) {
    subject.replace(pos, from.size(), to);
    pos += to.size();
  }
}

std::string StringReplaceCopy(std::string text, const std::string& from, const std::string& to) {
  ReplaceAll(text, from, to);
  return text;
}

void ReplaceTildes(std::string& text) {
  for (char& c : text)
    if (c == '~') c = '_';
}
