#pragma once
// The GUI's text state and its text outputs. Every output reads the one global text state (font,
// cursor, point size, slant, alpha-test reference), so none takes font parameters; whoever
// changes the state for a text either sets it back or leaves it for the next text.
//
// Outputs draw in the current model-view matrix, where the GUI pass has y growing downwards. A
// text at (x, y) starts at (x, y) + the state's cursor, which stays where it is. Before the fonts
// are loaded there is no font and the outputs draw nothing (TextWidth gives 0).
//
//   PrintText, PrintTextBlend      text as given (alpha-tested; the second also blends)
//   PrintTextf, PrintTextBlendf    printf forms, cut at 255 characters
//   BeginText, EndText             a block of outputs at one origin (the log window's lines)
//   TextWidth                      a text's width in the current state
#include <cstdint>

#include "gui/text_font.h"

// The cursor every GUI pass starts its texts from.
inline constexpr TextCursor kTextCursorReset{-4.3089838f, 2.5436609f, 0.0f};

struct TextState {
  TextFont* font = nullptr;
  TextCursor cursor = kTextCursorReset;
  float pointSize = 10.0f;
  float slant = 0.0f;     // italic shear
  float alphaRef = 0.1f;  // glyph pixels with an alpha not above it are discarded
  bool textBlockOpen = false;
};
extern TextState gTextState;

// Font, point size, slant and alpha reference at once.
void SetTextState(TextFont* font, float pointSize, float slant, float alphaRef);
// Puts the cursor back to kTextCursorReset (at the start of every GUI pass).
void ResetTextCursor();

// Draws text at (x, y) with the alpha test and blending off; blending is on afterwards.
void PrintText(int32_t x, int32_t y, const char* text);
// As PrintText, but blending stays as it is and the blend function becomes source alpha / one
// minus source alpha, so the edges of the glyphs blend.
void PrintTextBlend(int32_t x, int32_t y, const char* text);
// Formats into 256 bytes (a longer result is cut to 255 characters) and draws it. Only the
// program's own formats: a name, a log line or a label goes through "%s" or PrintText.
void PrintTextf(int32_t x, int32_t y, const char* format, ...) __attribute__((format(printf, 3, 4)));
void PrintTextBlendf(int32_t x, int32_t y, const char* format, ...) __attribute__((format(printf, 3, 4)));

// Opens a text block at (x, y) once (nothing while one is open): saves the matrix, blending off,
// texturing and the alpha test on, translates. Outputs inside it call the font directly with
// the state's cursor. EndText closes it: texturing and alpha test off, blending on, matrix back.
void BeginText(int32_t x, int32_t y);
void EndText();

// Right minus left of the font's bounding box of text at the current point size and slant; 0
// for a null or empty text, or without a font.
float TextWidth(const char* text);
