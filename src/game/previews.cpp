// New balls: previews placed in random empty cells, their arrival as balls, and
// the arrival of bonus items the resolution awards.
#include "audio/audio.h"
#include "core/numeric.h"
#include "game/board.h"
#include "game/feedback.h"
#include "game/game_local.h"
#include "game/tips.h"

namespace {

// The tip an item shows when it first arrives.
const char* itemTip(int32_t value) {
  switch (value) {
    case Ball::TripleBomb:
      return "triplebomb";
    case Ball::Diamond:
      return "diamond";
    case Ball::QuadroBomb:
      return "quadrobomb";
    default:
      return nullptr;
  }
}

void announceItem(int32_t x, int32_t y, int32_t value) {
  const Vec2 at = cellCentre(x, y);
  if (value == Ball::QuadroBomb) {
    onQuadBombAdded(at.x, at.y);
  } else {
    onBonusAdded(at.x, at.y);
  }
  if (const char* tip = itemTip(value)) showOneTimeTip(at, tip, {x, y}, 1000.0f, value);
}

}  // namespace

void arriveBall(int32_t x, int32_t y) {
  Cell& cell = cellAt(x, y);
  cell.appearTimer = kArrivalMs;
  cell.ballClock = 0.0f;
  cell.moveTime = 0.0f;
  cell.moveTargetX = -1;
  cell.moveTargetY = -1;
  cell.chainLocks = 0;
  cell.vanishTimer = -1.0f;
  cell.phase = randomUnit(1.0f);
  cell.ballOffsetX = 0.0f;
  cell.ballOffsetY = 0.0f;
  cell.ballValue = cell.nextBall;
  cell.nextBallTimer = 0.0f;
  --gameState.freeCells;
}

void placePreview() {
  if (gameState.freeCells <= 0) return;
  int32_t value = randomInt(gameState.colourCount);
  if (randomInt(gameState.jokerFrequency) == 0 && gameState.jokerFrequency < kNoJokers) {
    value = Ball::Joker;
  }
  int32_t skip = randomInt(gameState.freeCells);
  for (int32_t x = 0; x < kBoardSize; ++x) {
    for (int32_t y = 0; y < kBoardSize; ++y) {
      Cell& cell = cellAt(x, y);
      if (!hasFloor(cell) || hasBall(cell)) continue;
      if (skip-- > 0) continue;
      cell.nextBall = value;
      cell.nextBallTimer = kArrivalMs;
      return;
    }
  }
}

void arrivePreviews() {
  if (gameState.freeCells == 1) placePreview();
  CellPos joker = kNoCell;
  bool arrived = false;
  for (int32_t x = 0; x < kBoardSize; ++x) {
    for (int32_t y = 0; y < kBoardSize; ++y) {
      Cell& cell = cellAt(x, y);
      if (!hasFloor(cell) || cell.nextBall < 0) continue;
      if (!hasBall(cell)) {
        arriveBall(x, y);
        arrived = true;
        if (cell.ballValue == Ball::Joker) joker = {x, y};
      }
      cell.nextBall = -1;
    }
  }
  if (joker.x >= 0) {
    showOneTimeTip(cellCentre(joker.x, joker.y), "jokertip", joker, 1000.0f, Ball::Joker);
  }
  if (arrived) playSound("addball.ogg");
}

void arriveItems() {
  if (gameState.freeCells == 1) placePreview();
  for (int32_t x = 0; x < kBoardSize; ++x) {
    for (int32_t y = 0; y < kBoardSize; ++y) {
      Cell& cell = cellAt(x, y);
      if (!hasFloor(cell) || cell.nextBall <= Ball::Joker) continue;
      if (!hasBall(cell)) {
        arriveBall(x, y);
        announceItem(x, y, cell.ballValue);
      }
      cell.nextBall = -1;
    }
  }
}
