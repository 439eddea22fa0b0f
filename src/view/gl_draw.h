#pragma once
// Fixed-function OpenGL helpers of the 3D view: the camera's matrices, the model-view stack, the
// viewport, the depth switches, the GL error state, and drawing a line, a wire box and a sphere.
//
// They hold no state. Those that touch matrices leave the matrix mode at GL_MODELVIEW; those that
// draw use client-side vertex arrays for the call only and leave every client array disabled.
// The current colour, lighting and texture state are the caller's. Client arrays are read from
// memory, so no vertex array object and no GL_ARRAY_BUFFER may be bound while they draw (the
// model pass unbinds its buffers before anything else is drawn).
//
// Threads: the thread whose context is current (the main thread's frame).
#include <cstdint>

#include "view/camera.h"
#include "view/int_rect.h"
#include "view/vec3.h"

// Loads the camera's projectionMatrix into GL_PROJECTION and its modelViewMatrix into
// GL_MODELVIEW.
void GlSetCameraMatrices(const cinder::Camera& camera);

// Pushes or pops the model-view matrix stack.
void GlPushModelView();
void GlPopModelView();

// Viewport at (x1, y1) of size (x2 - x1) x (y2 - y1).
void GlSetViewport(const IntRect& rect);

// Switches GL_DEPTH_TEST, and writes into the depth buffer, on or off.
void GlDepthTest(bool on);
void GlDepthWrite(bool on);

// Drains every pending GL error, so the next glGetError reports only what follows.
void GlClearErrors();

// One GL_LINES segment from a to b.
void GlDrawLine(Vec3 a, Vec3 b);

// The twelve edges of the box from centre - size / 2 to centre + size / 2, each a GlDrawLine. A
// zero size draws twelve degenerate lines at the centre.
void GlDrawWireBox(Vec3 centre, Vec3 size);

// A solid sphere with normals and texture coordinates, its poles on the local Y axis, drawn as
// one triangle strip per latitude band (view/sphere_geometry.h). A segment count below 2 draws
// nothing; a negative one allocates nothing either.
void GlDrawSphere(Vec3 centre, float radius, int32_t segments);
