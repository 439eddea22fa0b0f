// The model upload under Xvfb and Mesa: a job thread with a context shared with the canvas's fills
// the LOD slots under a frame mutex; the canvas's context draws them and reads the pixels back.
#include "view/model_render_data.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <thread>

#include "model/xmodel.h"
#include "support/gl_canvas.h"
#include "support/gl_program.h"
#include "support/iwi_builder.h"
#include "support/synthetic_model.h"
#include "view/iwi_texture.h"
#include "view/model_bounds.h"
#include "view/shader.h"

namespace {

constexpr int kSize = GlCanvas::kSize;

bool Near(const Rgb& a, const Rgb& b) {
  return std::abs(a.r - b.r) <= 2 && std::abs(a.g - b.g) <= 2 && std::abs(a.b - b.b) <= 2;
}

// What the test program writes: white, or one attribute of the vertex as a colour.
enum class Show { White = 0, Color, Normal, Texcoord, Binormal, Tangent, ColorMap };

// Draws every vertex at (position - centre) * scale and colours it with one attribute.
constexpr const char* kVertexSource = R"(#version 130
in vec3 v_position;
in vec3 v_normal;
in vec2 v_texcoord;
in vec4 v_color;
in vec3 v_tangent;
in vec3 v_binormals;
uniform vec3 centre;
uniform float scale;
uniform int show;
out vec4 shade;
out vec2 uv;
void main() {
  gl_Position = vec4((v_position - centre) * scale, 1.0);
  if (show == 1) shade = v_color;
  else if (show == 2) shade = vec4(v_normal, 1.0);
  else if (show == 3) shade = vec4(v_texcoord, 0.0, 1.0);
  else if (show == 4) shade = vec4(v_binormals, 1.0);
  else if (show == 5) shade = vec4(v_tangent, 1.0);
  else shade = vec4(1.0);
  uv = v_texcoord;
}
)";
constexpr const char* kFragmentSource = R"(#version 130
in vec4 shade;
in vec2 uv;
uniform int show;
uniform sampler2D ColorMap;
out vec4 outputColor;
void main() { outputColor = show == 6 ? texture(ColorMap, uv) : shade; }
)";

// A quad (two triangles) from (x0, y0) to (x1, y1) at z = 0 with every attribute set.
XmodelSurface MakeQuad(float x0, float y0, float x1, float y1) {
  XmodelSurface surface;
  const float corners[4][2] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
  for (const auto& c : corners) {
    XmodelVertex v{};
    v.position[0] = c[0];
    v.position[1] = c[1];
    v.normal[0] = 1.0f;                      // (1, 0, 0)
    v.color[0] = 0;                          // (0, 1, 0.5) once normalised
    v.color[1] = 255;
    v.color[2] = 128;
    v.color[3] = 255;
    v.u = 0.0f;                              // (0, 1)
    v.v = 1.0f;
    v.binormal[1] = v.binormal[2] = 1.0f;    // (0, 1, 1)
    v.tangent[0] = v.tangent[2] = 1.0f;      // (1, 0, 1)
    v.reserved = 0xDEADBEEF;
    surface.vertices.push_back(v);
  }
  surface.triangles = {{{0, 1, 2}}, {{0, 2, 3}}};
  surface.vertexCount = 4;
  surface.triangleCount = 2;
  return surface;
}

// A loaded model whose LODs hold the surfaces given; material "mtl_<lod>_<surface>".
void MakeModel(Xmodel& model, const std::vector<std::vector<XmodelSurface>>& lods) {
  model.Unload();
  model.loaded = true;
  model.info.lodCount = static_cast<int32_t>(lods.size());
  for (size_t i = 0; i < lods.size(); ++i) {
    XmodelLod lod;
    lod.loaded = true;
    lod.surfaces = lods[i];
    lod.surfaceCount = static_cast<int16_t>(lods[i].size());
    for (size_t s = 0; s < lods[i].size(); ++s) {
      lod.surfaceMaterials.push_back("mtl_" + std::to_string(i) + "_" + std::to_string(s));
    }
    model.info.lods.push_back(std::move(lod));
  }
}

// A loaded 4x4 RGBA image, stored B,G,R,A with the bottom row first, whose quadrants are red
// (bottom left), green (bottom right), blue (top left) and white (top right).
IwiImage& AddQuadrantImage(Xmodel& model, const std::string& name) {
  testfiles::IwiSpec shape;
  shape.format = 1;
  shape.levels = 1;
  std::vector<uint8_t> level;
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 4; ++x) {
      const bool right = x >= 2, top = y >= 2;
      const Rgb c = top ? (right ? Rgb{255, 255, 255} : Rgb{0, 0, 255}) : (right ? Rgb{0, 255, 0} : Rgb{255, 0, 0});
      level.insert(level.end(), {uint8_t(c.b), uint8_t(c.g), uint8_t(c.r), 255});
    }
  }
  IwiImage& image = model.images[name];
  EXPECT_EQ(image.ReadIwi(testfiles::MakeIwi(shape, {level})), ImageResult::Success);
  return image;
}

// Binds image to the material's entry as its kind, adding the entry when there is none.
void Bind(Xmodel& model, const std::string& material, TextureKind kind, IwiImage& image) {
  auto entry = std::find_if(model.materialImages.begin(), model.materialImages.end(),
                            [&](const MaterialImages& m) { return m.materialName == material; });
  if (entry == model.materialImages.end()) {
    entry = model.materialImages.insert(entry, MaterialImages{});
    entry->materialName = material;
  }
  entry->images[static_cast<int>(kind)] = &image;
  entry->present[static_cast<int>(kind)] = true;
}

// Names of live GL objects of one kind among the first 4096.
int CountLive(GLboolean (*isObject)(GLuint)) {
  int live = 0;
  for (GLuint name = 1; name <= 4096; ++name) live += isObject(name) ? 1 : 0;
  return live;
}

struct LiveObjects {
  int buffers, textures, lists;
  bool operator==(const LiveObjects&) const = default;
};

std::ostream& operator<<(std::ostream& os, const LiveObjects& o) {
  return os << "{buffers " << o.buffers << ", textures " << o.textures << ", lists " << o.lists << "}";
}

class ModelUpload : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas_ = GlCanvas::Shared();
    ASSERT_TRUE(canvas_->IsOpen()) << canvas_->Error();
    shared_ = canvas_->CreateSharedContext();
    ASSERT_TRUE(shared_);
    ASSERT_NO_FATAL_FAILURE(CompileProgram());
  }

  void TearDown() override {
    if (!canvas_ || !canvas_->IsOpen()) return;
    ReleaseRenderSlots(slots_);
    if (program_) glDeleteProgram(program_);
    shared_.reset();
  }

  void CompileProgram() {
    program_ = testing_support::CompileTestProgram(kVertexSource, kFragmentSource);
    const std::pair<ShaderAttribute, const char*> names[] = {
        {kAttribPosition, "v_position"}, {kAttribNormal, "v_normal"},   {kAttribTexcoord, "v_texcoord"},
        {kAttribColor, "v_color"},       {kAttribTangent, "v_tangent"}, {kAttribBinormal, "v_binormals"}};
    for (auto [location, name] : names) glBindAttribLocation(program_, location, name);
    glBindFragDataLocation(program_, 0, "outputColor");
    ASSERT_TRUE(testing_support::LinkTestProgram(program_));
  }

  // The job thread's upload step: frame mutex, context current, Build, release.
  void UploadOnJobThread(Xmodel& model, ResultCode result, bool withTextures = true) {
    bool current = false;
    GLenum error = GL_NO_ERROR;
    std::thread job([&] {
      std::lock_guard<std::mutex> frame(frameMutex_);
      for (int attempt = 0; attempt < 5 && !current; ++attempt) current = shared_->TryMakeCurrent();
      if (!current) return;
      ModelRenderData::Build(model, renderLodCount_, slots_, result, withTextures);
      error = glGetError();
      shared_->Release();
    });
    job.join();
    ASSERT_TRUE(current);
    EXPECT_EQ(error, GLenum(GL_NO_ERROR));
  }

  // One frame of the window: clears to black and draws every surface of the counted slots with
  // the test program, as the model pass reads them.
  void DrawFrame(Show show, Vec3 centre = {0, 0, 0}, float scale = 1.0f) {
    std::lock_guard<std::mutex> frame(frameMutex_);
    canvas_->Clear(0, 0, 0);
    glUseProgram(program_);
    glUniform3f(glGetUniformLocation(program_, "centre"), centre.x, centre.y, centre.z);
    glUniform1f(glGetUniformLocation(program_, "scale"), scale);
    glUniform1i(glGetUniformLocation(program_, "show"), static_cast<int>(show));
    for (int32_t i = 0; i < renderLodCount_; ++i) {
      const ModelRenderData& slot = slots_[i];
      for (int32_t j = 0; j < slot.surfaceCount; ++j) {
        glBindBuffer(GL_ARRAY_BUFFER, slot.vertexBuffers[j]);
        BindVertexLayout();
        glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, slot.indexBuffers[j]);
        glBindTexture(GL_TEXTURE_2D, j < int32_t(slot.textures.size()) ? slot.textures[j][TextureKind::Color] : 0);
        glDrawElements(GL_TRIANGLES, slot.indexCounts[j], kIndexType, nullptr);
      }
    }
    UnbindVertexLayout();
    glBindTexture(GL_TEXTURE_2D, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glUseProgram(0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  }

  // Clears to black and runs a slot's debug list with the model's coordinates as the window's.
  void DrawDebugList(int slot) {
    std::lock_guard<std::mutex> frame(frameMutex_);
    canvas_->Clear(0, 0, 0);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_LIGHTING);
    glCallList(slots_[slot].debugList);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING)) << "the list restores the lighting switch";
    glDisable(GL_LIGHTING);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
  }

  // The pixel where the model point (x, y) lands when drawn unscaled.
  Rgb PixelAtModel(float x, float y) const {
    return canvas_->Pixel(static_cast<int>((x + 1.0f) * 0.5f * kSize), static_cast<int>((y + 1.0f) * 0.5f * kSize));
  }
  // Pixels that are not black in the rectangle [x0, x1) x [y0, y1) of the window.
  static int LitPixels(int x0 = 0, int y0 = 0, int x1 = kSize, int y1 = kSize) {
    std::vector<unsigned char> pixels(kSize * kSize * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
    int lit = 0;
    for (int y = y0; y < y1; ++y) {
      for (int x = x0; x < x1; ++x) {
        const unsigned char* p = &pixels[(y * kSize + x) * 4];
        lit += (p[0] | p[1] | p[2]) != 0 ? 1 : 0;
      }
    }
    return lit;
  }

  static LiveObjects CountLiveObjects() {
    return {CountLive(glIsBuffer), CountLive(glIsTexture), CountLive(glIsList)};
  }

  GlCanvas* canvas_ = nullptr;
  std::unique_ptr<platform::SharedGlContext> shared_;
  GLuint program_ = 0;
  std::mutex frameMutex_;
  int32_t renderLodCount_ = 0;
  RenderSlots slots_;
};

// Every attribute of the 64-byte vertex reaches the program at its location and offset, and each
// LOD lands in its own slot.
TEST_F(ModelUpload, VertexLayoutReachesTheProgram) {
  MaterialList materials;
  Xmodel model(materials);
  XmodelSurface lod1 = MakeQuad(0.2f, -0.8f, 0.8f, -0.2f);
  for (XmodelVertex& v : lod1.vertices) v.color[0] = 255;  // (1, 1, 0.5)
  MakeModel(model, {{MakeQuad(-0.8f, 0.2f, -0.2f, 0.8f)}, {lod1}});
  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(model, ResultCode::Success));
  ASSERT_EQ(renderLodCount_, 2);
  EXPECT_EQ(slots_[0].surfaceCount, 1);
  EXPECT_EQ(slots_[1].surfaceCount, 1);
  EXPECT_EQ(slots_[0].vertexCounts[0], 4);
  EXPECT_EQ(slots_[0].vertexBytes[0], 4 * 64);
  EXPECT_EQ(slots_[0].indexCounts[0], 6);
  EXPECT_EQ(slots_[0].indexBytes[0], 12);

  const struct {
    Show show;
    Rgb lod0, lod1;
  } cases[] = {
      {Show::Color, {0, 255, 128}, {255, 255, 128}},
      {Show::Normal, {255, 0, 0}, {255, 0, 0}},
      {Show::Texcoord, {0, 255, 0}, {0, 255, 0}},
      {Show::Binormal, {0, 255, 255}, {0, 255, 255}},
      {Show::Tangent, {255, 0, 255}, {255, 0, 255}},
  };
  for (const auto& c : cases) {
    DrawFrame(c.show);
    const Rgb at0 = PixelAtModel(-0.5f, 0.5f), at1 = PixelAtModel(0.5f, -0.5f), outside = PixelAtModel(0.5f, 0.5f);
    EXPECT_TRUE(Near(at0, c.lod0)) << "show " << static_cast<int>(c.show) << ": " << at0;
    EXPECT_TRUE(Near(at1, c.lod1)) << "show " << static_cast<int>(c.show) << ": " << at1;
    EXPECT_TRUE(Near(outside, {0, 0, 0})) << outside;
  }
}

// A LOD with 70 surfaces: 64 are uploaded and drawn, the debug lines cover all 70.
TEST_F(ModelUpload, SeventySurfacesDrawSixtyFourAndListEveryOne) {
  MaterialList materials;
  Xmodel model(materials);
  std::vector<XmodelSurface> surfaces;
  for (int s = 0; s < 64; ++s) surfaces.push_back(MakeQuad(-0.9f, -0.9f, -0.1f, 0.9f));  // left half
  for (int s = 64; s < 70; ++s) surfaces.push_back(MakeQuad(0.1f, -0.9f, 0.9f, 0.9f));   // right half
  MakeModel(model, {surfaces});
  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(model, ResultCode::Success));
  ASSERT_EQ(renderLodCount_, 1);
  EXPECT_EQ(slots_[0].surfaceCount, 64);
  EXPECT_EQ(slots_[0].textures.size(), 70u) << "one texture record per surface";
  ASSERT_NE(slots_[0].debugList, 0u);

  DrawFrame(Show::White);
  EXPECT_GT(LitPixels(0, 0, kSize / 2, kSize), 0);
  EXPECT_EQ(LitPixels(kSize / 2, 0, kSize, kSize), 0) << "surfaces after the 64th are not drawn";

  DrawDebugList(0);
  EXPECT_GT(LitPixels(kSize / 2, 0, kSize, kSize), 0) << "their debug lines are";
}

// The debug lines: blue along -tangent, red along +binormal, yellow along +normal, with the
// lengths of the stored vectors.
TEST_F(ModelUpload, DebugLinesFollowTheVertexVectors) {
  MaterialList materials;
  Xmodel model(materials);
  XmodelSurface point;
  XmodelVertex v{};
  const float c = 0.5f / (kSize / 2);  // the centre of a pixel, so the lines hit whole pixels
  v.position[0] = v.position[1] = c;
  v.tangent[0] = 0.5f;    // blue to the left: (-0.5, 0)
  v.binormal[1] = 0.5f;   // red upwards: (0, 0.5)
  v.normal[1] = -0.5f;    // yellow downwards: (0, -0.5)
  point.vertices = {v};
  MakeModel(model, {{point}});
  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(model, ResultCode::Success));
  DrawDebugList(0);
  EXPECT_TRUE(Near(PixelAtModel(c - 0.3f, c), {0, 0, 255})) << PixelAtModel(c - 0.3f, c);
  EXPECT_TRUE(Near(PixelAtModel(c, c + 0.3f), {255, 0, 0})) << PixelAtModel(c, c + 0.3f);
  EXPECT_TRUE(Near(PixelAtModel(c, c - 0.3f), {255, 255, 0})) << PixelAtModel(c, c - 0.3f);
  EXPECT_TRUE(Near(PixelAtModel(c, c - 0.7f), {0, 0, 0})) << "the lines end at the vector's length";
  EXPECT_TRUE(Near(PixelAtModel(c + 0.3f, c), {0, 0, 0}));
}

// A LOD named but not loaded: counted, its slot empty. A failed job: nothing counted or listed.
TEST_F(ModelUpload, UnloadedLodAndFailedJobLeaveEmptySlots) {
  MaterialList materials;
  Xmodel model(materials);
  MakeModel(model, {{MakeQuad(-0.5f, -0.5f, 0.5f, 0.5f)}, {MakeQuad(-0.5f, -0.5f, 0.5f, 0.5f)}});
  model.info.lods[1].loaded = false;
  model.info.lods[1].surfaces.clear();
  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(model, ResultCode::Success));
  EXPECT_EQ(renderLodCount_, 2);
  EXPECT_EQ(slots_[0].surfaceCount, 1);
  EXPECT_EQ(slots_[1].surfaceCount, 0);
  EXPECT_EQ(slots_[1].debugList, 0u);
  const GLuint oldList = slots_[0].debugList;

  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(model, ResultCode::CantOpenFile));
  EXPECT_EQ(renderLodCount_, 0);
  for (const ModelRenderData& slot : slots_) {
    EXPECT_EQ(slot.surfaceCount, 0);
    EXPECT_EQ(slot.debugList, 0u);
    EXPECT_TRUE(slot.textures.empty());
  }
  EXPECT_FALSE(glIsList(oldList));
  DrawFrame(Show::White);
  EXPECT_EQ(LitPixels(), 0);
}

// Two real models with their images in turn: each is drawn by the window's context where it is,
// the larger one grows the buffers, and uploading them again and again creates nothing more.
TEST_F(ModelUpload, RealModelsReplaceEachOtherWithoutLeaks) {
  MaterialList materials;
  Xmodel small(materials);
  ASSERT_EQ(testmodels::LoadRealModel(small, testmodels::kStaticProp), ResultCode::Success);
  MaterialList largeMaterials;
  Xmodel large(largeMaterials);
  ASSERT_EQ(testmodels::LoadRealModel(large, testmodels::kSkinnedCharacter), ResultCode::Success);
  ASSERT_EQ(small.LoadImages(), ResultCode::Success);
  ASSERT_EQ(large.LoadImages(), ResultCode::Success);

  // Draws the model fitted into the window; the lit pixels lie inside its box's projection.
  auto drawAndCheck = [&](Xmodel& model) {
    ModelBounds bounds;
    BuildBounds(bounds, model);
    const BoundsBox& box = bounds.blocks[0].lodBox;
    const Vec3 centre = (box.min + box.max) * 0.5f;
    const Vec3 extent = box.max - box.min;
    const float scale = 1.8f / std::max({extent.x, extent.y, extent.z});
    DrawFrame(Show::White, centre, scale);
    const int lit = LitPixels();
    EXPECT_GT(lit, kSize * kSize / 50) << model.name;
    const int x0 = static_cast<int>((1.0f - extent.x * scale * 0.5f) * 0.5f * kSize) - 1;
    const int y0 = static_cast<int>((1.0f - extent.y * scale * 0.5f) * 0.5f * kSize) - 1;
    EXPECT_EQ(LitPixels(std::max(x0, 0), std::max(y0, 0), std::min(kSize - x0, kSize), std::min(kSize - y0, kSize)), lit)
        << model.name << ": every lit pixel lies inside the model's box";
  };

  const LiveObjects empty = CountLiveObjects();
  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(small, ResultCode::Success));
  drawAndCheck(small);
  const std::array<uint32_t, 64> names = slots_[0].vertexBuffers;

  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(large, ResultCode::Success));
  ASSERT_EQ(slots_[0].surfaceCount, 6);
  ASSERT_EQ(slots_[0].textures.size(), 6u);
  for (const SurfaceTextures& t : slots_[0].textures) EXPECT_TRUE(glIsTexture(t[TextureKind::Color]));
  drawAndCheck(large);
  EXPECT_EQ(slots_[0].vertexBuffers, names) << "buffers are named once";
  const LiveObjects afterLarge = CountLiveObjects();
  EXPECT_EQ(afterLarge.buffers, empty.buffers + 2 * 6);
  EXPECT_EQ(afterLarge.lists, empty.lists + 1);

  for (int round = 0; round < 3; ++round) {
    ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(small, ResultCode::Success));
    drawAndCheck(small);
    ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(large, ResultCode::Success));
  }
  drawAndCheck(large);
  EXPECT_EQ(CountLiveObjects(), afterLarge);

  ReleaseRenderSlots(slots_);
  DeleteModelTextures(small);
  DeleteModelTextures(large);
  EXPECT_EQ(CountLiveObjects(), empty) << "released at shutdown, with the window's context current";
}

// Surfaces get the textures of their material: one material's surfaces share them, a surface
// without a material entry gets zeros, the colour map is sampled with the vertex UVs in its stored
// byte order. Without load_textures there are no records, and every upload and failed job deletes
// the textures made before.
TEST_F(ModelUpload, TexturesFollowTheMaterials) {
  MaterialList materials;
  Xmodel model(materials);
  XmodelSurface quad = MakeQuad(-1.0f, -1.0f, 1.0f, 1.0f);
  const float uvs[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
  for (int c = 0; c < 4; ++c) {
    quad.vertices[c].u = uvs[c][0];
    quad.vertices[c].v = uvs[c][1];
  }
  MakeModel(model, {{quad, quad, MakeQuad(2.0f, 2.0f, 3.0f, 3.0f)}});  // the third off the canvas
  model.info.lods[0].surfaceMaterials = {"mtl_shared", "mtl_shared", "mtl_without_entry"};
  Bind(model, "mtl_shared", TextureKind::Color, AddQuadrantImage(model, "quadrants_col.iwi"));
  Bind(model, "mtl_shared", TextureKind::Normal, AddQuadrantImage(model, "quadrants_nml.iwi"));

  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(model, ResultCode::Success));
  const std::vector<SurfaceTextures> textures = slots_[0].textures;
  ASSERT_EQ(textures.size(), 3u);
  EXPECT_EQ(textures[0].names, textures[1].names) << "one material, one set of textures";
  EXPECT_TRUE(glIsTexture(textures[0][TextureKind::Color]));
  EXPECT_TRUE(glIsTexture(textures[0][TextureKind::Normal]));
  EXPECT_NE(textures[0][TextureKind::Color], textures[0][TextureKind::Normal]);
  EXPECT_EQ(textures[0][TextureKind::Unused], 0u);
  EXPECT_EQ(textures[0][TextureKind::Specular], 0u);
  EXPECT_EQ(textures[2].names, (std::array<uint32_t, 4>{})) << "no entry: no textures";

  DrawFrame(Show::ColorMap);
  const struct {
    float x, y;
    Rgb colour;
  } quadrants[] = {{-0.5f, -0.5f, {255, 0, 0}}, {0.5f, -0.5f, {0, 255, 0}}, {-0.5f, 0.5f, {0, 0, 255}}, {0.5f, 0.5f, {255, 255, 255}}};
  for (const auto& q : quadrants) EXPECT_TRUE(Near(PixelAtModel(q.x, q.y), q.colour)) << PixelAtModel(q.x, q.y);

  // Uploading again makes the textures afresh.
  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(model, ResultCode::Success));
  EXPECT_EQ(slots_[0].textures.size(), 3u);
  const LiveObjects withTextures = CountLiveObjects();

  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(model, ResultCode::Success, /*withTextures=*/false));
  EXPECT_TRUE(slots_[0].textures.empty());
  EXPECT_EQ(slots_[0].surfaceCount, 3) << "the geometry is still there";
  EXPECT_EQ(CountLiveObjects().textures, withTextures.textures - 2);
  for (const auto& [name, image] : model.images) EXPECT_EQ(image.Texture(), -1) << name;

  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(model, ResultCode::Success));
  EXPECT_EQ(CountLiveObjects(), withTextures);
  const uint32_t colour = slots_[0].textures[0][TextureKind::Color];
  ASSERT_NO_FATAL_FAILURE(UploadOnJobThread(model, ResultCode::FileNotFound));
  EXPECT_FALSE(glIsTexture(colour)) << "a failed job deletes the textures of the model before";
  EXPECT_EQ(CountLiveObjects().textures, withTextures.textures - 2);
  EXPECT_TRUE(slots_[0].textures.empty());
}

}  // namespace
