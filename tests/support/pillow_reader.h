#pragma once
// Reads an image file with Python's Pillow (Debian's python3-pil), an image reader independent of
// this program, for checking the files the program writes.
#include <cstdint>
#include <string>
#include <vector>

namespace testfiles {

struct ReadBackImage {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> rgba;  // top row first, 4 bytes per pixel R,G,B,A
};

// True when Pillow (under /usr/bin/python3) is there to ask.
bool PillowAvailable();

// Opens path with Pillow, converts it to RGBA and returns its pixels. False (with a reason in
// error) when Pillow cannot read the file.
bool ReadWithPillow(const std::string& path, ReadBackImage& image, std::string& error);

}  // namespace testfiles
