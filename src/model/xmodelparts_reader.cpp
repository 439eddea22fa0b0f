// xmodelparts reader: the skeleton of a model, the same layout for every game.
//
//   u16 version, i16 child count, i16 root count,
//   child count x (u8 parent, 3 x f32 offset, 3 x i16 packed rotation),
//   (root + child count) zero-terminated names, roots first.
// Real files carry a few bytes after the names; they are not read.
#include <cerrno>

#include "model/read_failure.h"
#include "model/xmodel.h"
#include "platform/files.h"

namespace {

constexpr size_t kChildRecordSize = 19;

}  // namespace

ResultCode Xmodel::LoadParts() {
  if (!loaded) return ResultCode::NotLoaded;
  if (skeletonLoaded) return ResultCode::SkeletonLoaded;
  if (!PartsFolder().Exists()) return ResultCode::NoPartsFolder;
  std::string lodName0 = info.lodNames.empty() ? std::string() : info.lodNames[0];
  info.skeletonPath = PartsFolder().FindFile(lodName0);
  if (info.skeletonPath.empty()) {
    info.skeletonPath = baseFolder + "xmodelparts/" + lodName0;
    return ResultCode::FileNotFound;
  }
  std::vector<uint8_t> bytes;
  errno = 0;
  if (!platform::ReadWholeFile(info.skeletonPath, bytes)) {
    return errno == EACCES ? ResultCode::NoPermission : ResultCode::CantOpenFile;
  }
  if (game != GameId::Cod5 && game != GameId::CodBo && game != GameId::Cod4) return ResultCode::InvalidVersion;
  return ParseParts(bytes.data(), bytes.size());
}

ResultCode Xmodel::ParseParts(const uint8_t* data, size_t size) {
  if (skeletonLoaded) return ResultCode::SkeletonLoaded;
  const std::string fileName = info.lodNames.empty() ? std::string("xmodelparts") : info.lodNames[0];
  ByteReader in(data, size);
  in.U16();  // version
  int16_t childCount = in.I16();
  int16_t rootCount = in.I16();
  if (in.Failed()) return RefuseFile(fileName, in, ResultCode::UnknownError, "file ends in the bone counts");
  if (childCount < 0 || rootCount < 0) return RefuseFile(fileName, in, ResultCode::InvalidIndex, "negative bone count");
  const size_t boneCount = static_cast<size_t>(childCount) + static_cast<size_t>(rootCount);
  // Each child record is 19 bytes and each name at least its zero byte.
  if (in.Remaining() < childCount * kChildRecordSize + boneCount) {
    return RefuseFile(fileName, in, ResultCode::InvalidIndex, "bone counts do not fit the file");
  }
  info.childBoneCount = childCount;
  info.rootBoneCount = rootCount;
  std::vector<XmodelBone> bones(boneCount);  // roots keep offset 0, the identity and parent 255
  for (size_t i = rootCount; i < boneCount; ++i) {
    XmodelBone& bone = bones[i];
    bone.parent = in.U8();
    in.Bytes(bone.offset, sizeof bone.offset);
    int16_t a = in.I16(), b = in.I16(), c = in.I16();
    bone.rotation = QuatFromPacked(a, b, c);
    if (bone.parent >= boneCount) return RefuseFile(fileName, in, ResultCode::InvalidIndex, "parent is not a bone");
  }
  for (XmodelBone& bone : bones) {
    if (!ReadCString(in, bone.name)) return RefuseFile(fileName, in, ResultCode::UnknownError, "unreadable bone name");
  }
  info.bones = std::move(bones);
  skeletonLoaded = true;
  return ResultCode::Success;
}
