#include "gui/text_fonts.h"

#include "core/log.h"
#include "gui/text_output.h"

std::unique_ptr<TextFont> LoadGuiFont(const std::string& programFolder, const char* name, std::string& error) {
  auto font = std::make_unique<TextFont>();
  const std::string path = (programFolder.empty() ? "" : programFolder + "/") + "Fonts/" + name + ".txf";
  if (!font->load(path, GL_NEAREST, GL_LINEAR_MIPMAP_LINEAR, &error)) return nullptr;
  return font;
}

namespace {

std::unique_ptr<TextFont> LoadOrDie(const std::string& programFolder, const char* name) {
  std::string error;
  std::unique_ptr<TextFont> font = LoadGuiFont(programFolder, name, error);
  if (!font) {
    VornLog::Printf("%s", error.c_str());
    VornLog::FatalErrorf("Failed To Load Font: '%s'", name);
  }
  VornLog::Printf("Loaded Font: '%s'", name);
  return font;
}

}  // namespace

TextFonts::~TextFonts() { Shutdown(); }

void TextFonts::LoadFonts(const std::string& programFolder) {
  if (fontsLoaded_) return;
  helveticaBold_ = LoadOrDie(programFolder, "Helvetica-Bold");
  bookmanDemi_ = LoadOrDie(programFolder, "Bookman-Demi");
  SetTextState(helveticaBold_.get(), 10.0f, 0.4f, gTextState.alphaRef);
  fontsLoaded_ = true;
}

void TextFonts::SetTextColor(uint32_t packed) {
  for (int i = 0; i < 3; ++i) textColor[i] = static_cast<float>((packed >> (8 * i)) & 0xFF) * 0.003921569f;
}

void TextFonts::Shutdown() {
  if (helveticaBold_) {
    if (gTextState.font == helveticaBold_.get()) gTextState.font = nullptr;
    helveticaBold_.reset();
    VornLog::Printf("UnloadedFont: 'Helvetica-Bold.'");
  }
  if (bookmanDemi_) {
    if (gTextState.font == bookmanDemi_.get()) gTextState.font = nullptr;
    bookmanDemi_.reset();
    VornLog::Printf("UnloadedFont: 'Bookman-Demi'");
  }
  fontsLoaded_ = false;
}
