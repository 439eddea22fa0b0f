#include "model/result_code.h"

std::string ErrorText(ResultCode code) {
  switch (code) {
    case ResultCode::UnknownError: return "Unknown Error";
    case ResultCode::FileNotValid: return "File Not Valid";
    case ResultCode::FileNotFound: return "File Not Found";
    case ResultCode::FileTooSmall: return "File To small";
    case ResultCode::InvalidPath: return "Invalid Path";
    case ResultCode::CantOpenFile: return "Can't Open File";
    case ResultCode::NoPermission: return "File Handel failed due to permissions, please run program as admin";
    case ResultCode::InvalidVersion: return "Invalid Version";
    case ResultCode::SurfsFolderNotFound: return "'xmodelsurfs' folder not Found";
    case ResultCode::SurfacesNotSetUp: return "Sufaces Not Setup, xmodel failed to load";
    case ResultCode::InvalidIndex: return "Invalid Array Index (out of range)";
    case ResultCode::TagsNotLoaded: return "Tags Not Loaded";
    case ResultCode::NotLoaded: return "File Not Loaded";
    case ResultCode::WriteFailed: return "File Write Failed";
    default: return "Error No: " + std::to_string(static_cast<int32_t>(code));
  }
}
