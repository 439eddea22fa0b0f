// Xmodel: the load sequence, the scale, progress and the queries. The file readers are in
// xmodel_reader.cpp, xmodelparts_reader.cpp and xmodelsurfs_reader.cpp.
#include "model/xmodel.h"

#include <chrono>
#include <cmath>

#include "core/log.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace {

bool AskWithMessageBox(const std::string& caption, const std::string& text) {
  return platform::ShowMessageBox(platform::MessageBoxKind::YesNo, caption, text) ==
         platform::MessageBoxAnswer::Yes;
}

bool IsBone(const XmodelInfo& info, int32_t index) {
  return index >= 0 && static_cast<size_t>(index) < info.bones.size();
}

}  // namespace

Xmodel::Xmodel(MaterialList& materials) : materials_(&materials), gameSwitchQuestion_(AskWithMessageBox) {}

void Xmodel::SetGameSwitchQuestion(GameSwitchQuestion question) {
  gameSwitchQuestion_ = question ? std::move(question) : GameSwitchQuestion(AskWithMessageBox);
}

ResultCode Xmodel::Load(const std::string& path) {
  Unload();
  auto start = std::chrono::steady_clock::now();
  ResultCode result = ResultCode::InvalidPath;
  if (SetPath(path)) {
    result = ReadXmodelFile();
    if (result == ResultCode::Success) result = LoadParts();
    if (result == ResultCode::Success && !loaded) result = ResultCode::NotLoaded;
    if (result == ResultCode::Success) result = materials_->Load();
    if (result == ResultCode::Success) result = SetupSurfaces();
  }
  lastResult = result;
  if (result != ResultCode::Success) {
    // No half-read model stays behind: later steps see an unloaded model.
    ForgetModelData();
    info.childBoneCount = 0;
    info.rootBoneCount = 0;
  }
  auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  loadTime = static_cast<double>(elapsed.count());
  return result;
}

bool Xmodel::SetPath(const std::string& path) {
  size_t cut = path.find_last_of('/');
  if (cut == std::string::npos) return false;
  std::string folder = path.substr(0, cut);
  if (!platform::IsDirectory(folder) || !platform::IsRegularFile(path)) return false;
  pathValid = true;
  name = path.substr(cut + 1);
  fullPath = path;
  size_t up = folder.find_last_of('/');
  baseFolder = up == std::string::npos ? folder : folder.substr(0, up);
  baseFolder += '/';
  materials_->SetBasePath(baseFolder);
  return true;
}

void Xmodel::ForgetModelData() {
  info = XmodelInfo{};
  info.childBoneCount = -1;
  info.rootBoneCount = -1;
  materials_->Clear();
  loaded = false;
  skeletonLoaded = false;
  surfacesSetUp = false;
  fileSize = -1;
}

void Xmodel::Unload() {
  ForgetModelData();
  loadTime = 0.0;
  gameSwitchActive = false;
  tagsPageJoints.clear();
  tagsPageNames.clear();
  pathValid = false;
  name.clear();
  fullPath.clear();
  lastResult = ResultCode::None;
}

ResultCode Xmodel::ApplyScale() { return ApplyScaleFactor(scale); }

ResultCode Xmodel::ApplyScaleFactor(float factor) {
  if (factor == 1.0f) return ResultCode::Success;
  if (!(factor > 0.0f) || !std::isfinite(factor)) {
    VornLog::Warningf("Scale %f not applied: the model keeps its sizes", static_cast<double>(factor));
    return ResultCode::Success;
  }
  for (int32_t i = 0; i < info.lodCount && i < static_cast<int32_t>(info.lods.size()); ++i) {
    XmodelLod& lod = info.lods[i];
    if (!lod.loaded || lod.surfaceCount <= 0) continue;
    for (XmodelSurface& surface : lod.surfaces) {
      for (XmodelVertex& vertex : surface.vertices) {
        for (float& p : vertex.position) p *= factor;
      }
    }
    lod.appliedScale *= factor;
  }
  for (XmodelBone& bone : info.bones) {
    for (float& o : bone.offset) o *= factor;
  }
  info.boneScale *= factor;
  return ResultCode::Success;
}

void Xmodel::StepProgress() {
  int32_t value = progress.load();
  while (value < 99 && !progress.compare_exchange_weak(value, value + 1)) {
  }
}

std::string Xmodel::GetName() const { return name; }

std::vector<std::string> Xmodel::GetSurfsNames() const { return info.lodNames; }

std::string Xmodel::GetJointName(int32_t index) const {
  return IsBone(info, index) ? info.bones[index].name : std::string("Joints");
}

std::string Xmodel::GetBoneName(int32_t index) const {
  return IsBone(info, index) ? info.bones[index].name : std::string("tag_not_fnd");
}

std::string Xmodel::GetSurfaceBoneName(const XmodelSurface& surface) const {
  if (surface.boneList.empty()) return "tag_not_fnd";
  return GetBoneName(static_cast<int16_t>(surface.boneList[0] >> 16));
}

float Xmodel::GetLodLoadTime(int32_t lod) const {
  if (lod < 0 || lod >= info.lodCount || lod >= static_cast<int32_t>(info.lods.size())) return 0.0f;
  return static_cast<float>(info.lods[lod].loadTime);
}

std::vector<std::string> Xmodel::GetUniqueMaterialNames() const {
  std::vector<std::string> names;
  for (const XmodelLod& lod : info.lods) {
    for (const std::string& material : lod.uniqueMaterials) {
      bool seen = false;
      for (const std::string& known : names) seen = seen || known == material;
      if (!seen) names.push_back(material);
    }
  }
  return names;
}

std::string Xmodel::GetLastErrorText() const {
  return lastResult == ResultCode::None ? std::string("No Error Set!") : ErrorText(lastResult);
}

FolderIndex& Xmodel::GameFolder(std::shared_ptr<FolderIndex>& index, const char* folderName) {
  std::string folder = baseFolder + folderName;
  if (!index || !index->Serves(folder)) index = gFolderIndexes.For(folder);
  return *index;
}
