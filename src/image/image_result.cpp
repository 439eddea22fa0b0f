#include "image/image_result.h"

#include "core/log.h"

std::string ImageResultText(ImageResult result) { return ErrorCodeText(static_cast<int32_t>(result)); }
