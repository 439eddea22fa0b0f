#pragma once
// A GuiPainter for logic tests: records every call instead of drawing, with fixed text metrics
// (every character is half the point size wide), and a GUI fixture around it with a clock the
// test sets.
#include <string>
#include <vector>

#include "core/settings.h"
#include "gui/gui_painter.h"
#include "gui/vorn_gui.h"

struct PaintCall {
  std::string op;  // "quad", "textured", "lines", "text", "blend", "coloured", "colour", "bind", ...
  ItemRect rect;
  Rgba colour;
  std::string text;
  uint32_t texture = 0;
  TextStyle style;
  float x = 0, y = 0;  // offset of the call's origin
};

class RecordingPainter : public GuiPainter {
 public:
  void Begin2D(int32_t w, int32_t h) override { Add("begin2d").rect = {0, 0, w, h}; }
  void End2D() override { Add("end2d"); }
  void PushOffset(float x, float y) override {
    offsets_.push_back({x, y});
    ox_ += x, oy_ += y;
    Add("push");
  }
  void PopOffset() override {
    ox_ -= offsets_.back().x, oy_ -= offsets_.back().y;
    offsets_.pop_back();
    Add("pop");
  }
  void SetColour(const Rgba& c) override {
    colour_ = c;
    Add("colour");
  }
  void SetBlending(bool on) override { Add(on ? "blend_on" : "blend_off"); }
  void SetTexturing(bool on) override { Add(on ? "texturing_on" : "texturing_off"); }
  void BindTexture(uint32_t texture) override {
    texture_ = texture;
    Add("bind").texture = texture;
  }
  void Quad(const ItemRect& r) override { Add("quad").rect = r; }
  void QuadColours(const ItemRect& r, const Rgba*) override { Add("quad_colours").rect = r; }
  void TexturedQuad(const ItemRect& r, const QuadTexCoords&) override {
    PaintCall& call = Add("textured");
    call.rect = r;
    call.texture = texture_;
  }
  void Lines(const GuiPoint* points, size_t count, LineMode) override {
    PaintCall& call = Add("lines");
    call.rect.w = static_cast<int32_t>(count);
    if (count) call.x = points[0].x + ox_, call.y = points[0].y + oy_;
  }
  void SetTextStyle(const TextStyle& style) override { style_ = style; }
  TextStyle CurrentTextStyle() const override { return style_; }
  void PrintText(int32_t x, int32_t y, const std::string& text) override { AddText("text", x, y, text); }
  void PrintTextBlend(int32_t x, int32_t y, const std::string& text) override { AddText("blend", x, y, text); }
  void PrintTextColoured(int32_t x, int32_t y, const std::string& text) override { AddText("coloured", x, y, text); }
  float TextWidth(const std::string& text) override { return static_cast<float>(text.size()) * style_.pointSize / 2; }
  void ClipTo(const ItemRect& r) override { Add("clip").rect = r; }
  void ClearClip() override { Add("unclip"); }

  // Calls of op, in order.
  std::vector<PaintCall> Of(const std::string& op) const {
    std::vector<PaintCall> found;
    for (const PaintCall& call : calls) {
      if (call.op == op) found.push_back(call);
    }
    return found;
  }
  // The texts drawn (any text output), in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> texts;
    for (const PaintCall& call : calls) {
      if (call.op == "text" || call.op == "blend" || call.op == "coloured") texts.push_back(call.text);
    }
    return texts;
  }
  // The first text call drawing text, or null.
  const PaintCall* FindText(const std::string& text) const {
    for (const PaintCall& call : calls) {
      if ((call.op == "text" || call.op == "blend") && call.text == text) return &call;
    }
    return nullptr;
  }

  std::vector<PaintCall> calls;

 private:
  PaintCall& Add(const char* op) {
    calls.push_back(PaintCall{op, {}, colour_, {}, 0, style_, ox_, oy_});
    return calls.back();
  }
  void AddText(const char* op, int32_t x, int32_t y, const std::string& text) {
    PaintCall& call = Add(op);
    call.rect = {x, y, 0, 0};
    call.text = text;
  }

  std::vector<GuiPoint> offsets_;
  float ox_ = 0, oy_ = 0;
  Rgba colour_;
  uint32_t texture_ = 0;
  TextStyle style_;
};

// A GUI with the recording painter, a clock at nowMs, its own settings and sound log.
struct GuiFixture {
  GuiFixture() {
    gui.SetPainter(&painter);
    gui.SetClock([this] { return nowMs; });
    gui.settings = &settings;
    gui.playSound = [this](const std::string& name, int channel) {
      sounds.push_back(name + "@" + std::to_string(channel));
    };
  }
  ~GuiFixture() { gui.SetPainter(nullptr); }

  // A menu with a transition of duration ms.
  Menu& AddMenu(const std::string& name, MenuTransition transition = TRANSITION_NONE, float durationMs = 0) {
    Menu& menu = gui.AddMenu(name);
    menu.transition = transition;
    menu.durationMs = durationMs;
    return menu;
  }
  // One GUI pass with a fresh recording.
  void Frame() {
    painter.calls.clear();
    gui.Render(GuiFrame{});
  }

  RecordingPainter painter;
  VornSettings settings;
  VornGUI gui;
  float nowMs = 1000.0f;
  std::vector<std::string> sounds;
};
