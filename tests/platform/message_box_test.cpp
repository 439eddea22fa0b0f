#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <future>
#include <thread>

#include "platform/main_thread.h"
#include "support/x_server.h"

namespace {

using platform::MessageBoxAnswer;
using platform::MessageBoxKind;
using testing_support::RunTool;
using testing_support::WaitUntil;

// Runs the main thread's queue until the future is ready (or 60 s passed).
template <class T>
bool ServeUntilReady(std::future<T>& answer) {
  return WaitUntil(
      [&] {
        platform::RunPostedTasks();
        return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
      },
      60000);
}

// Without a display every box writes its text to stderr and answers at once, from any thread.
TEST(MessageBoxNoDisplayThread, FallsBackToStderrOnEveryThread) {
  ::unsetenv("DISPLAY");
  ::testing::internal::CaptureStderr();
  EXPECT_EQ(platform::ShowMessageBox(MessageBoxKind::Error, "Cap One", "main thread text"),
            MessageBoxAnswer::NoDisplay);

  // A worker while nobody serves the main thread: answered on the worker's own thread.
  auto unserved = std::async(std::launch::async, [] {
    return platform::ShowMessageBox(MessageBoxKind::YesNo, "Cap Two", "worker text");
  });
  EXPECT_EQ(unserved.get(), MessageBoxAnswer::NoDisplay);

  // A worker while the main thread serves: the box goes through the main thread's queue.
  platform::StartMainThreadService();
  auto served = std::async(std::launch::async, [] {
    return platform::ShowMessageBox(MessageBoxKind::Info, "Cap Three", "served text");
  });
  ASSERT_TRUE(ServeUntilReady(served));
  EXPECT_EQ(served.get(), MessageBoxAnswer::NoDisplay);
  platform::StopMainThreadService();

  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("[Cap One] main thread text\n"), std::string::npos) << err;
  EXPECT_NE(err.find("[Cap Two] worker text\n"), std::string::npos) << err;
  EXPECT_NE(err.find("[Cap Three] served text\n"), std::string::npos) << err;
}

// The X window id of the top-level window titled title, or "" while there is none.
std::string FindWindowByTitle(const std::string& title) {
  std::string out;
  if (RunTool({"xwininfo", "-name", title}, &out, 10000) != 0) return {};
  size_t at = out.find("Window id: ");
  if (at == std::string::npos) return {};
  at += 11;
  return out.substr(at, out.find(' ', at) - at);
}

// A box asked for on a worker appears while the main thread runs its queue, and the key the
// user presses decides the worker's answer.
TEST(MessageBoxOnDisplayThread, WorkerBoxIsShownByTheMainThread) {
  testing_support::PrivateXServer server;
  std::string error;
  ASSERT_TRUE(server.Start(error)) << error;
  platform::StartMainThreadService();

  struct Case {
    const char* key;
    MessageBoxAnswer expected;
  } cases[] = {{"Return", MessageBoxAnswer::Yes}, {"Escape", MessageBoxAnswer::No}};
  for (const Case& c : cases) {
    std::string title = std::string("Delvix test box ") + c.key;
    std::atomic<bool> mainInQueue{false};
    std::atomic<bool> seenWhileMainServed{false};
    auto answer = std::async(std::launch::async, [&] {
      return platform::ShowMessageBox(MessageBoxKind::YesNo, title, "Switch loader?\nSecond line");
    });
    std::thread user([&] {
      std::string id;
      if (!WaitUntil([&] { return !(id = FindWindowByTitle(title)).empty(); }, 60000)) return;
      seenWhileMainServed = mainInQueue.load();
      // No window manager: the key must be sent to the box's own window.
      RunTool({"xdotool", "key", "--window", id, c.key});
    });
    // The worker waits for the main thread: nothing answers until the queue runs.
    EXPECT_EQ(answer.wait_for(std::chrono::milliseconds(50)), std::future_status::timeout);
    mainInQueue = true;
    bool answered = ServeUntilReady(answer);
    mainInQueue = false;
    user.join();
    ASSERT_TRUE(answered) << c.key;
    EXPECT_TRUE(seenWhileMainServed) << c.key;
    EXPECT_EQ(answer.get(), c.expected) << c.key;
  }
  platform::StopMainThreadService();
}

}  // namespace
