// The model's image export and the single IWI conversion.
#include "export/image_export.h"

#include <algorithm>
#include <vector>

#include "core/log.h"
#include "core/strings.h"
#include "image/image_writers.h"
#include "model/xmodel.h"
#include "platform/files.h"

namespace {

// What one MoveModelImages call works with.
struct MoveSet {
  bool asTga = false;                // colour maps as TGA too
  std::string targetFolder;          // empty: beside each IWI file
  std::string imagesFolder;          // the model's images folder, ending in "/"
  std::vector<std::string> moved;    // short names written in this call
};

// Writes image (read with readResult) once per MoveModelImages call and logs the outcome.
void MoveOneImage(MoveSet& set, const IwiImage& image, bool tgaOnly, ImageResult readResult = ImageResult::Success) {
  if (!image.IsFound()) {
    VornLog::Message("^4IWI Not Set");
    return;
  }
  if (std::find(set.moved.begin(), set.moved.end(), image.GetShortName()) != set.moved.end()) return;
  set.moved.push_back(image.GetShortName());
  ImageResult result = readResult;
  if (result == ImageResult::Success)
    result = tgaOnly || set.asTga ? ExportTGA(image, set.targetFolder) : ExportDDS(image, set.targetFolder);
  if (result == ImageResult::Success) VornLog::Message("^5Moved^7: " + image.GetShortName());
  else VornLog::Message("^1IWI Error^7: " + ImageResultText(result));
}

// The model's loaded image of the slot for material m, or null. A material with two slots of one
// kind has only the later one bound; the other slot's image is then not the bound one.
const IwiImage* LoadedImage(const Xmodel& model, size_t m, const TextureSlot& slot) {
  const std::optional<TextureKind> kind = TextureKindOfSlot(slot.slotName);
  if (!kind || m >= model.materialImages.size()) return nullptr;
  const IwiImage* image = model.materialImages[m].Image(*kind);
  return image && image->IsLoaded() && image->GetShortName() == slot.iwiName ? image : nullptr;
}

}  // namespace

ResultCode MoveModelImages(Xmodel& model, const std::string& folder, const ExportOptions& options) {
  if (!model.loaded) return ResultCode::NotLoaded;
  platform::CreateFolders(folder);
  MoveSet set;
  set.asTga = options.colourMaps == ImageTarget::Tga;
  if (options.imagesLocal) set.targetFolder = folder;
  set.imagesFolder = model.baseFolder + "images/";

  const std::vector<Material>& materials = model.Materials().materials;
  IwiImage work;
  for (size_t m = 0; m < materials.size(); ++m) {
    for (const TextureSlot& slot : materials[m].textures) {
      const bool tgaOnly = TextureKindOfSlot(slot.slotName) != TextureKind::Color;
      if (const IwiImage* image = LoadedImage(model, m, slot)) {
        MoveOneImage(set, *image, tgaOnly);
      } else {
        const ImageResult read = ReadIwiInFolder(work, set.imagesFolder, slot.iwiName);
        MoveOneImage(set, work, tgaOnly, read);
        work.Clear();
      }
    }
  }
  return ResultCode::Success;
}

ResultCode ConvertIwi(Xmodel& model, const std::string& slotAndMaterial, ImageTarget target) {
  std::string message;
  const size_t colon = slotAndMaterial.find(':');
  if (colon != std::string::npos) {
    const std::string slotName = slotAndMaterial.substr(0, colon);
    const std::string materialName = slotAndMaterial.substr(colon + 1);
    const std::string imagesFolder = model.baseFolder + "images/";
    for (const Material& material : model.Materials().materials) {
      if (material.name != materialName) continue;
      for (const TextureSlot& slot : material.textures) {
        if (slot.slotName != slotName) continue;
        IwiImage work;
        ImageResult result = ReadIwiInFolder(work, imagesFolder, slot.iwiName);
        if (!work.IsFound()) continue;  // images that are not there change nothing
        if (result == ImageResult::Success) result = target == ImageTarget::Dds ? ExportDDS(work, "") : ExportTGA(work, "");
        std::string name = work.GetName();
        ReplaceTildes(name);
        message = result == ImageResult::Success ? "Converted: " + name : "IWI Error: " + ImageResultText(result);
      }
    }
  }
  VornLog::Message(message);
  return ResultCode::Success;
}

void AddImageSteps(JobSteps& steps) {
  steps.loadImages = [](Xmodel& model, bool readFiles) { model.LoadImages(readFiles); };
  steps.moveImages = MoveModelImages;
  steps.convertIwi = ConvertIwi;
}
