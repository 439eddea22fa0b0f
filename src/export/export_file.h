#pragma once
// Steps that every text exporter shares: preparing the export folder, opening the output file
// with the result codes the callers expect, closing it with write errors reported, and timing.
//
//   std::string folder = ...;
//   PrepareExportFolder(folder);                       // "/" appended, folder created
//   TextWriter out;
//   ResultCode opened = OpenExportFile(out, folder + name + ".obj");
//   if (opened != ResultCode::Success) return opened;
//   ... write ...
//   return CloseExportFile(out);                        // WriteFailed when bytes were lost
#include <chrono>
#include <cstdint>
#include <string>

#include "core/text_writer.h"
#include "model/result_code.h"

class Xmodel;

// The checks before an export of LOD lod, in order: NotLoaded (no model), SurfacesNotSetUp,
// InvalidIndex (no such LOD), NotLoaded (the LOD's surfaces not read); Success when it can be
// written.
ResultCode CheckLodExportable(const Xmodel& model, int lod);

// Appends "/" to folder when it has no trailing separator, then creates the folder with every
// missing parent. A folder that cannot be created is reported later by OpenExportFile.
void PrepareExportFolder(std::string& folder);

// Opens path through out. NoPermission when the system refuses for lack of rights (EACCES,
// EPERM, EROFS), CantOpenFile for any other failure, Success otherwise.
ResultCode OpenExportFile(TextWriter& out, const std::string& path);

// Closes out. Success when every byte reached the file, WriteFailed otherwise (full disk, I/O
// error): a truncated export is never reported as written.
ResultCode CloseExportFile(TextWriter& out);

// Milliseconds since an export started, as the LOD records keep them.
class ExportClock {
 public:
  ExportClock() : start_(std::chrono::steady_clock::now()) {}
  int32_t ElapsedMs() const {
    return static_cast<int32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                    std::chrono::steady_clock::now() - start_).count());
  }

 private:
  std::chrono::steady_clock::time_point start_;
};
