// settings.xml: the settings record read over its defaults and written back.
//
// Index
//   Value texts        bool, int, colour and float as text, both ways
//   Per-kind readers   ReadBool ... ReadString, ReadRect, ReadHotkey, ReadLightColour
//   Per-kind writers   WriteValue, WritePath, WriteRect, WriteHotkey, WriteLightColour
//   The key list       VisitKeys: every section and key in file order, shared by Load and Save
//   Lights             ReadLight, WriteLight (SceneLights, stored after the record's sections)
//   Load, Save
//
// The file has no single root: each section is a top-level element, each key a child element whose
// attribute "value" holds the value as text (a hot key also carries "vk").
#include "core/settings.h"

#include <pugixml.hpp>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "core/log.h"
#include "core/strings.h"
#include "platform/files.h"

bool SettingsResetPending = false;

VornSettings::VornSettings() { SetDefaultHotkeys(); }

void VornSettings::SetDefaultHotkeys() {
  static constexpr Hotkey kDefaults[HK_COUNT] = {
      0x0170,  // change_active_game: F1
      0x0074,  // view_tags: t
      0x006D,  // export_ma: m
      0x006F,  // export_obj: o
      0x006B,  // export_XE: k
      0x0171,  // take_screen_shot: F2
      0x0077,  // wireframe: w
      0x0120,  // toggle_xmodel_list: Space
      0x007A,  // toggle_xmodel_log: z
      0x0078,  // toggle_xmodel_prop: x
      0x0073,  // toggle_setting_menu: s
      0x0062,  // bounding_box: b
      0x006E,  // central_locator: n
      0x0031,  // draw_bones: 1
  };
  for (int i = 0; i < HK_COUNT; ++i) hotkeys[i] = kDefaults[i];
}

namespace {

// The element names of the hot keys under "hotkeys", in array order.
constexpr const char* kHotkeyNames[HK_COUNT] = {
    "change_active_game", "view_tags",        "export_ma",          "export_obj",
    "export_XE",          "take_screen_shot", "wireframe",          "toggle_xmodel_list",
    "toggle_xmodel_log",  "toggle_xmodel_prop", "toggle_setting_menu", "bounding_box",
    "central_locator",    "draw_bones",
};

// ---------------------------------------------------------------------------------------------
// Value texts

// True when the text begins with 1, t, T, y or Y.
bool ParseBool(const char* text) {
  char c = text[0];
  return c == '1' || c == 't' || c == 'T' || c == 'y' || c == 'Y';
}

// strtol, base 10, held to the int32 range (as a 32-bit long would saturate).
int32_t ParseInt(const char* text) {
  long long value = std::strtoll(text, nullptr, 10);
  return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

// strtoul, base 10, as a 32-bit unsigned long reads it: a "-" wraps, too large saturates.
uint32_t ParseColour(const char* text) {
  unsigned long long value = std::strtoull(text, nullptr, 10);
  const char* first = text;
  while (*first == ' ' || (*first >= '\t' && *first <= '\r')) ++first;
  if (*first == '-') return static_cast<uint32_t>(value);
  return static_cast<uint32_t>(std::min<unsigned long long>(value, UINT32_MAX));
}

// strtod in the C locale. A text reading "nan" gives 0: no setting can use a value that is not
// a number, and a clamp cannot hold one.
float ParseFloat(const char* text) {
  double value = ParseDouble(text);
  return std::isnan(value) ? 0.0f : static_cast<float>(value);
}

const char* BoolText(bool value) { return value ? "true" : "false"; }

// ---------------------------------------------------------------------------------------------
// Per-kind readers. A key whose element or "value" attribute is missing reads as false or 0;
// the folders and rectangles keep their value instead.

const char* ValueText(pugi::xml_node section, const char* key) {
  return section.child(key).attribute("value").value();  // "" when either is missing
}

void ReadBool(pugi::xml_node section, const char* key, bool& field) { field = ParseBool(ValueText(section, key)); }
void ReadInt(pugi::xml_node section, const char* key, int32_t& field) { field = ParseInt(ValueText(section, key)); }
void ReadColour(pugi::xml_node section, const char* key, uint32_t& field) {
  field = ParseColour(ValueText(section, key));
}
void ReadFloat(pugi::xml_node section, const char* key, float& field) { field = ParseFloat(ValueText(section, key)); }

// A folder: taken only when the value exists and is not empty.
void ReadString(pugi::xml_node section, const char* key, std::string& field) {
  const char* text = ValueText(section, key);
  if (text[0] != '\0') field = text;
}

// A rectangle "x,y,w,h": an empty value keeps the rectangle; otherwise the pieces between ","
// fill x, y, w and h in turn, a piece that does not convert and a missing piece give 0, and
// pieces after the fourth are ignored. The flags are never stored.
void ReadRect(pugi::xml_node section, const char* key, ItemRect& field) {
  std::string text = ValueText(section, key);
  if (text.empty()) return;
  int32_t numbers[4] = {0, 0, 0, 0};
  std::istringstream pieces(text);
  std::string piece;
  for (int i = 0; i < 4 && std::getline(pieces, piece, ','); ++i) {
    int32_t value = 0;
    if (from_string(value, piece, std::dec)) numbers[i] = value;
  }
  field.x = numbers[0];
  field.y = numbers[1];
  field.w = numbers[2];
  field.h = numbers[3];
}

// A hot key: the low byte of "value", and the high byte 1 when "vk" reads true.
void ReadHotkey(pugi::xml_node section, const char* key, Hotkey& field) {
  pugi::xml_node element = section.child(key);
  auto code = static_cast<uint8_t>(ParseInt(element.attribute("value").value()));
  bool virtualKey = ParseBool(element.attribute("vk").value());
  field = static_cast<Hotkey>((virtualKey ? 0x100 : 0) | code);
}

// A light colour "r,g,b": empty pieces are dropped, the first three pieces go into red, green and
// blue, each clamped to 0..1; a channel without a piece keeps its value.
void ReadLightColour(pugi::xml_node element, float (&colour)[3]) {
  std::istringstream pieces(element.attribute("value").value());
  std::string piece;
  int channel = 0;
  while (channel < 3 && std::getline(pieces, piece, ',')) {
    if (piece.empty()) continue;
    colour[channel++] = std::clamp(ParseFloat(piece.c_str()), 0.0f, 1.0f);
  }
}

// ---------------------------------------------------------------------------------------------
// Per-kind writers

void WriteValue(pugi::xml_node section, const char* key, const char* text) {
  section.append_child(key).append_attribute("value") = text;
}
void WriteValue(pugi::xml_node section, const char* key, const std::string& text) {
  WriteValue(section, key, text.c_str());
}

// A folder holding a placeholder is written empty.
void WritePath(pugi::xml_node section, const char* key, const std::string& field) {
  bool placeholder = field == kSetPath || field == kRunningDirectory;
  WriteValue(section, key, placeholder ? "" : field.c_str());
}

void WriteRect(pugi::xml_node section, const char* key, const ItemRect& field) {
  WriteValue(section, key,
             std::to_string(field.x) + "," + std::to_string(field.y) + "," + std::to_string(field.w) + "," +
                 std::to_string(field.h));
}

void WriteHotkey(pugi::xml_node section, const char* key, Hotkey field) {
  pugi::xml_node element = section.append_child(key);
  element.append_attribute("value") = std::to_string(field & 0xFF).c_str();
  element.append_attribute("vk") = BoolText((field >> 8) == 1);
}

void WriteLightColour(pugi::xml_node light, const float (&colour)[3]) {
  WriteValue(light, "color", FloatToString(colour[0]) + "," + FloatToString(colour[1]) + "," + FloatToString(colour[2]));
}

// ---------------------------------------------------------------------------------------------
// The key list. VisitKeys walks every section and key in the order of the file; Reader and Writer
// give each kind its meaning, so the two directions can never disagree on a name or a field.

template <class Settings, class Visitor>
void VisitKeys(Settings& s, Visitor& v) {
  v.Section("genral");
  v.Bool("log_xmodel", s.log_xmodel);
  v.Bool("log_warn", s.log_warn);
  v.Bool("log_genral", s.log_genral);
  v.Bool("window_on_top", s.window_on_top);
  v.Int("log_type", s.log_type);
  v.Int("active_game", s.active_game);
  v.Bool("auto_update_check", s.auto_update_check);
  v.Bool("tray_icon", s.tray_icon);
  v.KeptBool("clear_job_list_on_change", s.clear_list_on_change);

  v.Section("layout");
  v.Bool("save_menu_states", s.save_menu_states);
  v.Bool("save_window_rect", s.save_window_rect);
  v.Rect("main_window", s.main_window);
  v.Rect("xmodel_win_prop", s.xmodel_win_prop);
  v.Rect("xmodel_win_prop_size", s.xmodel_win_prop_size);
  v.Rect("xmodel_win_log", s.xmodel_win_log);
  v.Rect("xmodel_win_log_size", s.xmodel_win_log_size);
  v.Rect("xmodel_win_tags", s.xmodel_win_tags);
  v.Rect("xmodel_win_tags_size", s.xmodel_win_tags_size);
  // The record holds prop, log, list, tags; the file lists tags before list.
  v.Bool("xmodel_win_prop_vis", s.xmodel_win_vis[0]);
  v.Bool("xmodel_win_log_vis", s.xmodel_win_vis[1]);
  v.Bool("xmodel_win_tags_vis", s.xmodel_win_vis[3]);
  v.Bool("xmodel_win_list_vis", s.xmodel_win_vis[2]);

  v.Section("dirs");
  v.Path("cod2", s.dir_cod2);
  v.Path("cod4", s.dir_cod4);
  v.Path("cod5", s.dir_cod5);
  v.Path("bo1", s.dir_bo1);
  v.Path("export", s.dir_export);
  v.Path("gdt", s.dir_gdt);

  v.Section("sound");
  v.Float("volume", s.volume);
  v.Bool("disable_all", s.disable_all);
  v.Bool("focus", s.sound_focus);
  v.Bool("accept", s.sound_accept);
  v.Bool("export", s.sound_export);
  v.Bool("welcome", s.sound_welcome);
  v.Bool("leave", s.sound_leave);

  v.Section("export");
  v.Bool("mtl", s.mtl);
  v.Bool("mel_bind", s.mel_bind);
  v.Bool("sub_folder", s.sub_folder);
  v.Bool("exp_images", s.exp_images);
  v.Bool("images_local", s.images_local);
  v.Bool("images_col", s.images_col);
  v.Bool("tags_local", s.tags_local);
  v.Bool("export_lods", s.export_lods);
  v.Int("as_tga", s.as_tga);
  v.Float("scale", s.scale);

  v.Section("opengl");
  v.Bool("vsync", s.vsync);
  v.Bool("wireframe", s.wireframe);
  v.Bool("draw_grid", s.draw_grid);
  v.Bool("draw_axis", s.draw_axis);
  v.Bool("draw_bones", s.draw_bones);
  v.Bool("draw_central_locator", s.draw_central_locator);
  v.Bool("draw_bounding_box", s.draw_bounding_box);
  v.Bool("draw_bounding_box_units", s.draw_bounding_box_units);
  v.Bool("draw_LODS", s.draw_LODS);
  v.Bool("draw_tangents", s.draw_tangents);
  v.Bool("bump_mapping", s.bump_mapping);
  v.Bool("use_vertex_col", s.use_vertex_col);
  v.Int("fps_sleep", s.fps_sleep);
  v.Int("fps_active", s.fps_active);
  v.Colour("color_grid", s.color_grid);
  v.Colour("color_background", s.color_background);
  v.Colour("color_txt", s.color_txt);

  v.Section("hotkeys");
  for (int i = 0; i < HK_COUNT; ++i) v.Key(kHotkeyNames[i], s.hotkeys[i]);
  v.Int("mouse_style", s.mouse_style);

  v.Section("donate");
  v.Int("actions", s.donate_actions);
  v.Int("last", s.donate_last);
  v.Bool("Shown", s.donate_shown);

  v.Section("theme");
  v.Int("active_frame_theme", s.active_frame_theme);
}

// Reads the keys of each present section; the keys of a missing section keep their values.
class Reader {
 public:
  explicit Reader(const pugi::xml_document& doc) : doc_(doc) {}
  void Section(const char* name) { section_ = doc_.child(name); }
  void Bool(const char* key, bool& f) { if (section_) ReadBool(section_, key, f); }
  void KeptBool(const char* key, bool& f) { if (section_.child(key)) ReadBool(section_, key, f); }
  void Int(const char* key, int32_t& f) { if (section_) ReadInt(section_, key, f); }
  void Colour(const char* key, uint32_t& f) { if (section_) ReadColour(section_, key, f); }
  void Float(const char* key, float& f) { if (section_) ReadFloat(section_, key, f); }
  void Path(const char* key, std::string& f) { if (section_) ReadString(section_, key, f); }
  void Rect(const char* key, ItemRect& f) { if (section_) ReadRect(section_, key, f); }
  void Key(const char* key, Hotkey& f) { if (section_) ReadHotkey(section_, key, f); }

 private:
  const pugi::xml_document& doc_;
  pugi::xml_node section_;
};

class Writer {
 public:
  explicit Writer(pugi::xml_document& doc) : doc_(doc) {}
  void Section(const char* name) { section_ = doc_.append_child(name); }
  void Bool(const char* key, bool f) { WriteValue(section_, key, BoolText(f)); }
  void KeptBool(const char* key, bool f) { Bool(key, f); }
  void Int(const char* key, int32_t f) { WriteValue(section_, key, std::to_string(f)); }
  void Colour(const char* key, uint32_t f) { WriteValue(section_, key, std::to_string(f)); }
  void Float(const char* key, float f) { WriteValue(section_, key, FloatToString(f)); }
  void Path(const char* key, const std::string& f) { WritePath(section_, key, f); }
  void Rect(const char* key, const ItemRect& f) { WriteRect(section_, key, f); }
  void Key(const char* key, Hotkey f) { WriteHotkey(section_, key, f); }

 private:
  pugi::xml_document& doc_;
  pugi::xml_node section_;
};

// ---------------------------------------------------------------------------------------------
// Lights

float ReadUnitFloat(pugi::xml_node element, const char* key) {
  return std::clamp(ParseFloat(ValueText(element, key)), 0.0f, 1.0f);
}

// One light's element. A missing element reads enable and the intensities as missing (false, 0)
// and keeps the colour and the attenuation.
void ReadLight(pugi::xml_node element, bool& enable, Light& light) {
  enable = ParseBool(ValueText(element, "enable"));
  light.diffuse_intensity = ReadUnitFloat(element, "DiffuseIntensity");
  light.ambient_intensity = ReadUnitFloat(element, "AmbientIntensity");
  ReadLightColour(element.child("color"), light.color);
  if (pugi::xml_node attenuation = element.child("Attenuation")) {
    light.attenuation_constant = ReadUnitFloat(attenuation, "Constant");
    light.attenuation_linear = ReadUnitFloat(attenuation, "Linear");
    light.attenuation_exp = ReadUnitFloat(attenuation, "Exp");
  }
}

void WriteLight(pugi::xml_node element, bool enable, const Light& light) {
  WriteValue(element, "enable", BoolText(enable));
  WriteLightColour(element, light.color);
  WriteValue(element, "DiffuseIntensity", FloatToString(light.diffuse_intensity));
  WriteValue(element, "AmbientIntensity", FloatToString(light.ambient_intensity));
  pugi::xml_node attenuation = element.append_child("Attenuation");
  WriteValue(attenuation, "Constant", FloatToString(light.attenuation_constant));
  WriteValue(attenuation, "Exp", FloatToString(light.attenuation_exp));
  WriteValue(attenuation, "Linear", FloatToString(light.attenuation_linear));
}

std::string LightName(int index) { return "light_" + std::to_string(index); }

// Collects pugixml's output in memory.
struct StringWriter : pugi::xml_writer {
  std::string text;
  void write(const void* data, size_t size) override { text.append(static_cast<const char*>(data), size); }
};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Load, Save

void VornSettings::Load(const std::string& path) {
  std::vector<uint8_t> bytes;
  if (!platform::ReadWholeFile(path, bytes)) return;
  pugi::xml_document doc;
  if (!doc.load_buffer(bytes.data(), bytes.size())) return;

  Reader reader(doc);
  VisitKeys(*this, reader);
  if (!doc.child("hotkeys")) SetDefaultHotkeys();  // mouse_style keeps its value
  if (pugi::xml_node lights = doc.child("lights")) {
    for (int i = 0; i < 2; ++i) ReadLight(lights.child(LightName(i).c_str()), light_enable[i], SceneLights.lights[i]);
  }

  scale = std::clamp(scale, 0.0f, 1000.0f);
  fps_sleep = std::clamp(fps_sleep, 10, 999);
  fps_active = std::max(std::min(fps_active, 999), fps_sleep);
  mouse_style = std::clamp(mouse_style, 0, 2);
  active_frame_theme = std::clamp(active_frame_theme, 0, 3);
  as_tga = std::clamp(as_tga, 0, 1);  // a flag: TGA colour maps or DDS
}

bool VornSettings::Save(const std::string& path) const {
  if (SettingsResetPending) return false;
  pugi::xml_document doc;
  Writer writer(doc);
  VisitKeys(*this, writer);
  pugi::xml_node lights = doc.append_child("lights");
  for (int i = 0; i < 2; ++i) WriteLight(lights.append_child(LightName(i).c_str()), light_enable[i], SceneLights.lights[i]);

  StringWriter out;
  doc.save(out);
  if (platform::ReplaceFileAtomically(path, out.text.data(), out.text.size())) return true;
  VornLog::Warningf("Settings could not be saved to %s", path.c_str());
  return false;
}

std::string VornSettings::GameRoot(int game) const {
  switch (game) {
    case 0: return dir_cod4;
    case 1: return dir_cod5;
    case 2: return dir_bo1;
    default: return {};
  }
}
