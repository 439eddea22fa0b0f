// The tray icon as a GtkStatusIcon (XEmbed system tray) on the desktop thread. GtkStatusIcon
// follows the tray protocol's manager announcements, so the icon docks again in a tray host that
// starts after the old one went away.
// The program's headers come first: X11's macros (None, ...) would break their names.
#include "platform/desktop_thread.h"
#include "platform/events.h"
#include "platform/text_utf8.h"
#include "platform/tray.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <atomic>
#include <chrono>
#include <thread>

// GtkStatusIcon is deprecated in favour of desktop-specific services, but it is the one
// implementation of the XEmbed tray that GTK 3 has, and it stays for all of GTK 3.
G_GNUC_BEGIN_IGNORE_DEPRECATIONS

namespace platform {

namespace {

// Desktop thread only, except the atomics.
struct Tray {
  GtkStatusIcon* icon = nullptr;
  GtkWidget* menu = nullptr;
  int doubleClickCommand = 0;
  std::atomic<bool> docked{false};
  std::atomic<uint64_t> window{0};
};

Tray& State() {
  static Tray* tray = new Tray;  // never destroyed: the desktop thread may outlive static objects
  return *tray;
}

void PostCommand(int command) {
  Event event;
  event.type = EventType::Command;
  event.command = command;
  PostEvent(event);
}

// A tray host runs on the screen: some client owns the tray selection of screen 0.
bool TrayHostRunning() {
  GdkDisplay* display = gdk_display_get_default();
  if (!display || !GDK_IS_X11_DISPLAY(display)) return false;
  Display* x = GDK_DISPLAY_XDISPLAY(display);
  const Atom selection = XInternAtom(x, "_NET_SYSTEM_TRAY_S0", False);
  return XGetSelectionOwner(x, selection) != None;
}

void OnMenuEntry(GtkMenuItem*, gpointer command) { PostCommand(GPOINTER_TO_INT(command)); }

GtkWidget* BuildMenu(const std::vector<TrayMenuEntry>& entries) {
  GtkWidget* menu = gtk_menu_new();
  for (const TrayMenuEntry& entry : entries) {
    GtkWidget* item = gtk_menu_item_new_with_label(DesktopTextFrom8Bit(entry.label).c_str());
    if (entry.isDefault) {
      GtkWidget* label = gtk_bin_get_child(GTK_BIN(item));
      char* markup = g_markup_printf_escaped("<b>%s</b>", DesktopTextFrom8Bit(entry.label).c_str());
      gtk_label_set_markup(GTK_LABEL(label), markup);
      g_free(markup);
    }
    if (!entry.submenu.empty()) {
      gtk_menu_item_set_submenu(GTK_MENU_ITEM(item), BuildMenu(entry.submenu));
    } else {
      g_signal_connect(item, "activate", G_CALLBACK(OnMenuEntry), GINT_TO_POINTER(entry.command));
    }
    gtk_menu_shell_append(GTK_MENU_SHELL(menu), item);
  }
  gtk_widget_show_all(menu);
  return menu;
}

void OnPopupMenu(GtkStatusIcon*, guint, guint, gpointer) {
  Tray& t = State();
  if (!t.menu) return;
  // At the pointer, for the click that asked for it; a click elsewhere closes the menu.
  GdkEvent* trigger = gtk_get_current_event();
  gtk_menu_popup_at_pointer(GTK_MENU(t.menu), trigger);
  if (trigger) gdk_event_free(trigger);
}

gboolean OnButtonPress(GtkStatusIcon*, GdkEventButton* event, gpointer) {
  Tray& t = State();
  if (event->type == GDK_2BUTTON_PRESS && event->button == 1 && t.doubleClickCommand != 0) {
    PostCommand(t.doubleClickCommand);
    return TRUE;
  }
  return FALSE;
}

void NoteEmbedding(GtkStatusIcon* icon) {
  Tray& t = State();
  const bool embedded = gtk_status_icon_is_embedded(icon);
  t.docked.store(embedded);
  t.window.store(embedded ? gtk_status_icon_get_x11_window_id(icon) : 0);
}

void OnEmbeddedChanged(GObject* icon, GParamSpec*, gpointer) { NoteEmbedding(GTK_STATUS_ICON(icon)); }

void DestroyIcon() {
  Tray& t = State();
  if (t.icon) {
    gtk_status_icon_set_visible(t.icon, FALSE);
    g_object_unref(t.icon);
    t.icon = nullptr;
  }
  if (t.menu) {
    gtk_widget_destroy(t.menu);
    g_object_unref(t.menu);
    t.menu = nullptr;
  }
  t.docked.store(false);
  t.window.store(0);
}

// Desktop thread: replaces the icon; false when no tray host runs.
bool AddIcon(const TrayIconOptions& options) {
  DestroyIcon();
  if (!TrayHostRunning()) return false;
  Tray& t = State();
  GdkPixbuf* pixels = nullptr;
  if (options.iconWidth > 0 && options.iconHeight > 0 &&
      options.iconRgba.size() == static_cast<size_t>(options.iconWidth) * options.iconHeight * 4) {
    GBytes* bytes = g_bytes_new(options.iconRgba.data(), options.iconRgba.size());
    pixels = gdk_pixbuf_new_from_bytes(bytes, GDK_COLORSPACE_RGB, TRUE, 8, options.iconWidth, options.iconHeight,
                                       options.iconWidth * 4);
    g_bytes_unref(bytes);
  }
  t.icon = pixels ? gtk_status_icon_new_from_pixbuf(pixels) : gtk_status_icon_new_from_icon_name("image-missing");
  if (pixels) g_object_unref(pixels);
  gtk_status_icon_set_tooltip_text(t.icon, DesktopTextFrom8Bit(options.tooltip).c_str());
  t.menu = BuildMenu(options.menu);
  g_object_ref_sink(t.menu);
  t.doubleClickCommand = options.doubleClickCommand;
  g_signal_connect(t.icon, "popup-menu", G_CALLBACK(OnPopupMenu), nullptr);
  g_signal_connect(t.icon, "button-press-event", G_CALLBACK(OnButtonPress), nullptr);
  g_signal_connect(t.icon, "notify::embedded", G_CALLBACK(OnEmbeddedChanged), nullptr);
  gtk_status_icon_set_visible(t.icon, TRUE);
  NoteEmbedding(t.icon);
  return true;
}

}  // namespace

bool CreateTrayIcon(const TrayIconOptions& options, int waitMs) {
  if (!StartDesktopThread()) return false;
  bool added = false;
  RunOnDesktopThread([&] { added = AddIcon(options); });
  if (!added) return false;
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  while (!TrayIconDocked() && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  if (TrayIconDocked()) return true;
  RunOnDesktopThread(DestroyIcon);
  return false;
}

bool RemoveTrayIcon() {
  RunOnDesktopThread(DestroyIcon);  // nothing to do when the thread does not run
  return !TrayIconDocked();
}

bool TrayIconDocked() { return State().docked.load(); }

uint64_t TrayIconWindow() { return State().window.load(); }

}  // namespace platform

G_GNUC_END_IGNORE_DEPRECATIONS
