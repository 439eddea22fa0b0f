#pragma once
// XMODEL_EXPORT: the text model format of the games' tools ("MODEL", "VERSION 6"). The job
// thread's export step writes LOD 0 of the loaded model with ExportXmodelExport; the GDT
// record of the model names the file it produces.
//
// Index
//   ExportXmodelExport     the whole file for LOD 0 of a model
//   XmodelExportWriter     the file's text forms, one section or block at a time
//   VertexInfluences       bone weights of one vertex as the file lists them
//   MaterialTextureText    the texture text of a MATERIAL line
//   SurfaceMaterialIndex, FirstBoneIndex
#include <string>
#include <vector>

#include "export/bone_poses.h"
#include "core/text_writer.h"
#include "jobs/job_options.h"
#include "model/material_list.h"
#include "model/result_code.h"
#include "model/xmodel_records.h"

class Xmodel;

// Writes LOD 0 of model into folder as <LOD 0 surfs>.XMODEL_EXPORT (the folder is created).
// Positions and bone offsets are written at the game files' size: the scale the model applied
// at load is divided out while printing, and the model itself is not changed (only its progress
// and LOD 0's export clock, in milliseconds). Results: NotLoaded (no model, or LOD 0 not read),
// SurfacesNotSetUp, InvalidIndex (no LOD), NoPermission or CantOpenFile (the file cannot be
// created), WriteFailed (the file did not reach the disk whole), Success. Texture names come from
// the model's material list as it stands, named as the image export writes them
// (options.colourMaps).
ResultCode ExportXmodelExport(Xmodel& model, const std::string& folder, const ExportOptions& options);

// One bone weight of a vertex.
struct BoneInfluence {
  int bone = 0;
  float weight = 1.0f;
};

// The influences of vertex `vertex` of surface, in the file's order: for an unweighted surface
// its first bone with 1.0; for a weighted one each extra influence (weight = 16-bit value /
// 65535 in single precision, capped at 1), then the main bone with 1 minus their sum (which
// may be 0 or negative); only the main bone with 1.0 when there is no extra influence.
void VertexInfluences(const XmodelSurface& surface, size_t vertex, std::vector<BoneInfluence>& out);

// The weight of one influence value (16-bit weight in the high half), as the exporters use it.
float InfluenceWeight(uint32_t influence);

// The texture text of the material named name: "color:" + its colour image, then " normal:" +
// its normal image, as the image export names them; "color:img_not_located.dds" when it has no
// colour map. Every "~" becomes "_".
std::string MaterialTextureText(const std::string& name, const MaterialList& materials, bool asTga);

// The number of surface's material among lod's distinct material names; 0 when the surface has
// no material name or the name is not among them.
int SurfaceMaterialIndex(const XmodelLod& lod, size_t surface);

// The bone index (signed) in the high half of the surface's first bone value; 0 without one.
int FirstBoneIndex(const XmodelSurface& surface);

// The text forms of the file. Open, then the sections in file order, then Close.
class XmodelExportWriter {
 public:
  // Opens folder + name + ".XMODEL_EXPORT" (folder ends in "/"): Success, NoPermission or
  // CantOpenFile.
  ResultCode Open(const std::string& folder, const std::string& name);
  // Success when every byte reached the file, else WriteFailed.
  ResultCode Close();
  bool isOpen() const { return out_.IsOpen(); }

  // The comment header, "MODEL" and "VERSION 6".
  void WriteHeader(const std::string& surfsName, const std::string& modelName, double loadTimeMs,
                   int meshCount, double scale);
  // "NUMBONES" and one "BONE" line per bone (parent 255 printed as -1).
  void WriteBoneList(const std::vector<XmodelBone>& bones);
  void WriteBonePose(int bone, const BonePose& pose);
  void BeginVerts(int count);
  void WriteVert(int number, const double position[3], const std::vector<BoneInfluence>& influences);
  void BeginFaces(int count);
  // One triangle: its three corners' vertex numbers and vertices, with the current object and
  // material numbers.
  void WriteTri(const int numbers[3], const XmodelVertex* const corners[3]);
  void EndFaces();
  void WriteObjects(int count);
  void BeginMaterials(int count);
  void WriteMaterial(int number, const std::string& name, const std::string& textureText);

  int objectIndex = 0;    // object (surface) number of the triangle lines
  int materialIndex = 0;  // material number of the triangle lines

 private:
  void Triple(const char* label, double a, double b, double c);  // label + "%5.6f, %5.6f, %5.6f"
  TextWriter out_;
};
