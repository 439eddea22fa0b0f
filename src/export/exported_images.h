#pragma once
// Where the model's image export puts the image of a texture slot, so that the texture
// references of the OBJ/MTL and XMODEL_EXPORT files name the files that export writes:
//   - colour maps ("colorMap", "Diffuse_MapSampler") as DDS, or TGA when TGA is chosen;
//     every other texture as TGA;
//   - into the export folder's "images" folder with every "~" of the name turned into "_",
//     or, without images_local, beside the IWI file with the name as it stands.
#include <string>

struct TextureSlot;

// "colorMap" or "Diffuse_MapSampler".
bool IsColourSlot(const std::string& slotName);
// "normalMap" or "Normal_Map".
bool IsNormalSlot(const std::string& slotName);

// "dds" for a colour slot unless asTga, else "tga".
const char* ExportedImageExtension(const std::string& slotName, bool asTga);

// Replaces the extension of fileName (the part after its last ".") by extension; a name
// without "." gets "." and the extension appended. Nothing else in the name changes.
std::string WithExtension(const std::string& fileName, const std::string& extension);

// The slot's IWI file in imagesFolder as it is named on disk (found ignoring case, as the game
// files are found); imagesFolder + the IWI name when there is no such file.
std::string IwiPathOnDisk(const TextureSlot& slot, const std::string& imagesFolder);

// File name the image export gives the slot's image in the export folder's "images" folder:
// the IWI name as the material gives it, with the exported extension and every "~" made "_".
std::string ExportedImageFileName(const TextureSlot& slot, bool asTga);

// Path of the exported image beside its IWI file: the IWI file's path on disk with the exported
// extension.
std::string ExportedImagePathBesideIwi(const TextureSlot& slot, const std::string& imagesFolder,
                                       bool asTga);
