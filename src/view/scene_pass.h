#pragma once
// The scene render pass: once per frame, after the frame has cleared the buffers and loaded the
// camera's matrices, DrawScene draws the 3D view: the ground grid, the axis cross, the model with
// the chosen GLSL program and its lights, the two moving point lights as spheres, the bones, the
// bounding boxes and the central locator. Main thread, inside the frame mutex.
//
//   ShadingParams      the directional light and specular values of the model programs
//   ModelView          what the pass reads of the job thread's GPU data and bounds
//   SceneState         what the pass keeps between frames and tells the rest of the view
//   ModelRenderer      the model pass proper: DrawModel, SetMainLight, SetPointLights
//   DrawGrid ... DrawBoundingBox, DrawScene
#include <cstdint>
#include <functional>
#include <mutex>

#include "core/settings.h"
#include "view/bounds_box.h"
#include "view/camera.h"
#include "view/model_bounds.h"
#include "view/model_render_data.h"
#include "view/scene_text.h"
#include "view/shader.h"
#include "view/view_options.h"

struct DirectionalLight {
  float color[3] = {1, 1, 1};
  float ambientIntensity = 0.6f;
  float diffuseIntensity = 0.9f;
  float direction[3] = {1, 1, 1};  // normalised when sent
};

struct ShadingParams {
  DirectionalLight mainLight;
  float specularIntensity = 0.001f;  // "gMatSpecularIntensity"
  float specularPower = 1.0f;        // "gSpecularPower"
  bool disableAlpha = false;         // "gDisableAlpha"
};
extern ShadingParams gShading;

// The job thread's model data as the pass reads it: the render slots and their count (written by
// the job thread under the frame mutex, which the frame holds), and its bounds under boundsMutex.
struct ModelView {
  RenderSlots* slots = nullptr;
  const int32_t* renderCount = nullptr;
  std::mutex* boundsMutex = nullptr;
  const ModelBounds* jobBounds = nullptr;
};

struct SceneState {
  float gridColour[3] = {0, 0, 0};
  float modelSize[3] = {0, 0, 0};    // LOD 0's extent, zero when no model is drawn
  float modelCenter[3] = {0, 0, 0};  // LOD 0's centre
  ModelBounds modelBounds;           // the renderer's copy of the bounds
  bool lightsStarted = false;        // the light animation has begun
  float lightStartMs = 0.0f;
  uint32_t defaultTexture = 0;       // colour map of surfaces without one ("images/default.dds")
  uint32_t identityNormalMap = 0;    // flat normal map bound when bump mapping is off
  SceneText labelText;               // the font of the box size labels (none: no labels)
};

// What a frame gives the pass besides the model.
struct SceneFrame {
  ViewOptions options;            // the settings as the frame took them
  cinder::CameraPersp* camera = nullptr;
  int32_t width = 1, height = 1;  // client size
  int32_t mouseX = 0, mouseY = 0; // pointer in client coordinates
  bool mouseOverGui = false;
  float nowMs = 0.0f;             // Timer::ElapsedMs of the frame
  // Draws the bones with the pick ray (the bone display plugs in); empty: no bones.
  std::function<void(const PickRay&)> drawBones;
};

namespace ModelRenderer {

// Draws the model: false only when nothing is to be drawn (render count 0). A missing program
// draws nothing but still copies the bounds and counts as drawn. A surface without a colour map
// (texture 0, or no texture record) draws with defaultTexture, one without a normal map (or with
// bump mapping off) with identityNormalMap: never with whatever texture was bound before.
bool DrawModel(const ModelView& view, const ViewOptions& options, ModelBounds& boundsCopy,
               cinder::CameraPersp& camera, uint32_t defaultTexture, uint32_t identityNormalMap);
// Sends gShading.mainLight (skipped when the program has no main light colour uniform).
void SetMainLight(const Shader& shader);
// Sends "gNumPointLights" and count lights from first (skipped when the program has no such
// uniform).
void SetPointLights(const Shader& shader, int count, const Light* first);

}  // namespace ModelRenderer

// The ground grid: 21 x 21 lines 5 units apart from -50 to 50, the two centre lines red.
void DrawGrid(const float colour[3]);
void DrawAxisCross();
// The enabled point lights as small spheres in their colours.
void DrawLightSpheres(const bool enabled[2]);
void DrawLocator();
// The LOD boxes (only the first unless options.drawLods), opaque when the ray hits them and the
// pointer is not over the GUI, half transparent otherwise; with options.drawBoundingBoxUnits, each
// with its size labels "W", "D" and "H" in text (when plugged), in the units the LOD had before
// its load applied its block's scale.
void DrawBoundingBox(const PickRay& ray, const ModelBounds& bounds, const ViewOptions& options, bool mouseOverGui,
                     const SceneText& text);
// A size label's value: extent / scale truncated to an integer; the extent itself when scale is
// not above 0 (the model was then loaded in its own units); saturated at the int32 limits, 0
// for no number.
int32_t BoxLabelValue(float extent, float scale);
// Moves the two point lights around the model (one turn in about 8.7 seconds).
void AnimateLights(SceneState& state, float nowMs);

// The whole pass. Returns true.
bool DrawScene(SceneState& state, const ModelView& view, SceneFrame& frame);
