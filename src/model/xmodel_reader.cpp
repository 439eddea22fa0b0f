// xmodel reader: the header of a model (filled in by the reader work).
#include "model/xmodel.h"

ResultCode Xmodel::ReadXmodelFile() { return ResultCode::UnknownError; }
ResultCode Xmodel::ParseXmodelFile(const uint8_t*, size_t) { return ResultCode::UnknownError; }
ResultCode Xmodel::LoadParts() { return ResultCode::UnknownError; }
ResultCode Xmodel::ParseParts(const uint8_t*, size_t) { return ResultCode::UnknownError; }
ResultCode Xmodel::SetupSurfaces() { return ResultCode::UnknownError; }
ResultCode Xmodel::LoadSurface(int32_t) { return ResultCode::UnknownError; }
ResultCode Xmodel::ParseSurfsFile(const uint8_t*, size_t, XmodelLod&) { return ResultCode::UnknownError; }
