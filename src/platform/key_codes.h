#pragma once
// Key codes of the program: the Windows virtual-key numbering, which settings.xml stores for hot
// keys and which the GUI's input tables are indexed by. Letters are their upper-case ASCII code
// ('A' = 0x41), digits their ASCII code ('0' = 0x30); every code is in 1..254.
namespace platform::vk {

inline constexpr int kBackspace = 0x08;
inline constexpr int kTab = 0x09;
inline constexpr int kReturn = 0x0D;
inline constexpr int kShift = 0x10;
inline constexpr int kControl = 0x11;
inline constexpr int kAlt = 0x12;
inline constexpr int kPause = 0x13;
inline constexpr int kCapsLock = 0x14;
inline constexpr int kEscape = 0x1B;
inline constexpr int kSpace = 0x20;
inline constexpr int kPageUp = 0x21;
inline constexpr int kPageDown = 0x22;
inline constexpr int kEnd = 0x23;
inline constexpr int kHome = 0x24;
inline constexpr int kLeft = 0x25;
inline constexpr int kUp = 0x26;
inline constexpr int kRight = 0x27;
inline constexpr int kDown = 0x28;
inline constexpr int kPrintScreen = 0x2C;
inline constexpr int kInsert = 0x2D;
inline constexpr int kDelete = 0x2E;
inline constexpr int kLeftSystem = 0x5B;
inline constexpr int kRightSystem = 0x5C;
inline constexpr int kMenu = 0x5D;
inline constexpr int kNumpad0 = 0x60;  // kNumpad0 + n for digit n
inline constexpr int kMultiply = 0x6A;
inline constexpr int kAdd = 0x6B;
inline constexpr int kSubtract = 0x6D;
inline constexpr int kDecimal = 0x6E;
inline constexpr int kDivide = 0x6F;
inline constexpr int kF1 = 0x70;  // kF1 + n - 1 for Fn, up to F24
inline constexpr int kNumLock = 0x90;
inline constexpr int kScrollLock = 0x91;
inline constexpr int kSemicolon = 0xBA;  // ";:" on a US keyboard
inline constexpr int kPlus = 0xBB;       // "=+"
inline constexpr int kComma = 0xBC;
inline constexpr int kMinus = 0xBD;
inline constexpr int kPeriod = 0xBE;
inline constexpr int kSlash = 0xBF;      // "/?"
inline constexpr int kBackquote = 0xC0;  // "`~"
inline constexpr int kLeftBracket = 0xDB;
inline constexpr int kBackslash = 0xDC;
inline constexpr int kRightBracket = 0xDD;
inline constexpr int kQuote = 0xDE;
inline constexpr int kOem102 = 0xE2;     // the extra key beside left Shift on ISO keyboards

}  // namespace platform::vk
