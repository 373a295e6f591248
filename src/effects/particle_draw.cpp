// particle_draw.cpp: the live particles as squares facing the camera, cut from the
// particle sheet, with their symmetric copies.
#include "effects/effect_state.h"
#include "effects/effects.h"
#include "effects/effects_local.h"
#include "render/render.h"
#include "render/sprites.h"
#include "render/texture.h"

namespace {

// What one particle looks like now, before its copies are laid out.
struct ParticleLook {
  Color color;
  float size;
  int32_t blend;
};

ParticleLook lookOf(const Particle& p) {
  const float u = p.age / p.lifetime;
  const ColorF colour = LerpColorF(p.color0, p.color1, u);
  const int32_t blend = particleSystem.defs[p.def].blendType;
  return {multiplyColor(ColorFromColorF(colour)), p.size0 * (1.0f - u) + p.size1 * u, blend};
}

struct SquareFrame {
  Vec3 right;  // the camera's right and up directions
  Vec3 up;
  int32_t columns;
  int32_t rows;
  int32_t blend;  // of the square before
};

// The particle's squares: one, or simetriaPar copies turned about its position.
// Returns the new count, which never passes kMaxParticleQueue.
int32_t addSquares(const Particle& p, SquareFrame* frame, int32_t count) {
  const ParticleLook look = lookOf(p);
  const int32_t copies = particleSystem.defs[p.def].simetriaPar;
  const int32_t squares = copies < 1 ? 1 : copies;
  const float turn = 360.0f / float(squares);
  Vec2 offset = particleOffset(p);
  frame->blend = resolvedBlend(look.blend, frame->blend);
  BatchSquare square = {};
  turnedSquareAxes(frame->right, frame->up, look.size, p.rotation, &square.right, &square.up);
  square.cell = sheetCellUv(p.sprite, frame->columns, frame->rows);
  square.color = look.color;
  square.blend = frame->blend;
  for (int32_t i = 0; i < squares && count < kMaxParticleQueue; ++i) {
    square.center = {p.position.x + offset.x, p.position.y + offset.y, p.position.z};
    batchSquares[count++] = square;
    offset = Rotate2(offset, turn);
  }
  return count;
}

void beginParticleState() {
  setWorldTransform(nullptr);
  devSetLighting(false);
  devSetAlphaBlend(true);
  setBlendMode(kBlendAdditive);
  devSetAlphaTest(false);
  devSetDepthTest(true);
  devSetDepthWrite(false);
  setTexture(findTexture(kSheetName));
}

void endParticleState() {
  devSetAlphaTest(true);
  devSetDepthTest(false);
  devSetDepthWrite(true);
  setBlendMode(kBlendTransparent);
}

}  // namespace

void DrawParticles() {
  const Matrix4 view = devGetTransform(DevTransform::View);
  SquareFrame frame = {RightAxis(view), UpAxis(view),
                       particleSystem.sheetColumns > 0 ? particleSystem.sheetColumns : kSheetGrid,
                       particleSystem.sheetRows > 0 ? particleSystem.sheetRows : kSheetGrid, 0};
  int32_t count = 0;
  for (const Particle& p : particleSystem.particles) {
    if (!(p.age < p.lifetime) || p.def < 0 || p.def >= particleSystem.defCount) continue;
    count = addSquares(p, &frame, count);
    if (count >= kMaxParticleQueue) break;
  }
  if (count == 0) return;
  beginParticleState();
  drawSquareBatches(batchSquares, count);
  endParticleState();
}
