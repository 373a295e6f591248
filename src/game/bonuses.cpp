// Bonuses outside the resolution: the hammer stroke, the board clear (and the won
// level's farewell to its balls), and the survival game tightening as the pressure
// grows.
#include <cmath>

#include "effects/effects.h"
#include "game/board.h"
#include "game/feedback.h"
#include "game/game_local.h"
#include "game/game_scene.h"

namespace {

// Survival's colours and joker rate by pressure: a row applies up to its pressure.
struct SurvivalStep {
  int32_t upToPressure;
  int32_t colourCount;
  int32_t jokerFrequency;
};
constexpr SurvivalStep kSurvivalSteps[] = {
    {10, 3, 30},   {20, 4, 30},   {35, 5, 25},   {40, 5, 20},   {70, 6, 20},
    {80, 6, 15},   {130, 7, 15},  {160, 7, 12},  {200, 8, 12},
};
constexpr SurvivalStep kSurvivalTop = {0, 8, 10};

// The fuse's burning end, from the ball's centre, as the bomb pictures draw it.
constexpr Vec2 kFuseEnd = {12.0f, 13.0f};
constexpr int32_t kFuseSparkPreset = 14;
// A quadro bomb's fuse crackles faster than a triple bomb's.
constexpr float kTripleFuseSparkMs = 60.0f;
constexpr float kQuadroFuseSparkMs = 40.0f;
// A frame never throws more than this many (a long frame would bunch them up).
constexpr int32_t kMaxFuseSparksPerFrame = 4;
constexpr float kLongestFuseClockMs = 1.0e9f;

}  // namespace

bool hammerStrike(int32_t x, int32_t y) {
  Cell& cell = cellAt(x, y);
  if (!hasBall(cell)) return false;
  const Vec2 at = cellCentre(x, y);
  onHammer(at.x, at.y);
  if (cell.chainLocks > 0) {
    breakChain(x, y);
  } else {
    removeBall(x, y);
  }
  gameState.hammerCharge = 0.0f;
  gameView.cursorMode = CursorMode::Arrow;
  return true;
}

void throwBombSparks(int32_t x, int32_t y, float clockBefore, float clockAfter) {
  const Cell& cell = cellAt(x, y);
  const bool triple = cell.ballValue == Ball::TripleBomb;
  if ((!triple && cell.ballValue != Ball::QuadroBomb) || cell.appearTimer > 0.0f) return;
  // A clock beyond a few days (a damaged saved game) throws nothing.
  if (!(clockBefore >= 0.0f && clockAfter < kLongestFuseClockMs)) return;
  const float period = triple ? kTripleFuseSparkMs : kQuadroFuseSparkMs;
  const int32_t sparks = int32_t(clockAfter / period) - int32_t(clockBefore / period);
  const Vec2 centre = cellCentre(x, y);
  const float fx = centre.x + cell.ballOffsetX + kFuseEnd.x;
  const float fy = centre.y + cell.ballOffsetY + kFuseEnd.y;
  for (int32_t i = 0; i < sparks && i < kMaxFuseSparksPerFrame; ++i) {
    spawnSpark(fx, fy, kFuseSparkPreset);
  }
}

void clearBoardOfBalls() {
  forEachPlayableCell([](int32_t x, int32_t y) {
    const Cell& cell = cellAt(x, y);
    if (!hasBall(cell)) return;
    if (cell.chainLocks > 0) {
      breakChain(x, y);
    } else {
      removeBall(x, y);
    }
  });
  arrivePreviews();
  for (int32_t i = 0; i < gameState.newBallsPerMove; ++i) placePreview();
}

void sayFarewellToBalls() {
  forEachPlayableCell([](int32_t x, int32_t y) {
    Cell& cell = cellAt(x, y);
    cell.nextBall = -1;
    cell.nextBallTimer = 0.0f;
    if (!hasBall(cell)) return;
    const Vec2 at = cellCentre(x, y);
    queueFarewellPop(at.x, at.y, cell.ballValue);
    cell.ballValue = Ball::Empty;
    cell.chainLocks = 0;
    ++gameState.freeCells;
  });
  forgetMoveCounters();
}

int32_t survivalNewBalls(int32_t pressure) {
  if (pressure < 0) return 0;
  return int32_t(std::sqrt(0.32f * float(pressure))) + 2;
}

void retuneSurvival() {
  const int32_t p = gameState.pressure;
  SurvivalStep step = kSurvivalTop;
  for (const SurvivalStep& candidate : kSurvivalSteps) {
    if (p <= candidate.upToPressure) {
      step = candidate;
      break;
    }
  }
  gameState.colourCount = step.colourCount;
  gameState.jokerFrequency = step.jokerFrequency;
  gameState.newBallsPerMove = survivalNewBalls(p);
}
