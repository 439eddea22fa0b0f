// Message boxes: SDL's own X11 box, shown on the main thread; stderr when there is no display.
#include <SDL.h>

#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>

#include "platform/main_thread.h"
#include "platform/message_box.h"
#include "platform/text_utf8.h"

namespace platform {

namespace {

enum ButtonId { kButtonOk = 0, kButtonYes = 1, kButtonNo = 2 };

// Shows the box on the calling thread and waits for the answer.
MessageBoxAnswer ShowHere(MessageBoxKind kind, const std::string& caption, const std::string& text) {
  const SDL_MessageBoxButtonData ok[] = {
      {SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kButtonOk, "OK"}};
  const SDL_MessageBoxButtonData yesNo[] = {{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT, kButtonYes, "Yes"},
                                            {SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, kButtonNo, "No"}};
  std::string title = DesktopTextFrom8Bit(caption);
  std::string message = DesktopTextFrom8Bit(text);
  SDL_MessageBoxData data{};
  data.flags = (kind == MessageBoxKind::Error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION) |
               SDL_MESSAGEBOX_BUTTONS_LEFT_TO_RIGHT;
  data.title = title.c_str();
  data.message = message.c_str();
  data.numbuttons = kind == MessageBoxKind::YesNo ? 2 : 1;
  data.buttons = kind == MessageBoxKind::YesNo ? yesNo : ok;

  int pressed = -1;
  if (SDL_ShowMessageBox(&data, &pressed) != 0) {
    // No display (SDL's error text then names helper programs and misleads): the text goes to
    // stderr and the caller gets the no-display answer.
    std::fprintf(stderr, "[%s] %s\n", caption.c_str(), text.c_str());
    return MessageBoxAnswer::NoDisplay;
  }
  if (kind != MessageBoxKind::YesNo) return MessageBoxAnswer::Ok;
  return pressed == kButtonYes ? MessageBoxAnswer::Yes : MessageBoxAnswer::No;  // closed counts as No
}

// A box handed to the main thread, and its answer.
struct BoxRequest {
  std::mutex mutex;
  std::condition_variable answered;
  bool done = false;
  MessageBoxAnswer answer = MessageBoxAnswer::NoDisplay;
};

}  // namespace

MessageBoxAnswer ShowMessageBox(MessageBoxKind kind, const std::string& caption, const std::string& text) {
  if (!IsMainThread()) {
    auto request = std::make_shared<BoxRequest>();
    bool posted = TryPostToMainThread([request, kind, caption, text] {
      MessageBoxAnswer answer = ShowHere(kind, caption, text);
      std::lock_guard<std::mutex> lock(request->mutex);
      request->answer = answer;
      request->done = true;
      request->answered.notify_all();
    });
    if (posted) {
      std::unique_lock<std::mutex> lock(request->mutex);
      request->answered.wait(lock, [&] { return request->done; });
      return request->answer;
    }
  }
  // The main thread itself, or nobody serves the main thread yet: show it here.
  return ShowHere(kind, caption, text);
}

}  // namespace platform
