#include "model/vorn_loader.h"

#include <algorithm>
#include <cctype>

#include "core/log.h"
#include "core/paths.h"
#include "core/settings.h"
#include "platform/files.h"
#include "platform/folder_reader.h"

namespace {

constexpr int kProgressStep = 100;  // entries between two status rows

unsigned char LowerAscii(char c) { return static_cast<unsigned char>(std::tolower(static_cast<unsigned char>(c))); }

// True when text contains lowered (already lower case), letters compared in either case.
bool ContainsIgnoringCase(const std::string& text, const std::string& lowered) {
  auto found = std::search(text.begin(), text.end(), lowered.begin(), lowered.end(),
                           [](char a, char b) { return LowerAscii(a) == static_cast<unsigned char>(b); });
  return found != text.end() || lowered.empty();
}

// Folder order of the listing: letters compared in either case, ties broken byte by byte, so the
// order is the same on every file system.
bool NameBefore(const std::string& a, const std::string& b) {
  bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                           [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
  if (less) return true;
  bool greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                              [](char x, char y) { return LowerAscii(x) < LowerAscii(y); });
  return !greater && a < b;
}

std::string StatusRow(int count) { return "Loading: " + std::to_string(count); }

}  // namespace

std::string GameXmodelFolder(const std::string& root) {
  if (root.empty() || root == kSetPath) return {};
  return WithTrailingBackslash(root) + "raw/xmodel";
}

void TrimLeft(std::string& text) {
  size_t keep = 0;
  while (keep < text.size() && std::isspace(static_cast<unsigned char>(text[keep]))) ++keep;
  text.erase(0, keep);
}

VornLoader::~VornLoader() { StopListing(); }

void VornLoader::SetHooks(VornLoaderHooks newHooks) {
  std::lock_guard<std::mutex> lock(LoaderMutex);
  hooks = std::move(newHooks);
}

void VornLoader::SetFolder(const std::string& path) {
  if (!platform::IsDirectory(path)) {
    VornLog::Warningf("VornLoader Folder dose not exsist: %s", path.c_str());
    pathValid = false;
    return;
  }
  folder = path;
  Reset();
  pathValid = true;
  AddTrailingBackslash(folder);
}

void VornLoader::LoadList() {
  if (!pathValid) {
    VornLog::Warningf("VornLoader::LoadList called when path is not valid.");
    return;
  }
  if (loading.load()) {
    VornLog::Warningf("VornLoader::LoadList called while already loading directroy");
    return;
  }
  if (listingThread.joinable()) listingThread.join();  // the last listing has ended; reap it
  Reset();
  VornLoaderHooks shown;
  {
    std::lock_guard<std::mutex> lock(LoaderMutex);
    filteredNames.assign(1, StatusRow(0));
    shown = hooks;
  }
  Finish(&filteredNames, false);
  if (shown.statusRow) shown.statusRow(0);
  loading.store(true);
  listingThread = std::thread(ListDirctory{folder, &allNames, this});
}

std::string VornLoader::GetFolder() const {
  if (!folder.empty() && (folder.back() == '/' || folder.back() == '\\')) {
    return folder.substr(0, folder.size() - 1);
  }
  return folder;
}

void VornLoader::ApplyFilter(const std::string& search, bool keepStored) {
  bool reset;
  {
    std::lock_guard<std::mutex> lock(LoaderMutex);
    reset = ApplyFilterLocked(search, keepStored);
  }
  if (reset) CallResetListBox();
}

bool VornLoader::ApplyFilterLocked(const std::string& search, bool keepStored) {
  std::string s = search;
  TrimLeft(s);
  for (char& c : s) c = static_cast<char>(LowerAscii(c));

  if (s.empty() && (!keepStored || searchText.empty())) {
    searchText.clear();
    if (!showingAll) {
      shownNames = &allNames;
      shownList = &fullList;
      showingAll = true;
    }
    return false;
  }
  if (keepStored) {
    s = searchText;
  } else {
    searchText = s;
  }

  filteredNames.clear();
  filteredList.Clear();
  showingAll = false;

  // Rows the list box has shortened: the full list holds their full names by index.
  std::vector<int> fullRowOf(allNames.size(), -1);
  for (size_t r = 0; r < fullList.values.size(); ++r) {
    int value = fullList.values[r];
    if (value >= 0 && static_cast<size_t>(value) < allNames.size() && fullRowOf[value] < 0) {
      fullRowOf[value] = static_cast<int>(r);
    }
  }
  for (size_t i = 0; i < allNames.size(); ++i) {
    int row = fullRowOf[i];
    const std::string& fullName = row >= 0 ? fullList.rows[row] : allNames[i];
    if (!ContainsIgnoringCase(fullName, s)) continue;
    if (row >= 0) {
      fullList.selection = row;
      filteredList.AddRow(fullName, static_cast<int>(filteredNames.size()));
    }
    filteredNames.push_back(allNames[i]);
  }
  shownNames = &filteredNames;
  shownList = &filteredList;
  return true;
}

void VornLoader::CallResetListBox() const {
  std::function<void()> reset;
  {
    std::lock_guard<std::mutex> lock(LoaderMutex);
    reset = hooks.resetListBox;
  }
  if (reset) reset();
}

void VornLoader::Reset() {
  std::lock_guard<std::mutex> lock(LoaderMutex);
  ResetLocked();
}

void VornLoader::ResetLocked() {
  shownNames = nullptr;
  listReady = false;
  filteredNames.clear();
  allNames.clear();
  filteredList.Clear();
  fullList.Clear();
}

void VornLoader::StopListing() {
  stopRequested.store(true);
  if (listingThread.joinable()) listingThread.join();
  stopRequested.store(false);
  loading.store(false);
}

void VornLoader::ReportProgress(int count) {
  std::function<void(int)> shown;
  {
    std::lock_guard<std::mutex> lock(LoaderMutex);
    filteredNames.assign(1, StatusRow(count));
    shown = hooks.statusRow;
  }
  if (shown) shown(count);
}

void VornLoader::Finish(std::vector<std::string>* names, bool done) {
  bool reset;
  {
    std::lock_guard<std::mutex> lock(LoaderMutex);
    if (done) std::sort(names->begin(), names->end(), NameBefore);
    shownNames = names;
    shownList = &fullList;
    reset = ApplyFilterLocked(std::string(), true);
    if (done) {
      shortenPending = true;
      listReady = true;
    }
  }
  loading.store(false);
  if (reset) CallResetListBox();
}

void ListDirctory::operator()() const {
  platform::FolderReader reader(folder);
  if (!reader.IsOpen()) {
    VornLog::Warningf("VornLoader::LoadList Error: %u", static_cast<unsigned>(reader.Error()));
    owner->Finish(names, true);
    return;
  }
  platform::FolderEntry entry;
  int counted = -1;  // the first entry is not counted
  while (reader.Next(entry)) {
    if (owner->StopRequested()) return;  // program exit: the names are not shown
    if (!entry.isFolder && entry.name.find('.') == std::string::npos) {
      std::lock_guard<std::mutex> lock(LoaderMutex);
      names->push_back(std::move(entry.name));
    }
    if (++counted > 0 && counted % kProgressStep == 0) owner->ReportProgress(counted);
  }
  if (reader.Error() != 0) {
    VornLog::Warningf("VornLoader::LoadList Error: %u", static_cast<unsigned>(reader.Error()));
  }
  owner->Finish(names, true);
}
