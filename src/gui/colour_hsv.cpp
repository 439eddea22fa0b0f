#include "gui/colour_hsv.h"

#include <algorithm>

namespace {

// The percentage step as the picker has always formed it: 0.01 as a float, products in double.
int ToByteSteps(float percent) {
  return static_cast<int>(static_cast<double>(percent) * 255.0 * static_cast<double>(0.01f));
}

}  // namespace

RgbColour HsvToRgb(float h, float s, float v) {
  const int hue = static_cast<int>(h);
  const int sat = ToByteSteps(s);
  const int val = ToByteSteps(v);
  float r = 0.0f, g = 0.0f, b = 0.0f;
  if (sat == 0) {
    r = g = b = static_cast<float>(val);
  } else {
    const float V = static_cast<float>(val);
    const float P = static_cast<float>((255 - sat) * val / 255);
    const float D = static_cast<float>((hue % 60) * (val - static_cast<int>(P))) / 60.0f;
    if (hue < 60 || hue == 360) {
      r = V, g = P + D, b = P;
    } else if (hue < 120) {
      r = V - D, g = V, b = P;
    } else if (hue < 180) {
      r = P, g = V, b = P + D;
    } else if (hue < 240) {
      r = P, g = V - D, b = V;
    } else if (hue < 300) {
      r = P + D, g = P, b = V;
    } else if (hue < 360) {
      r = V, g = P, b = V - D;
    }
  }
  constexpr float kScale = 1.0f / 255.0f;
  return RgbColour{r * kScale, g * kScale, b * kScale};
}

HsvColour RgbToHsv(float r, float g, float b) {
  const float R = 255.0f * r, G = 255.0f * g, B = 255.0f * b;
  const float max = std::max({R, G, B});
  const float min = std::min({R, G, B});
  const float delta = max - min;
  HsvColour hsv;
  hsv.v = 100.0f * max / 255.0f;
  hsv.s = max > 0.0f ? 100.0f * delta / max : 0.0f;
  float hue = -1.0f;
  if (hsv.s != 0.0f) {
    if (R == max) {
      hue = (G - B) / delta;
    } else if (G == max) {
      hue = 2.0f + (B - R) / delta;
    } else {
      hue = 4.0f + (R - G) / delta;
    }
  }
  hue *= 60.0f;
  if (hue < 0.0f) hue += 360.0f;
  hsv.h = hue;
  return hsv;
}
