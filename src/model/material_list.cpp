// MaterialList: reading the material files of the current model.
#include "model/material_list.h"

#include <cerrno>
#include <cstring>

#include "core/log.h"
#include "core/byte_reader.h"
#include "platform/files.h"

namespace {

// A name at an absolute offset: the bytes up to the first zero, at most limit of them. A name
// cut by the limit is kept cut; one cut by the end of the file is refused.
bool NameAt(const uint8_t* data, size_t size, uint32_t offset, size_t limit, std::string& out) {
  if (offset >= size) return false;
  size_t window = size - offset < limit ? size - offset : limit;
  const void* zero = std::memchr(data + offset, 0, window);
  size_t length = zero ? static_cast<const uint8_t*>(zero) - (data + offset) : window;
  if (!zero && window < limit) return false;
  out.assign(reinterpret_cast<const char*>(data + offset), length);
  return true;
}

}  // namespace

std::string MaterialList::FindIn(std::shared_ptr<FolderIndex>& index, const std::string& folder,
                                 const std::string& fileName) {
  if (folder.empty()) return {};
  if (!index || !index->Serves(folder)) index = gFolderIndexes.For(folder);
  return index->FindFile(fileName);
}

bool MaterialList::SetBasePath(const std::string& baseFolder) {
  if (!platform::IsDirectory(baseFolder)) return false;
  std::string base = baseFolder;
  if (base.back() != '/') base += '/';
  materialsFolder = base + "materials/";
  imagesFolder = base + "images/";
  return true;
}

void MaterialList::Clear() {
  loaded = false;
  materials.clear();
  materialNames.clear();
}

ResultCode MaterialList::Load() {
  if (materialNames.empty()) return ResultCode::NoMaterials;
  materials.resize(materialNames.size());
  for (size_t i = 0; i < materialNames.size(); ++i) LoadMaterial(materialNames[i], materials[i]);
  loaded = true;
  return ResultCode::Success;
}

ResultCode MaterialList::LoadMaterial(const std::string& materialName, Material& material) {
  material.name = materialName;
  std::string path = FindIn(materialsIndex_, materialsFolder, materialName);
  std::vector<uint8_t> bytes;
  errno = 0;
  if (path.empty() || !platform::ReadWholeFile(path, bytes)) {
    return errno == EACCES ? ResultCode::NoPermission : ResultCode::CantOpenFile;
  }
  ResultCode result = ParseMaterial(bytes.data(), bytes.size(), material);
  if (result == ResultCode::MaterialCorrupt) {
    VornLog::Messagef("^1Material: ^4(%s) ^1is corrupt", materialName.c_str());
  }
  return result;
}

ResultCode MaterialList::ParseMaterial(const uint8_t* data, size_t size, Material& material) const {
  material.textures.clear();
  material.textureCount = 0;
  ByteReader in(data, size);
  in.Seek(kCountOffset);
  int16_t count = static_cast<int16_t>(in.U32() & 0xFFFF);
  if (in.Failed() || count < 0 || !in.Seek(kTableOffset) || !in.Fits(count, kTableEntrySize)) {
    return ResultCode::MaterialCorrupt;
  }
  std::vector<TextureSlot> textures(count);
  for (TextureSlot& slot : textures) {
    uint32_t slotOffset = in.U32();
    in.Skip(4);
    uint32_t imageOffset = in.U32();
    std::string imageName;
    if (!NameAt(data, size, slotOffset, kSlotNameLimit, slot.slotName) ||
        !NameAt(data, size, imageOffset, kImageNameLimit, imageName)) {
      return ResultCode::MaterialCorrupt;
    }
    slot.iwiName = imageName + ".iwi";
    slot.ddsName = imageName + ".dds";
    slot.iwiExists = ImageExists(slot.iwiName);
    slot.ddsExists = ImageExists(slot.ddsName);
  }
  material.textures = std::move(textures);
  material.textureCount = count;
  return ResultCode::Success;
}

bool MaterialList::ImageExists(const std::string& fileName) const {
  return !FindIn(imagesIndex_, imagesFolder, fileName).empty();
}
