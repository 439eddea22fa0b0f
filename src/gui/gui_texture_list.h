#pragma once
// The GUI texture list: the texture names the GUI loads and the files they come from, one
// "<name> <file>" pair a line (the file relative to the program folder). "#" starts a comment;
// "[section]" lines divide the list ("[gui]": what LoadGUITextures loads, in order).
#include <string>
#include <vector>

struct GuiTextureEntry {
  std::string name;
  std::string file;
  bool operator==(const GuiTextureEntry&) const = default;
};

// The entries of section (without brackets) in text, in order. Lines that are not a pair of
// words are skipped.
std::vector<GuiTextureEntry> ParseGuiTextureList(const std::string& text, const std::string& section);
