#pragma once
// JobOptions: what a job takes of the settings and of the application's folders when it is
// queued. The job keeps this copy for all of its steps, so the settings may change on the main
// thread while the job runs, and no export mixes two settings.
#include <string>

#include "model/game_id.h"

// The format of an image written from an IWI file.
enum class ImageTarget { Dds, Tga };

// What the writers read. Colour maps are written (and named by the MTL, the Maya scene, the
// XMODEL_EXPORT materials and the GDT) in colourMaps; every other texture is always TGA.
struct ExportOptions {
  bool subFolder = false;    // exports go into a folder named after the model
  bool imagesLocal = false;  // images go into the export folder's "images" folder
  bool mtl = false;          // the OBJ writer writes its MTL file
  bool melBind = false;      // the Maya writer writes the MEL bind script
  ImageTarget colourMaps = ImageTarget::Dds;
};

struct JobOptions {
  std::string exportFolder;  // where exports go (no trailing separator)
  std::string gdtFolder;     // where the GDT file goes
  GameId game = GameId::Cod5;  // the file layouts the readers use
  float scale = 1.0f;        // the unit scale a load applies
  bool loadTextures = true;  // a load reads the model's images and uploads them
  bool exportLods = false;   // Maya and OBJ exports write every LOD, not only the first
  bool tagsLocal = false;    // the tags page goes into the export folder, not the program's
  bool trayIcon = false;     // exports show their notice
  bool exportImages = false;        // an export command also writes the model's images
  bool dropWaitingOnLoad = false;   // a model load drops the jobs still waiting
  ExportOptions exports;
};
