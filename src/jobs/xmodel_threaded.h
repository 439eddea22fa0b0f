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
// taken, guarding the queue, the stop request, the folders and the settings the worker uses.
// Producers may hold the frame mutex or the loader mutex when they queue.
//
// Index:
//   ExportJobFlags                  flag set of an export command
//   XmodelThreaded                  life cycle, producers, folders, the model, view data
//   xmodel_threaded.cpp             queue, worker loop, life cycle
//   xmodel_threaded_steps.cpp       the steps of one job
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "jobs/job_flags.h"
#include "jobs/job_steps.h"
#include "model/xmodel.h"

// The flag set of an export command: exportFlag, plus MoveImages when the setting exp_images is
// set. Main thread.
uint32_t ExportJobFlags(uint32_t exportFlag);

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

  // ---- Producers (main thread; any thread may call them) ---------------------------------------

  // Appends a job; with clearFirst every job still waiting is dropped first. Wakes the worker.
  void AddJob(const std::string& path, uint32_t flags, bool clearFirst);
  // A command's job: no path (export_ma, export_obj, export_XE, view_tags, dump_GDT).
  void QueueJob(uint32_t flags);
  // The load of the model name listed in folder (the model list's folder): logs "Passing Xmodel:
  // '%s' to background loader"; with the setting clear_list_on_change the waiting jobs are
  // dropped first.
  void QueueXmodelLoad(const std::string& folder, const std::string& name);
  // The conversion of one image of the loaded model; slotAndMaterial is "<slot>:<material>".
  void QueueIwiToDdsJob(const std::string& slotAndMaterial);
  void QueueIwiToTgaJob(const std::string& slotAndMaterial);

  // ---- Values the worker reads (main thread) ---------------------------------------------------

  void SetExportFolder(const std::string& folder);
  void SetGDTFolder(const std::string& folder);
  // The game whose file layouts the readers use (the active-game switch); taken when the next
  // job starts.
  void SetGame(GameId game);
  // The model's unit scale and image format; taken by the next load and export.
  void SetModelScale(float scale);
  void SetImagesAsTga(bool asTga);

  // The notice's click action (the bubble's thread): opens the folder of the last job notice.
  // Returns true, so the bubble closes.
  bool OpenOutputFolder();

  // ---- Shared with the view --------------------------------------------------------------------

  std::mutex frameMutex;       // held by every frame and by the worker's upload
  int32_t renderLodCount = 0;  // LOD slots the 3D view draws; guarded by frameMutex
  std::mutex boundsMutex;      // guards the view's boxes of the model

  // The loaded model. The worker's while it runs; other threads only read its progress and set
  // its scale and image format (atomic values).
  Xmodel& Model() { return model_; }

 private:
  // What a job uses of the main thread's values, copied under the queue mutex when it starts.
  struct JobContext {
    std::string exportFolder;  // the export folder, plus "/<model>" with sub_folder after the load
    std::string gdtFolder;
    GameId game = GameId::Cod5;
    bool subFolder = false;
    bool exportLods = false;
    bool tagsLocal = false;
    bool trayIcon = false;
  };
  // The settings the worker reads, copied from the settings (on the producer's thread) by the
  // constructor and by every AddJob.
  struct JobSettings {
    bool subFolder = false;
    bool exportLods = false;
    bool tagsLocal = false;
    bool trayIcon = false;
  };
  static JobSettings CurrentSettings();

  void JobThread();
  bool StopRequested();
  JobContext TakeContext();

  // The steps of one job (xmodel_threaded_steps.cpp).
  void RunJob(const XmodelJob& job);
  void LoadStep(const std::string& path);
  void SurfacesStep();
  void BoundsStep();
  void ImagesStep();
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
  std::vector<XmodelJob> jobQueue_;  // oldest first
  bool stopRequested_ = false;
  std::string exportFolder_;
  std::string gdtFolder_;
  GameId game_ = GameId::Cod5;
  JobSettings settings_;

  std::mutex noticeMutex_;      // innermost
  std::string jobNoticeFolder_; // the folder a click on the last job notice opens

  std::thread thread_;
};
