// One scale, the one a load applied, serves the size labels of the 3D view, the Maya joints and
// the XMODEL_EXPORT text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "export/maya_writer.h"
#include "export/xmodel_export_writer.h"
#include "support/synthetic_model.h"
#include "support/temp_folder.h"
#include "view/model_bounds.h"
#include "view/scene_pass.h"

namespace {

// The same words, numbers equal up to the last printed digit (a value scaled in single precision
// and divided back may differ there).
bool SameUpToRounding(const std::string& a, const std::string& b) {
  std::istringstream x(a), y(b);
  std::string u, v;
  while (x >> u) {
    if (!(y >> v)) return false;
    if (u == v) continue;
    char* endU = nullptr;
    char* endV = nullptr;
    const double p = std::strtod(u.c_str(), &endU), q = std::strtod(v.c_str(), &endV);
    if (*endU != *endV || endU == u.c_str() || std::fabs(p - q) > 2e-6 + 1e-7 * std::fabs(p)) return false;
  }
  return !(y >> v);
}

constexpr const char* kRifleLod0 = "weapon_usa_m1garand_rifle_LOD01";

// The lines of an XMODEL_EXPORT file after its comment header (which holds the load time).
std::vector<std::string> BodyLines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) {
    if (line.rfind("//", 0) != 0) lines.push_back(line);
  }
  return lines;
}

// A model loaded at scale 1, then at 2.54: the size labels show the same numbers, the
// XMODEL_EXPORT text is the same, and the Maya joints' radius follows the scale of the load.
TEST(ModelScale, OneScaleForLabelsAndExports) {
  struct Load {
    int32_t width = 0;
    std::vector<std::string> xmodelExport;
    double radius = 0;
  };
  auto loadAt = [](float scale, const std::string& folder) {
    MaterialList materials;
    Xmodel model(materials);
    model.scale = scale;
    EXPECT_EQ(testmodels::LoadRealModel(model, testmodels::kThreeLodWeapon), ResultCode::Success);
    model.ApplyScale();
    ModelBounds bounds;
    BuildBounds(bounds, model);
    const BoundsBox& box = bounds.blocks[0].lodBox;
    Load load;
    load.width = BoxLabelValue(box.max.y - box.min.y, bounds.blocks[0].scale);
    EXPECT_EQ(ExportXmodelExport(model, folder, ExportOptions{}), ResultCode::Success);
    load.xmodelExport = BodyLines(TempFolder::ReadFileBytes(folder + "/" + kRifleLod0 + ".XMODEL_EXPORT"));
    EXPECT_EQ(ExportMaya(model, 0, folder, ExportOptions{}), ResultCode::Success);
    const std::string scene = TempFolder::ReadFileBytes(folder + "/" + kRifleLod0 + ".ma");
    const std::string key = "setAttr \".radi\" ";
    const size_t radius = scene.find(key);
    if (radius != std::string::npos) load.radius = std::stod(scene.substr(radius + key.size()));
    return load;
  };
  TempFolder folder;
  const Load plain = loadAt(1.0f, folder.Path("plain"));
  const Load scaled = loadAt(2.54f, folder.Path("scaled"));
  EXPECT_GT(plain.width, 0);
  EXPECT_NEAR(scaled.width, plain.width, 1);  // truncated from a quotient
  ASSERT_EQ(scaled.xmodelExport.size(), plain.xmodelExport.size());
  int differing = 0;
  for (size_t i = 0; i < plain.xmodelExport.size(); ++i) {
    if (!SameUpToRounding(scaled.xmodelExport[i], plain.xmodelExport[i]) && ++differing < 5)
      ADD_FAILURE() << plain.xmodelExport[i] << " / " << scaled.xmodelExport[i];
  }
  EXPECT_EQ(differing, 0);
  EXPECT_EQ(plain.radius, 0.50);
  EXPECT_EQ(scaled.radius, 1.27);
}

}  // namespace
