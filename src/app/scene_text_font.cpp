#include "app/scene_text_font.h"

#include "gui/text_output.h"

namespace {

// The text state for style; false when there is no font to use.
bool UseStyle(const TextFonts& fonts, const SceneTextStyle& style) {
  if (!fonts.HelveticaBold()) return false;
  SetTextState(fonts.HelveticaBold(), style.pointSize, style.slant, style.alphaRef);
  return true;
}

}  // namespace

SceneText SceneTextFromFonts(const TextFonts& fonts) {
  SceneText text;
  text.width = [&fonts](const char* label, const SceneTextStyle& style) {
    return UseStyle(fonts, style) ? TextWidth(label) : 0.0f;
  };
  text.draw = [&fonts](const char* label, const SceneTextStyle& style, Vec3 cursor) {
    if (!UseStyle(fonts, style)) return;
    glEnable(GL_ALPHA_TEST);
    glAlphaFunc(GL_GREATER, gTextState.alphaRef);
    gTextState.font->puts({cursor.x, cursor.y, cursor.z}, gTextState.pointSize, gTextState.slant, label);
    glDisable(GL_ALPHA_TEST);
  };
  return text;
}
