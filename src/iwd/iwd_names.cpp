#include "iwd/iwd_names.h"

#include <algorithm>

namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

bool ContainsIgnoringCase(std::string_view text, std::string_view part) {
  const auto found = std::search(text.begin(), text.end(), part.begin(), part.end(),
                                 [](char a, char b) { return LowerAscii(a) == LowerAscii(b); });
  return found != text.end() || part.empty();
}

std::string LowerCase(std::string_view text) {
  std::string lower(text);
  for (char& c : lower) c = LowerAscii(c);
  return lower;
}

bool ListingOrder(const std::string& a, const std::string& b) {
  const int folded = LowerCase(a).compare(LowerCase(b));
  return folded != 0 ? folded < 0 : a < b;
}

std::string LogSafeName(std::string_view name) {
  constexpr size_t kMaxShown = 300;
  std::string shown(name.substr(0, kMaxShown));
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = '?';
  }
  if (name.size() > kMaxShown) shown += "...";
  return shown;
}
