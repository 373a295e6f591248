// board_draw.cpp: single sheet sprites queued for the board effects' draw, and
// that draw: every live spark in view, then the queued sprites, in few draw calls.
#include "effects/effect_state.h"
#include "effects/effects.h"
#include "effects/effects_local.h"
#include "render/render.h"
#include "render/sprites.h"
#include "render/texture.h"

static_assert(kMaxSpriteQueue <= kMaxBatchSquares, "one batch holds every sprite of a draw");

namespace {

constexpr const char* kLightningName = "lightning.jpg";

// The blending of the sprite before, for one that keeps it.
struct SpriteFrame {
  int32_t blend;
};

void addSprite(SpriteFrame* frame, Vec2 at, float rotation, float size, Color color,
               int32_t blend, int32_t cell) {
  if (batchSquareCount() >= kMaxSpriteQueue) return;
  frame->blend = resolvedBlend(blend, frame->blend);
  // Black adds nothing and a square of no size covers nothing.
  if ((color & 0x00FFFFFFu) == 0 || size == 0.0f) return;
  BatchSquare square;
  square.center = {at.x, at.y, 0.0f};
  turnedSquareAxes({1.0f, 0.0f, 0.0f}, {0.0f, 1.0f, 0.0f}, size, rotation, &square.right,
                   &square.up);
  square.cell = cellUv(cell, kSheetGrid, kSheetGrid);
  square.color = multiplyColor(color);
  square.blend = frame->blend;
  addBatchSquare(square);
}

bool inView(const Frustum& view, Vec2 at, float size) {
  return sphereVisible(view, {at.x, at.y, 0.0f}, size);
}

void addSparks(SpriteFrame* frame) {
  const Frustum& view = currentFrustum();
  for (const Spark& s : boardEffects.sparks) {
    if (!(s.life > 0.0f)) continue;
    Vec2 at = s.position;
    if (s.orbitRadius != 0.0f) {
      at = add2(at, scale2({sinDeg(s.orbitAngle), cosDeg(s.orbitAngle)}, s.orbitRadius));
    }
    if (!inView(view, at, s.size)) continue;
    addSprite(frame, at, s.rotation, s.size, colorFromColorF(s.color), s.blend, s.cell);
  }
}

void beginSpriteState() {
  setWorldTransform(nullptr);
  devSetLighting(false);
  devSetAlphaBlend(true);
  devSetAlphaTest(false);
  devSetDepthWrite(false);
  setBlendMode(kBlendAdditive);
  setTexture(findTexture(kSheetName));
}

void endSpriteState() {
  devSetAlphaTest(true);
  devSetDepthWrite(true);
  setBlendMode(kBlendTransparent);
}

}  // namespace

void queueSprite(float x, float y, float rotation, float size, Color color, int32_t blend,
                 int32_t cell) {
  if (boardEffects.queueCount >= kMaxSpriteQueue || !inView(currentFrustum(), {x, y}, size)) {
    return;
  }
  boardEffects.queue[boardEffects.queueCount++] = {{x, y}, rotation, size, color, blend, cell};
}

void drawBoardEffects() {
  SpriteFrame frame = {0};
  beginSquareBatch();
  addSparks(&frame);
  for (int32_t i = 0; i < boardEffects.queueCount; ++i) {
    const SpriteQueueEntry& e = boardEffects.queue[i];
    addSprite(&frame, e.position, e.rotation, e.size, e.color, e.blend, e.cell);
  }
  boardEffects.queueCount = 0;
  boardEffects.spritesDrawn = batchSquareCount();
  if (boardEffects.spritesDrawn == 0) return;
  beginSpriteState();
  drawSquareBatch();
  endSpriteState();
}

void initBoardEffects() {
  resetBoardEffects();
  getTexture(kSheetName);
  getTexture(kLightningName);
  getTexture(kBoltGlowName);
}
