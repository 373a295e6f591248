// What a loaded saved game may hold: every value inside what a game in play can
// reach and save. A file holding anything else was not written by a game (damaged,
// or made by hand): loading refuses it, because a level with, say, a level-complete
// timer below 0 has no board, no HUD and no way out.
#include <cmath>
#include <cstdio>
#include <initializer_list>

#include "game/board.h"
#include "game/game.h"
#include "game/level.h"
#include "game/save_image.h"

namespace {

// Ball values a level file can make: none, colours, items, and the letters up to
// 'W' that the level format allows.
constexpr int32_t kLastBallValue = 'W' - 'A';
// Square layers and chains are one digit in a level file.
constexpr int32_t kMostLayers = 9;
// Counters stay far beyond any game and far below where the rules' sums overflow:
// a combo is multiplied by thousands, scores and clocks only added to.
constexpr int32_t kMostCombo = 10000;
constexpr int32_t kMostCount = 100000000;
constexpr int32_t kMostScore = 1000000000;
// Clocks and offsets, in ms and units: any finite value a game reaches.
constexpr float kMostMagnitude = 1e9f;
// A move lasts at most sqrt(10 x 256) x 150 ms.
constexpr int32_t kMostMoveMs = 100000;
constexpr int32_t kMostColours = 10;
constexpr int32_t kCells = kBoardSize * kBoardSize;

// The first value found outside its range, as words for the player and stderr.
struct Fault {
  char text[96];
  bool found;
};

void check(Fault* f, bool inside, const char* what, double value) {
  if (f->found || inside) return;
  f->found = true;
  std::snprintf(f->text, sizeof f->text, "%s is %g", what, value);
}

void checkRange(Fault* f, int32_t value, int32_t low, int32_t high, const char* what) {
  check(f, value >= low && value <= high, what, value);
}

void checkClock(Fault* f, float value, const char* what) {
  check(f, std::isfinite(value) && std::fabs(value) <= kMostMagnitude, what, double(value));
}

void checkCell(Fault* f, const Cell& c) {
  checkRange(f, c.squareLayers, -1, kMostLayers, "a cell's square layers");
  checkRange(f, c.pathDistance, -1, kCells, "a cell's route distance");
  checkRange(f, c.ballValue, Ball::Empty, kLastBallValue, "a ball");
  checkRange(f, c.nextBall, -1, kLastBallValue, "a coming ball");
  const bool moving = c.moveTargetX != -1 || c.moveTargetY != -1;
  check(f, !moving || (c.moveTargetX >= 0 && c.moveTargetX < kBoardSize && c.moveTargetY >= 0 &&
                       c.moveTargetY < kBoardSize),
        "a move's target column", c.moveTargetX);
  checkRange(f, c.chainLocks, 0, kMostLayers, "a ball's chains");
  for (const float clock : {c.ballOffsetX, c.ballOffsetY, c.ballClock, c.moveTime, c.appearTimer,
                            c.vanishTimer, c.phase, c.regionMark, c.nextBallTimer, c.age,
                            c.shimmerClock, c.cellScale}) {
    checkClock(f, clock, "a cell's clock");
  }
  checkRange(f, c.removalMark, 0, 1, "a cell's removal mark");
}

void checkCounters(Fault* f, const GameState& g) {
  checkRange(f, g.moveDuration, 0, kMostMoveMs, "the move duration");
  checkRange(f, g.colourCount, 1, kMostColours, "the colour count");
  checkRange(f, g.combo, 0, kMostCombo, "the combo");
  checkRange(f, g.comboStat, 0, kMostCount, "the combo count");
  checkRange(f, g.jokerFrequency, 1, kMostCount, "the joker frequency");
  checkRange(f, g.freeCells, 0, kCells, "the free cell count");
  checkRange(f, g.newBallsPerMove, 0, kCells, "the new balls per move");
  checkRange(f, g.pressure, -kMostCount, kMostCount, "the pressure");
  checkRange(f, g.moves, 0, kMostCount, "the move count");
  checkRange(f, g.elapsedMs, 0, kMostCount, "the level time");
  checkRange(f, g.levelScore, 0, kMostScore, "the level score");
  checkRange(f, g.levelIndex, 0, kLevelCount - 1, "the level");
  checkRange(f, g.squaresAtStart, 0, kCells * kMostLayers, "the square count");
  check(f, g.hammerCharge >= 0.0f && g.hammerCharge <= 1.0f, "the hammer charge",
        double(g.hammerCharge));
  checkClock(f, g.levelClock, "the level clock");
  // A game is saved only while no level end runs.
  check(f, g.levelCompleteTimer == 0.0f, "the level-complete timer", double(g.levelCompleteTimer));
}

}  // namespace

bool loadedGameFault(char* out, size_t capacity) {
  Fault f = {};
  for (const auto& column : boards.live.cells) {
    for (const Cell& cell : column) checkCell(&f, cell);
  }
  for (const Vec2& point : gameState.movePath) {
    checkClock(&f, point.x, "a route point");
    checkClock(&f, point.y, "a route point");
  }
  checkRange(&f, gameState.movePathSteps, 0, kMaxMovePath - 1, "the route's length");
  for (const auto& column : gameState.bonusFigure) {
    for (const int32_t entry : column) checkRange(&f, entry, -1, 9, "a bonus figure entry");
  }
  checkCounters(&f, gameState);
  checkRange(&f, gameState.pendingSquares, 0, kCells * kMostLayers, "the pending square count");
  if (f.found) std::snprintf(out, capacity, "%s", f.text);
  return f.found;
}
