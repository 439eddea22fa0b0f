#include "core/log.h"

#include <ctime>

#include "core/settings.h"
#include "platform/message_box.h"

namespace {

// Holds a value that is made at compile time and never destroyed, so the log works while the
// program's other globals end (their destructors may log).
template <class T>
union Immortal {
  T value;
  constexpr Immortal() : value() {}
  ~Immortal() {}
};

constinit Immortal<std::string> gFileName;
constinit Immortal<std::vector<std::string>> gKeptMessages;

}  // namespace

constinit std::string& VornLog::fileName_ = gFileName.value;
constinit std::vector<std::string>& VornLog::messages_ = gKeptMessages.value;
constinit int VornLog::mode_ = 0;
constinit FILE* VornLog::file_ = nullptr;
constinit bool VornLog::keepMessages_ = false;
constinit VornLog::BoxHook VornLog::boxHook_ = nullptr;
constinit VornLog::BeforeBoxHook VornLog::beforeBoxHook_ = nullptr;
constinit VornLog::BeforeExitHook VornLog::beforeExitHook_ = nullptr;

namespace {

constexpr size_t kLineCapacity = 1024;  // a formatted line holds at most 1,023 characters

// Formats into buf; returns the length kept (truncated to the buffer).
size_t FormatLine(char (&buf)[kLineCapacity], const char* prefix, const char* format, va_list args) {
  int used = prefix ? std::snprintf(buf, kLineCapacity, "%s", prefix) : 0;
  if (used < 0) used = 0;
  if (static_cast<size_t>(used) >= kLineCapacity) return kLineCapacity - 1;
  int more = std::vsnprintf(buf + used, kLineCapacity - used, format, args);
  if (more < 0) more = 0;
  size_t total = static_cast<size_t>(used) + static_cast<size_t>(more);
  return total < kLineCapacity ? total : kLineCapacity - 1;
}

const char* GlErrorName(uint32_t code) {
  switch (code) {
    case 0: return "no error";
    case 0x0500: return "invalid enumerant";
    case 0x0501: return "invalid value";
    case 0x0502: return "invalid operation";
    case 0x0503: return "stack overflow";
    case 0x0504: return "stack underflow";
    case 0x0505: return "out of memory";
    case 0x0506: return "invalid framebuffer operation";
    default: return "unknown error";
  }
}

}  // namespace

bool VornLog::OpenLocked() {
  if (!file_ && !fileName_.empty()) file_ = std::fopen(fileName_.c_str(), "a+");
  return file_ != nullptr;
}

void VornLog::WriteLocked(const char* text, size_t length) {
  if (!OpenLocked()) return;  // the line is lost; the next one tries again
  std::fwrite(text, 1, length, file_);
  std::fputc('\n', file_);
  if (mode_ == kModeNormal) {
    std::fflush(file_);
  } else {
    std::fclose(file_);
    file_ = nullptr;
  }
}

void VornLog::Write(const std::string& text) {
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  WriteLocked(text.data(), text.size());
}

void VornLog::Printf(const char* format, ...) {
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  char buf[kLineCapacity];
  va_list args;
  va_start(args, format);
  size_t n = FormatLine(buf, nullptr, format, args);
  va_end(args);
  WriteLocked(buf, n);
}

void VornLog::Message(const std::string& text) {
  if (!gSettings.log_xmodel) return;
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  WriteLocked(text.data(), text.size());
  if (keepMessages_) messages_.push_back(text);
}

void VornLog::Messagef(const char* format, ...) {
  if (!gSettings.log_xmodel) return;
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  char buf[kLineCapacity];
  va_list args;
  va_start(args, format);
  size_t n = FormatLine(buf, nullptr, format, args);
  va_end(args);
  WriteLocked(buf, n);
  if (keepMessages_) messages_.emplace_back(buf, n);
}

void VornLog::Warning(const std::string& text) {
  if (gSettings.log_warn) return;
  Write("------ WARNING: " + text);
}

void VornLog::Warningf(const char* format, ...) {
  if (gSettings.log_warn) return;
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  char buf[kLineCapacity];
  va_list args;
  va_start(args, format);
  size_t n = FormatLine(buf, "------ WARNING: ", format, args);
  va_end(args);
  WriteLocked(buf, n);
}

void VornLog::ShowBox(const std::string& caption, const std::string& text) {
  if (beforeBoxHook_) beforeBoxHook_();
  if (boxHook_) {
    boxHook_(caption, text);
  } else {
    platform::ShowMessageBox(platform::MessageBoxKind::Error, caption, text);
  }
}

// The line is written before the box is shown: a box that cannot be shown, or a process killed
// while it waits, must not lose the reason.
void VornLog::FatalError(const std::string& text) {
  Write("------------ ERROR: " + text);
  ShowBox("Vorn_Kesh - Critical Error", text);
  if (beforeExitHook_) beforeExitHook_();
  std::exit(1);
}

void VornLog::FatalErrorf(const char* format, ...) {
  char buf[kLineCapacity];
  va_list args;
  va_start(args, format);
  size_t n = FormatLine(buf, nullptr, format, args);
  va_end(args);
  FatalError(std::string(buf, n));
}

void VornLog::OpenGLError(uint32_t glError, const std::string& text) {
  std::string boxText = text + ": " + GlErrorName(glError);
  Write("------------ OpenGl ERROR: " + boxText);
  ShowBox("Vorn_Kesh - OpenGl Error", boxText);
}

void VornLog::OpenGLErrorf(uint32_t glError, const char* format, ...) {
  char buf[kLineCapacity];
  va_list args;
  va_start(args, format);
  size_t n = FormatLine(buf, nullptr, format, args);
  va_end(args);
  OpenGLError(glError, std::string(buf, n));
}

void VornLog::Start() {
  {
    std::lock_guard<std::mutex> lock(LogWriteMutex);
    if (!fileName_.empty()) {
      if (file_) {
        std::fclose(file_);
        file_ = nullptr;
      }
      std::remove(fileName_.c_str());
    }
    if (!OpenLocked()) return;
  }
  std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  Printf("\n*************************** Application Started (Version %s) : %i/%i/%i %i:%i:%i ***************************\n",
         kVersionNumber, local.tm_mday, local.tm_mon + 1, local.tm_year + 1900, local.tm_hour, local.tm_min,
         local.tm_sec);
  Printf("Logging Mode: %s", Mode() == kModeNormal ? "Normal" : "Sync every write");
}

void VornLog::SwitchModeForSetting(int logType) {
  if (logType == 1) return;
  SetMode(kModeNormal);
  Printf("Logging Mode Changed: %s", "Normal");
}

void VornLog::Close() {
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  if (file_) std::fclose(file_);
  file_ = nullptr;
}

void VornLog::ReleaseAtExit() {
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  if (file_) std::fclose(file_);
  file_ = nullptr;
  std::string().swap(fileName_);
  std::vector<std::string>().swap(messages_);
  keepMessages_ = false;
}

void VornLog::SetMode(int mode) {
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  mode_ = mode;
}

int VornLog::Mode() {
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  return mode_;
}

void VornLog::SetFileName(const std::string& name) {
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  if (file_) std::fclose(file_);
  file_ = nullptr;
  fileName_ = name;
}

void VornLog::KeepMessages(bool keep) {
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  keepMessages_ = keep;
}

std::vector<std::string> VornLog::KeptMessages() {
  std::lock_guard<std::mutex> lock(LogWriteMutex);
  return messages_;
}

void VornLog::SetBoxHook(BoxHook hook) { boxHook_ = hook; }
void VornLog::SetBeforeBoxHook(BeforeBoxHook hook) { beforeBoxHook_ = hook; }
void VornLog::SetBeforeExitHook(BeforeExitHook hook) { beforeExitHook_ = hook; }

std::string ErrorCodeText(int32_t code) {
  switch (code) {
    case 0: return "Unknown Error";
    case 5: return "Can't OpenFile";
    case 6: return "File Handel failed due to permissions, please run program as admin";
    case 8: return "File already loaded";
    case 10: return "Unknown DDS Error";
    case 12: return "Format Error";
    case 13: return "COMP size error";
    case 20: return "Unknown image format";
    default: return "Error Number: " + std::to_string(code);
  }
}
