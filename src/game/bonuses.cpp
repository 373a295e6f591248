// Bonuses outside the resolution: the hammer stroke, the board clear, and the
// survival game tightening as the pressure grows.
#include <cmath>

#include "game/board.h"
#include "game/feedback.h"
#include "game/game_local.h"

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

}  // namespace

bool hammerStrike(int32_t x, int32_t y) {
  Cell& cell = cellAt(x, y);
  if (!hasBall(cell)) return false;
  const Vec2 at = cellCentre(x, y);
  OnHammer(at.x, at.y);
  if (cell.chainLocks > 0) {
    breakChain(x, y);
  } else {
    removeBall(x, y);
  }
  gameState.hammerCharge = 0.0f;
  gameState.cursorMode = CursorMode::Arrow;
  return true;
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
