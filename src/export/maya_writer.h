#pragma once
// Maya export of one level of detail (LOD) of the loaded model:
//
//   <folder>/<surfs>.ma          a Maya ASCII scene: fixed Maya 8.5 preamble, the transform
//                                "Vorn_<surfs>" with one mesh per surface (positions, UVs, white
//                                vertex colours, per-corner normals, edges, triangles), one
//                                Lambert shading network per material, and one joint per named
//                                bone under the group "Joints"
//   <folder>/<surfs>_bind.mel    with the option melBind: a MEL script that binds each mesh
//                                to its joints with a skin cluster and sets every vertex's weights
//
// <surfs> is the LOD's xmodelsurfs file name. Every line ends in CR LF; numbers are written as
// printf's "%f", "%9.6f", "%6.2f" and "%.5f" would write them, whatever the locale.
//
// Runs on the job thread. Moves model.progress (0..99) and leaves the export's duration in
// milliseconds in the LOD's exportClock for the job thread's log line.
#include <cstdint>
#include <string>

#include "jobs/job_options.h"
#include "model/result_code.h"
#include "model/xmodel.h"

class TextWriter;

// Writes the scene (and, with options.melBind, the bind script first) of LOD lod into folder,
// which is created when missing. The colour maps are named as the image export of the same job
// writes them (options.imagesLocal, options.colourMaps). Result:
//   NotLoaded         no model loaded, or the LOD's surfaces are not loaded
//   SurfacesNotSetUp  the LOD records were not set up
//   InvalidIndex      lod is not a LOD of the model
//   NoPermission      the scene's file could not be opened for lack of permission
//   CantOpenFile      any other failure to open the scene's file
//   WriteFailed       the scene's file could not be written whole (full disk, I/O error)
//   Success
// A bind script that fails is logged ("^1Mel Error^7: " and the reason) and does not fail the
// scene. The checks run in the order above, before anything is created or written.
ResultCode ExportMaya(Xmodel& model, int32_t lod, std::string folder, const ExportOptions& options);

// Writes <folder>/<surfs>_bind.mel for LOD lod (already validated by the caller; folder ends in
// "/"). Success, NoPermission, CantOpenFile or WriteFailed.
ResultCode WriteBindScript(Xmodel& model, int32_t lod, const std::string& folder);

// The name of the scene's joint for bone index, or "" when the bone has no joint (the index is
// not a bone, or the bone has no name).
const std::string& MayaJointName(const Xmodel& model, int32_t index);

// The pieces of the scene.
class MayaWriter {
 public:
  // The shading engine "<material>SG", material info "<material>MI" and Lambert "<material>";
  // with a texture path also the file node "<material>FILE" (showing that image) and its
  // "<material>P2DT" placement. An empty texturePath writes the plain Lambert network.
  static void WriteShadingNetwork(TextWriter& out, const std::string& material, const std::string& texturePath);

  // The light links of a material's shading engine at light-linker index linkIndex, and the
  // connections inside its shading network (those of the file nodes only when textured).
  static void WriteConnections(TextWriter& out, int linkIndex, const std::string& material, bool textured);

  // The group "Joints" and one joint per named bone, every parent before its children, then the
  // scale connections from each parent joint to its child joints.
  static void WriteJoints(const Xmodel& model, TextWriter& out);

  // One joint under parent: offset, rotation as joint orient in degrees, radius scale * 0.5
  // (WriteJoints gives the scale the model's load applied).
  static void WriteJoint(TextWriter& out, const std::string& joint, const std::string& parent, const float offset[3],
                         const Quaternion& rotation, float scale);
};
