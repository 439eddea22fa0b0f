#pragma once
// TextFonts: the GUI's two texture fonts and its text colour, created at start-up and deleted
// at shutdown (the GUI object owns them).
//   Helvetica-Bold  "Fonts/Helvetica-Bold.txf": the default GUI font
//   Bookman-Demi    "Fonts/Bookman-Demi.txf": the frame-rate counter and the screen titles
// Main thread, with the window's GL context current.
#include <cstdint>
#include <memory>
#include <string>

#include "gui/text_font.h"

class TextFonts {
 public:
  TextFonts() = default;
  ~TextFonts();
  TextFonts(const TextFonts&) = delete;
  TextFonts& operator=(const TextFonts&) = delete;

  // Loads both fonts from programFolder + "/Fonts/" (empty: "Fonts/" of the working folder,
  // which start-up makes the program's folder) once (later calls do nothing), logging
  // "Loaded Font: '<name>'" after each; a font that cannot be loaded ends the program with the
  // fatal error "Failed To Load Font: '<name>'". Then the text state becomes Helvetica-Bold,
  // 10 points, slant 0.4.
  void LoadFonts(const std::string& programFolder = "");

  // The text colour from a packed 0x00BBGGRR colour (the settings' color_txt).
  void SetTextColor(uint32_t packed);

  // Deletes each font that is present, logging its unload, and takes it out of the text state.
  // Safe to call again.
  void Shutdown();

  TextFont* HelveticaBold() const { return helveticaBold_.get(); }
  TextFont* BookmanDemi() const { return bookmanDemi_.get(); }
  bool FontsLoaded() const { return fontsLoaded_; }

  float textColor[3] = {1.0f, 1.0f, 1.0f};

 private:
  std::unique_ptr<TextFont> helveticaBold_;
  std::unique_ptr<TextFont> bookmanDemi_;
  bool fontsLoaded_ = false;
};

// Loads "<programFolder>/Fonts/<name>.txf" ("Fonts/<name>.txf" for an empty folder) with GL_NEAREST magnification and
// GL_LINEAR_MIPMAP_LINEAR minification; null, with the reason in error, when it fails.
std::unique_ptr<TextFont> LoadGuiFont(const std::string& programFolder, const char* name, std::string& error);
