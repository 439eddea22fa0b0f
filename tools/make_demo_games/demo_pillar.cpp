#include "demo_pillar.h"

#include "brick_texture.h"
#include "support/iwi_builder.h"

namespace demogames {
namespace {

using testfiles::SurfsSurfaceSpec;
using testfiles::SurfsVertexSpec;

struct Vec {
  float x, y, z;
};
Vec operator+(Vec a, Vec b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec operator*(Vec a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float Dot(Vec a, Vec b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
float Abs(float v) { return v < 0 ? -v : v; }

// A face of a box: its outward normal and the two axes across it, with across x up = normal so
// that the corners below run counter-clockwise seen from outside.
struct Face {
  Vec normal, across, up;
};
constexpr Face kBoxFaces[6] = {
    {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},  {{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}}, {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},
    {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}}, {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},   {{0, 0, -1}, {-1, 0, 0}, {0, 1, 0}},
};

// Units of the model that one repeat of the brick texture covers, on every face alike.
constexpr float kTextureRepeat = 12.0f;

// A box from low to high, bound rigidly to bone: 4 vertices and 2 triangles a face, the texture
// laid in model units so the bricks keep their size on every part.
SurfsSurfaceSpec Box(Vec low, Vec high, uint16_t bone) {
  SurfsSurfaceSpec surface;
  surface.boneCase = testfiles::BoneValues::Rigid;
  surface.boneValues = {static_cast<uint32_t>(bone) << 16};
  const Vec centre = (low + high) * 0.5f;
  const Vec half = (high + low * -1.0f) * 0.5f;
  const float corners[4][2] = {{-1, -1}, {1, -1}, {1, 1}, {-1, 1}};
  for (const Face& face : kBoxFaces) {
    const uint16_t first = static_cast<uint16_t>(surface.vertices.size());
    const Vec middle = centre + face.normal * Abs(Dot(half, face.normal));
    for (const auto& corner : corners) {
      const Vec p = middle + face.across * (corner[0] * Abs(Dot(half, face.across))) + face.up * (corner[1] * Abs(Dot(half, face.up)));
      SurfsVertexSpec vertex;
      vertex.position[0] = p.x, vertex.position[1] = p.y, vertex.position[2] = p.z;
      vertex.normal[0] = face.normal.x, vertex.normal[1] = face.normal.y, vertex.normal[2] = face.normal.z;
      vertex.tangent[0] = face.across.x, vertex.tangent[1] = face.across.y, vertex.tangent[2] = face.across.z;
      vertex.binormal[0] = face.up.x, vertex.binormal[1] = face.up.y, vertex.binormal[2] = face.up.z;
      vertex.u = Dot(p, face.across) / kTextureRepeat;
      vertex.v = Dot(p, face.up) / kTextureRepeat;
      surface.vertices.push_back(vertex);
    }
    surface.triangles.push_back({first, static_cast<uint16_t>(first + 1), static_cast<uint16_t>(first + 2)});
    surface.triangles.push_back({first, static_cast<uint16_t>(first + 2), static_cast<uint16_t>(first + 3)});
  }
  return surface;
}

// Each game's bricks have a tint of their own, so a glance tells which game is active.
Tint BrickTint(GameId game) {
  switch (game) {
    case GameId::Cod4: return {112, 138, 84};   // moss green
    case GameId::Cod5: return {168, 84, 56};    // fired red
    case GameId::CodBo: return {82, 112, 150};  // slate blue
  }
  return {128, 128, 128};
}

// The image version each game's files carry.
int IwiVersion(GameId game) { return game == GameId::CodBo ? 13 : 6; }

}  // namespace

testfiles::SyntheticModel MakeDemoPillar(GameId game) {
  const std::string name = kDemoModelName;
  const std::string lod = name + "_lod0", material = "mtl_" + name, image = name + "_col";
  testfiles::SyntheticModel model;
  model.name = name;
  model.xmodel.game = game;
  model.xmodel.lodNames[0] = lod;
  model.xmodel.lodMaterials = {{material, material, material}};
  model.parts.rootNames = {"tag_origin"};
  model.parts.children = {{"j_base", 0, {0, 0, 1.5f}}, {"j_shaft", 1, {0, 0, 10.5f}}, {"j_cap", 2, {0, 0, 10.5f}}};
  model.surfs[lod].game = game;
  model.surfs[lod].surfaces = {Box({-6, -6, 0}, {6, 6, 3}, 1), Box({-3.5f, -3.5f, 3}, {3.5f, 3.5f, 21}, 2),
                               Box({-5.5f, -5.5f, 21}, {5.5f, 5.5f, 24}, 3)};
  model.materials[material] = {{"colorMap", image}};
  testfiles::IwiSpec shape;
  shape.version = IwiVersion(game);
  shape.format = 1;  // RGBA
  shape.width = shape.height = kBrickTextureSize;
  model.images[image + ".iwi"] = testfiles::MakeIwi(shape, BrickTextureLevels(BrickTint(game)));
  return model;
}

}  // namespace demogames
