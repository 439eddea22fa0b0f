#pragma once
// The job thread's two image steps on the loaded model:
//   MoveModelImages (job flag 0x800)        every image of the model's materials, as DDS or TGA
//   ConvertIwi      (job flags 0x200, 0x400) one texture of one material, beside its IWI file
// AddImageSteps plugs them, and Xmodel::LoadImages (flag 0x40), into the job thread's steps.
// Both log one message line per image: "^5Moved^7: <name>", "^1IWI Error^7: <reason>",
// "^4IWI Not Set" (no such file), and "Converted: <name>" / "IWI Error: <reason>".
#include <string>

#include "jobs/job_steps.h"
#include "model/result_code.h"

class Xmodel;

// Writes the images of every texture slot of every material once per call: colour maps
// ("colorMap", "Diffuse_MapSampler") in options.colourMaps, every other texture as TGA. Images the
// model has loaded are written from memory, the others read from the model's images folder by
// name. Into folder (created when missing) with options.imagesLocal, else beside each IWI file.
// NotLoaded without a loaded model, else Success (per-image failures are logged).
ResultCode MoveModelImages(Xmodel& model, const std::string& folder, const ExportOptions& options);

// Converts the image of the texture slot and material named by "<slot>:<material>" to DDS or TGA
// beside its IWI file, and logs one message line: "Converted: " + the image's name ("~" as "_"),
// "IWI Error: " + the reason, or an empty line when nothing matched. Always Success.
ResultCode ConvertIwi(Xmodel& model, const std::string& slotAndMaterial, ImageTarget target);

// Sets steps.loadImages, steps.moveImages and steps.convertIwi.
void AddImageSteps(JobSteps& steps);
