#include "export/export_file.h"

#include <cerrno>

#include "core/paths.h"
#include "model/xmodel.h"
#include "platform/files.h"

ResultCode CheckLodExportable(const Xmodel& model, int lod) {
  if (!model.loaded) return ResultCode::NotLoaded;
  if (!model.surfacesSetUp) return ResultCode::SurfacesNotSetUp;
  if (lod < 0 || static_cast<size_t>(lod) >= model.info.lods.size()) return ResultCode::InvalidIndex;
  if (!model.info.lods[static_cast<size_t>(lod)].loaded) return ResultCode::NotLoaded;
  return ResultCode::Success;
}

void PrepareExportFolder(std::string& folder) {
  AddTrailingBackslash(folder);
  platform::CreateFolders(FolderForCreate(folder));
}

ResultCode OpenExportFile(TextWriter& out, const std::string& path) {
  if (out.Open(path)) return ResultCode::Success;
  int error = errno;
  bool refused = error == EACCES || error == EPERM || error == EROFS;
  return refused ? ResultCode::NoPermission : ResultCode::CantOpenFile;
}

ResultCode CloseExportFile(TextWriter& out) {
  return out.Close() ? ResultCode::Success : ResultCode::WriteFailed;
}
