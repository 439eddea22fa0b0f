// The scene render pass under Xvfb and Mesa: real models uploaded as the job thread uploads them,
// drawn by DrawScene with the shipped programs through a camera looking straight down on them,
// and the pixels read back. The model covers its projected box, the overlays change the image
// only where they lie, colour maps show their colours, surfaces without one show the default
// texture, and the LODs stand side by side along +Y.
#include "view/scene_pass.h"

#include <GL/glew.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <mutex>
#include <vector>

#include "core/settings.h"
#include "support/gl_canvas.h"
#include "image/converters.h"
#include "image/iwi_image.h"
#include "model/xmodel.h"
#include "support/synthetic_model.h"
#include "view/bone_display.h"
#include "view/gl_draw.h"
#include "view/iwi_texture.h"
#include "view/model_bounds.h"
#include "view/model_render_data.h"
#include "view/shader_registry.h"

namespace {

constexpr int kSize = GlCanvas::kSize;
const Rgb kBackground{0, 51, 102};  // cleared to (0, 0.2, 0.4)

// One frame's pixels, GL rows (bottom first).
struct Image {
  std::vector<Rgb> pixels;
  const Rgb& At(int x, int y) const { return pixels[size_t(y) * kSize + size_t(x)]; }
};

// A rectangle of pixels, GL rows, both ends included.
struct PixelBox {
  int x0 = kSize, y0 = kSize, x1 = -1, y1 = -1;
  bool Contains(int x, int y, int margin = 0) const {
    return x >= x0 - margin && x <= x1 + margin && y >= y0 - margin && y <= y1 + margin;
  }
  int Area() const { return (x1 - x0 + 1) * (y1 - y0 + 1); }
};

bool Near(const Rgb& a, const Rgb& b, int tolerance) {
  return std::abs(a.r - b.r) <= tolerance && std::abs(a.g - b.g) <= tolerance && std::abs(a.b - b.b) <= tolerance;
}

// A 1 x 1 texture of one colour.
GLuint SolidTexture(uint8_t r, uint8_t g, uint8_t b) {
  GLuint texture = 0;
  glGenTextures(1, &texture);
  glBindTexture(GL_TEXTURE_2D, texture);
  const uint8_t texel[4] = {r, g, b, 255};
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
  glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
  glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_RGBA, GL_UNSIGNED_BYTE, texel);
  glBindTexture(GL_TEXTURE_2D, 0);
  return texture;
}

class ScenePass : public ::testing::Test {
 protected:
  void SetUp() override {
    canvas_ = GlCanvas::Shared();
    ASSERT_TRUE(canvas_->IsOpen()) << canvas_->Error();
    savedShading_ = gShading;
    savedLights_ = SceneLights;
    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(DELVIX_PROGRAM_DIR), 0);  // where the shader paths point
    CreateShaders();
    ASSERT_EQ(chdir(previous), 0);
    ASSERT_NE(gShaderRegistry.Find(kShaderKeyPhong), nullptr);
    CreateRenderBuffers(slots_);

    // Nothing but the model, lit evenly: each pixel is its surface's texel.
    for (bool* flag : {&options_.drawGrid, &options_.drawAxis, &options_.wireframe, &options_.useVertexColours,
                       &options_.bumpMapping, &options_.drawTangents, &options_.drawLods, &options_.drawBones,
                       &options_.drawBoundingBox, &options_.drawCentralLocator}) {
      *flag = false;
    }
    options_.lightEnabled[0] = options_.lightEnabled[1] = false;
    options_.lightModel = kShaderKeyPhong;
    gShading.mainLight = DirectionalLight{{1, 1, 1}, 1.0f, 0.0f, {0, 0, 1}};
    gShading.specularIntensity = 0.0f;
    gShading.disableAlpha = true;
  }

  void TearDown() override {
    if (canvas_ && canvas_->IsOpen()) {
      ReleaseRenderSlots(slots_);
      if (model_) DeleteModelTextures(*model_);
      for (GLuint texture : textures_) glDeleteTextures(1, &texture);
      DeleteAllShaders();
    }
    gShading = savedShading_;
    SceneLights = savedLights_;
  }

  // Loads a real model with its images and uploads it into the slots.
  void Upload(const testmodels::RealModelRef& ref) {
    model_ = std::make_unique<Xmodel>(materials_);
    ASSERT_EQ(testmodels::LoadRealModel(*model_, ref), ResultCode::Success);
    ASSERT_EQ(model_->LoadImages(), ResultCode::Success);
    Reupload();
    BuildBounds(jobBounds_, *model_);
  }
  void Reupload(bool withTextures = true) {
    ModelRenderData::Build(*model_, renderCount_, slots_, ResultCode::Success, withTextures);
  }

  GLuint Solid(uint8_t r, uint8_t g, uint8_t b) {
    textures_.push_back(SolidTexture(r, g, b));
    return textures_.back();
  }

  // A camera straight above box, looking down (-Z) with +Y up, so that the box's larger side
  // spans about 60% of the view.
  void FrameFromAbove(const BoundsBox& box) {
    const Vec3 centre = (box.min + box.max) * 0.5f;
    const Vec3 extent = box.max - box.min;
    const float across = std::max(extent.x, extent.y);
    const float distance = across / (0.6f * 2.0f * std::tan(17.5f * 3.14159265f / 180.0f));
    camera_.aspectRatio = 1.0f;
    camera_.nearClip = 0.1f;
    camera_.farClip = 1000.0f;
    camera_.UpdateProjection();
    camera_.SetEyeTarget({centre.x, centre.y, box.max.z + distance}, centre, {0, 1, 0});
  }

  // One frame as the frame loop draws it, read back. The texture units hold `stale` before it.
  Image Draw(GLuint stale = 0) {
    canvas_->Clear(kBackground.r / 255.0f, kBackground.g / 255.0f, kBackground.b / 255.0f);
    for (GLenum unit : {GL_TEXTURE1, GL_TEXTURE0}) {
      glActiveTexture(unit);
      glBindTexture(GL_TEXTURE_2D, stale);
    }
    GlSetCameraMatrices(camera_);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_TRUE);
    ModelView view{&slots_, &renderCount_, &boundsMutex_, &jobBounds_};
    SceneFrame frame;
    frame.options = options_;
    frame.camera = &camera_;
    frame.width = frame.height = kSize;
    frame.mouseOverGui = true;  // boxes half transparent, whatever the ray hits
    std::vector<ScreenLabel> labels;
    frame.drawBones = [&](const PickRay& ray) {
      bones_.Draw({ray, camera_, static_cast<float>(kSize), static_cast<float>(kSize), true, labels});
    };
    EXPECT_TRUE(DrawScene(state_, view, frame));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
    glDisable(GL_DEPTH_TEST);

    Image image;
    std::vector<unsigned char> rgba(kSize * kSize * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kSize, kSize, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    for (size_t i = 0; i < rgba.size(); i += 4) image.pixels.push_back({rgba[i], rgba[i + 1], rgba[i + 2]});
    return image;
  }

  // The pixels that box's eight corners project to.
  PixelBox Projected(const BoundsBox& box) const {
    PixelBox out;
    for (int corner = 0; corner < 8; ++corner) {
      const Vec3 p{corner & 1 ? box.max.x : box.min.x, corner & 2 ? box.max.y : box.min.y, corner & 4 ? box.max.z : box.min.z};
      const ScreenPoint s = camera_.WorldToScreen(p, kSize, kSize);
      const int x = static_cast<int>(std::floor(s.x)), y = kSize - 1 - static_cast<int>(std::floor(s.y));
      out.x0 = std::min(out.x0, x), out.x1 = std::max(out.x1, x);
      out.y0 = std::min(out.y0, y), out.y1 = std::max(out.y1, y);
    }
    return out;
  }

  BoundsBox LodBox(int i, float yOffset = 0.0f) const {
    const BoundsBox& box = jobBounds_.blocks[i].lodBox;
    return BoundsBox({box.min.x, box.min.y + yOffset, box.min.z}, {box.max.x, box.max.y + yOffset, box.max.z});
  }

  // Pixels where fn(x, y) holds.
  static int Count(const std::function<bool(int, int)>& fn) {
    int n = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) n += fn(x, y) ? 1 : 0;
    }
    return n;
  }

  GlCanvas* canvas_ = nullptr;
  ViewOptions options_;  // what each frame draws with
  ShadingParams savedShading_;
  decltype(SceneLights) savedLights_;
  MaterialList materials_;
  std::unique_ptr<Xmodel> model_;
  RenderSlots slots_;
  int32_t renderCount_ = 0;
  std::mutex boundsMutex_;
  ModelBounds jobBounds_;
  SceneState state_;
  cinder::CameraPersp camera_;
  std::vector<GLuint> textures_;
  BoneDisplay bones_;  // the skeleton as the job thread builds it after a load
};

// ---------------------------------------------------------------------------------------------

TEST_F(ScenePass, ModelCoversItsProjectedBoxAndNothingElse) {
  ASSERT_NO_FATAL_FAILURE(Upload(testmodels::kStaticProp));
  FrameFromAbove(LodBox(0));
  const Image image = Draw();
  const PixelBox box = Projected(LodBox(0));
  ASSERT_GT(box.Area(), kSize * kSize / 8) << "the camera frames the model";
  const int inside = Count([&](int x, int y) { return box.Contains(x, y) && image.At(x, y) != kBackground; });
  const int outside = Count([&](int x, int y) { return !box.Contains(x, y, 1) && image.At(x, y) != kBackground; });
  EXPECT_GT(inside, box.Area() / 4);
  EXPECT_EQ(outside, 0);

  const BoundsBox& lod0 = jobBounds_.blocks[0].lodBox;
  const Vec3 size = lod0.max - lod0.min, centre = (lod0.min + lod0.max) * 0.5f;
  EXPECT_FLOAT_EQ(state_.modelSize[0], size.x);
  EXPECT_FLOAT_EQ(state_.modelSize[1], size.y);
  EXPECT_FLOAT_EQ(state_.modelSize[2], size.z);
  EXPECT_FLOAT_EQ(state_.modelCenter[0], centre.x);
  EXPECT_FLOAT_EQ(state_.modelCenter[1], centre.y);
  EXPECT_FLOAT_EQ(state_.modelCenter[2], centre.z);
}

// Switching an overlay on changes the image, and only where the overlay lies: the wireframe and
// the bounding box inside the model's projected box, the grid on its lines (found by casting each
// changed pixel's ray onto the grid's plane).
TEST_F(ScenePass, OverlaysChangeTheImageOnlyWhereTheyLie) {
  ASSERT_NO_FATAL_FAILURE(Upload(testmodels::kStaticProp));
  FrameFromAbove(LodBox(0));
  const PixelBox box = Projected(LodBox(0));
  const Image plain = Draw();

  // The grid plane z = -0.01 under the pixel centre (x, y): how far it lies from the nearest line.
  auto distanceToGridLine = [&](int x, int y) {
    const PickRay ray = camera_.RayThroughPoint((x + 0.5f) / kSize, (y + 0.5f) / kSize, 1.0f);
    const float t = (-0.01f - ray.origin.z) / ray.direction.z;
    const float gx = ray.origin.x + t * ray.direction.x, gy = ray.origin.y + t * ray.direction.y;
    auto toLine = [](float v) { return std::abs(v - 5.0f * std::round(v / 5.0f)); };
    return std::min(toLine(gx), toLine(gy));
  };
  const Vec3 eye = camera_.eyePoint;
  const float pixelOnGround = 2.0f * (eye.z + 0.01f) * std::tan(17.5f * 3.14159265f / 180.0f) / kSize;

  const struct {
    const char* what;
    bool* setting;
    std::function<bool(int, int)> where;  // may a pixel change there?
  } overlays[] = {
      {"wireframe", &options_.wireframe, [&](int x, int y) { return box.Contains(x, y, 1); }},
      {"bounding box", &options_.drawBoundingBox, [&](int x, int y) { return box.Contains(x, y, 1); }},
      {"grid", &options_.drawGrid, [&](int x, int y) { return distanceToGridLine(x, y) < 1.5f * pixelOnGround; }},
  };
  for (const auto& overlay : overlays) {
    *overlay.setting = true;
    const Image on = Draw();
    *overlay.setting = false;
    const int changed = Count([&](int x, int y) { return on.At(x, y) != plain.At(x, y); });
    const int misplaced = Count([&](int x, int y) { return on.At(x, y) != plain.At(x, y) && !overlay.where(x, y); });
    EXPECT_GT(changed, 10) << overlay.what;
    EXPECT_EQ(misplaced, 0) << overlay.what;
    const Image off = Draw();
    EXPECT_TRUE(off.pixels == plain.pixels) << overlay.what << " switched off again";
  }
}

// The bones are drawn over the model when switched on: the image changes, only around the joints
// and the lines between them, and comes back when they are switched off.
TEST_F(ScenePass, BonesChangeTheImageOnlyAroundTheSkeleton) {
  ASSERT_NO_FATAL_FAILURE(Upload(testmodels::kSkinnedCharacter));
  bones_.Build(model_->info.bones);
  ASSERT_GT(bones_.nodeCount, 1);
  FrameFromAbove(LodBox(0));
  BoundsBox joints({1e30f, 1e30f, 1e30f}, {-1e30f, -1e30f, -1e30f});
  std::function<void(const BoneDisplayNode&)> extend = [&](const BoneDisplayNode& node) {
    if (node.parent) {
      joints.min = {std::min(joints.min.x, node.worldPosition.x), std::min(joints.min.y, node.worldPosition.y),
                    std::min(joints.min.z, node.worldPosition.z)};
      joints.max = {std::max(joints.max.x, node.worldPosition.x), std::max(joints.max.y, node.worldPosition.y),
                    std::max(joints.max.z, node.worldPosition.z)};
    }
    for (const auto& child : node.children) extend(*child);
  };
  extend(*bones_.root);
  const PixelBox skeleton = Projected(joints);

  const Image plain = Draw();
  options_.drawBones = true;
  const Image on = Draw();
  options_.drawBones = false;
  const int changed = Count([&](int x, int y) { return on.At(x, y) != plain.At(x, y); });
  const int misplaced = Count([&](int x, int y) { return on.At(x, y) != plain.At(x, y) && !skeleton.Contains(x, y, 4); });
  EXPECT_GT(changed, 50);
  EXPECT_EQ(misplaced, 0);
  EXPECT_TRUE(Draw().pixels == plain.pixels) << "bones switched off again";
}

// Lit evenly, the model's pixels average to the colours of its colour map, decoded by the model
// library's own converter (loosely: the surface shows only part of the map).
TEST_F(ScenePass, TexturedSurfaceShowsItsColourMap) {
  ASSERT_NO_FATAL_FAILURE(Upload(testmodels::kStaticProp));
  ASSERT_FALSE(slots_[0].textures.empty());
  const MaterialImages* images = nullptr;
  for (const MaterialImages& m : model_->materialImages) {
    if (m.materialName == model_->info.lods[0].surfaceMaterials[0]) images = &m;
  }
  ASSERT_NE(images, nullptr);
  const IwiImage* colourMap = images->images[static_cast<int>(TextureKind::Color)];
  ASSERT_NE(colourMap, nullptr);
  const IwiLevel level = colourMap->Level(0);
  Converters::TgaImage decoded;
  ASSERT_TRUE(ConvertPixels(colourMap->Format(), level.data, level.size, level.width, level.height, decoded));
  double mapMean[3] = {0, 0, 0};
  for (size_t i = 0; i < decoded.size; i += 4) {
    for (int c = 0; c < 3; ++c) mapMean[c] += decoded.pixels[i + 2 - c];  // stored B,G,R,A
  }
  for (double& m : mapMean) m /= double(decoded.size / 4);

  FrameFromAbove(LodBox(0));
  const Image image = Draw();
  double modelMean[3] = {0, 0, 0};
  const int covered = Count([&](int x, int y) {
    const Rgb& p = image.At(x, y);
    if (p == kBackground) return false;
    modelMean[0] += p.r, modelMean[1] += p.g, modelMean[2] += p.b;
    return true;
  });
  ASSERT_GT(covered, 100);
  for (double& m : modelMean) m /= covered;
  // The same hue (each channel's share of the sum) and about the same brightness.
  const double mapSum = mapMean[0] + mapMean[1] + mapMean[2], modelSum = modelMean[0] + modelMean[1] + modelMean[2];
  for (int c = 0; c < 3; ++c) {
    EXPECT_NEAR(modelMean[c] / modelSum, mapMean[c] / mapSum, 0.05)
        << "channel " << c << ": model (" << modelMean[0] << ", " << modelMean[1] << ", " << modelMean[2] << "), map ("
        << mapMean[0] << ", " << mapMean[1] << ", " << mapMean[2] << ")";
  }
  EXPECT_GT(modelSum / mapSum, 0.5);
  EXPECT_LT(modelSum / mapSum, 2.0);
}

// A surface without a colour map draws with the default texture, whatever was bound before: no
// texture records at all, records whose colour map is 0, and a mix of both with textured surfaces.
TEST_F(ScenePass, SurfacesWithoutColourMapShowTheDefaultTexture) {
  ASSERT_NO_FATAL_FAILURE(Upload(testmodels::kSkinnedCharacter));
  const Rgb green{0, 200, 0};
  state_.defaultTexture = Solid(green.r, green.g, green.b);
  const GLuint stale = Solid(255, 0, 0);
  FrameFromAbove(LodBox(0));
  auto isGreen = [&](const Image& image) {
    return Count([&](int x, int y) { return Near(image.At(x, y), green, 1); });
  };
  auto isModel = [&](const Image& image) { return Count([&](int x, int y) { return image.At(x, y) != kBackground; }); };

  Reupload(/*withTextures=*/false);  // no records
  ASSERT_TRUE(slots_[0].textures.empty());
  const Image withoutRecords = Draw(stale);
  ASSERT_GT(isModel(withoutRecords), 100);
  EXPECT_EQ(isGreen(withoutRecords), isModel(withoutRecords));

  Reupload();  // records, every colour map 0
  ASSERT_EQ(slots_[0].textures.size(), 6u);
  for (SurfaceTextures& t : slots_[0].textures) t[TextureKind::Color] = 0;
  const Image withoutColourMaps = Draw(stale);
  EXPECT_EQ(isGreen(withoutColourMaps), isModel(withoutColourMaps));
  EXPECT_EQ(withoutColourMaps.pixels, withoutRecords.pixels);

  Reupload();  // only the first surface keeps its colour map
  for (size_t j = 1; j < slots_[0].textures.size(); ++j) slots_[0].textures[j][TextureKind::Color] = 0;
  const Image mixed = Draw(stale);
  EXPECT_GT(isGreen(mixed), 0) << "the later surfaces do not take the first one's map";
  EXPECT_LT(isGreen(mixed), isModel(mixed)) << "the first surface shows its own map";
  EXPECT_EQ(Count([&](int x, int y) { return Near(mixed.At(x, y), {255, 0, 0}, 8); }), 0) << "nor the stale texture";
}

// The normal-mapping program without normal maps reads the flat normal map, not whatever unit 1
// held: lit from the front, it shades like the Phong program with the vertex normals.
TEST_F(ScenePass, SurfacesWithoutNormalMapReadTheFlatNormal) {
  ASSERT_NO_FATAL_FAILURE(Upload(testmodels::kStaticProp));
  state_.defaultTexture = Solid(200, 200, 200);
  state_.identityNormalMap = Solid(128, 128, 255);
  gShading.mainLight = DirectionalLight{{1, 1, 1}, 0.0f, 1.0f, {0.3f, 0.2f, 1.0f}};
  FrameFromAbove(LodBox(0));
  Reupload(/*withTextures=*/false);
  const Image phong = Draw();
  options_.lightModel = kShaderKeyNormalMap;
  const Image mapped = Draw(Solid(255, 0, 0));  // a stale "normal" pointing sideways
  const int differing = Count([&](int x, int y) { return !Near(mapped.At(x, y), phong.At(x, y), 4); });
  EXPECT_EQ(differing, 0);
}

TEST_F(ScenePass, WithoutAModelOnlyTheGridAndAxisAreDrawn) {
  FrameFromAbove(BoundsBox({-20.3f, -20.3f, 0}, {19.7f, 19.7f, 1}));  // the origin off a pixel edge
  state_.modelSize[0] = state_.modelCenter[1] = 7.0f;  // left over from a model before
  options_.drawBoundingBox = options_.drawCentralLocator = options_.wireframe = true;
  const Image bare = Draw();
  EXPECT_EQ(Count([&](int x, int y) { return bare.At(x, y) != kBackground; }), 0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(state_.modelSize[i], 0.0f);
    EXPECT_EQ(state_.modelCenter[i], 0.0f);
  }

  options_.drawGrid = options_.drawAxis = true;
  const Image grid = Draw();
  const PixelBox origin = Projected(BoundsBox({0, 0, 0}, {0, 0, 0}));
  EXPECT_GT(Count([&](int x, int y) { return grid.At(x, y) != kBackground; }), kSize * 4) << "grid lines";
  const int greenAboveOrigin = Count([&](int x, int y) {
    return std::abs(x - origin.x0) <= 1 && y >= origin.y0 + 2 && y <= origin.y0 + 4 && grid.At(x, y) == Rgb{0, 255, 0};
  });
  EXPECT_GT(greenAboveOrigin, 0) << "the green Y axis above the origin";
}

// With draw_LODS each LOD is drawn beside the one before along +Y, 20 units apart; without it,
// only LOD 0.
TEST_F(ScenePass, DrawLodsPlacesTheLodsSideBySideAlongY) {
  ASSERT_NO_FATAL_FAILURE(Upload(testmodels::kThreeLodWeapon));
  ASSERT_EQ(renderCount_, 3);
  ASSERT_EQ(jobBounds_.count, 3u);
  std::vector<BoundsBox> placed;
  float offset = 0.0f;
  for (int i = 0; i < 3; ++i) {
    placed.push_back(LodBox(i, offset));
    offset += jobBounds_.blocks[i].lodBox.max.y - jobBounds_.blocks[i].lodBox.min.y + 20.0f;
  }
  Vec3 low = placed[0].min, high = placed[0].max;
  for (const BoundsBox& box : placed) {
    low = {std::min(low.x, box.min.x), std::min(low.y, box.min.y), std::min(low.z, box.min.z)};
    high = {std::max(high.x, box.max.x), std::max(high.y, box.max.y), std::max(high.z, box.max.z)};
  }
  FrameFromAbove(BoundsBox(low, high));
  std::vector<PixelBox> boxes;
  for (const BoundsBox& box : placed) boxes.push_back(Projected(box));
  ASSERT_LT(boxes[0].y1, boxes[1].y0) << "the frame shows the LODs apart";
  ASSERT_LT(boxes[1].y1, boxes[2].y0);

  for (bool drawLods : {true, false}) {
    options_.drawLods = drawLods;
    const Image image = Draw();
    for (int i = 0; i < 3; ++i) {
      const int inside = Count([&](int x, int y) { return boxes[size_t(i)].Contains(x, y) && image.At(x, y) != kBackground; });
      if (i == 0 || drawLods) {
        EXPECT_GT(inside, 0) << "LOD " << i << (drawLods ? " with" : " without") << " draw_LODS";
      } else {
        EXPECT_EQ(inside, 0) << "LOD " << i << " without draw_LODS";
      }
    }
    const int stray = Count([&](int x, int y) {
      return image.At(x, y) != kBackground && !boxes[0].Contains(x, y, 1) && !boxes[1].Contains(x, y, 1) &&
             !boxes[2].Contains(x, y, 1);
    });
    EXPECT_EQ(stray, 0);
  }
}

}  // namespace
