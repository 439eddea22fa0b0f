#pragma once
// The OpenGL textures of IWI images. The model library reads the images without GL; the view
// turns them into textures on the job thread, with its context current, during the upload.
//
// Threads: the job thread inside the upload (frame mutex held), or any thread at shutdown with a
// context of the share group current.
#include <cstdint>

#include "image/image_result.h"

class IwiImage;
class Xmodel;

// The image's texture: the existing one when the image has a texture already, otherwise a new
// GL_TEXTURE_2D with linear filtering and one level per counted mipmap level (MipCount), in the
// GL formats of the image's format (the DXT block formats, or B,G,R(,A) bytes as stored).
// NotLoaded without a loaded image, UploadFormat for a format without GL formats, NotPossible
// when a level holds no bytes (the texture is kept with the levels uploaded so far).
ImageResult UploadIwiTexture(IwiImage& image, uint32_t& texture);

// Deletes the image's texture, when it has one, and marks it as having none.
void DeleteIwiTexture(IwiImage& image);

// DeleteIwiTexture on every image of the model's image map.
void DeleteModelTextures(Xmodel& model);
