// The MEL bind script of one LOD: binds each unweighted mesh rigidly to its bone, and each
// weighted mesh to all of its bones with a skin cluster whose weights it then sets vertex by
// vertex (runs of vertices that share one main bone and have no other influence in one line).
#include <algorithm>
#include <set>
#include <vector>

#include "export/export_file.h"
#include "export/maya_writer.h"
#include "core/text_writer.h"

namespace {

// The bone in the high half of a bone-list value or an influence's low half (signed 16 bits).
int BoneOfListValue(uint32_t value) { return static_cast<int16_t>(value >> 16); }
int VertexCountOfListValue(uint32_t value) { return static_cast<int16_t>(value & 0xFFFF); }
int BoneOfInfluence(uint32_t value) { return static_cast<int16_t>(value & 0xFFFF); }

// An influence's weight: its 16 bits as a fraction of 65535 (computed in single precision as the
// game's tools do), at most 1.
float WeightOfInfluence(uint32_t value) {
  float weight = static_cast<float>(value >> 16) * 1.5259022e-05f;
  weight = weight * 100.0f * 0.01f;
  return weight > 1.0f ? 1.0f : weight;
}

// The influences of one vertex that the script can name: the main bone and the extra bones
// with joints, an extra bone given twice (or equal to the main bone) merged into one.
struct VertexWeights {
  int main = -1;
  std::vector<std::pair<int, double>> extras;  // bone, weight
  double MainWeight() const {
    double rest = 1.0;
    for (const auto& extra : extras) rest -= extra.second;
    return rest > 0.0 ? rest : 0.0;
  }
};

VertexWeights WeightsOf(const Xmodel& model, const XmodelWeightGroup& group) {
  VertexWeights weights;
  weights.main = group.mainBone;
  for (uint32_t influence : group.influences) {
    const int bone = BoneOfInfluence(influence);
    if (bone == weights.main || MayaJointName(model, bone).empty()) continue;  // main keeps that weight
    const double weight = WeightOfInfluence(influence);
    bool merged = false;
    for (auto& extra : weights.extras) {
      if (extra.first == bone) extra.second += weight, merged = true;
    }
    if (!merged && weight > 0.0) weights.extras.emplace_back(bone, weight);
  }
  return weights;
}

void VertexRange(TextWriter& out, int surface, int first, int last) {
  out.Put("VornMesh_").Int(surface).Put(".vtx[").Int(first);
  if (last != first) out.Put(':').Int(last);
  out.Put("];").EndLine();
}

// Binds vertices first..last wholly to bone.
void WriteRun(const Xmodel& model, TextWriter& out, int surface, int first, int last, int bone) {
  const std::string& joint = MayaJointName(model, bone);
  if (joint.empty()) return;  // no joint to bind to
  out.Put("\tskinPercent -tv ").Put(joint).Put(" 1.0 $cluster ");
  VertexRange(out, surface, first, last);
}

// Binds a vertex with extra influences: wholly to its main bone, then every influence at once,
// so Maya's normalisation keeps each weight as given.
void WriteSharedVertex(const Xmodel& model, TextWriter& out, int surface, int vertex, const VertexWeights& weights) {
  WriteRun(model, out, surface, vertex, vertex, weights.main);
  out.Put("\t\tskinPercent");
  const std::string& mainJoint = MayaJointName(model, weights.main);
  if (!mainJoint.empty()) out.Put(" -tv ").Put(mainJoint).Put(' ').Fixed(weights.MainWeight(), 5);
  for (const auto& [bone, weight] : weights.extras) out.Put(" -tv ").Put(MayaJointName(model, bone)).Put(' ').Fixed(weight, 5);
  out.Put(" $cluster ");
  VertexRange(out, surface, vertex, vertex);
}

// Selects every joint the surface's vertices use, each once: those of the bone list first, then
// those met vertex by vertex (extra influences before the main bone).
void WriteInfluenceSelection(const Xmodel& model, const XmodelSurface& surface, TextWriter& out) {
  std::set<int> selected;
  auto select = [&](int bone) {
    const std::string& joint = MayaJointName(model, bone);
    if (joint.empty() || !selected.insert(bone).second) return;
    out.Put("\tselect -add ").Put(joint).Put(';').EndLine();
  };
  for (uint32_t value : surface.boneList) {
    if (VertexCountOfListValue(value) > 0) select(BoneOfListValue(value));
  }
  for (const XmodelWeightGroup& group : surface.weightGroups) {
    for (uint32_t influence : group.influences) select(BoneOfInfluence(influence));
    select(group.mainBone);
  }
}

// The weight lines of a weighted surface: runs of vertices that share a main bone and have no
// other influence, and every vertex with extra influences on its own.
void WriteWeights(const Xmodel& model, const XmodelSurface& surface, int index, TextWriter& out) {
  int first = -1, last = -1, bone = -1;
  const size_t count = std::min(surface.vertices.size(), surface.weightGroups.size());
  for (size_t v = 0; v < count; ++v) {
    const VertexWeights weights = WeightsOf(model, surface.weightGroups[v]);
    const int vertex = static_cast<int>(v);
    if (first >= 0 && weights.extras.empty() && weights.main == bone) {
      last = vertex;
      continue;
    }
    if (first >= 0) WriteRun(model, out, index, first, last, bone);
    first = -1;
    if (weights.extras.empty()) {
      first = last = vertex;
      bone = weights.main;
    } else {
      WriteSharedVertex(model, out, index, vertex, weights);
    }
  }
  if (first >= 0) WriteRun(model, out, index, first, last, bone);
}

void WriteSmoothBinder(const Xmodel& model, const XmodelSurface& surface, int index, TextWriter& out) {
  out.EndLine().Put("global proc VornMesh_").Int(index).Put("_SmoothBinder()").EndLine().Put('{').EndLine().Put('\t');
  out.Put("cout(\"Running Smooth Bind For 'VornMesh_").Int(index).Put("'\");").EndLine();
  out.Put("\tselect -r VornMesh_").Int(index).Put(';').EndLine();
  WriteInfluenceSelection(model, surface, out);
  out.Line("\tnewSkinCluster \"-toSelectedBones -mi 10 -omi true -dr 10 -rui true\";");
  out.EndLine().Put("\tstring $cluster = GetSkinClusterName(\"VornMesh_").Int(index).Put("\");").EndLine();
  out.Line("\tcout(\"SkinCluster: \" + $cluster);").EndLine();
  WriteWeights(model, surface, index, out);
  out.EndLine().Put("\tcout(\"VornMesh_").Int(index).Put(" Binds Completed\");").EndLine();
  out.Line("}");
}

void WriteScriptHeader(TextWriter& out) {
  out.Line("/*====================================").Line("* Binds Joints to Mesh ").Line("* Generated By Vorn_Kesh Delvix");
  out.Line("* Version: 1.1").Line("* How To Use: Drag & drop on to maya when model has been loaded");
  out.Line("====================================*/");
  out.Line("global proc cout(string $s){").Line("\tprint($s + \"\\n\");").Line("}").EndLine();
  out.Line("global proc string GetSkinClusterName(string $Mesh){").Line("\treturn  findRelatedSkinCluster($Mesh);");
  out.Line("}").EndLine();
}

}  // namespace

ResultCode WriteBindScript(Xmodel& model, int32_t lodIndex, const std::string& folder) {
  const XmodelLod& lod = model.info.lods[static_cast<size_t>(lodIndex)];
  TextWriter out;
  ResultCode opened = OpenExportFile(out, folder + lod.surfsName + "_bind.mel");
  if (opened != ResultCode::Success) return opened;
  model.progress.store(0);

  WriteScriptHeader(out);
  out.Line("global proc RunMeshBinds(){").Line("\t// Full mesh binds");
  std::vector<int> weighted;
  for (size_t i = 0; i < lod.surfaces.size(); ++i) {
    const XmodelSurface& surface = lod.surfaces[i];
    const int index = static_cast<int>(i);
    if (surface.hasWeights) {
      weighted.push_back(index);
    } else {
      // Rigid: the whole mesh to the bone of its first bone-list value (none when that bone
      // has no joint in the scene).
      const std::string joint = surface.boneList.empty() ? std::string() : MayaJointName(model, BoneOfListValue(surface.boneList[0]));
      if (!joint.empty()) {
        out.Put("\tcout(\"Binding 'VornMesh_").Int(index).Put("' to '").Put(joint).Put("'\");").EndLine();
        out.Put("\tskinCluster -tsb -mi 1 ").Put(joint).Put(" VornMesh_").Int(index).Put(';').EndLine();
      }
    }
    model.StepProgress();
  }
  out.Line("}");

  if (!weighted.empty()) {
    for (size_t i = 0; i < lod.surfaces.size(); ++i) {
      if (lod.surfaces[i].hasWeights) WriteSmoothBinder(model, lod.surfaces[i], static_cast<int>(i), out);
      model.StepProgress();
    }
    out.EndLine().Line("global proc VornsPerfectBind()").Line("{");
    out.Line("\t// Updated: wrapping the calls in 'catch' means others will still run, if one fails. ");
    for (int index : weighted) out.EndLine().Put("\tcatch(VornMesh_").Int(index).Put("_SmoothBinder());");
    out.EndLine().Line("}");
  }
  out.EndLine().Put("RunMeshBinds();");
  if (!weighted.empty()) out.EndLine().Put("VornsPerfectBind();");
  model.progress.store(99);
  return CloseExportFile(out);
}
