#pragma once
// The look of the program's own desktop windows (splash screen, notification bubble): the files
// of their pictures and fonts in the program folder, and their colours (dark, with one accent).
#include "desktop/canvas.h"

namespace desktop_look {

inline constexpr const char* kSplashPicture = "images/splash.bmp";     // 640 x 256, 24 bits
inline constexpr const char* kIconPicture = "images/delvix_icon.bmp";  // 64 x 64, 32 bits with alpha
inline constexpr const char* kRegularFont = "Fonts/Notice-Regular.otf";
inline constexpr const char* kBoldFont = "Fonts/Notice-Bold.otf";

inline constexpr Rgba kBackground{0x1E, 0x22, 0x28, 0xFF};
inline constexpr Rgba kHoverBackground{0x27, 0x2C, 0x34, 0xFF};
inline constexpr Rgba kBorder{0x3A, 0x41, 0x4C, 0xFF};
inline constexpr Rgba kAccent{0x4C, 0xA3, 0xF0, 0xFF};
inline constexpr Rgba kText{0xD4, 0xD8, 0xDE, 0xFF};

}  // namespace desktop_look
