#pragma once
// JobSteps: the work that other subsystems plug into the job thread. The job thread loads models
// itself; everything else it reaches through these functions, set by their owners (exporters,
// image writing, GPU upload, bounds, bone display, model trees, sound, notices, the desktop) while
// the worker is not running. A step left empty does nothing and logs nothing; the job goes on.
//
// Every function runs on the job thread, except openPath when called by
// XmodelThreaded::OpenOutputFolder (the notice bubble's thread). Result-returning steps give the
// shared ResultCode: Success (28), AlreadyPresent (27) or a failure whose ErrorText is logged.
//
// Locks held by the job thread while it calls:
//   buildBounds                      XmodelThreaded::boundsMutex
//   buildBoneDisplay, gpu.*, buildTrees  XmodelThreaded::frameMutex
//   every other step                 none
#include <cstdint>
#include <functional>
#include <string>

#include "jobs/job_options.h"
#include "model/result_code.h"

class Xmodel;

// The worker's OpenGL context, shared with the window's. Without makeCurrent the job thread
// does no GPU work at all.
struct JobGpuSteps {
  // Makes the worker's context current on the job thread; false when that fails (the thread
  // tries 5 times, 5 ms apart, then logs "Failed To Set OpenGL Contex").
  std::function<bool()> makeCurrent;
  // Finishes the GL work (glFinish) and leaves no context current on the job thread. Called after
  // every upload, so the context is never current between jobs; its owner deletes it after
  // XmodelThreaded::Stop.
  std::function<void()> releaseCurrent;
  // Creates the GPU buffers; called with the context current, once per run of the program.
  std::function<void()> createBuffers;
  // Fills the view's LOD slots from the model (ModelRenderData::Build): empties them, and fills
  // them and sets renderLodCount only when jobResult is Success; the images' textures only
  // withTextures.
  std::function<void(Xmodel& model, int32_t& renderLodCount, ResultCode jobResult, bool withTextures)> upload;
};

struct JobSteps {
  // Model data for the view.
  std::function<void(const Xmodel& model)> buildBounds;       // boxes per LOD
  std::function<void(Xmodel& model, bool readFiles)> loadImages;  // the IWI images of the materials
  std::function<void(const Xmodel& model)> buildBoneDisplay;  // bones drawn by the 3D view
  std::function<void(const Xmodel& model)> buildTrees;        // model information and tag trees
  JobGpuSteps gpu;

  // Exports, with the options of the job. The Maya and OBJ writers write the LOD given; the
  // XMODEL_EXPORT writer writes LOD 0. Each records its duration in milliseconds in the LOD's
  // exportClock.
  using LodExport = ResultCode(Xmodel& model, const std::string& folder, int lod, const ExportOptions& options);
  std::function<LodExport> exportMaya;
  std::function<LodExport> exportObj;
  std::function<ResultCode(Xmodel& model, const std::string& folder, const ExportOptions& options)> exportXmodelExport;
  // The tags page "<model>_tags.html" in folder, and its two image files.
  std::function<ResultCode(Xmodel& model, const std::string& folder)> dumpTags;
  std::function<ResultCode(const std::string& folder)> writeTagStaticFiles;
  // The GDT file named after the model in folder.
  std::function<ResultCode(Xmodel& model, const std::string& name, const std::string& folder,
                           const ExportOptions& options)> dumpGdt;
  // The images of the model's materials, into folder or beside their IWI files.
  std::function<ResultCode(Xmodel& model, const std::string& folder, const ExportOptions& options)> moveImages;
  // Converts the image of "<texture slot>:<material>"; logs its own results.
  std::function<void(Xmodel& model, const std::string& slotAndMaterial, ImageTarget target)> convertIwi;

  // Reports.
  std::function<void()> playExportSound;  // "export_done" on the second sound channel
  // Shows the notification bubble; its click calls XmodelThreaded::OpenOutputFolder.
  std::function<void(const std::string& title, const std::string& text, int durationMs)> showNotice;
  // Opens a folder in the file manager or a page in the browser, without waiting.
  std::function<void(const std::string& path)> openPath;
};
