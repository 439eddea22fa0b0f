#pragma once
// VornLoader: the list of models of the active game. A listing thread (ListDirctory) reads the
// names of the model files in the game's "raw/xmodel" folder; the list box "xmodels" shows either
// all of them or those that contain the search text typed into the search box. While a listing
// runs the list shows one status row, "Loading: " and the number of folder entries passed so far,
// renewed every 100 entries.
//
// Threads and locks: the main thread sets the folder, starts listings, filters and draws; one
// listing thread at a time appends names. LoaderMutex guards the names, both ListData, the shown
// pointers and the two flags; the list box holds it while it draws. Lock order: the frame mutex
// before LoaderMutex, and nothing that holds LoaderMutex waits for the frame mutex (the GUI hooks
// are therefore called with LoaderMutex released). The listing thread is owned by the loader and
// joined before the loader goes away.
//
// Index:
//   LoaderMutex, GameXmodelFolder, TrimLeft
//   VornLoaderHooks   what the GUI plugs in (list box reset, status row changed)
//   VornLoader        folder, listing, filter, the state the list box reads
//   ListDirctory      the listing thread's function object
#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "model/list_data.h"

extern std::mutex LoaderMutex;

// The folder of model files of a game: its root folder followed by "/raw/xmodel". Empty when
// the root is not set (empty or "Set Path").
std::string GameXmodelFolder(const std::string& root);

// Removes the leading characters for which isspace is true.
void TrimLeft(std::string& text);

// Calls into the GUI. Each may be empty (then nothing happens). They are called with LoaderMutex
// released, on the main thread or on the listing thread: a hook that touches what frames draw
// must hand its work to the main thread and must not wait for the frame mutex.
struct VornLoaderHooks {
  // The command "reset_listbox xmodels;": puts the list box's scroll bar back to the top.
  std::function<void()> resetListBox;
  // The status row now reads "Loading: " + count (0 when a listing starts, then every 100
  // entries); a window that idles may redraw.
  std::function<void(int count)> statusRow;
};

class VornLoader {
 public:
  VornLoader() = default;
  // Ends a running listing (StopListing) before the names go away.
  ~VornLoader();
  VornLoader(const VornLoader&) = delete;
  VornLoader& operator=(const VornLoader&) = delete;

  // Main thread, while no listing runs.
  void SetHooks(VornLoaderHooks hooks);

  // Takes path as the folder to list when it is a folder: resets the list and marks the path
  // valid (the stored folder ends in "/"). Otherwise logs the warning "VornLoader Folder dose
  // not exsist: %s", marks the path not valid and keeps the old folder.
  void SetFolder(const std::string& path);
  // Starts listing the folder on the listing thread and shows "Loading: 0". Refused, with a
  // warning, when the path is not valid or a listing runs already.
  void LoadList();
  // The folder without its trailing separator; the load job's path is made from it.
  std::string GetFolder() const;
  // Shows the names that contain search (leading white space removed; letters match either
  // case); an empty search shows all names. keepStored applies the search text in force instead
  // (used when a listing ends). Then asks the GUI to reset the list box, unless all names were
  // shown already or come back unfiltered. Takes LoaderMutex.
  void ApplyFilter(const std::string& search, bool keepStored = false);
  // Shows nothing and empties both name lists and both ListData; the search text stays. Takes
  // LoaderMutex.
  void Reset();
  // A listing runs; the game switch refuses to switch games then. Any thread.
  bool IsLoading() const { return loading.load(); }
  // Asks a running listing to end and waits for it (program exit). The listing ends without
  // showing its names.
  void StopListing();

  // Called by the listing thread.
  // Status row "Loading: " + count. Takes LoaderMutex.
  void ReportProgress(int count);
  // Shows names (and applies a search text in force); with done, the names are put in order and
  // the list is marked ready and to be shortened; then the listing counts as ended. Takes
  // LoaderMutex.
  void Finish(std::vector<std::string>* names, bool done);

  // What the list box reads and writes, only with LoaderMutex held.
  std::vector<std::string>* shownNames = nullptr;  // rows to draw; null: draw nothing
  ListData* shownList = nullptr;                   // the ListData of the shown rows
  bool shortenPending = false;  // a finished listing has new rows; the list box shortens once
  bool listReady = false;       // a listing has finished; rows answer clicks only then

 private:
  friend struct ListDirctory;

  void ResetLocked();
  // Applies the filter with LoaderMutex held; true when the list box should be reset.
  bool ApplyFilterLocked(const std::string& search, bool keepStored);
  void CallResetListBox() const;
  bool StopRequested() const { return stopRequested.load(); }

  std::vector<std::string> filteredNames;  // the status row during a listing, else the matches
  std::vector<std::string> allNames;       // every name of the last listing, in order
  ListData filteredList;
  ListData fullList;
  std::string folder;           // ends in "/"
  std::string searchText;       // in force: trimmed, lower case; empty for none
  bool pathValid = false;
  bool showingAll = true;
  std::atomic<bool> loading{false};
  std::atomic<bool> stopRequested{false};
  std::thread listingThread;
  VornLoaderHooks hooks;  // set on the main thread while no listing runs; read by both
};

// The listing thread: appends the name of every file without "." in its name to the loader's
// names, reports progress every 100 entries and finishes the listing, also after an error.
struct ListDirctory {
  std::string folder;                // the folder listed
  std::vector<std::string>* names;   // the loader's list of all names
  VornLoader* owner;

  void operator()() const;
};
