// The folder chooser: a GTK folder dialog on the desktop thread, which the calling thread waits
// for; and the folder checks that go with it.
#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <memory>
#include <mutex>

#include "platform/desktop_thread.h"
#include "platform/files.h"
#include "platform/folder_picker.h"
#include "platform/folder_reader.h"
#include "platform/text_utf8.h"

namespace platform {

namespace {

// One chooser's answer, handed from the desktop thread to the waiting thread.
struct ChooserAnswer {
  std::mutex mutex;
  std::condition_variable answered;
  bool done = false;
  std::string folder;
};

struct ChooserRequest {
  std::string title;
  std::string startFolder;
  uint64_t ownerWindow = 0;
  std::string chosen;  // set by the response, answered when the dialog goes
  std::shared_ptr<ChooserAnswer> answer;
};

void Answer(ChooserAnswer& answer, std::string folder) {
  std::lock_guard<std::mutex> lock(answer.mutex);
  answer.folder = std::move(folder);
  answer.done = true;
  answer.answered.notify_all();
}

void OnResponse(GtkDialog* dialog, gint response, gpointer data) {
  auto* request = static_cast<ChooserRequest*>(data);
  if (response == GTK_RESPONSE_ACCEPT) {
    // File names are the system's bytes; a choice that is no local folder has none.
    if (gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog))) {
      request->chosen = name;
      g_free(name);
    }
  }
  gtk_widget_destroy(GTK_WIDGET(dialog));
}

// However the dialog goes (answered, closed, destroyed), the waiting thread gets its answer.
void OnDestroy(GtkWidget*, gpointer data) {
  std::unique_ptr<ChooserRequest> request(static_cast<ChooserRequest*>(data));
  Answer(*request->answer, std::move(request->chosen));
}

// The dialog's size and place once it is mapped (the chooser sizes itself then): no larger than
// the work area of the owner's monitor and centred on the owner, else on that monitor.
void FitAndCentre(GtkWidget* dialog, gpointer) {
  GdkDisplay* display = gtk_widget_get_display(dialog);
  auto* owner = static_cast<GdkWindow*>(g_object_get_data(G_OBJECT(dialog), "delvix-owner"));
  GdkMonitor* monitor = owner ? gdk_display_get_monitor_at_window(display, owner) : nullptr;
  if (!monitor) monitor = gdk_display_get_primary_monitor(display);
  if (!monitor) monitor = gdk_display_get_monitor(display, 0);
  if (!monitor) return;
  GdkRectangle area;
  gdk_monitor_get_workarea(monitor, &area);
  GdkRectangle centre = area;  // what the dialog is centred on
  if (owner) {
    gdk_window_get_origin(owner, &centre.x, &centre.y);
    gdk_window_get_geometry(owner, nullptr, nullptr, &centre.width, &centre.height);
  }
  int width = 0, height = 0;
  gtk_window_get_size(GTK_WINDOW(dialog), &width, &height);
  width = std::min(width, area.width * 9 / 10);
  height = std::min(height, area.height * 9 / 10);
  gtk_window_resize(GTK_WINDOW(dialog), width, height);
  const int x = std::clamp(centre.x + (centre.width - width) / 2, area.x, area.x + area.width - width);
  const int y = std::clamp(centre.y + (centre.height - height) / 2, area.y, area.y + area.height - height);
  gtk_window_move(GTK_WINDOW(dialog), x, y);
}

// Keeps the dialog above the owner (another client's X11 window); FitAndCentre places it there.
void StayAboveOwner(GtkWidget* dialog, uint64_t ownerWindow) {
  GdkDisplay* display = gtk_widget_get_display(dialog);
  if (ownerWindow == 0 || !GDK_IS_X11_DISPLAY(display)) return;
  gdk_x11_display_error_trap_push(display);  // the owner may have gone meanwhile
  GdkWindow* owner = gdk_x11_window_foreign_new_for_display(display, static_cast<Window>(ownerWindow));
  if (owner) {
    gtk_widget_realize(dialog);
    gdk_window_set_transient_for(gtk_widget_get_window(dialog), owner);
    // The dialog keeps its own reference to the owner until it is destroyed.
    g_object_set_data_full(G_OBJECT(dialog), "delvix-owner", owner, g_object_unref);
  }
  gdk_x11_display_error_trap_pop_ignored(display);
}

// Desktop thread: opens the dialog; OnResponse answers and destroys it.
void OpenChooser(std::unique_ptr<ChooserRequest> request) {
  const std::string title = DesktopTextFrom8Bit(request->title);
  GtkWidget* dialog = gtk_file_chooser_dialog_new(title.c_str(), nullptr, GTK_FILE_CHOOSER_ACTION_SELECT_FOLDER,
                                                  "_Cancel", GTK_RESPONSE_CANCEL, "_Select", GTK_RESPONSE_ACCEPT,
                                                  nullptr);
  GtkFileChooser* chooser = GTK_FILE_CHOOSER(dialog);
  gtk_file_chooser_set_local_only(chooser, TRUE);
  if (IsDirectory(request->startFolder)) gtk_file_chooser_set_current_folder(chooser, request->startFolder.c_str());
  gtk_dialog_set_default_response(GTK_DIALOG(dialog), GTK_RESPONSE_ACCEPT);
  gtk_window_set_default_size(GTK_WINDOW(dialog), 640, 440);
  gtk_window_set_modal(GTK_WINDOW(dialog), TRUE);
  gtk_window_set_keep_above(GTK_WINDOW(dialog), TRUE);
  StayAboveOwner(dialog, request->ownerWindow);
  g_signal_connect_after(dialog, "map", G_CALLBACK(FitAndCentre), nullptr);
  ChooserRequest* owned = request.release();  // OnDestroy frees it
  g_signal_connect(dialog, "response", G_CALLBACK(OnResponse), owned);
  g_signal_connect(dialog, "destroy", G_CALLBACK(OnDestroy), owned);
  gtk_window_present(GTK_WINDOW(dialog));
}

// The home folder from the password database.
std::string PasswordHome() {
  const struct passwd* entry = ::getpwuid(::getuid());
  return entry && entry->pw_dir ? entry->pw_dir : "";
}

}  // namespace

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  return PasswordHome();
}

std::string DesktopFolder() {
  const std::string home = HomeFolder();
  if (home.empty()) return {};
  // GLib reads the desktop's own setting (user-dirs.dirs) once and keeps it.
  const char* configured = g_get_user_special_dir(G_USER_DIRECTORY_DESKTOP);
  if (configured && IsDirectory(configured)) return configured;
  const std::string desktop = home + "/Desktop";
  return IsDirectory(desktop) ? desktop : home;
}

std::string BrowseForFolder(const std::string& title, const std::string& startFolder, uint64_t ownerWindow,
                            std::string* error) {
  auto fail = [error](const char* why) {
    if (error) *error = why;
    return std::string();
  };
  if (!StartDesktopThread()) return fail("No folder chooser can be shown: the desktop could not open the display.");
  auto request = std::make_unique<ChooserRequest>();
  request->title = title;
  request->startFolder = startFolder;
  request->ownerWindow = ownerWindow;
  std::shared_ptr<ChooserAnswer> answer = std::make_shared<ChooserAnswer>();
  request->answer = answer;
  // The task owns the request until the dialog's response takes it over.
  auto shared = std::make_shared<std::unique_ptr<ChooserRequest>>(std::move(request));
  if (!PostToDesktopThread([shared] { OpenChooser(std::move(*shared)); })) {
    return fail("No folder chooser can be shown: the desktop thread has ended.");
  }
  // Should the desktop thread end with the dialog open, the wait ends too, as a cancel.
  std::unique_lock<std::mutex> lock(answer->mutex);
  while (!answer->answered.wait_for(lock, std::chrono::milliseconds(200), [&] { return answer->done; })) {
    if (!DesktopThreadRunning()) return {};
  }
  return answer->folder;
}

bool HasRawFolder(const std::string& root, const std::string& name) {
  FolderReader reader(root.empty() ? root : (root.back() == '/' ? root : root + "/"));
  FolderEntry entry;
  while (reader.Next(entry)) {
    if (entry.isFolder && entry.name == name) return true;
  }
  return false;
}

}  // namespace platform
