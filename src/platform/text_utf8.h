#pragma once
// Conversions between the program's 8-bit text and the UTF-8 the desktop speaks.
#include <string>
#include <string_view>

namespace platform {

// True when text is well-formed UTF-8 (plain ASCII included).
bool IsValidUtf8(std::string_view text);

// Text for the desktop: valid UTF-8 stays as it is (file names come from the system that way);
// anything else is read as Latin-1, one character per byte.
std::string DesktopTextFrom8Bit(std::string_view text);

// Each code point of UTF-8 text as one Latin-1 byte; code points beyond 0xFF and malformed
// sequences become replacement, or are dropped when replacement is 0.
std::string Latin1FromUtf8(std::string_view utf8, char replacement);

// The longest start of utf8 of at most maxBytes bytes that ends on a character boundary.
std::string_view CutUtf8(std::string_view utf8, size_t maxBytes);

}  // namespace platform
