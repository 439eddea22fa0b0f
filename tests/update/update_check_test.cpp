// The update check against local HTTPS and HTTP servers: the request, the reply's effects, the
// failures that keep the last reply, TLS verification and the time-outs.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/local_server.h"
#include "support/log_capture.h"
#include "update/update_reply.h"
#include "update/vorn_updater.h"

namespace {

const std::string kDigest = "363e99a96a81064771253eba6cc250789dd8d09c";
const std::string kCheckFailed = "------ WARNING: Failed To preform Update Check";

// What the check asked the GUI to do.
struct GuiCalls {
  std::vector<std::string> commands;
  std::vector<std::string> messages;
};

UpdateConfig CheckConfig(const std::string& url, const std::string& caFile) {
  UpdateConfig config;
  config.checkUrl = url;
  config.digestText = kDigest;
  config.checkLimits = {2000, 2, 2000, caFile};
  return config;
}

UpdateHooks RecordingHooks(GuiCalls& calls) {
  UpdateHooks hooks;
  hooks.runCommand = [&calls](const std::string& script) { calls.commands.push_back(script); };
  hooks.showMessage = [&calls](const std::string& text) { calls.messages.push_back(text); };
  return hooks;
}

// A JSON route answering text.
std::string TextRoute(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '"' || c == '\\') escaped += '\\';
    escaped += c;
  }
  return R"({"text": ")" + escaped + R"("})";
}

class UpdateCheck : public ::testing::Test {
 protected:
  LocalServer https_{LocalServer::kHttps};
  GuiCalls calls_;
  VornUpdater updater_{CheckConfig(https_.Url("check"), https_.CaFile()), RecordingHooks(calls_)};

  void Answer(const std::string& reply) { https_.Route("check", TextRoute(reply)); }
};

TEST_F(UpdateCheck, PostsTheVersionAndDigestAsAForm) {
  Answer("{}");
  updater_.CheckForUpdates(false);
  const std::vector<std::string> requests = https_.Requests();
  ASSERT_EQ(requests.size(), 1u);
  EXPECT_NE(requests[0].find(R"("method": "POST")"), std::string::npos) << requests[0];
  EXPECT_NE(requests[0].find(R"("content_type": "application/x-www-form-urlencoded")"), std::string::npos);
  EXPECT_NE(requests[0].find(R"("body": "cur_version=1.041&sha=)" + kDigest + "\""), std::string::npos);
}

struct ReplyCase {
  const char* reply;
  bool manual;
  bool opensUpdateBox;
  bool showsNoUpdates;
  const char* latestText;  // the map's "latest_version" afterwards; null: not in the map
};

TEST_F(UpdateCheck, ReplyDecidesWhatTheGuiShows) {
  const ReplyCase cases[] = {
      {R"({"latest_version": "1.05", "update_url": "https://x/p.rar"})", false, true, false, "1.05"},
      {R"({"latest_version": "1.041"})", true, false, true, "1.041"},
      {R"({"latest_version": "1.041"})", false, false, false, "1.041"},
      {R"({"latest_version": "1.0"})", true, false, true, "1.0"},
      {R"({"latest_version": "1.05abc"})", false, true, false, "1.05abc"},
      {R"({"latest_version": "  1.2"})", false, true, false, "  1.2"},
      {R"({"latest_version": "abc"})", true, false, false, "abc"},
      {R"({"latest_version": true})", true, false, false, "true"},
      {R"({"latest_version": null})", true, false, false, ""},
      {R"({"latest_version": 1.05})", false, true, false, "1.05"},
      {R"({"update_url": "https://x/p.rar"})", true, false, false, nullptr},
      {R"(["latest_version", "1.05"])", true, false, false, nullptr},
      {R"("1.05")", true, false, false, nullptr},
      {"<html>Service unavailable</html>", true, false, false, nullptr},
      {"", true, false, false, nullptr},
  };
  for (const ReplyCase& c : cases) {
    SCOPED_TRACE(c.reply);
    calls_ = {};
    Answer(c.reply);
    updater_.CheckForUpdates(c.manual);
    EXPECT_EQ(calls_.commands, c.opensUpdateBox ? std::vector<std::string>{"open update_menu;"}
                                                : std::vector<std::string>{});
    EXPECT_EQ(calls_.messages, c.showsNoUpdates ? std::vector<std::string>{"No updates avalible"}
                                                : std::vector<std::string>{});
    const auto latest = updater_.Reply().find("latest_version");
    if (c.latestText) {
      ASSERT_NE(latest, updater_.Reply().end());
      EXPECT_EQ(latest->second, c.latestText);
    } else {
      EXPECT_EQ(latest, updater_.Reply().end());
    }
  }
}

TEST_F(UpdateCheck, MembersThatAreNotTextAreSkippedWithAWarning) {
  LogCapture log;
  Answer(R"({"latest_version": "1.05", "list": [1, 2], "object": {"a": 1}, "count": 3, "update_url": "u"})");
  updater_.CheckForUpdates(false);
  EXPECT_EQ(calls_.commands, std::vector<std::string>{"open update_menu;"});
  const UpdateMap expected = {{"count", "3"}, {"latest_version", "1.05"}, {"update_url", "u"}};
  EXPECT_EQ(updater_.Reply(), expected);
  EXPECT_TRUE(log.Has("------ WARNING: Update reply member 'list' is not text; ignored"));
  EXPECT_TRUE(log.Has("------ WARNING: Update reply member 'object' is not text; ignored"));
}

TEST_F(UpdateCheck, FailedTransfersWarnOnceAndKeepTheLastReply) {
  Answer(R"({"latest_version": "1.05", "update_url": "https://x/p.rar"})");
  updater_.CheckForUpdates(false);
  const UpdateMap last = updater_.Reply();
  calls_ = {};

  TempFolder otherFolder;
  const std::string otherAuthority = LocalServer::MakeOtherAuthority(otherFolder);
  https_.Route("slow", R"({"text": "{\"latest_version\": \"2.0\"}", "delay": 5})");
  struct Failure {
    const char* what;
    UpdateConfig config;
  };
  const Failure failures[] = {
      {"unreachable", CheckConfig("https://127.0.0.1:" + std::to_string(UnusedPort()) + "/check", https_.CaFile())},
      {"certificate of another authority", CheckConfig(https_.Url("check"), otherAuthority)},
      {"system authorities only", CheckConfig(https_.Url("check"), "")},
      {"slow server", CheckConfig(https_.Url("slow"), https_.CaFile())},
      {"not http", CheckConfig("ftp://127.0.0.1/check", https_.CaFile())},
      {"file address", CheckConfig("file:///etc/passwd", https_.CaFile())},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.what);
    VornUpdater updater(failure.config, RecordingHooks(calls_));
    LogCapture log;
    const auto start = std::chrono::steady_clock::now();
    updater.CheckForUpdates(true);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(4));
    EXPECT_EQ(log.Count(kCheckFailed), 1);
    EXPECT_TRUE(calls_.commands.empty());
    EXPECT_TRUE(calls_.messages.empty());
  }
  // A failure on the same updater keeps what the last good check received.
  https_.Route("check", R"({"text": "{}", "delay": 5})");
  LogCapture log;
  updater_.CheckForUpdates(true);
  EXPECT_EQ(log.Count(kCheckFailed), 1);
  EXPECT_EQ(updater_.Reply(), last);
}

TEST(UpdateCheckPlainHttp, WorksOverHttpToo) {
  LocalServer http(LocalServer::kHttp);
  http.Route("check", TextRoute(R"({"latest_version": "1.1"})"));
  GuiCalls calls;
  VornUpdater updater(CheckConfig(http.Url("check"), ""), RecordingHooks(calls));
  updater.CheckForUpdates(false);
  EXPECT_EQ(calls.commands, std::vector<std::string>{"open update_menu;"});
}

TEST(UpdateCheckConfig, NoServiceAddressMeansNoCheck) {
  LogCapture log;
  GuiCalls calls;
  VornUpdater updater(CheckConfig("", ""), RecordingHooks(calls));
  updater.CheckForUpdates(true);
  EXPECT_TRUE(log.Has("Update check skipped: no update service address"));
  EXPECT_TRUE(calls.messages.empty());
}

TEST(UpdateCheckConfig, ServiceAddressAndDownloadPage) {
  ::setenv("DELVIX_UPDATE_URL", "https://updates.example:8443/check.php?x=1", 1);
  EXPECT_EQ(UpdateServiceUrl(), "https://updates.example:8443/check.php?x=1");
  ::unsetenv("DELVIX_UPDATE_URL");
  EXPECT_EQ(DefaultDownloadPage("https://updates.example:8443/check.php?x=1"),
            "https://updates.example:8443/downloads/?id=10&update=true");
  EXPECT_EQ(DefaultDownloadPage("http://host"), "http://host/downloads/?id=10&update=true");
  EXPECT_EQ(DefaultDownloadPage(""), "");
}

TEST(UpdateReply, QueryAndEscaping) {
  EXPECT_EQ(BuildUpdateQuery(kDigest), "cur_version=1.041&sha=" + kDigest);
  EXPECT_EQ(UrlEscape("a b&c=d/é"), "a%20b%26c%3Dd%2F%C3%A9");
  std::string reply;
  char bytes[] = "abcdef";
  EXPECT_EQ(AppendToResponse(bytes, 2, 3, &reply), 6u);
  EXPECT_EQ(reply, "abcdef");
  EXPECT_EQ(AppendToResponse(bytes, 2, 3, nullptr), 0u);
}

}  // namespace
