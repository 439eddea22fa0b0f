// The builder operations: each begin operation appends a menu and makes it the one being built;
// each item operation appends one record, filled from its arguments alone, to that menu.
#include <algorithm>
#include <utility>

#include "core/strings.h"
#include "gui/hotkey_name.h"
#include "gui/vorn_gui.h"

namespace {

float Milliseconds(float seconds) { return seconds * 1000.0f; }

// A label colour of a text button: the button's fade supplies the alpha.
Rgba WithoutAlpha(const Rgba& colour) { return {colour.r, colour.g, colour.b, 0.0f}; }

// A text box with the parts both forms share.
TextBox MakeTextBox(const std::string& name, const ItemRect& rect, const Rgba& background, const Rgba& outline,
                    const Rgba& textColour) {
  TextBox box;
  box.name = name;
  box.rect = rect;
  box.background = background;
  box.outline = outline;
  box.textColour = textColour;
  return box;
}

}  // namespace

Menu& VornGUI::CommitMenu(std::unique_ptr<Menu> menu, const std::string& name, const ItemRect& rect,
                          const ItemRect& hitRect, bool visible) {
  menu->name = name;
  menu->rect = rect;
  menu->hitRect = hitRect;
  menu->visible = visible;
  menu->visibilityMirror = nullptr;
  menu->openCommands.clear();
  menu->closeCommands.clear();
  menu->slideX = menu->slideY = 0.0f;
  menu->animating = false;
  menus_.push_back(std::move(menu));
  building_ = menus_.back().get();
  return *building_;
}

Menu& VornGUI::Building() {
  if (!building_) BeginMenu(std::string(), ItemRect{}, ItemRect{}, false);
  return *building_;
}

Menu& VornGUI::BeginMenu(const std::string& name, const ItemRect& rect, const ItemRect& hitRect, bool visible) {
  auto menu = std::make_unique<Menu>();
  menu->transition = TRANSITION_NONE;
  return CommitMenu(std::move(menu), name, rect, hitRect, visible);
}

Menu& VornGUI::BeginFadeMenu(const std::string& name, const ItemRect& rect, const ItemRect& hitRect, bool visible,
                             float seconds) {
  auto menu = std::make_unique<Menu>();
  menu->transition = TRANSITION_FADE;
  menu->durationMs = Milliseconds(seconds);
  return CommitMenu(std::move(menu), name, rect, hitRect, visible);
}

Menu& VornGUI::BeginSlideMenu(const std::string& name, const ItemRect& rect, const ItemRect& hitRect, bool visible,
                              SlideDirection openDirection, SlideDirection closeDirection, float seconds) {
  auto menu = std::make_unique<Menu>();
  menu->transition = TRANSITION_SLIDE;
  menu->openDirection = openDirection;
  menu->closeDirection = closeDirection;
  menu->durationMs = Milliseconds(seconds);
  return CommitMenu(std::move(menu), name, rect, hitRect, visible);
}

Menu& VornGUI::BeginWindow(ItemRect* savedPosition, ItemRect* savedSize, const std::string& name,
                           const std::string& title, bool visible, float seconds) {
  // A saved size below the window's minimum (a damaged or hand-edited settings file) is raised
  // to it, so what the window holds is laid out from a size it can have.
  savedSize->w = std::max(savedSize->w, kFramedWindowMinWidth);
  savedSize->h = std::max(savedSize->h, kFramedWindowMinHeight);
  auto menu = std::make_unique<Menu>();
  menu->framed = true;
  menu->transition = TRANSITION_FADE;
  menu->durationMs = Milliseconds(seconds);
  menu->title = title;
  menu->savedPosition = savedPosition;
  menu->savedSize = savedSize;
  lastFramedIndex = static_cast<int32_t>(menus_.size());
  return CommitMenu(std::move(menu), name, *savedPosition, *savedSize, visible);
}

void VornGUI::SetOpenScript(const std::string& script) {
  Menu& menu = Building();
  menu.openCommands = SplitCommands(script);
  if (menu.visible) Processcmd(menu.openCommands);
}

void VornGUI::SetCloseScript(const std::string& script) { Building().closeCommands = SplitCommands(script); }

void VornGUI::AddFilledRect(const ItemRect& rect, const Rgba& colour) { Building().filledRects.push_back({rect, colour}); }

void VornGUI::AddRoundedRect(const ItemRect& rect, const Rgba& colour) {
  Building().roundedRects.push_back({rect, colour});
}

void VornGUI::AddImage(const ItemRect& rect, const std::string& texture, const Rgba& colour) {
  Building().images.push_back({rect, colour, texture});
}

void VornGUI::AddLabel(const ItemRect& rect, const std::string& text, const Rgba& colour) {
  Building().labels.push_back({{rect.x, rect.y, 0, 0, rect.flags}, text, colour});
}

void VornGUI::AddValueLabel(const ItemRect& rect, const std::string& key, const Rgba& colour) {
  Building().valueLabels.push_back({{rect.x, rect.y, 0, 0, rect.flags}, key, colour});
}

void VornGUI::AddFontLabel(const ItemRect& rect, const std::string& text, const Rgba& colour, uint8_t fontFlag,
                           uint8_t pointSize) {
  Building().fontLabels.push_back(
      {{rect.x, rect.y, 0, 0, rect.flags}, text, colour, fontFlag != 0, static_cast<int8_t>(pointSize)});
}

void VornGUI::AddTextButton(const ItemRect& rect, const Rgba& labelColour, const Rgba& hoverLabelColour,
                            const std::string& skin, const std::string& hoverSkin, const std::string& label,
                            int16_t labelX, int16_t labelY, const std::string& script, bool capped) {
  AddTextButton(rect, labelColour, hoverLabelColour, skin, hoverSkin, label, labelX, labelY, std::function<void()>(),
                capped);
  Building().textButtons.back().commands = SplitCommands(script);
}

void VornGUI::AddTextButton(const ItemRect& rect, const Rgba& labelColour, const Rgba& hoverLabelColour,
                            const std::string& skin, const std::string& hoverSkin, const std::string& label,
                            int16_t labelX, int16_t labelY, std::function<void()> callback, bool capped) {
  TextButton button;
  button.rect = rect;
  button.labelColour = WithoutAlpha(labelColour);
  button.hoverLabelColour = WithoutAlpha(hoverLabelColour);
  button.skin = skin;
  button.hoverSkin = hoverSkin;
  button.label = label;
  button.labelX = labelX;
  button.labelY = labelY;
  button.capped = capped;
  button.callback = std::move(callback);
  Building().textButtons.push_back(std::move(button));
}

void VornGUI::AddImageButton(const ItemRect& rect, const std::string& texture, const std::string& hoverTexture,
                             const std::string& script, const Rgba& colour, const Rgba& hoverColour) {
  ImageButton button;
  button.rect = rect;
  button.texture = texture;
  button.hoverTexture = hoverTexture;
  button.commands = SplitCommands(script);
  button.colour = colour;
  button.hoverColour = hoverColour;
  Building().imageButtons.push_back(std::move(button));
}

void VornGUI::AddFlatButton(const ItemRect& rect, const std::string& label, int16_t labelX, int16_t labelY,
                            const std::string& script) {
  AddFlatButton(rect, label, labelX, labelY, std::function<void()>());
  Building().flatButtons.back().commands = SplitCommands(script);
}

void VornGUI::AddFlatButton(const ItemRect& rect, const std::string& label, int16_t labelX, int16_t labelY,
                            std::function<void()> callback) {
  FlatButton button;
  button.rect = rect;
  button.label = label;
  button.labelX = labelX;
  button.labelY = labelY;
  button.callback = std::move(callback);
  Building().flatButtons.push_back(std::move(button));
}

void VornGUI::AddListBox(const std::string& name, const ItemRect& rect, ListSource* source,
                         std::function<void(const std::string&)> rowCallback, const ListBoxColours& colours) {
  ListBox list;
  list.name = name;
  list.rect = rect;
  list.source = source;
  list.rowCallback = std::move(rowCallback);
  list.background = colours.background;
  list.outline = colours.outline;
  list.row = colours.row;
  list.hoveredRow = colours.hoveredRow;
  list.selectedRow = colours.selectedRow;
  list.text = colours.text;
  list.highlightedText = colours.highlightedText;
  list.visibleRows = rect.h / 14;
  list.scrollPosition = static_cast<float>(rect.y + 5);
  list.rowFades.resize(static_cast<size_t>(std::max(list.visibleRows, 0)));
  Building().listBoxes.push_back(std::move(list));
}

void VornGUI::AddBoundList(const std::string& name, const ItemRect& rect, const Rgba& background,
                           const Rgba& textColour,
                           std::function<size_t(size_t, size_t, std::vector<std::string>&)> lines, bool follow) {
  BoundList list;
  list.name = name;
  list.rect = rect;
  list.background = background;
  list.textColour = textColour;
  list.lines = std::move(lines);
  list.follow = follow;
  list.visibleRows = rect.h / 15;
  list.firstVisible = 0;
  Building().boundLists.push_back(std::move(list));
}

void VornGUI::AddTextBox(const std::string& name, const std::string& placeholder, const ItemRect& rect,
                         const Rgba& background, const Rgba& outline, const Rgba& textColour,
                         std::function<void(const std::string&)> filter) {
  TextBox box = MakeTextBox(name, rect, background, outline, textColour);
  box.committed = placeholder;
  box.filter = std::move(filter);
  Building().textBoxes.push_back(std::move(box));
}

void VornGUI::AddTextBox(const std::string& name, const std::string& text, const ItemRect& rect,
                         const Rgba& background, const Rgba& outline, const Rgba& textColour,
                         std::function<void(const std::string&)> onChange, bool readOnly) {
  TextBox box = MakeTextBox(name, rect, background, outline, textColour);
  box.text = text;
  box.committed = text;
  box.onChange = std::move(onChange);
  box.readOnly = readOnly;
  Building().textBoxes.push_back(std::move(box));
}

void VornGUI::AddKeyBind(Hotkey* target, const std::string& name, const ItemRect& rect, const Rgba& background,
                         const Rgba& outline, const Rgba& textColour) {
  KeyBind bind;
  bind.target = target;
  bind.name = name;
  bind.rect = rect;
  bind.background = background;
  bind.outline = outline;
  bind.textColour = textColour;
  bind.shownKey = target ? HotkeyName(*target) : std::string();
  Building().keyBinds.push_back(std::move(bind));
}

void VornGUI::AddColorPicker(const ItemRect& rect, const Rgba& frame, float r, float g, float b,
                             std::function<void(float, float, float)> callback) {
  ColorPicker picker;
  picker.rect = {rect.x, rect.y, 0, 0, rect.flags};
  picker.frame = frame;
  picker.SetColour(r, g, b);
  picker.callback = std::move(callback);
  Building().colorPickers.push_back(std::move(picker));
}

void VornGUI::AddDropDown(const ItemRect& rect, const std::map<int16_t, std::string>& options,
                          std::function<bool(int)> callback, int16_t initial) {
  DropDown dropDown;
  dropDown.rect = rect;
  dropDown.options = options;
  dropDown.callback = std::move(callback);
  dropDown.selected = initial;
  Building().dropDowns.push_back(std::move(dropDown));
}

void VornGUI::AddTreeView(const std::string& name, const ItemRect& rect, const Rgba& background,
                          const Rgba& outline, TreeContainer* tree, std::function<void(TreeRow*)> rowCallback,
                          bool outlineOn) {
  TreeView view = MakeTreeView(name, rect, tree);
  view.background = background;
  view.outline = outline;
  view.rowCallback = std::move(rowCallback);
  view.outlineOn = outlineOn;
  Building().treeViews.push_back(std::move(view));
}

void VornGUI::AddCheckBox(const std::string& name, const std::string& label, const ItemRect& rect, bool* value) {
  Building().checkBoxes.push_back({name, label, rect, value});
}

void VornGUI::AddSlider(const std::string& name, const ItemRect& rect, float minimum, float maximum, float value,
                        std::function<void(float)> callback, bool releaseOnly) {
  Slider slider;
  slider.name = name;
  slider.rect = rect;
  slider.minimum = minimum;
  slider.maximum = maximum;
  slider.value = value;
  slider.callback = std::move(callback);
  slider.releaseOnly = releaseOnly;
  Building().sliders.push_back(std::move(slider));
}

void VornGUI::AddProgressBar(const std::string& name, float fadeMs, const ItemRect& rect, const Rgba& colour) {
  ProgressBar bar;
  bar.name = name;
  bar.fadeMs = fadeMs;
  bar.rect = rect;
  bar.colour = colour;
  bar.fullWidth = rect.w;
  Building().progressBars.push_back(std::move(bar));
  SetProgress(name, 0);
}
