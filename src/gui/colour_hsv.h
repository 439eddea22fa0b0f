#pragma once
// Hue, saturation and value of the colour picker, in the picker's own integer steps: hue in
// degrees, saturation and value in 0..100, colours in 0..1.

struct RgbColour {
  float r = 0.0f, g = 0.0f, b = 0.0f;
};
struct HsvColour {
  float h = 0.0f, s = 0.0f, v = 0.0f;
};

// Saturation and value become whole steps of 255 (100 gives 254); a hue above 360 gives black.
RgbColour HsvToRgb(float h, float s, float v);
// A grey (no saturation) has hue 300.
HsvColour RgbToHsv(float r, float g, float b);
