// The download thread and the installation against a local HTTPS server with real ZIP packages:
// the whole road to the restart, and every fault that must leave the installed program as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <atomic>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "support/local_server.h"
#include "support/log_capture.h"
#include "support/temp_folder.h"
#include "support/wait_until.h"
#include "update/package_installer.h"
#include "update/vorn_downloader.h"
#include "update/vorn_updater.h"

namespace {

namespace fs = std::filesystem;
using testing_support::WaitUntil;

const std::string kOldProgram = "old program\n";
const std::string kOldShader = "old shader\n";
const std::string kNewProgram = "new program, version 1.05\n";

// The entries of a good package (JSON for make_package.py).
const std::string kGoodEntries = R"([{"name": "delvix", "text": "new program, version 1.05\n"},
  {"name": "shaders/", "text": ""},
  {"name": "shaders/a.glsl", "text": "new shader\n"},
  {"name": "images/new/cursor.dds", "text": "new image\n", "stored": true}])";

class UpdateDownloadThread : public ::testing::Test {
 protected:
  UpdateDownloadThread() {
    folder_.Write("delvix", kOldProgram);
    fs::permissions(folder_.Path("delvix"), fs::perms(0755));
    fs::create_directory(folder_.Path("shaders"));
    folder_.Write("shaders/a.glsl", kOldShader);
  }

  UpdateConfig Config() const {
    UpdateConfig config;
    config.checkUrl = server_.Url("check");
    config.downloadPageUrl = DefaultDownloadPage(config.checkUrl);
    config.programPath = folder_.Path("delvix");
    config.installFolder = folder_.Root();
    config.digestText = std::string(40, '0');
    config.checkLimits = {2000, 2, 4000, server_.CaFile()};
    config.downloadLimits = {2000, 2, 0, server_.CaFile()};
    return config;
  }

  UpdateHooks Hooks() {
    UpdateHooks hooks;
    hooks.downloadProgress = [this](int value) {
      std::lock_guard<std::mutex> lock(progressMutex_);
      progress_.push_back(value);
    };
    hooks.restart = [this] { ++restarts_; };
    return hooks;
  }

  // The check answers with version and the package at route package; the updater takes it.
  void Offer(const std::string& version, const std::string& package = "package") {
    server_.Route("check", R"({"text": "{\"latest_version\": \")" + version + R"(\", \"update_url\": \")" +
                               server_.Url(package) + R"(\"}"})");
    updater_.CheckForUpdates(false);
  }

  // Serves a package built from entries at route "package"; extra route settings may follow.
  void ServePackage(const std::string& entries, const std::string& routeExtras = "") {
    MakePackage(server_.BodyPath("package.zip"), entries);
    server_.Route("package", R"({"body": "package.zip")" + routeExtras + "}");
  }

  void DownloadToTheEnd() {
    updater_.StartDownload();
    ASSERT_TRUE(WaitUntil([this] { return !updater_.DownloadRunning(); }, 30000));
  }

  std::vector<int> Progress() {
    std::lock_guard<std::mutex> lock(progressMutex_);
    return progress_;
  }

  // The folder holds the program as it was: same bytes, nothing moved aside, no restart, and
  // nothing of the failed update left behind.
  void ExpectProgramUntouched() {
    EXPECT_EQ(folder_.Read("delvix"), kOldProgram);
    EXPECT_EQ(folder_.Read("shaders/a.glsl"), kOldShader);
    EXPECT_FALSE(fs::exists(folder_.Path("delvix.old")));
    EXPECT_FALSE(fs::exists(folder_.Path("images")));
    EXPECT_EQ(restarts_.load(), 0);
    if (fs::exists(folder_.Path("updates"))) {
      EXPECT_TRUE(fs::is_empty(folder_.Path("updates")));
    }
    for (const auto& entry : fs::directory_iterator(folder_.Root()))
      EXPECT_EQ(entry.path().filename().string().find(".delvix-"), std::string::npos) << entry.path();
  }

  TempFolder folder_;
  LocalServer server_{LocalServer::kHttps};
  std::mutex progressMutex_;
  std::vector<int> progress_;
  std::atomic<int> restarts_{0};
  VornUpdater updater_{Config(), Hooks()};
};

TEST_F(UpdateDownloadThread, InstallsTheWholePackageAndRestarts) {
  LogCapture log;
  ServePackage(kGoodEntries);
  Offer("1.05");
  DownloadToTheEnd();

  EXPECT_EQ(restarts_.load(), 1);
  EXPECT_EQ(folder_.Read("delvix"), kNewProgram);
  EXPECT_EQ(folder_.Read("shaders/a.glsl"), "new shader\n");
  EXPECT_EQ(folder_.Read("images/new/cursor.dds"), "new image\n");
  EXPECT_EQ(folder_.Read("delvix.old"), kOldProgram);
  EXPECT_TRUE((fs::status(folder_.Path("delvix")).permissions() & fs::perms::owner_exec) != fs::perms::none);
  EXPECT_EQ(folder_.Read("updates/VornDelvix_update_1.05.rar"), TempFolder::ReadFileBytes(server_.BodyPath("package.zip")));
  EXPECT_FALSE(fs::exists(folder_.Path("updates/staging")));
  EXPECT_TRUE(log.Has("Downloaded Update"));

  const std::vector<int> progress = Progress();
  ASSERT_FALSE(progress.empty());
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_EQ(progress.back(), 150);

  // The next start removes the program that was moved aside.
  RemoveOldExecutable(folder_.Path("delvix"));
  EXPECT_FALSE(fs::exists(folder_.Path("delvix.old")));
}

TEST_F(UpdateDownloadThread, ProgressOfALongerPackageRisesStepByStep) {
  ServePackage(R"([{"name": "delvix", "text": "0123456789", "repeat": 10000, "stored": true}])", R"(, "pace": 0.005)");
  Offer("1.05");
  DownloadToTheEnd();
  EXPECT_EQ(restarts_.load(), 1);
  const std::vector<int> progress = Progress();
  EXPECT_GT(progress.size(), 5u);
  EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
  EXPECT_LT(progress.front(), 150);
  EXPECT_EQ(progress.back(), 150);
}

struct FaultCase {
  const char* what;
  const char* entries;       // the package's entries (make_package.py)
  const char* routeExtras;   // further settings of the package's route
  const char* version;
  const char* expectedLine;  // a line the log must hold
};

TEST_F(UpdateDownloadThread, EveryFaultLeavesTheProgramAsItWas) {
  const std::string good = kGoodEntries;
  const FaultCase cases[] = {
      {"truncated body", nullptr, R"(, "length": 100000)", "1.05", "------ WARNING: VornDownloader:: Error occurred during download"},
      {"404 with a body", nullptr, R"(, "status": 404)", "1.05", "------ WARNING: VornDownloader:: Can't open url"},
      {"500 with a body", nullptr, R"(, "status": 500)", "1.05", "------ WARNING: VornDownloader:: Can't open url"},
      {"no length announced", nullptr, R"(, "length": null)", "1.05", "------ WARNING: VornDownloader:: HTTP Header Not Found"},
      {"server stalling", nullptr, R"(, "send": 100, "then": "stall")", "1.05", "------ WARNING: VornDownloader:: Error occurred during download"},
      {"not a package", R"([])", R"(, "body": "not_zip")", "1.05", "------ WARNING: Update package refused: "},
      {"bad CRC", R"([{"name": "delvix", "text": "new program"}, {"name": "shaders/a.glsl", "text": "corrupted shader", "bad_crc": true}])",
       "", "1.05", "------ WARNING: Failed to update file: shaders/a.glsl (CRC error)"},
      {"parent folder entry", R"([{"name": "delvix", "text": "new"}, {"name": "../evil", "text": "x"}])", "", "1.05",
       "------ WARNING: Update package refused: entry '../evil': "},
      {"parent folder inside", R"([{"name": "delvix", "text": "new"}, {"name": "shaders/../../evil", "text": "x"}])", "", "1.05",
       "------ WARNING: Update package refused: entry 'shaders/../../evil': "},
      {"absolute entry", R"([{"name": "delvix", "text": "new"}, {"name": "/tmp/evil", "text": "x"}])", "", "1.05",
       "------ WARNING: Update package refused: entry '/tmp/evil': "},
      {"drive letter entry", R"([{"name": "delvix", "text": "new"}, {"name": "C:evil", "text": "x"}])", "", "1.05",
       "------ WARNING: Update package refused: entry 'C:evil': "},
      {"without the program", R"([{"name": "shaders/a.glsl", "text": "new shader"}])", "", "1.05",
       "------ WARNING: Update package refused: the program file 'delvix' is not in it"},
      {"version with a slash", nullptr, "", "../1.05", "------ WARNING: VornDownloader:: Version text not usable in a file name"},
  };
  server_.BodyFile("not_zip", "<html>This is not the package</html>");
  for (const FaultCase& c : cases) {
    SCOPED_TRACE(c.what);
    LogCapture log;
    ServePackage(c.entries ? c.entries : good, c.routeExtras);
    Offer(c.version);
    DownloadToTheEnd();
    ExpectProgramUntouched();
    bool found = false;
    for (const std::string& line : log.Lines()) found = found || line.rfind(c.expectedLine, 0) == 0;
    EXPECT_TRUE(found) << "no line beginning " << c.expectedLine;
  }
}

TEST_F(UpdateDownloadThread, RefusedVersionTextFetchesNothing) {
  ServePackage(kGoodEntries);
  Offer("a/b");
  const size_t before = server_.Requests().size();
  DownloadToTheEnd();
  EXPECT_EQ(server_.Requests().size(), before);
  EXPECT_FALSE(fs::exists(folder_.Path("updates/VornDelvix_update_a")));
}

TEST_F(UpdateDownloadThread, CertificateOfAnotherAuthorityIsRefused) {
  TempFolder other;
  UpdateConfig config = Config();
  config.downloadLimits.caFile = LocalServer::MakeOtherAuthority(other);
  VornUpdater updater(config, Hooks());
  ServePackage(kGoodEntries);
  server_.Route("check", R"({"text": "{\"latest_version\": \"1.05\", \"update_url\": \")" + server_.Url("package") + R"(\"}"})");
  updater.CheckForUpdates(false);
  LogCapture log;
  updater.StartDownload();
  ASSERT_TRUE(WaitUntil([&] { return !updater.DownloadRunning(); }, 30000));
  EXPECT_TRUE(log.Has("------ WARNING: VornDownloader:: Can't open url"));
  ExpectProgramUntouched();
}

TEST_F(UpdateDownloadThread, CancelMidWayInstallsNothing) {
  ServePackage(R"([{"name": "delvix", "text": "x", "repeat": 400000, "stored": true}])", R"(, "pace": 0.02)");
  Offer("1.05");
  LogCapture log;
  updater_.StartDownload();
  ASSERT_TRUE(WaitUntil([this] { return !Progress().empty(); }, 30000));
  updater_.CancelDownload();
  ASSERT_TRUE(WaitUntil([this] { return !updater_.DownloadRunning(); }, 5000));
  EXPECT_TRUE(log.Has("Download cancelled"));
  EXPECT_LT(Progress().back(), 150);
  ExpectProgramUntouched();
}

TEST_F(UpdateDownloadThread, StartingTwiceRunsOneDownload) {
  ServePackage(kGoodEntries, R"(, "delay": 0.5)");
  Offer("1.05");
  updater_.StartDownload();
  updater_.StartDownload();
  ASSERT_TRUE(WaitUntil([this] { return !updater_.DownloadRunning(); }, 30000));
  int packageRequests = 0;
  for (const std::string& request : server_.Requests()) packageRequests += request.find("/package") != std::string::npos;
  EXPECT_EQ(packageRequests, 1);
  EXPECT_EQ(restarts_.load(), 1);
}

TEST_F(UpdateDownloadThread, StopAtExitEndsAStalledDownloadQuickly) {
  ServePackage(kGoodEntries, R"(, "send": 100, "then": "stall")");
  UpdateConfig config = Config();
  config.downloadLimits.stallSeconds = 60;
  VornUpdater updater(config, Hooks());
  server_.Route("check", R"({"text": "{\"latest_version\": \"1.05\", \"update_url\": \")" + server_.Url("package") + R"(\"}"})");
  updater.CheckForUpdates(false);
  LogCapture log;
  updater.StartDownload();
  ASSERT_TRUE(WaitUntil([this] { return !Progress().empty(); }, 30000));
  const auto start = std::chrono::steady_clock::now();
  updater.StopDownloadThread();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  EXPECT_FALSE(updater.DownloadRunning());
  EXPECT_TRUE(log.Has("Downloader thread Stopped"));
  ExpectProgramUntouched();
}

TEST_F(UpdateDownloadThread, CheckDuringADownloadDoesNotChangeWhatItFetches) {
  ServePackage(kGoodEntries, R"(, "delay": 0.5)");
  Offer("1.05");
  updater_.StartDownload();
  server_.Route("check", R"({"text": "{\"latest_version\": \"9.9\", \"update_url\": \"https://127.0.0.1:1/x\"}"})");
  updater_.CheckForUpdates(false);
  ASSERT_TRUE(WaitUntil([this] { return !updater_.DownloadRunning(); }, 30000));
  EXPECT_EQ(restarts_.load(), 1);
  EXPECT_TRUE(fs::exists(folder_.Path("updates/VornDelvix_update_1.05.rar")));
}

TEST_F(UpdateDownloadThread, ReplyWithoutAddressOrVersionUsesTheDownloadPageAndAnEmptyVersion) {
  MakePackage(server_.BodyPath("package.zip"), kGoodEntries);
  server_.Route("downloads", R"({"body": "package.zip"})");
  server_.Route("check", R"({"text": "{\"other\": \"x\"}"})");
  updater_.CheckForUpdates(false);
  DownloadToTheEnd();
  EXPECT_EQ(restarts_.load(), 1);
  EXPECT_TRUE(fs::exists(folder_.Path("updates/VornDelvix_update_.rar")));
  EXPECT_NE(server_.Requests().back().find("/downloads/?id=10&update=true"), std::string::npos);
}

TEST(UpdateDownloadProgress, ValueOfDoneOfTotal) {
  EXPECT_EQ(DownloadProgressValue(40960, 10240), 37);
  EXPECT_EQ(DownloadProgressValue(40960, 40960), 150);
  EXPECT_EQ(DownloadProgressValue(15, 11), 109);  // 109.99... in double, truncated
  EXPECT_EQ(DownloadProgressValue(0, 0), 0);
  EXPECT_EQ(DownloadProgressValue(uint64_t{6} << 32, uint64_t{3} << 32), 75);  // beyond 32 bits
}

TEST(UpdateDownloader, RefusesWhatItCannotFetchSafely) {
  TempFolder folder;
  std::atomic<bool> cancel{false};
  struct Case {
    std::string url;
    std::string output;
    const char* message;
  };
  const Case cases[] = {
      {"https://127.0.0.1/x", "", "Output File Not Set"},
      {"ftp://127.0.0.1/x", folder.Path("p"), "Must be HTTP url"},
      {"file:///etc/passwd", folder.Path("p"), "Must be HTTP url"},
      {"hxxp://127.0.0.1/x", folder.Path("p"), "Must be HTTP url"},
      {"https://127.0.0.1/x", folder.Path("missing/p"), "Error writing file"},
      {"http://127.0.0.1:" + std::to_string(UnusedPort()) + "/x", folder.Path("p"), "Can't connect"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.url);
    VornDownloader downloader({1000, 1, 0, {}});
    downloader.outputPath = c.output;
    try {
      downloader.Download(c.url, cancel, {});
      ADD_FAILURE() << "no error";
    } catch (const VornDownloadError& error) {
      EXPECT_STREQ(error.what(), c.message);
    }
    EXPECT_FALSE(fs::exists(folder.Path("p")));
  }
}

TEST(UpdateDownloader, OnlyPlainVersionTextsNameAPackage) {
  for (const char* plain : {"", "1.05", "1.05abc", "2.0-beta_1"}) EXPECT_TRUE(IsPlainVersionText(plain)) << plain;
  for (const char* unsafe : {"../1.05", "1/05", "1\\05", "1.05\n", "1 05", "1.05%2F"})
    EXPECT_FALSE(IsPlainVersionText(unsafe)) << unsafe;
}

TEST(UpdateOldProgram, RemovedAtStartUnlessItCannotBe) {
  TempFolder folder;
  LogCapture log;
  folder.Write("delvix.old", "old");
  RemoveOldExecutable(folder.Path("delvix"));
  EXPECT_FALSE(fs::exists(folder.Path("delvix.old")));
  RemoveOldExecutable(folder.Path("delvix"));  // nothing there: nothing happens
  fs::create_directory(folder.Path("delvix.old"));
  RemoveOldExecutable(folder.Path("delvix"));  // a folder: a warning, not the end of the program
  EXPECT_TRUE(fs::is_directory(folder.Path("delvix.old")));
  EXPECT_EQ(log.Lines().size(), 1u);
  EXPECT_TRUE(log.Has("------ WARNING: fileExsits check was ran on a directory: " + folder.Path("delvix.old")));
}

}  // namespace
