#include "platform/open.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <vector>

#include "platform/files.h"
#include "support/temp_folder.h"
#include "support/x_server.h"

namespace {

TEST(OpenWithDesktop, HookRecordsTheTargetInsteadOfStarting) {
  std::vector<std::string> opened;
  platform::SetOpenHook([&](const std::string& target) { opened.push_back(target); });
  EXPECT_TRUE(platform::OpenWithDesktop("/tmp/some folder"));
  EXPECT_TRUE(platform::OpenWithDesktop("https://example.org/page?a=1&b=2"));
  EXPECT_TRUE(platform::OpenWithDesktop("-rf"));  // relative name that looks like an option
  EXPECT_FALSE(platform::OpenWithDesktop(""));
  platform::SetOpenHook(nullptr);
  EXPECT_EQ(opened, (std::vector<std::string>{"/tmp/some folder", "https://example.org/page?a=1&b=2", "./-rf"}));
}

// A stand-in xdg-open first on PATH writes its arguments, one per line, to a file.
class StubOpener : public ::testing::Test {
 protected:
  void SetUp() override {
    record_ = folder_.Path("args.txt");
    folder_.Write("xdg-open", "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" + record_ +
                                  ".part'; done\nmv '" + record_ + ".part' '" + record_ + "'\n");
    ::chmod(folder_.Path("xdg-open").c_str(), 0755);
    const char* path = std::getenv("PATH");
    oldPath_ = path ? path : "";
    ::setenv("PATH", (folder_.Root() + ":" + oldPath_).c_str(), 1);
  }
  void TearDown() override { ::setenv("PATH", oldPath_.c_str(), 1); }
  // The arguments the stub got, once it has finished (it runs detached).
  std::string Recorded() {
    EXPECT_TRUE(testing_support::WaitUntil([&] { return platform::IsRegularFile(record_); }, 30000));
    return TempFolder::ReadFileBytes(record_);
  }
  TempFolder folder_;
  std::string record_, oldPath_;
};

TEST_F(StubOpener, TargetArrivesAsOneArgumentWithNoShellInBetween) {
  const std::string target = "/tmp/a folder/it's \"here\"; $(touch /tmp/x) `id` | *";
  ASSERT_TRUE(platform::OpenWithDesktop(target));
  EXPECT_EQ(Recorded(), target + "\n");
}

TEST_F(StubOpener, LeadingDashIsPassedAsARelativePath) {
  ASSERT_TRUE(platform::OpenWithDesktop("--help"));
  EXPECT_EQ(Recorded(), "./--help\n");
}

TEST_F(StubOpener, MissingOpenerIsReportedAsFailure) {
  ::setenv("PATH", "/nonexistent-folder", 1);
  EXPECT_FALSE(platform::OpenWithDesktop("/tmp"));
}

}  // namespace
