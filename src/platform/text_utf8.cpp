// UTF-8 <-> 8-bit text.
#include "platform/text_utf8.h"

#include <cstdint>

namespace platform {

namespace {

// Decodes one code point at text[i]; advances i. Returns -1 for a malformed sequence (i then
// moves past its first byte).
int32_t DecodeUtf8(std::string_view text, size_t& i) {
  uint8_t lead = static_cast<uint8_t>(text[i++]);
  if (lead < 0x80) return lead;
  int extra;
  int32_t cp;
  int32_t minimum;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return -1;
  }
  if (text.size() - i < static_cast<size_t>(extra)) return -1;
  for (int k = 0; k < extra; ++k) {
    uint8_t b = static_cast<uint8_t>(text[i + k]);
    if ((b & 0xC0) != 0x80) return -1;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
  i += extra;
  return cp;
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    if (DecodeUtf8(text, i) < 0) return false;
  }
  return true;
}

std::string DesktopTextFrom8Bit(std::string_view text) {
  if (IsValidUtf8(text)) return std::string(text);
  std::string out;
  out.reserve(text.size() * 2);
  for (char c : text) {
    uint8_t b = static_cast<uint8_t>(c);
    if (b < 0x80) {
      out += c;
    } else {
      out += static_cast<char>(0xC0 | (b >> 6));
      out += static_cast<char>(0x80 | (b & 0x3F));
    }
  }
  return out;
}

std::string Latin1FromUtf8(std::string_view utf8, char replacement) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    int32_t cp = DecodeUtf8(utf8, i);
    if (cp >= 0 && cp <= 0xFF) {
      out += static_cast<char>(cp);
    } else if (replacement != 0) {
      out += replacement;
    }
  }
  return out;
}

std::string_view CutUtf8(std::string_view utf8, size_t maxBytes) {
  if (utf8.size() <= maxBytes) return utf8;
  size_t end = maxBytes;
  // Back over continuation bytes (10xxxxxx) to the lead byte of the character that does not fit.
  while (end > 0 && (static_cast<unsigned char>(utf8[end]) & 0xC0) == 0x80) --end;
  return utf8.substr(0, end);
}

}  // namespace platform
