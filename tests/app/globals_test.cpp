// The program's global objects: made before main in their fixed order, ended after it in the
// reverse order, by a normal exit and by a fatal error alike; the log outlives everything that may
// log and drops, without harm, lines logged after its own exit step.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "core/lifetime.h"
#include "core/log.h"
#include "core/settings.h"
#include "support/temp_folder.h"

namespace {

const std::vector<std::string> kCreationOrder = {
    "BubbleLock",         "VornBubble",  "loader mutex", "LogWriteMutex", "ModelInfoPanel::infoTree",
    "ModelInfoPanel::tagTree", "VornIWDUtils", "VornSettings", "VornSound", "VornLog",
    "WindowFrame",        "SceneLights", "VersionText", "ShaderRegistry", "VornThemeManger",
    "FolderIndexes",      "MaterialList", "BoneDisplay labels", "BoneDisplay", "CSystemTray",
};

std::vector<std::string> Names(bool created) {
  std::vector<std::string> names;
  for (const LifetimeEvent& event : LifetimeEvents()) {
    if (event.created == created) names.emplace_back(event.name);
  }
  return names;
}

// ---- What a forked child reports of the program's exit steps ------------------------------------

int gReportFd = -1;

// Writes each ended global's name to the pipe; logs one line just before the log's exit step (it
// must reach the file) and one after it (it must be dropped without harm).
void ReportExitStep(const LifetimeEvent& event) {
  if (event.created) return;
  const std::string line = std::string(event.name) + "\n";
  [[maybe_unused]] ssize_t written = write(gReportFd, line.data(), line.size());
  if (std::strcmp(event.name, "SceneLights") == 0) VornLog::Printf("before the log's exit step");
  if (std::strcmp(event.name, "VornSettings") == 0) VornLog::Printf("after the log's exit step");
}

struct ChildExit {
  int exitCode = -1;
  std::vector<std::string> ended;  // names in the order the globals ended
};

// Runs leave() in a child process that watches the exit steps; returns what the child reported.
template <class Leave>
ChildExit RunChild(const std::string& logPath, Leave leave) {
  int fds[2];
  EXPECT_EQ(pipe(fds), 0);
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    gReportFd = fds[1];
    VornLog::SetFileName(logPath);
    VornLog::SetBoxHook([](const std::string&, const std::string&) {});
    SetLifetimeObserver(ReportExitStep);
    leave();
    _exit(99);  // leave() must not return
  }
  close(fds[1]);
  std::string text;
  char buffer[256];
  for (ssize_t n; (n = read(fds[0], buffer, sizeof buffer)) > 0;) text.append(buffer, static_cast<size_t>(n));
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  ChildExit result;
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    result.ended.push_back(text.substr(start, end - start));
  }
  return result;
}

}  // namespace

TEST(ProgramGlobals, AreMadeBeforeMainInTheirOrder) {
  EXPECT_EQ(Names(true), kCreationOrder);
  EXPECT_TRUE(Names(false).empty()) << "no global ends while main runs";
}

TEST(ProgramGlobals, StartValues) {
  EXPECT_EQ(VersionText, "Version: 1.041 (Beta)");
  for (const Light& light : SceneLights.lights) {  // black until the GL start-up gives them colours
    EXPECT_EQ(light.color[0] + light.color[1] + light.color[2], 0.0f);
    EXPECT_EQ(light.ambient_intensity, 0.0f);
    EXPECT_EQ(light.diffuse_intensity, 0.0f);
    EXPECT_EQ(light.attenuation_constant, 1.0f);
    EXPECT_EQ(light.attenuation_linear, 0.0f);
    EXPECT_EQ(light.attenuation_exp, 0.0f);
  }
}

// A normal exit and a fatal error both run every exit step, in the reverse order of making; the
// log keeps working until its own step and drops later lines instead of touching freed memory.
TEST(ProgramGlobals, EndInReverseOrderOnExitAndOnFatalError) {
  const std::vector<std::string> reverse(kCreationOrder.rbegin(), kCreationOrder.rend());
  struct Case {
    const char* what;
    int exitCode;
    void (*leave)();
  };
  const Case cases[] = {
      {"exit", 0, [] { std::exit(0); }},
      {"fatal error", 1, [] { VornLog::FatalError("Failed To Start"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TempFolder folder;
    const std::string logPath = folder.Path("Log.txt");
    const ChildExit child = RunChild(logPath, c.leave);
    EXPECT_EQ(child.exitCode, c.exitCode);
    EXPECT_EQ(child.ended, reverse);
    const std::string log = folder.Read("Log.txt");
    EXPECT_NE(log.find("before the log's exit step"), std::string::npos);
    EXPECT_EQ(log.find("after the log's exit step"), std::string::npos);
    if (c.exitCode == 1) {
      EXPECT_NE(log.find("------------ ERROR: Failed To Start"), std::string::npos);
    }
  }
}
