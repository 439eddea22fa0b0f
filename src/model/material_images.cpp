#include "model/material_images.h"

std::optional<TextureKind> TextureKindOfSlot(std::string_view slotName) {
  if (slotName == "colorMap" || slotName == "Diffuse_MapSampler") return TextureKind::Color;
  if (slotName == "normalMap" || slotName == "Normal_Map") return TextureKind::Normal;
  if (slotName == "specularMap") return TextureKind::Specular;
  return std::nullopt;
}
