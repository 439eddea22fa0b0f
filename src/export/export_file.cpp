#include "export/export_file.h"

#include <cerrno>

#include "core/paths.h"
#include "platform/files.h"

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
