// The GUI texture list, its loading and the check for texture names that nothing provides.
#include "gui/gui_texture_list.h"

#include <sstream>

#include "core/log.h"
#include "gui/vorn_gui.h"
#include "platform/files.h"

std::vector<GuiTextureEntry> ParseGuiTextureList(const std::string& text, const std::string& section) {
  std::vector<GuiTextureEntry> entries;
  std::istringstream lines(text);
  std::string line, current;
  while (std::getline(lines, line)) {
    line = line.substr(0, line.find('#'));
    std::istringstream words(line);
    std::string name, file, extra;
    if (!(words >> name)) continue;
    if (name.front() == '[' && name.back() == ']') {
      current = name.substr(1, name.size() - 2);
      continue;
    }
    if (current != section || !(words >> file) || (words >> extra)) continue;
    entries.push_back({name, file});
  }
  return entries;
}

int VornGUI::LoadGUITextures(const std::string& listPath, const std::string& programFolder) {
  std::vector<uint8_t> bytes;
  if (!platform::ReadWholeFile(listPath, bytes)) {
    VornLog::Warningf("LoadGUITextures: can't read the texture list '%s'", listPath.c_str());
    return 0;
  }
  const std::string prefix = programFolder.empty() ? "" : programFolder + "/";
  int loaded = 0;
  for (const GuiTextureEntry& entry : ParseGuiTextureList(std::string(bytes.begin(), bytes.end()), "gui")) {
    if (textures.LoadDSS(prefix + entry.file, entry.name) != kTextureLoadFailed) ++loaded;
  }
  return loaded;
}

void VornGUI::ReportMissingMaterial(const std::string& name) {
  for (const std::string& reported : missingTextures) {
    if (reported == name) return;
  }
  missingTextures.push_back(name);
  VornLog::Warningf("Missing Material: %s", name.c_str());
}

void VornGUI::CheckMaterials() {
  const auto check = [this](std::string& name) {
    if (textures.Has(name)) return;
    ReportMissingMaterial(name);
    name = "default";
  };
  for (const auto& menu : menus_) {
    for (TextButton& button : menu->textButtons) {
      check(button.skin);
      check(button.hoverSkin);
    }
    for (ImageItem& image : menu->images) check(image.texture);
  }
}
