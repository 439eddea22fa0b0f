#pragma once
// ViewOptions: what the 3D view reads of the settings, taken by the frame once per frame, so a
// settings screen may change them at any time and one frame is drawn with one set.
struct ViewOptions {
  int lightModel = 0;            // the model program by its number in the shader registry
  bool bumpMapping = true;       // surfaces draw with their normal maps
  bool useVertexColours = false;
  bool wireframe = false;        // the triangles' edges over the model
  bool drawTangents = false;     // the debug lines of the vertices' tangent frames
  bool drawLods = false;         // every LOD side by side, not only the first
  bool lightEnabled[2] = {true, true};  // the two moving point lights
  bool drawGrid = true;
  bool drawAxis = true;
  bool drawBones = false;
  bool drawBoundingBox = false;
  bool drawBoundingBoxUnits = false;  // the boxes' size labels
  bool drawCentralLocator = false;
};
