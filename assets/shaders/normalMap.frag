#version 130
// Normal-mapping program, fragment stage: the colour map (unit 0) lit by the main light and up to
// two point lights, per fragment, with the normal taken from the tangent-space normal map (unit 1)
// through the vertex's tangent, binormal and normal.

in vec3 viewPosition;   // camera space, eye at the origin
in vec3 viewNormal;
in vec3 viewTangent;
in vec3 viewBinormal;
in vec2 texcoord;
in vec4 vertexColor;

out vec4 outputColor;

uniform sampler2D ColorMap;
uniform sampler2D NormalMap;

#include "lighting.glsl"

void main() {
  vec3 mapped = texture(NormalMap, texcoord).rgb * 2.0 - 1.0;
  vec3 n = normalize(viewTangent * mapped.x + viewBinormal * mapped.y + normalize(viewNormal) * mapped.z);
  Lit lit = ShadeAll(viewPosition, n);
  vec4 color = SurfaceColor(texture(ColorMap, texcoord), vertexColor);
  outputColor = vec4(color.rgb * lit.diffuse + lit.specular, color.a);
}
