#pragma once
// The images a material uses, by the kind of its texture slot. The model keeps one MaterialImages
// per material of its MaterialList, in the same order, pointing into its image map.
#include <array>
#include <optional>
#include <string>
#include <string_view>

class IwiImage;

// Index into MaterialImages. Kind 1 exists in the layout but no slot fills it.
enum class TextureKind : int { Color = 0, Unused = 1, Normal = 2, Specular = 3 };
inline constexpr int kTextureKindCount = 4;

// The kind of a texture slot name: "colorMap" and "Diffuse_MapSampler" colour, "normalMap" and
// "Normal_Map" normal, "specularMap" specular; nothing for every other slot. Names compare exactly.
std::optional<TextureKind> TextureKindOfSlot(std::string_view slotName);

struct MaterialImages {
  std::array<IwiImage*, kTextureKindCount> images{};
  std::array<bool, kTextureKindCount> present{};
  std::string materialName;

  // The image bound for kind, or null when none is present.
  IwiImage* Image(TextureKind kind) const {
    const int k = static_cast<int>(kind);
    return present[k] ? images[k] : nullptr;
  }
};
