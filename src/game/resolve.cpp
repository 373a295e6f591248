// The resolution: runs of matching balls are marked, bombs and diamonds widen the
// marks, the marked cells are cleared, and the combo, the hammer charge and the
// bonus items follow. Also the three ways a cell gives something up: a ball
// removed, a square layer cleared, a chain broken.
#include "audio/audio.h"
#include "game/board.h"
#include "game/feedback.h"
#include "game/game_local.h"
#include "game/tips.h"

namespace {

// Blasts and diamonds may set off further ones; the chain stops after this many
// passes over the board.
constexpr int32_t kMaxBlastPasses = 7;
// Squared reach of the blasts: 13 cells within two orthogonal steps, or the 5 x 5
// square without its corners.
constexpr int32_t kTripleBlastReach = 5;
constexpr int32_t kQuadroBlastReach = 8;
constexpr float kHammerGainPerBall = 0.03f;
constexpr int32_t kColours = 10;

struct Axis {
  int32_t dx, dy;
};
// Main diagonal, anti-diagonal, horizontal, vertical; each walked forward.
constexpr Axis kAxes[4] = {{1, 1}, {1, -1}, {1, 0}, {0, 1}};
// The diamond looks for colours in these directions, in this order.
constexpr Axis kDiamondDirections[8] = {{-1, 0}, {1, 0},  {0, -1}, {0, 1},
                                        {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};

bool isColour(int32_t value) { return value >= 0 && value < kColours; }

// Marks the run through (x, y) along `axis` when it is long enough; returns its
// length, or 0 when it is too short.
int32_t markRun(int32_t x, int32_t y, int32_t value, Axis axis) {
  int32_t sx = x, sy = y;
  while (cellMatches(sx - axis.dx, sy - axis.dy, value)) {
    sx -= axis.dx;
    sy -= axis.dy;
  }
  int32_t count = 0;
  while (cellMatches(sx + count * axis.dx, sy + count * axis.dy, value)) ++count;
  if (count < gameState.minLineLength) return 0;
  for (int32_t i = 0; i < count; ++i) cellAt(sx + i * axis.dx, sy + i * axis.dy).removalMark = 1;
  return count;
}

// Marks every run; returns the longest.
int32_t markRuns() {
  int32_t longest = 0;
  forEachPlayableCell([&](int32_t x, int32_t y) {
    const int32_t value = cellAt(x, y).ballValue;
    if (value < 0) return;
    for (const Axis& axis : kAxes) {
      const int32_t length = markRun(x, y, value, axis);
      if (length > longest) longest = length;
    }
  });
  return longest;
}

// Marks the blast around (x, y); true when it reaches an item (its own cell too).
bool markBlast(int32_t x, int32_t y, int32_t reach) {
  bool reachesItem = false;
  for (int32_t dy = -2; dy <= 2; ++dy) {
    for (int32_t dx = -2; dx <= 2; ++dx) {
      if (dx * dx + dy * dy >= reach) continue;
      Cell& cell = cellAt(x + dx, y + dy);
      cell.removalMark = 1;
      if (isItem(cell.ballValue)) reachesItem = true;
    }
  }
  return reachesItem;
}

// The colours of the marked balls beside the diamond (items in between are looked
// past); with none, the first marked colour of each row.
void noteDiamondColours(int32_t x, int32_t y, bool noted[kColours]) {
  bool any = false;
  for (const Axis& dir : kDiamondDirections) {
    for (int32_t w = 0; w <= gameState.minLineLength - 2; ++w) {
      const int32_t cx = x + dir.dx * (w + 1), cy = y + dir.dy * (w + 1);
      if (!isPlayable(cx, cy)) break;
      const Cell& cell = cellAt(cx, cy);
      if (isItem(cell.ballValue)) continue;
      if (isColour(cell.ballValue) && cell.removalMark) {
        noted[cell.ballValue] = true;
        any = true;
      }
      break;
    }
  }
  if (any) return;
  for (int32_t row = kFirstRow; row <= kLastRow; ++row) {
    for (int32_t column = kFirstColumn; column <= kLastColumn; ++column) {
      const Cell& cell = cellAt(column, row);
      if (!cell.removalMark || !isColour(cell.ballValue)) continue;
      noted[cell.ballValue] = true;
      break;
    }
  }
}

// A marked diamond claims every ball of the noted colours with a lightning bolt.
void fireDiamond(int32_t x, int32_t y) {
  bool noted[kColours] = {};
  noteDiamondColours(x, y, noted);
  bool claimed = false;
  const Vec2 from = cellCentre(x, y);
  forEachPlayableCell([&](int32_t cx, int32_t cy) {
    Cell& cell = cellAt(cx, cy);
    if (cell.removalMark || !isColour(cell.ballValue) || !noted[cell.ballValue]) return;
    addDiamondBolt(from, cellCentre(cx, cy));
    cell.removalMark = 1;
    claimed = true;
  });
  if (claimed) playSound("diamond0.ogg");
}

void runBlastPasses() {
  for (int32_t pass = 0; pass < kMaxBlastPasses; ++pass) {
    bool again = false;
    forEachPlayableCell([&](int32_t x, int32_t y) {
      const Cell& cell = cellAt(x, y);
      if (!cell.removalMark) return;
      if (cell.ballValue == Ball::TripleBomb) again |= markBlast(x, y, kTripleBlastReach);
      if (cell.ballValue == Ball::QuadroBomb) again |= markBlast(x, y, kQuadroBlastReach);
      if (cell.ballValue == Ball::Diamond) fireDiamond(x, y);
    });
    if (!again) return;
  }
}

void countFiredItems() {
  forEachPlayableCell([](int32_t x, int32_t y) {
    const Cell& cell = cellAt(x, y);
    if (!cell.removalMark) return;
    if (cell.ballValue == Ball::TripleBomb) countBombRemoved();
    if (cell.ballValue == Ball::Diamond) countDiamondRemoved();
    if (cell.ballValue == Ball::QuadroBomb) countQuadBombRemoved();
  });
}

// Clears the marked cells; returns how many held a ball.
int32_t clearMarkedCells() {
  int32_t removed = 0;
  forEachPlayableCell([&](int32_t x, int32_t y) {
    const Cell& cell = cellAt(x, y);
    if (!cell.removalMark) return;
    if (!hasBall(cell)) {
      removeSquareLayer(x, y);
      return;
    }
    ++removed;
    if (cell.chainLocks >= 1) {
      breakChain(x, y);
    } else {
      removeBall(x, y);
    }
  });
  return removed;
}

void countCombo(int32_t removed, bool afterMove) {
  if (removed == 0) {
    if (afterMove) gameState.combo = 0;
    return;
  }
  ++gameState.combo;
  if (gameState.combo <= 1) return;
  gameState.pressure -= gameState.combo;
  if (gameState.difficulty == Difficulty::Zen) {
    if (gameState.combo > gameState.comboStat) gameState.comboStat = gameState.combo;
  } else {
    ++gameState.comboStat;
  }
  onCombo(gameState.combo);
}

void chargeHammer(int32_t removed) {
  if (removed == 0 || gameState.hammerCharge >= 1.0f || !gameState.hammerEnabled) return;
  const float gain = float(removed) * float(gameState.combo) * kHammerGainPerBall;
  if (gameState.hammerCharge + gain >= 1.0f) {
    playSound("gethammer.ogg");
    showOneTimeTip(kHammerTipAnchor, "hammerfull", kNoCell, 2000.0f, -1);
  }
  gameState.hammerCharge += gain;
  if (gameState.hammerCharge > 1.0f) gameState.hammerCharge = 1.0f;
}

void awardItem(int32_t value) {
  Cell& cell = cellAt(gameState.lastMoved.x, gameState.lastMoved.y);
  cell.nextBall = value;
  cell.nextBallTimer = kArrivalMs;
  arriveItems();
}

void awardItems(int32_t longestRun) {
  const CellPos at = gameState.lastMoved;
  if (!isPlayable(at.x, at.y) || !hasFloor(cellAt(at.x, at.y))) return;
  const int32_t n = gameState.minLineLength;
  if (longestRun >= n + 2) awardItem(Ball::QuadroBomb);
  if (gameState.combo >= 2 && gameState.combo % 2 == 0) {
    awardItem(Ball::Diamond);
  } else if (longestRun == n + 1) {
    awardItem(Ball::TripleBomb);
  }
}

}  // namespace

bool cellMatches(int32_t x, int32_t y, int32_t value) {
  if (!isPlayable(x, y)) return false;
  const Cell& cell = cellAt(x, y);
  if (!hasBall(cell) || cell.appearTimer > 0.0f) return false;
  return cell.ballValue == value || isItem(cell.ballValue);
}

int32_t resolveBoard(bool afterMove) {
  forEachPlayableCell([](int32_t x, int32_t y) {
    cellAt(x, y).removalMark = 0;
    cellAt(x, y).regionMark = 0.0f;
  });
  const int32_t longestRun = markRuns();
  runBlastPasses();
  countFiredItems();
  const int32_t removed = clearMarkedCells();
  countCombo(removed, afterMove);
  chargeHammer(removed);
  awardItems(longestRun);
  finishMove();
  return removed;
}

void removeBall(int32_t x, int32_t y) {
  Cell& cell = cellAt(x, y);
  if (!hasBall(cell)) return;
  const Vec2 at = cellCentre(x, y);
  queueBallRemoval(at.x, at.y, cell.ballValue, cell.squareLayers > 0);
  cell.ballValue = Ball::Empty;
  removeSquareLayer(x, y);
  ++gameState.freeCells;
}

void removeSquareLayer(int32_t x, int32_t y) {
  Cell& cell = cellAt(x, y);
  if (cell.squareLayers <= 0) return;
  const Vec2 at = cellCentre(x, y);
  onSquareHit(at.x, at.y);
  --cell.squareLayers;
}

void breakChain(int32_t x, int32_t y) {
  Cell& cell = cellAt(x, y);
  if (cell.chainLocks <= 0) return;
  --cell.chainLocks;
  const Vec2 at = cellCentre(x, y);
  onChainHit(at.x, at.y);
}
