// Fixed-function OpenGL helpers of the 3D view.
#include "view/gl_draw.h"

#include <GL/glew.h>

#include "view/sphere_geometry.h"

void GlSetCameraMatrices(const cinder::Camera& camera) {
  glMatrixMode(GL_PROJECTION);
  glLoadMatrixf(camera.projectionMatrix.m);
  glMatrixMode(GL_MODELVIEW);
  glLoadMatrixf(camera.modelViewMatrix.m);
}

void GlPushModelView() {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
}

void GlPopModelView() {
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
}

void GlSetViewport(const IntRect& rect) { glViewport(rect.x1, rect.y1, rect.x2 - rect.x1, rect.y2 - rect.y1); }

void GlDepthTest(bool on) {
  if (on) {
    glEnable(GL_DEPTH_TEST);
  } else {
    glDisable(GL_DEPTH_TEST);
  }
}

void GlDepthWrite(bool on) { glDepthMask(on ? GL_TRUE : GL_FALSE); }

void GlClearErrors() {
  // A context that is lost keeps reporting an error; a bounded loop cannot hang on it.
  for (int i = 0; i < 64 && glGetError() != GL_NO_ERROR; ++i) {
  }
}

void GlDrawLine(Vec3 a, Vec3 b) {
  const float points[6] = {a.x, a.y, a.z, b.x, b.y, b.z};
  glEnableClientState(GL_VERTEX_ARRAY);
  glVertexPointer(3, GL_FLOAT, 0, points);
  glDrawArrays(GL_LINES, 0, 2);
  glDisableClientState(GL_VERTEX_ARRAY);
}

void GlDrawWireBox(Vec3 centre, Vec3 size) {
  const Vec3 lo = centre - size * 0.5f;
  const Vec3 hi = centre + size * 0.5f;
  // Corner k has x from bit 0, y from bit 1 and z from bit 2 (0 = lo, 1 = hi).
  auto corner = [&](int k) { return Vec3{k & 1 ? hi.x : lo.x, k & 2 ? hi.y : lo.y, k & 4 ? hi.z : lo.z}; };
  static constexpr int kEdges[12][2] = {{0, 1}, {2, 3}, {4, 5}, {6, 7},   // along x
                                        {0, 2}, {1, 3}, {4, 6}, {5, 7},   // along y
                                        {0, 4}, {1, 5}, {2, 6}, {3, 7}};  // along z
  for (const auto& edge : kEdges) GlDrawLine(corner(edge[0]), corner(edge[1]));
}

void GlDrawSphere(Vec3 centre, float radius, int32_t segments) {
  const int32_t bands = SphereBandCount(segments);
  if (bands == 0) return;
  SphereStrip strip;
  FillSphereBand(centre, radius, segments, 0, strip);
  glEnableClientState(GL_VERTEX_ARRAY);
  glEnableClientState(GL_NORMAL_ARRAY);
  glEnableClientState(GL_TEXTURE_COORD_ARRAY);
  for (int32_t band = 0; band < bands; ++band) {
    // The arrays keep their size from band to band, so the pointers stay valid.
    if (band > 0) FillSphereBand(centre, radius, segments, band, strip);
    glVertexPointer(3, GL_FLOAT, 0, strip.positions.data());
    glNormalPointer(GL_FLOAT, 0, strip.normals.data());
    glTexCoordPointer(2, GL_FLOAT, 0, strip.texCoords.data());
    glDrawArrays(GL_TRIANGLE_STRIP, 0, strip.VertexCount());
  }
  glDisableClientState(GL_TEXTURE_COORD_ARRAY);
  glDisableClientState(GL_NORMAL_ARRAY);
  glDisableClientState(GL_VERTEX_ARRAY);
}
