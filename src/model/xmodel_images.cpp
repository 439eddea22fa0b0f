// Xmodel::LoadImages: the IWI images of the model's materials, each file read once per model and
// bound to every material that names it.
#include "core/log.h"
#include "model/xmodel.h"

ResultCode Xmodel::LoadImages(bool readFiles) {
  if (info.lods.empty()) return ResultCode::LodsMissing;
  progress = 1;
  for (auto& [name, image] : images) image.Clear();

  // One record per material, nothing bound, also when no image is read: the image export and the
  // upload index this list by material.
  const std::vector<Material>& materials = Materials().materials;
  materialImages.assign(materials.size(), MaterialImages{});
  for (size_t m = 0; m < materials.size(); ++m) materialImages[m].materialName = materials[m].name;

  if (readFiles) {
    // The images folder's index is shared by every load: it is listed once per change of the
    // folder, not once per missing image.
    FolderIndex& imagesFolder = *gFolderIndexes.For(baseFolder + "images");
    for (size_t m = 0; m < materials.size(); ++m) {
      for (const TextureSlot& slot : materials[m].textures) {
        const std::optional<TextureKind> kind = TextureKindOfSlot(slot.slotName);
        if (!kind) continue;
        IwiImage& image = images[slot.iwiName];
        const ImageResult result =
            image.IsLoaded() ? ImageResult::Success
                             : ReadFoundIwi(image, slot.iwiName, imagesFolder.FindFile(slot.iwiName));
        if (result == ImageResult::Success) {
          materialImages[m].images[int(*kind)] = &image;
          materialImages[m].present[int(*kind)] = true;
        } else {
          VornLog::Messagef("^1IWI Error(^4%s^7): %s", slot.iwiName.c_str(), ImageResultText(result).c_str());
        }
      }
      VornLog::Messagef("^2Material^7: %s", materials[m].name.c_str());
      if (progress + 10 < 100) progress += 10;
    }
  }
  progress = 99;
  return ResultCode::Success;
}
