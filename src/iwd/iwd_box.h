#pragma once
// What the IWD image tool hands to its box in the GUI: the command scripts, the keys of the box's
// text and progress values, their texts, and the error text that ends a scan with failures.
#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* kOpenIwdBoxScript = "open iwd_images_menu;";
inline constexpr const char* kCloseIwdBoxScript = "close iwd_images_menu;";
inline constexpr const char* kIwdProgressTextKey = "iwd_progress_text";
inline constexpr const char* kIwiProgressTextKey = "iwi_progress_text";
inline constexpr const char* kIwdScanProgressKey = "IWD_SCAN_progress";
// The image counts as "Move IWD's Over" shows them before a scan.
inline constexpr const char* kIwiProgressResetText = "\n\n0\n\n0";
inline constexpr const char* kIwdPermissionMessage =
    "Can't move IWI's due to file permissions.\n\nPlease retart the program as administrator.";

// "\n\n" + moved + "\n\n" + skipped: the values beside the box's "iwi's Moved:" and
// "iwi's Skipped:" captions.
std::string IwiProgressText(int32_t moved, int32_t skipped);
// The progress bar's filled width in pixels (0..150): current / count of 150, truncated; 0 when
// no archive was found.
int ScanProgressValue(int32_t currentIwd, int32_t iwdCount);
// The error text that ends a scan in which archives failed; each failure is "name: problem".
// Names the first (cut to 44 characters) and counts the rest, so that it fits the error box.
// Empty when nothing failed.
std::string ScanFailureMessage(const std::vector<std::string>& failures);
