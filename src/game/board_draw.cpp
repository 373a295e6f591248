// The board as drawn: floor tiles with their glints and the hovered cell's
// highlight, the previews growing in, a selected bomb's blast area, the balls with
// their shadows, bounce, arrival and chains, the balls wobbling before they pop,
// the floor tiles leaving after a won level, and the miniature of a level's floor.
#include <cmath>

#include "game/feedback.h"
#include "game/game.h"
#include "game/game_local.h"
#include "game/level.h"
#include "game/modes.h"
#include "game/scene_local.h"

namespace {

constexpr float kTwoPi = 6.2831853f;
constexpr float kShimmerRate = 0.003f;       // per ms of the cell's shimmer clock
constexpr float kShimmerSpread = 0.005f;     // per unit of distance to the glint's corner
constexpr int32_t kFewSquares = 5;           // with this few left the glints pulse always
constexpr float kPreviewSize = 6.0f;         // a preview's ball size when it has landed
constexpr float kChainHalf = 30.0f;
constexpr float kMiniatureShift = 69.3f;

int32_t squareCellsLeft() {
  int32_t count = 0;
  forEachPlayableCell([&](int32_t x, int32_t y) {
    if (cellAt(x, y).squareLayers > 0) ++count;
  });
  return count;
}

// The glint sweeping over a square: one sweep across the board per cycle of the
// cell's shimmer clock, or a steady pulse once few squares are left.
int32_t glintAlpha(const Cell& cell, Vec2 centre, int32_t squaresLeft) {
  const Vec2 corner = cell.squareLayers == 1 ? Vec2{-400.0f, -300.0f} : Vec2{400.0f, 300.0f};
  const float phase = kShimmerRate * cell.shimmerClock + kShimmerSpread * length2(sub2(centre, corner));
  if (squaresLeft > kFewSquares && !(phase > kTwoPi && phase < 2.0f * kTwoPi)) return 0;
  const int32_t alpha = int32_t(655.0f * std::sin(phase) - 400.0f);
  return alpha < 0 ? 0 : (alpha > 255 ? 255 : alpha);
}

bool sameCell(CellPos a, int32_t x, int32_t y) { return a.x == x && a.y == y; }

// The hovered cell lights up where a click would do something.
bool highlighted(const Cell& cell, int32_t x, int32_t y) {
  if (!sameCell(gameView.hover, x, y)) return false;
  const bool reachable = gameState.selected.x >= 0 && cell.pathDistance > 0;
  return reachable || hasBall(cell) || gameView.helpCursor;
}

void drawCellFloor(int32_t x, int32_t y, int32_t squaresLeft) {
  const Cell& cell = cellAt(x, y);
  if (!hasFloor(cell)) return;
  const Vec2 centre = cellCentre(x, y);
  const int32_t layers = cell.squareLayers > 2 ? 2 : cell.squareLayers;
  const float half = kTileHalf * cell.cellScale;
  drawBoardPicture(BoardPicture::Floor0 + layers, centre, half, 0.0f, kWhite);
  if (layers > 0) {
    const int32_t alpha = glintAlpha(cell, centre, squaresLeft);
    const int32_t glint = layers == 1 ? BoardPicture::Glint1 : BoardPicture::Glint2;
    if (alpha > 0) drawBoardPicture(glint, centre, half, 0.0f, makeColor(255, 255, 255, alpha));
  }
  if (highlighted(cell, x, y)) drawBoardPicture(BoardPicture::Highlight, centre, half, 0.0f, kWhite);
  if (cell.nextBall >= 0 && !hasBall(cell)) {
    const float landed = 1.0f - cell.nextBallTimer / 500.0f;
    const float size = kPreviewSize * (landed < 0.0f ? 0.0f : landed);
    drawBoardPicture(ballPicture(cell.nextBall, cell.ballClock), centre, kBallSprite * size, 0.0f,
                     kWhite);
  }
}

// A selected bomb shows, around the hovered reachable cell, the cells it would blast.
void drawBlastArea() {
  const CellPos sel = gameState.selected, h = gameView.hover;
  if (sel.x < 0 || h.x < 0 || cellAt(h.x, h.y).pathDistance <= 0) return;
  const int32_t value = cellAt(sel.x, sel.y).ballValue;
  if (value != Ball::TripleBomb && value != Ball::QuadroBomb) return;
  const int32_t reach = value == Ball::TripleBomb ? 5 : 8;
  const float pulse = (std::sin(gameState.levelClock * 0.01f) + 1.0f) * 0.5f;
  const Color color = makeColor(255, 255, 255, int32_t(90.0f + 165.0f * pulse));
  for (int32_t dx = -2; dx <= 2; ++dx) {
    for (int32_t dy = -2; dy <= 2; ++dy) {
      const int32_t x = h.x + dx, y = h.y + dy;
      if (dx * dx + dy * dy >= reach || !isPlayable(x, y) || !hasFloor(cellAt(x, y))) continue;
      drawBoardPicture(BoardPicture::Highlight, cellCentre(x, y), kTileHalf, 0.0f, color);
    }
  }
}

// A new ball swells past its size and settles with a small wobble.
float arrivalFactor(float appearTimer) {
  if (appearTimer <= 0.0f) return 1.0f;
  const float f = 1.0f - appearTimer / 500.0f + 0.41f;
  if (f <= 1.0f) return f;
  const float s = std::sin(0.014f * appearTimer);
  return 1.0f + 0.1f * s * s;
}

// The bombs glow and fade in turn.
Color ballColor(const Cell& cell) {
  if (cell.ballValue != Ball::TripleBomb && cell.ballValue != Ball::QuadroBomb) return kWhite;
  const float pulse = 0.8f + 0.2f * std::sin(gameState.levelClock * 0.008f + cell.phase * kTwoPi);
  const int32_t gb = int32_t(255.0f * pulse);
  return makeColor(255, gb, gb, 255);
}

void drawCellBall(int32_t x, int32_t y) {
  const Cell& cell = cellAt(x, y);
  if (!hasBall(cell)) return;
  const Vec2 centre = add2(cellCentre(x, y), {cell.ballOffsetX, cell.ballOffsetY});
  float size = kBallSize * arrivalFactor(cell.appearTimer);
  Vec2 at = centre;
  if (sameCell(gameState.selected, x, y) && cell.moveTargetX == -1) {
    const float bounce = std::fabs(std::sin(gameState.levelClock * kBounceRate));
    at = add2(centre, {4.0f * bounce, 6.0f * bounce});
    size *= 1.0f + 0.16f * bounce;
  }
  const int32_t picture = ballPicture(cell.ballValue, cell.ballClock);
  if (picture < 0) return;
  const float sprite = cell.ballValue == Ball::Diamond ? kDiamondSprite : kBallSprite;
  drawBoardPicture(BoardPicture::Shadow, centre, kShadowSprite * size, 0.0f, kWhite);
  drawBoardPicture(picture, at, sprite * size, 0.0f, ballColor(cell));
  if (cell.chainLocks > 0) {
    drawBoardPicture(BoardPicture::Chain, at, kChainHalf * cell.cellScale, 45.0f, kWhite);
  }
}

// From 7500 ms of the level-complete sequence the floor tiles wobble and leave.
void drawLevelCompletePicture() {
  const float timer = gameState.levelCompleteTimer;
  forEachCellInDrawingOrder([&](int32_t x, int32_t y) {
    if (!hasFloor(cellAt(x, y))) return;
    const TilePose pose = levelCompleteTilePose(x, y, timer);
    if (!pose.visible) return;
    drawBoardPicture(BoardPicture::Floor0, pose.centre, kTileHalf * pose.scale, pose.angle,
                     fadeColor(kWhite, pose.alpha));
  });
}

void beginBoardLook() {
  const BoardLook look = boardLook();
  setColorMultiplier(look.brightness, look.brightness, look.brightness, look.opacity);
  setTexture(boardAtlas.texture);
}

// The miniature's board, read from a level file: process lifetime.
struct Miniature {
  Board board;
  int32_t level;  // the level it holds; -1 none
};
Miniature g_miniature = {{}, -1};

const Board* miniatureBoard(int32_t level) {
  if (level == g_miniature.level) return &g_miniature.board;
  char name[64];
  levelFileName(level, name, sizeof name);
  LevelSettings settings = {};
  loadLevelFile(name, Difficulty::Expert, &g_miniature.board, &settings);
  g_miniature.level = level;
  return &g_miniature.board;
}

}  // namespace

void drawBoard() {
  if (gameState.levelCompleteTimer < 0.0f || boardLook().opacity <= 0.0f) return;
  beginBoardLook();
  const float timer = gameState.levelCompleteTimer;
  if (timer > 0.0f && timer <= kBoardClearsAtMs) {
    drawLevelCompletePicture();
  } else {
    const int32_t squaresLeft = squareCellsLeft();
    forEachCellInDrawingOrder([&](int32_t x, int32_t y) { drawCellFloor(x, y, squaresLeft); });
    drawBlastArea();
    drawRoutePreview();
    forEachCellInDrawingOrder(drawCellBall);
    drawKeyCursor();
  }
  setColorMultiplier(1.0f, 1.0f, 1.0f, 1.0f);
}

void drawBallRemovals() {
  if (feedback.removalCount == 0 || boardLook().opacity <= 0.0f) return;
  beginBoardLook();
  for (int32_t i = 0; i < feedback.removalCount && i < kMaxRemovals; ++i) {
    const RemovalEntry& entry = feedback.removals[i];
    if (entry.timer > entry.delay + kRemovalWobbleMs) continue;
    const float f = entry.timer >= entry.delay ? (entry.timer - entry.delay) / kRemovalWobbleMs : 1.0f;
    // A wobble of 1.75 turns whose swing grows from 0.6 to 1.6.
    const float size = kBallSize - std::sin(f * 10.995575f) * (f + 0.6f);
    drawBall(entry.kind, entry.position, size, entry.timer, kWhite);
  }
  setColorMultiplier(1.0f, 1.0f, 1.0f, 1.0f);
}

void drawLevelMiniature(int32_t level, Vec2 offset, float scale, Color color) {
  const Board* board = level >= 0 ? miniatureBoard(level) : &currentBoard();
  setTexture(boardAtlas.texture);
  const Vec2 shift = {offset.x + kMiniatureShift * scale, offset.y};
  forEachPlayableCell([&](int32_t x, int32_t y) {
    const Cell& cell = board->cells[x][y];
    if (!hasFloor(cell)) return;
    const int32_t layers = cell.squareLayers > 2 ? 2 : cell.squareLayers;
    const Vec2 at = add2(scale2(cellCentre(x, y), scale), shift);
    drawBoardPicture(BoardPicture::Floor0 + layers, at, kTileHalf * scale, 0.0f, color);
  });
}

void forgetLevelMiniature() { g_miniature.level = -1; }
