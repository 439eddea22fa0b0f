// xmodel reader: the header of a model. It holds the physics preset, the distances and the
// xmodelsurfs names of up to four LODs, the collision LOD, and per LOD the material name of every
// surface. Each game stores it in a slightly different layout; the model's game picks it.
//
//   ReadXmodelFile            reads the file into memory and parses it (ParseXmodelFile)
//   ParseXmodelCod4/Cod5/Bo   the physics preset of each layout, then the common part:
//   ReadLodNamesAndMaterials  distances and LOD names, collision LOD, then ReadLodMaterials
//   ReadLodMaterials          collision entries (skipped), LOD records and material names
//   AutoGameSwitch            Cod5 layout only: offers to read a Cod4 model in its own layout
#include <algorithm>

#include "model/read_failure.h"
#include "model/xmodel.h"
#include "platform/files.h"

namespace {

constexpr size_t kMaxRefusedSize = 64;  // a file of 64 bytes or fewer is refused
constexpr size_t kNameLimit = 1024;     // longest name read from any model file
constexpr uint8_t kNoCollisionLod = 255;
constexpr size_t kCollisionEntryHead = 4 + 36;  // int32 n and 36 bytes, then n x 48 bytes
constexpr size_t kCollisionRecord = 48;

const char kSwitchCaption[] = "Auto Game Switcher";
const char kSwitchText[] =
    "It looks like this model is a COD4 Xmodel\nDo you want to switch to COD4 Loader just for this Xmodel?\n\n"
    "* You can disable this check in settings.";

// An LOD name of at least this many bytes counts as an LOD.
constexpr size_t kMinLodNameCod4 = 3;
constexpr size_t kMinLodNameCod5 = 2;
constexpr size_t kMinLodNameBo = 5;

}  // namespace

ResultCode Xmodel::ReadXmodelFile() {
  if (loaded) return ResultCode::AlreadyLoaded;
  if (!pathValid) return ResultCode::FileNotValid;
  std::vector<uint8_t> bytes;
  if (!platform::ReadWholeFile(fullPath, bytes)) return ResultCode::CantOpenFile;
  return ParseXmodelFile(bytes.data(), bytes.size());
}

ResultCode Xmodel::ParseXmodelFile(const uint8_t* data, size_t size) {
  if (loaded) return ResultCode::AlreadyLoaded;
  fileSize = static_cast<int32_t>(std::min<size_t>(size, INT32_MAX));
  if (size <= kMaxRefusedSize) return ResultCode::FileTooSmall;
  ByteReader in(data, size);
  ResultCode result = ParseXmodel(in);
  if (result == ResultCode::Success) loaded = true;
  return result;
}

ResultCode Xmodel::ParseXmodel(ByteReader& in) {
  info = XmodelInfo{};
  in.Seek(0);
  info.version = in.U16();
  // The layout is chosen before the game returns from a one-shot switch, so the skeleton and
  // surface readers keep the user's game.
  GameId layout = game;
  RestoreGame();
  switch (layout) {
    case GameId::Cod5: return ParseXmodelCod5(in);
    case GameId::CodBo: return ParseXmodelBo(in);
    case GameId::Cod4: return ParseXmodelCod4(in);
  }
  return ResultCode::UnknownError;
}

ResultCode Xmodel::ParseXmodelCod4(ByteReader& in) {
  in.Seek(27);
  if (in.U8() != 0) {  // a preset at 27, the next field right after its zero
    in.Seek(27);
    if (!ReadCString(in, info.physicsPreset)) return RefuseFile(name, in, ResultCode::UnknownError, "unreadable physics preset");
  }
  return ReadLodNamesAndMaterials(in, kMinLodNameCod4, false);
}

ResultCode Xmodel::ParseXmodelCod5(ByteReader& in) {
  in.Seek(27);
  if (in.U8() != 0) {  // a preset at 27, its zero and one more byte
    in.Seek(27);
    if (!ReadCString(in, info.physicsPreset)) return RefuseFile(name, in, ResultCode::UnknownError, "unreadable physics preset");
    in.Skip(1);
  } else {
    in.Seek(29);
  }
  return ReadLodNamesAndMaterials(in, kMinLodNameCod5, true);
}

ResultCode Xmodel::ParseXmodelBo(ByteReader& in) {
  in.Seek(31);
  if (in.U8() != 0) {  // a preset at 30, a second string, then 5 bytes
    in.Seek(30);
    std::string second;
    if (!ReadCString(in, info.physicsPreset) || !ReadCString(in, second)) {
      return RefuseFile(name, in, ResultCode::UnknownError, "unreadable physics preset");
    }
    in.Skip(5);
  } else {
    in.Seek(37);
  }
  return ReadLodNamesAndMaterials(in, kMinLodNameBo, false);
}

ResultCode Xmodel::ReadLodNamesAndMaterials(ByteReader& in, size_t minNameLength, bool offerGameSwitch) {
  info.lodDistances.push_back(in.F32());
  for (int i = 0; i < XmodelInfo::kMaxLods; ++i) {
    size_t nameStart = in.Position();
    std::string lodName;
    if (!ReadCString(in, lodName)) return RefuseFile(name, in, ResultCode::NameReadFailed, "unreadable LOD name");
    if (offerGameSwitch && i == 0 && !AutoGameSwitch(in, nameStart, lodName)) return ParseXmodel(in);
    if (lodName.size() >= minNameLength) ++info.lodCount;
    info.lodNames.push_back(std::move(lodName));
    if (i < XmodelInfo::kMaxLods - 1) info.lodDistances.push_back(in.F32());
  }
  uint8_t collisionLod = in.U8();
  if (in.Failed()) return RefuseFile(name, in, ResultCode::UnknownError, "file ends in the LOD names");
  if (collisionLod != kNoCollisionLod) info.collisionLod = collisionLod;
  return ReadLodMaterials(in);
}

ResultCode Xmodel::ReadLodMaterials(ByteReader& in) {
  in.Skip(3);
  int32_t collisionCount = in.I32();  // present in every file, used only with a collision LOD
  if (in.Failed()) return RefuseFile(name, in, ResultCode::UnknownError, "file ends before the collision count");
  if (info.collisionLod != -1) {
    if (collisionCount < 0 || !in.Fits(static_cast<size_t>(collisionCount), kCollisionEntryHead)) {
      return RefuseFile(name, in, ResultCode::UnknownError, "collision count does not fit the file");
    }
    for (int32_t i = 0; i < collisionCount; ++i) {
      int32_t records = in.I32();
      if (in.Failed() || records < 0 || !in.Skip(36) || !in.Fits(static_cast<size_t>(records), kCollisionRecord) ||
          !in.Skip(static_cast<size_t>(records) * kCollisionRecord)) {
        return RefuseFile(name, in, ResultCode::UnknownError, "collision entry does not fit the file");
      }
    }
  }
  info.lods.assign(static_cast<size_t>(info.lodCount), XmodelLod{});
  for (XmodelLod& lod : info.lods) {
    uint8_t materialCount = in.U8();
    in.Skip(1);
    if (in.Failed()) return RefuseFile(name, in, ResultCode::UnknownError, "file ends in the material names");
    lod.materialCount = 0;
    lod.uniqueMaterialCount = 0;
    for (uint8_t m = 0; m < materialCount; ++m) {
      std::string material;
      if (!ReadCString(in, material)) return RefuseFile(name, in, ResultCode::UnknownError, "unreadable material name");
      ++lod.materialCount;
      if (std::find(lod.uniqueMaterials.begin(), lod.uniqueMaterials.end(), material) == lod.uniqueMaterials.end()) {
        lod.uniqueMaterials.push_back(material);
        ++lod.uniqueMaterialCount;
      }
      lod.surfaceMaterials.push_back(std::move(material));
    }
  }
  materials_->materialNames = GetUniqueMaterialNames();
  return ResultCode::Success;
}

bool Xmodel::ReadCString(ByteReader& in, std::string& out) const {
  size_t limit = fileSize > 0 ? std::min(kNameLimit, static_cast<size_t>(fileSize)) : kNameLimit;
  return in.CString(limit, out);
}

bool Xmodel::AutoGameSwitch(const ByteReader& in, size_t nameStart, const std::string& lodName) {
  if (nameStart == 0 || !SurfsFolder().FindFile(lodName).empty()) return true;
  // The Cod4 layout places the name one byte earlier: read it from there without moving `in`.
  ByteReader probe = in;
  std::string cod4Name;
  if (!probe.Seek(nameStart - 1) || !ReadCString(probe, cod4Name)) return true;
  if (SurfsFolder().FindFile(cod4Name).empty() || !gameSwitchQuestion_(kSwitchCaption, kSwitchText)) return true;
  savedGame = GameId::Cod5;
  game = GameId::Cod4;
  gameSwitchActive = true;
  return false;
}

void Xmodel::RestoreGame() {
  if (gameSwitchActive) game = savedGame;
}
