#pragma once
// MaterialList: the materials of the current model. The xmodel reader sets the material names,
// Xmodel::Load reads every material file, and the image loader, the image export, the exporters
// and the information tree read the result. Each material file names, per texture slot
// ("colorMap", "normalMap", ...), the image the slot uses.
//
// Used on the job thread only. One global object, gMaterialList; tests may make their own.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "model/folder_index.h"
#include "model/result_code.h"

// One texture of a material.
struct TextureSlot {
  std::string slotName;  // "colorMap", "Diffuse_MapSampler", "normalMap", "Normal_Map", "specularMap", ...
  std::string iwiName;   // image name + ".iwi"
  std::string ddsName;   // image name + ".dds"
  bool iwiExists = false;  // the images folder holds the IWI file (found ignoring case)
  bool ddsExists = false;  // the images folder holds the DDS file (found ignoring case)
};

struct Material {
  int16_t textureCount = 0;           // textures.size()
  std::string name;                   // material name, also the material file's name
  std::vector<TextureSlot> textures;  // in file order
};

class MaterialList {
 public:
  // Material file layout: the texture count at 48, the texture table at 64, names up to
  // these lengths (a longer name is cut to the limit).
  static constexpr size_t kCountOffset = 48;
  static constexpr size_t kTableOffset = 64;
  static constexpr size_t kTableEntrySize = 12;
  static constexpr size_t kSlotNameLimit = 50;
  static constexpr size_t kImageNameLimit = 200;

  // Sets the materials and images folders from the model's base folder (ending in "/").
  // False, and nothing changed, when the folder does not exist.
  bool SetBasePath(const std::string& baseFolder);

  // loaded := false; every material removed; the names emptied. The folders stay.
  void Clear();

  // Reads the file of every material name into materials (same order, same length; existing
  // records are read again). NoMaterials when there is no name, else Success, whatever the
  // single files gave: a model loads even when its material files are missing.
  ResultCode Load();

  // Reads the material file `name` into material. NoPermission or CantOpenFile when it cannot
  // be read (material keeps what it held); MaterialCorrupt, with a log line and no textures,
  // when the file is shorter than its layout or points outside itself; Success otherwise.
  ResultCode LoadMaterial(const std::string& name, Material& material);

  // The images folder holds a regular file of that name (found ignoring case).
  bool ImageExists(const std::string& fileName) const;

  // Parses the bytes of a material file into material (no file access besides ImageExists).
  // MaterialCorrupt or Success, as LoadMaterial.
  ResultCode ParseMaterial(const uint8_t* data, size_t size, Material& material) const;

  std::vector<std::string> materialNames;  // the model's distinct material names
  std::string materialsFolder;             // base folder + "materials/"
  std::string imagesFolder;                // base folder + "images/"
  bool loaded = false;                     // Load has run since the last Clear
  std::vector<Material> materials;         // one per material name, same order

 private:
  // The file fileName in folder, found ignoring case through the folder's shared index (index
  // is re-pointed when it serves another folder); empty when there is none.
  static std::string FindIn(std::shared_ptr<FolderIndex>& index, const std::string& folder,
                            const std::string& fileName);

  mutable std::shared_ptr<FolderIndex> materialsIndex_;
  mutable std::shared_ptr<FolderIndex> imagesIndex_;
};

extern MaterialList gMaterialList;
