// Lighting shared by the fragment stages of both model programs: the uniforms of the main
// (directional) light, the two point lights and the surface, and the functions that shade a point
// in camera space. The build copies this text in place of a fragment stage's include line for
// it, so each finished shader file is one complete source.

struct BaseLight {
  vec3 Color;
  float AmbientIntensity;
  float DiffuseIntensity;
};
struct DirectionalLight {
  BaseLight Base;
  vec3 Direction;   // world space, unit length, pointing from the model towards the light
};
struct Attenuation {
  float Constant;
  float Linear;
  float Exp;
};
struct PointLight {
  BaseLight Base;
  vec3 Position;    // world space
  Attenuation Atten;
};

uniform DirectionalLight gMainLight;
uniform PointLight gLights[2];
uniform int gNumPointLights;        // lights of gLights in use, 0..2
uniform mat3 NormalMatrix;
uniform vec3 gEyeWorldPos;
uniform float gMatSpecularIntensity;
uniform float gSpecularPower;
uniform int gUseVertexCol;          // 1: the texture colour is tinted by the vertex colour
uniform int gDisableAlpha;          // 1: every fragment is opaque

// What one light gives a point: diffuse (with the ambient part) to be multiplied by the surface
// colour, and specular to be added on top.
struct Lit {
  vec3 diffuse;
  vec3 specular;
};

// Light of colour and intensities `light` arriving along the unit vector toLight (from the point
// towards the light) on a point with unit normal n, seen along the unit vector toEye.
Lit Shade(BaseLight light, vec3 toLight, vec3 n, vec3 toEye) {
  Lit lit = Lit(light.Color * light.AmbientIntensity, vec3(0.0));
  float lambert = dot(n, toLight);
  if (lambert <= 0.0) return lit;
  lit.diffuse += light.Color * light.DiffuseIntensity * lambert;
  float facing = dot(reflect(-toLight, n), toEye);
  if (facing > 0.0) lit.specular = light.Color * gMatSpecularIntensity * pow(facing, gSpecularPower);
  return lit;
}

// The main light and the point lights in use, summed, for the camera-space point p with unit
// normal n.
Lit ShadeAll(vec3 p, vec3 n) {
  vec3 toEye = normalize(-p);
  Lit sum = Shade(gMainLight.Base, NormalMatrix * gMainLight.Direction, n, toEye);
  for (int i = 0; i < gNumPointLights && i < 2; ++i) {
    vec3 toLight = NormalMatrix * (gLights[i].Position - gEyeWorldPos) - p;
    float d = length(toLight);
    float attenuation = gLights[i].Atten.Constant + gLights[i].Atten.Linear * d + gLights[i].Atten.Exp * d * d;
    // A light touching the point, or one without attenuation, must not produce infinities.
    Lit lit = Shade(gLights[i].Base, d > 0.0 ? toLight / d : n, n, toEye);
    float scale = 1.0 / max(attenuation, 0.0001);
    sum.diffuse += lit.diffuse * scale;
    sum.specular += lit.specular * scale;
  }
  return sum;
}

// The surface colour: the colour map, tinted by the vertex colour when asked, opaque when asked.
vec4 SurfaceColor(vec4 texel, vec4 vertexColor) {
  vec4 color = texel;
  if (gUseVertexCol == 1) color.rgb *= vertexColor.rgb;
  if (gDisableAlpha == 1) color.a = 1.0;
  return color;
}
