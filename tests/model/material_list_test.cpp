#include "model/material_list.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <fstream>
#include <map>
#include <sstream>

#include "core/log.h"
#include "support/byte_writer.h"
#include "support/material_builder.h"
#include "support/game_files.h"
#include "support/temp_folder.h"
#include "support/unprivileged.h"

using testfiles::BuildMaterialFile;


namespace {

// "slot=image" per texture, in file order.
std::vector<std::string> SlotTexts(const Material& material) {
  std::vector<std::string> texts;
  for (const TextureSlot& slot : material.textures) {
    EXPECT_EQ(slot.ddsName.substr(0, slot.ddsName.size() - 4) + ".iwi", slot.iwiName);
    texts.push_back(slot.slotName + "=" + slot.iwiName.substr(0, slot.iwiName.size() - 4));
  }
  return texts;
}

}  // namespace

TEST(MaterialList, EveryRealMaterialFileReadsItsSlots) {
  const std::map<std::string, std::vector<std::string>> expected = {
      {"cod4/drgibs", {"colorMap=drgibs", "normalMap=$identitynormalmap"}},
      {"cod4/mtl_aot_alice_hair", {"colorMap=plr_aot_alice_hair_col", "normalMap=$identitynormalmap"}},
      {"cod4/mtl_aot_alice_head", {"colorMap=plr_aot_alice_head_col", "normalMap=plr_aot_alice_head_nml", "specularMap=~plr_aot_alice_head_spc-rgb&p~86804428"}},
      {"cod4/mtl_aot_alice_legs", {"colorMap=plr_aot_alice_legs_col", "normalMap=plr_aot_alice_legs_nml", "specularMap=~plr_aot_alice_legs_spc-rgb&p~90acc891"}},
      {"cod4/mtl_aot_alice_upper", {"colorMap=plr_aot_alice_upper_col", "normalMap=plr_aot_alice_upper_nml", "specularMap=~plr_aot_alice_upper_spc-rgb&~e913ea69"}},
      {"cod4/mtl_weapon_mp_m1garand", {"colorMap=w_m1garand_mp_c", "normalMap=w_m1garand_n", "specularMap=~w_m1garand_mp_s-r-25g-25b-25~aedebf0f"}},
      {"cod4/mtl_weapon_mp_m1garand_wood", {"colorMap=w_m1garand_mp_c", "normalMap=w_m1garand_n", "specularMap=~w_m1garand_mp_s-r-25g-25b-25~aedebf0f"}},
      {"cod4/weapon_tomahawk", {"colorMap=weapon_tomahawk", "normalMap=$identitynormalmap"}},
      {"cod5/mtl_jbanana_richtofen_diary", {"colorMap=i_jbanana_richtofen_diary_c", "normalMap=i_jbanana_richtofen_diary_n"}},
      {"cod5/mtl_richtofen_diary_pencil", {"colorMap=i_richtofen_diary_pencil_c", "normalMap=i_richtofen_diary_pencil_n", "specularMap=~i_richtofen_diary_pencil_c-r~e96b2516"}},
      {"cod5/tom_katana_tex", {"colorMap=katana", "normalMap=$identitynormalmap"}},
      {"codbo/mtl_c_gen_arm_short_clean", {"colorMap=c_gen_arm_short_clean_c", "detailMap=skin_pore_detail_test", "normalMap=c_gen_arm_short_clean_n", "specularMap=c_gen_arm_short_clean_s"}},
      {"codbo/mtl_char_ger_head1_1", {"colorMap=~-gchar_ger_head1_c", "normalMap=char_ger_head1_n", "specularMap=~~-g_char_head_spec-rgb&char_~4834c592"}},
      {"codbo/mtl_char_jap_impinf_gore_blend", {"colorMap=~-gchar_gen_gib_decals", "detailMap=metal_bumps_n", "normalMap=metal_bumps_n", "specularMap=~~-gchar_gen_gib_decals_s-rgb~e5e2a3ab"}},
      {"codbo/mtl_char_jap_impinf_gore_limbs", {"colorMap=~-glimbs_c", "detailMap=metal_bumps_n", "normalMap=limbs_n", "specularMap=~~-glimbs_s-rgb&~-rlimbs_g&limbs_n-l"}},
      {"codbo/mtl_static_peleliu_ammo_box", {"colorMap=~-gstatic_peleliu_wood_ammo_box_c", "normalMap=static_peleliu_wood_ammo_box_n", "specularMap=~~-gstatic_peleliu_wood_ammo_~de48504c"}},
      {"codbo/mtl_static_peleliu_wood_ammo_box", {"colorMap=~-gstatic_peleliu_wood_ammo_box_c", "normalMap=static_peleliu_wood_ammo_box_n", "specularMap=~~-gstatic_peleliu_wood_ammo_~de48504c"}},
  };
  for (const auto& [key, slots] : expected) {
    SCOPED_TRACE(key);
    std::string game = key.substr(0, key.find('/'));
    std::string materialName = key.substr(key.find('/') + 1);
    MaterialList list;
    ASSERT_TRUE(list.SetBasePath(testfiles::RealDataPath(game + "/raw/")));
    Material material;
    ASSERT_EQ(list.LoadMaterial(materialName, material), ResultCode::Success);
    EXPECT_EQ(material.name, materialName);
    EXPECT_EQ(material.textureCount, static_cast<int16_t>(slots.size()));
    EXPECT_EQ(SlotTexts(material), slots);
  }
}

TEST(MaterialList, ImagesAreFoundInTheImagesFolder) {
  MaterialList list;
  ASSERT_TRUE(list.SetBasePath(testfiles::RealDataPath("cod5/raw/")));
  list.materialNames = {"tom_katana_tex", "no_such_material"};
  ASSERT_EQ(list.Load(), ResultCode::Success);  // a missing material file does not stop the load
  ASSERT_EQ(list.materials.size(), 2u);
  const Material& katana = list.materials[0];
  ASSERT_EQ(katana.textures.size(), 2u);
  EXPECT_TRUE(katana.textures[0].iwiExists);   // katana.iwi
  EXPECT_FALSE(katana.textures[0].ddsExists);
  EXPECT_FALSE(katana.textures[1].iwiExists);  // $identitynormalmap.iwi is a stock image
  EXPECT_EQ(list.materials[1].name, "no_such_material");
  EXPECT_TRUE(list.materials[1].textures.empty());
  EXPECT_TRUE(list.loaded);
  list.Clear();
  EXPECT_FALSE(list.loaded);
  EXPECT_TRUE(list.materials.empty());
  EXPECT_TRUE(list.materialNames.empty());
  EXPECT_EQ(list.Load(), ResultCode::NoMaterials);
}

TEST(MaterialList, SyntheticFileNamesImagesIgnoringCase) {
  TempFolder root;
  testfiles::WriteGameFile(root.Path("raw/materials/Mtl_Tank"), BuildMaterialFile({{"colorMap", "Tank_Col"}, {"normalMap", "tank_nml"}}));
  testfiles::WriteGameFile(root.Path("raw/images/tank_col.iwi"), {1, 2, 3});
  testfiles::WriteGameFile(root.Path("raw/images/tank_nml.dds"), {1, 2, 3});
  MaterialList list;
  ASSERT_TRUE(list.SetBasePath(root.Path("raw/")));
  Material material;
  ASSERT_EQ(list.LoadMaterial("mtl_tank", material), ResultCode::Success);
  ASSERT_EQ(material.textures.size(), 2u);
  EXPECT_EQ(material.textures[0].iwiName, "Tank_Col.iwi");
  EXPECT_EQ(material.textures[0].ddsName, "Tank_Col.dds");
  EXPECT_TRUE(material.textures[0].iwiExists);
  EXPECT_FALSE(material.textures[0].ddsExists);
  EXPECT_FALSE(material.textures[1].iwiExists);
  EXPECT_TRUE(material.textures[1].ddsExists);
}

TEST(MaterialList, LongNamesAreCutAtTheirLimits) {
  std::string slot(60, 's'), image(250, 'i');
  std::vector<uint8_t> bytes = BuildMaterialFile({{slot, image}});
  MaterialList list;
  Material material;
  ASSERT_EQ(list.ParseMaterial(bytes.data(), bytes.size(), material), ResultCode::Success);
  EXPECT_EQ(material.textures[0].slotName, std::string(50, 's'));
  EXPECT_EQ(material.textures[0].iwiName, std::string(200, 'i') + ".iwi");
}

TEST(MaterialList, BaseFolderThatDoesNotExistKeepsTheFolders) {
  TempFolder root;
  MaterialList list;
  ASSERT_TRUE(list.SetBasePath(root.Root() + "/"));
  EXPECT_FALSE(list.SetBasePath(root.Path("missing/")));
  EXPECT_EQ(list.materialsFolder, root.Root() + "/materials/");
  EXPECT_EQ(list.imagesFolder, root.Root() + "/images/");
}

TEST(MaterialList, MalformedFilesAreCorruptNeverACrash) {
  std::vector<uint8_t> good = BuildMaterialFile({{"colorMap", "a"}, {"normalMap", "b"}, {"specularMap", "c"}});
  MaterialList list;
  auto parse = [&](const std::vector<uint8_t>& bytes) {
    Material material;
    material.textures.resize(1);  // what an earlier read left: a corrupt file clears it
    ResultCode result = list.ParseMaterial(bytes.data(), bytes.size(), material);
    if (result != ResultCode::Success) {
      EXPECT_TRUE(material.textures.empty());
    }
    return result;
  };
  ASSERT_EQ(parse(good), ResultCode::Success);
  // Every truncation cuts the table or a name: all corrupt.
  for (size_t length = 0; length < good.size(); ++length) {
    std::vector<uint8_t> cut(good.begin(), good.begin() + length);
    EXPECT_EQ(parse(cut), ResultCode::MaterialCorrupt) << "length " << length;
  }
  auto patched = [&](size_t offset, uint32_t value) {
    std::vector<uint8_t> bytes = good;
    std::memcpy(bytes.data() + offset, &value, 4);
    return bytes;
  };
  EXPECT_EQ(parse(patched(48, 0xFFFF)), ResultCode::MaterialCorrupt);   // count -1
  EXPECT_EQ(parse(patched(48, 0x8000)), ResultCode::MaterialCorrupt);   // count -32768
  EXPECT_EQ(parse(patched(48, 0x7FFF)), ResultCode::MaterialCorrupt);   // table past the end
  EXPECT_EQ(parse(patched(64, 0xFFFFFFF0)), ResultCode::MaterialCorrupt);  // slot name outside
  EXPECT_EQ(parse(patched(72, static_cast<uint32_t>(good.size()))), ResultCode::MaterialCorrupt);
  EXPECT_EQ(parse(patched(48, 0x10000)), ResultCode::Success);  // only the low 16 bits count
  // Every single byte flipped: a result, never a crash (run under the sanitizers).
  for (size_t i = 0; i < good.size(); ++i) {
    std::vector<uint8_t> bytes = good;
    bytes[i] ^= 0xFF;
    ResultCode result = parse(bytes);
    EXPECT_TRUE(result == ResultCode::Success || result == ResultCode::MaterialCorrupt);
  }
}

TEST(MaterialList, ShortFileIsLoggedAsCorrupt) {
  TempFolder root;
  testfiles::WriteGameFile(root.Path("raw/materials/tiny"), std::vector<uint8_t>(11, 0));
  std::string logPath = root.Path("Log.txt");
  VornLog::SetFileName(logPath);
  MaterialList list;
  ASSERT_TRUE(list.SetBasePath(root.Path("raw/")));
  Material material;
  EXPECT_EQ(list.LoadMaterial("tiny", material), ResultCode::MaterialCorrupt);
  EXPECT_EQ(list.LoadMaterial("absent", material), ResultCode::CantOpenFile);
  EXPECT_EQ(list.LoadMaterial("../raw/materials/tiny", material), ResultCode::CantOpenFile);
  VornLog::SetFileName("");
  std::ifstream in(logPath);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(), "^1Material: ^4(tiny) ^1is corrupt\n");
}

// Run as an unprivileged user (root reads every file).
TEST(MaterialList, UnreadableFileIsAPermissionError) {
  TempFolder root;
  std::string path = testfiles::WriteGameFile(root.Path("raw/materials/locked"), BuildMaterialFile({{"colorMap", "a"}}));
  ::chmod(path.c_str(), 0);
  testing_support::LetOthersIn(root.Root());
  const int result = testing_support::RunUnprivileged([&] {
    MaterialList list;
    if (!list.SetBasePath(root.Path("raw/"))) return 1;
    Material material;
    return list.LoadMaterial("locked", material) == ResultCode::NoPermission ? 0 : 2;
  });
  if (result == testing_support::kCannotDropPrivileges) GTEST_SKIP() << "cannot drop privileges here";
  EXPECT_EQ(result, 0) << "1: the base folder was refused, 2: not a permission error";
}
