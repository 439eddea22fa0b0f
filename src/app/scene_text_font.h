#pragma once
// The GUI's default font (Helvetica-Bold) as the 3D view's text output for labels in the scene.
#include "gui/text_fonts.h"
#include "view/scene_text.h"

// Both functions set the text state to Helvetica-Bold in the style asked for and leave it so
// for the next text. They draw nothing (width 0) while the fonts are not loaded. fonts must
// outlive the result.
SceneText SceneTextFromFonts(const TextFonts& fonts);
