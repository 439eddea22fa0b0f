#include "export/exported_images.h"

#include "core/strings.h"
#include "model/material_list.h"
#include "platform/files.h"

bool IsColourSlot(const std::string& slotName) {
  return slotName == "colorMap" || slotName == "Diffuse_MapSampler";
}

bool IsNormalSlot(const std::string& slotName) {
  return slotName == "normalMap" || slotName == "Normal_Map";
}

const char* ExportedImageExtension(const std::string& slotName, bool asTga) {
  return IsColourSlot(slotName) && !asTga ? "dds" : "tga";
}

std::string WithExtension(const std::string& fileName, const std::string& extension) {
  size_t dot = fileName.find_last_of('.');
  size_t slash = fileName.find_last_of('/');
  if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
    return fileName + "." + extension;
  return fileName.substr(0, dot + 1) + extension;
}

std::string IwiPathOnDisk(const TextureSlot& slot, const std::string& imagesFolder) {
  std::string iwiPath = imagesFolder + slot.iwiName;
  std::string onDisk = platform::ResolvePathCaseInsensitive(iwiPath);
  return onDisk.empty() ? iwiPath : onDisk;
}

std::string ExportedImageFileName(const TextureSlot& slot, bool asTga) {
  std::string name = WithExtension(slot.iwiName, ExportedImageExtension(slot.slotName, asTga));
  ReplaceTildes(name);
  return name;
}

std::string ExportedImagePathBesideIwi(const TextureSlot& slot, const std::string& imagesFolder,
                                       bool asTga) {
  return WithExtension(IwiPathOnDisk(slot, imagesFolder), ExportedImageExtension(slot.slotName, asTga));
}
