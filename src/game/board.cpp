// The board records, the cell geometry and the operations over a whole board.
#include "game/board.h"

#include <algorithm>
#include <cmath>

GameState gameState = {};
Boards boards = {{}, {}, &boards.live};
MoveSettings moveSettings;

void setBallSpeed(float speed) {
  if (!std::isfinite(speed)) {
    moveSettings.ballSpeed = kDefaultBallSpeed;
  } else {
    moveSettings.ballSpeed = std::clamp(speed, kMinBallSpeed, kMaxBallSpeed);
  }
}

Vec2 cellCentre(int32_t x, int32_t y) { return cellToOverlay(x, y); }

CellPos cellAtPoint(float px, float py) {
  CellPos cell;
  overlayToCell(px, py, &cell.x, &cell.y);
  return cell;
}

void clearBoard(Board* board) {
  for (auto& column : board->cells) {
    for (Cell& cell : column) {
      cell.squareLayers = -1;
      cell.ballValue = Ball::Empty;
      cell.nextBall = -1;
      cell.shimmerClock = 0.0f;
    }
  }
}

int32_t countFreeCells(const Board& board) {
  int32_t count = 0;
  for (const auto& column : board.cells) {
    for (const Cell& cell : column) {
      if (hasFloor(cell) && !hasBall(cell)) ++count;
    }
  }
  return count;
}

bool boardHasBall(const Board& board) {
  for (int32_t x = kFirstColumn; x <= kLastColumn; ++x) {
    for (int32_t y = kFirstRow; y <= kLastRow; ++y) {
      if (hasBall(board.cells[x][y])) return true;
    }
  }
  return false;
}

int32_t countSquareLayers(const Board& board) {
  int32_t count = 0;
  for (const auto& column : board.cells) {
    for (const Cell& cell : column) {
      if (cell.squareLayers > 0) count += cell.squareLayers;
    }
  }
  return count;
}
