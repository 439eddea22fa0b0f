// The background count of loose images that proposes the tool.
#include "core/log.h"
#include "iwd/iwd_box.h"
#include "iwd/iwd_names.h"
#include "iwd/iwd_utils.h"
#include "platform/folder_reader.h"

namespace {

// Body of the counting thread: counts the images (non-folders with ".iwi" in their name, any case)
// in folder and hands the count to the owner's decision. A listing error, or a stop request, ends
// it without a decision.
struct DirectoryCount {
  int32_t count = 0;
  std::string folder;
  VornIWDUtils* owner = nullptr;
  const std::atomic<bool>* stop = nullptr;

  void operator()() {
    platform::FolderReader reader(folder);
    platform::FolderEntry entry;
    while (reader.Next(entry)) {
      if (stop->load(std::memory_order_relaxed)) return;
      if (!entry.isFolder && ContainsIgnoringCase(entry.name, ".iwi")) ++count;
    }
    if (reader.Error() != 0) {
      VornLog::Warningf("DirectoryCount:: Error: %u", static_cast<unsigned>(reader.Error()));
      return;
    }
    owner->ImageCheck(count);
  }
};

}  // namespace

bool VornIWDUtils::StartImageCount() {
  if (!PathsValid()) return false;
  StopCount();
  counting = true;
  countThread = std::thread([this, count = DirectoryCount{0, rawImagesPath, this, &countStop}]() mutable {
    count();
    counting = false;
  });
  return true;
}

void VornIWDUtils::ImageCheck(int32_t count) {
  if (count >= kProposeBelow) return;
  // The box opens on the main thread, between frames, like every command from another thread.
  PostToMainThread(kOpenIwdBoxScript, "");
  VornLog::Printf("ImageCheck:: 'raw/images' looks incomplete with only: '%i iwis' suggested user to run Oxbrin, "
                  "Path: '%s'",
                  count, rawImagesPath.c_str());
  std::lock_guard<std::mutex> lock(progressMutex);
  scanAvailable = true;
}
