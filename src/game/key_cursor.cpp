// The board cursor of the keys and controllers: where an arrow takes it over the
// floor, and where it appears.
#include <cstdlib>

#include "game/game.h"
#include "game/game_scene.h"

namespace {

bool floorCell(int32_t x, int32_t y) { return isPlayable(x, y) && hasFloor(cellAt(x, y)); }

// A cell beside the line counts double its distance from it, so the cursor keeps
// to its line while a cell near it is at hand.
constexpr int32_t kCrossWeight = 2;

}  // namespace

CellPos keyCursorStep(CellPos from, int32_t dx, int32_t dy) {
  CellPos best = from;
  bool found = false, bestInLine = false;
  int32_t bestScore = 0;
  forEachPlayableCell([&](int32_t x, int32_t y) {
    if (!floorCell(x, y)) return;
    const int32_t along = (x - from.x) * dx + (y - from.y) * dy;
    const int32_t cross = std::abs((x - from.x) * dy - (y - from.y) * dx);
    if (along <= 0 || cross > along) return;
    const bool inLine = cross == 0;
    const int32_t score = along + kCrossWeight * cross;
    if (found && (inLine != bestInLine ? !inLine : score >= bestScore)) return;
    best = {x, y};
    found = true;
    bestInLine = inLine;
    bestScore = score;
  });
  return best;
}

CellPos keyCursorHome() {
  const CellPos last = gameState.lastMoved;
  if (floorCell(last.x, last.y)) return last;
  int32_t left = kLastColumn, right = kFirstColumn, top = kLastRow, bottom = kFirstRow;
  forEachPlayableCell([&](int32_t x, int32_t y) {
    if (!floorCell(x, y)) return;
    left = x < left ? x : left;
    right = x > right ? x : right;
    top = y < top ? y : top;
    bottom = y > bottom ? y : bottom;
  });
  // Twice the middle, so that it falls on a whole number.
  const int32_t mx = left + right, my = top + bottom;
  CellPos home = kNoCell;
  int32_t nearest = 0;
  forEachPlayableCell([&](int32_t x, int32_t y) {
    if (!floorCell(x, y)) return;
    const int32_t d = (2 * x - mx) * (2 * x - mx) + (2 * y - my) * (2 * y - my);
    if (home.x >= 0 && d >= nearest) return;
    home = {x, y};
    nearest = d;
  });
  return home;
}
