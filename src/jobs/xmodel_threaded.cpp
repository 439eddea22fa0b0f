// The job queue, the worker loop and the worker's life cycle.
#include "jobs/xmodel_threaded.h"

#include "core/log.h"

namespace {
constexpr size_t kQueueCapacity = 512;
}

XmodelThreaded::XmodelThreaded() { jobQueue_.reserve(kQueueCapacity); }

XmodelThreaded::~XmodelThreaded() {
  Stop();
  model_.Unload();
}

JobOptions XmodelThreaded::CurrentOptions() const { return optionsSource_ ? optionsSource_() : JobOptions{}; }

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

void XmodelThreaded::Append(const std::string& path, uint32_t flags, bool clearFirst, JobOptions options) {
  {
    std::lock_guard<std::mutex> lock(queueMutex_);
    if (clearFirst) jobQueue_.clear();
    jobQueue_.push_back(QueuedJob{XmodelJob{path, flags}, std::move(options)});
  }
  queueCondition_.notify_all();
}

void XmodelThreaded::AddJob(const std::string& path, uint32_t flags, bool clearFirst) {
  Append(path, flags, clearFirst, CurrentOptions());
}

void XmodelThreaded::QueueJob(uint32_t flags) { AddJob(std::string(), flags, false); }

void XmodelThreaded::QueueExport(uint32_t exportFlag) {
  JobOptions options = CurrentOptions();
  const uint32_t flags = options.exportImages ? (exportFlag | MoveImages) : exportFlag;
  Append(std::string(), flags, false, std::move(options));
}

void XmodelThreaded::QueueXmodelLoad(const std::string& folder, const std::string& name) {
  VornLog::Printf("Passing Xmodel: '%s' to background loader", name.c_str());
  JobOptions options = CurrentOptions();
  const bool dropWaiting = options.dropWaitingOnLoad;
  Append(folder + "/" + name, kModelLoadJob, dropWaiting, std::move(options));
}

void XmodelThreaded::QueueIwiToDdsJob(const std::string& slotAndMaterial) {
  AddJob(slotAndMaterial, IwiToDds, false);
}

void XmodelThreaded::QueueIwiToTgaJob(const std::string& slotAndMaterial) {
  AddJob(slotAndMaterial, IwiToTga, false);
}

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

// Waits for jobs, takes all pending ones at once and runs them in order. A stop request is seen
// when the worker wakes and between jobs; the jobs not started then are dropped.
void XmodelThreaded::JobThread() {
  std::vector<QueuedJob> batch;
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
    for (QueuedJob& queued : batch) {
      if (StopRequested()) break;
      RunJob(queued.job, std::move(queued.options));
    }
    batch.clear();
  }
}
