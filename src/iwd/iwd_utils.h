#pragma once
// VornIWDUtils: the IWD image tool. The games keep their images in IWD archives (ZIP files) in the
// game's "main" folder, while the viewer reads loose ".iwi" files from "raw/images". The tool copies
// every ".iwi" entry of every archive into the game's "raw" folder, keeping files already there.
//
// Two ways in: choosing a game root checks the folders and counts the loose images on a background
// thread, proposing the tool (through the mailbox) below 2,500; "Move IWD's Over" checks the folders
// and opens the tool's box at once. The box's "run_iwd_scan" starts the scan thread (RunScan),
// "cancel_iwd_scan" asks it to stop (RequestCancel). The frame turns the progress into the box's
// values and empties the one-slot mailbox through which the threads hand the main thread a command
// script and an error text (FrameUpdate).
//
// Threads: the main thread calls everything not marked otherwise. The progress, the flags and the
// mailbox are guarded by one mutex; cancel is atomic. Both threads are joinable and joined (Stop,
// the destructor); a second scan cannot start while one runs.
//
// Safety: entry names that would leave the raw folder are refused, images are written whole or not
// at all, a damaged or foreign archive is reported by name and the scan goes on with the next.
#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "core/zip_archive.h"

class ImageTargets;

// A snapshot of the scan's progress, taken by the frame.
struct IWDProgress {
  std::string progressText;  // archives done "/" archives found
  int32_t entriesDone = 0;   // ".iwi" entries handled in the current archive
  int32_t skipped = 0;       // of these, kept because the file exists
  int32_t moved = 0;         // of these, written
  int32_t currentIwd = 0;    // 1-based number of the archive being extracted
  int32_t iwdCount = 0;      // archives found
  bool running = false;      // a scan thread is working
};

// The result of one archive.
enum class IWDResult : int32_t {
  NotOpened = 0,         // missing, not a ZIP archive, or cut short
  PermissionDenied = 1,  // an image could not be written for lack of permission: the scan stops
  DirectoryDamaged = 3,  // the archive's directory cannot be read
  NoEntries = 4,
  CrcError = 5,          // an image's bytes did not match its CRC or length
  EntryFailed = 7,       // an entry refused (unsafe name, zip bomb, encrypted) or unreadable
  Done = 9,              // every entry handled, or the scan was cancelled
};

// The image result code of writing one image (as ErrorCodeText knows them) and, for an image whose
// bytes were bad, the reader's status.
struct IwiWrite {
  static constexpr int32_t kKept = 4;      // the file exists and stays untouched
  static constexpr int32_t kNotCreated = 5;
  static constexpr int32_t kNoPermission = 6;
  static constexpr int32_t kBadData = 0;   // see data
  static constexpr int32_t kWritten = 24;
  int32_t code = kNotCreated;
  ZipStatus data = ZipStatus::Ok;
};

// What the tool needs from the GUI, supplied by the application. Called on the main thread only;
// an empty function does nothing.
struct IWDGuiHooks {
  std::function<void(const std::string& text)> showError;    // the error box
  std::function<void(const std::string& script)> execCmd;    // runs a command script
  std::function<void(const std::string& key, const std::string& text)> setTextValue;
  std::function<void(const std::string& key, int value)> setProgressValue;
};

class VornIWDUtils {
 public:
  static constexpr int32_t kProposeBelow = 2500;  // fewer loose images than this propose the tool

  VornIWDUtils();
  // Stops and joins both threads.
  ~VornIWDUtils();
  VornIWDUtils(const VornIWDUtils&) = delete;
  VornIWDUtils& operator=(const VornIWDUtils&) = delete;

  void SetGuiHooks(IWDGuiHooks hooks);

  // Stores the game root and clears the folder check and the scan's availability; stops a count
  // still running for the previous root. A running scan is not touched (it keeps its own paths).
  void SetPath(const std::string& root);
  // "Move IWD's Over": checks the folders; when they are there, makes the scan available and opens
  // the box. Otherwise the error box says what is missing.
  void CheckForImages();
  // The game-root pickers: checks the folders; when they are there, starts the image count.
  void CheckForImagesAndCount();
  // Starts the counting thread (after stopping an earlier one) when the folders were found.
  bool StartImageCount();
  // The counting thread's decision: fewer than kProposeBelow images make the scan available and
  // post the box's opening. Any thread.
  void ImageCheck(int32_t count);

  // "run_iwd_scan": starts the scan thread when the folders were checked, the scan is available and
  // no scan runs. True when it started.
  bool RunScan();
  // "cancel_iwd_scan": the scan stops before its next entry. Any thread.
  void RequestCancel();
  // At exit: cancels the scan and the count and waits for both threads.
  void Stop();

  // The archive names in the "main" folder: regular entries with ".iwd" in their name (any case),
  // sorted case-insensitively. Folders are never archives.
  std::vector<std::string> IWDList() const;
  // Extracts the ".iwi" entries of one archive (the scan thread, or the main thread while no scan
  // runs). Problems are logged and collected for the end message; the archive is walked to its end
  // whatever its entries' problems, and the first problem is its result.
  IWDResult ExtractIWD(const std::string& archivePath);
  // Writes one image entry to its target unless a file of its name is there.
  IwiWrite WriteIWI(ZipArchive& zip, const ZipEntry& entry, ImageTargets& targets);

  // Fills the one-slot mailbox (a later post replaces an unread one). Any thread.
  void PostToMainThread(const std::string& command, const std::string& message);
  // Empties the mailbox: true with its command and message when it held a post. Any thread.
  bool TakePending(std::string& command, std::string& message);
  std::string GetPendingCommand() const;
  std::string GetPendingMessage() const;
  IWDProgress GetProgress() const;
  // The counting thread is still at work. Any thread.
  bool Counting() const { return counting; }
  bool PathsValid() const;
  bool ScanAvailable() const;
  const std::string& RawImagesPath() const { return rawImagesPath; }
  const std::string& MainPath() const { return mainPath; }

  // The frame's step: while a scan runs, the box's texts and progress bar; otherwise the mailbox
  // (its error text first, then its command).
  void FrameUpdate();

  // Tests: called on the scan thread after each image entry it handled.
  void SetEntryHook(std::function<void()> hook) { entryHook = std::move(hook); }

 private:
  bool CheckFolders();
  void ReportImageCheckError(const std::string& text);
  void Scan();
  void FinishScan(const std::string& message);
  void CountImages(std::string folder);
  void StopCount();

  // Main thread.
  std::string root;
  std::string rawPath;        // root + "raw", as on disk
  std::string rawImagesPath;  // root + "raw/images", as on disk
  std::string mainPath;       // root + "main", as on disk
  IWDGuiHooks gui;

  // Set by RunScan before the scan thread starts; read by that thread only.
  std::string scanRawPath;
  std::string scanMainPath;
  std::vector<std::string> scanFailures;  // "archive: problem", one per failed archive
  std::unique_ptr<ImageTargets> scanTargets;  // made and ended by the scan thread
  std::function<void()> entryHook;

  // Guarded by progressMutex.
  mutable std::mutex progressMutex;
  std::string progressText;
  int32_t entriesDone = 0;
  int32_t skipped = 0;
  int32_t moved = 0;
  int32_t currentIwd = 0;
  int32_t iwdCount = 0;
  bool pathsValid = false;
  bool scanAvailable = false;
  bool running = false;
  bool pending = false;
  std::string pendingCommand;
  std::string pendingMessage;

  std::atomic<bool> cancel{false};
  std::atomic<bool> countStop{false};
  std::atomic<bool> counting{false};
  std::thread scanThread;
  std::thread countThread;
};

// The program's one IWD image tool (iwd_global.cpp).
extern VornIWDUtils gIWDUtils;
