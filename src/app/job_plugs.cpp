#include "app/job_plugs.h"

#include "export/gdt_writer.h"
#include "export/image_export.h"
#include "export/maya_writer.h"
#include "export/obj_writer.h"
#include "export/tags_page.h"
#include "export/xmodel_export_writer.h"
#include "platform/open.h"

void PlugExportSteps(JobSteps& steps) {
  steps.exportMaya = [](Xmodel& model, const std::string& folder, int lod) { return ExportMaya(model, lod, folder); };
  steps.exportObj = [](Xmodel& model, const std::string& folder, int lod) { return ExportObj(model, lod, folder); };
  steps.exportXmodelExport = [](Xmodel& model, const std::string& folder) { return ExportXmodelExport(model, folder); };
  steps.dumpTags = [](Xmodel& model, const std::string& folder) { return DumpTagsHtml(model, folder); };
  steps.writeTagStaticFiles = [](const std::string& folder) { return WriteTagsStaticFiles(folder); };
  steps.dumpGdt = [](Xmodel& model, const std::string& name, const std::string& folder) {
    return DumpGdt(model, name, folder, 0);
  };
  steps.openPath = [](const std::string& path) { platform::OpenWithDesktop(path); };
  AddImageSteps(steps);  // images (0x40), their export (0x800) and the single conversion (0x200, 0x400)
}
