#pragma once
// VornLog: the program's one log, Log.txt in the working folder.
//
// Every operation formats one line (printf conventions, at most 1,023 characters; longer lines are
// truncated) and writes it with a newline. Any thread may log: each line is formatted, written and
// kept under one hold of LogWriteMutex, so lines never mix. The log is usable before any other global
// object exists and after every one has ended (its state needs no constructor and is never
// destroyed); with an empty file name, lines are lost.
//
//   Printf      plain line
//   Messagef    model and export lines; written (and kept for the GUI's log window once
//               keepMessages is set) only while the setting log_xmodel is true
//   Warningf    "------ WARNING: " + text; nothing at all while log_warn is true
//   FatalErrorf "------------ ERROR: " + text, then a message box; ends the process with code 1
//   OpenGLErrorf "------------ OpenGl ERROR: " + text and the GL error's description, then a
//               message box with the same text; returns
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>
#include <vector>

extern std::mutex LogWriteMutex;

inline constexpr const char* kVersionNumber = "1.041";
// "Version: " + the version number + " (Beta)", as the about window shows it.
extern const std::string VersionText;

class VornLog {
 public:
  static constexpr int kModeNormal = 0;
  static constexpr int kModeSync = 1;

  static void Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
  static void Messagef(const char* format, ...) __attribute__((format(printf, 1, 2)));
  static void Warningf(const char* format, ...) __attribute__((format(printf, 1, 2)));
  [[noreturn]] static void FatalErrorf(const char* format, ...) __attribute__((format(printf, 1, 2)));
  static void OpenGLErrorf(uint32_t glError, const char* format, ...) __attribute__((format(printf, 2, 3)));

  static void Write(const std::string& text);
  static void Message(const std::string& text);
  static void Warning(const std::string& text);
  [[noreturn]] static void FatalError(const std::string& text);
  static void OpenGLError(uint32_t glError, const std::string& text);

  // Deletes the file named fileName, opens it afresh and writes the banner and the mode line.
  static void Start();
  // After the settings are read: a log_type of 1 keeps "Sync every write"; any other value
  // switches to "Normal" and logs "Logging Mode Changed: Normal".
  static void SwitchModeForSetting(int logType);
  // Closes the file when it is open (shutdown); a later line opens it again.
  static void Close();
  // The log's exit step among the program's globals: closes the file and frees the kept lines and
  // the file name. Lines logged later are lost; logging stays safe.
  static void ReleaseAtExit();

  // Sets the mode: kModeNormal keeps the file open, kModeSync closes it after every line.
  static void SetMode(int mode);
  static int Mode();
  static void SetFileName(const std::string& name);
  // Starts keeping message lines for the GUI's log window.
  static void KeepMessages(bool keep);
  // A copy of the kept message lines, taken under the lock.
  static std::vector<std::string> KeptMessages();
  // Runs fn(lines) under the lock, for readers that must not copy every frame.
  template <class Fn>
  static void WithKeptMessages(Fn&& fn) {
    std::lock_guard<std::mutex> lock(LogWriteMutex);
    fn(static_cast<const std::vector<std::string>&>(messages_));
  }

  // Called instead of the message box by FatalError and OpenGLError (tests); null = the box.
  using BoxHook = void (*)(const std::string& caption, const std::string& text);
  static void SetBoxHook(BoxHook hook);
  // Called before a box is shown: the splash screen destroys its window here.
  using BeforeBoxHook = void (*)();
  static void SetBeforeBoxHook(BeforeBoxHook hook);
  // Called by FatalError after its box, before the process ends: the program stops its threads
  // there, so that none runs on while the globals end. Null: none.
  using BeforeExitHook = void (*)();
  static void SetBeforeExitHook(BeforeExitHook hook);

 private:
  static void WriteLocked(const char* text, size_t length);
  static bool OpenLocked();
  static void ShowBox(const std::string& caption, const std::string& text);

  static std::string& fileName_;  // both in storage that is never destroyed
  static std::vector<std::string>& messages_;
  static int mode_;
  static FILE* file_;
  static bool keepMessages_;
  static BoxHook boxHook_;
  static BeforeBoxHook beforeBoxHook_;
  static BeforeExitHook beforeExitHook_;
};

// The text of an image or file result code (ImageResult).
std::string ErrorCodeText(int32_t code);
