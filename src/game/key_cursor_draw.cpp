// The keys' cursor as drawn: a light frame between two dark ones over its cell, so
// it stands out on light and dark floors and over every ball colour, pulsing
// gently; with the hammer or the help armed, their picture sits at its corner.
#include <cmath>

#include "game/scene_local.h"

namespace {

constexpr float kOuterHalf = 24.0f;  // the dark frame's outer edge, from the cell's centre
constexpr float kInnerHalf = 15.0f;  // its inner edge
constexpr float kLightInset = 2.0f;  // the light frame leaves this much dark on each side
constexpr float kMarkSize = 26.0f;   // the armed hammer's or help's picture
constexpr UvRect kWhole = {0.0f, 0.0f, 1.0f, 1.0f};

// A square frame around `at` between the two half-widths.
void drawFrame(Vec2 at, float outer, float inner, Color color) {
  const float band = outer - inner, middle = (outer + inner) * 0.5f;
  drawSprite(at.x, at.y + middle, 2.0f * outer, band, kWhole, color, kBoardDepth);
  drawSprite(at.x, at.y - middle, 2.0f * outer, band, kWhole, color, kBoardDepth);
  drawSprite(at.x - middle, at.y, band, 2.0f * inner, kWhole, color, kBoardDepth);
  drawSprite(at.x + middle, at.y, band, 2.0f * inner, kWhole, color, kBoardDepth);
}

void drawMark(const TextureEntry* picture, Vec2 at) {
  if (!picture) return;
  setTexture(picture);
  drawSprite(at.x + kOuterHalf, at.y + kOuterHalf, kMarkSize, kMarkSize, kWhole, kWhite,
             kBoardDepth);
}

}  // namespace

void drawKeyCursor() {
  const CellPos c = gameView.keyCursor;
  if (!gameView.keyCursorShown || gameView.menuOpen || !isPlayable(c.x, c.y)) return;
  const Vec2 at = cellCentre(c.x, c.y);
  const float pulse = 0.5f + 0.5f * std::sin(gameState.levelClock * 0.008f);
  setTexture(nullptr);
  drawFrame(at, kOuterHalf, kInnerHalf, makeColor(0, 0, 0, 200));
  drawFrame(at, kOuterHalf - kLightInset, kInnerHalf + kLightInset,
            makeColor(255, 236, 120, int32_t(190.0f + 65.0f * pulse)));
  if (gameView.cursorMode == CursorMode::Hammer) drawMark(hudPictures.hammerCursor, at);
  if (gameView.cursorMode == CursorMode::Help) drawMark(hudPictures.question, at);
  setTexture(boardAtlas.texture);
}
