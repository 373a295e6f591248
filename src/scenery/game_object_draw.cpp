// game_object_draw.cpp: a game object's meshes placed in the world, culled against
// the view frustum and drawn with their textures.
#include "render/mesh.h"
#include "render/render.h"
#include "render/sprites.h"
#include "render/texture.h"
#include "scenery/game_object_registry.h"

namespace {

// The mesh's own placement inside the object, after the mesh's extra one if any.
Matrix4 meshWorld(const GameObject& object, int32_t i, const Mesh& mesh) {
  const Matrix4 world = multiply(object.transform, mesh.localTransform);
  if (i < kMaxMeshTransforms && object.hasMeshTransform[i]) {
    return multiply(world, object.meshTransforms[i]);
  }
  return world;
}

// Textures with an alpha channel are tested and blended by their alpha.
void useTexture(const TextureEntry* texture) {
  setTexture(texture);
  const bool alpha = texture && texture->hasAlpha;
  if (alpha) {
    enableRenderFeature(kFeatureAlphaTest);
    enableRenderFeature(kFeatureAlphaBlend);
    setBlendMode(kBlendTransparent);
  } else {
    disableRenderFeature(kFeatureAlphaTest);
  }
}

}  // namespace

void drawGameObject(const GameObject* object) {
  if (!object) return;
  const Frustum frustum = extractFrustum();
  for (int32_t i = 0; i < object->meshCount; ++i) {
    const Mesh* mesh = object->meshes[i];
    if (!mesh) continue;
    const Matrix4 world = meshWorld(*object, i, *mesh);
    if (!sphereVisible(frustum, transformPoint(mesh->sphereCenter, world), mesh->sphereRadius)) {
      continue;
    }
    setWorldTransform(&world);
    useTexture(object->textures[i]);
    drawMesh(mesh);
    disableRenderFeature(kFeatureAlphaBlend);
    disableRenderFeature(kFeatureAlphaTest);
  }
}
