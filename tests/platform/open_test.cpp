#include "platform/open.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "platform/files.h"
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
    char dirTemplate[] = "/tmp/delvix-open-XXXXXX";
    ASSERT_NE(::mkdtemp(dirTemplate), nullptr);
    dir_ = dirTemplate;
    record_ = dir_ + "/args.txt";
    std::ofstream script(dir_ + "/xdg-open");
    script << "#!/bin/sh\nfor a in \"$@\"; do printf '%s\\n' \"$a\" >> '" << record_ << ".part'; done\n"
           << "mv '" << record_ << ".part' '" << record_ << "'\n";
    script.close();
    ::chmod((dir_ + "/xdg-open").c_str(), 0755);
    const char* path = std::getenv("PATH");
    oldPath_ = path ? path : "";
    ::setenv("PATH", (dir_ + ":" + oldPath_).c_str(), 1);
  }
  void TearDown() override {
    ::setenv("PATH", oldPath_.c_str(), 1);
    std::remove(record_.c_str());
    std::remove((dir_ + "/xdg-open").c_str());
    ::rmdir(dir_.c_str());
  }
  // The arguments the stub got, once it has finished (it runs detached).
  std::string Recorded() {
    EXPECT_TRUE(testing_support::WaitUntil([&] { return platform::IsRegularFile(record_); }, 30000));
    std::ifstream in(record_);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
  }
  std::string dir_, record_, oldPath_;
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
