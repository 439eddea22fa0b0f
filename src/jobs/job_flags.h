#pragma once
// XmodelJob and JobFlags: one request to the job thread and the steps it asks for.
//
// A job may carry any combination of steps; the job thread runs the steps whose bits are set in
// this fixed order (not in bit order):
//   1 LoadXmodel  2 LoadSurfaces  3 LoadImages  4 one export (ExportMaya, else ExportObj, else
//   ExportXmodelExport)  5 DumpTags  6 OpenTags  7 TagStaticFiles  8 DumpGdt  9 MoveImages
//   10 one conversion (IwiToDds, else IwiToTga)
#include <cstdint>
#include <string>

enum JobFlags : uint32_t {
  ExportMaya = 0x01,          // Maya ASCII scene and MEL bind script
  ExportObj = 0x02,           // OBJ and MTL
  DumpTags = 0x04,            // the tags page
  DumpGdt = 0x08,             // the GDT records
  LoadXmodel = 0x10,          // xmodel and xmodelparts files and the material list
  LoadSurfaces = 0x20,        // every LOD's xmodelsurfs file, then the model scale
  LoadImages = 0x40,          // images; bone display, trees and GPU upload under the frame mutex
  TagStaticFiles = 0x80,      // the tags page's "dotted.gif" and "joint.png"
  OpenTags = 0x100,           // open the tags page in the browser
  IwiToDds = 0x200,           // convert the image named by the job's path to DDS
  IwiToTga = 0x400,           // the same, to TGA
  MoveImages = 0x800,         // write the images of the model's materials
  ExportXmodelExport = 0x2000,  // XMODEL_EXPORT text
};

// The flag sets of the producers.
inline constexpr uint32_t kModelLoadJob = LoadXmodel | LoadSurfaces | LoadImages;  // row click
inline constexpr uint32_t kViewTagsJob = DumpTags | OpenTags | TagStaticFiles;     // "view_tags"

struct XmodelJob {
  // A load: the model file's full path. A conversion: "<texture slot>:<material>" of the loaded
  // model. Empty for every other job.
  std::string path;
  uint32_t flags = 0;  // JobFlags
};
