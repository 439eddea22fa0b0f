#include "gui/text_output.h"

#include <cstdarg>
#include <cstdio>

TextState gTextState;

void SetTextState(TextFont* font, float pointSize, float slant, float alphaRef) {
  gTextState.font = font;
  gTextState.pointSize = pointSize;
  gTextState.slant = slant;
  gTextState.alphaRef = alphaRef;
}

void ResetTextCursor() { gTextState.cursor = kTextCursorReset; }

namespace {

void AlphaTestOn() {
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, gTextState.alphaRef);
}

// The string output with the text state at (x, y), inside its own matrix; blending is the
// caller's.
void DrawWithState(int32_t x, int32_t y, const char* text) {
  glPushMatrix();
  glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
  glEnable(GL_TEXTURE_2D);
  AlphaTestOn();
  gTextState.font->puts(gTextState.cursor, gTextState.pointSize, gTextState.slant, text);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_ALPHA_TEST);
  glPopMatrix();
}

// Formats into 256 bytes, cutting a longer result, and draws it with print.
void PrintFormatted(void (*print)(int32_t, int32_t, const char*), int32_t x, int32_t y, const char* format,
                    va_list args) {
  char buffer[256];
  std::vsnprintf(buffer, sizeof buffer, format, args);
  print(x, y, buffer);
}

}  // namespace

void PrintText(int32_t x, int32_t y, const char* text) {
  if (!gTextState.font || !text) return;
  glDisable(GL_BLEND);
  DrawWithState(x, y, text);
  glEnable(GL_BLEND);
}

void PrintTextBlend(int32_t x, int32_t y, const char* text) {
  if (!gTextState.font || !text) return;
  glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  DrawWithState(x, y, text);
}

void PrintTextf(int32_t x, int32_t y, const char* format, ...) {
  va_list args;
  va_start(args, format);
  PrintFormatted(PrintText, x, y, format, args);
  va_end(args);
}

void PrintTextBlendf(int32_t x, int32_t y, const char* format, ...) {
  va_list args;
  va_start(args, format);
  PrintFormatted(PrintTextBlend, x, y, format, args);
  va_end(args);
}

void BeginText(int32_t x, int32_t y) {
  if (gTextState.textBlockOpen) return;
  gTextState.textBlockOpen = true;
  glPushMatrix();
  glDisable(GL_BLEND);
  glEnable(GL_TEXTURE_2D);
  AlphaTestOn();
  glTranslatef(static_cast<float>(x), static_cast<float>(y), 0.0f);
}

void EndText() {
  if (!gTextState.textBlockOpen) return;
  gTextState.textBlockOpen = false;
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_ALPHA_TEST);
  glEnable(GL_BLEND);
  glPopMatrix();
}

float TextWidth(const char* text) {
  if (!gTextState.font || !text || !*text) return 0.0f;
  float left = 0.0f, right = 0.0f;
  gTextState.font->getBBox(text, gTextState.pointSize, gTextState.slant, &left, &right, nullptr, nullptr);
  return right - left;
}
