// The Maya ASCII scene of one LOD: header, preamble, meshes, shading networks, joints.
//
// Index: progress and names | meshes | shading networks | joints | ExportMaya
#include <algorithm>
#include <vector>

#include "core/log.h"
#include "core/strings.h"
#include "export/export_file.h"
#include "export/exported_images.h"
#include "export/maya_preamble.h"
#include "export/maya_writer.h"
#include "core/text_writer.h"

namespace {

// ---------------------------------------------------------------------------------------------
// Progress and names
// ---------------------------------------------------------------------------------------------

// Adds step to the progress while the sum stays below 100.
void AddProgress(Xmodel& model, int step) {
  int32_t now = model.progress.load();
  if (now + step < 100) model.progress.store(now + step);
}

// The texture path of a colour map inside the scene's MEL string: the file the image export of
// the same job writes, relative to the scene ("images/...") when the images go beside it, else
// beside the game's IWI file.
std::string MayaTexturePath(const MaterialList& materials, const TextureSlot& slot, const ExportOptions& options) {
  const bool asTga = options.colourMaps == ImageTarget::Tga;
  std::string path = options.imagesLocal ? "images/" + ExportedImageFileName(slot, asTga)
                                         : ExportedImagePathBesideIwi(slot, materials.imagesFolder, asTga);
  ReplaceAll(path, "\\", "\\\\");
  ReplaceAll(path, "\"", "\\\"");
  return path;
}

// The first colour slot of the first material named name; null when there is none.
const TextureSlot* FindColourMap(const MaterialList& materials, const std::string& name) {
  for (const Material& material : materials.materials) {
    if (material.name != name) continue;
    for (const TextureSlot& slot : material.textures) {
      if (IsColourSlot(slot.slotName) && !slot.iwiName.empty()) return &slot;
    }
    return nullptr;
  }
  return nullptr;
}

// ---------------------------------------------------------------------------------------------
// Meshes
// ---------------------------------------------------------------------------------------------

void WriteMesh(TextWriter& out, const XmodelSurface& surface, int index, const std::string& surfs) {
  const int vertexCount = static_cast<int>(surface.vertices.size());
  const int triangleCount = static_cast<int>(surface.triangles.size());
  const int cornerCount = 3 * triangleCount;

  out.EndLine().Put("createNode transform -n \"VornMesh_").Int(index).Put("\" -p \"Vorn_").Put(surfs).Put("\";").EndLine();
  out.Line("setAttr \".rp\" -type \"double3\" 0.000000 0.000000 0.000000 ;");
  out.Put("setAttr \".sp\" -type \"double3\" 0.000000 0.000000 0.000000 ;");
  out.EndLine().Put("createNode mesh -n \"MeshShape_").Int(index).Put("\" -p \"VornMesh_").Int(index).Put("\";");
  out.EndLine().Line("setAttr -k off \".v\";");
  out.Put("setAttr \".iog[0].og[0].gcl\" -type \"componentList\" 1 \"f[0:").Int(vertexCount).Put("]\";").EndLine();
  out.Line("setAttr \".uvst[0].uvsn\" -type \"string\" \"map1\";");
  out.Put("setAttr -s ").Int(vertexCount).Put(" \".uvst[0].uvsp[0:").Int(vertexCount - 1).Put("]\" -type \"float2\"").EndLine();

  // UVs, four pairs per line.
  for (int v = 0; v < vertexCount; ++v) {
    const XmodelVertex& vertex = surface.vertices[static_cast<size_t>(v)];
    out.Put(' ').Fixed(vertex.u).Put(' ').Fixed(vertex.v);
    if (v % 4 == 3) out.EndLine();
  }
  out.Put(';').EndLine();

  // Colours: every face corner white and opaque.
  out.EndLine().Line("setAttr \".dcol\" yes;");
  out.Line("setAttr \".dcc\" -type \"string\" \"Ambient+Diffuse\";");
  out.Line("setAttr \".ccls\" -type \"string\" \"colorSet1\";");
  out.Line("setAttr \".clst[0].clsn\" -type \"string\" \"colorSet1\";");
  out.Put("setAttr -s ").Int(cornerCount).Put(" \".clst[0].clsp\";").EndLine();
  out.Put("setAttr \".clst[0].clsp[0:").Int(cornerCount - 1).Put("]\"").EndLine();
  for (int t = 0; t < triangleCount; ++t) {
    out.Put(" 1.000000 1.000000 1.000000 1.000000 1.000000 1.000000 1.000000 1.000000"
            " 1.000000 1.000000 1.000000 1.000000").EndLine();
  }
  out.Put(';').EndLine();

  // Positions.
  out.Line("setAttr \".covm[0]\"  0 1 1;").Line("setAttr \".cdvm[0]\"  0 1 1;");
  out.Put("setAttr -s ").Int(vertexCount).Put(" \".vt[0:").Int(vertexCount - 1).Put("]\"");
  for (const XmodelVertex& vertex : surface.vertices) {
    out.EndLine().Put('\t').Fixed(vertex.position[0]).Put(' ').Fixed(vertex.position[1]).Put(' ').Fixed(vertex.position[2]);
  }
  out.Put(';');

  // Edges: triangle k owns edges 3k (c to b), 3k + 1 (b to a) and 3k + 2 (a to c).
  out.EndLine().Put("setAttr -s ").Int(cornerCount).Put(" \".ed[0:").Int(cornerCount - 1).Put("]\"");
  for (const XmodelTriangle& triangle : surface.triangles) {
    const int a = triangle.indices[0], b = triangle.indices[1], c = triangle.indices[2];
    out.EndLine().Put('\t').Int(c).Put(' ').Int(b).Put(" 0 ").Int(b).Put(' ').Int(a).Put(" 0 ").Int(a).Put(' ').Int(c).Put(" 0");
  }
  out.Put(';').EndLine();

  // Normals per face corner, in the face's corner order c, b, a.
  out.Put("setAttr -s ").Int(cornerCount).Put(" \".n[0:").Int(cornerCount - 1).Put("]\" -type \"float3\"");
  for (const XmodelTriangle& triangle : surface.triangles) {
    for (int corner = 0; corner < 3; ++corner) {
      const float* normal = surface.vertices[triangle.indices[2 - corner]].normal;
      if (corner == 0) out.EndLine().Put('\t');
      else out.Put(' ');
      out.Fixed(normal[0], 6, 9).Put(' ').Fixed(normal[1], 6, 9).Put(' ').Fixed(normal[2], 6, 9);
    }
  }
  out.Put(';');

  // Faces: the triangle's corners in the order c, b, a (UV indices are vertex indices).
  out.EndLine().Put("setAttr -s ").Int(triangleCount).Put(" \".fc[0:").Int(triangleCount - 1).Put("]\" -type \"polyFaces\"");
  for (int t = 0; t < triangleCount; ++t) {
    const XmodelTriangle& triangle = surface.triangles[static_cast<size_t>(t)];
    const int first = 3 * t;
    out.EndLine().Put("\tf 3 ").Int(first).Put(' ').Int(first + 1).Put(' ').Int(first + 2);
    out.EndLine().Put("\tmu 0 3 ").Int(triangle.indices[2]).Put(' ').Int(triangle.indices[1]).Put(' ').Int(triangle.indices[0]);
    out.EndLine().Put("\tmc 0 3 ").Int(first).Put(' ').Int(first + 1).Put(' ').Int(first + 2);
  }
  out.Put(';').EndLine();
  out.Line("setAttr \".cd\" -type \"dataPolyComponent\" Index_Data Edge 0 ;").EndLine();
}

// ---------------------------------------------------------------------------------------------
// Joints
// ---------------------------------------------------------------------------------------------

// The joint each bone hangs under: its parent's index when the parent has a joint of its own,
// else -1 (the group "Joints"). The root bones (the first rootBoneCount) hang under "Joints"
// whatever their parent byte says, and a chain of parents that loops is cut where it closes.
std::vector<int> JointParents(const Xmodel& model) {
  const std::vector<XmodelBone>& bones = model.info.bones;
  const int count = static_cast<int>(bones.size());
  std::vector<int> parents(bones.size(), -1);
  for (int i = std::max<int>(0, model.info.rootBoneCount); i < count; ++i) {
    int parent = bones[static_cast<size_t>(i)].parent;
    if (!MayaJointName(model, parent).empty()) parents[static_cast<size_t>(i)] = parent;
  }
  for (int i = 0; i < count; ++i) {
    int j = parents[static_cast<size_t>(i)];
    for (int steps = 0; j >= 0 && j != i && steps < count; ++steps) j = parents[static_cast<size_t>(j)];
    if (j == i) parents[static_cast<size_t>(i)] = -1;
  }
  return parents;
}

// Named bones in bone order, except that every bone comes after the bone it hangs under.
std::vector<int> JointOrder(const Xmodel& model, const std::vector<int>& parents) {
  const size_t count = parents.size();
  std::vector<int> order;
  std::vector<bool> placed(count, false);
  std::vector<int> chain;
  for (size_t i = 0; i < count; ++i) {
    chain.clear();
    for (int j = static_cast<int>(i); j >= 0 && !placed[static_cast<size_t>(j)]; j = parents[static_cast<size_t>(j)]) {
      chain.push_back(j);
    }
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
      placed[static_cast<size_t>(*it)] = true;
      if (!MayaJointName(model, *it).empty()) order.push_back(*it);
    }
  }
  return order;
}

}  // namespace

const std::string& MayaJointName(const Xmodel& model, int32_t index) {
  static const std::string kNoJoint;
  if (index < 0 || index >= static_cast<int32_t>(model.info.bones.size())) return kNoJoint;
  return model.info.bones[static_cast<size_t>(index)].name;
}

// ---------------------------------------------------------------------------------------------
// Shading networks
// ---------------------------------------------------------------------------------------------

void MayaWriter::WriteShadingNetwork(TextWriter& out, const std::string& material, const std::string& texturePath) {
  out.Put("createNode shadingEngine -n \"").Put(material).Put("SG\";").EndLine();
  out.Line("\tsetAttr \".ihi\" 0;").Line("\tsetAttr \".ro\" yes;");
  out.Put("createNode materialInfo -n \"").Put(material).Put("MI\";").EndLine();
  out.Put("createNode lambert -n \"").Put(material).Put("\";").EndLine();
  out.Line("\tsetAttr \".ambc\" -type \"float3\" 1 1 1 ;");
  if (!texturePath.empty()) {
    out.Put("createNode file -n \"").Put(material).Put("FILE\";").EndLine();
    out.Put("\tsetAttr \".ftn\" -type \"string\" \"").Put(texturePath).Put("\";").EndLine();
    out.Put("if(getAttr(\"").Put(material).Put("FILE.fha\")) connectAttr ").Put(material).Put("FILE.ot ").Put(material).Put(".it;").EndLine();
    out.Put("createNode place2dTexture -n \"").Put(material).Put("P2DT\";").EndLine();
  }
  out.EndLine();
}

void MayaWriter::WriteConnections(TextWriter& out, int linkIndex, const std::string& material, bool textured) {
  static constexpr const char* kPlacementPairs[][2] = {
      {"c", "c"},     {"tf", "tf"},   {"rf", "rf"},   {"mu", "mu"},   {"mv", "mv"},   {"s", "s"},
      {"wu", "wu"},   {"wv", "wv"},   {"re", "re"},   {"of", "of"},   {"r", "ro"},    {"n", "n"},
      {"vt1", "vt1"}, {"vt2", "vt2"}, {"vt3", "vt3"}, {"vc1", "vc1"}, {"o", "uv"},    {"ofs", "fs"}};
  const std::string& m = material;
  out.Put("connectAttr \":defaultLightSet.msg\" \"lightLinker1.lnk[").Int(linkIndex).Put("].llnk\";").EndLine();
  out.Put("connectAttr \"").Put(m).Put("SG.msg\" \"lightLinker1.lnk[").Int(linkIndex).Put("].olnk\";").EndLine();
  out.Put("connectAttr \":defaultLightSet.msg\" \"lightLinker1.slnk[").Int(linkIndex).Put("].sllk\";").EndLine();
  out.Put("connectAttr \"").Put(m).Put("SG.msg\" \"lightLinker1.slnk[").Int(linkIndex).Put("].solk\";").EndLine();
  out.Put("connectAttr \"").Put(m).Put(".oc\" \"").Put(m).Put("SG.ss\";").EndLine();
  out.Put("connectAttr \"").Put(m).Put("SG.msg\" \"").Put(m).Put("MI.sg\";").EndLine();
  out.Put("connectAttr \"").Put(m).Put(".msg\" \"").Put(m).Put("MI.m\";").EndLine();
  if (textured) {
    out.Put("connectAttr \"").Put(m).Put("FILE.msg\" \"").Put(m).Put("MI.t\" -na;").EndLine();
    out.Put("connectAttr \"").Put(m).Put("FILE.oc\" \"").Put(m).Put(".c\";").EndLine();
    for (const auto& pair : kPlacementPairs) {
      out.Put("connectAttr \"").Put(m).Put("P2DT.").Put(pair[0]).Put("\" \"").Put(m).Put("FILE.").Put(pair[1]).Put("\";").EndLine();
    }
  }
  out.Put("connectAttr \"").Put(m).Put("SG.pa\" \":renderPartition.st\" -na;").EndLine();
  out.Put("connectAttr \"").Put(m).Put(".msg\" \":defaultShaderList1.s\" -na;").EndLine();
  if (textured) {
    out.Put("connectAttr \"").Put(m).Put("P2DT.msg\" \":defaultRenderUtilityList1.u\" -na;").EndLine();
    out.Put("connectAttr \"").Put(m).Put("FILE.msg\" \":defaultTextureList1.tx\" -na;").EndLine();
  }
  out.EndLine();
}

void MayaWriter::WriteJoint(TextWriter& out, const std::string& joint, const std::string& parent, const float offset[3],
                            const Quaternion& rotation, float scale) {
  out.Put("createNode joint -n \"").Put(joint).Put("\" -p \"").Put(parent).Put("\";").EndLine();
  out.Line("addAttr -ci true -sn \"liw\" -ln \"lockInfluenceWeights\" -bt \"lock\" -min 0 -max 1 -at \"bool\";");
  out.Line("setAttr \".uoc\" yes;").Line("setAttr \".ove\" yes;");
  out.Put("setAttr \".t\" -type \"double3\" ").Fixed(offset[0], 6, 9).Put(' ').Fixed(offset[1], 6, 9).Put(' ').Fixed(offset[2], 6, 9).Put(" ;").EndLine();
  out.Line("setAttr \".mnrl\" -type \"double3\" -360 -360 -360 ;");
  out.Line("setAttr \".mxrl\" -type \"double3\" 360 360 360 ;");
  out.Put("setAttr \".radi\" ").Fixed(static_cast<double>(scale) * 0.5, 2, 6).Put(';').EndLine();
  const EulerDegrees angles = QuatToEuler(rotation);
  out.Put("setAttr \".jo\" -type \"double3\" ").Fixed(angles[0]).Put(' ').Fixed(angles[1]).Put(' ').Fixed(angles[2]).Put(';').EndLine();
  out.EndLine();
}

void MayaWriter::WriteJoints(const Xmodel& model, TextWriter& out) {
  out.EndLine().Line("createNode transform -n \"Joints\";").Line("setAttr \".ove\" yes;").EndLine();
  const std::vector<int> parents = JointParents(model);
  const float scale = model.info.boneScale;
  for (int bone : JointOrder(model, parents)) {
    const XmodelBone& record = model.info.bones[static_cast<size_t>(bone)];
    const int parent = parents[static_cast<size_t>(bone)];
    WriteJoint(out, record.name, parent < 0 ? "Joints" : MayaJointName(model, parent), record.offset, record.rotation, scale);
  }
  for (size_t bone = 0; bone < parents.size(); ++bone) {
    const int parent = parents[bone];
    if (parent < 0 || model.info.bones[bone].name.empty()) continue;
    out.Put("connectAttr \"").Put(MayaJointName(model, parent)).Put(".s\" \"").Put(model.info.bones[bone].name).Put(".is\";").EndLine();
  }
}

// ---------------------------------------------------------------------------------------------
// ExportMaya
// ---------------------------------------------------------------------------------------------

namespace {

// The materials of the LOD: a shading network for each unique material name (the first colour
// map of the first material of that name textures it), their light links, then the surfaces'
// connections to their shading engines.
void WriteMaterials(Xmodel& model, const XmodelLod& lod, const ExportOptions& options, TextWriter& out) {
  const std::vector<std::string> names = lod.uniqueMaterials;
  const MaterialList& materials = model.Materials();
  std::vector<bool> textured(names.size(), false);
  for (size_t i = 0; i < names.size(); ++i) {
    const TextureSlot* colourMap = FindColourMap(materials, names[i]);
    textured[i] = colourMap != nullptr;
    out.Put("// Material: ").Put(names[i]).EndLine();
    MayaWriter::WriteShadingNetwork(out, names[i], textured[i] ? MayaTexturePath(materials, *colourMap, options) : "");
    model.StepProgress();
  }
  for (size_t i = 0; i < names.size(); ++i) MayaWriter::WriteConnections(out, static_cast<int>(i) + 2, names[i], textured[i]);
  model.StepProgress();
  for (size_t i = 0; i < lod.surfaces.size() && i < lod.surfaceMaterials.size(); ++i) {
    const std::string& material = lod.surfaceMaterials[i];
    out.Put("connectAttr \"").Put(material).Put("SG.mwc\" \"MeshShape_").Int(static_cast<int64_t>(i)).Put(".iog.og[0].gco\";").EndLine();
    out.Put("connectAttr \"MeshShape_").Int(static_cast<int64_t>(i)).Put(".iog\" \"").Put(material).Put("SG.dsm\" -na;").EndLine().EndLine();
  }
  model.StepProgress();
}

void WriteHeader(const Xmodel& model, const XmodelLod& lod, size_t materialCount, TextWriter& out) {
  out.Line("//Maya ASCII 8.5 scene");
  out.Put("//Name: ").Put(lod.surfsName).Put(".ma").EndLine();
  out.Line("//Generated By Vorn_Kesh Delvix");
  out.Put("//Parent Xmodel: ").Put(model.GetName()).EndLine();
  out.Put("//Surface Load Time: ").Fixed(lod.loadTime, 2).Put(" ms").EndLine();
  out.Put("//Total Meshes: ").Int(lod.surfaceCount).EndLine();
  out.Line("//Codeset: 1252");
  for (std::string_view line : kMayaPreambleA) out.Line(line);
  out.Put("\tsetAttr -s ").Int(static_cast<int64_t>(materialCount)).Put(" \".lnk\";").EndLine();
  out.Put("\tsetAttr -s ").Int(static_cast<int64_t>(materialCount)).Put(" \".slnk\";").EndLine();
  for (std::string_view line : kMayaPreambleB) out.Line(line);
}

}  // namespace

ResultCode ExportMaya(Xmodel& model, int32_t lodIndex, std::string folder, const ExportOptions& options) {
  const ResultCode exportable = CheckLodExportable(model, lodIndex);
  if (exportable != ResultCode::Success) return exportable;
  XmodelLod& lod = model.info.lods[static_cast<size_t>(lodIndex)];

  const ExportClock clock;
  model.progress.store(1);
  PrepareExportFolder(folder);

  if (options.melBind) {
    ResultCode bind = WriteBindScript(model, lodIndex, folder);
    if (bind != ResultCode::Success) VornLog::Messagef("^1Mel Error^7: %s", ErrorText(bind).c_str());
  }

  TextWriter out;
  ResultCode opened = OpenExportFile(out, folder + lod.surfsName + ".ma");
  if (opened != ResultCode::Success) return opened;

  WriteHeader(model, lod, lod.uniqueMaterials.size(), out);
  AddProgress(model, 5);
  const int step = lod.surfaces.empty() ? 0 : 90 / static_cast<int>(lod.surfaces.size());
  model.StepProgress();

  out.Put("createNode transform -n \"Vorn_").Put(lod.surfsName).Put("\";").EndLine().Put("setAttr \".ove\" yes;");
  for (size_t i = 0; i < lod.surfaces.size(); ++i) {
    WriteMesh(out, lod.surfaces[i], static_cast<int>(i), lod.surfsName);
    AddProgress(model, step);
  }
  WriteMaterials(model, lod, options, out);
  MayaWriter::WriteJoints(model, out);
  model.progress.store(99);

  ResultCode closed = CloseExportFile(out);
  lod.exportClock = clock.ElapsedMs();
  return closed;
}
