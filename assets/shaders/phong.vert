#version 130
// Phong program, vertex stage.
//
// The model is drawn in world units. MVP places a vertex on the screen. Lighting is done in camera
// space: NormalMatrix is the camera's rotation (the inverse transpose of the view's 3x3 block),
// so a world vector v turns into camera space as NormalMatrix * v, and a world point p as
// NormalMatrix * (p - gEyeWorldPos), which puts the eye at the origin.

in vec3 v_position;
in vec3 v_normal;
in vec2 v_texcoord;
in vec4 v_color;      // 4 unsigned bytes, normalised to 0..1

uniform mat4 MVP;
uniform mat3 NormalMatrix;
uniform vec3 gEyeWorldPos;

out vec3 viewPosition;   // camera space, eye at the origin
out vec3 viewNormal;
out vec2 texcoord;
out vec4 vertexColor;

void main() {
  gl_Position = MVP * vec4(v_position, 1.0);
  viewPosition = NormalMatrix * (v_position - gEyeWorldPos);
  viewNormal = NormalMatrix * v_normal;
  texcoord = v_texcoord;
  vertexColor = v_color;
}
