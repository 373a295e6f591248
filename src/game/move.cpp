// Selecting a ball, the reachability search, the route and the move animation,
// and what happens when the moved ball comes to rest.
#include <cmath>
#include <cstring>

#include "audio/audio.h"
#include "effects/effects.h"
#include "game/board.h"
#include "game/game_local.h"
#include "game/game_scene.h"

namespace {

// Neighbours in the fixed order left, right, up, down: the search and the route
// both use it, so ties between equally short routes always break the same way.
constexpr int32_t kStepX[4] = {-1, 1, 0, 0};
constexpr int32_t kStepY[4] = {0, 0, -1, 1};
// The spark ring played where a move is aimed.
constexpr int32_t kAimEffectKind = 1;
constexpr float kAimedTileScale = 0.7f;
// A moving ball leaves a trail spark each time this share of its move has passed.
constexpr float kTrailShare = 0.02f;
constexpr int32_t kTrailPreset = 12;
// A frame never leaves more than this many (a long frame would bunch them up).
constexpr int32_t kMaxTrailSparksPerFrame = 8;

bool inArray(int32_t x, int32_t y) {
  return x >= 0 && x < kBoardSize && y >= 0 && y < kBoardSize;
}

// Depth-first relaxation: a cell is revisited whenever a shorter way reaches it, so
// the distances end up those of the shortest routes.
void visit(int32_t a, int32_t b, int32_t distance) {
  for (int32_t k = 0; k < 4; ++k) {
    Cell& next = cellAt(a + kStepX[k], b + kStepY[k]);
    if (!hasFloor(next) || hasBall(next)) continue;
    if (next.pathDistance != -1 && next.pathDistance <= distance + 1) continue;
    next.pathDistance = distance + 1;
    visit(a + kStepX[k], b + kStepY[k], distance + 1);
  }
}

// The route from the target back to the selected ball, as offsets from the ball's
// cell: movePath[0] is the target, movePath[steps] the start (0, 0).
void buildRoute(int32_t tx, int32_t ty) {
  const CellPos from = gameState.selected;
  const Vec2 origin = cellCentre(from.x, from.y);
  gameState.movePathSteps = 0;
  int32_t ux = tx, uy = ty;
  while (cellAt(ux, uy).pathDistance >= 1 && gameState.movePathSteps < kMaxMovePath - 1) {
    const Vec2 centre = cellCentre(ux, uy);
    gameState.movePath[gameState.movePathSteps++] = {centre.x - origin.x, centre.y - origin.y};
    const int32_t wanted = cellAt(ux, uy).pathDistance - 1;
    bool stepped = false;
    for (int32_t k = 0; k < 4 && !stepped; ++k) {
      if (cellAt(ux + kStepX[k], uy + kStepY[k]).pathDistance != wanted) continue;
      ux += kStepX[k];
      uy += kStepY[k];
      stepped = true;
    }
    if (!stepped) break;
  }
  gameState.movePath[gameState.movePathSteps] = {0.0f, 0.0f};
}

// The ball has reached (tx, ty) from (mx, my): settle it and resolve.
void settleMovedBall(int32_t mx, int32_t my, int32_t tx, int32_t ty) {
  playSound("ballstand.ogg");
  deselectBall();
  gameState.lastMoved = {tx, ty};
  Cell& from = cellAt(mx, my);
  Cell& to = cellAt(tx, ty);
  from.moveTargetX = -1;
  from.moveTargetY = -1;
  to.nextBall = -1;  // a preview standing in the target is lost
  std::memcpy(reinterpret_cast<uint8_t*>(&to) + kBallStateOffset,
              reinterpret_cast<const uint8_t*>(&from) + kBallStateOffset, kBallStateSize);
  to.ballOffsetX = to.ballOffsetY = 0.0f;
  to.moveTime = 0.0f;
  from.ballValue = Ball::Empty;
  from.ballOffsetX = from.ballOffsetY = 0.0f;
  from.moveTime = 0.0f;
  gameState.movePathSteps = 0;
  ++gameState.pressure;
  ++gameState.moves;
  if (gameState.survival) retuneSurvival();
  if (resolveBoard(true) > 0) return;
  arrivePreviews();
  for (int32_t i = 0; i < gameState.newBallsPerMove; ++i) placePreview();
}

}  // namespace

void selectBall(int32_t x, int32_t y) {
  gameState.selected = {x, y};
  runReachabilitySearch();
}

void deselectBall() { gameState.selected = kNoCell; }

void runReachabilitySearch() { runReachabilitySearchFrom(gameState.selected); }

void runReachabilitySearchFrom(CellPos from) {
  if (!isPlayable(from.x, from.y)) return;
  for (auto& column : currentBoard().cells) {
    for (Cell& cell : column) cell.pathDistance = -1;
  }
  cellAt(from.x, from.y).pathDistance = 0;
  visit(from.x, from.y, 0);
}

bool startMove(int32_t x, int32_t y) {
  const CellPos from = gameState.selected;
  if (!isPlayable(from.x, from.y) || !isPlayable(x, y)) return false;
  Cell& target = cellAt(x, y);
  if (target.pathDistance < 1 || target.pathDistance >= kMaxMovePath) return false;
  const Vec2 at = cellCentre(x, y);
  startBoardEffectAt(at.x, at.y, kAimEffectKind);
  playSound("selectaim.ogg");
  target.cellScale = kAimedTileScale;
  Cell& ball = cellAt(from.x, from.y);
  ball.moveTargetX = x;
  ball.moveTargetY = y;
  buildRoute(x, y);
  const float steps = float(gameState.movePathSteps);
  gameState.moveDuration = int32_t(std::sqrt(10.0f * steps) * moveSettings.ballSpeed);
  ball.moveTime = float(gameState.moveDuration);
  return true;
}

namespace {

// The trail of the ball moving from cell (mx, my), its move time running from
// timeBefore down to timeAfter.
void leaveTrail(int32_t mx, int32_t my, float timeBefore, float timeAfter) {
  const float duration = float(gameState.moveDuration);
  const float period = duration * kTrailShare;
  if (!(period > 0.0f)) return;
  // A damaged saved game may hold any move time: the share passed stays within 0..1.
  auto passed = [&](float time) {
    float share = (duration - time) / duration;
    if (!(share > 0.0f)) share = 0.0f;
    if (share > 1.0f) share = 1.0f;
    return int32_t(share / kTrailShare);
  };
  const int32_t sparks = passed(timeAfter) - passed(timeBefore);
  const Cell& ball = cellAt(mx, my);
  const Vec2 centre = cellCentre(mx, my);
  const float x = centre.x + ball.ballOffsetX, y = centre.y + ball.ballOffsetY;
  for (int32_t i = 0; i < sparks && i < kMaxTrailSparksPerFrame; ++i) {
    spawnSpark(x, y, kTrailPreset);
  }
}

}  // namespace

void advanceMove(int32_t mx, int32_t my, float dt) {
  Cell& ball = cellAt(mx, my);
  if (!isPlayable(ball.moveTargetX, ball.moveTargetY)) {
    // A target off the board (a damaged saved game) cancels the move in place.
    ball.moveTargetX = ball.moveTargetY = -1;
    ball.moveTime = 0.0f;
    return;
  }
  const float timeBefore = ball.moveTime;
  ball.moveTime -= dt;
  if (ball.moveTime <= 0.0f || gameState.moveDuration <= 0 || gameState.movePathSteps <= 0) {
    settleMovedBall(mx, my, ball.moveTargetX, ball.moveTargetY);
    return;
  }
  const float s = ball.moveTime / float(gameState.moveDuration) * float(gameState.movePathSteps);
  int32_t i = int32_t(s);
  if (i > gameState.movePathSteps - 1) i = gameState.movePathSteps - 1;
  const float f = s - float(i);
  const Vec2 a = gameState.movePath[i];
  const Vec2 b = gameState.movePath[i + 1];
  ball.ballOffsetX = a.x + (b.x - a.x) * f;
  ball.ballOffsetY = a.y + (b.y - a.y) * f;
  leaveTrail(mx, my, timeBefore, ball.moveTime);
}

void clickBoardCell(int32_t x, int32_t y) {
  if (!inArray(x, y) || !hasFloor(cellAt(x, y))) {
    deselectBall();
    if (gameView.cursorMode == CursorMode::Hammer) gameView.cursorMode = CursorMode::Arrow;
    return;
  }
  const Cell& cell = cellAt(x, y);
  if (!hasBall(cell)) {
    if (gameState.selected.x >= 0 && cell.pathDistance >= 1 && !gameState.busy) startMove(x, y);
    return;
  }
  if (cell.chainLocks != 0) return;
  if (gameState.selected.x == x && gameState.selected.y == y) {
    deselectBall();
    return;
  }
  selectBall(x, y);
  playSound("selectball.ogg");
}

void doubleClickBoardCell(int32_t x, int32_t y) {
  if (gameState.busy) return;
  if (gameView.helpCursor) {
    gameView.helpCursor = false;
    gameView.cursorMode = CursorMode::Arrow;
    return;
  }
  if (!inArray(x, y)) return;
  const Cell& cell = cellAt(x, y);
  if (hasBall(cell) && cell.chainLocks > 0) return;
  if (gameState.selected.x == x && gameState.selected.y == y) {
    deselectBall();
    return;
  }
  selectBall(x, y);
}
