// The GUI object's life cycle, menus, hit tests, texts and values.
#include "gui/vorn_gui.h"

#include <algorithm>
#include <cstdlib>
#include <string_view>
#include <utility>

#include "core/log.h"
#include "core/timer.h"
#include "gui/item_layout.h"
#include "platform/clipboard.h"
#include "platform/window.h"

VornGUI::VornGUI()
    : readClipboard(platform::GetClipboardText),
      random([] { return std::rand(); }), clock_(Timer::ElapsedMs) {}

VornGUI::~VornGUI() { Shutdown(); }

void VornGUI::AttachWindow(platform::MainWindow* window) {
  window_ = window;
  layoutWidth = 640;
  layoutHeight = 480;
}

void VornGUI::ItemScale() {
  if (windowWidth < 10 || windowHeight < 10) return;
  const float dw = static_cast<float>(windowWidth - layoutWidth);
  const float dh = static_cast<float>(windowHeight - layoutHeight);
  VornLog::Printf("\nVornGUI::ItemScale: Ajusting for new window size");
  const float started = Timer::ElapsedMs();
  for (const auto& menu : menus_) {
    if (menu->framed) {
      if (menu->rect.x > windowWidth - 60) menu->rect.x = windowWidth - 60;
      if (menu->rect.y > windowHeight - 60) menu->rect.y = windowHeight - 60;
      continue;
    }
    AdjustRect(menu->rect, dw, dh);
    AdjustRect(menu->hitRect, dw, dh);
    menu->ItemScale(dw, dh);
  }
  AdjustRect(messageLayout, dw, dh);
  layoutWidth = windowWidth;
  layoutHeight = windowHeight;
  if (settings) {
    settings->main_window.w = windowWidth;
    settings->main_window.h = windowHeight;
  }
  VornLog::Printf("VornGUI::ItemScale: Done width: %i height: %i (%fms)", layoutWidth, layoutHeight,
                  static_cast<double>(Timer::ElapsedMs() - started));
}

void VornGUI::Shutdown() {
  if (!textures.Map().empty()) {
    VornLog::Printf("VornGUI Deleteing (%i) materials", static_cast<int>(textures.Map().size()));
    textures.DeleteAll();
  }
  fonts.Shutdown();
  menus_.clear();
  delayed_.clear();
  if (window_ || painter_) VornLog::Printf("VornGUI Shutdown");
  window_ = nullptr;
  painter_ = nullptr;
}

// ---- Menus --------------------------------------------------------------------------------------

Menu& VornGUI::AddMenu(const std::string& name) {
  menus_.push_back(std::make_unique<Menu>());
  menus_.back()->name = name;
  return *menus_.back();
}

Menu* VornGUI::FindMenu(const std::string& name) {
  for (const auto& menu : menus_) {
    if (menu->name == name) return menu.get();
  }
  return nullptr;
}

void VornGUI::RunMenuCommands(Menu& menu, bool show) {
  // A script that shows or hides its own menu again would recurse without end: while a menu's
  // commands run, its own visibility is left alone.
  menu.runningCommands = true;
  Processcmd(show ? menu.openCommands : menu.closeCommands);
  menu.runningCommands = false;
}

void VornGUI::StartTransition(Menu& menu) {
  if (menu.transition == TRANSITION_NONE) return;
  menu.startMs = NowMs();
  menu.opening = !menu.visible;
  menu.animating = true;
  if (menu.transition == TRANSITION_SLIDE && menu.opening) {
    menu.slideX = menu.slideY = 0.0f;
    menu.SetSlide(menu.openDirection, 1.0f, layoutWidth, layoutHeight);
  } else if (menu.transition == TRANSITION_FADE) {
    menu.alpha = menu.opening ? 0.0f : 1.0f;
  }
}

void VornGUI::SetVisible(Menu& menu, bool show) {
  menu.visible = show;
  if (menu.visibilityMirror) *menu.visibilityMirror = show;
}

void VornGUI::SetVis(const std::string& name, bool show) {
  Menu* menu = FindMenu(name);
  if (!menu || menu->runningCommands || menu->animating || menu->visible == show) return;
  RunMenuCommands(*menu, show);
  StartTransition(*menu);
  SetVisible(*menu, !menu->visible);
}

void VornGUI::ToggleMenu(const std::string& name) {
  for (size_t i = 0; i < menus_.size(); ++i) {
    // SetVis addresses the first menu of the name, as the command does.
    if (menus_[i]->name == name) SetVis(name, !menus_[i]->visible);
  }
}

void VornGUI::ForceVis(const std::string& name, bool show) {
  for (size_t i = 0; i < menus_.size(); ++i) {
    Menu& menu = *menus_[i];
    if (menu.name != name || menu.runningCommands) continue;
    menu.animating = false;
    SetVisible(menu, show);
    RunMenuCommands(menu, show);
  }
}

void VornGUI::ApplyBringToFront() {
  int32_t p = bringToFront;
  bringToFront = -1;
  if (p < 0 || p >= static_cast<int32_t>(menus_.size())) return;
  const int32_t last = std::min(lastFramedIndex, static_cast<int32_t>(menus_.size()) - 1);
  for (int32_t j = p + 1; j <= last; ++j) {
    if (!menus_[j]->framed) continue;
    std::swap(menus_[p], menus_[j]);
    p = j;
  }
}

// ---- Hit tests ----------------------------------------------------------------------------------

ItemRect VornGUI::Absolute(const ItemRect& rect) const {
  ItemRect area = rect;
  if (currentMenu >= 0 && currentMenu < static_cast<int32_t>(menus_.size())) {
    const ItemRect& m = menus_[currentMenu]->rect;
    area.x += m.x;
    area.y += m.y;
    area.w += m.w;
    area.h += m.h;
  }
  return area;
}

bool VornGUI::MouseOverRect(const ItemRect& rect) {
  const ItemRect mouse{static_cast<int32_t>(mouseX), static_cast<int32_t>(mouseY), 1, 1};
  if (IsCoveredByUpperMenu(currentMenu, mouse)) return false;
  const ItemRect a = Absolute(rect);
  const float left = static_cast<float>(a.x), top = static_cast<float>(a.y);
  if (!(left <= mouseX && mouseX < left + static_cast<float>(a.w) && top <= mouseY &&
        mouseY < top + static_cast<float>(a.h)))
    return false;
  // While a button is held, only the item it was pressed on hovers.
  if ((leftDown || rightDown) &&
      !(a.x <= pressX && pressX <= a.x + a.w && a.y <= pressY && pressY <= a.y + a.h))
    return false;
  mouseOverGui = true;
  return true;
}

bool VornGUI::MouseInRect(const ItemRect& rect) {
  if (IsCoveredByUpperMenu(currentMenu, ItemRect{pressX, pressY, 1, 1})) return false;
  const ItemRect a = Absolute(rect);
  if (!(a.x <= pressX && pressX < a.x + a.w && a.y <= pressY && pressY < a.y + a.h)) return false;
  mouseOverGui = true;
  return true;
}

bool VornGUI::IsCoveredByUpperMenu(int32_t index, const ItemRect& q) const {
  for (size_t j = static_cast<size_t>(std::max(index + 1, 0)); j < menus_.size(); ++j) {
    const Menu& m = *menus_[j];
    if (!m.visible) continue;
    if (m.dragState > 0) return true;
    const int32_t left = m.rect.x + m.hitRect.x, top = m.rect.y + m.hitRect.y;
    const int32_t right = left + m.hitRect.w + m.rect.w, bottom = top + m.hitRect.h + m.rect.h;
    if (q.x <= right && q.x + q.w >= left && q.y <= bottom && q.y + q.h >= top) return true;
  }
  return false;
}

// ---- Texts and values ---------------------------------------------------------------------------

void VornGUI::SetText(const std::string& name, const std::string& text) {
  for (const auto& menu : menus_) {
    for (TextBox& box : menu->textBoxes) {
      if (box.name == name) {
        box.text = text;
        return;
      }
    }
  }
  VornLog::Warningf("Failed To Set '%s' text", name.c_str());
}

void VornGUI::ResetListbox(const std::string& name) {
  for (const auto& menu : menus_) {
    for (ListBox& list : menu->listBoxes) {
      if (list.name == name) {
        list.scrollPosition = static_cast<float>(list.rect.y + 5);
        return;
      }
    }
  }
}

void VornGUI::SetProgress(const std::string& name, int value) {
  std::lock_guard<std::mutex> lock(progressMutex);
  progressMap_[name] = value;
}

int VornGUI::Progress(const std::string& name) {
  std::lock_guard<std::mutex> lock(progressMutex);
  return progressMap_[name];
}

void VornGUI::PlaySound(const char* name, int channel) {
  if (playSound) playSound(name, channel);
}

void VornGUI::ShowError(const std::string& text) {
  errorText = WrapText(text);
  SetVis("error_menu", true);
  PlaySound("error_msg", 2);
}

void VornGUI::ShowMessage(const std::string& text) {
  messageText = WrapText(text);
  SetVis("msg_box_menu", true);
  PlaySound("msg_box", 2);
}

namespace {

// The longest prefix of line (at least one character) not wider than width.
size_t FittingLength(GuiPainter& painter, std::string_view line, float width) {
  size_t fits = 1;
  // Widths grow with the length, so the longest fitting prefix is found by halving.
  size_t low = 1, high = line.size();
  while (low <= high) {
    const size_t mid = (low + high) / 2;
    if (painter.TextWidth(std::string(line.substr(0, mid))) <= width) {
      fits = mid;
      low = mid + 1;
    } else {
      high = mid - 1;
    }
  }
  return fits;
}

// Appends line to out, broken so that each piece fits width.
void WrapLine(GuiPainter& painter, std::string_view line, float width, std::string& out) {
  while (!line.empty() && painter.TextWidth(std::string(line)) > width) {
    const size_t fits = FittingLength(painter, line, width);
    // Break at the last blank inside the fitting part (the blank itself is dropped), else
    // inside the word.
    size_t end = fits, next = fits;
    const size_t blank = line.substr(0, fits + 1).find_last_of(' ');
    if (blank != std::string_view::npos && blank > 0) end = blank, next = blank + 1;
    while (end > 1 && line[end - 1] == ' ') --end;
    out.append(line.substr(0, end));
    out += '\n';
    line.remove_prefix(next);
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
  }
  out.append(line);
}

}  // namespace

std::string VornGUI::WrapText(const std::string& text) {
  if (!painter_) return text;
  const TextStyle callerStyle = painter_->CurrentTextStyle();
  painter_->SetTextStyle(TextStyle{GuiFont::HelveticaBold, 10.0f, 0.0f, 0.1f});
  const float width = static_cast<float>(messageLayout.w);
  std::string out;
  size_t start = 0;
  for (;;) {
    const size_t end = text.find('\n', start);
    WrapLine(*painter_, std::string_view(text).substr(start, end - start), width, out);
    if (end == std::string::npos) break;
    out += '\n';
    start = end + 1;
  }
  painter_->SetTextStyle(callerStyle);
  return out;
}
