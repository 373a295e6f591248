// What a loaded saved game may hold: a damaged file's values are brought inside
// what a game in play can reach, so the rules' arithmetic never overflows and no
// value indexes past a table. Every value a real game saves is already inside.
#include <algorithm>
#include <cmath>

#include "game/board.h"
#include "game/game.h"
#include "game/level.h"
#include "game/save_image.h"

namespace {

// Ball values a level file can make: none, colours, items, and the letters up to
// 'W' that the level format allows.
constexpr int32_t kLastBallValue = 'W' - 'A';
// Square layers are one digit in a level file.
constexpr int32_t kMostLayers = 9;
// Counters stop far beyond any game and far below where their sums overflow: a
// combo is multiplied by thousands, scores and clocks only added to.
constexpr int32_t kMostCombo = 10000;
constexpr int32_t kMostCount = 100000000;
constexpr int32_t kMostScore = 1000000000;
// Clocks and offsets, in ms and units: any finite value a game reaches.
constexpr float kMostMagnitude = 1e9f;
// A move lasts at most sqrt(10 x 256) x 150 ms.
constexpr int32_t kMostMoveMs = 100000;
constexpr int32_t kMostColours = 10;
constexpr int32_t kCells = kBoardSize * kBoardSize;

void limit(int32_t* value, int32_t low, int32_t high) { *value = std::clamp(*value, low, high); }

void limit(float* value) {
  *value = std::isfinite(*value) ? std::clamp(*value, -kMostMagnitude, kMostMagnitude) : 0.0f;
}

// A value outside low..high becomes `none`.
void limitOrNone(int32_t* value, int32_t low, int32_t high, int32_t none) {
  if (*value < low || *value > high) *value = none;
}

void limitCell(Cell* c) {
  limit(&c->squareLayers, -1, kMostLayers);
  limit(&c->pathDistance, -1, kCells);
  limitOrNone(&c->ballValue, Ball::Empty, kLastBallValue, Ball::Empty);
  limitOrNone(&c->nextBall, -1, kLastBallValue, -1);
  if (c->moveTargetX < 0 || c->moveTargetX >= kBoardSize || c->moveTargetY < 0 ||
      c->moveTargetY >= kBoardSize) {
    c->moveTargetX = c->moveTargetY = -1;
  }
  limit(&c->chainLocks, 0, kMostLayers);
  for (float* f : {&c->ballOffsetX, &c->ballOffsetY, &c->ballClock, &c->moveTime,
                   &c->appearTimer, &c->vanishTimer, &c->phase, &c->regionMark,
                   &c->nextBallTimer, &c->age, &c->shimmerClock, &c->cellScale}) {
    limit(f);
  }
  c->removalMark = c->removalMark != 0 ? 1 : 0;
}

void limitCounters(GameState* g) {
  limit(&g->moveDuration, 0, kMostMoveMs);
  limit(&g->colourCount, 1, kMostColours);
  limit(&g->combo, 0, kMostCombo);
  limit(&g->comboStat, 0, kMostCount);
  limit(&g->jokerFrequency, 1, kMostCount);
  limit(&g->freeCells, 0, kCells);
  limit(&g->newBallsPerMove, 0, kCells);
  limit(&g->pressure, -kMostCount, kMostCount);
  limit(&g->moves, 0, kMostCount);
  limit(&g->elapsedMs, 0, kMostCount);
  limit(&g->levelScore, 0, kMostScore);
  limit(&g->levelIndex, 0, kLevelCount - 1);
  limit(&g->squaresAtStart, 0, kCells * kMostLayers);
  g->hammerCharge = std::isfinite(g->hammerCharge) ? std::clamp(g->hammerCharge, 0.0f, 1.0f)
                                                   : 0.0f;
  limit(&g->levelClock);
  limit(&g->levelCompleteTimer);
}

}  // namespace

void limitLoadedGame() {
  for (auto& column : boards.live.cells) {
    for (Cell& cell : column) limitCell(&cell);
  }
  for (Vec2& point : gameState.movePath) {
    limit(&point.x);
    limit(&point.y);
  }
  limit(&gameState.movePathSteps, 0, kMaxMovePath - 1);
  for (auto& column : gameState.bonusFigure) {
    for (int32_t& entry : column) limitOrNone(&entry, 0, 9, -1);
  }
  limitCounters(&gameState);
  limit(&gameState.pendingSquares, 0, kCells * kMostLayers);
}
