#pragma once
// The GUI pass's coordinate system: origin at the top left of the client area, x right, y down,
// one unit per layout pixel. Begin2D opens it at the start of the pass, End2D closes it at the
// end; everything the pass draws lies between them. Main thread, inside the frame.
#include <cstdint>

// Unless it is open: saves the model-view and projection matrices, loads the identity and an
// orthographic projection of layoutWidth x layoutHeight (near -1, far 1), enables 2D texturing
// and resets the text cursor. The model-view matrix is current afterwards.
void Begin2D(int32_t layoutWidth, int32_t layoutHeight);
// Unbinds the texture; when open: restores both matrices and disables 2D texturing.
void End2D();
// True between Begin2D and End2D.
bool Is2DOpen();
