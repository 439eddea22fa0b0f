// The steps of one job, run by the job thread in the fixed order of JobFlags. Each step logs its
// result; a failed step never stops the job, except the load: a job that finds no model loaded
// after it ends there, without any further line and without the pause.
#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

#include "core/log.h"
#include "core/paths.h"
#include "core/timer.h"
#include "jobs/xmodel_threaded.h"

namespace {

constexpr int kContextAttempts = 5;
constexpr auto kContextRetryPause = std::chrono::milliseconds(5);
constexpr auto kJobPause = std::chrono::milliseconds(1);
constexpr int kNoticeDurationMs = 3000;

// The three exports: only the first whose bit is set runs.
struct ExportKind {
  JobFlags flag;
  const char* failureLine;
  const char* successLine;
  const char* noticeTitle;
  const char* noticeTextEnd;  // after "Exported: '" + model name
};
constexpr ExportKind kExports[] = {
    {ExportMaya, "^1ExportMA^7:: %i, %s", "^2Exported MA^7: %i, %.1f ms", "Exported MA", "'  (click to open dir)"},
    {ExportObj, "^1ExportOBJ^7:: %i, %s", "^2Exported OBJ^7: %i, %.1f ms", "Exported OBJ", "' (click to open dir)"},
    {ExportXmodelExport, "^1Export XE^7:: %i, %s", "^2Exported XE^7: %i, %.1f ms", "Exported XMODEL_EXPORT",
     "' (click to open dir)"},
};

bool Failed(ResultCode code) { return code != ResultCode::Success; }

}  // namespace

void XmodelThreaded::RunJob(const XmodelJob& job, JobContext context) {
  model_.game = context.game;
  model_.scale = context.scale;
  jobResult_ = ResultCode::Success;
  if (job.flags & LoadXmodel) LoadStep(job.path);
  if (!model_.loaded) return;  // nothing to work on: no further step, no closing line, no pause

  if (context.exports.subFolder) context.exportFolder += "/" + model_.name;
  if ((job.flags & LoadSurfaces) && !Failed(jobResult_)) SurfacesStep();
  if (!Failed(jobResult_)) BoundsStep();
  if (job.flags & LoadImages) ImagesStep(context);
  ExportStep(job.flags, context);
  if (job.flags & DumpTags) DumpTagsStep(context);
  if (job.flags & OpenTags) OpenTagsStep(context);
  if (job.flags & TagStaticFiles) TagStaticFilesStep(context);
  if (job.flags & DumpGdt) DumpGdtStep(context);
  if (job.flags & MoveImages) MoveImagesStep(context);
  ConvertStep(job);
  std::this_thread::sleep_for(kJobPause);
}

void XmodelThreaded::LoadStep(const std::string& path) {
  jobResult_ = model_.Load(path);
  if (Failed(jobResult_)) {
    VornLog::Messagef("^1LoadxmodelFull^7:: %s", model_.GetLastErrorText().c_str());
  } else {
    VornLog::Messagef("^2Loaded Xmodel^7: %s (%.1f ms)", model_.name.c_str(), model_.loadTime);
  }
}

// Every LOD's surfaces, then the scale. The job result is that of the last LOD.
void XmodelThreaded::SurfacesStep() {
  for (int32_t lod = 0; lod < model_.info.lodCount; ++lod) {
    jobResult_ = model_.LoadSurface(lod);
    if (Failed(jobResult_)) {
      VornLog::Messagef("^1LoadSurface^7:: %s", ErrorText(jobResult_).c_str());
    } else {
      VornLog::Messagef("^2Loaded Surface^7: %i, %.1f ms", lod, static_cast<double>(model_.GetLodLoadTime(lod)));
    }
  }
  model_.ApplyScale();
}

void XmodelThreaded::BoundsStep() {
  if (!steps_.buildBounds) return;
  std::lock_guard<std::mutex> lock(boundsMutex);
  steps_.buildBounds(model_);
}

// Images are read before the frame mutex is taken; the bone display, the trees and the GPU
// upload change what frames draw and so happen under it.
void XmodelThreaded::ImagesStep(const JobContext& context) {
  std::unique_lock<std::mutex> frame(frameMutex, std::defer_lock);
  {
    std::optional<ScopedTimer> timer;
    if (steps_.loadImages) {
      timer.emplace("^2Loaded Images");
      steps_.loadImages(model_, context.loadTextures);
    }
    frame.lock();
    if (steps_.buildBoneDisplay) steps_.buildBoneDisplay(model_);
  }

  const JobGpuSteps& gpu = steps_.gpu;
  bool current = false;
  for (int attempt = 1; gpu.makeCurrent && attempt <= kContextAttempts; ++attempt) {
    current = gpu.makeCurrent();
    if (current) break;
    if (attempt == kContextAttempts) VornLog::Warningf("Failed To Set OpenGL Contex");
    std::this_thread::sleep_for(kContextRetryPause);
  }
  if (current && !gpuBuffersCreated_ && gpu.createBuffers) {
    gpu.createBuffers();
    gpuBuffersCreated_ = true;
  }
  if (steps_.buildTrees) steps_.buildTrees(model_);
  if (current) {
    if (gpu.upload) gpu.upload(model_, renderLodCount, jobResult_, context.loadTextures);
    if (gpu.releaseCurrent) gpu.releaseCurrent();
  } else if (gpu.makeCurrent) {
    renderLodCount = 0;  // no context: draw no slot rather than the previous model's data
  }
}

void XmodelThreaded::ExportStep(uint32_t flags, const JobContext& context) {
  const ExportKind* kind = nullptr;
  for (const ExportKind& candidate : kExports) {
    if (flags & candidate.flag) {
      kind = &candidate;
      break;
    }
  }
  if (!kind) return;
  const bool xmodelExport = kind->flag == ExportXmodelExport;
  const auto& lodWriter = kind->flag == ExportMaya ? steps_.exportMaya : steps_.exportObj;
  if (xmodelExport ? !steps_.exportXmodelExport : !lodWriter) return;

  // The XMODEL_EXPORT writer writes LOD 0 only, so it runs once.
  const int32_t lodCount = (xmodelExport || !context.exportLods) ? std::min<int32_t>(model_.info.lodCount, 1)
                                                                  : model_.info.lodCount;
  bool written = false;
  for (int32_t lod = 0; lod < lodCount; ++lod) {
    jobResult_ = xmodelExport ? steps_.exportXmodelExport(model_, context.exportFolder, context.exports)
                              : lodWriter(model_, context.exportFolder, lod, context.exports);
    if (Failed(jobResult_)) {
      VornLog::Messagef(kind->failureLine, lod, ErrorText(jobResult_).c_str());
      continue;
    }
    written = true;
    double ms = static_cast<size_t>(lod) < model_.info.lods.size() ? model_.info.lods[lod].exportClock : 0;
    VornLog::Messagef(kind->successLine, lod, ms);
  }
  if (!written) return;
  if (steps_.playExportSound) steps_.playExportSound();
  ShowJobNotice(context, "Exported: '" + model_.name + kind->noticeTextEnd, kind->noticeTitle, context.exportFolder);
}

// The tags page and its images lie together: in the program's "Tags" folder, or with tags_local
// in the job's export folder.
std::string XmodelThreaded::TagsFolder(const JobContext& context) const {
  return context.tagsLocal ? context.exportFolder : programFolder_ + "/Tags";
}

void XmodelThreaded::DumpTagsStep(const JobContext& context) {
  if (!model_.skeletonLoaded || !steps_.dumpTags) return;
  jobResult_ = steps_.dumpTags(model_, TagsFolder(context));
  if (Failed(jobResult_)) {
    VornLog::Messagef("^1DumpTags^7:: %s", ErrorText(jobResult_).c_str());
  } else {
    VornLog::Messagef("^5Dumped Tags");
  }
}

void XmodelThreaded::OpenTagsStep(const JobContext& context) {
  if (!steps_.openPath) return;
  if (!model_.skeletonLoaded) {
    VornLog::Messagef("Tried To Open Tags: Not Loaded");
    return;
  }
  VornLog::Messagef("^5Displaying Tags In Browser");
  steps_.openPath(WithTrailingBackslash(TagsFolder(context)) + model_.name + "_tags.html");
}

void XmodelThreaded::TagStaticFilesStep(const JobContext& context) {
  if (!steps_.writeTagStaticFiles) return;
  jobResult_ = steps_.writeTagStaticFiles(TagsFolder(context));
  if (jobResult_ == ResultCode::Success) {
    VornLog::Messagef("^5StaticTagFilesDumped");
  } else if (jobResult_ != ResultCode::AlreadyPresent) {
    VornLog::Messagef("^1WrtieStaticfiles^7:: %s", ErrorText(jobResult_).c_str());
  }
}

// Into the GDT folder; when that fails, into the job's export folder. The notice opens the
// folder the file was written to.
void XmodelThreaded::DumpGdtStep(const JobContext& context) {
  if (!steps_.dumpGdt) return;
  std::string folder = context.gdtFolder;
  jobResult_ = steps_.dumpGdt(model_, model_.name, folder, context.exports);
  if (Failed(jobResult_)) {
    VornLog::Messagef("^1Dump GDT^7:: %s", ErrorText(jobResult_).c_str());
    VornLog::Messagef("^4Dumping GDT to Model folder Instead");
    folder = context.exportFolder;
    jobResult_ = steps_.dumpGdt(model_, model_.name, folder, context.exports);
    if (Failed(jobResult_)) {
      VornLog::Messagef("^1Dump GDT^7:: %s", ErrorText(jobResult_).c_str());
      return;
    }
  }
  VornLog::Messagef("^2GDT Dumped");
  ShowJobNotice(context, "Exported GDT (click to open dir)", "Export GDT", folder);
}

void XmodelThreaded::MoveImagesStep(const JobContext& context) {
  if (!steps_.moveImages) return;
  jobResult_ = steps_.moveImages(model_, context.exportFolder + "/images", context.exports);
  if (Failed(jobResult_)) {
    VornLog::Messagef("^1Move Images^7:: %s", ErrorText(jobResult_).c_str());
  } else {
    VornLog::Messagef("^5Moved Images Across");
  }
}

void XmodelThreaded::ConvertStep(const XmodelJob& job) {
  if (job.flags & (IwiToDds | IwiToTga)) {
    if (steps_.convertIwi) {
      steps_.convertIwi(model_, job.path, (job.flags & IwiToDds) ? ImageTarget::Dds : ImageTarget::Tga);
    }
  } else {
    VornLog::Messagef("\n");
  }
}

// Only with the tray icon on: remembers the folder for the notice's click and shows the notice.
void XmodelThreaded::ShowJobNotice(const JobContext& context, const std::string& text, const std::string& title,
                                   const std::string& folder) {
  if (!context.trayIcon || !steps_.showNotice) return;
  {
    std::lock_guard<std::mutex> lock(noticeMutex_);
    jobNoticeFolder_ = folder;
  }
  steps_.showNotice(title, text, kNoticeDurationMs);
}
