#include "app/job_plugs.h"

#include "audio/vorn_sound.h"
#include "export/gdt_writer.h"
#include "export/image_export.h"
#include "export/maya_writer.h"
#include "export/obj_writer.h"
#include "export/tags_page.h"
#include "export/xmodel_export_writer.h"
#include "desktop/bubble.h"
#include "platform/open.h"

void PlugExportSteps(JobSteps& steps) {
  steps.exportMaya = [](Xmodel& model, const std::string& folder, int lod, const ExportOptions& options) {
    return ExportMaya(model, lod, folder, options);
  };
  steps.exportObj = [](Xmodel& model, const std::string& folder, int lod, const ExportOptions& options) {
    return ExportObj(model, lod, folder, options);
  };
  steps.exportXmodelExport = ExportXmodelExport;
  steps.dumpTags = [](Xmodel& model, const std::string& folder) { return DumpTagsHtml(model, folder); };
  steps.writeTagStaticFiles = [](const std::string& folder) { return WriteTagsStaticFiles(folder); };
  steps.dumpGdt = [](Xmodel& model, const std::string& name, const std::string& folder, const ExportOptions& options) {
    return DumpGdt(model, name, folder, options, 0);
  };
  steps.openPath = [](const std::string& path) { platform::OpenWithDesktop(path); };
  steps.playExportSound = [] { gSound.PlaysoundCh2("export_done"); };
  AddImageSteps(steps);  // images (0x40), their export (0x800) and the single conversion (0x200, 0x400)
}

void PlugNoticeStep(JobSteps& steps, std::function<bool()> clickAction) {
  steps.showNotice = [clickAction](const std::string& title, const std::string& text, int durationMs) {
    gBubble.Show(title, text, clickAction, durationMs);
  };
}
