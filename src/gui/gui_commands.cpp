// The command language: scripts of "<word> <value>" commands separated by ";", run by the GUI.
//
// A command's leading white space is ignored; its word runs to the first blank and its value is
// everything after that blank (a command without a blank is both). Words compare exactly.
// "wait <ms>" keeps the rest of its list and runs it on the main thread once the time has passed
// (RunDueCommands, between frames); lists from other threads come through PostCommands.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <set>

#include "core/log.h"
#include "core/project_site.h"
#include "core/strings.h"
#include "gui/command_words.h"
#include "gui/vorn_gui.h"
#include "platform/main_thread.h"
#include "platform/open.h"

namespace {

// The release notes, the donation page and the community page, all on the project's site.
const std::string kReleaseNotesPage = std::string(kProjectSite) + "/downloads/?action=release_notes&id=10";
const std::string kDonationPage = std::string(kProjectSite) + "/donate/";
const std::string kCommunityPage = std::string(kProjectSite) + "/community/";

// Removes leading blanks, tabs, line feeds, vertical tabs, form feeds and carriage returns.
void TrimLeft(std::string& text) {
  const size_t first = text.find_first_not_of(" \t\n\v\f\r");
  text.erase(0, first == std::string::npos ? text.size() : first);
}

void OpenPage(const std::string& url) {
  if (!platform::OpenWithDesktop(url)) VornLog::Warningf("Could not open the web page '%s'", url.c_str());
}

}  // namespace

bool ParseCommand(std::string command, std::string& word, std::string& value) {
  TrimLeft(command);
  const size_t blank = command.find(' ');
  word = blank == std::string::npos ? command : command.substr(0, blank);
  value = blank == std::string::npos ? command : command.substr(blank + 1);
  return !word.empty() && !value.empty();
}

bool IsMenuCommandWord(const std::string& word) {
  static const std::set<std::string> kMenuWords{"open", "close", "toggle_menu", "force_open", "force_close"};
  return kMenuWords.count(word) != 0;
}

bool IsCommandWord(const std::string& word) {
  static const std::set<std::string> kOtherWords{
      "wait",       "reset_listbox",  "exit_app",           "error",        "display_error",   "hide_error",
      "display_msg", "hide_msg",      "export_ma",          "export_obj",   "export_XE",       "view_tags",
      "dump_GDT",   "save",           "reset_settings",     "show_release_notes", "show_website", "pay_pal_donate",
      "download_update", "cancel_download", "run_iwd_scan", "cancel_iwd_scan", "set_mouse_cntrl_display"};
  return IsMenuCommandWord(word) || kOtherWords.count(word) != 0;
}

void VornGUI::ExecCmd(const std::string& script) { Processcmd(SplitCommands(script)); }

void VornGUI::Processcmd(std::vector<std::string> commands) {
  for (size_t i = 0; i < commands.size(); ++i) {
    std::string word, value;
    if (!ParseCommand(commands[i], word, value)) {
      VornLog::Warningf("Processcmd:: Blank (cmd || value) value");
      continue;
    }
    if (word != "wait") {
      RunCommand(word, value);
      continue;
    }
    int delay = 1000;
    if (!from_string(delay, value, std::dec)) {
      delay = 1000;
      VornLog::Warningf("VornGUI::Processcmd:: Failed To Conver '%s' to int", value.c_str());
    }
    // A negative delay runs the rest at the next chance.
    std::vector<std::string> rest(commands.begin() + static_cast<ptrdiff_t>(i) + 1, commands.end());
    if (!rest.empty()) delayed_.push_back(DelayedList{NowMs() + static_cast<float>(std::max(delay, 0)), std::move(rest)});
    return;
  }
}

bool VornGUI::PostCommands(const std::string& script) {
  return platform::TryPostToMainThread([this, script] { ExecCmd(script); });
}

void VornGUI::RunDueCommands() {
  const float now = NowMs();
  for (;;) {
    // The earliest list whose time has come; lists it adds wait for their own time.
    auto due = std::min_element(delayed_.begin(), delayed_.end(),
                                [](const DelayedList& a, const DelayedList& b) { return a.dueMs < b.dueMs; });
    if (due == delayed_.end() || due->dueMs > now) return;
    std::vector<std::string> commands = std::move(due->commands);
    delayed_.erase(due);
    Processcmd(std::move(commands));
  }
}

void VornGUI::CallHook(const std::function<void()>& hook, const std::string& word) {
  if (hook) {
    hook();
  } else {
    VornLog::Printf("Processcmd: '%s' is not available: that part of the program is not built", word.c_str());
  }
}

void VornGUI::QueueJob(CommandJob job, const std::string& word) {
  if (!hooks.queueJob) return CallHook(nullptr, word);
  hooks.queueJob(job);
}

void VornGUI::QueueExport(CommandJob job, const std::string& word) {
  if (!hooks.queueJob) return CallHook(nullptr, word);
  hooks.queueJob(job);
  ++settings->export_count;
  DonateReminder();
}

void VornGUI::RunCommand(const std::string& word, const std::string& value) {
  if (word == "open") return SetVis(value, true);
  if (word == "close") return SetVis(value, false);
  if (word == "toggle_menu") return ToggleMenu(value);
  if (word == "force_open") return ForceVis(value, true);
  if (word == "force_close") return ForceVis(value, false);
  if (word == "reset_listbox") return ResetListbox(value);
  if (word == "exit_app") return CallHook(hooks.requestQuit, word);
  if (word == "error") return SetVis("error_menu", true);
  if (word == "display_error") return void(showError = true);
  if (word == "hide_error") return void(showError = false);
  if (word == "display_msg") return void(showMessage = true);
  if (word == "hide_msg") return void(showMessage = false);
  if (word == "export_ma") return QueueExport(CommandJob::ExportMaya, word);
  if (word == "export_obj") return QueueExport(CommandJob::ExportObj, word);
  if (word == "export_XE") return QueueExport(CommandJob::ExportXmodelExport, word);
  if (word == "view_tags") return QueueJob(CommandJob::ViewTags, word);
  if (word == "dump_GDT") return QueueJob(CommandJob::DumpGdt, word);
  if (word == "save") {
    if (value == "settings") SaveSettings();
    return;
  }
  if (word == "reset_settings") {
    ShowError("Settings Have been cleared, you must restart for changes to take affect.");
    SettingsResetPending = true;
    if (::unlink(settingsPath.c_str()) != 0 && errno != ENOENT) {
      VornLog::Warningf("Could not delete '%s': %s", settingsPath.c_str(), std::strerror(errno));
    }
    return;
  }
  if (word == "show_release_notes") return OpenPage(kReleaseNotesPage);
  if (word == "show_website") return OpenPage(kCommunityPage);
  if (word == "pay_pal_donate") return OpenPage(kDonationPage);
  if (word == "download_update") return CallHook(hooks.startDownload, word);
  if (word == "cancel_download") return CallHook(hooks.cancelDownload, word);
  if (word == "run_iwd_scan") return CallHook(hooks.runIwdScan, word);
  if (word == "cancel_iwd_scan") return CallHook(hooks.cancelIwdScan, word);
  if (word == "set_mouse_cntrl_display") {
    if (settings->mouse_style == 0) {
      ExecCmd("open Settings_hotkeys_mouse_maya; force_close Settings_hotkeys_mouse_assView;");
    } else if (settings->mouse_style == 1) {
      ExecCmd("open Settings_hotkeys_mouse_assView; force_close Settings_hotkeys_mouse_maya;");
    }
    return;
  }
  VornLog::Warningf("Unkown Menu Cmd: %s", word.c_str());
}

void VornGUI::SaveSettings() {
  // After a reset nothing is written, on purpose: that is no failure.
  if (settings->Save(settingsPath) || SettingsResetPending) return;
  ShowError("Settings could not be saved to '" + settingsPath +
            "'. Check that the folder exists and can be written to; the changes stay until the program ends.");
}

void VornGUI::DonateReminder() {
  VornSettings& s = *settings;
  ++s.donate_actions;
  if (s.donate_shown) {
    const int spread = random() % 979;
    if (s.donate_actions <= s.donate_last + 20 + spread) return;
    if (random() % 100 < 51) return;
  } else if (s.donate_actions < 10) {
    return;
  }
  s.donate_shown = true;
  s.donate_last = s.donate_actions;
  ExecCmd("open donate_menu;");
  s.Save(settingsPath);
}
