// particle_draw.cpp: the live particles as squares facing the camera, cut from the
// particle sheet, with their symmetric copies.
#include "effects/effect_state.h"
#include "effects/effects.h"
#include "effects/effects_local.h"
#include "render/render.h"
#include "render/sprites.h"
#include "render/texture.h"

static_assert(kMaxParticleQueue == kMaxBatchSquares, "a full batch is a full draw queue");

namespace {

// What one particle looks like now, before its copies are laid out.
struct ParticleLook {
  Color color;
  float size;
  int32_t blend;
};

// A channel between birth (a) and death (b) at u, as a byte (times 255, truncated).
uint32_t channelAt(float a, float b, float u) {
  const float v = (a * (1.0f - u) + b * u) * 255.0f;
  return v > 0.0f ? (v < 255.0f ? uint32_t(v) : 255u) : 0u;
}

ParticleLook lookOf(const Particle& p) {
  const float u = p.age / p.lifetime;
  const ColorF& a = p.color0;
  const ColorF& b = p.color1;
  const Color colour = channelAt(a.a, b.a, u) << 24 | channelAt(a.r, b.r, u) << 16 |
                       channelAt(a.g, b.g, u) << 8 | channelAt(a.b, b.b, u);
  const int32_t blend = particleSystem.defs[p.def].blendType;
  return {multiplyColor(colour), p.size0 * (1.0f - u) + p.size1 * u, blend};
}

struct SquareFrame {
  Vec3 right;  // the camera's right and up directions
  Vec3 up;
  int32_t columns;
  int32_t rows;
  int32_t blend;  // of the square before
};

// The particle's squares: one, or simetriaPar copies turned about its position.
// Returns false once the batch is full.
bool addSquares(const Particle& p, SquareFrame* frame) {
  const ParticleLook look = lookOf(p);
  const int32_t copies = particleSystem.defs[p.def].simetriaPar;
  const int32_t squares = copies < 1 ? 1 : copies;
  const float turn = 360.0f / float(squares);
  Vec2 offset = particleOffset(p);
  frame->blend = resolvedBlend(look.blend, frame->blend);
  BatchSquare square = {};
  turnedSquareAxes(frame->right, frame->up, look.size, p.rotation, &square.right, &square.up);
  square.cell = cellUv(p.sprite, frame->columns, frame->rows);
  square.color = look.color;
  square.blend = frame->blend;
  for (int32_t i = 0; i < squares; ++i) {
    square.center = {p.position.x + offset.x, p.position.y + offset.y, p.position.z};
    if (!addBatchSquare(square)) return false;
    offset = rotate2(offset, turn);
  }
  return true;
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

void drawParticles() {
  const Matrix4 view = devGetTransform(DevTransform::View);
  SquareFrame frame = {rightAxis(view), upAxis(view),
                       particleSystem.sheetColumns > 0 ? particleSystem.sheetColumns : kSheetGrid,
                       particleSystem.sheetRows > 0 ? particleSystem.sheetRows : kSheetGrid, 0};
  beginSquareBatch();
  for (const Particle& p : particleSystem.particles) {
    if (!(p.age < p.lifetime) || p.def < 0 || p.def >= particleSystem.defCount) continue;
    if (!addSquares(p, &frame)) break;
  }
  if (batchSquareCount() == 0) return;
  beginParticleState();
  drawSquareBatch();
  endParticleState();
}
