#pragma once
// Models built in memory for the exporter tests: an Xmodel that looks as if its files had been
// read (flags set, LODs loaded), with surfaces, bones and materials made from a few numbers.
//
//   Xmodel model(materials);
//   testmodels::MakeLoaded(model, "tank", {testmodels::Lod("tank_lod0", {surface})}, bones, 1);
#include <string>
#include <vector>

#include "model/xmodel.h"

namespace testmodels {

// A vertex at (x, y, z) with a normal, texture coordinates (v as the model stores it: 1 - v of
// the file) and a colour; every other field zero.
XmodelVertex Vertex(float x, float y, float z, float nx = 0.0f, float ny = 0.0f, float nz = 1.0f,
                    float u = 0.0f, float v = 0.0f, uint32_t rgba = 0xFFFFFFFF);

// An unweighted surface bound to bone firstBone, with vertices and triangles (index triples).
XmodelSurface Surface(std::vector<XmodelVertex> vertices, std::vector<XmodelTriangle> triangles,
                      int firstBone = 0);

// A surface of count vertices on a line and count - 2 triangles (i, i + 1, i + 2).
XmodelSurface StripSurface(int count, float offset = 0.0f);

// A weight group: extra influences as (bone, 16-bit weight) pairs, then the main bone.
XmodelWeightGroup Weights(std::vector<std::pair<int, int>> influences, int mainBone);

// A loaded LOD: surfaces with one material name each (materials[i] for surface i).
XmodelLod Lod(const std::string& surfsName, std::vector<XmodelSurface> surfaces,
              std::vector<std::string> materials = {});

XmodelBone Bone(const std::string& name, int parent, float x = 0.0f, float y = 0.0f, float z = 0.0f,
                Quaternion rotation = {});

// Fills model as a loaded model named name with lods and bones (the first rootCount are roots).
// Each LOD's distinct material names are derived from its surface materials.
void MakeLoaded(Xmodel& model, const std::string& name, std::vector<XmodelLod> lods,
                std::vector<XmodelBone> bones, int rootCount);

// Adds a material record with (slot name, image name) slots to list; iwiExists is set for the
// image names in existing.
void AddMaterial(MaterialList& list, const std::string& name,
                 std::vector<std::pair<std::string, std::string>> slots,
                 std::vector<std::string> existing = {});

}  // namespace testmodels
