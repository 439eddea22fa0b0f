// The registry of the model pass's GLSL programs.
#include "view/shader_registry.h"

void ShaderRegistry::LoadAndRegister(int32_t key, std::unique_ptr<Shader> shader) {
  shader->Load();
  if (!shader->loaded || shaders_.count(key) != 0) {
    shader->Release();
    return;
  }
  current_ = shader.get();
  shaders_.emplace(key, std::move(shader));
}

Shader* ShaderRegistry::Find(int32_t key) const {
  auto it = shaders_.find(key);
  return it == shaders_.end() ? nullptr : it->second.get();
}

void ShaderRegistry::DeleteAll() {
  current_ = nullptr;
  for (auto& entry : shaders_) entry.second->Release();
  shaders_.clear();
}

void CreateShaders() {
  gShaderRegistry.LoadAndRegister(kShaderKeyNormalMap, std::make_unique<Shader_CNS>("shaders/finished/normalMap.vert",
                                                                                    "shaders/finished/normalMap.frag"));
  gShaderRegistry.LoadAndRegister(kShaderKeyPhong,
                                  std::make_unique<Shader>("shaders/finished/phong.vert", "shaders/finished/phong.frag"));
}

void DeleteAllShaders() { gShaderRegistry.DeleteAll(); }
