#pragma once
// Reads image files with Python's Pillow (Debian's python3-pil), an image reader independent of
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

// Opens every path with Pillow in one run, converts each image to RGBA and returns their pixels in
// the same order. False (with a reason in error) when Pillow cannot read one of them.
bool ReadWithPillow(const std::vector<std::string>& paths, std::vector<ReadBackImage>& images, std::string& error);

}  // namespace testfiles
