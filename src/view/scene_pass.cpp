#include "view/scene_pass.h"

#include <GL/glew.h>

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "core/settings.h"
#include "view/gl_draw.h"
#include "view/shader_registry.h"

ShadingParams gShading;

// ---- Model pass ----------------------------------------------------------------------------------

namespace ModelRenderer {

void SetMainLight(const Shader& shader) {
  const int32_t* at = shader.mainLightLocations;
  if (at[kMainLightColor] == -1) return;
  const DirectionalLight& light = gShading.mainLight;
  glUniform3fv(at[kMainLightColor], 1, light.color);
  glUniform1f(at[kMainLightAmbient], light.ambientIntensity);
  const float* d = light.direction;
  float length = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
  if (length <= 0.0f) length = 1.0f;
  glUniform3f(at[kMainLightDirection], d[0] / length, d[1] / length, d[2] / length);
  glUniform1f(at[kMainLightDiffuse], light.diffuseIntensity);
}

void SetPointLights(const Shader& shader, int count, const Light* first) {
  if (shader.numPointLightsLocation == -1) return;
  glUniform1i(shader.numPointLightsLocation, count);
  for (int k = 0; k < count && k < 2; ++k) {
    const int32_t* at = shader.pointLightLocations[k];
    if (at[kPointLightColor] == -1) continue;
    const Light& light = first[k];
    glUniform3fv(at[kPointLightColor], 1, light.color);
    glUniform1f(at[kPointLightAmbient], light.ambient_intensity);
    glUniform1f(at[kPointLightDiffuse], light.diffuse_intensity);
    glUniform3fv(at[kPointLightPosition], 1, light.position);
    glUniform1f(at[kPointLightAttenConstant], light.attenuation_constant);
    glUniform1f(at[kPointLightAttenLinear], light.attenuation_linear);
    glUniform1f(at[kPointLightAttenExp], light.attenuation_exp);
  }
}

namespace {

void SetMatrices(const Shader& shader, const Mat44& mvp, const Mat33& normalMatrix, Vec3 eye) {
  if (shader.mvpLocation != -1) glUniformMatrix4fv(shader.mvpLocation, 1, GL_FALSE, mvp.m);
  if (shader.normalMatrixLocation != -1) glUniformMatrix3fv(shader.normalMatrixLocation, 1, GL_FALSE, normalMatrix.m);
  if (shader.eyeWorldPosLocation != -1) glUniform3f(shader.eyeWorldPosLocation, eye.x, eye.y, eye.z);
}

void SendPointLights(const Shader& shader, const bool enabled[2]) {
  const bool on0 = enabled[0], on1 = enabled[1];
  const Light* lights = SceneLights.lights;
  if (on0 && on1) {
    SetPointLights(shader, 2, &lights[0]);
  } else if (on0) {
    SetPointLights(shader, 1, &lights[0]);
  } else if (on1) {
    SetPointLights(shader, 1, &lights[1]);
  } else {
    SetPointLights(shader, 0, &lights[0]);
  }
}

// The wireframe overlay of one surface, drawn with the "Phong" program in the inverse colour of
// the main light (or white when the model uses another program).
void DrawWireframe(const Shader& model, const Mat44& mvp, const Mat33& normalMatrix, Vec3 eye, int32_t indexCount) {
  const Shader* overlay = gShaderRegistry.Find(1);
  if (!overlay) return;
  glUseProgram(overlay->program);
  SetMatrices(*overlay, mvp, normalMatrix, eye);
  DirectionalLight saved = gShading.mainLight;
  for (int i = 0; i < 3; ++i) gShading.mainLight.color[i] = overlay == &model ? 1.0f - saved.color[i] : 1.0f;
  SetMainLight(*overlay);
  gShading.mainLight = saved;
  glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
  glEnable(GL_POLYGON_OFFSET_LINE);
  glPolygonOffset(-1.0f, -1.0f);
  glDrawElements(GL_TRIANGLES, indexCount, kIndexType, nullptr);
  glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
  glDisable(GL_POLYGON_OFFSET_LINE);
  glUseProgram(model.program);
}

// Binds surface j's colour map on unit 0 and, for a program that reads one, its normal map on
// unit 1. What the surface lacks is filled in (the default texture, the flat normal map), so no
// surface shows the texture of the one drawn before it.
void BindSurfaceTextures(const Shader& shader, const ModelRenderData& slot, int j, bool bumpMapping,
                         uint32_t defaultTexture, uint32_t identityNormalMap) {
  static const SurfaceTextures kNone{};
  const bool hasRecord = j < static_cast<int>(slot.textures.size());
  const SurfaceTextures& textures = hasRecord ? slot.textures[static_cast<size_t>(j)] : kNone;
  if (shader.textureFlags & kTextureColorMap) {
    const uint32_t colour = textures[TextureKind::Color];
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, colour != 0 ? colour : defaultTexture);
  }
  if ((shader.textureFlags & (kTextureColorMap | kTextureNormalMap)) == (kTextureColorMap | kTextureNormalMap)) {
    const uint32_t normal = textures[TextureKind::Normal];
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, normal != 0 && bumpMapping ? normal : identityNormalMap);
    glActiveTexture(GL_TEXTURE0);
  }
}

}  // namespace

bool DrawModel(const ModelView& view, const ViewOptions& options, ModelBounds& boundsCopy,
               cinder::CameraPersp& camera, uint32_t defaultTexture, uint32_t identityNormalMap) {
  if (!view.renderCount || *view.renderCount == 0) return false;
  GlClearErrors();
  const Shader* shader = gShaderRegistry.Empty() ? nullptr : gShaderRegistry.Find(options.lightModel);
  if (shader && view.slots) {
    const Mat44& modelView = camera.modelViewMatrix;
    if (!camera.inverseModelViewValid) {
      camera.inverseModelViewMatrix = modelView.AffineInverse();
      camera.inverseModelViewValid = true;
    }
    const Mat33 normalMatrix = camera.inverseModelViewMatrix.UpperLeft33().Transposed();
    const Mat44& projection = camera.projectionMatrix;

    glUseProgram(shader->program);
    SendPointLights(*shader, options.lightEnabled);
    SetMainLight(*shader);
    if (shader->specularIntensityLocation != -1) glUniform1f(shader->specularIntensityLocation, gShading.specularIntensity);
    if (shader->specularPowerLocation != -1) glUniform1f(shader->specularPowerLocation, gShading.specularPower);
    if (shader->eyeWorldPosLocation != -1)
      glUniform3f(shader->eyeWorldPosLocation, camera.eyePoint.x, camera.eyePoint.y, camera.eyePoint.z);
    if (shader->useVertexColLocation != -1) glUniform1i(shader->useVertexColLocation, options.useVertexColours ? 1 : 0);
    if (shader->disableAlphaLocation != -1) glUniform1i(shader->disableAlphaLocation, gShading.disableAlpha ? 1 : 0);
    GlClearErrors();

    Vec3 offset{0, 0, 0};
    const int count = std::min(*view.renderCount, kRenderSlotCount);
    for (int i = 0; i < count; ++i) {
      const ModelRenderData& slot = (*view.slots)[static_cast<size_t>(i)];
      if (slot.surfaceCount == 0) continue;
      Mat44 placed = modelView;
      placed.Translate(offset);
      const Mat44 mvp = projection.Multiply(placed);
      SetMatrices(*shader, mvp, normalMatrix, camera.eyePoint);
      for (int j = 0; j < slot.surfaceCount; ++j) {
        glBindBuffer(GL_ARRAY_BUFFER, slot.vertexBuffers[static_cast<size_t>(j)]);
        BindVertexLayout();
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, slot.indexBuffers[static_cast<size_t>(j)]);
        BindSurfaceTextures(*shader, slot, j, options.bumpMapping, defaultTexture, identityNormalMap);
        const int32_t indexCount = slot.indexCounts[static_cast<size_t>(j)];
        glDrawElements(GL_TRIANGLES, indexCount, kIndexType, nullptr);
        if (options.wireframe) DrawWireframe(*shader, mvp, normalMatrix, camera.eyePoint, indexCount);
        UnbindVertexLayout();
      }
      glBindBuffer(GL_ARRAY_BUFFER, 0);
      glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
      glActiveTexture(GL_TEXTURE0);
      glBindTexture(GL_TEXTURE_2D, 0);
      glUseProgram(0);
      if (options.drawTangents && slot.debugList != 0) {
        GlPushModelView();
        glTranslatef(0.0f, offset.y, 0.0f);
        glCallList(slot.debugList);
        GlPopModelView();
      }
      if (!options.drawLods) break;
      glUseProgram(shader->program);
      if (view.boundsMutex && view.jobBounds) {
        std::lock_guard<std::mutex> lock(*view.boundsMutex);
        const BoundsBox& box = view.jobBounds->blocks[i].lodBox;
        offset.y += box.max.y - box.min.y + 20.0f;
      }
    }
  }
  GlClearErrors();
  glUseProgram(0);
  if (view.boundsMutex && view.jobBounds) {
    std::lock_guard<std::mutex> lock(*view.boundsMutex);
    CopyBounds(*view.jobBounds, boundsCopy);
  }
  return true;
}

}  // namespace ModelRenderer

// ---- The rest of the scene -----------------------------------------------------------------------

void DrawGrid(const float colour[3]) {
  glColor4f(colour[0], colour[1], colour[2], 1.0f);
  glBegin(GL_LINES);
  for (int c = -50; c <= 50; c += 5) {
    const float f = static_cast<float>(c);
    if (c == 0) glColor4f(1.0f, 0.0f, 0.0f, 0.7f);
    glVertex3f(f, -50.0f, -0.01f);
    glVertex3f(f, 50.0f, -0.01f);
    glVertex3f(-50.0f, f, -0.01f);
    glVertex3f(50.0f, f, -0.01f);
    if (c == 0) glColor4f(colour[0], colour[1], colour[2], 1.0f);
  }
  glEnd();
}

void DrawAxisCross() {
  struct AxisVertex {
    uint8_t rgba[4];
    float xyz[3];
  };
  static const AxisVertex kAxis[6] = {
      {{255, 255, 0, 255}, {0, 0, 0}}, {{255, 255, 0, 255}, {5, 0, 0}}, {{0, 255, 0, 255}, {0, 0, 0}},
      {{0, 255, 0, 255}, {0, 5, 0}},   {{0, 0, 255, 255}, {0, 0, 0}},   {{0, 0, 255, 255}, {0, 0, 5}},
  };
  glTranslatef(0.0f, 0.1f, 0.0f);
  glInterleavedArrays(GL_C4UB_V3F, 0, kAxis);
  glDrawArrays(GL_LINES, 0, 6);
  glDisableClientState(GL_COLOR_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
  glTranslatef(0.0f, -0.1f, 0.0f);
}

void DrawLightSpheres(const bool enabled[2]) {
  for (int i = 0; i < 2; ++i) {
    if (!enabled[i]) continue;
    const Light& light = SceneLights.lights[i];
    glColor4f(light.color[0], light.color[1], light.color[2], 1.0f);
    GlDrawSphere({light.position[0], light.position[1], light.position[2]}, 1.0f, 20);
  }
}

void DrawLocator() {
  glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
  GlDepthTest(false);
  GlDrawLine({-2.5f, 0, 0}, {2.5f, 0, 0});
  GlDrawLine({0, -2.5f, 0}, {0, 2.5f, 0});
  GlDrawLine({0, 0, -2.5f}, {0, 0, 2.5f});
  GlDepthTest(true);
}

int32_t BoxLabelValue(float extent, float scale) {
  // A scale of 0 (or one that is not a number) is refused at load, so the model keeps its own
  // units: the extent is shown as it is.
  const float units = scale > 0.0f && std::isfinite(scale) ? extent / scale : extent;
  if (std::isnan(units)) return 0;
  if (units >= 2147483647.0f) return INT32_MAX;
  if (units <= -2147483648.0f) return INT32_MIN;
  return static_cast<int32_t>(units);
}

namespace {

// The three size labels of a box drawn at yOffset: its extent along Y ("W"), X ("D") and Z ("H")
// in the model's units, lying on the ground beside the box and standing at its side.
void DrawBoxLabels(const BoundsBox& box, float yOffset, float scale, const SceneText& text) {
  const SceneTextStyle style{5.0f, 0.0f, 0.15f};
  const Vec3 e = box.max - box.min;
  char label[32];
  glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
  glEnable(GL_TEXTURE_2D);

  std::snprintf(label, sizeof label, "W %i", BoxLabelValue(e.y, scale));
  float w = text.width(label, style);
  glPushMatrix();
  glRotatef(-180.0f, 1.0f, 1.0f, 0.0f);
  glTranslatef(yOffset, box.max.x + 6.5f, -0.05f);
  text.draw(label, style, {-w / 2.0f, 0.0f, 0.0f});
  glPopMatrix();

  std::snprintf(label, sizeof label, "D %i", BoxLabelValue(e.x, scale));
  w = text.width(label, style);
  glPushMatrix();
  glRotatef(-180.0f, 0.5f, 0.0f, 0.0f);
  glTranslatef((box.min.x + box.max.x) / 2.0f - w / 2.0f, -yOffset + e.y / 2.0f + 6.5f, -0.05f);
  text.draw(label, style, {0.0f, 0.0f, 0.0f});
  glPopMatrix();

  std::snprintf(label, sizeof label, "H %i", BoxLabelValue(e.z, scale));
  w = text.width(label, style);
  glPushMatrix();
  glRotatef(-180.0f, 1.0f, 0.0f, -1.0f);
  glTranslatef(-(e.z + w) / 2.0f, -yOffset + e.y / 2.0f + 6.5f, -box.min.x);
  text.draw(label, style, {0.0f, 0.0f, 0.0f});
  glPopMatrix();

  glDisable(GL_TEXTURE_2D);
}

}  // namespace

void DrawBoundingBox(const PickRay& ray, const ModelBounds& bounds, const ViewOptions& options, bool mouseOverGui,
                     const SceneText& text) {
  float yOffset = 0.0f;
  for (uint32_t i = 0; i < bounds.count; ++i) {
    const BoundsBox& lod = bounds.blocks[i].lodBox;
    const BoundsBox box({lod.min.x, lod.min.y + yOffset, lod.min.z}, {lod.max.x, lod.max.y + yOffset, lod.max.z});
    const float alpha = !mouseOverGui && box.HitByRay(ray) ? 1.0f : 0.5f;
    glColor4f(0.439f, 0.773f, 1.0f, alpha);
    GlDrawWireBox((box.min + box.max) * 0.5f, box.max - box.min);
    if (options.drawBoundingBoxUnits && text.IsPlugged()) DrawBoxLabels(box, yOffset, bounds.blocks[i].scale, text);
    yOffset += lod.max.y - lod.min.y + 20.0f;
    if (!options.drawLods) break;
  }
}

void AnimateLights(SceneState& state, float nowMs) {
  if (!state.lightsStarted || state.lightStartMs + 500000.0f < nowMs) {
    state.lightsStarted = true;
    state.lightStartMs = nowMs;
  }
  const float theta = (nowMs - state.lightStartMs) * 0.000002f * 360.0f;
  const float* k = state.modelCenter;
  const float* e = state.modelSize;
  // r: half the diagonal of LOD 0's box.
  const float r = 0.5f * std::sqrt(e[0] * e[0] + e[1] * e[1] + e[2] * e[2]);
  const float px = k[0], py = k[1] + r;
  const float xr = px * std::cos(theta) - py * std::sin(theta);
  const float yr = px * std::sin(theta) + py * std::cos(theta);
  float* p0 = SceneLights.lights[0].position;
  p0[0] = xr, p0[1] = yr, p0[2] = e[2] + 10.0f;
  float* p1 = SceneLights.lights[1].position;
  p1[0] = k[0] + px, p1[1] = k[1] + xr, p1[2] = k[2] + yr;
}

bool DrawScene(SceneState& state, const ModelView& view, SceneFrame& frame) {
  const ViewOptions& options = frame.options;
  if (options.drawGrid) DrawGrid(state.gridColour);
  if (options.drawAxis) DrawAxisCross();
  glEnable(GL_TEXTURE_2D);
  glEnable(GL_ALPHA_TEST);
  glAlphaFunc(GL_GREATER, 0.05f);
  glEnable(GL_LIGHTING);

  const float w = static_cast<float>(frame.width > 0 ? frame.width : 1);
  const float h = static_cast<float>(frame.height > 0 ? frame.height : 1);
  const PickRay ray = frame.camera->RayThroughPoint(static_cast<float>(frame.mouseX) / w,
                                                    (h - static_cast<float>(frame.mouseY)) / h, w / h);
  glColor4f(1, 1, 1, 1);
  const bool drawn =
      ModelRenderer::DrawModel(view, options, state.modelBounds, *frame.camera, state.defaultTexture,
                               state.identityNormalMap);
  if (drawn) {
    const BoundsBox& lod0 = state.modelBounds.blocks[0].lodBox;
    const Vec3 size = lod0.max - lod0.min;
    const Vec3 centre = (lod0.min + lod0.max) * 0.5f;
    state.modelSize[0] = size.x, state.modelSize[1] = size.y, state.modelSize[2] = size.z;
    state.modelCenter[0] = centre.x, state.modelCenter[1] = centre.y, state.modelCenter[2] = centre.z;
    AnimateLights(state, frame.nowMs);
  } else {
    for (int i = 0; i < 3; ++i) state.modelSize[i] = state.modelCenter[i] = 0.0f;
  }
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_TEXTURE_2D);
  glDisable(GL_LIGHTING);
  glColor3f(1, 1, 1);
  DrawLightSpheres(options.lightEnabled);
  if (drawn) {
    if (options.drawBones && frame.drawBones) frame.drawBones(ray);
    if (options.drawBoundingBox) DrawBoundingBox(ray, state.modelBounds, options, frame.mouseOverGui, state.labelText);
    if (options.drawCentralLocator) {
      glTranslatef(state.modelCenter[0], state.modelCenter[1], state.modelCenter[2]);
      DrawLocator();
    }
  }
  return true;
}
