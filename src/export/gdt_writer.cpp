#include "export/gdt_writer.h"

#include <cerrno>
#include <cstdio>

#include "core/paths.h"
#include "core/strings.h"
#include "core/text_writer.h"
#include "model/xmodel.h"
#include "platform/files.h"

namespace {

// Each "\" of a tool-chain path is written as "\\".
std::string DoubleBackslashes(std::string path) {
  ReplaceAll(path, "\\", "\\\\");
  return path;
}

// The GDT file being written: the record texts of the games' GDT format.
class GdtFile {
 public:
  ResultCode Open(const std::string& path) {
    if (!out_.Open(path)) return errno == EACCES ? ResultCode::NoPermission : ResultCode::CantOpenFile;
    out_.Text("\n{\n");
    return ResultCode::Success;
  }

  void WriteMaterial(const std::string& name, const std::string& colorMap, const std::string& normalMap,
                     const std::string& specularMap) {
    out_.Put("\t\"").Put(name).Text("\" ( \"material.gdf\" )\n\t{\n\t\t\"materialType\" \"model phong\"\n");
    out_.Put("\t\t\"colorMap\" \"").Put(DoubleBackslashes(colorMap)).Text("\"\n");
    out_.Put("\t\t\"normalMap\" \"").Put(DoubleBackslashes(normalMap)).Text("\"\n");
    out_.Put("\t\t\"specColorMap\" \"").Put(DoubleBackslashes(specularMap)).Text("\"\n");
    out_.Text("\t\t\"surfaceType\" \"<none>\"\n\t\t\"template\" \"material.template\"\n\t}\n");
  }

  void WriteXmodel(const std::string& name, const std::string& modelFile, bool animated) {
    out_.Put("\t\"").Put(name).Text("\" ( \"xmodel.gdf\" )\n\t{\n");
    out_.Put("\t\t\"filename\" \"").Put(DoubleBackslashes(modelFile)).Text("\"\n");
    out_.Put("\t\t\"type\" \"").Put(animated ? "animated" : "rigid").Text("\"\n\t}\n");
  }

  // Writes the closing brace and closes; false when anything failed to reach the disk.
  bool Close() {
    out_.Text("\n}");
    return out_.Close();
  }

  void Abandon() { out_.Close(); }

 private:
  TextWriter out_;
};

struct MaterialPaths {
  std::string colorMap, normalMap, specularMap;
};

// The tool-chain paths of a material's three images, as the model's image export names them.
MaterialPaths PathsOf(const Material& material, const std::string& imageFolder, bool colorAsTga) {
  MaterialPaths paths;
  for (const TextureSlot& slot : material.textures) {
    std::string image = imageFolder + slot.ddsName;
    ReplaceTildes(image);
    if (slot.slotName == "colorMap") {
      paths.colorMap = colorAsTga ? StringReplaceCopy(image, "dds", "tga") : image;
    } else if (slot.slotName == "normalMap") {
      paths.normalMap = StringReplaceCopy(image, "dds", "tga");
    } else if (slot.slotName == "specularMap") {
      paths.specularMap = StringReplaceCopy(image, "dds", "tga");
    }
  }
  return paths;
}

const Material* FindMaterial(const MaterialList& list, const std::string& name) {
  for (const Material& material : list.materials)
    if (material.name == name) return &material;
  return nullptr;
}

}  // namespace

ResultCode DumpGdt(Xmodel& model, const std::string& name, const std::string& folder, const ExportOptions& options,
                   int lod) {
  if (!model.loaded) return ResultCode::NotLoaded;
  if (lod < 0 || lod >= static_cast<int>(model.info.lods.size())) return ResultCode::InvalidIndex;

  std::string target = WithTrailingBackslash(folder);
  platform::CreateFolders(FolderForCreate(target));
  target += name;
  if (target.size() < 4 || target.compare(target.size() - 4, 4, ".gdt") != 0) target += ".gdt";
  const std::string temp = target + ".part";

  GdtFile gdt;
  if (ResultCode opened = gdt.Open(temp); opened != ResultCode::Success) return opened;

  MaterialList& materials = model.Materials();
  if (!materials.loaded) {
    if (ResultCode read = materials.Load(); read != ResultCode::Success) {
      gdt.Abandon();
      std::remove(temp.c_str());
      return read;
    }
  }

  const bool subFolder = options.subFolder;
  const std::string imageFolder =
      subFolder ? "model_export\\" + model.name + "\\images\\" : std::string("model_export\\images\\");
  const XmodelLod& level = model.info.lods[static_cast<size_t>(lod)];
  for (const std::string& materialName : level.uniqueMaterials) {
    if (const Material* material = FindMaterial(materials, materialName)) {
      MaterialPaths paths = PathsOf(*material, imageFolder, options.colourMaps == ImageTarget::Tga);
      gdt.WriteMaterial(materialName, paths.colorMap, paths.normalMap, paths.specularMap);
    }
  }

  const std::string exportName = level.surfsName + ".XMODEL_EXPORT";
  gdt.WriteXmodel(model.name, subFolder ? model.name + "\\" + exportName : "\\" + exportName,
                  model.info.bones.size() > 1);

  if (!gdt.Close() || std::rename(temp.c_str(), target.c_str()) != 0) {
    std::remove(temp.c_str());
    return ResultCode::UnknownError;
  }
  return ResultCode::Success;
}
