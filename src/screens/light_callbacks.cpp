// The callbacks of the 3D view's look: colour packing, the grid and background colours, the two
// moving lights and the main light, the shader choice, and the master volume.
#include "screens/callbacks.h"

namespace {

constexpr float kByteToUnit = 0.003921569f;  // 1 / 255

void SetColour(float target[3], float r, float g, float b) {
  target[0] = r;
  target[1] = g;
  target[2] = b;
}

uint32_t PackUnitColor(float r, float g, float b) { return PackColor(r * 255.0f, g * 255.0f, b * 255.0f); }

}  // namespace

void UnpackColor(uint32_t packed, float& r, float& g, float& b) {
  r = static_cast<float>(packed & 0xFF) * kByteToUnit;
  g = static_cast<float>((packed >> 8) & 0xFF) * kByteToUnit;
  b = static_cast<float>((packed >> 16) & 0xFF) * kByteToUnit;
}

uint32_t PackColor(float r, float g, float b) {
  // Truncated toward zero, then held to 8 bits; a value outside the int range has no channel to
  // give and counts as 0 rather than being converted with undefined behaviour.
  auto channel = [](float v) -> uint32_t {
    if (!(v > -2147483648.0f && v < 2147483648.0f)) return 0;
    return static_cast<uint32_t>(static_cast<int32_t>(v)) & 0xFF;
  };
  return channel(r) | channel(g) << 8 | channel(b) << 16;
}

// ---- Light settings ---------------------------------------------------------------------------

void OnLight1Color(ScreenContext& ctx, float r, float g, float b) { SetColour(ctx.lights.lights[0].color, r, g, b); }
void OnLight2Color(ScreenContext& ctx, float r, float g, float b) { SetColour(ctx.lights.lights[1].color, r, g, b); }
void OnMainLightColor(ScreenContext& ctx, float r, float g, float b) {
  SetColour(ctx.shading.mainLight.color, r, g, b);
}

void OnLight1AttConstant(ScreenContext& ctx, float v) { ctx.lights.lights[0].attenuation_constant = v; }
void OnLight1AttLinear(ScreenContext& ctx, float v) { ctx.lights.lights[0].attenuation_linear = v; }
void OnLight1AttExp(ScreenContext& ctx, float v) { ctx.lights.lights[0].attenuation_exp = v; }
void OnLight2AttConstant(ScreenContext& ctx, float v) { ctx.lights.lights[1].attenuation_constant = v; }
void OnLight2AttLinear(ScreenContext& ctx, float v) { ctx.lights.lights[1].attenuation_linear = v; }
void OnLight2AttExp(ScreenContext& ctx, float v) { ctx.lights.lights[1].attenuation_exp = v; }

void OnMainLightDiffuse(ScreenContext& ctx, float v) { ctx.shading.mainLight.diffuseIntensity = v; }
void OnMainLightAmbient(ScreenContext& ctx, float v) { ctx.shading.mainLight.ambientIntensity = v; }
void OnSpecularIntensity(ScreenContext& ctx, float v) { ctx.shading.specularIntensity = v; }
void OnSpecularPower(ScreenContext& ctx, float v) { ctx.shading.specularPower = v; }

bool OnShaderChanged(ScreenContext& ctx, int index) {
  if (index < 0 || index > 1) return false;
  ctx.settings.light_model = index;
  return true;
}

// ---- Sounds -------------------------------------------------------------------------------------

void OnMasterVolume(ScreenContext& ctx, float v) {
  ctx.sound.SetVolume(v);  // mutes at 0, unmutes above it, sets the listener gain
  ctx.settings.volume = v;
}

// ---- OpenGL settings --------------------------------------------------------------------------

void OnGridColor(ScreenContext& ctx, float r, float g, float b) {
  if (ctx.hooks.setGridColour) ctx.hooks.setGridColour(r, g, b);
  ctx.settings.color_grid = PackUnitColor(r, g, b);
}

void OnBackgroundColor(ScreenContext& ctx, float r, float g, float b) {
  if (ctx.hooks.setClearColour) ctx.hooks.setClearColour(r, g, b);
  ctx.settings.color_background = PackUnitColor(r, g, b);
}
