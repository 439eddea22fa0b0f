#pragma once
// VornGUI: the one GUI object. Like an immediate-mode GUI context it holds all of the GUI's
// state: the menus, the texture map and the fonts, the mouse and key state the input filter
// records, the progress and text maps, the error and message texts, the pending "wait" lists.
// Items act on the recorded input while the GUI pass draws them.
//
// Index (implementation files):
//   life cycle, menus, hit tests, texts and values     vorn_gui.cpp
//   the GUI pass (Render) and the items it draws       gui_render.cpp
//   the command language (ExecCmd, Processcmd)         gui_commands.cpp
//   the input filter (HandleInput, PasteClipboard)     gui_input.cpp
//   the GUI texture list and the missing-name check    gui_texture_list.cpp
//   the builder operations (Begin..., Add..., scripts)   gui_builder.cpp
//
// The logic never calls GL itself: it draws through the GuiPainter given to SetPainter and reads
// time from its clock, so tests run it with a recording painter and a clock of their own.
//
// Threads: the GUI belongs to the main thread. Other threads hand it command lists with
// PostCommands (run on the main thread between frames) and write the progress map under
// progressMutex; everything else is main-thread only.
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/item_rect.h"
#include "core/settings.h"
#include "gui/gui_painter.h"
#include "gui/gui_textures.h"
#include "gui/menu.h"
#include "gui/text_fonts.h"
#include "gui/tree_view.h"

namespace platform {
class MainWindow;
struct Event;
}  // namespace platform

// The jobs the command words queue on the job thread.
enum class CommandJob { ExportMaya, ExportObj, ExportXmodelExport, ViewTags, DumpGdt };

// What the command words reach outside the GUI. The application sets them; a word whose hook is
// not set logs that its facility is not built and does nothing else.
struct CommandHooks {
  std::function<void(CommandJob)> queueJob;  // the job with the export-images flag as set
  std::function<void()> requestQuit;         // "exit_app": ends the main loop; never waits
  std::function<void()> startDownload;       // "download_update"
  std::function<void()> cancelDownload;      // "cancel_download": a running download stops
  std::function<void()> runIwdScan;          // "run_iwd_scan"
  std::function<void()> cancelIwdScan;       // "cancel_iwd_scan"
};

// The seven colours of a list box, in drawing order of its parts.
struct ListBoxColours {
  Rgba background, outline, row, hoveredRow, selectedRow, text, highlightedText;
};

// What one GUI pass needs from the frame.
struct GuiFrame {
  float framesPerSecond = 0.0f;
  // Draws the screen labels queued for this frame (white, point size 20; then clears them).
  std::function<void(GuiPainter&)> drawScreenLabels;
};

class VornGUI {
 public:
  VornGUI();
  ~VornGUI();
  VornGUI(const VornGUI&) = delete;
  VornGUI& operator=(const VornGUI&) = delete;

  // ---- Life cycle -----------------------------------------------------------------------------
  // Stores the main window (for its system cursor) and sets the layout size to 640 x 480.
  void AttachWindow(platform::MainWindow* window);
  // The painter the pass draws through and the wrapping measures with (null: nothing drawn,
  // nothing wrapped). It must outlive its use.
  void SetPainter(GuiPainter* painter) { painter_ = painter; }
  GuiPainter* Painter() const { return painter_; }
  // The clock in milliseconds (default: the program's Timer).
  void SetClock(std::function<float()> clock) { clock_ = std::move(clock); }
  float NowMs() const { return clock_(); }
  // Lays the menus out for windowWidth x windowHeight: a size under 10 in either direction is
  // ignored (the difference is applied in full later); framed windows are only kept on the
  // screen (x <= width - 60, y <= height - 60); every other menu moves its rectangles by their
  // flags. The new size becomes the layout size and the settings' main window size.
  void ItemScale();
  // The GUI pass of one frame (after the 3D scene, before the swap, under the frame mutex).
  void Render(const GuiFrame& frame);
  // Logs the texture count, deletes the textures, the fonts and the menus, drops pending "wait"
  // lists. Safe to call again (the destructor does). GL context current when textures exist.
  void Shutdown();

  // ---- Menus ------------------------------------------------------------------------------------
  // Appends a new menu (drawn above the ones before it) and returns it.
  Menu& AddMenu(const std::string& name);
  // The first menu of that exact name, or null.
  Menu* FindMenu(const std::string& name);
  const std::vector<std::unique_ptr<Menu>>& Menus() const { return menus_; }
  // Shows or hides the first menu of name: nothing while it animates or is already so; else its
  // open or close commands run, its transition starts and its visible flag flips.
  void SetVis(const std::string& name, bool show);
  // SetVis with the opposite of its visible flag, for every menu of name.
  void ToggleMenu(const std::string& name);
  // Every menu of name becomes shown or hidden at once and runs its commands, even when it
  // already was; slide offset and alpha stay.
  void ForceVis(const std::string& name, bool show);
  // Asks the next pass to draw menu index above the other framed windows.
  void BringToFront(int32_t index) { bringToFront = index; }

  // ---- Builder (gui_builder.cpp) ------------------------------------------------------------------
  // The menus are made once, at start-up, by these operations. A begin operation appends a new
  // menu (drawn above the ones before it) with its name, rect, hit rect and visible flag, no
  // visibility mirror, no scripts and no slide offset, and makes it the menu being built; every
  // item operation appends one item to that menu. Durations are given in seconds. The returned
  // menu is the new one (the caller may set its visibility mirror).
  Menu& BeginMenu(const std::string& name, const ItemRect& rect, const ItemRect& hitRect, bool visible);
  Menu& BeginFadeMenu(const std::string& name, const ItemRect& rect, const ItemRect& hitRect, bool visible,
                      float seconds);
  Menu& BeginSlideMenu(const std::string& name, const ItemRect& rect, const ItemRect& hitRect, bool visible,
                       SlideDirection openDirection, SlideDirection closeDirection, float seconds);
  // A framed window that fades: its rect is a copy of *savedPosition and its hit rect a copy of
  // *savedSize, first raised to the window's minimum size (kFramedWindowMinWidth x
  // kFramedWindowMinHeight); moves and resizes are written back to them. It becomes the last
  // framed window.
  Menu& BeginWindow(ItemRect* savedPosition, ItemRect* savedSize, const std::string& name,
                    const std::string& title, bool visible, float seconds);
  // The menu being built gets script as its open commands; when it is visible already, the
  // commands run at once (menus built later do not exist yet for them).
  void SetOpenScript(const std::string& script);
  // The menu being built gets script as its close commands; nothing runs.
  void SetCloseScript(const std::string& script);

  void AddFilledRect(const ItemRect& rect, const Rgba& colour);
  void AddRoundedRect(const ItemRect& rect, const Rgba& colour);
  void AddImage(const ItemRect& rect, const std::string& texture, const Rgba& colour);
  // Labels are placed by x, y and flags only. The text is copied.
  void AddLabel(const ItemRect& rect, const std::string& text, const Rgba& colour);
  // Shows the text-map value of key (SetTextVar).
  void AddValueLabel(const ItemRect& rect, const std::string& key, const Rgba& colour);
  // fontFlag non-zero: the title font (Bookman-Demi); zero: the GUI's font.
  void AddFontLabel(const ItemRect& rect, const std::string& text, const Rgba& colour, uint8_t fontFlag,
                    uint8_t pointSize);
  // A skinned button with a label that runs script (split at ";"); the labels' colours are taken
  // without their alpha (the button's fade gives it). capped: drawn with skin + "_sl"/"_sr" caps.
  void AddTextButton(const ItemRect& rect, const Rgba& labelColour, const Rgba& hoverLabelColour,
                     const std::string& skin, const std::string& hoverSkin, const std::string& label, int16_t labelX,
                     int16_t labelY, const std::string& script, bool capped);
  // The same button calling callback instead of a script.
  void AddTextButton(const ItemRect& rect, const Rgba& labelColour, const Rgba& hoverLabelColour,
                     const std::string& skin, const std::string& hoverSkin, const std::string& label, int16_t labelX,
                     int16_t labelY, std::function<void()> callback, bool capped);
  void AddImageButton(const ItemRect& rect, const std::string& texture, const std::string& hoverTexture,
                      const std::string& script, const Rgba& colour, const Rgba& hoverColour);
  void AddFlatButton(const ItemRect& rect, const std::string& label, int16_t labelX, int16_t labelY,
                     const std::string& script);
  void AddFlatButton(const ItemRect& rect, const std::string& label, int16_t labelX, int16_t labelY,
                     std::function<void()> callback);
  // A list of the names source shows: h / 14 visible rows, the scroll knob at the top, nothing
  // selected, hovered or in a context menu. rowCallback receives the full name of a clicked row.
  void AddListBox(const std::string& name, const ItemRect& rect, ListSource* source,
                  std::function<void(const std::string&)> rowCallback, const ListBoxColours& colours);
  // A read-only list of the lines that lines copies out (BoundList); follow: it jumps to new
  // lines. Starts at its first line with h / 15 visible rows until its first frame lays it out.
  void AddBoundList(const std::string& name, const ItemRect& rect, const Rgba& background, const Rgba& textColour,
                    std::function<size_t(size_t, size_t, std::vector<std::string>&)> lines, bool follow);
  // The filter form: shows placeholder until typed into, reports its text to filter while typing.
  void AddTextBox(const std::string& name, const std::string& placeholder, const ItemRect& rect,
                  const Rgba& background, const Rgba& outline, const Rgba& textColour,
                  std::function<void(const std::string&)> filter);
  // The value form: starts with text and reports a changed text to onChange when editing ends;
  // a read-only box takes text only from SetText.
  void AddTextBox(const std::string& name, const std::string& text, const ItemRect& rect, const Rgba& background,
                  const Rgba& outline, const Rgba& textColour, std::function<void(const std::string&)> onChange,
                  bool readOnly);
  // Shows the name of *target as it is now; a click captures the next key into it.
  void AddKeyBind(Hotkey* target, const std::string& name, const ItemRect& rect, const Rgba& background,
                  const Rgba& outline, const Rgba& textColour);
  // A colour picker at rect's x and y, starting at (r, g, b) with its markers on that colour.
  void AddColorPicker(const ItemRect& rect, const Rgba& frame, float r, float g, float b,
                      std::function<void(float, float, float)> callback);
  // Options are shown in key order; an initial index that is no option shows no option.
  void AddDropDown(const ItemRect& rect, const std::map<int16_t, std::string>& options,
                   std::function<bool(int)> callback, int16_t initial);
  void AddTreeView(const std::string& name, const ItemRect& rect, const Rgba& background, const Rgba& outline,
                   TreeContainer* tree, std::function<void(TreeRow*)> rowCallback, bool outlineOn);
  void AddCheckBox(const std::string& name, const std::string& label, const ItemRect& rect, bool* value);
  void AddSlider(const std::string& name, const ItemRect& rect, float minimum, float maximum, float value,
                 std::function<void(float)> callback, bool releaseOnly);
  // A progress bar of name, full at rect.w; the name's progress value starts at 0.
  void AddProgressBar(const std::string& name, float fadeMs, const ItemRect& rect, const Rgba& colour);
  // Where the error and message texts are drawn (x, y) and wrapped (w); follows resizes by flags.
  void SetMessageLayout(const ItemRect& layout) { messageLayout = layout; }
  // The menu being built (null before the first begin operation).
  Menu* BuildingMenu() const { return building_; }

  // ---- Hit tests (rectangles relative to the current menu) ----------------------------------------
  // The mouse lies over rect, no later menu covers it there, and a held button was pressed
  // inside rect too. True marks the mouse as over the GUI.
  bool MouseOverRect(const ItemRect& rect);
  // The last press lies inside rect and no later menu covers it. True marks the mouse as over
  // the GUI.
  bool MouseInRect(const ItemRect& rect);
  // A visible menu after index covers the absolute rectangle area (a dragged window covers all).
  bool IsCoveredByUpperMenu(int32_t index, const ItemRect& area) const;

  // ---- Texts and values -------------------------------------------------------------------------
  void SetTextVar(const std::string& key, const std::string& value) { textMap[key] = value; }
  // The first text box of name gets text; warning "Failed To Set '<name>' text" when none.
  void SetText(const std::string& name, const std::string& text);
  // The first list box of name scrolls back to its top; nothing when there is none.
  void ResetListbox(const std::string& name);
  // Progress values by name (a bar's filled width in pixels), under progressMutex. Any thread.
  void SetProgress(const std::string& name, int value);
  int Progress(const std::string& name);
  // Wraps text, stores it as the error (message) text, shows "error_menu" ("msg_box_menu") and
  // plays "error_msg" ("msg_box") on the second sound channel.
  void ShowError(const std::string& text);
  void ShowMessage(const std::string& text);
  // text with line breaks so no line is wider than the message layout's width, measured in
  // Helvetica-Bold 10 points (the caller's text style is kept): each break goes at the last blank
  // that fits, or inside a word longer than the width. Lines already short enough stay.
  std::string WrapText(const std::string& text);

  // ---- Commands (gui_commands.cpp) ----------------------------------------------------------------
  // Splits script at ";" and runs it. Main thread.
  void ExecCmd(const std::string& script);
  // Runs the commands in order. "wait <ms>" keeps the rest for RunDueCommands. Main thread.
  void Processcmd(std::vector<std::string> commands);
  // Hands a script from any thread to the main thread, where it runs between frames. Dropped
  // (false) while the main thread does not serve its queue (shutdown).
  bool PostCommands(const std::string& script);
  // Runs the "wait" lists whose time has come, earliest first. Main thread, between frames.
  void RunDueCommands();
  // Lists waiting for their time.
  size_t PendingWaits() const { return delayed_.size(); }
  // "save settings": writes the settings to settingsPath; a failed write shows the error box.
  void SaveSettings();
  // Counts an export and now and then opens "donate_menu".
  void DonateReminder();

  // ---- Input (gui_input.cpp) ----------------------------------------------------------------------
  // Records what the GUI needs of a window event and edits the text being typed. True when the
  // event is consumed and the window procedure must not handle it further. Main thread.
  bool HandleInput(const platform::Event& event);
  // The clipboard's text, at most its first 45 characters (logged). Empty on failure.
  std::string PasteClipboard();

  // ---- Tree views (tree_view.cpp) -----------------------------------------------------------------
  // One frame of a tree view of menu (the GUI pass calls it, with the menu's offset pushed).
  void DrawTreeView(Menu& menu, TreeView& view, float alpha);
  // Context action 0 "Copy Text", 1 "Copy IWI Name", 2 "Export To DDS", 3 "Export To TGA" on
  // the view's menu row, when the left button was pressed inside entry; closes the context menu.
  void RunTreeViewAction(TreeView& view, int32_t action, const ItemRect& entry);

  // ---- Textures (gui_texture_list.cpp) ------------------------------------------------------------
  // Loads each texture of the list file (lines "<name> <file>", files in folder) with LoadDSS;
  // a file that fails only logs. Returns how many loaded.
  int LoadGUITextures(const std::string& listPath, const std::string& folder);
  // Every texture name that buttons and images use but the map lacks is reported once and
  // replaced by "default".
  void CheckMaterials();
  // Logs "Missing Material: <name>" once per name.
  void ReportMissingMaterial(const std::string& name);

  // ---- State --------------------------------------------------------------------------------------
  // Mouse and keys, recorded by HandleInput.
  float mouseX = 0.0f, mouseY = 0.0f;
  bool mouseInside = false;
  bool leaveTracking = false;
  bool systemCursorShown = true;
  int32_t pressX = 0, pressY = 0;
  int32_t wheelNotches = 0;
  int32_t upDownKey = 0;
  bool leftDown = false, rightDown = false;
  float leftPressTime = 0.0f, rightPressTime = 0.0f;
  // Text entry: a text box edits editedText at caret, or a key bind captures into captureTarget.
  bool textEntryActive = false;
  std::string* editedText = nullptr;
  int32_t caret = 0;
  Hotkey* captureTarget = nullptr;
  // Set by the input filter while a text box edits: Control+V asks it to paste, Enter to end
  // editing. The text box clears them; a text box that starts editing drops stale ones.
  bool pasteRequested = false;
  bool commitRequested = false;

  std::mutex progressMutex;        // guards the progress map
  int16_t currentMenu = 0;          // the menu whose items are being drawn
  GuiTextures textures;             // the TextureMap
  TextFonts fonts;                  // the two fonts and the text colour
  std::map<std::string, std::string> textMap;
  int32_t bringToFront = -1;
  int32_t lastFramedIndex = -1;
  int32_t layoutWidth = 640, layoutHeight = 480;
  int32_t windowWidth = 640, windowHeight = 480;  // stored by the resize handler
  ItemRect messageLayout;           // where error and message texts go; w = wrap width
  std::string errorText, messageText;
  bool showError = false, showMessage = false;
  std::string tooltip;
  bool mouseOverGui = false;
  std::vector<std::string> missingTextures;

  VornSettings* settings = &gSettings;       // the settings the commands change
  std::string settingsPath = "settings.xml";  // saved by "save settings", deleted on reset
  CommandHooks hooks;
  TreeViewHooks treeHooks;
  // Plays a sound by name on channel 1 or 2 ("menu_focus", "menu_accept", "error_msg", ...).
  std::function<void(const std::string& sound, int channel)> playSound;
  // Reads the clipboard (default: the desktop's).
  std::function<std::string()> readClipboard;
  // rand() for the donation reminder.
  std::function<int()> random;

 private:
  struct DelayedList {
    float dueMs;
    std::vector<std::string> commands;
  };

  // Runs commands of menu (open or close) unless they are running already.
  void RunMenuCommands(Menu& menu, bool show);
  void StartTransition(Menu& menu);
  void SetVisible(Menu& menu, bool show);
  void ApplyBringToFront();
  ItemRect Absolute(const ItemRect& rect) const;
  void PlaySound(const char* name, int channel);
  // One command word with its value.
  void RunCommand(const std::string& word, const std::string& value);
  // Runs hook, or logs that the facility of word is not built.
  void CallHook(const std::function<void()>& hook, const std::string& word);
  void QueueJob(CommandJob job, const std::string& word);
  void QueueExport(CommandJob job, const std::string& word);

  // The pass's pieces (gui_render.cpp).
  void DrawMenu(Menu& menu);
  void DrawTextButton(Menu& menu, TextButton& button, float alpha);
  // The item kinds (buttons.cpp, check_box.cpp, slider.cpp, progress_bar.cpp, color_picker.cpp,
  // drop_down.cpp, key_bind.cpp). ButtonPressed: the buttons' hover and press protocol; true
  // when the press acts.
  bool ButtonPressed(const Menu& menu, bool& hover, const ItemRect& rect);
  void DrawImageButton(Menu& menu, ImageButton& button, float alpha);
  void DrawFlatButton(Menu& menu, FlatButton& button, float alpha);
  void DrawCheckBox(CheckBox& box, float alpha);
  void DrawSlider(Slider& slider, float alpha);
  void DrawProgressBar(ProgressBar& bar, float alpha);
  void DrawColorPicker(ColorPicker& picker, float alpha);
  void DrawDropDown(DropDown& dropDown, float alpha);
  void DrawKeyBind(KeyBind& bind, float alpha);
  // The background and outline of a field that takes typing (text box, key bind), with its hover
  // and outline fade (field_outline.cpp); busy: it is editing or capturing.
  void DrawField(const ItemRect& r, const Rgba& background, const Rgba& outline, bool& hover, FieldFade& fade,
                 bool busy, float alpha);
  void DrawLabels(Menu& menu, float alpha);
  // The list box (list_box.cpp).
  void DrawListBox(ListBox& list, float alpha);
  void ListBoxWheel(ListBox& list, size_t count);
  void ListBoxArrowKey(ListBox& list, std::vector<std::string>& names);
  void ListBoxRows(ListBox& list, std::vector<std::string>& names, int32_t drawn, bool hover);
  void ListBoxRowClick(ListBox& list, std::vector<std::string>& names, const ItemRect& row);
  void ListBoxScrollBar(ListBox& list);
  void ListBoxContextMenu(ListBox& list, std::vector<std::string>& names, float alpha);
  void ShortenListNames(ListBox& list, std::vector<std::string>& names);
  // The bound list (bound_list.cpp).
  void DrawBoundList(Menu& menu, BoundList& list, float alpha);
  void BoundListLines(BoundList& list, float alpha);
  void BoundListScrollBar(Menu& menu, BoundList& list, float alpha);
  void BoundListInput(Menu& menu, BoundList& list, const ItemRect& knob);
  // Framed windows (menu_frame.cpp).
  void DrawMenuFrame(Menu& menu);
  void MenuFrameInput(Menu& menu);
  void DrawResizeDots(Menu& menu);
  // The text box (text_box.cpp).
  void DrawTextBox(TextBox& box, float alpha);
  void TextBoxEditing(TextBox& box);
  void TextBoxCaret(TextBox& box, const std::string& shown, size_t dropped, float alpha);
  void TextBoxContextMenu(TextBox& box, float alpha);
  void TextBoxPaste(TextBox& box);
  void TextBoxReport(TextBox& box);
  void DrawTooltip();
  void DrawMessages();
  void DrawOverlay(float framesPerSecond);
  void DrawCursor();
  // The tree view's pieces (tree_view.cpp).
  void TrackTreeHover(Menu& menu, TreeView& view);
  void DrawTreeRows(TreeView& view, int32_t rowsToDraw, int32_t reacting, bool overItem, float alpha);
  void DrawConnector(const TreeContainer& tree, const TreeNode& node, int32_t rowX, int32_t top, int32_t clipTop,
                     float alpha);
  void DrawTreeBars(Menu& menu, TreeView& view, int32_t rows, int32_t rowsToDraw, float alpha);
  void DrawTreeBar(const TreeScrollBar& bar, bool vertical, float alpha);
  void TreeBarInput(Menu& menu, TreeScrollBar& bar, bool vertical);
  void DrawTreeMenu(Menu& menu, TreeView& view, float alpha);
  // Puts text on the clipboard (treeHooks.setClipboard, else the desktop's), logs the notice
  // "Copied text to clipboard: " + text or "Failed to open clipboard." literally and shows it.
  void CopyToClipboard(const std::string& text);

  // Appends menu to the list as the menu being built (the begin operations' common end).
  Menu& CommitMenu(std::unique_ptr<Menu> menu, const std::string& name, const ItemRect& rect,
                   const ItemRect& hitRect, bool visible);
  // The menu being built; an item operation before any begin operation starts an unnamed menu.
  Menu& Building();

  std::vector<std::unique_ptr<Menu>> menus_;
  Menu* building_ = nullptr;
  std::map<std::string, int> progressMap_;  // under progressMutex
  std::vector<DelayedList> delayed_;
  GuiPainter* painter_ = nullptr;
  std::function<float()> clock_;
  platform::MainWindow* window_ = nullptr;
  uint32_t keyModifiers_ = 0;  // Shift and Control as the last key event had them
  uint64_t passCount_ = 0;
};
