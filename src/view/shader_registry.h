#pragma once
// ShaderRegistry: the loaded GLSL programs of the model pass, keyed by the index of the light
// settings' shader drop-down (VornSettings::light_model), plus the current shader (the last one
// registered; the model pass uses it only as a sign that some program exists).
//
//   key 0  Shader_CNS  shaders/finished/normalMap.vert, .frag   "Default"
//   key 1  Shader      shaders/finished/phong.vert, .frag       "Phong" (also the wireframe overlay)
//
// The paths are relative to the working folder, which is the program folder.
//
// Lifecycle: CreateShaders once at GL start-up with the window's context current; DeleteAllShaders
// during shutdown while that context is still current. The registry's destructor only frees
// memory and never calls GL: without a context (static destruction, a fatal exit) the GL objects
// go with the context.
//
// Threads: main thread only.
#include <cstdint>
#include <map>
#include <memory>

#include "view/shader.h"

inline constexpr int32_t kShaderKeyNormalMap = 0;
inline constexpr int32_t kShaderKeyPhong = 1;

class ShaderRegistry {
 public:
  ShaderRegistry() = default;
  ShaderRegistry(const ShaderRegistry&) = delete;
  ShaderRegistry& operator=(const ShaderRegistry&) = delete;

  // Loads shader (Shader::Load); when it linked and key is still free, registers it under key and
  // makes it the current shader. Otherwise releases and discards it. Context current.
  void LoadAndRegister(int32_t key, std::unique_ptr<Shader> shader);

  // The program registered under key, or null. Looking up never adds an entry.
  Shader* Find(int32_t key) const;
  // The last shader registered, or null when none is.
  Shader* Current() const { return current_; }
  bool Empty() const { return shaders_.empty(); }

  // Current := none; releases every shader's GL objects and frees it. Context current.
  void DeleteAll();

 private:
  std::map<int32_t, std::unique_ptr<Shader>> shaders_;
  Shader* current_ = nullptr;
};

extern ShaderRegistry gShaderRegistry;

// Builds and loads key 0 and then key 1 into gShaderRegistry. A missing, empty or uncompilable
// shader file is a fatal error; a program that fails to link leaves its key absent (warning).
void CreateShaders();

// gShaderRegistry.DeleteAll(): at shutdown, with the window's context current.
void DeleteAllShaders();
