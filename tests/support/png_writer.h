#pragma once
// Writes pictures that tests keep for a person to look at (<build>/tests/screenshots/).
#include <cstdint>
#include <string>
#include <vector>

// Writes width x height RGB pixels (3 bytes each, rows from the top) to path as an 8-bit RGB PNG.
// False when the pixels do not match the size or the file cannot be written.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);

// The folder of kept screenshots, created when missing, with a trailing "/".
std::string ScreenshotFolder();
