#pragma once
// Structural checkers for the Maya ASCII scene and the MEL bind script, for tests. No Debian tool
// reads either format, so the tests parse them here, independently of the writer.
//
// CheckMayaAscii splits a scene into statements (quotes and comments respected) and checks:
//   - every line ends in CR LF;
//   - every node is created once, and before it is named as a parent or in a connection
//     (names beginning with ":" are Maya's default nodes and always exist);
//   - every setAttr of an index range: "-s N" equals the range's size, and the values that follow
//     have the count the attribute needs (2 per UV, 3 per position, edge and normal, 4 per colour);
//   - edges name existing vertices; faces name existing edges, UVs and colours, and each face's
//     edges form a closed loop; every face corner has a normal.
// It returns what it found (nodes, meshes, joints, connections) for comparison with the model.
//
// CheckMelBind reads a bind script line by line and replays its skinCluster and skinPercent
// commands with Maya's normalisation (the named influences take the given weights, the rest of the
// vertex's weight is scaled to fill what remains), and checks that every vertex of every bound
// surface ends with weights of existing joints that sum to 1.
#include <map>
#include <set>
#include <string>
#include <vector>

struct MayaMesh {
  std::string shape;      // the mesh node's name
  std::string transform;  // its parent
  int vertices = -1, uvs = -1, colours = -1, edges = -1, normals = -1, faces = -1;
  std::vector<double> positions;               // x, y, z per vertex
  std::vector<std::vector<int>> faceVertices;  // per face, its vertex loop from the edges
  std::vector<std::vector<int>> faceUvs;       // per face, its "mu" UV indices
};

struct MayaScene {
  std::vector<std::string> errors;             // empty: the scene is well formed
  std::map<std::string, std::string> nodeTypes;  // created node name -> type
  std::map<std::string, std::string> parents;    // created node name -> "-p" parent ("" for none)
  std::vector<std::string> joints;             // joint names in creation order
  std::vector<MayaMesh> meshes;                // in creation order
  std::vector<std::pair<std::string, std::string>> connections;  // source plug, destination plug
  std::map<std::string, std::string> fileTextures;  // file node name -> its ".ftn" path
};

MayaScene CheckMayaAscii(const std::string& text);

struct MelBind {
  std::vector<std::string> errors;
  std::map<int, std::string> rigid;  // surface index -> joint of its rigid bind
  // surface index -> per vertex, influence -> weight (only surfaces bound by a smooth binder)
  std::map<int, std::vector<std::map<std::string, double>>> weights;
};

// joints: the scene's joint names; vertexCounts: per surface index, its vertex count;
// weighted: per surface index, whether it must be bound by a smooth binder.
MelBind CheckMelBind(const std::string& text, const std::set<std::string>& joints,
                     const std::vector<int>& vertexCounts, const std::vector<bool>& weighted);
