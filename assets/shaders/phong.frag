#version 130
// Phong program, fragment stage: the colour map (unit 0) lit by the main light and up to two
// point lights, per fragment, with the interpolated vertex normal.

in vec3 viewPosition;   // camera space, eye at the origin
in vec3 viewNormal;
in vec2 texcoord;
in vec4 vertexColor;

out vec4 outputColor;

uniform sampler2D ColorMap;

#include "lighting.glsl"

void main() {
  Lit lit = ShadeAll(viewPosition, normalize(viewNormal));
  vec4 color = SurfaceColor(texture(ColorMap, texcoord), vertexColor);
  outputColor = vec4(color.rgb * lit.diffuse + lit.specular, color.a);
}
