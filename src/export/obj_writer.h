#pragma once
// OBJ and MTL: one level of detail (LOD) of the loaded model as a Wavefront OBJ file,
// <surfs>.obj, and its material library <surfs>.mtl. Every surface becomes one group with its
// own vertex, texture-coordinate and normal lines; faces index all three with one running index.
// Each material gets a plain white record with its colour map and, where the image exists, its
// normal and specular maps, named where the model's image export writes them.
#include <string>

#include "jobs/job_options.h"
#include "model/result_code.h"

class Xmodel;

// Writes LOD lod of model into folder (created when missing) as <surfs>.obj and, with
// options.mtl, <surfs>.mtl. Records the export time in the LOD's export clock (ms).
// Results: NotLoaded (no model, or the LOD's surfaces not read), SurfacesNotSetUp, InvalidIndex,
// NoPermission or CantOpenFile (the OBJ cannot be created), WriteFailed (it did not reach the
// disk whole), else the result of WriteMtl with options.mtl, else Success.
ResultCode ExportObj(Xmodel& model, int lod, const std::string& folder, const ExportOptions& options);

// Writes the material library of LOD lod into folder as <surfs>.mtl, loading the model's
// material list first when it is not loaded; its images are named where the image export writes
// them (options.imagesLocal, options.colourMaps). Success, the material list's failure,
// NoPermission, CantOpenFile or WriteFailed.
ResultCode WriteMtl(int lod, Xmodel& model, const std::string& folder, const ExportOptions& options);
