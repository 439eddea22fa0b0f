// The job queue, the worker loop and the worker's life cycle.
#include "jobs/xmodel_threaded.h"

#include "core/log.h"
#include "core/settings.h"

namespace {
constexpr size_t kQueueCapacity = 512;
}

uint32_t ExportJobFlags(uint32_t exportFlag) {
  return gSettings.exp_images ? (exportFlag | MoveImages) : exportFlag;
}

XmodelThreaded::XmodelThreaded() : settings_(CurrentSettings()) { jobQueue_.reserve(kQueueCapacity); }

XmodelThreaded::~XmodelThreaded() {
  Stop();
  model_.Unload();
}

XmodelThreaded::JobSettings XmodelThreaded::CurrentSettings() {
  JobSettings settings;
  settings.subFolder = gSettings.sub_folder;
  settings.exportLods = gSettings.export_lods;
  settings.tagsLocal = gSettings.tags_local;
  settings.trayIcon = gSettings.tray_icon;
  return settings;
}

void XmodelThreaded::Start(const std::string& programFolder) {
  if (!stopped_) return;
  programFolder_ = programFolder;
  {
    std::lock_guard<std::mutex> lock(queueMutex_);
    stopRequested_ = false;
  }
  thread_ = std::thread(&XmodelThreaded::JobThread, this);
  VornLog::Printf("Background Xmodel thread started");
  stopped_ = false;
}

void XmodelThreaded::Stop() {
  if (stopped_) return;
  {
    std::lock_guard<std::mutex> lock(queueMutex_);
    stopRequested_ = true;
  }
  queueCondition_.notify_all();
  thread_.join();
  VornLog::Printf("Xmodel thread Stopped");
  stopped_ = true;
}

void XmodelThreaded::AddJob(const std::string& path, uint32_t flags, bool clearFirst) {
  JobSettings settings = CurrentSettings();
  {
    std::lock_guard<std::mutex> lock(queueMutex_);
    if (clearFirst) jobQueue_.clear();
    jobQueue_.push_back(XmodelJob{path, flags});
    settings_ = settings;
  }
  queueCondition_.notify_all();
}

void XmodelThreaded::QueueJob(uint32_t flags) { AddJob(std::string(), flags, false); }

void XmodelThreaded::QueueXmodelLoad(const std::string& folder, const std::string& name) {
  VornLog::Printf("Passing Xmodel: '%s' to background loader", name.c_str());
  AddJob(folder + "/" + name, kModelLoadJob, gSettings.clear_list_on_change);
}

void XmodelThreaded::QueueIwiToDdsJob(const std::string& slotAndMaterial) {
  AddJob(slotAndMaterial, IwiToDds, false);
}

void XmodelThreaded::QueueIwiToTgaJob(const std::string& slotAndMaterial) {
  AddJob(slotAndMaterial, IwiToTga, false);
}

void XmodelThreaded::SetExportFolder(const std::string& folder) {
  std::lock_guard<std::mutex> lock(queueMutex_);
  exportFolder_ = folder;
}

void XmodelThreaded::SetGDTFolder(const std::string& folder) {
  std::lock_guard<std::mutex> lock(queueMutex_);
  gdtFolder_ = folder;
}

void XmodelThreaded::SetGame(GameId game) {
  std::lock_guard<std::mutex> lock(queueMutex_);
  game_ = game;
}

void XmodelThreaded::SetModelScale(float scale) { model_.scale.store(scale); }

void XmodelThreaded::SetImagesAsTga(bool asTga) { model_.imagesAsTga.store(asTga); }

bool XmodelThreaded::OpenOutputFolder() {
  std::string folder;
  {
    std::lock_guard<std::mutex> lock(noticeMutex_);
    folder = jobNoticeFolder_;
  }
  if (steps_.openPath) steps_.openPath(folder);
  return true;
}

bool XmodelThreaded::StopRequested() {
  std::lock_guard<std::mutex> lock(queueMutex_);
  return stopRequested_;
}

XmodelThreaded::JobContext XmodelThreaded::TakeContext() {
  JobContext context;
  std::lock_guard<std::mutex> lock(queueMutex_);
  context.exportFolder = exportFolder_;
  context.gdtFolder = gdtFolder_;
  context.game = game_;
  context.subFolder = settings_.subFolder;
  context.exportLods = settings_.exportLods;
  context.tagsLocal = settings_.tagsLocal;
  context.trayIcon = settings_.trayIcon;
  return context;
}

// Waits for jobs, takes all pending ones at once and runs them in order. A stop request is seen
// when the worker wakes and between jobs; the jobs not started then are dropped.
void XmodelThreaded::JobThread() {
  std::vector<XmodelJob> batch;
  batch.reserve(kQueueCapacity);
  for (;;) {
    {
      std::unique_lock<std::mutex> lock(queueMutex_);
      queueCondition_.wait(lock, [this] { return stopRequested_ || !jobQueue_.empty(); });
      if (stopRequested_) {
        jobQueue_.clear();
        break;
      }
      batch.swap(jobQueue_);
    }
    for (const XmodelJob& job : batch) {
      if (StopRequested()) break;
      RunJob(job);
    }
    batch.clear();
  }
}
