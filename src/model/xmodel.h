#pragma once
// Xmodel: the one loaded model of the program. It holds the header of an xmodel file with its
// levels of detail (LODs), the skeleton from the xmodelparts file, the surfaces of every LOD from
// the xmodelsurfs files, the load progress the GUI shows and the result of the last load.
//
// The job thread fills and reads it; every exporter, the GPU upload, the bounds, the bone display
// and the information trees read it. Other threads touch only `progress`, which is atomic.
//
// Loading, in order (each step returns a ResultCode; Success = done):
//   Load(path)        unload, accept the path, read the xmodel file, the skeleton and the material
//                     files, set up the LOD records. Any failure leaves the model unloaded.
//   LoadSurface(lod)  read one LOD's xmodelsurfs file, for lod = 0 .. info.lodCount - 1
//   ApplyScale()      multiply positions and bone offsets by `scale`
//   LoadImages()      read the IWI images of every material (xmodel_images.cpp)
//
// Index of this header: records of the model (xmodel_records.h), Xmodel's operations (load
// sequence, scale, queries, in-memory parsers used by the file readers and tests), its state.
// The readers live in xmodel_reader.cpp, xmodelparts_reader.cpp and xmodelsurfs_reader.cpp.
#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "core/byte_reader.h"
#include "model/folder_index.h"
#include "model/game_id.h"
#include "image/iwi_image.h"
#include "model/material_images.h"
#include "model/material_list.h"
#include "model/result_code.h"
#include "model/rotation.h"
#include "model/xmodel_records.h"

class Xmodel {
 public:
  // Asks the user whether a Cod4 model met while Cod5 is active is to be read in the Cod4
  // layout; true for Yes. The default shows a Yes/No message box.
  using GameSwitchQuestion = std::function<bool(const std::string& caption, const std::string& text)>;

  // A model with nothing loaded, game Cod5, scale 1. Its material names and files go to
  // `materials` (the global list unless a test gives its own).
  explicit Xmodel(MaterialList& materials = gMaterialList);
  Xmodel(const Xmodel&) = delete;
  Xmodel& operator=(const Xmodel&) = delete;

  // ---- Load sequence --------------------------------------------------------------------------

  // Unloads, then reads the model at path (".../raw/xmodel/<name>"): SetPath, the xmodel file,
  // the xmodelparts file, the material files, SetupSurfaces. Records the result as lastResult
  // and the duration as loadTime. On failure the model is left unloaded: no bones, no LOD
  // records, no material names (name and full path stay for the log).
  ResultCode Load(const std::string& path);

  // Accepts path when its folder and the file exist; sets name (the file name), full path and
  // base folder (two levels above the file, ending in "/") and the material list's folders.
  bool SetPath(const std::string& path);

  // Forgets the loaded model. Keeps the game, the scale and the base folder.
  void Unload();

  // Gives each counted LOD its xmodelsurfs path (found ignoring case) and whether the file
  // exists. SurfsFolderNotFound, NoLods or Success.
  ResultCode SetupSurfaces();

  // Reads LOD lod's xmodelsurfs file into its surfaces and records its load time. NotLoaded,
  // SurfacesNotSetUp, InvalidIndex (lod out of range), AlreadyLoaded, CantOpenFile (the file was
  // missing at set-up), NoPermission, or the parser's result. A LOD that fails keeps no surfaces.
  ResultCode LoadSurface(int32_t lod);

  // Reads the colour, normal and specular images of every material into `images` and binds them
  // per material in `materialImages` (Algorithms in xmodel_images.cpp); without readFiles only
  // the per-material records are made and nothing is read. LodsMissing without a LOD record, else
  // Success; a missing or unreadable image is logged and the model goes on.
  ResultCode LoadImages(bool readFiles = true);

  // ---- Scale ----------------------------------------------------------------------------------

  // Multiplies the positions of every loaded LOD and every bone offset by `scale` (nothing when
  // it is 1). Always Success. See ApplyScaleFactor for the record kept and the refused values.
  ResultCode ApplyScale();

  // Multiplies the positions of every loaded LOD and every bone offset by factor and records it
  // in XmodelLod::appliedScale and XmodelInfo::boneScale, so that a writer can divide exactly
  // that back out. A factor that is 0, negative or not finite is refused with a warning and
  // changes nothing. Always Success.
  ResultCode ApplyScaleFactor(float factor);

  // ---- Progress and queries -------------------------------------------------------------------

  // progress + 1 while progress is below 99.
  void StepProgress();

  std::string GetName() const;                      // the model's file name
  std::vector<std::string> GetSurfsNames() const;   // the four LOD names of the header
  // The bone's name; "Joints" when index is not a bone (-1 for a root's parent).
  std::string GetJointName(int32_t index) const;
  // The bone's name; "tag_not_fnd" when index is not a bone.
  std::string GetBoneName(int32_t index) const;
  // The name of the bone in the high 16 bits (signed) of the surface's first bone value;
  // "tag_not_fnd" when the list is empty or the index is not a bone.
  std::string GetSurfaceBoneName(const XmodelSurface& surface) const;
  // The LOD's load time in milliseconds; 0 for an index outside the LODs.
  float GetLodLoadTime(int32_t lod) const;
  // The distinct names of every LOD's unique materials, LOD 0 first, in first-seen order.
  std::vector<std::string> GetUniqueMaterialNames() const;
  // "No Error Set!" before any load ended, else ErrorText(lastResult).
  std::string GetLastErrorText() const;

  // ---- Test seams and in-memory parsers -------------------------------------------------------

  // Replaces the question of the automatic game switch (tests answer it without a window).
  void SetGameSwitchQuestion(GameSwitchQuestion question);
  MaterialList& Materials() { return *materials_; }

  // Parses the bytes of an xmodel file as the current game's layout into info and the LOD
  // records (ReadXmodelFile reads the file and calls this). Success sets loaded.
  ResultCode ParseXmodelFile(const uint8_t* data, size_t size);
  // Parses the bytes of an xmodelparts file into info.bones (after the xmodel file: names are
  // limited by its size). Success sets skeletonLoaded.
  ResultCode ParseParts(const uint8_t* data, size_t size);
  // Parses the bytes of an xmodelsurfs file in the current game's layout into lod's surfaces;
  // Success sets lod.loaded, a failure leaves lod without surfaces. bytesRead, when given,
  // receives where reading stopped (files may carry bytes after the last triangle).
  ResultCode ParseSurfsFile(const uint8_t* data, size_t size, XmodelLod& lod, size_t* bytesRead = nullptr);

  // ---- State: written by the load sequence, read by everyone ----------------------------------

  XmodelInfo info;
  double loadTime = 0.0;           // duration of the last Load in milliseconds
  bool gameSwitchActive = false;   // this model's header was read in the Cod4 layout on request
  GameId savedGame = GameId::Cod5; // the game in force when the switch was taken
  std::string name;                // file name of the model
  std::string fullPath;            // the path given to Load
  std::string baseFolder;          // two levels above the model file, ending in "/"
  bool loaded = false;             // the xmodel file was read (and Load got past it)
  bool pathValid = false;          // SetPath accepted the path
  bool surfacesSetUp = false;      // SetupSurfaces prepared the LOD records
  bool skeletonLoaded = false;     // the xmodelparts file was read
  int32_t fileSize = -1;           // size of the xmodel file; limits every name read
  GameId game = GameId::Cod5;      // layout used by the readers
  ResultCode lastResult = ResultCode::None;
  float scale = 1.0f;              // unit scale for ApplyScale, from the job's options
  std::atomic<int32_t> progress{0};  // 0..99, shown by the GUI's progress bar
  std::map<std::string, IwiImage> images;     // the model's images by IWI file name; entries stay
  std::vector<MaterialImages> materialImages; // per material of the list, its images by kind
  std::vector<int32_t> tagsPageJoints;     // working list of the tags page writer
  std::vector<std::string> tagsPageNames;  // working list of the tags page writer

 private:
  // The steps of Load and LoadSurface (xmodel_reader.cpp, xmodelparts_reader.cpp,
  // xmodelsurfs_reader.cpp).
  ResultCode ReadXmodelFile();
  ResultCode ParseXmodel(ByteReader& in);
  ResultCode ParseXmodelCod4(ByteReader& in);
  ResultCode ParseXmodelCod5(ByteReader& in);
  ResultCode ParseXmodelBo(ByteReader& in);
  ResultCode ReadLodNamesAndMaterials(ByteReader& in, size_t minNameLength, bool offerGameSwitch);
  ResultCode ReadLodMaterials(ByteReader& in);
  bool ReadCString(ByteReader& in, std::string& out) const;
  bool AutoGameSwitch(const ByteReader& in, size_t nameStart, const std::string& lodName);
  void RestoreGame();
  ResultCode LoadParts();
  ResultCode ReadSurfsFile(XmodelLod& lod);
  ResultCode ParseSurfsCod4Cod5(ByteReader& in, XmodelLod& lod);
  ResultCode ParseSurfsBo(ByteReader& in, XmodelLod& lod);
  // The game folders beside the model's folder, found ignoring case through the indexes every
  // load shares (index is re-pointed when the base folder changed).
  FolderIndex& PartsFolder() { return GameFolder(partsIndex_, "xmodelparts"); }
  FolderIndex& SurfsFolder() { return GameFolder(surfsIndex_, "xmodelsurfs"); }
  FolderIndex& GameFolder(std::shared_ptr<FolderIndex>& index, const char* folderName);
  // Drops everything read from the model's files; used by Unload and by a failed Load.
  void ForgetModelData();

  MaterialList* materials_;
  std::shared_ptr<FolderIndex> partsIndex_;
  std::shared_ptr<FolderIndex> surfsIndex_;
  GameSwitchQuestion gameSwitchQuestion_;
};
