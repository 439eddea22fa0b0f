#include "platform/main_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "support/x_server.h"

namespace {

using testing_support::WaitUntil;

// Each test runs in its own process (ctest), so the queue's global state starts fresh.
TEST(MainThreadQueueThread, TasksFromOtherThreadsRunInOrderOnTheMainThread) {
  platform::StartMainThreadService();
  EXPECT_TRUE(platform::IsMainThread());
  std::vector<int> order;
  std::vector<bool> onMain;
  std::thread worker([&] {
    EXPECT_FALSE(platform::IsMainThread());
    for (int i = 0; i < 3; ++i) {
      platform::PostToMainThread([&, i] {
        order.push_back(i);
        onMain.push_back(platform::IsMainThread());
      });
    }
  });
  worker.join();
  EXPECT_EQ(platform::RunPostedTasks(), 3u);
  EXPECT_EQ(order, (std::vector<int>{0, 1, 2}));
  EXPECT_EQ(onMain, (std::vector<bool>{true, true, true}));
  EXPECT_EQ(platform::RunPostedTasks(), 0u);
  platform::StopMainThreadService();
}

TEST(MainThreadQueueThread, TaskPostedByATaskWaitsForTheNextRun) {
  platform::StartMainThreadService();
  int runs = 0;
  platform::PostToMainThread([&] {
    ++runs;
    platform::PostToMainThread([&] { ++runs; });
  });
  EXPECT_EQ(platform::RunPostedTasks(), 1u);
  EXPECT_EQ(runs, 1);
  EXPECT_EQ(platform::RunPostedTasks(), 1u);
  EXPECT_EQ(runs, 2);
  platform::StopMainThreadService();
}

TEST(MainThreadQueueThread, TryPostIsRefusedWhileNobodyServesAndStopRunsWhatWasAccepted) {
  EXPECT_FALSE(platform::TryPostToMainThread([] {}));
  platform::StartMainThreadService();
  std::atomic<bool> ran{false};
  std::thread worker([&] { EXPECT_TRUE(platform::TryPostToMainThread([&] { ran = true; })); });
  worker.join();
  platform::StopMainThreadService();  // nobody is stranded: the accepted task ran
  EXPECT_TRUE(ran);
  EXPECT_FALSE(platform::TryPostToMainThread([] {}));
}

TEST(MainThreadQueueThread, ManyPostersNoTaskLost) {
  platform::StartMainThreadService();
  std::atomic<int> done{0};
  int ran = 0;
  std::vector<std::thread> posters;
  for (int t = 0; t < 4; ++t) {
    posters.emplace_back([&] {
      for (int i = 0; i < 500; ++i) platform::PostToMainThread([&] { ++ran; });
      ++done;
    });
  }
  ASSERT_TRUE(WaitUntil(
      [&] {
        platform::RunPostedTasks();
        return done == 4;
      },
      60000));
  for (auto& t : posters) t.join();
  platform::RunPostedTasks();
  EXPECT_EQ(ran, 2000);
  platform::StopMainThreadService();
}

}  // namespace
