#pragma once
// XmodelThreaded: the job queue and the job thread. Every model load and every export runs on
// this one background thread, so the window keeps drawing while files are read and written. The
// main thread appends jobs (AddJob and the producers below) and wakes the worker; the worker takes
// all pending jobs at once and runs each as the fixed sequence of steps its JobFlags choose.
// The loaded model lives here and belongs to the worker.
//
// Threads and locks (outermost first): frameMutex, held by every frame and by the worker from the
// bone display rebuild to the end of the GPU upload; boundsMutex, held by the worker only while
// rebuilding the boxes (never together with frameMutex); queueMutex, inside which nothing else is
// taken, guarding the queue and the stop request. Producers may hold the frame mutex or the loader
// mutex when they queue. Each job carries the options it was queued with (JobOptions), so the
// worker never reads the settings.
//
// Index:
//   XmodelThreaded                  life cycle, producers, folders, the model, view data
//   xmodel_threaded.cpp             queue, worker loop, life cycle
//   xmodel_threaded_steps.cpp       the steps of one job
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "jobs/job_flags.h"
#include "jobs/job_options.h"
#include "jobs/job_steps.h"
#include "model/xmodel.h"

class XmodelThreaded {
 public:
  // Not started: jobs may be queued and wait. Folders empty, queue capacity 512.
  XmodelThreaded();
  // Stops the worker (joined), then unloads the model.
  ~XmodelThreaded();
  XmodelThreaded(const XmodelThreaded&) = delete;
  XmodelThreaded& operator=(const XmodelThreaded&) = delete;

  // ---- Life cycle (main thread) ----------------------------------------------------------------

  // The steps other subsystems plug in. Change them only while the worker is not running.
  JobSteps& Steps() { return steps_; }
  // Starts the worker with the program's folder (no trailing separator; the tags page goes to
  // its "Tags" folder) and logs "Background Xmodel thread started". The worker's GL context is
  // made beforehand by its owner and reached through Steps().gpu.
  void Start(const std::string& programFolder);
  // Asks the worker to end and waits for it: a job that runs ends first, jobs not started are
  // dropped. Logs "Xmodel thread Stopped". Nothing when the worker does not run.
  void Stop();
  bool IsRunning() const { return !stopped_; }

  // The function producers call for the options of the job they queue, on their own thread (the
  // main thread's producers read the settings there). Unset: default options. Set it while no
  // producer runs.
  void SetOptionsSource(std::function<JobOptions()> source) { optionsSource_ = std::move(source); }

  // ---- Producers (main thread; any thread may call them) ---------------------------------------

  // Appends a job with the source's options; with clearFirst every job still waiting is dropped
  // first. Wakes the worker.
  void AddJob(const std::string& path, uint32_t flags, bool clearFirst);
  // A command's job: no path (view_tags, dump_GDT).
  void QueueJob(uint32_t flags);
  // An export command's job (export_ma, export_obj, export_XE): exportFlag, plus MoveImages when
  // the options ask for the model's images too.
  void QueueExport(uint32_t exportFlag);
  // The load of the model name listed in folder (the model list's folder): logs "Passing Xmodel:
  // '%s' to background loader"; when the options say so the waiting jobs are dropped first.
  void QueueXmodelLoad(const std::string& folder, const std::string& name);
  // The conversion of one image of the loaded model; slotAndMaterial is "<slot>:<material>".
  void QueueIwiToDdsJob(const std::string& slotAndMaterial);
  void QueueIwiToTgaJob(const std::string& slotAndMaterial);

  // The notice's click action (the bubble's thread): opens the folder of the last job notice.
  // Returns true, so the bubble closes.
  bool OpenOutputFolder();

  // ---- Shared with the view --------------------------------------------------------------------

  std::mutex frameMutex;       // held by every frame and by the worker's upload
  int32_t renderLodCount = 0;  // LOD slots the 3D view draws; guarded by frameMutex
  std::mutex boundsMutex;      // guards the view's boxes of the model

  // The loaded model. The worker's while it runs; other threads only read its progress (atomic).
  Xmodel& Model() { return model_; }

 private:
  // A job as the queue holds it: the request and the options it was queued with.
  struct QueuedJob {
    XmodelJob job;
    JobOptions options;
  };
  // The options a job's steps use: the queued ones, with "/<model>" added to the export folder
  // after the load when they ask for a sub-folder.
  using JobContext = JobOptions;

  JobOptions CurrentOptions() const;
  void Append(const std::string& path, uint32_t flags, bool clearFirst, JobOptions options);
  void JobThread();
  bool StopRequested();

  // The steps of one job (xmodel_threaded_steps.cpp).
  void RunJob(const XmodelJob& job, JobContext context);
  void LoadStep(const std::string& path);
  void SurfacesStep();
  void BoundsStep();
  void ImagesStep(const JobContext& context);
  void ExportStep(uint32_t flags, const JobContext& context);
  std::string TagsFolder(const JobContext& context) const;
  void DumpTagsStep(const JobContext& context);
  void OpenTagsStep(const JobContext& context);
  void TagStaticFilesStep(const JobContext& context);
  void DumpGdtStep(const JobContext& context);
  void MoveImagesStep(const JobContext& context);
  void ConvertStep(const XmodelJob& job);
  void ShowJobNotice(const JobContext& context, const std::string& text, const std::string& title,
                     const std::string& folder);

  JobSteps steps_;
  Xmodel model_;
  ResultCode jobResult_ = ResultCode::Success;  // result of the step that ran last (worker)
  bool gpuBuffersCreated_ = false;              // worker
  std::string programFolder_;                   // set before the worker starts
  bool stopped_ = true;                         // main thread

  std::mutex queueMutex_;
  std::condition_variable queueCondition_;
  std::vector<QueuedJob> jobQueue_;  // oldest first
  bool stopRequested_ = false;
  std::function<JobOptions()> optionsSource_;  // set before producers run

  std::mutex noticeMutex_;      // innermost
  std::string jobNoticeFolder_; // the folder a click on the last job notice opens

  std::thread thread_;
};
