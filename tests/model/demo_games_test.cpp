// The demo games that the build writes into the program folder (tools/make_demo_games), read back
// through the model readers as the job thread reads them: each game's model loads in that game's
// layout with its skeleton, its surfaces bound to their bones and its brick texture.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/xmodel.h"

namespace {

struct DemoGameCase {
  const char* folder;
  GameId game;
  int tintChannel;  // the brighter channel of the game's bricks: 0 red, 1 green, 2 blue
};

// What the brick texture's largest level shows: its share of light mortar pixels and the mean red,
// green and blue of the other pixels.
struct TextureLook {
  double mortarShare = 0;
  double brickMean[3] = {0, 0, 0};
};

TextureLook LookAt(const IwiImage& image) {
  const IwiLevel level = image.Level(0);
  TextureLook look;
  size_t mortar = 0, bricks = 0;
  for (size_t i = 0; i + 3 < level.size; i += 4) {
    const uint8_t b = level.data[i], g = level.data[i + 1], r = level.data[i + 2];
    if (r > 150 && g > 150 && b > 140) {
      ++mortar;
      continue;
    }
    ++bricks;
    look.brickMean[0] += r, look.brickMean[1] += g, look.brickMean[2] += b;
  }
  look.mortarShare = static_cast<double>(mortar) / static_cast<double>(mortar + bricks);
  for (double& channel : look.brickMean) channel /= static_cast<double>(bricks ? bricks : 1);
  return look;
}

}  // namespace

TEST(DemoGames, EachGamesModelLoadsWithItsBonesSurfacesAndTexture) {
  const DemoGameCase cases[] = {{"cod4", GameId::Cod4, 1}, {"cod5", GameId::Cod5, 0}, {"bo", GameId::CodBo, 2}};
  for (const DemoGameCase& c : cases) {
    SCOPED_TRACE(c.folder);
    const std::string root = std::string(DELVIX_PROGRAM_DIR) + "/demo/" + c.folder;
    MaterialList materials;
    Xmodel model(materials);
    model.game = c.game;
    model.SetGameSwitchQuestion([](const std::string&, const std::string&) {
      ADD_FAILURE() << "a demo model of its own game asked to switch games";
      return false;
    });
    ASSERT_EQ(model.Load(root + "/raw/xmodel/demo_pillar"), ResultCode::Success);

    // The skeleton: a chain from the foot up through the plinth, the shaft and the capital.
    const std::vector<std::pair<std::string, int>> bones = {{"tag_origin", 255}, {"j_base", 0}, {"j_shaft", 1}, {"j_cap", 2}};
    ASSERT_EQ(model.info.bones.size(), bones.size());
    for (size_t i = 0; i < bones.size(); ++i) {
      EXPECT_EQ(model.info.bones[i].name, bones[i].first);
      EXPECT_EQ(model.info.bones[i].parent, bones[i].second);
    }

    // One LOD of three closed boxes, each bound rigidly to its own bone, 24 units high.
    ASSERT_EQ(model.info.lodCount, 1);
    ASSERT_EQ(model.LoadSurface(0), ResultCode::Success);
    const std::vector<XmodelSurface>& surfaces = model.info.lods[0].surfaces;
    ASSERT_EQ(surfaces.size(), 3u);
    float top = 0;
    for (size_t s = 0; s < surfaces.size(); ++s) {
      EXPECT_FALSE(surfaces[s].hasWeights);
      EXPECT_EQ(model.GetSurfaceBoneName(surfaces[s]), bones[s + 1].first);
      EXPECT_EQ(surfaces[s].vertices.size(), 24u);
      EXPECT_EQ(surfaces[s].triangles.size(), 12u);
      for (const XmodelVertex& vertex : surfaces[s].vertices) top = std::max(top, vertex.position[2]);
    }
    EXPECT_FLOAT_EQ(top, 24.0f);

    // The material's colour map: a 128 x 128 RGBA brick wall with light joints, in the game's tint.
    ASSERT_EQ(model.LoadImages(), ResultCode::Success);
    ASSERT_EQ(model.materialImages.size(), 1u);
    const IwiImage* colour = model.materialImages[0].Image(TextureKind::Color);
    ASSERT_NE(colour, nullptr);
    ASSERT_TRUE(colour->IsLoaded());
    EXPECT_EQ(colour->Format(), static_cast<uint8_t>(IwiFormat::RGBA));
    EXPECT_EQ(colour->Width(), 128u);
    EXPECT_EQ(colour->Height(), 128u);
    EXPECT_EQ(colour->LevelCount(), 8u);
    const TextureLook look = LookAt(*colour);
    EXPECT_GT(look.mortarShare, 0.15);
    EXPECT_LT(look.mortarShare, 0.35);
    for (int channel = 0; channel < 3; ++channel) {
      if (channel == c.tintChannel) continue;
      EXPECT_GT(look.brickMean[c.tintChannel], look.brickMean[channel] + 20);
    }
  }
}
