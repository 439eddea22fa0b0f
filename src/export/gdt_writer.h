#pragma once
// GDT writer: a GDT file (the games' asset record format) for the loaded model, with one material
// record per distinct material of a LOD (its colour, normal and specular image paths) and one model
// record naming the model's XMODEL_EXPORT file. Paths inside the file are the games' tool-chain paths
// ("model_export\\images\\..."), with every backslash written twice as the format wants.
#include <string>

#include "jobs/job_options.h"
#include "model/result_code.h"

class Xmodel;
class MaterialList;

// Writes <folder>/<name>.gdt (no second ".gdt" when name already ends in it) for LOD lod of the model.
// The file is written to a temporary file and renamed over the old one only when complete, so a
// failure never destroys an existing GDT. Creates the folder. Results: NotLoaded (no model),
// NoPermission / CantOpenFile (the file cannot be created), the material list's code when its files
// cannot be read, UnknownError when a write fails, Success. The image and export paths follow the
// options the exports of the same job use (subFolder, colourMaps).
ResultCode DumpGdt(Xmodel& model, const std::string& name, const std::string& folder, const ExportOptions& options,
                   int lod = 0);
